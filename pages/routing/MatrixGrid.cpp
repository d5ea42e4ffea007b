#include "pages/routing/MatrixGrid.h"

#include "app/LanguageTable.h"
#include "chrome/TextFit.h"
#include "pages/routing/MatrixPaging.h"
#include "protocol/DeviceState.h"
#include "protocol/RequestTracker.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVariant>

using namespace MatrixGeometry;

namespace {
const QString NumberFormat = QStringLiteral("%1");
const QString NameFormat = QStringLiteral("%1%2");

// A label shows its text, or is empty and hidden. Widgets are touched only
// where they differ: a routing report redraws the grid, and hiding and
// showing 256 buttons for each of them freezes the window when reports
// come fast.
// A long name is cut with "…" and shown whole in the label's tool tip.
void setLabel(QLabel *label, bool shown, const QString &text)
{
    SetElidedText(label, shown ? text : QString());
    if (label->isHidden() == shown)
        label->setVisible(shown);
}

constexpr char PendingProperty[] = "pending";

// A pick the device has not confirmed yet is outlined (the style sheet's
// [pending="true"] rule); the fill keeps showing the routing it reported.
void setCrosspoint(QPushButton *button, bool shown, bool marked, bool pending)
{
    if (button->isFlat() != marked)
        button->setFlat(marked);
    if (button->property(PendingProperty).toBool() != pending) {
        button->setProperty(PendingProperty, pending);
        button->setToolTip(pending ? STIPS_Pending : QString());
        button->style()->unpolish(button);
        button->style()->polish(button);
    }
    if (button->isHidden() == shown)
        button->setVisible(shown);
}
} // namespace

MatrixGrid::MatrixGrid(QWidget *parent)
    : QGroupBox(parent)
    , m_corner(newLabel(CornerRect()))
{ }

QLabel *MatrixGrid::newLabel(const QRect &geometry)
{
    auto *label = new QLabel(this);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    return label;
}

void MatrixGrid::clear()
{
    for (const ChannelLabels &labels : qAsConst(m_columns)) {
        delete labels.name;
        delete labels.number;
    }
    for (const ChannelLabels &labels : qAsConst(m_rows)) {
        delete labels.name;
        delete labels.number;
    }
    qDeleteAll(m_crosspoints);
    m_columns.clear();
    m_rows.clear();
    m_crosspoints.clear();
}

void MatrixGrid::build(quint32 inputsPerPage, quint32 outputsPerPage)
{
    clear();
    m_showsDevice = false;
    for (quint32 c = 0; c < inputsPerPage; ++c)
        m_columns.append(ChannelLabels{newLabel(InputNameRect(c)), newLabel(InputNumberRect(c))});
    for (quint32 r = 0; r < outputsPerPage; ++r)
        m_rows.append(ChannelLabels{newLabel(OutputNameRect(r)), newLabel(OutputNumberRect(r))});
    for (quint32 k = 0; k < inputsPerPage * outputsPerPage; ++k) {
        auto *button = new QPushButton(this);
        button->setObjectName(NameFormat.arg(QLatin1String(ButtonPrefix)).arg(k));
        button->setGeometry(CrosspointRect(k % inputsPerPage, k / inputsPerPage));
        button->setFocusPolicy(Qt::NoFocus);
        m_crosspoints.append(button);
    }
    resize(RoutingGroupSize(inputsPerPage, outputsPerPage));
}

void MatrixGrid::redraw(const MatrixPaging &paging, bool inputs, bool outputs)
{
    const DeviceState &device = Device();
    m_corner->setText(S_OutPut + QLatin1Char('\\') + S_Input);
    // A lost link empties the device model, but the grid keeps showing the
    // routing last reported (the page is inactive meanwhile): a redraw then,
    // say for a change of language, only renames the rows and columns shown.
    if (!device.identified && m_showsDevice) {
        relabelShown(paging, inputs, outputs);
        return;
    }
    m_showsDevice = device.identified;
    const quint32 shownInputs = qMin(paging.shownInputs(device.inputCount), quint32(m_columns.size()));
    const quint32 shownOutputs = qMin(paging.shownOutputs(device.outputCount), quint32(m_rows.size()));
    if (inputs) {
        for (quint32 c = 0; c < quint32(m_columns.size()); ++c) {
            const quint32 input = paging.firstInput() + c;
            const bool shown = c < shownInputs;
            setLabel(m_columns[int(c)].name, shown, shown ? S_InputName[ClampChannel(input)] : QString());
            setLabel(m_columns[int(c)].number, shown, NumberFormat.arg(input + 1));
        }
    }
    if (outputs) {
        for (quint32 r = 0; r < quint32(m_rows.size()); ++r) {
            const quint32 output = paging.firstOutput() + r;
            const bool shown = r < shownOutputs;
            setLabel(m_rows[int(r)].name, shown, shown ? S_OutputName[ClampChannel(output)] : QString());
            setLabel(m_rows[int(r)].number, shown, NumberFormat.arg(output + 1));
        }
    }
    for (quint32 r = 0; r < quint32(m_rows.size()); ++r) {
        const bool rowShown = r < shownOutputs;
        const quint32 output = paging.firstOutput() + r;
        const int marked = rowShown ? paging.markedColumn(device.routingAt(output), device.inputCount) : -1;
        const int pendingInput = Tracker().pendingInput(output);
        const int pending = rowShown && pendingInput != RequestTracker::NoPending
            ? paging.markedColumn(quint32(pendingInput), device.inputCount)
            : -1;
        for (quint32 c = 0; c < quint32(m_columns.size()); ++c) {
            const bool shown = rowShown && c < shownInputs;
            setCrosspoint(crosspoint(int(c), int(r)), shown, shown && int(c) == marked, shown && int(c) == pending);
        }
    }
}

void MatrixGrid::relabelShown(const MatrixPaging &paging, bool inputs, bool outputs)
{
    for (int c = 0; inputs && c < m_columns.size(); ++c) {
        if (!m_columns[c].name->isHidden())
            setLabel(m_columns[c].name, true, S_InputName[ClampChannel(paging.firstInput() + quint32(c))]);
    }
    for (int r = 0; outputs && r < m_rows.size(); ++r) {
        if (!m_rows[r].name->isHidden())
            setLabel(m_rows[r].name, true, S_OutputName[ClampChannel(paging.firstOutput() + quint32(r))]);
    }
}

void MatrixGrid::clearPending()
{
    for (QPushButton *button : qAsConst(m_crosspoints))
        setCrosspoint(button, !button->isHidden(), button->isFlat(), false);
}

QPushButton *MatrixGrid::crosspoint(int column, int row) const
{
    const int index = row * m_columns.size() + column;
    if (column < 0 || row < 0 || column >= m_columns.size() || index >= m_crosspoints.size())
        return nullptr;
    return m_crosspoints.at(index);
}

MatrixGrid::LabelRef MatrixGrid::labelOf(const QObject *object) const
{
    for (int c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].name == object)
            return {LabelKind::InputName, quint32(c)};
        if (m_columns[c].number == object)
            return {LabelKind::InputNumber, quint32(c)};
    }
    for (int r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].name == object)
            return {LabelKind::OutputName, quint32(r)};
        if (m_rows[r].number == object)
            return {LabelKind::OutputNumber, quint32(r)};
    }
    return {LabelKind::None, 0};
}
