#include "protocol/CommandChannel.h"
#include "protocol/Frames.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <QtTest>

#include <vector>

namespace {

QByteArray deviceFrame(quint8 command, const QByteArray &payload)
{
    quint8 out[Frame::BufferSize];
    const quint32 n =
        PackDeviceFrame(command, reinterpret_cast<const quint8 *>(payload.constData()), quint32(payload.size()), out);
    return QByteArray(reinterpret_cast<const char *>(out), int(n));
}

// Feeds the chunks to a fresh channel and returns the frames it completed,
// both as the sink saw them and as the receive queue holds them.
struct Assembled
{
    QList<QByteArray> sunk;
    QList<QByteArray> queued;
};

Assembled assemble(const QList<QByteArray> &chunks)
{
    ChannelClear(TcpChannel);
    TcpChannel.assembler = StreamAssemblerState();
    ChannelOpen(TcpChannel);
    Assembled result;
    for (const QByteArray &chunk : chunks) {
        AssembleDeviceStream(TcpChannel, chunk.constData(), chunk.size(), [&](const quint8 *frame, quint32 length) {
            result.sunk.append(QByteArray(reinterpret_cast<const char *>(frame), int(length)));
        });
    }
    DrainReceiveQueue(TcpChannel, [&](const QByteArray &frame) { result.queued.append(frame); });
    return result;
}

QList<QByteArray> randomChunks(const QByteArray &stream, QRandomGenerator &rng)
{
    QList<QByteArray> chunks;
    int pos = 0;
    while (pos < stream.size()) {
        const int take = qMin(stream.size() - pos, int(rng.bounded(1, 40)));
        chunks.append(stream.mid(pos, take));
        pos += take;
    }
    return chunks;
}

} // namespace

class FramesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ResetProcessState(); }
    void cleanup() { ResetProcessState(); }

    void packDeviceFrame_data();
    void packDeviceFrame();
    void packModuleFrame_data();
    void packModuleFrame();
    void packers_refuseFramesOverTheBuffer();

    void assembler_data();
    void assembler();
    void assembler_everyChunkingGivesTheSameFrames();
    void assembler_keepsAHalfFrameAcrossChunksAndClears();
    void assembler_overflowRule();
    void assembler_hugeChunkNeverWritesPastTheBuffer();

    void datagramRule();
};

void FramesTest::packDeviceFrame_data()
{
    QTest::addColumn<quint8>("command");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("routing read") << quint8(0x12) << Hex("00") << Hex("7B 7B 12 01 00 03 7D 7D");
    QTest::newRow("empty payload") << quint8(0x12) << QByteArray() << Hex("7B 7B 12 00 02 7D 7D");
    QTest::newRow("switch 2 to 5") << quint8(0x01) << Hex("02 05") << Hex("7B 7B 01 02 02 05 FA 7D 7D");
}

void FramesTest::packDeviceFrame()
{
    QFETCH(quint8, command);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, frame);
    QCOMPARE(deviceFrame(command, payload), frame);
}

void FramesTest::packModuleFrame_data()
{
    QTest::addColumn<quint8>("command");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("search") << quint8(0x01) << QByteArray() << Hex("FF 01 01 02");
    QTest::newRow("with payload") << quint8(0x03) << Hex("01 02") << Hex("FF 03 03 01 02 09");
}

void FramesTest::packModuleFrame()
{
    QFETCH(quint8, command);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, frame);
    quint8 out[Frame::BufferSize];
    const quint32 n =
        PackModuleFrame(command, reinterpret_cast<const quint8 *>(payload.constData()), quint32(payload.size()), out);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(out), int(n)), frame);
}

void FramesTest::packers_refuseFramesOverTheBuffer()
{
    std::vector<quint8> payload(Frame::BufferSize, 0x11);
    std::vector<quint8> out(Frame::BufferSize + 16, 0xEE);
    QCOMPARE(PackDeviceFrame(1, payload.data(), 2042, out.data()), 0u);
    QCOMPARE(out[0], quint8(0xEE)); // nothing written
    QCOMPARE(PackDeviceFrame(1, payload.data(), 2041, out.data()), 2048u);
    QCOMPARE(out[3], quint8(2041 & 0xFF)); // the length byte takes the low 8 bits
    // A module frame must fit the same 2048-byte buffer: 2044 payload bytes
    // at most.
    QCOMPARE(PackModuleFrame(1, payload.data(), 2044, out.data()), 2048u);
    QCOMPARE(PackModuleFrame(1, payload.data(), 2045, out.data()), 0u);
}

void FramesTest::assembler_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QList<QByteArray>>("frames");

    const QByteArray routing = Hex("7B 7B 11 04 00 01 02 03 03 7D 7D");
    const QByteArray routingChecked = deviceFrame(0x11, Hex("00 01 02 03"));
    const QByteArray empty = deviceFrame(0x95, QByteArray());

    QTest::newRow("one frame") << routingChecked << QList<QByteArray>{routingChecked};
    QTest::newRow("two frames in one chunk") << routingChecked + empty << QList<QByteArray>{routingChecked, empty};
    QTest::newRow("zero-length payload") << empty << QList<QByteArray>{empty};

    QByteArray wildcard = routingChecked;
    wildcard[wildcard.size() - 3] = char(0x99);
    QTest::newRow("checksum 0x99 accepted") << wildcard << QList<QByteArray>{wildcard};

    QByteArray wrongSum = routingChecked;
    wrongSum[wrongSum.size() - 3] = char(wrongSum.at(wrongSum.size() - 3) + 1);
    QTest::newRow("wrong checksum dropped") << wrongSum + empty << QList<QByteArray>{empty};

    QTest::newRow("garbage before the first start byte") << Hex("00 7D 55 AA") + empty << QList<QByteArray>{empty};
    QTest::newRow("lone start byte then another byte") << Hex("7B 00") + empty << QList<QByteArray>{empty};
    QTest::newRow("bad second start byte") << Hex("7B 11 11 00 02 7D 7D") + empty << QList<QByteArray>{empty};

    QByteArray badEnd = routingChecked;
    badEnd[badEnd.size() - 1] = 0x00;
    QTest::newRow("missing end byte") << badEnd + empty << QList<QByteArray>{empty};
    Q_UNUSED(routing);
}

void FramesTest::assembler()
{
    QFETCH(QByteArray, stream);
    QFETCH(QList<QByteArray>, frames);

    const Assembled whole = assemble({stream});
    QCOMPARE(whole.sunk, frames);
    QCOMPARE(whole.queued, frames);

    QList<QByteArray> bytes;
    for (char c : stream)
        bytes.append(QByteArray(1, c));
    QCOMPARE(assemble(bytes).sunk, frames);
}

void FramesTest::assembler_everyChunkingGivesTheSameFrames()
{
    QList<QByteArray> frames;
    QByteArray stream;
    for (int i = 0; i < 12; ++i) {
        QByteArray payload;
        for (int k = 0; k < i * 7; ++k)
            payload.append(char(0x7B + k)); // start and end bytes inside payloads
        frames.append(deviceFrame(quint8(0x10 + i), payload));
        stream += frames.last();
    }
    QRandomGenerator rng(20261205);
    for (int round = 0; round < 300; ++round)
        QCOMPARE(assemble(randomChunks(stream, rng)).sunk, frames);
}

void FramesTest::assembler_keepsAHalfFrameAcrossChunksAndClears()
{
    const QByteArray frame = deviceFrame(0x7F, Hex("00 C0 01 02"));
    ChannelOpen(TcpChannel);
    int completed = 0;
    auto sink = [&](const quint8 *, quint32) { ++completed; };
    AssembleDeviceStream(TcpChannel, frame.constData(), 5, sink);
    // Clearing the channel (a disconnect) keeps the assembler state...
    ChannelClear(TcpChannel);
    ChannelOpen(TcpChannel);
    QCOMPARE(TcpChannel.assembler.state, quint8(5));
    // ...so the next connection's bytes are taken as the rest of that frame,
    // and the frame fails its checks.
    const QByteArray next = deviceFrame(0x95, QByteArray());
    AssembleDeviceStream(TcpChannel, next.constData(), next.size(), sink);
    QCOMPARE(completed, 0);
    AssembleDeviceStream(TcpChannel, next.constData(), next.size(), sink);
    QCOMPARE(completed, 1);
}

void FramesTest::assembler_overflowRule()
{
    // Bytes held plus a new chunk over 2048 empty the buffer first; the state
    // carries on, so the frame in progress cannot complete as it was.
    const QByteArray frame = deviceFrame(0x45, QByteArray(200, 0x01));
    ChannelOpen(TcpChannel);
    QList<QByteArray> sunk;
    auto sink = [&](const quint8 *data, quint32 length) {
        sunk.append(QByteArray(reinterpret_cast<const char *>(data), int(length)));
    };
    AssembleDeviceStream(TcpChannel, frame.constData(), 100, sink);
    QCOMPARE(TcpChannel.rxCount, 100u);
    QByteArray rest = frame.mid(100) + QByteArray(1900, 0x00);
    AssembleDeviceStream(TcpChannel, rest.constData(), rest.size(), sink);
    QCOMPARE(sunk.size(), 1);
    QVERIFY(sunk.first() != frame);
    QCOMPARE(sunk.first(), frame.mid(100));

    // A chunk that just fits keeps the buffer.
    sunk.clear();
    AssembleDeviceStream(TcpChannel, frame.constData(), 100, sink);
    rest = frame.mid(100) + QByteArray(2048 - frame.size(), 0x00);
    AssembleDeviceStream(TcpChannel, rest.constData(), rest.size(), sink);
    QCOMPARE(sunk, QList<QByteArray>{frame});
}

void FramesTest::assembler_hugeChunkNeverWritesPastTheBuffer()
{
    // Long runs of start bytes, frames and noise in one 10 kB chunk: the
    // chunk is taken in buffer-sized slices (the sanitizer build watches the
    // writes), and the frames that lie whole inside one slice come out.
    const QByteArray frame = deviceFrame(0x11, Hex("00 01 02 03"));
    QByteArray chunk;
    QRandomGenerator rng(7);
    while (chunk.size() < 10000) {
        chunk += frame;
        chunk += QByteArray(int(rng.bounded(0, 300)), char(rng.bounded(256)));
    }
    ChannelOpen(TcpChannel);
    int completed = 0;
    AssembleDeviceStream(TcpChannel, chunk.constData(), chunk.size(), [&](const quint8 *, quint32 length) {
        QVERIFY(length <= Frame::BufferSize);
        ++completed;
    });
    QVERIFY(TcpChannel.rxCount <= Frame::BufferSize);
    QVERIFY(completed > 0);
}

void FramesTest::datagramRule()
{
    ChannelOpen(UdpChannel);
    QList<QByteArray> sunk;
    auto sink = [&](const quint8 *data, quint32 length) {
        sunk.append(QByteArray(reinterpret_cast<const char *>(data), int(length)));
    };
    const QByteArray search(36, 0x24);
    const QByteArray config(130, 0x55);
    QVERIFY(ReceiveDatagram(UdpChannel, search.constData(), search.size(), sink));
    QVERIFY(ReceiveDatagram(UdpChannel, config.constData(), config.size(), sink));
    QCOMPARE(sunk, (QList<QByteArray>{search, config}));
    QCOMPARE(UdpChannel.rxCount, 0u);

    const QByteArray largest(2048, 0x01);
    QVERIFY(ReceiveDatagram(UdpChannel, largest.constData(), largest.size(), sink));
    const QByteArray tooLong(2049, 0x01);
    QVERIFY(!ReceiveDatagram(UdpChannel, tooLong.constData(), tooLong.size(), sink));
    QVERIFY(!ReceiveDatagram(UdpChannel, nullptr, 0, sink));

    QList<QByteArray> queued;
    DrainReceiveQueue(UdpChannel, [&](const QByteArray &frame) { queued.append(frame); });
    QCOMPARE(queued, (QList<QByteArray>{search, config, largest}));
}

QTEST_GUILESS_MAIN(FramesTest)
#include "tst_frames.moc"
