// kxrctl run as a process against the device simulator, over TCP and over
// the serial pseudo-terminal: every command with its exit status, its output
// and the exact frames it put on the wire; the faults a script must be able
// to tell apart; and command lines that are refused before anything is sent.
#include "app/ByteText.h"
#include "support/KxrctlProcess.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

enum class Link { Tcp, Serial };

constexpr int ExitOk = 0;
constexpr int ExitUsage = 2;
constexpr int ExitConnection = 3;
constexpr int ExitTimeout = 4;
constexpr int ExitContradiction = 5;
constexpr int EdidBytes = 256;
constexpr int WatchBoundMs = 10000;

QStringList linkArguments(const SimHarness &sim, Link link)
{
    if (link == Link::Tcp)
        return {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(sim.tcpPort())};
    return {QStringLiteral("--serial"), sim.ptyPath()};
}

SimLink simLink(Link link)
{
    return link == Link::Tcp ? SimLink::Tcp : SimLink::Pty;
}

QVector<QByteArray> requestFrames(const SimHarness &sim, Link link)
{
    QVector<QByteArray> frames;
    for (const SimTrafficEntry &entry : sim.requests(simLink(link)))
        frames << entry.bytes;
    return frames;
}

void addLinkRows()
{
    QTest::addColumn<Link>("link");
    QTest::newRow("tcp") << Link::Tcp;
    QTest::newRow("serial") << Link::Serial;
}

QByteArray identification()
{
    return DeviceFrameOf(0x95, Hex("00 00 00"));
}

// A base block and one extension with their checksums balanced.
QByteArray validEdid()
{
    QByteArray edid(EdidBytes, '\0');
    const QByteArray header = Hex("00 FF FF FF FF FF FF 00");
    edid.replace(0, header.size(), header);
    for (int i = 8; i < 126; ++i)
        edid[i] = char(i * 7);
    edid[126] = 1;
    for (int i = 128; i < 255; ++i)
        edid[i] = char(i * 3);
    for (int block = 0; block < 2; ++block) {
        quint32 sum = 0;
        for (int i = block * 128; i < block * 128 + 127; ++i)
            sum += quint8(edid[i]);
        edid[block * 128 + 127] = char((256 - sum % 256) % 256);
    }
    return edid;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QStringList lines(const QByteArray &text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

Q_DECLARE_METATYPE(Link)

class TestCliE2e : public QObject
{
    Q_OBJECT

private slots:
    void status_json_matchesTheSimulatorFieldByField_data() { addLinkRows(); }
    void status_json_matchesTheSimulatorFieldByField();
    void route_switchesOneOutputAndPrintsTheReadBack_data() { addLinkRows(); }
    void route_switchesOneOutputAndPrintsTheReadBack();
    void route_all_feedsEveryOutput();
    void salvo_saveThenApply_sendsOnlyTheChanges();
    void audio_switchesTheAudioInput_data() { addLinkRows(); }
    void audio_switchesTheAudioInput();
    void preset_saveThenLoad_restoresTheRouting_data() { addLinkRows(); }
    void preset_saveThenLoad_restoresTheRouting();
    void edid_writeThenRead_carriesTheImageBothWays_data() { addLinkRows(); }
    void edid_writeThenRead_carriesTheImageBothWays();
    void raw_sendsTheBytesAsTypedAndPrintsTheAnswer();
    void watch_printsUnaskedFramesDecoded_data() { addLinkRows(); }
    void watch_printsUnaskedFramesDecoded();
    void watch_endsWithStatusZero_data();
    void watch_endsWithStatusZero();
    void watch_lostLink_exitsWithConnectionError_data() { addLinkRows(); }
    void watch_lostLink_exitsWithConnectionError();
    void search_listsEveryModuleOnce();
    void search_withoutAnswer_exitsWithTimeout();
    void droppedReply_exitsWithTimeoutNamingTheCommand_data();
    void droppedReply_exitsWithTimeoutNamingTheCommand();
    void lockedRouting_exitsWithContradiction();
    void route_onTwentyOutputs_confirmsOutputSixteen();
    void refusedCommandLine_sendsNothing_data();
    void refusedCommandLine_sendsNothing();
    void closedPort_exitsWithConnectionError();
};

void TestCliE2e::status_json_matchesTheSimulatorFieldByField()
{
    QFETCH(Link, link);
    SimHarness sim;
    QVERIFY(sim.isRunning());
    sim.device().editState([](SimDeviceModel &m) {
        m.routing[0] = 3;
        m.routing[5] = 7;
        m.lrInput = 2;
        m.inputs[0].bind = true;
        m.inputs[1].bind = true;
        m.inputs[2].type = 3;
        m.inputs[2].width = 1280;
        m.inputs[2].height = 720;
        m.inputs[2].rate = 50;
        m.inputs[4].interlaced = true;
        m.inputs[6].audio = 1;
        m.outputs[1].format = 5;
        m.outputs[2].mute = true;
        m.outputs[3].freeze = true;
        m.outputs[4].black = true;
    });
    const KxrctlResult run =
        RunKxrctlProcess(linkArguments(sim, link) << QStringLiteral("status") << QStringLiteral("--json"));
    QVERIFY2(run.finished && run.exitCode == ExitOk, run.err.constData());
    QVERIFY(run.err.isEmpty());

    QJsonParseError parse;
    const QJsonObject status = QJsonDocument::fromJson(run.out, &parse).object();
    QCOMPARE(parse.error, QJsonParseError::NoError);
    const SimDeviceModel m = sim.device().state();

    const QJsonObject device = status.value(QStringLiteral("device")).toObject();
    QCOMPARE(device.value(QStringLiteral("inputs")).toInt(), int(m.inputCount));
    QCOMPARE(device.value(QStringLiteral("outputs")).toInt(), int(m.outputCount));
    QCOMPARE(device.value(QStringLiteral("presets")).toInt(), int(m.layoutCount));
    QCOMPARE(device.value(QStringLiteral("model3")).toInt(), int(m.model3));
    QCOMPARE(status.value(QStringLiteral("audio")).toObject().value(QStringLiteral("input")).toInt(), m.lrInput + 1);

    const QJsonArray routing = status.value(QStringLiteral("routing")).toArray();
    QCOMPARE(routing.size(), int(m.outputCount));
    for (int o = 0; o < routing.size(); ++o) {
        QCOMPARE(routing.at(o).toObject().value(QStringLiteral("output")).toInt(), o + 1);
        QCOMPARE(routing.at(o).toObject().value(QStringLiteral("input")).toInt(), m.routing[o] + 1);
    }

    // The inputs: their decoded fields in words, where a field read for the
    // wrong input or in the wrong byte would show.
    const QJsonArray inputs = status.value(QStringLiteral("inputs")).toArray();
    QCOMPARE(inputs.size(), int(m.inputCount));
    for (int i = 0; i < inputs.size(); ++i) {
        QCOMPARE(inputs.at(i).toObject().value(QStringLiteral("input")).toInt(), i + 1);
        QCOMPARE(inputs.at(i).toObject().value(QStringLiteral("bind")).toBool(), m.inputs[i].bind);
    }
    QCOMPARE(inputs.at(4).toObject().value(QStringLiteral("signal")).toObject().value(QStringLiteral("interlaced")),
             QJsonValue(true));
    QCOMPARE(inputs.at(2).toObject().value(QStringLiteral("typeName")).toString(), QStringLiteral("DVI"));
    QCOMPARE(
        inputs.at(2).toObject().value(QStringLiteral("signal")).toObject().value(QStringLiteral("text")).toString(),
        QStringLiteral("1280x720p50"));
    QCOMPARE(inputs.at(6).toObject().value(QStringLiteral("audioSelectName")).toString(), QStringLiteral("L/R"));

    const QJsonArray outputs = status.value(QStringLiteral("outputs")).toArray();
    QCOMPARE(outputs.size(), int(m.outputCount));
    for (int o = 0; o < outputs.size(); ++o) {
        const QJsonObject out = outputs.at(o).toObject();
        const SimOutput &simOut = m.outputs[o];
        QCOMPARE(out.value(QStringLiteral("output")).toInt(), o + 1);
        QCOMPARE(out.value(QStringLiteral("board")).toInt(), int(simOut.kind));
        QCOMPARE(out.value(QStringLiteral("type")).toInt(), int(simOut.type));
        QCOMPARE(out.value(QStringLiteral("format")).toInt(), int(simOut.format));
        QCOMPARE(out.value(QStringLiteral("mute")).toBool(), simOut.mute);
        QCOMPARE(out.value(QStringLiteral("freeze")).toBool(), simOut.freeze);
        QCOMPARE(out.value(QStringLiteral("black")).toBool(), simOut.black);
        // An output shows the timing of the input that feeds it.
        const SimInput &source = m.inputs[m.routing[o]];
        QCOMPARE(out.value(QStringLiteral("signal")).toObject().value(QStringLiteral("width")).toInt(),
                 int(source.outWidth));
    }

    const QJsonObject wall = status.value(QStringLiteral("wall")).toObject();
    QCOMPARE(wall.value(QStringLiteral("rows")).toInt(), int(m.wall.rows));
    QCOMPARE(wall.value(QStringLiteral("cols")).toInt(), int(m.wall.cols));
    const QJsonArray cells = wall.value(QStringLiteral("cells")).toArray();
    QCOMPARE(cells.size(), int(m.wall.cellCount));
    for (int c = 0; c < cells.size(); ++c) {
        const QJsonObject cell = cells.at(c).toObject();
        const SimWallCell &simCell = m.wall.cells[c];
        QCOMPARE(cell.value(QStringLiteral("output")).toInt(), simCell.output + 1);
        QCOMPARE(cell.value(QStringLiteral("input")).toInt(), m.routing[simCell.output] + 1);
        QCOMPARE(cell.value(QStringLiteral("spliced")).toBool(), bool(simCell.flags & 1));
    }

    // Identification, then the window's full read: routing, audio input,
    // each input, pairing, each output, TV wall; nothing else.
    const QVector<QByteArray> frames = requestFrames(sim, link);
    QCOMPARE(frames.size(), 1 + 2 + int(m.inputCount) + 1 + int(m.outputCount) + 1);
    QCOMPARE(frames.first(), identification());
    QCOMPARE(frames.at(1), DeviceFrameOf(0x12, Hex("00")));
    QCOMPARE(frames.last(), DeviceFrameOf(0x93, Hex("00 80 00 00 00")));
}

void TestCliE2e::route_switchesOneOutputAndPrintsTheReadBack()
{
    QFETCH(Link, link);
    SimHarness sim;
    const KxrctlResult run = RunKxrctlProcess(linkArguments(sim, link)
                                              << QStringLiteral("route") << QStringLiteral("2") << QStringLiteral("3"));
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    QCOMPARE(run.out, QByteArray("route 2 3\n"));
    QCOMPARE(int(sim.device().state().routing[2]), 1);
    const QVector<QByteArray> expected{identification(), DeviceFrameOf(0x01, Hex("01 02"))};
    QCOMPARE(requestFrames(sim, link), expected);
}

void TestCliE2e::route_all_feedsEveryOutput()
{
    {
        // A saved status replays as a salvo; several pairs in one call.
        SimHarness sim;
        const KxrctlResult saved = RunKxrctlProcess(linkArguments(sim, Link::Tcp) << QStringLiteral("status"));
        const KxrctlResult changed = RunKxrctlProcess(
            linkArguments(sim, Link::Tcp) << QStringLiteral("route") << QStringLiteral("5") << QStringLiteral("1")
                                          << QStringLiteral("6") << QStringLiteral("2"));
        QCOMPARE(changed.out, QByteArray("route 5 1\nroute 6 2\n"));
        QTemporaryDir dir;
        const QString file = writeFile(dir, QStringLiteral("saved.txt"), saved.out);
        const KxrctlResult restored = RunKxrctlProcess(linkArguments(sim, Link::Tcp)
                                                       << QStringLiteral("route") << QStringLiteral("--from") << file);
        QVERIFY2(restored.exitCode == ExitOk, restored.err.constData());
        QCOMPARE(lines(restored.out), lines(saved.out).filter(QRegularExpression(QStringLiteral("^route "))));
        QCOMPARE(int(sim.device().state().routing[0]), 0);
        const QString bad = writeFile(dir, QStringLiteral("bad.txt"), "1 2\n# fine\n3 x\n");
        const KxrctlResult refused = RunKxrctlProcess(linkArguments(sim, Link::Tcp)
                                                      << QStringLiteral("route") << QStringLiteral("--from") << bad);
        QCOMPARE(refused.exitCode, ExitUsage);
        QVERIFY2(refused.err.contains(": line 3: \"x\" is not an output number"), refused.err.constData());
    }

    SimHarness sim;
    const KxrctlResult run = RunKxrctlProcess(
        linkArguments(sim, Link::Tcp) << QStringLiteral("route") << QStringLiteral("4") << QStringLiteral("all"));
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    const SimDeviceModel m = sim.device().state();
    QStringList expected;
    for (int o = 0; o < m.outputCount; ++o) {
        QCOMPARE(int(m.routing[o]), 3);
        expected << QStringLiteral("route 4 %1").arg(o + 1);
    }
    QCOMPARE(lines(run.out), expected);
    QCOMPARE(requestFrames(sim, Link::Tcp).last(), DeviceFrameOf(0x01, Hex("03 FF")));
}

void TestCliE2e::salvo_saveThenApply_sendsOnlyTheChanges()
{
    QTemporaryDir dir;
    qputenv("KXR_SALVO_DIR", dir.filePath(QStringLiteral("salvos")).toUtf8());
    SimHarness sim;
    sim.device().editState([](SimDeviceModel &m) {
        for (int o = 0; o < m.outputCount; ++o)
            m.routing[o] = o;
    });
    const auto run = [&](const QString &line) {
        return RunKxrctlProcess(linkArguments(sim, Link::Tcp) + line.split(QLatin1Char(' ')));
    };
    const KxrctlResult saved = run(QStringLiteral("salvo save studio 1-3,5"));
    QVERIFY2(saved.exitCode == ExitOk, saved.err.constData());
    QCOMPARE(saved.out, QByteArray("route 1 1\nroute 2 2\nroute 3 3\nroute 5 5\n"));
    sim.device().editState([](SimDeviceModel &m) {
        m.routing[1] = 6;
        m.routing[2] = 7;
        m.routing[3] = 0; // not in the salvo
    });

    // The dry run and the apply print the same changes; only the apply
    // switches, and only those outputs.
    const QByteArray changes("output 2: 7 -> 2\noutput 3: 8 -> 3\n");
    const QVector<QByteArray> readOnly{identification(), DeviceFrameOf(0x12, Hex("00"))};
    int sent = requestFrames(sim, Link::Tcp).size();
    const KxrctlResult dry = run(QStringLiteral("salvo apply studio --dry-run"));
    QVERIFY2(dry.exitCode == ExitOk, dry.err.constData());
    QCOMPARE(dry.out, changes);
    QCOMPARE(requestFrames(sim, Link::Tcp).mid(sent), readOnly);
    sent = requestFrames(sim, Link::Tcp).size();
    const KxrctlResult applied = run(QStringLiteral("salvo apply studio"));
    QVERIFY2(applied.exitCode == ExitOk, applied.err.constData());
    QCOMPARE(applied.out, changes);
    const QVector<QByteArray> switches{DeviceFrameOf(0x01, Hex("01 01")), DeviceFrameOf(0x01, Hex("02 02"))};
    QCOMPARE(requestFrames(sim, Link::Tcp).mid(sent), readOnly + switches);
    QCOMPARE(int(sim.device().state().routing[2]), 2);
    const KxrctlResult again = run(QStringLiteral("salvo apply studio"));
    QVERIFY(again.exitCode == ExitOk && again.out.isEmpty());

    // route --dry-run: later pairs win, unchanged outputs are left out.
    sent = requestFrames(sim, Link::Tcp).size();
    const KxrctlResult route = run(QStringLiteral("route 4 all 2 2 6 6 --dry-run --json"));
    QVERIFY2(route.exitCode == ExitOk, route.err.constData());
    QStringList outputs;
    for (const QString &line : lines(route.out)) {
        const QJsonObject change = QJsonDocument::fromJson(line.toUtf8()).object().value("change").toObject();
        outputs << QStringLiteral("%1:%2>%3")
                       .arg(change.value("output").toInt())
                       .arg(change.value("from").toInt())
                       .arg(change.value("to").toInt());
    }
    QCOMPARE(outputs.join(' '), QStringLiteral("1:1>4 3:3>4 4:1>4 5:5>4 7:7>4 8:8>4"));
    QCOMPARE(requestFrames(sim, Link::Tcp).mid(sent), readOnly);

    // A salvo of a larger device is refused before anything is switched.
    const QString big = writeFile(dir, QStringLiteral("big.json"),
                                  "{\"format\": \"kxr-salvo\", \"version\": 1, \"name\": \"big\", \"outputs\": 16,\n"
                                  "\"routes\": [{\"output\": 1, \"input\": 2}, {\"output\": 12, \"input\": 2}]}");
    sent = requestFrames(sim, Link::Tcp).size();
    const KxrctlResult refused = run(QStringLiteral("salvo apply ") + big);
    QCOMPARE(refused.exitCode, ExitUsage);
    QVERIFY2(refused.err.contains("salvo apply: output 12 is out of range: the device has 8 outputs"),
             refused.err.constData());
    QCOMPARE(requestFrames(sim, Link::Tcp).mid(sent), readOnly.mid(0, 1));
}

void TestCliE2e::audio_switchesTheAudioInput()
{
    QFETCH(Link, link);
    SimHarness sim;
    const KxrctlResult run =
        RunKxrctlProcess(linkArguments(sim, link) << QStringLiteral("audio") << QStringLiteral("5"));
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    QCOMPARE(run.out, QByteArray("audio 5\n"));
    QCOMPARE(int(sim.device().state().lrInput), 4);
    QCOMPARE(requestFrames(sim, link).last(), DeviceFrameOf(0xD9, Hex("00 00 04")));
}

void TestCliE2e::preset_saveThenLoad_restoresTheRouting()
{
    QFETCH(Link, link);
    SimHarness sim;
    sim.device().editState([](SimDeviceModel &m) {
        for (int o = 0; o < m.outputCount; ++o)
            m.routing[o] = quint8(m.outputCount - 1 - o);
    });
    const SimDeviceModel saved = sim.device().state();
    KxrctlResult run = RunKxrctlProcess(linkArguments(sim, link)
                                        << QStringLiteral("preset") << QStringLiteral("save") << QStringLiteral("3"));
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    QVERIFY(run.out.isEmpty());
    QVERIFY(sim.device().state().layouts[2].saved);
    // The save is not answered: the routing read behind it confirms it.
    QVector<QByteArray> frames = requestFrames(sim, link);
    QCOMPARE(frames.mid(1), (QVector<QByteArray>{DeviceFrameOf(0x02, Hex("02")), DeviceFrameOf(0x12, Hex("00"))}));

    sim.device().editState([](SimDeviceModel &m) {
        for (int o = 0; o < m.outputCount; ++o)
            m.routing[o] = 0;
    });
    run = RunKxrctlProcess(linkArguments(sim, link)
                           << QStringLiteral("preset") << QStringLiteral("load") << QStringLiteral("3"));
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    QStringList expected;
    for (int o = 0; o < saved.outputCount; ++o) {
        QCOMPARE(sim.device().state().routing[o], saved.routing[o]);
        expected << QStringLiteral("route %1 %2").arg(saved.routing[o] + 1).arg(o + 1);
    }
    QCOMPARE(lines(run.out), expected);
    // The device answers the recall with its routing, which may come before
    // the read behind it goes out and then answers it.
    QTRY_VERIFY_WITH_TIMEOUT(requestFrames(sim, link).mid(frames.size() + 1).startsWith(DeviceFrameOf(0x03, Hex("02"))),
                             2000);
}

void TestCliE2e::edid_writeThenRead_carriesTheImageBothWays()
{
    QFETCH(Link, link);
    SimHarness sim;
    QTemporaryDir dir;
    const QByteArray image = validEdid();
    const QString source = writeFile(dir, QStringLiteral("panel.bin"), image);
    KxrctlResult run = RunKxrctlProcess(linkArguments(sim, link) << QStringLiteral("edid") << QStringLiteral("write")
                                                                 << QStringLiteral("2") << source);
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    QCOMPARE(sim.device().state().inputs[1].edid, image);
    // Sixteen blocks of sixteen bytes, the last at offset 0xF0.
    const QVector<QByteArray> writes = requestFrames(sim, link).mid(1);
    QCOMPARE(writes.size(), 16);
    QCOMPARE(writes.last().mid(4, 3), Hex("01 40 F0"));

    const QString target = dir.filePath(QStringLiteral("display.bin"));
    run = RunKxrctlProcess(linkArguments(sim, link) << QStringLiteral("edid") << QStringLiteral("read")
                                                    << QStringLiteral("1") << QStringLiteral("-o") << target);
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), sim.device().state().outputs[0].edid);
}

void TestCliE2e::raw_sendsTheBytesAsTypedAndPrintsTheAnswer()
{
    SimHarness sim;
    KxrctlResult run =
        RunKxrctlProcess(linkArguments(sim, Link::Tcp)
                         << QStringLiteral("raw") << QStringLiteral("7B 7B 12 01") << QStringLiteral("00037D7D")
                         << QStringLiteral("--timeout") << QStringLiteral("300"));
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    // No identification: only the bytes as typed.
    QCOMPARE(requestFrames(sim, Link::Tcp), QVector<QByteArray>{Hex("7B 7B 12 01 00 03 7D 7D")});
    const QStringList text = lines(run.out);
    QCOMPARE(text.size(), 1);
    QVERIFY(text.first().contains(QStringLiteral("7B 7B 11 08 00 01 02 03 04 05 06 07")));
    QVERIFY(text.first().endsWith(QStringLiteral("| routing 1:1 2:2 3:3 4:4 5:5 6:6 7:7 8:8")));

    run = RunKxrctlProcess(linkArguments(sim, Link::Tcp)
                           << QStringLiteral("raw") << QStringLiteral("7B7B120100037D7D") << QStringLiteral("--json"));
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    const QJsonObject line = QJsonDocument::fromJson(run.out).object();
    QVERIFY(line.value(QStringLiteral("frame")).toString().startsWith(QStringLiteral("7B 7B 11 08")));
    QCOMPARE(line.value(QStringLiteral("decoded")).toArray().first().toString(),
             QStringLiteral("routing 1:1 2:2 3:3 4:4 5:5 6:6 7:7 8:8"));

    // Bytes nobody answers: nothing comes back within the timeout.
    run = RunKxrctlProcess(linkArguments(sim, Link::Tcp) << QStringLiteral("raw") << QStringLiteral("01 02 03")
                                                         << QStringLiteral("--timeout") << QStringLiteral("200"));
    QCOMPARE(run.exitCode, ExitTimeout);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.contains("raw: nothing came back within 200 ms"));

    // A body framed for the user; the reply ends the wait, and a mute reply
    // tells of the mute alone.
    run = RunKxrctlProcess(linkArguments(sim, Link::Tcp)
                           << QStringLiteral("raw") << QStringLiteral("--body") << QStringLiteral("49 02 80 05 01")
                           << QStringLiteral("--timeout") << QStringLiteral("5000"));
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    QCOMPARE(requestFrames(sim, Link::Tcp).last(), DeviceFrameOf(0x49, Hex("02 80 05 01")));
    QVERIFY2(run.elapsedMs < 2000, QByteArray::number(run.elapsedMs).constData());
    QVERIFY2(lines(run.out).first().contains(QRegularExpression(QStringLiteral("\\| output 3 mute o[nf]+$"))),
             run.out.constData());
}

void TestCliE2e::watch_printsUnaskedFramesDecoded()
{
    QFETCH(Link, link);
    SimHarness sim;
    QProcess watch;
    QElapsedTimer clock;
    clock.start();
    watch.start(KxrctlPath(),
                linkArguments(sim, link) << QStringLiteral("watch") << QStringLiteral("--json")
                                         << QStringLiteral("--count") << QStringLiteral("2") << QStringLiteral("--for")
                                         << QString::number(WatchBoundMs));
    QVERIFY(watch.waitForStarted());
    // Reports go out until two have been printed; those that arrive before
    // the identification is over are not "unasked" frames yet.
    const QByteArray report = DeviceFrameOf(0x11, Hex("07 06 05 04 03 02 01 00"));
    for (int i = 0; i < 100 && watch.state() != QProcess::NotRunning; ++i) {
        if (!sim.replies(simLink(link)).isEmpty())
            sim.sendUnsolicited(report);
        watch.waitForFinished(100);
    }
    const KxrctlResult run = ResultOf(watch, clock.elapsed());
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    const QStringList text = lines(run.out);
    QCOMPARE(text.size(), 2);
    for (const QString &line : text) {
        const QJsonObject frame = QJsonDocument::fromJson(line.toUtf8()).object();
        QCOMPARE(frame.value(QStringLiteral("frame")).toString(), BytesToHexText(report));
        QCOMPARE(frame.value(QStringLiteral("decoded")).toArray().first().toString(),
                 QStringLiteral("routing 1:8 2:7 3:6 4:5 5:4 6:3 7:2 8:1"));
    }
}

void TestCliE2e::watch_endsWithStatusZero_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("runs");
    QTest::newRow("SIGTERM") << "term" << 1;
    // timeout(1) sends two; here they keep coming through the shutdown.
    QTest::newRow("SIGTERM again and again") << "term again" << 3;
    QTest::newRow("its reader reads one line and goes") << "head" << 1;
    QTest::newRow("its reader goes before any line") << "gone" << 1;
}

void TestCliE2e::watch_endsWithStatusZero()
{
    QFETCH(QString, how);
    QFETCH(int, runs);
    SimOptions options = SimHarness::TestOptions();
    options.faults.unsolicitedMs = how == QLatin1String("head") ? 50 : 0;
    SimHarness sim(options);
    const QStringList watchArguments = linkArguments(sim, Link::Tcp) << QStringLiteral("watch");
    for (int run = 0; run < runs; ++run) {
        const int repliesBefore = sim.replies(SimLink::Tcp).size();
        QProcess watch;
        QElapsedTimer clock;
        clock.start();
        if (how.startsWith(QLatin1String("term"))) {
            watch.start(KxrctlPath(), watchArguments);
        } else {
            // The shell's status is the pipeline's first command's.
            const QString reader = how == QLatin1String("head") ? QStringLiteral("head -n 1") : QStringLiteral("true");
            watch.start(QStringLiteral("bash"),
                        QStringList{QStringLiteral("-c"), QStringLiteral("set -o pipefail; \"$0\" \"$@\" | ") + reader,
                                    KxrctlPath()}
                            + watchArguments);
        }
        QVERIFY(watch.waitForStarted());
        if (how.startsWith(QLatin1String("term"))) {
            QTRY_VERIFY_WITH_TIMEOUT(sim.replies(SimLink::Tcp).size() > repliesBefore, 5000);
            if (how == QLatin1String("term again")) {
                // Back to back until the process is gone.
                QProcess::startDetached(QStringLiteral("sh"),
                                        {QStringLiteral("-c"),
                                         QStringLiteral("while kill -TERM $0 2>/dev/null; do :; done"),
                                         QString::number(watch.processId())});
            } else {
                watch.terminate();
            }
        }
        QVERIFY(watch.state() == QProcess::NotRunning || watch.waitForFinished(5000));
        QCOMPARE(watch.exitStatus(), QProcess::NormalExit);
        QVERIFY2(watch.exitCode() == ExitOk, watch.readAllStandardError().constData());
        QVERIFY(clock.elapsed() < 5000);
    }
}

void TestCliE2e::watch_lostLink_exitsWithConnectionError()
{
    QFETCH(Link, link);
    SimHarness sim;
    QProcess watch;
    watch.start(KxrctlPath(),
                linkArguments(sim, link) << QStringLiteral("watch") << QStringLiteral("--for")
                                         << QString::number(WatchBoundMs));
    QVERIFY(watch.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(!sim.replies(simLink(link)).isEmpty(), 5000);
    if (link == Link::Tcp) {
        sim.setTcpListening(false);
        sim.dropTcpClients();
    } else {
        sim.closeSerial();
    }
    QVERIFY(watch.waitForFinished(WatchBoundMs));
    const KxrctlResult run = ResultOf(watch, 0);
    QCOMPARE(run.exitCode, ExitConnection);
    QVERIFY2(run.err.contains("watch: the connection to the device was lost"), run.err.constData());
}

void TestCliE2e::search_listsEveryModuleOnce()
{
    SimOptions options = SimHarness::TestOptions();
    options.udpAny = true;
    options.model.modules = 2;
    SimHarness sim(options);
    QVERIFY(sim.isRunning());
    const KxrctlResult run =
        RunKxrctlProcess({QStringLiteral("search"), QStringLiteral("--json"), QStringLiteral("--udp-port"),
                          QString::number(sim.udpPort()), QStringLiteral("--timeout"), QStringLiteral("500")});
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    const QStringList text = lines(run.out);
    QCOMPARE(text.size(), 2);
    const SimDeviceModel m = sim.device().state();
    const QStringList macs{QStringLiteral("00-1a-2b-3c-4d-5e"), QStringLiteral("00-1a-2b-3c-4d-5f")};
    for (int i = 0; i < text.size(); ++i) {
        const QJsonObject module = QJsonDocument::fromJson(text.at(i).toUtf8()).object();
        QCOMPARE(module.value(QStringLiteral("name")).toString(), QStringLiteral("KXR-NET-%1").arg(i + 1));
        QCOMPARE(module.value(QStringLiteral("ip")).toString(), QStringLiteral("192.168.0.%1").arg(247 + i));
        QCOMPARE(module.value(QStringLiteral("mac")).toString(), macs.at(i));
        QCOMPARE(module.value(QStringLiteral("version")).toString(), QString::number(m.modules.at(i).version));
    }
    // The search is the four bytes FF 01 01 02, once from every address.
    for (const SimTrafficEntry &entry : sim.requests(SimLink::Udp))
        QCOMPARE(entry.bytes, Hex("FF 01 01 02"));
}

void TestCliE2e::search_withoutAnswer_exitsWithTimeout()
{
    SimOptions options = SimHarness::TestOptions();
    options.udpAny = true;
    options.faults.mutedNetCodes = {0x01};
    SimHarness sim(options);
    const KxrctlResult run =
        RunKxrctlProcess({QStringLiteral("search"), QStringLiteral("--udp-port"), QString::number(sim.udpPort()),
                          QStringLiteral("--timeout"), QStringLiteral("300")});
    QCOMPARE(run.exitCode, ExitTimeout);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.contains("search: no network module answered within 300 ms"));
}

void TestCliE2e::droppedReply_exitsWithTimeoutNamingTheCommand_data()
{
    QTest::addColumn<Link>("link");
    QTest::addColumn<quint8>("mutedCode");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("switch over tcp") << Link::Tcp << quint8(0x01)
                                     << QByteArray("route: the device did not confirm the switch within 300 ms");
    QTest::newRow("switch over serial") << Link::Serial << quint8(0x01)
                                        << QByteArray("route: the device did not confirm the switch within 300 ms");
    QTest::newRow("identification") << Link::Tcp << quint8(0x95)
                                    << QByteArray("route: the device did not confirm the identification query");
}

void TestCliE2e::droppedReply_exitsWithTimeoutNamingTheCommand()
{
    QFETCH(Link, link);
    QFETCH(quint8, mutedCode);
    QFETCH(QByteArray, message);
    SimOptions options = SimHarness::TestOptions();
    options.faults.mutedCodes = {mutedCode};
    SimHarness sim(options);
    const KxrctlResult run = RunKxrctlProcess(linkArguments(sim, link)
                                              << QStringLiteral("--timeout") << QStringLiteral("300")
                                              << QStringLiteral("route") << QStringLiteral("2") << QStringLiteral("3"));
    QCOMPARE(run.exitCode, ExitTimeout);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(message), run.err.constData());
    // The command was sent once and never repeated.
    int sent = 0;
    for (const QByteArray &frame : requestFrames(sim, link))
        sent += quint8(frame.at(2)) == mutedCode ? 1 : 0;
    QCOMPARE(sent, 1);
}

void TestCliE2e::lockedRouting_exitsWithContradiction()
{
    SimOptions options = SimHarness::TestOptions();
    options.faults.lockedRouting = true;
    SimHarness sim(options);
    const KxrctlResult run = RunKxrctlProcess(linkArguments(sim, Link::Tcp)
                                              << QStringLiteral("route") << QStringLiteral("2") << QStringLiteral("3"));
    QCOMPARE(run.exitCode, ExitContradiction);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains("route: the device reports output 3 fed by input 3 after the switch to input 2"),
             run.err.constData());

    // A salvo goes on after a pair that did not hold and names them all.
    const KxrctlResult salvo = RunKxrctlProcess(linkArguments(sim, Link::Tcp)
                                                << QStringLiteral("route") << QStringLiteral("2") << QStringLiteral("3")
                                                << QStringLiteral("4") << QStringLiteral("5"));
    QCOMPARE(salvo.exitCode, ExitContradiction);
    QVERIFY2(salvo.err.contains("route: 2 of 2 routes did not hold: 2 3, 4 5"), salvo.err.constData());
    QTemporaryDir dir;
    const QString file = writeFile(dir, QStringLiteral("s.json"),
                                   "{\"format\": \"kxr-salvo\", \"version\": 1, \"name\": \"s\", \"outputs\": 8, "
                                   "\"routes\": [{\"output\": 3, \"input\": 2}, {\"output\": 5, \"input\": 4}]}");
    const KxrctlResult applied =
        RunKxrctlProcess(linkArguments(sim, Link::Tcp) << QStringLiteral("salvo") << QStringLiteral("apply") << file);
    QCOMPARE(applied.exitCode, ExitContradiction);
    QVERIFY2(applied.err.contains("salvo apply: 2 of 2 changes did not hold: output 3, output 5"),
             applied.err.constData());
}

void TestCliE2e::route_onTwentyOutputs_confirmsOutputSixteen()
{
    // A 20 x 20 device, played here: its routing reply carries 20 outputs,
    // which the model folds onto output 16.
    QTcpServer device;
    QVERIFY(device.listen(QHostAddress::LocalHost));
    QByteArray routing(20, '\0');
    for (int o = 0; o < routing.size(); ++o)
        routing[o] = char(o);
    QObject::connect(&device, &QTcpServer::newConnection, &device, [&] {
        QTcpSocket *client = device.nextPendingConnection();
        QObject::connect(client, &QTcpSocket::readyRead, client, [&routing, client] {
            const QByteArray request = client->readAll();
            if (request.size() < 7)
                return;
            const quint8 code = quint8(request.at(2));
            if (code == 0x95)
                client->write(DeviceFrameOf(0x95, Hex("00 14 14 00 00 00 10")));
            else if (code == 0x01) {
                routing[quint8(request.at(5))] = request.at(4);
                client->write(DeviceFrameOf(0x11, routing));
            }
        });
    });
    QProcess route;
    route.start(KxrctlPath(),
                {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(device.serverPort()),
                 QStringLiteral("route"), QStringLiteral("1"), QStringLiteral("16")});
    QTRY_VERIFY_WITH_TIMEOUT(route.state() == QProcess::NotRunning, 10000);
    const KxrctlResult run = ResultOf(route, 0);
    QVERIFY2(run.exitCode == ExitOk, run.err.constData());
    QCOMPARE(run.out, QByteArray("route 1 16\n"));
}

void TestCliE2e::refusedCommandLine_sendsNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("withLink");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("framesSent"); // the identification at most

    QTest::newRow("unknown command") << QStringList{"frobnicate"} << true << ExitUsage
                                     << QByteArray("unknown command \"frobnicate\"") << 0;
    QTest::newRow("input 0") << QStringList{"route", "0", "1"} << true << ExitUsage
                             << QByteArray("route: input 0 does not exist: inputs are numbered from 1") << 0;
    QTest::newRow("output above any device")
        << QStringList{"route", "1", "17"} << true << ExitUsage << QByteArray("route: output 17 is out of range") << 0;
    QTest::newRow("input above the device's count")
        << QStringList{"route", "9", "1"} << true << ExitUsage
        << QByteArray("route: input 9 is out of range: the device has 8 inputs") << 1;
    QTest::newRow("audio input above the device's count")
        << QStringList{"audio", "12"} << true << ExitUsage << QByteArray("audio: input 12 is out of range") << 1;
    QTest::newRow("preset above the device's count")
        << QStringList{"preset", "load", "20"} << true << ExitUsage
        << QByteArray("preset load: preset 20 is out of range: the device has 16 presets") << 1;
    QTest::newRow("malformed host") << QStringList{"--tcp", "300.1.1.1", "status"} << false << ExitUsage
                                    << QByteArray("status: malformed host \"300.1.1.1\"") << 0;
    QTest::newRow("malformed port") << QStringList{"--tcp", "127.0.0.1:99999", "status"} << false << ExitUsage
                                    << QByteArray("status: malformed port \"99999\"") << 0;
    QTest::newRow("no link") << QStringList{"status"} << false << ExitUsage << QByteArray("no device link given") << 0;
    QTest::newRow("missing EDID file") << QStringList{"edid", "write", "1", "/nonexistent/panel.bin"} << true
                                       << ExitUsage
                                       << QByteArray("cannot read \"/nonexistent/panel.bin\": no such file") << 0;
    QTest::newRow("missing EDID folder") << QStringList{"edid", "read", "1", "-o", "/nonexistent/x.bin"} << true
                                         << ExitUsage << QByteArray("no such directory") << 0;
    QTest::newRow("serial port that does not exist")
        << QStringList{"--serial", "/dev/kxr-no-such-port", "status"} << false << ExitConnection
        << QByteArray("status: cannot open serial port /dev/kxr-no-such-port: no such device") << 0;
    QTest::newRow("serial port that is no serial device")
        << QStringList{"--serial", "/dev/null", "status"} << false << ExitConnection
        << QByteArray("status: cannot open serial port /dev/null: not a serial device") << 0;
    QTest::newRow("EDID output that is a read-only file")
        << QStringList{"edid", "read", "3", "-o", "/proc/version"} << true << ExitUsage
        << QByteArray("edid read: cannot write \"/proc/version\": permission denied") << 0;
    QTest::newRow("EDID output that is a directory")
        << QStringList{"edid", "read", "3", "-o", "/tmp"} << true << ExitUsage << QByteArray("it is a directory") << 0;
    QTest::newRow("EDID input that is a device")
        << QStringList{"edid", "write", "2", "/dev/null"} << true << ExitUsage
        << QByteArray("edid write: cannot read \"/dev/null\": it is a device, not a file") << 0;
    QTest::newRow("salvo that is a directory") << QStringList{"route", "--from", "/tmp"} << true << ExitUsage
                                               << QByteArray("route: cannot read \"/tmp\": it is a directory") << 0;
    QTest::newRow("salvo input above the device's count")
        << QStringList{"route", "1", "2", "9", "1"} << true << ExitUsage
        << QByteArray("route: input 9 is out of range: the device has 8 inputs") << 1;
    QTest::newRow("error as JSON too") << QStringList{"route", "0", "1", "--json"} << true << ExitUsage
                                       << QByteArray("route: input 0 does not exist") << 0;
}

void TestCliE2e::refusedCommandLine_sendsNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, withLink);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    QFETCH(int, framesSent);
    SimHarness sim;
    const KxrctlResult run = RunKxrctlProcess(withLink ? linkArguments(sim, Link::Tcp) + arguments : arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.startsWith("kxrctl: ") && run.err.contains(message), run.err.constData());
    if (arguments.contains(QStringLiteral("--json"))) {
        const QJsonObject error = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(error.value(QStringLiteral("schema")).toInt(), 1);
        QCOMPARE(error.value(QStringLiteral("error")).toObject().value(QStringLiteral("status")).toInt(), exitCode);
        QVERIFY(run.err.contains(
            error.value(QStringLiteral("error")).toObject().value(QStringLiteral("message")).toString().toUtf8()));
    } else {
        QVERIFY(run.out.isEmpty());
    }
    const QVector<QByteArray> frames = requestFrames(sim, Link::Tcp);
    QCOMPARE(frames.size(), framesSent);
    if (framesSent)
        QCOMPARE(frames.first(), identification());
}

void TestCliE2e::closedPort_exitsWithConnectionError()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    server.close();
    const KxrctlResult run =
        RunKxrctlProcess({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("status")});
    QCOMPARE(run.exitCode, ExitConnection);
    QVERIFY(run.err.contains(QStringLiteral("status: cannot connect to 127.0.0.1:%1").arg(port).toUtf8()));
}

QTEST_GUILESS_MAIN(TestCliE2e)
#include "tst_cli_e2e.moc"
