#include "pages/routing/RenamePanel.h"

#include "app/LanguageTable.h"
#include "chrome/TextFit.h"

#include <QLabel>
#include <QLineEdit>

namespace {
constexpr int Inset = 8;
constexpr int FieldWidth = 150;
constexpr int FieldHeight = 30;
} // namespace

RenamePanel::RenamePanel(QWidget *parent)
    : QGroupBox(parent)
    , m_oldName(new QLabel(this))
    , m_edit(new QLineEdit(this))
{
    m_oldName->setGeometry(Inset, TitleOffset, FieldWidth, FieldHeight);
    m_edit->setGeometry(2 * Inset + FieldWidth, TitleOffset, FieldWidth, FieldHeight);
    resize(Width, Height);
    hide();
}

QLabel *RenamePanel::clickedLabel() const
{
    return m_clicked;
}

void RenamePanel::begin(QLabel *clicked)
{
    m_clicked = clicked;
    QObject::disconnect(m_edit, &QLineEdit::returnPressed, nullptr, nullptr);
    m_edit->setToolTip(STIPS_EnterKeyFinishInputAndClose);
    m_edit->clear();
    // A long name shows cut on the page; its whole text is the tool tip.
    const QString old = !clicked ? QString() : clicked->toolTip().isEmpty() ? clicked->text() : clicked->toolTip();
    SetElidedText(m_oldName, old);
    show();
    m_edit->setFocus(Qt::MouseFocusReason);
}

void RenamePanel::end()
{
    QObject::disconnect(m_edit, &QLineEdit::returnPressed, nullptr, nullptr);
    m_clicked = nullptr;
    hide();
}
