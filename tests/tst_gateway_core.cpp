// The gateway core against the in-process simulated device, which answers
// every command the core hands the link, one at a time. Router clients speak
// the text protocol; the expected texts are written from the protocol page.
#include "app/LanguageTable.h"
#include "gateway/FrameRecords.h"
#include "gateway/GatewayCore.h"
#include "protocol/DeviceState.h"
#include "tools/devsim/SimDevice.h"

#include <QtTest>

namespace {

constexpr int Inputs = 12;
constexpr int Outputs = 6;

SimOptions SimWith()
{
    SimOptions o;
    o.tcp = o.pty = o.udp = o.log = false;
    o.model.inputs = Inputs;
    o.model.outputs = Outputs;
    return o;
}

struct Rig
{
    SimDevice sim{SimWith()};
    std::deque<std::pair<QByteArray, CommandRecord>> link; // pushed, not yet sent
    QList<QByteArray> wire;                                // sent to the device
    std::map<int, QByteArray> got;
    bool deaf = false; // the device does not answer
    std::unique_ptr<GatewayCore> core;

    explicit Rig(GatewayCore::Options options = {})
    {
        ClearDeviceStateForTests();
        RestoreLanguageDefaults();
        options.pollSeconds = 0;
        core = std::make_unique<GatewayCore>(GatewayCore::LinkOps{[this](const QByteArray &f, const CommandRecord &r) {
                                                                      link.emplace_back(f, r);
                                                                      return true;
                                                                  },
                                                                  [] {}},
                                             options);
        QObject::connect(core.get(), &GatewayCore::toClient, [this](int id, const QByteArray &b) { got[id] += b; });
    }

    // The link sends what the core queued and the device answers, until
    // nothing is left (bounded).
    void run()
    {
        for (int i = 0; i < 1000 && !link.empty(); ++i) {
            const auto [frame, record] = link.front();
            link.pop_front();
            wire.append(frame);
            const SimReplies replies = deaf ? SimReplies() : sim.answerDeviceFrame(frame, SimLink::Tcp, "gw");
            for (const QByteArray &r : replies)
                core->frameReceived(r);
            core->frameSent(frame);
            if (record.waitReply && replies.isEmpty())
                core->replyTimedOut(frame);
        }
    }

    void up()
    {
        core->linkOpened();
        run();
        wire.clear();
    }

    int router() { return core->addClient(GatewayCore::ClientKind::Router, "test"); }

    QByteArray take(int id) { return std::exchange(got[id], {}); }

    void say(int id, const QByteArray &text)
    {
        core->clientBytes(id, text);
        run();
    }

    int simRouting(int output) const { return sim.state().routing[output]; }
};

QByteArray Block(const QByteArray &header, const QByteArray &lines)
{
    return header + ":\n" + lines + "\n";
}

} // namespace

class TestGatewayCore : public QObject
{
    Q_OBJECT

private slots:
    void preludeFollowsTheDevice()
    {
        Rig rig;
        const int early = rig.router();
        QCOMPARE(rig.take(early),
                 QByteArray("PROTOCOL PREAMBLE:\nVersion: 2.8\n\n"
                            "VIDEOHUB DEVICE:\nDevice present: false\n\n"));
        rig.sim.editState([](SimDeviceModel &m) { m.routing[4] = 9; });
        rig.up();
        const QByteArray state = rig.take(early);
        QVERIFY(state.startsWith("VIDEOHUB DEVICE:\nDevice present: true\nModel name: KXR 12x6\n"));
        QVERIFY(state.contains("Video inputs: 12\nVideo processing units: 0\nVideo outputs: 6\n"));
        QVERIFY(state.contains("10 Input11\n11 Input12\n\nOUTPUT LABELS:\n0 Output1\n"));
        QVERIFY(state.contains("VIDEO OUTPUT ROUTING:\n0 0\n1 1\n2 2\n3 3\n4 9\n5 5\n\n"));
        QVERIFY(state.endsWith("CONFIGURATION:\nTake Mode: false\n\nEND PRELUDE:\n\n"));
        const int late = rig.router();
        QCOMPARE(rig.take(late), "PROTOCOL PREAMBLE:\nVersion: 2.8\n\n" + state);
    }

    void routeConfirmedThenTold()
    {
        Rig rig;
        rig.up();
        const int a = rig.router(), b = rig.router();
        const int port = rig.core->addClient(GatewayCore::ClientKind::Device, "window");
        rig.take(a), rig.take(b);
        rig.core->clientBytes(a, Block("VIDEO OUTPUT ROUTING", "5 3\n"));
        QCOMPARE(rig.take(a), QByteArray("ACK\n\n")); // before the device was asked
        rig.run();
        QCOMPARE(rig.wire, QList<QByteArray>{SwitchFrame(3, 5)});
        QCOMPARE(rig.wire.front().toHex(' '), QByteArray("7b 7b 01 02 03 05 fb 7d 7d"));
        QCOMPARE(rig.simRouting(5), 3);
        QCOMPARE(rig.take(a), QByteArray("VIDEO OUTPUT ROUTING:\n5 3\n\n"));
        QCOMPARE(rig.take(b), QByteArray("VIDEO OUTPUT ROUTING:\n5 3\n\n"));
        QVERIFY(rig.take(port).startsWith(QByteArray::fromHex("7b7b11"))); // the window hears of it

        rig.deaf = true; // confirm-then-tell: a failed route shows the real state
        rig.say(b, Block("VIDEO OUTPUT ROUTING", "5 7\n"));
        QCOMPARE(rig.take(b), QByteArray("ACK\n\nVIDEO OUTPUT ROUTING:\n5 3\n\n"));
        QCOMPARE(rig.take(a), QByteArray("VIDEO OUTPUT ROUTING:\n5 3\n\n"));
    }

    void salvoInOrder()
    {
        Rig rig;
        rig.up();
        const int a = rig.router();
        QByteArray lines;
        QList<QByteArray> frames;
        int last[Outputs] = {};
        for (int i = 0; i < 40; ++i) {
            last[i % Outputs] = (i * 7) % Inputs;
            lines += QByteArray::number(i % Outputs) + ' ' + QByteArray::number((i * 7) % Inputs) + '\n';
            frames.append(SwitchFrame((i * 7) % Inputs, i % Outputs));
        }
        rig.take(a);
        rig.say(a, Block("VIDEO OUTPUT ROUTING", lines));
        QCOMPARE(rig.wire, frames);
        for (int o = 0; o < Outputs; ++o)
            QCOMPARE(rig.simRouting(o), last[o]);
        QVERIFY(rig.take(a).startsWith("ACK\n\nVIDEO OUTPUT ROUTING:\n"));
    }

    void locksAcrossClients()
    {
        Rig rig;
        rig.up();
        const int a = rig.router(), b = rig.router(), c = rig.router();
        const int port = rig.core->addClient(GatewayCore::ClientKind::Device, "kxrctl");
        rig.take(a), rig.take(b), rig.take(c);
        rig.say(a, Block("VIDEO OUTPUT LOCKS", "2 O\n"));
        QCOMPARE(rig.take(a), QByteArray("ACK\n\nVIDEO OUTPUT LOCKS:\n2 O\n\n"));
        QCOMPARE(rig.take(b), QByteArray("VIDEO OUTPUT LOCKS:\n2 L\n\n"));
        QVERIFY(rig.take(c).contains("2 L"));

        const QByteArray refused[] = {Block("VIDEO OUTPUT ROUTING", "1 1\n2 1\n"), Block("VIDEO OUTPUT LOCKS", "2 U\n"),
                                      Block("VIDEO OUTPUT LOCKS", "2 O\n")};
        for (const QByteArray &request : refused) {
            rig.say(b, request);
            QCOMPARE(rig.take(b), QByteArray("NAK\n\n"));
        }
        QVERIFY(rig.wire.isEmpty()); // nothing of the refused salvo went out

        const int routedBefore = rig.simRouting(2);
        rig.say(port, SwitchFrame(4, 2)); // the device port is refused too
        QVERIFY(rig.wire.isEmpty());
        QVERIFY(rig.take(port).startsWith(QByteArray::fromHex("7b7b1106")));
        QCOMPARE(rig.simRouting(2), routedBefore);

        rig.say(a, Block("VIDEO OUTPUT ROUTING", "2 4\n")); // the holder routes
        QCOMPARE(rig.simRouting(2), 4);
        QCOMPARE(rig.take(a), QByteArray("ACK\n\nVIDEO OUTPUT ROUTING:\n2 4\n\n"));

        rig.say(c, Block("VIDEO OUTPUT LOCKS", "2 F\n"));
        QCOMPARE(rig.take(a), QByteArray("VIDEO OUTPUT LOCKS:\n2 U\n\n"));
        rig.say(b, Block("VIDEO OUTPUT LOCKS", "3 O\n"));
        rig.take(a);
        rig.core->removeClient(b); // locks end with their client
        QCOMPARE(rig.take(a), QByteArray("VIDEO OUTPUT LOCKS:\n3 U\n\n"));
    }

    void deviceRepliesReachTheirClient()
    {
        Rig rig;
        rig.up();
        const int one = rig.core->addClient(GatewayCore::ClientKind::Device, "one");
        const int two = rig.core->addClient(GatewayCore::ClientKind::Device, "two");
        const QByteArray readIn = PackedDeviceFrame(0x7F, QByteArray("\x03\xC0", 2));
        const QByteArray readOut = PackedDeviceFrame(0x7F, QByteArray("\x01\x80", 2));
        rig.core->clientBytes(one, readIn + readOut.left(4)); // two's frame split in the stream of one: held
        rig.core->clientBytes(two, readOut);
        rig.run();
        QCOMPARE(rig.wire, (QList<QByteArray>{readIn, readOut}));
        QCOMPARE(quint8(rig.take(one).at(5)), quint8(0xC0));
        QCOMPARE(quint8(rig.take(two).at(5)), quint8(0x80));

        const QByteArray report = RoutingReplyFrame({1, 1, 1, 1, 1, 1});
        const int a = rig.router();
        rig.take(a);
        rig.core->frameReceived(report); // unsolicited: to every device-port client
        QCOMPARE(rig.take(one), report);
        QCOMPARE(rig.take(two), report);
        QCOMPARE(rig.take(a), QByteArray("VIDEO OUTPUT ROUTING:\n0 1\n2 1\n3 1\n4 1\n5 1\n\n"));
    }

    void readOnlyRefusesChanges()
    {
        Rig rig({true, 0});
        rig.up();
        const int a = rig.router();
        rig.take(a);
        for (const char *change :
             {"VIDEO OUTPUT ROUTING:\n1 1\n\n", "INPUT LABELS:\n1 x\n\n", "VIDEO OUTPUT LOCKS:\n1 O\n\n"}) {
            rig.say(a, change);
            QCOMPARE(rig.take(a), QByteArray("NAK\n\n"));
        }
        rig.say(a, "PING:\n\nVIDEO OUTPUT LOCKS:\n\n"); // what changes nothing still works
        QCOMPARE(rig.take(a), QByteArray("ACK\n\nACK\n\nVIDEO OUTPUT LOCKS:\n0 U\n1 U\n2 U\n3 U\n4 U\n5 U\n\n"));
        QVERIFY(rig.wire.isEmpty());
    }

    void labelsRenameForAll()
    {
        Rig rig;
        rig.up();
        const int a = rig.router(), b = rig.router();
        rig.take(a), rig.take(b);
        rig.say(a, Block("OUTPUT LABELS", "5 Stage left\n"));
        QCOMPARE(rig.take(a), QByteArray("ACK\n\nOUTPUT LABELS:\n5 Stage left\n\n"));
        QCOMPARE(rig.take(b), QByteArray("OUTPUT LABELS:\n5 Stage left\n\n"));
        QCOMPARE(S_OutputName[5], QStringLiteral("Stage left")); // the window's own name
        QCOMPARE(S_InputName[5], QStringLiteral("Input6"));
        rig.say(b, Block("OUTPUT LABELS", "5 Stage left\n")); // no change, no update
        QCOMPARE(rig.take(a), QByteArray());
        QCOMPARE(rig.take(b), QByteArray("ACK\n\n"));

        S_InputName[11] = QStringLiteral("Renamed in the window"); // the names file was read again
        S_InputName[12] = QStringLiteral("Past the inputs");
        rig.core->namesReloaded();
        QCOMPARE(rig.take(b), QByteArray("INPUT LABELS:\n11 Renamed in the window\n\n"));
    }
};

QTEST_GUILESS_MAIN(TestGatewayCore)
#include "tst_gateway_core.moc"
