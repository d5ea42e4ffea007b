#include "pages/routing/TakeBar.h"

#include "app/LanguageTable.h"
#include "chrome/TextFit.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int LineWidth = 430;
constexpr int ButtonWidth = 80;
constexpr int Spacing = 8;
} // namespace

TakeBar::TakeBar(QWidget *parent)
    : QWidget(parent)
    , m_takeMode(new QCheckBox(this))
    , m_line(new QLabel(this))
    , m_take(new QPushButton(this))
    , m_clear(new QPushButton(this))
    , m_history(new QPushButton(this))
    , m_salvos(new QPushButton(this))
    , m_message(new QLabel(this))
{
    m_takeMode->setObjectName(QStringLiteral("TakeMode"));
    m_line->setObjectName(QStringLiteral("TakeBarText"));
    m_line->setFixedWidth(LineWidth);
    m_message->setWordWrap(true);
    for (QPushButton *button : {m_take, m_clear, m_history, m_salvos})
        button->setFixedWidth(ButtonWidth);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(Spacing);
    row->addWidget(m_takeMode);
    row->addWidget(m_line);
    row->addWidget(m_take);
    row->addWidget(m_clear);
    row->addSpacing(Spacing * 2);
    row->addWidget(m_history);
    row->addWidget(m_salvos);
    row->addStretch();
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(Spacing / 2);
    column->addLayout(row);
    column->addWidget(m_message);
    setState(QString(), QString(), false);
}

void TakeBar::retranslate()
{
    m_takeMode->setText(SCheckBox_TakeMode);
    m_take->setText(SpushButton_Take);
    m_clear->setText(SpushButton_Clear);
    m_history->setText(SpushButton_History);
    m_salvos->setText(SpushButton_Salvos);
}

void TakeBar::setState(const QString &line, const QString &message, bool staged)
{
    SetElidedText(m_line, line);
    m_message->setText(message);
    m_take->setEnabled(staged);
    m_clear->setEnabled(staged);
}
