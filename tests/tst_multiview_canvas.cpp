// The multiview page and its canvas without a device, driven with mouse
// events on the view: drawing, moving and resizing windows, the layer
// stack, the context menu, the double-click toggle and the page's Write.
// The link is a TCP channel without a service behind it, so what the page
// queues stays there to be read.
#include "app/LanguageTable.h"
#include "pages/wall/MyCustomScene.h"
#include "pages/wall/MyCustomView.h"
#include "pages/wall/Ui_Multiview.h"
#include "protocol/DeviceState.h"
#include "protocol/MultiviewList.h"
#include "support/CanvasDriver.h"
#include "support/MessageRecorder.h"
#include "support/QueuedFrames.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"
#include "support/WidgetInput.h"

#include <QAction>
#include <QComboBox>
#include <QGraphicsRectItem>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace CanvasDriver;
using Frames = QVector<QByteArray>;
using Field = Ui_Multiview::Field;

namespace {

constexpr quint32 MvOutput = 4;

QByteArray Wire(quint8 code, const char *payload)
{
    return DeviceFrameOf(code, Hex(payload));
}

struct Window
{
    quint32 x, y, w, h;
    quint8 layer;
    bool visible = true;
};

// A device of eight inputs and outputs whose outputs 5-8 show one
// multiview, the page built and shown, its first read taken off the link.
struct Rig
{
    explicit Rig(quint32 width = 1920, quint32 height = 1080)
    {
        DeviceState &d = Device();
        d.inputCount = 8;
        d.outputCount = 8;
        d.multiviewCount = 1;
        MultiviewRecord &r = d.multiviewAt(0);
        ResetMultiviewRecord(r);
        r.kind = 1;
        r.output = MvOutput;
        r.width = width;
        r.height = height;
        page.show();
        page.SLT_UpdateSelect_MV();
        link.take();
    }

    // The model holds these windows, as after a read; the page is told.
    void setWindows(std::initializer_list<Window> windows)
    {
        MultiviewRecord &r = Device().multiviewAt(0);
        quint32 k = 0;
        for (const Window &w : windows) {
            MultiviewWindow &m = r.windowAt(k);
            m.slot = quint8(k++);
            m.x = w.x, m.y = w.y, m.w = w.w, m.h = w.h, m.layer = w.layer, m.visible = w.visible ? 1 : 0;
        }
        r.windowCount = quint8(k);
        page.SLT_RefreshMultiview(0);
    }

    MyCustomView *view() const { return page.view(); }
    MyCustomScene *scene() const { return page.scene(); }
    const MultiviewWindow &window(quint32 k) const { return Device().multiviewAt(0).windowAt(k); }
    QRect drawn(int k) const { return scene()->windowItem(k)->rect().toRect(); }
    QByteArray layers() const
    {
        QByteArray text;
        for (int k = 0; k < scene()->windowItemCount(); ++k)
            text.append(char('0' + window(quint32(k)).layer));
        return text;
    }
    void pick(const QPoint &at, const QString &entryName)
    {
        QMenu *menu = RightClick(view(), at);
        QVERIFY(menu);
        for (QAction *a : menu->findChildren<QAction *>())
            if (a->objectName() == entryName) {
                a->trigger();
                menu->close();
                return;
            }
        QFAIL(qPrintable("no menu entry " + entryName));
    }

    QueuedFrames link;
    MessageRecorder messages;
    Ui_Multiview page;
};

const std::initializer_list<Window> FourWindows = {
    {0, 0, 400, 300, 0}, {500, 0, 400, 300, 1}, {0, 500, 400, 300, 2}, {500, 500, 400, 300, 3}};

} // namespace

class MultiviewCanvasTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<Rig> m_rig;

private Q_SLOTS:
    void init()
    {
        ResetProcessState();
        m_rig = std::make_unique<Rig>();
    }
    void cleanup()
    {
        m_rig.reset();
        ResetProcessState();
    }

    void sceneFollowsTheOutputSize_data()
    {
        QTest::addColumn<quint32>("width");
        QTest::addColumn<quint32>("height");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("handle");
        QTest::newRow("1920 x 1080") << 1920u << 1080u << 96 << 24;
        QTest::newRow("3840 x 2160") << 3840u << 2160u << 192 << 48;
        QTest::newRow("1280 x 720") << 1280u << 720u << 64 << 16;
    }

    void sceneFollowsTheOutputSize()
    {
        QFETCH(quint32, width);
        QFETCH(quint32, height);
        QFETCH(int, unit);
        QFETCH(int, handle);
        Device().multiviewAt(0).width = width;
        Device().multiviewAt(0).height = height;
        m_rig->page.SLT_RefreshMultiview(0);
        QCOMPARE(m_rig->scene()->unit(), unit);
        QCOMPARE(m_rig->scene()->handleSize(), handle);
        QCOMPARE(Device().multiviewAt(0).unit, quint32(unit));
        // The whole output fills the view.
        QCOMPARE(m_rig->view()->mapFromScene(QPointF(width, height)), QPoint(960, 540));
    }

    void fullCanvasDrawsNothing_hidingWindow2LetsTheNextDrawingReuseIt()
    {
        Rig &rig = *m_rig;
        rig.setWindows(FourWindows);
        Drag(rig.view(), QPoint(1000, 100), QPoint(1400, 400));
        QCOMPARE(rig.link.take(), Frames{});
        QCOMPARE(rig.scene()->windowItemCount(), 4);
        QCOMPARE(rig.drawn(3), QRect(500, 500, 400, 300));

        rig.pick(QPoint(10, 10), StatusNameOf(2));
        QCOMPARE(rig.link.take(), Frames{Wire(0xA0, "04 00 04 01 00")});
        QVERIFY(!rig.scene()->windowItem(1)->isVisible());
        QVERIFY(!rig.scene()->numberItem(1)->isVisible());

        Drag(rig.view(), QPoint(1000, 100), QPoint(1400, 400));
        QCOMPARE(rig.scene()->windowItemCount(), 4);
        QVERIFY(rig.scene()->windowItem(1)->isVisible());
        QCOMPARE(rig.drawn(1), QRect(1000, 100, 400, 300));
        // Layer 1 again: the window takes its own number's place in the stack.
        QCOMPARE(rig.layers(), QByteArray("0123"));
        QCOMPARE(rig.link.take(), Frames{Wire(0x9C, "04 00 04 01 01 01 03E8 0064 0190 012C 00 00 64 64")});
    }

    void dragAndResize_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("window");
        QTest::addColumn<Frames>("sent");
        QTest::newRow("past the right edge") << QPoint(300, 250) << QPoint(3300, 300) << QRect(1520, 150, 400, 300)
                                             << Frames{Wire(0x9D, "04 00 01 00 05F0 0096 0190 012C")};
        QTest::newRow("past the top-left") << QPoint(300, 250) << QPoint(0, 0) << QRect(0, 0, 400, 300)
                                           << Frames{Wire(0x9D, "04 00 01 00 0000 0000 0190 012C")};
        QTest::newRow("a click without moving")
            << QPoint(300, 250) << QPoint(300, 250) << QRect(100, 100, 400, 300) << Frames{};
        QTest::newRow("right handle, below the unit")
            << QPoint(490, 250) << QPoint(100, 250) << QRect(100, 100, 96, 300)
            << Frames{Wire(0x9D, "04 00 01 00 0064 0064 0060 012C")};
        QTest::newRow("bottom-right handle, past the corner")
            << QPoint(490, 390) << QPoint(2500, 2500) << QRect(100, 100, 1820, 980)
            << Frames{Wire(0x9D, "04 00 01 00 0064 0064 071C 03D4")};
    }

    void dragAndResize()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRect, window);
        QFETCH(Frames, sent);
        Rig &rig = *m_rig;
        rig.setWindows({{100, 100, 400, 300, 0}});
        Click(rig.view(), QPoint(300, 250)); // selects: the handles appear
        QCOMPARE(rig.scene()->mode(), MyCustomScene::Mode::Selected);
        QVERIFY(rig.scene()->handleItem(7));
        QCOMPARE(rig.link.take(), Frames{});
        Drag(rig.view(), from, to);
        QCOMPARE(rig.drawn(0), window);
        QCOMPARE(rig.link.take(), sent);
        QCOMPARE(rig.scene()->mode(), MyCustomScene::Mode::Selected);
        QCOMPARE(rig.page.field(Field::X)->text(), QString::number(window.x()));
    }

    void contextMenu()
    {
        Rig &rig = *m_rig;
        rig.setWindows({{0, 0, 960, 540, 0}, {960, 0, 960, 540, 1, false}});
        QMenu *menu = RightClick(rig.view(), QPoint(10, 10));
        QVERIFY(menu);
        const QList<QAction *> top = menu->actions();
        QCOMPARE(top.first()->text(), QStringLiteral("Audio Source -> Mute"));
        QStringList subMenus;
        for (QAction *a : top)
            if (a->menu())
                subMenus << a->text();
        QCOMPARE(subMenus, (QStringList{"Audio Source -> Mute", "Window-1", "Window-2"}));
        const QMenu *second = top.last()->menu();
        QCOMPARE(second->actions().first()->text(), QStringLiteral("On")); // window 2 is off
        menu->close();

        rig.pick(QPoint(10, 10), AudioNameOf(2));
        QCOMPARE(Device().multiviewAt(0).audioSource, quint8(2));
        QCOMPARE(rig.link.take(), Frames{Wire(0xA2, "04 00 02")});
        QVERIFY(RightClick(rig.view(), QPoint(10, 10))->actions().first()->text().endsWith("Window2"));
        rig.scene()->contextMenu()->close();

        // Input 3 to window 2: the switch for output 6; the routing waits
        // for the device.
        rig.pick(QPoint(10, 10), InputNameOf(2, 3));
        QCOMPARE(rig.link.take(), Frames{Wire(0x01, "02 05")});
        QCOMPARE(Device().routingAt(5), 0u);
    }

    void writeWhileDisconnected_changesTheModelAndTheCanvasOnly()
    {
        Rig &rig = *m_rig;
        rig.setWindows({{100, 100, 400, 300, 0}});
        rig.link.drop();
        QSignalSpy sends(&rig.page, &Ui_Multiview::SGL_UpdateEmit);
        TypeText(rig.page.field(Field::X), "700");
        ChooseEntry(rig.page.statusBox(), 0);
        QTest::mouseClick(rig.page.writeButton(), Qt::LeftButton);
        QCOMPARE(rig.window(0).x, 700u);
        QCOMPARE(rig.drawn(0).x(), 700);
        QVERIFY(!rig.scene()->windowItem(0)->isVisible());
        Drag(rig.view(), QPoint(1000, 600), QPoint(1400, 900));
        QCOMPARE(rig.scene()->windowItemCount(), 1);
        QCOMPARE(rig.drawn(0), QRect(1000, 600, 400, 300));
        QCOMPARE(sends.count(), 0);
        QCOMPARE(rig.link.take(), Frames{});
    }

    void withoutMultiviews_noMouseActionDoesAnything()
    {
        Rig &rig = *m_rig;
        rig.setWindows({{100, 100, 400, 300, 0}});
        Device().multiviewCount = 0;
        Click(rig.view(), QPoint(300, 250));
        Drag(rig.view(), QPoint(300, 250), QPoint(900, 900));
        Drag(rig.view(), QPoint(1000, 600), QPoint(1400, 900));
        DoubleClick(rig.view(), QPoint(300, 250));
        QVERIFY(!RightClick(rig.view(), QPoint(300, 250)));
        QTest::mouseClick(rig.page.writeButton(), Qt::LeftButton);
        QCOMPARE(rig.scene()->mode(), MyCustomScene::Mode::None);
        QCOMPARE(rig.scene()->windowItemCount(), 1);
        QCOMPARE(rig.drawn(0), QRect(100, 100, 400, 300));
        QCOMPARE(rig.link.take(), Frames{});
        QCOMPARE(rig.messages.count(), 0);
    }

    void listAndWindowNumbers()
    {
        Rig &rig = *m_rig;
        DeviceState &d = Device();
        d.multiviewCount = 2;
        ResetMultiviewRecord(d.multiviewAt(1));
        d.multiviewAt(1).output = 0;
        rig.page.SLT_UpdateSelect_MV();
        QCOMPARE(rig.page.multiviewBox()->itemText(0), QStringLiteral("MV-1 [Output-5]"));
        QCOMPARE(rig.page.multiviewBox()->itemText(1), QStringLiteral("MV-2 [Output-1]"));
        QCOMPARE(rig.link.take(), Frames{}); // the first read was made once
        ChooseEntry(rig.page.multiviewBox(), 1);
        QCOMPARE(d.selectedMultiview, 1u);
        QCOMPARE(rig.link.take(), Frames{Wire(0x9C, "00 80")});

        // Window 2 of multiview 2 shows output 2: its input's name.
        d.routingAt(1) = 2;
        d.multiviewAt(1).windowAt(1).cropW = 40;
        ChooseEntry(rig.page.windowBox(), 1);
        QCOMPARE(rig.page.sourceEdit()->text(), QStringLiteral("Input3"));
        QCOMPARE(rig.page.field(Field::CropWidth)->text(), QStringLiteral("40"));
        d.routingAt(1) = 9; // beyond the inputs: the expand input
        rig.page.SLT_Refresh_DispalyWindowList();
        QCOMPARE(rig.page.sourceEdit()->text(), QStringLiteral("Expand1"));
        // Only digits, at most four of them (three for a crop).
        TypeText(rig.page.field(Field::X), "12a345");
        QCOMPARE(rig.page.field(Field::X)->text(), QStringLiteral("1234"));
        TypeText(rig.page.field(Field::CropY), "1234");
        QCOMPARE(rig.page.field(Field::CropY)->text(), QStringLiteral("123"));
    }

private:
    static QString StatusNameOf(int window) { return S_Window + QString::number(window); }
    static QString AudioNameOf(int source) { return S_AudioSource + QString::number(source); }
    static QString InputNameOf(int window, int input)
    {
        return QStringLiteral("%1%2-%3-%4").arg(S_Window).arg(window).arg(S_Input).arg(input);
    }
    static QString LayerNameOf(int window, int layer)
    {
        return QStringLiteral("%1%2-%3-%4").arg(S_Window).arg(window).arg(S_Layer).arg(layer);
    }
};

QTEST_MAIN(MultiviewCanvasTest)
#include "tst_multiview_canvas.moc"
