// The tour again while the device loses replies: some dropped, some spoilt,
// some late past their timeout, every one split into random pieces. The
// program must go on working, show the timeout message for every command
// that reports its timeout and lost its reply, and, once the faults stop, a
// full read brings its model back in line with the device.
#include "app/ByteText.h"
#include "app/LanguageTable.h"
#include "protocol/SentCommandText.h"
#include "support/StateComparison.h"
#include "support/Tour.h"

#include <QtTest>

Q_DECLARE_METATYPE(ConnectedProgram::Link)

namespace {

constexpr int PayloadOffset = 4;

// Whether a request of the program waits for its reply and reports a
// timeout (the commands that pause instead, or that time out silently, do
// not), written out from the command set.
bool reportsItsTimeout(const QByteArray &request)
{
    if (request.size() < PayloadOffset + 3)
        return false;
    const quint8 code = quint8(request.at(2));
    const quint8 p1 = quint8(request.at(PayloadOffset + 1));
    const quint8 p2 = quint8(request.at(PayloadOffset + 2));
    switch (code) {
    case 0x01: // switch
    case 0x12: // routing read
    case 0x94: // wall input select
    case 0xD9: // audio switch
    case 0x45: // pairing
    case 0xC4: // input audio select
    case 0xB0: // type
    case 0xB1: // format
    case 0xB8: // EDID block
    case 0x9C: // multiview
    case 0x9D:
    case 0x9F:
    case 0xA0:
    case 0xA2:
    case 0x95: // identity
    case 0x9A: // device information
    case 0x96: // firmware
    case 0x9B: // module address over the device link
        return true;
    case 0x93: // the wall read; its writes pause
        return p1 == 0x80;
    case 0x33: // IO and relays; command lines pause
        return p2 != 0;
    case 0x44: // front panel, name and serial number reads
    case 0x47:
        return (p1 & 0x80) != 0;
    default:
        return false;
    }
}

// The requests whose reply did not come back whole before the next request
// went out: dropped, spoilt, or held back past the program's wait.
QVector<QByteArray> requestsThatLostTheirReply(const QVector<SimTrafficEntry> &traffic, SimLink link)
{
    QVector<QByteArray> lost;
    QByteArray pending;
    bool answered = true;
    for (const SimTrafficEntry &entry : traffic) {
        if (entry.link != link)
            continue;
        if (entry.direction == SimDirection::In) {
            if (!answered)
                lost.append(pending);
            pending = entry.bytes;
            answered = false;
        } else if (entry.note.isEmpty() || entry.note == QLatin1String("late")) {
            answered = true;
        }
    }
    if (!answered)
        lost.append(pending);
    return lost;
}

} // namespace

class TourFaultsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lostReplies_areReported_andAReadRestoresTheModel_data();
    void lostReplies_areReported_andAReadRestoresTheModel();
};

void TourFaultsTest::lostReplies_areReported_andAReadRestoresTheModel_data()
{
    QTest::addColumn<ConnectedProgram::Link>("link");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("tcp") << ConnectedProgram::Link::Tcp << 7u;
    QTest::newRow("serial") << ConnectedProgram::Link::Serial << 11u;
}

void TourFaultsTest::lostReplies_areReported_andAReadRestoresTheModel()
{
    QFETCH(ConnectedProgram::Link, link);
    QFETCH(quint32, seed);
    ConnectedProgram program(Tour::DeviceOptions(), link, Tour::Settings());
    QVERIFY2(program.ok(), program.why());
    program.sim().device().clearTraffic();

    program.sim().setFaults(Tour::Faults(seed));

    Tour tour(program, false);
    for (const Tour::Step &step : tour.steps())
        step.run();
    QVERIFY(program.waitQuiet(30000));
    QTest::qWait(Tour::LateMs); // the last timeouts run out

    const QStringList messages = program.messages().texts();
    int reported = 0;
    for (const QByteArray &request : requestsThatLostTheirReply(program.sim().device().traffic(), program.simLink())) {
        if (!reportsItsTimeout(request) || request == Tour::RawConsoleFrame())
            continue;
        ++reported;
        const QString expected = SMSG_NoAnswer.arg(SentCommandText(request)) + QStringLiteral("\r\n")
            + SMSG_CommunicationFail + QStringLiteral("\r\n") + BytesToHexText(request);
        QVERIFY2(messages.contains(expected), qPrintable(QStringLiteral("no message for ") + BytesToHexText(request)));
    }
    QVERIFY2(reported > 0, "the faults lost no reply of a reporting command: nothing was shown");

    program.sim().setFaults(SimFaultOptions());
    QVERIFY(tour.readEverythingAgain());
    const QStringList differences = DeviceStateDifferences(program.sim().device().state());
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TourFaultsTest)
#include "tst_tour_faults.moc"
