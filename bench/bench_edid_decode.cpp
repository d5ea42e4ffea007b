// Decoding one 256-byte EDID (a base block and a CTA-861 block with video,
// audio, speaker, HDMI, HDMI Forum and HDR data blocks): the mean time of
// many decodes, and the slowest of several rounds' means. Limit: 50 us.
//
//   build/bin/bench_edid_decode [corpus file] [decodes per round]

#include "protocol/EdidDecoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>

namespace {
constexpr int DefaultDecodes = 20000;
constexpr int Rounds = 5;
constexpr double LimitMicroseconds = 50.0;
constexpr double NanosecondsPerMicrosecond = 1000.0;
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString path = args.value(1, QStringLiteral(KXR_SOURCE_DIR "/tests/edid-corpus/lg-oled-4k-13.bin"));
    const int decodes = std::max(1, args.value(2).toInt() > 0 ? args.value(2).toInt() : DefaultDecodes);
    QFile file(path);
    QTextStream out(stdout);
    if (!file.open(QIODevice::ReadOnly)) {
        out << "cannot read " << path << '\n';
        return 1;
    }
    const QByteArray bytes = file.readAll();
    double worst = 0;
    int keep = 0;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < decodes; ++i)
            keep += DecodeEdid(bytes).formats.size(); // used, so not optimized away
        worst = std::max(worst, timer.nsecsElapsed() / NanosecondsPerMicrosecond / decodes);
    }
    out << QStringLiteral(
               "EDID decode (%1 bytes, %2 formats): %3 us per decode, slowest round of %4 x %5 (limit %6 us)")
               .arg(bytes.size())
               .arg(keep / (Rounds * decodes))
               .arg(worst, 0, 'f', 2)
               .arg(Rounds)
               .arg(decodes)
               .arg(LimitMicroseconds)
        << '\n';
    return worst < LimitMicroseconds ? 0 : 1;
}
