#include "protocol/RequestTracker.h"

#include "app/LanguageTable.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/Frames.h"
#include "protocol/SentCommandText.h"

#include <QCoreApplication>
#include <QTimer>

namespace {
constexpr quint32 PeripheralGroupOffset = Frame::DevicePayloadOffset + 2;
constexpr quint8 FirstPeripheralGroup = 1; // IO inputs; 2 IO outputs, 3 relays
constexpr quint8 LastPeripheralGroup = 3;
constexpr quint8 AllOutputs = 0xFF;
constexpr int KindShift = 8;

quint8 byteAt(const QByteArray &frame, quint32 offset)
{
    return offset < quint32(frame.size()) ? quint8(frame.at(int(offset))) : 0;
}
} // namespace

RequestTracker::RequestTracker(QObject *parent)
    : QObject(parent)
    , m_settleTimer(new QTimer(this))
    , m_summaryTimer(new QTimer(this))
{
    m_settleTimer->setSingleShot(true);
    m_settleTimer->setInterval(SettleMs);
    connect(m_settleTimer, &QTimer::timeout, this, &RequestTracker::settle);
    m_summaryTimer->setSingleShot(true);
    m_summaryTimer->setInterval(SummaryDelayMs);
    connect(m_summaryTimer, &QTimer::timeout, this, &RequestTracker::reportMisses);
    DeviceEvents &events = Events();
    connect(&events, &DeviceEvents::SGL_RefreshInput, this, [this](uint ch) { rowAnswered(RowKind::Input, ch); });
    connect(&events, &DeviceEvents::SGL_RefreshOutput, this, [this](uint ch) { rowAnswered(RowKind::Output, ch); });
    connect(&events, &DeviceEvents::SGL_PeripheralLines, this,
            [this](uint group) { rowAnswered(RowKind::Peripheral, group); });
    connect(&events, &DeviceEvents::SGL_RefreshMatrix, this, &RequestTracker::routingAnswered);
}

quint32 RequestTracker::key(RowKind kind, quint32 index)
{
    return (quint32(kind) << KindShift) | ClampChannel(index);
}

RequestTracker::RowState RequestTracker::rowState(RowKind kind, quint32 index) const
{
    return m_rows.value(key(kind, index), RowState::Unknown);
}

int RequestTracker::pendingInput(quint32 output) const
{
    const auto queued = m_queuedSwitch.constFind(output);
    if (queued != m_queuedSwitch.constEnd())
        return int(*queued);
    if (m_inFlight.what == InFlight::What::Switch && m_inFlight.index == output)
        return int(m_inFlight.input);
    return NoPending;
}

void RequestTracker::setRow(RowKind kind, quint32 index, RowState state)
{
    RowState &row = m_rows[key(kind, index)];
    if (row == state)
        return;
    row = state;
    Q_EMIT SGL_RowsChanged();
}

void RequestTracker::frameSent(const QByteArray &frame)
{
    if (quint32(frame.size()) <= Frame::DevicePayloadOffset || byteAt(frame, 0) != Frame::DeviceStart)
        return;
    settle();
    const quint8 code = byteAt(frame, Frame::DeviceCommandOffset);
    const quint8 p0 = byteAt(frame, Frame::DevicePayloadOffset);
    const quint8 p1 = byteAt(frame, Frame::DevicePayloadOffset + 1);
    InFlight next;
    if (code == Cmd::SignalInfo && (p1 == Dir::ReadInput || p1 == Dir::ReadOutput)) {
        next.what = InFlight::What::Row;
        next.kind = p1 == Dir::ReadInput ? RowKind::Input : RowKind::Output;
        next.index = ClampChannel(p0);
    } else if (code == Cmd::Peripheral) {
        const quint8 group = byteAt(frame, PeripheralGroupOffset);
        if (group >= FirstPeripheralGroup && group <= LastPeripheralGroup) {
            next.what = InFlight::What::Row;
            next.kind = RowKind::Peripheral;
            next.index = group;
        }
    } else if (code == Cmd::FeatureSwitch && p1 == Dir::OutputFeature) {
        // Mute, freeze and black of one output: the device's answer is what
        // the page shows; without one the page shows the last confirmed
        // state again.
        next.what = InFlight::What::Write;
        next.kind = RowKind::Output;
        next.index = ClampChannel(p0);
        next.frame = frame;
    } else if (code == Cmd::Switch && p1 != AllOutputs) {
        next.what = InFlight::What::Switch;
        next.index = p1;
        next.input = p0;
        const auto queued = m_queuedSwitch.find(p1);
        if (queued != m_queuedSwitch.end() && *queued == p0)
            m_queuedSwitch.erase(queued);
    }
    // The notice that a frame left and the notice of its reply come from
    // two queues; a drain started by an earlier reply can hand this read's
    // answer on before this notice arrives.
    if (next.what == InFlight::What::Row)
        next.answered = m_answeredUnsent.remove(key(next.kind, next.index));
    m_inFlight = next;
    if (next.what == InFlight::What::None)
        return;
    if (next.what == InFlight::What::Row)
        setRow(next.kind, next.index, next.answered ? RowState::Fresh : RowState::Reading);
    else if (next.what == InFlight::What::Switch)
        Q_EMIT SGL_PendingChanged();
    m_settleTimer->start();
}

void RequestTracker::switchQueued(quint32 input, quint32 output)
{
    m_queuedSwitch.insert(output, input);
    Q_EMIT SGL_PendingChanged();
}

void RequestTracker::rowAnswered(RowKind kind, quint32 index)
{
    if (m_inFlight.what == InFlight::What::Write && m_inFlight.kind == kind
        && m_inFlight.index == ClampChannel(index)) {
        m_inFlight.answered = true;
        return;
    }
    const bool inFlight =
        m_inFlight.what == InFlight::What::Row && m_inFlight.kind == kind && m_inFlight.index == ClampChannel(index);
    if (inFlight)
        m_inFlight.answered = true;
    else
        m_answeredUnsent.insert(key(kind, index));
    // A peripheral reply always carries all four lines of its group; a
    // signal row is whole only when it answers its read.
    if (inFlight || kind == RowKind::Peripheral)
        setRow(kind, index, RowState::Fresh);
}

void RequestTracker::routingAnswered()
{
    if (m_inFlight.what != InFlight::What::Switch)
        return;
    m_inFlight = InFlight();
    m_settleTimer->stop();
    Q_EMIT SGL_PendingChanged();
}

void RequestTracker::settle()
{
    m_settleTimer->stop();
    const InFlight done = m_inFlight;
    m_inFlight = InFlight();
    if (done.what == InFlight::What::Switch) {
        Q_EMIT SGL_PendingChanged();
    } else if (done.what == InFlight::What::Write && !done.answered) {
        Q_EMIT SGL_WriteUnanswered(done.index);
        Q_EMIT SGL_Unanswered(SMSG_NoAnswer.arg(SentCommandText(done.frame)));
    } else if (done.what == InFlight::What::Row && !done.answered) {
        setRow(done.kind, done.index, RowState::Missed);
        m_missed << rowName(done.kind, done.index);
        m_summaryTimer->start();
    }
}

void RequestTracker::reportMisses()
{
    if (m_missed.isEmpty())
        return;
    const QString line = SMSG_ReadsUnanswered.arg(m_missed.size()).arg(m_missed.join(QStringLiteral(", ")));
    m_missed.clear();
    Q_EMIT SGL_Unanswered(line);
}

void RequestTracker::linkClosed()
{
    m_settleTimer->stop();
    m_inFlight = InFlight();
    m_answeredUnsent.clear();
    m_queuedSwitch.clear();
    for (auto row = m_rows.begin(); row != m_rows.end(); ++row) {
        if (*row == RowState::Fresh)
            *row = RowState::Stale;
        else if (*row == RowState::Reading)
            *row = RowState::Missed;
    }
    Q_EMIT SGL_RowsChanged();
    Q_EMIT SGL_PendingChanged();
}

QString RequestTracker::rowName(RowKind kind, quint32 index)
{
    static const QString format = QStringLiteral("%1-%2");
    switch (kind) {
    case RowKind::Input:
        return format.arg(S_Input).arg(index + 1);
    case RowKind::Output:
        return format.arg(S_OutPut).arg(index + 1);
    case RowKind::Peripheral:
        break;
    }
    switch (index) {
    case FirstPeripheralGroup:
        return SgroupBox_IO_IN;
    case FirstPeripheralGroup + 1:
        return SgroupBox_IO_OUT;
    default:
        return SgroupBox_Relay;
    }
}

RequestTracker &Tracker()
{
    static RequestTracker tracker;
    static const bool placed = [] {
        if (QCoreApplication *app = QCoreApplication::instance())
            if (tracker.thread() != app->thread())
                tracker.moveToThread(app->thread());
        return true;
    }();
    Q_UNUSED(placed)
    return tracker;
}
