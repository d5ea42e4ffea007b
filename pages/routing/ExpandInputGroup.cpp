#include "pages/routing/ExpandInputGroup.h"

#include "app/LanguageTable.h"
#include "pages/routing/MatrixPaging.h"
#include "protocol/DeviceState.h"

#include <QLabel>
#include <QPushButton>

using namespace MatrixGeometry;

namespace {
constexpr int Inset = 4;
constexpr int ArrowWidth = 32;
constexpr int ArrowGap = 2;
constexpr int ArrowRowHeight = RowHeight + Inset;
constexpr int NamesKept = int(sizeof S_ExpandInputName / sizeof S_ExpandInputName[0]);
const QChar LeftArrow(0x2190);
const QChar RightArrow(0x2192);

int arrowsTop(quint32 outputsPerPage)
{
    return CornerY + CornerHeight + int(outputsPerPage) * RowHeight + Inset;
}
} // namespace

ExpandInputGroup::ExpandInputGroup(QWidget *parent)
    : QGroupBox(parent)
    , m_name(new QLabel(this))
    , m_number(new QLabel(this))
    , m_previous(new QPushButton(LeftArrow, this))
    , m_next(new QPushButton(RightArrow, this))
{
    m_name->setAlignment(Qt::AlignCenter);
    m_number->setAlignment(Qt::AlignCenter);
    m_name->setGeometry(Inset, CornerY, ColumnWidth, InputNameHeight);
    m_number->setGeometry(Inset, CornerY + InputNameHeight, ColumnWidth, RowHeight);
}

void ExpandInputGroup::retranslate()
{
    setTitle(SgroupBox_ExpandIn);
    m_previous->setText(LeftArrow);
    m_next->setText(RightArrow);
}

void ExpandInputGroup::build(quint32 outputsPerPage)
{
    m_buttons.build(this, outputsPerPage, [](quint32 row) {
        return QRect(Inset, CornerY + CornerHeight + int(row) * RowHeight, ColumnWidth, RowHeight);
    });
    const int top = arrowsTop(outputsPerPage);
    m_previous->setGeometry(Inset, top, ArrowWidth, RowHeight);
    m_next->setGeometry(Inset + ArrowWidth + ArrowGap, top, ArrowWidth, RowHeight);
    resize(ColumnWidth + 2 * Inset, top + ArrowRowHeight);
}

void ExpandInputGroup::redraw(const MatrixPaging &paging, quint32 expandCount)
{
    if (expandCount == 0)
        return;
    const DeviceState &device = Device();
    for (QPushButton *button : m_buttons.buttons())
        button->setFlat(false);
    // The language file keeps one expand-input name; further expand inputs
    // share it rather than read past the list.
    m_name->setText(S_ExpandInputName[qMin(int(paging.expandIndex()), NamesKept - 1)]);
    m_number->setText(QStringLiteral("%1").arg(device.expandInputChannel + 1));
    const quint32 shown = qMin(paging.shownOutputs(device.outputCount), quint32(m_buttons.size()));
    for (quint32 r = 0; r < quint32(m_buttons.size()); ++r) {
        QPushButton *button = m_buttons.at(int(r));
        button->setVisible(r < shown);
        if (r < shown && device.routingAt(paging.firstOutput() + r) == device.expandInputChannel)
            button->setFlat(true);
    }
    m_previous->setVisible(expandCount > 1);
    m_next->setVisible(expandCount > 1);
}
