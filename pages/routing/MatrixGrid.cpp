#include "pages/routing/MatrixGrid.h"

#include "app/LanguageTable.h"
#include "app/OutputLocks.h"
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
constexpr char StageProperty[] = "stage";
constexpr char CursorProperty[] = "cursor";
constexpr char LockedProperty[] = "locked";
const QString Staged = QStringLiteral("staged");
const QString StageFailed = QStringLiteral("failed");

struct CrosspointLook
{
    bool shown = false;
    bool marked = false;
    bool pending = false;
    QString stage; // empty, Staged or StageFailed
    bool cursor = false;
    QString tip;
};

void repolish(QWidget *widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

// A pick the device has not confirmed yet is outlined (the style sheet's
// [pending="true"] rule); the fill keeps showing the routing it reported.
// A change staged for a take is outlined as well ([stage="staged"], or
// [stage="failed"] with the reason in the tool tip when its take failed),
// and the keyboard's cursor has a rule of its own.
void setCrosspoint(QPushButton *button, const CrosspointLook &look)
{
    if (button->isFlat() != look.marked)
        button->setFlat(look.marked);
    bool polish = false;
    if (button->property(PendingProperty).toBool() != look.pending) {
        button->setProperty(PendingProperty, look.pending);
        polish = true;
    }
    if (button->property(StageProperty).toString() != look.stage) {
        button->setProperty(StageProperty, look.stage);
        polish = true;
    }
    if (button->property(CursorProperty).toBool() != look.cursor) {
        button->setProperty(CursorProperty, look.cursor);
        polish = true;
    }
    if (button->toolTip() != look.tip)
        button->setToolTip(look.tip);
    if (polish)
        repolish(button);
    if (button->isHidden() == look.shown)
        button->setVisible(look.shown);
}

// A locked output's row is marked ([locked="true"]); its number's tool tip
// says who holds the lock (the name keeps its own tip for a long name).
void setLocked(QLabel *label, bool locked)
{
    if (label->property(LockedProperty).toBool() == locked)
        return;
    label->setProperty(LockedProperty, locked);
    repolish(label);
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
        int staged = -1;
        QString stage;
        QString failure;
        if (rowShown && m_overlay.staged && m_overlay.staged->contains(output)) {
            staged = paging.markedColumn(m_overlay.staged->value(output), device.inputCount);
            failure = m_overlay.stageFailures ? m_overlay.stageFailures->value(output) : QString();
            stage = failure.isEmpty() ? Staged : StageFailed;
        }
        const bool locked = rowShown && m_overlay.locks && m_overlay.locks->isLocked(int(output) + 1);
        const QString lockTip = locked ? STIPS_Locked.arg(m_overlay.locks->holder(int(output) + 1)) : QString();
        setLocked(m_rows[int(r)].name, locked);
        setLocked(m_rows[int(r)].number, locked);
        if (m_rows[int(r)].number->toolTip() != lockTip)
            m_rows[int(r)].number->setToolTip(lockTip);
        for (quint32 c = 0; c < quint32(m_columns.size()); ++c) {
            const bool shown = rowShown && c < shownInputs;
            CrosspointLook look;
            look.shown = shown;
            look.marked = shown && int(c) == marked;
            look.pending = shown && int(c) == pending;
            look.stage = shown && int(c) == staged ? stage : QString();
            look.cursor = shown && int(c) == m_overlay.cursorColumn && int(r) == m_overlay.cursorRow;
            look.tip = look.pending ? STIPS_Pending : !look.stage.isEmpty() ? failure : QString();
            setCrosspoint(crosspoint(int(c), int(r)), look);
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
    for (QPushButton *button : qAsConst(m_crosspoints)) {
        CrosspointLook look;
        look.shown = !button->isHidden();
        look.marked = button->isFlat();
        look.stage = button->property(StageProperty).toString();
        look.cursor = button->property(CursorProperty).toBool();
        look.tip = look.stage.isEmpty() ? QString() : button->toolTip();
        setCrosspoint(button, look);
    }
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
