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
