// Multiview canvas figures, not a test: window 4 of a 1920 x 1080
// multiview dragged back and forth across the canvas with mouse events on
// the view.
//  1. events handled per second: the move events alone, each one moving
//     the window, its handles and the page's numbers;
//  2. frame time: each move followed by a repaint of the view, as the
//     screen shows it; the worst frame should stay within 16 ms.
//
//   scripts/netns-run env QT_QPA_PLATFORM=offscreen build/bin/bench_multiview [moves]

#include "pages/wall/MyCustomScene.h"
#include "pages/wall/MyCustomView.h"
#include "pages/wall/Ui_Multiview.h"
#include "protocol/DeviceState.h"
#include "protocol/MultiviewList.h"
#include "support/CanvasDriver.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int DefaultMoves = 2000;
constexpr int Width = 1920;
constexpr int Height = 1080;
constexpr int Stride = 40;     // output pixels per move
constexpr int SweepMoves = 40; // moves from one side to the other
constexpr double TargetFrameMs = 16.0;
constexpr double NsPerMs = 1e6;

void SetUpMultiview()
{
    DeviceState &d = Device();
    d.inputCount = 8;
    d.outputCount = 8;
    d.multiviewCount = 1;
    MultiviewRecord &r = d.multiviewAt(0);
    ResetMultiviewRecord(r);
    r.kind = 1;
    r.output = 4;
    r.width = Width;
    r.height = Height;
    r.windowCount = 4;
    for (quint32 k = 0; k < 4; ++k) {
        MultiviewWindow &w = r.windowAt(k);
        w.visible = 1;
        w.layer = quint8(k);
        w.x = (k % 2) * Width / 2;
        w.y = (k / 2) * Height / 2;
        w.w = Width / 2;
        w.h = Height / 2;
    }
}

// The point of move i: the window sweeps right and back, and down a little.
QPoint PointOf(const QPoint &start, int i)
{
    const int leg = i % (2 * SweepMoves);
    const int along = leg < SweepMoves ? leg : 2 * SweepMoves - leg;
    return start + QPoint(-along * Stride, -(along * Stride) / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int moves = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : DefaultMoves;
    ResetProcessState();
    SetUpMultiview();
    Ui_Multiview page;
    page.resize(1240, 620);
    page.show();
    page.SLT_UpdateSelect_MV();
    QCoreApplication::processEvents();
    MyCustomView *view = page.view();
    const QPoint start(1700, 900);

    using namespace CanvasDriver;
    Click(view, start); // selects window 4
    Press(view, start);
    QElapsedTimer timer;
    timer.start();
    for (int i = 1; i <= moves; ++i)
        MoveHeld(view, PointOf(start, i));
    const double eventsPerSecond = moves / (timer.nsecsElapsed() / 1e9);
    Release(view, PointOf(start, moves));

    Click(view, PointOf(start, moves));
    Press(view, PointOf(start, moves));
    std::vector<double> frames;
    frames.reserve(size_t(moves));
    for (int i = 1; i <= moves; ++i) {
        QElapsedTimer frame;
        frame.start();
        MoveHeld(view, PointOf(start, moves + i));
        view->viewport()->repaint();
        frames.push_back(frame.nsecsElapsed() / NsPerMs);
    }
    Release(view, PointOf(start, 2 * moves));
    const bool moved = page.scene()->mode() == MyCustomScene::Mode::Selected;

    std::sort(frames.begin(), frames.end());
    const double median = frames[frames.size() / 2];
    const double worst = frames.back();
    out << "drag of window 4 over a " << Width << " x " << Height << " multiview, " << moves << " moves\n";
    out << "  move events handled: " << qRound(eventsPerSecond) << " per second\n";
    out << "  move + repaint: median " << QString::number(median, 'f', 3) << " ms, worst "
        << QString::number(worst, 'f', 3) << " ms (target: no frame over " << TargetFrameMs << " ms) "
        << (worst <= TargetFrameMs ? "met" : "MISSED") << '\n';
    return moved && worst <= TargetFrameMs ? 0 : 1;
}
