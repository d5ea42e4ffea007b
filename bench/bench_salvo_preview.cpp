// The headless part of a salvo's preview on a 16 x 16 device: reading the
// stored file and its diff against the routing (every output changing, the
// worst case). The mean of many previews, and the slowest of several rounds'
// means; the window's preview has 50 ms in all, this part a budget of 1 ms.
//
//   build/bin/bench_salvo_preview [previews per round]

#include "protocol/RoutingSalvo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {
constexpr int Channels = 16;
constexpr int DefaultPreviews = 2000;
constexpr int Rounds = 5;
constexpr double LimitMicroseconds = 1000.0;
constexpr double NanosecondsPerMicrosecond = 1000.0;
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int previews =
        std::max(1, app.arguments().value(1).toInt() > 0 ? app.arguments().value(1).toInt() : DefaultPreviews);
    QTextStream out(stdout);
    QTemporaryDir dir;
    SalvoStore store(dir.path());
    RoutingSalvo salvo;
    salvo.name = QStringLiteral("full");
    salvo.outputCount = Channels;
    salvo.inputCount = Channels;
    QVector<int> current;
    for (int output = 1; output <= Channels; ++output) {
        salvo.routes.insert(output, Channels + 1 - output);
        current.append(output == Channels + 1 - output ? 1 : output);
    }
    QString error;
    if (!store.save(salvo, &error)) {
        out << error << '\n';
        return 1;
    }
    double worst = 0;
    int changes = 0;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < previews; ++i) {
            RoutingSalvo loaded;
            if (!store.load(salvo.name, &loaded, &error)) {
                out << error << '\n';
                return 1;
            }
            changes += SalvoDiff(loaded, current).size();
        }
        worst = std::max(worst, timer.nsecsElapsed() / NanosecondsPerMicrosecond / previews);
    }
    out << QStringLiteral("salvo preview, 16 x 16 (file read and diff, %1 changes): %2 us per preview, slowest round "
                          "of %3 x %4 (limit %5 us)")
               .arg(changes / (Rounds * previews))
               .arg(worst, 0, 'f', 1)
               .arg(Rounds)
               .arg(previews)
               .arg(LimitMicroseconds)
        << '\n';
    return worst < LimitMicroseconds ? 0 : 1;
}
