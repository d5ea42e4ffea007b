#include "app/AppPaths.h"
#include "chrome/BorderHitTest.h"
#include "chrome/ImageFiles.h"
#include "chrome/MessageBox.h"
#include "chrome/MyComboBox.h"
#include "chrome/MyUiLayout.h"
#include "support/MessageRecorder.h"
#include "support/TestSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(BorderRegion)
Q_DECLARE_METATYPE(Qt::Edges)

namespace {
// Bytes after the end of a PNG are ignored by readers and dropped by a
// re-encode, which makes the rewrite visible.
const QByteArray TrailingJunk("trailing bytes after IEND");

QByteArray PngWithJunk()
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(QColor(45, 125, 210));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes + TrailingJunk;
}

// Answers the next modal message box by clicking the button with the
// caption, and notes what the box showed. Gives up (closing whatever box is
// up) after a bounded number of polls, so a failing test cannot hang.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(const QString &caption)
        : m_caption(caption)
    {
        connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::poll);
        m_timer.start(PollMs);
    }

    QStringList captions;
    QString title;
    bool hadIcon = false;

private:
    static constexpr int PollMs = 10;
    static constexpr int MaxPolls = 300;

    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (++m_polls > MaxPolls)
                m_timer.stop();
            return;
        }
        m_timer.stop();
        for (QAbstractButton *button : box->buttons())
            captions.append(button->text());
        title = box->windowTitle();
        hadIcon = !box->iconPixmap().isNull();
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == m_caption) {
                button->click();
                return;
            }
        }
        box->reject();
    }

    QString m_caption;
    QTimer m_timer;
    int m_polls = 0;
};
} // namespace

class TestChrome : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hitTest_data();
    void hitTest();
    void place_data();
    void place();
    void rewritePng_data();
    void rewritePng();
    void rewritePng_missingOrBrokenFileIsLeftAlone();
    void comboBox_refreshesBeforeTheListOpens();
    void messageHook_recordsAndAnswers_data();
    void messageHook_recordsAndAnswers();
};

void TestChrome::hitTest_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<BorderRegion>("region");
    QTest::addColumn<Qt::Edges>("edges");
    QTest::addColumn<int>("cursor");

    // A 400 by 300 window: the border is x 1..5 and 395..399, y 1..5 and 295..299.
    const Qt::Edges none;
    QTest::newRow("3 from right, 3 from top")
        << QPoint(397, 3) << BorderRegion::TopRight << (Qt::TopEdge | Qt::RightEdge) << int(Qt::SizeBDiagCursor);
    QTest::newRow("top-left") << QPoint(3, 3) << BorderRegion::TopLeft << (Qt::TopEdge | Qt::LeftEdge)
                              << int(Qt::SizeFDiagCursor);
    QTest::newRow("bottom-left") << QPoint(5, 295) << BorderRegion::BottomLeft << (Qt::BottomEdge | Qt::LeftEdge)
                                 << int(Qt::SizeBDiagCursor);
    QTest::newRow("bottom-right") << QPoint(399, 299) << BorderRegion::BottomRight << (Qt::BottomEdge | Qt::RightEdge)
                                  << int(Qt::SizeFDiagCursor);
    QTest::newRow("left x=1") << QPoint(1, 150) << BorderRegion::Left << Qt::Edges(Qt::LeftEdge)
                              << int(Qt::SizeHorCursor);
    QTest::newRow("left x=5") << QPoint(5, 150) << BorderRegion::Left << Qt::Edges(Qt::LeftEdge)
                              << int(Qt::SizeHorCursor);
    QTest::newRow("right x=w-5") << QPoint(395, 150) << BorderRegion::Right << Qt::Edges(Qt::RightEdge)
                                 << int(Qt::SizeHorCursor);
    QTest::newRow("right x=w-1") << QPoint(399, 150) << BorderRegion::Right << Qt::Edges(Qt::RightEdge)
                                 << int(Qt::SizeHorCursor);
    QTest::newRow("top y=1") << QPoint(200, 1) << BorderRegion::Top << Qt::Edges(Qt::TopEdge) << int(Qt::SizeVerCursor);
    QTest::newRow("bottom y=h-5") << QPoint(200, 295) << BorderRegion::Bottom << Qt::Edges(Qt::BottomEdge)
                                  << int(Qt::SizeVerCursor);
    QTest::newRow("x=0 is inside") << QPoint(0, 150) << BorderRegion::Inside << none << int(Qt::ArrowCursor);
    QTest::newRow("x=0 y=3 is top only") << QPoint(0, 3) << BorderRegion::Top << Qt::Edges(Qt::TopEdge)
                                         << int(Qt::SizeVerCursor);
    QTest::newRow("origin is inside") << QPoint(0, 0) << BorderRegion::Inside << none << int(Qt::ArrowCursor);
    QTest::newRow("x=6 is inside") << QPoint(6, 150) << BorderRegion::Inside << none << int(Qt::ArrowCursor);
    QTest::newRow("x=w-6 is inside") << QPoint(394, 150) << BorderRegion::Inside << none << int(Qt::ArrowCursor);
    QTest::newRow("x=w is outside") << QPoint(400, 150) << BorderRegion::Inside << none << int(Qt::ArrowCursor);
    QTest::newRow("centre") << QPoint(200, 150) << BorderRegion::Inside << none << int(Qt::ArrowCursor);
}

void TestChrome::hitTest()
{
    QFETCH(QPoint, pos);
    QFETCH(BorderRegion, region);
    QFETCH(Qt::Edges, edges);
    QFETCH(int, cursor);

    const BorderRegion actual = HitTestBorder(pos, QSize(400, 300));
    QCOMPARE(int(actual), int(region));
    QCOMPARE(BorderEdges(actual), edges);
    QCOMPARE(int(BorderCursor(actual)), cursor);
}

void TestChrome::place_data()
{
    QTest::addColumn<int>("relation");
    QTest::addColumn<bool>("withReference");
    QTest::addColumn<QPoint>("expected");

    // Reference at (100, 50), 80 by 30; dx 10, dy 4; the widget is 100 by 26
    // and starts at (7, 9).
    QTest::newRow("0x11 left, above") << 0x11 << true << QPoint(-10, 20);
    QTest::newRow("0x12 left, tops aligned") << 0x12 << true << QPoint(-10, 50);
    QTest::newRow("0x14 left, below") << 0x14 << true << QPoint(-10, 84);
    QTest::newRow("0x21 lefts aligned, above") << 0x21 << true << QPoint(100, 20);
    QTest::newRow("0x22 same origin") << 0x22 << true << QPoint(100, 50);
    QTest::newRow("0x24 lefts aligned, 4 below") << 0x24 << true << QPoint(100, 84);
    QTest::newRow("0x41 right, above") << 0x41 << true << QPoint(190, 20);
    QTest::newRow("0x42 10 right, tops aligned") << 0x42 << true << QPoint(190, 50);
    QTest::newRow("0x44 right, below") << 0x44 << true << QPoint(190, 84);
    QTest::newRow("0x88 absolute") << 0x88 << true << QPoint(10, 4);
    QTest::newRow("0x88 needs no reference") << 0x88 << false << QPoint(10, 4);
    QTest::newRow("0x43 only resizes") << 0x43 << true << QPoint(7, 9);
    QTest::newRow("0x00 only resizes") << 0x00 << true << QPoint(7, 9);
    QTest::newRow("0x142 only resizes") << 0x142 << true << QPoint(7, 9);
    QTest::newRow("-1 only resizes") << -1 << true << QPoint(7, 9);
    QTest::newRow("0x42 without reference") << 0x42 << false << QPoint(7, 9);
}

void TestChrome::place()
{
    QFETCH(int, relation);
    QFETCH(bool, withReference);
    QFETCH(QPoint, expected);

    QWidget parent;
    QWidget reference(&parent);
    reference.setGeometry(100, 50, 80, 30);
    QWidget widget(&parent);
    widget.setGeometry(7, 9, 5, 5);

    MyUiLayout layout;
    layout.place(&widget, withReference ? &reference : nullptr, relation, 10, 4, 100, 26);

    QCOMPARE(widget.pos(), expected);
    QCOMPARE(widget.size(), QSize(100, 26));
}

void TestChrome::rewritePng_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("rewritten");

    QTest::newRow("png is re-encoded") << "logo.png" << true;
    QTest::newRow("PNG in capitals is kept") << "LOGO.PNG" << false;
    QTest::newRow("double suffix is kept") << "logo.old.png" << false;
    QTest::newRow("no suffix is kept") << "logo" << false;
}

void TestChrome::rewritePng()
{
    QFETCH(QString, name);
    QFETCH(bool, rewritten);

    ScratchAppDir dir;
    const QByteArray original = PngWithJunk();
    dir.write("/" + name, original);

    RewritePngInPlace(dir.file("/" + name));

    const QByteArray after = dir.read("/" + name);
    QCOMPARE(after != original, rewritten);
    QVERIFY(!QImage::fromData(after).isNull());
    if (rewritten)
        QVERIFY(!after.endsWith(TrailingJunk));
}

void TestChrome::rewritePng_missingOrBrokenFileIsLeftAlone()
{
    ScratchAppDir dir;
    RewritePngInPlace(dir.file("/missing.png"));
    QVERIFY(!QFile::exists(dir.file("/missing.png")));

    const QByteArray notAnImage("not a picture");
    dir.write("/broken.png", notAnImage);
    RewritePngInPlace(dir.file("/broken.png"));
    QCOMPARE(dir.read("/broken.png"), notAnImage);

    RewritePngInPlace(QString());
}

void TestChrome::comboBox_refreshesBeforeTheListOpens()
{
    MyComboBox box;
    box.addItem(QStringLiteral("COM1"));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    QSignalSpy spy(&box, &MyComboBox::SGL_Auto_UpdateComboBox);
    bool listWasOpen = true;
    connect(&box, &MyComboBox::SGL_Auto_UpdateComboBox, &box, [&box, &listWasOpen]() {
        listWasOpen = box.view()->isVisible();
        box.clear();
        box.addItems({QStringLiteral("COM3"), QStringLiteral("COM4")});
    });

    box.showPopup();

    QCOMPARE(spy.count(), 1);
    QVERIFY(!listWasOpen);
    QVERIFY(box.view()->isVisible());
    QCOMPARE(box.view()->model()->rowCount(), 2);
    QCOMPARE(box.itemText(0), QStringLiteral("COM3"));
    box.hidePopup();
}

void TestChrome::messageHook_recordsAndAnswers_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("answer yes") << true;
    QTest::newRow("answer no") << false;
}

void TestChrome::messageHook_recordsAndAnswers()
{
    QFETCH(bool, answer);

    MessageRecorder recorder(answer);
    QWidget parent;
    ShowMessage(&parent, QStringLiteral("Password error!"));
    const bool asked = AskYesNo(nullptr, QStringLiteral("Save?"));

    QCOMPARE(asked, answer);
    QCOMPARE(recorder.count(), 2);
    QCOMPARE(int(recorder.messages().at(0).kind), int(MessageKind::Information));
    QCOMPARE(recorder.messages().at(0).text, QStringLiteral("Password error!"));
    QCOMPARE(int(recorder.messages().at(1).kind), int(MessageKind::Question));
    QCOMPARE(recorder.lastText(), QStringLiteral("Save?"));
}

QTEST_MAIN(TestChrome)
#include "tst_chrome.moc"
