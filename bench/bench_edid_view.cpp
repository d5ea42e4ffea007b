// The EDID dialog's decoded view after a read: from the dispatcher's report
// of the last block (the dialog's SLT_Update_OutEdid with 256 bytes) to the
// view painted: the median, the 95th percentile and the slowest of many
// reads. Limit: 16 ms, held by the 95th percentile (the slowest read on a
// shared machine measures the scheduler more than the view).
//
//   QT_QPA_PLATFORM=offscreen build/bin/bench_edid_view [EDID file] [reads]

#include "app/ByteText.h"
#include "pages/routing/EdidDecodedView.h"
#include "pages/routing/Ui_Edid.h"
#include "protocol/DeviceState.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QVector>

#include <algorithm>

namespace {
constexpr int DefaultReads = 200;
constexpr double LimitMs = 16.0;
constexpr double NsPerMs = 1e6;
constexpr unsigned int ImageBytes = 256;
constexpr int Percentile = 95;
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString path = args.value(1, QStringLiteral(KXR_SOURCE_DIR "/tests/edid-corpus/lg-oled-4k-13.bin"));
    const int reads = std::max(1, args.value(2).toInt() > 0 ? args.value(2).toInt() : DefaultReads);
    QTextStream out(stdout);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out << "cannot read " << path << '\n';
        return 1;
    }
    QByteArray image = file.read(ImageBytes);
    image.append(QByteArray(int(ImageBytes) - image.size(), '\0'));
    const QString hex = BytesToHexText(image);

    Device().outputCount = Device().inputCount = 8;
    Ui_Edid dialog;
    dialog.show();
    app.processEvents();
    QVector<double> times;
    for (int i = 0; i < reads; ++i) {
        dialog.decodedView()->clear();
        app.processEvents();
        QElapsedTimer timer;
        timer.start();
        dialog.SLT_Update_OutEdid(0, hex, ImageBytes);
        dialog.decodedView()->repaint();
        times.append(timer.nsecsElapsed() / NsPerMs);
    }
    std::sort(times.begin(), times.end());
    const double median = times.at(times.size() / 2);
    const double p95 = times.at(std::min(times.size() - 1, times.size() * Percentile / 100));
    out << QStringLiteral("EDID decoded view after a read (%1): median %2 ms, 95th percentile %3 ms, slowest %4 ms "
                          "of %5 (limit %6 ms)")
               .arg(QFileInfo(path).fileName())
               .arg(median, 0, 'f', 2)
               .arg(p95, 0, 'f', 2)
               .arg(times.last(), 0, 'f', 2)
               .arg(reads)
               .arg(LimitMs)
        << '\n';
    return p95 < LimitMs ? 0 : 1;
}
