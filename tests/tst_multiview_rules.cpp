// The multiview canvas's rules without widgets: resizing inside the
// output, re-stacking layers, where a drawing goes, the double-click
// regions, and the page's number checks with their messages.
#include "app/LanguageTable.h"
#include "pages/wall/MultiviewChecks.h"
#include "pages/wall/MultiviewGeometry.h"
#include "support/TestSupport.h"

#include <QtTest>

using namespace MultiviewGeometry;

Q_DECLARE_METATYPE(WindowNumbers)

namespace {

constexpr Size FullHd{1920, 1080};
constexpr int FullHdUnit = 96;

QRect Q(const Rect &r)
{
    return QRect(r.x, r.y, r.w, r.h);
}

Rect R(const QRect &r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

QByteArray LayerText(const quint8 *layers, int count)
{
    QByteArray text;
    for (int k = 0; k < count; ++k)
        text.append(char('0' + layers[k]));
    return text;
}

} // namespace

class MultiviewRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ResetProcessState(); }

    // Each handle moves only its own edges; sides stop at the unit and at
    // the output's edges.
    void resize_data()
    {
        QTest::addColumn<int>("handle");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("top-left") << int(Handle::TopLeft) << -50 << 40 << QRect(950, 540, 450, 260);
        // The far edge follows when the near one stops at the output's edge.
        QTest::newRow("top, past the edge") << int(Handle::Top) << 77 << -600 << QRect(1000, 0, 400, 900);
        QTest::newRow("top-right") << int(Handle::TopRight) << 999 << 10 << QRect(1000, 510, 920, 290);
        QTest::newRow("left, below the unit") << int(Handle::Left) << 350 << 0 << QRect(1350, 500, 96, 300);
        QTest::newRow("right, below the unit") << int(Handle::Right) << -390 << 0 << QRect(1000, 500, 96, 300);
        QTest::newRow("bottom-left") << int(Handle::BottomLeft) << -2000 << 2000 << QRect(0, 500, 1920, 580);
        QTest::newRow("bottom, below the unit") << int(Handle::Bottom) << 0 << -250 << QRect(1000, 500, 400, 96);
        QTest::newRow("bottom-right") << int(Handle::BottomRight) << 10 << 20 << QRect(1000, 500, 410, 320);
    }

    void resize()
    {
        QFETCH(int, handle);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(QRect, expected);
        QCOMPARE(Q(Resized(Rect{1000, 500, 400, 300}, Handle(handle), dx, dy, FullHd, FullHdUnit)), expected);
    }

    void restack_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("to");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("window 1 from 0 to 3") << QByteArray("0123") << 0 << 3 << QByteArray("3012");
        QTest::newRow("window 4 from 3 to 0") << QByteArray("0123") << 3 << 0 << QByteArray("1230");
        QTest::newRow("middle up") << QByteArray("2031") << 1 << 2 << QByteArray("1230");
        QTest::newRow("same layer") << QByteArray("0123") << 2 << 2 << QByteArray("0123");
        QTest::newRow("two windows") << QByteArray("10") << 1 << 1 << QByteArray("01");
        QTest::newRow("layer 4 is refused") << QByteArray("0123") << 0 << 4 << QByteArray("0123");
    }

    void restack()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, window);
        QFETCH(int, to);
        QFETCH(QByteArray, after);
        quint8 layers[Windows];
        for (int k = 0; k < before.size(); ++k)
            layers[k] = quint8(before.at(k) - '0');
        Restack(layers, before.size(), window, to);
        QCOMPARE(LayerText(layers, before.size()), after);
    }

    void drawing_data()
    {
        QTest::addColumn<QRect>("drawn");
        QTest::addColumn<bool>("makes");
        QTest::newRow("96 x 200") << QRect(0, 0, 96, 200) << false;
        QTest::newRow("97 x 97") << QRect(0, 0, 97, 97) << true;
    }

    void drawing()
    {
        QFETCH(QRect, drawn);
        QFETCH(bool, makes);
        QCOMPARE(MakesWindow(R(drawn), FullHdUnit), makes);
    }

    // Quadrants before halves before the whole output; quadrants and halves
    // in the order top-left, top-right, bottom-left, bottom-right / top,
    // bottom, left, right.
    void toggleRegion_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("region");
        QTest::newRow("in the top-left quadrant") << QRect(100, 100, 400, 300) << QRect(0, 0, 960, 540);
        QTest::newRow("touching both centre lines") << QRect(560, 240, 400, 300) << QRect(0, 0, 960, 540);
        QTest::newRow("in the bottom-right quadrant") << QRect(1000, 600, 400, 300) << QRect(960, 540, 960, 540);
        QTest::newRow("across the top half") << QRect(800, 100, 400, 300) << QRect(0, 0, 1920, 540);
        QTest::newRow("down the right half") << QRect(1000, 400, 400, 300) << QRect(960, 0, 960, 1080);
        QTest::newRow("across the middle") << QRect(800, 400, 400, 300) << QRect(0, 0, 1920, 1080);
    }

    void toggleRegion()
    {
        QFETCH(QRect, window);
        QFETCH(QRect, region);
        QVERIFY(!IsStandardRegion(R(window), FullHd));
        QCOMPARE(Q(SmallestRegion(R(window), FullHd)), region);
        QVERIFY(IsStandardRegion(R(region), FullHd));
    }

    void restoreRectangles()
    {
        QCOMPARE(Q(FirstRestore(0, FullHd)), QRect(0, 0, 480, 270));
        QCOMPARE(Q(FirstRestore(3, FullHd)), QRect(1440, 810, 480, 270));
        QCOMPARE(Q(FitIntoScene(Rect{1900, 1000, 50, 400}, FullHd, FullHdUnit)), QRect(1824, 680, 96, 400));
    }

    void windowChecks_data()
    {
        QTest::addColumn<WindowNumbers>("numbers");
        QTest::addColumn<QString>("message");
        const QString head = QStringLiteral("Not satisfying the condition:\r\n\r\n");
        QTest::newRow("x 1000 + w 920 passes") << WindowNumbers{1000, 0, 920, 96, 0, 0, 100, 100} << QString();
        QTest::newRow("x 1000 + w 921 fails")
            << WindowNumbers{1000, 0, 921, 96, 0, 0, 100, 100} << head + "Window X:+Window Width: <= 1920";
        QTest::newRow("w 95 fails") << WindowNumbers{0, 0, 95, 96, 0, 0, 100, 100} << head + "Window Width: >= 96";
        QTest::newRow("y 1000 + h 81 fails")
            << WindowNumbers{0, 1000, 96, 81, 0, 0, 100, 100} << head + "Window Y:+Window Height: <= 1080";
        QTest::newRow("h 95 fails on a 1080-high output")
            << WindowNumbers{0, 0, 96, 95, 0, 0, 100, 100} << head + "Window Height: >= 96";
        QTest::newRow("crop 50 + 50 passes") << WindowNumbers{0, 0, 96, 96, 50, 50, 50, 50} << QString();
        QTest::newRow("crop H 51 + 50 fails") << WindowNumbers{0, 0, 96, 96, 51, 0, 50, 100}
                                              << head + "Input Crop H Start(%):+Input Crop Width(%): <= 100";
        QTest::newRow("crop V 0 + 101 fails") << WindowNumbers{0, 0, 96, 96, 0, 0, 100, 101}
                                              << head + "Input Crop V Start(%):+Input Crop Height(%): <= 100";
        QTest::newRow("the first failure counts")
            << WindowNumbers{1900, 0, 95, 95, 99, 99, 99, 99} << head + "Window X:+Window Width: <= 1920";
    }

    void windowChecks()
    {
        QFETCH(WindowNumbers, numbers);
        QFETCH(QString, message);
        const WindowCheck check = CheckWindowNumbers(numbers, 1920, 1080, FullHdUnit);
        QCOMPARE(check == WindowCheck::Passed, message.isEmpty());
        QCOMPARE(WindowCheckMessage(check, 1920, 1080, FullHdUnit), message);
    }
};

QTEST_GUILESS_MAIN(MultiviewRulesTest)
#include "tst_multiview_rules.moc"
