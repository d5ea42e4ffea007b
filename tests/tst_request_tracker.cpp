// A read's row is fresh once its reply is dispatched, whichever of the two
// notices (the frame left, its reply came) the window handles first; a read
// nobody answered is missed.
#include "protocol/CatalogueCodes.h"
#include "protocol/Frames.h"
#include "protocol/RequestTracker.h"

#include <QtTest>

namespace {
using Kind = RequestTracker::RowKind;
using State = RequestTracker::RowState;

QByteArray ReadFrame(Kind kind, quint8 index)
{
    QByteArray frame(int(Frame::DevicePayloadOffset) + 4, '\0');
    frame[0] = char(Frame::DeviceStart);
    if (kind == Kind::Peripheral) {
        frame[int(Frame::DeviceCommandOffset)] = char(Cmd::Peripheral);
        frame[int(Frame::DevicePayloadOffset) + 2] = char(index);
    } else {
        frame[int(Frame::DeviceCommandOffset)] = char(Cmd::SignalInfo);
        frame[int(Frame::DevicePayloadOffset)] = char(index);
        frame[int(Frame::DevicePayloadOffset) + 1] = char(kind == Kind::Input ? Dir::ReadInput : Dir::ReadOutput);
    }
    return frame;
}
} // namespace

class RequestTrackerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readRow_settlesWhenTheNextFrameLeaves_data();
    void readRow_settlesWhenTheNextFrameLeaves();
};

void RequestTrackerTest::readRow_settlesWhenTheNextFrameLeaves_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("state");
    const struct
    {
        const char *name;
        Kind kind;
        int index;
    } rows[] = {{"input 3", Kind::Input, 2}, {"output 16", Kind::Output, 15}, {"relays", Kind::Peripheral, 3}};
    for (const auto &row : rows) {
        QTest::addRow("%s, sent then answered", row.name)
            << int(row.kind) << row.index << QStringLiteral("sent,answered") << int(State::Fresh);
        QTest::addRow("%s, answered before the sent notice", row.name)
            << int(row.kind) << row.index << QStringLiteral("answered,sent") << int(State::Fresh);
        QTest::addRow("%s, no answer", row.name)
            << int(row.kind) << row.index << QStringLiteral("sent") << int(State::Missed);
    }
    // An answer for another row does not answer this read.
    QTest::newRow("input 3, input 4 answered")
        << int(Kind::Input) << 2 << QStringLiteral("other,sent") << int(State::Missed);
}

void RequestTrackerTest::readRow_settlesWhenTheNextFrameLeaves()
{
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(QString, order);
    QFETCH(int, state);
    RequestTracker tracker;
    const Kind rowKind = Kind(kind);
    for (const QString &step : order.split(QLatin1Char(','))) {
        if (step == QLatin1String("sent"))
            tracker.frameSent(ReadFrame(rowKind, quint8(index)));
        else if (step == QLatin1String("answered"))
            tracker.rowAnswered(rowKind, quint32(index));
        else
            tracker.rowAnswered(rowKind, quint32(index + 1));
    }
    // The next command leaves: the read in flight is settled.
    tracker.frameSent(ReadFrame(Kind::Output, 0));
    QCOMPARE(int(tracker.rowState(rowKind, quint32(index))), state);
}

QTEST_GUILESS_MAIN(RequestTrackerTest)
#include "tst_request_tracker.moc"
