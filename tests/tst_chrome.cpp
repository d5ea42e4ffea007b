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

} // namespace

class TestChrome : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hitTest_data();
    void hitTest();
    void rewritePng_data();
    void rewritePng();
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

void TestChrome::rewritePng_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<bool>("rewritten");

    QTest::newRow("png is re-encoded") << "logo.png" << PngWithJunk() << true;
    QTest::newRow("PNG in capitals is kept") << "LOGO.PNG" << PngWithJunk() << false;
    QTest::newRow("double suffix is kept") << "logo.old.png" << PngWithJunk() << false;
    QTest::newRow("no suffix is kept") << "logo" << PngWithJunk() << false;
    QTest::newRow("broken file is kept") << "broken.png" << QByteArray("not a picture") << false;
    QTest::newRow("missing file is not made") << "missing.png" << QByteArray() << false;
}

void TestChrome::rewritePng()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, rewritten);

    ScratchAppDir dir;
    if (!content.isEmpty())
        dir.write("/" + name, content);

    const QPixmap picture = RewrittenPicture(dir.file("/" + name));

    QCOMPARE(QFile::exists(dir.file("/" + name)), !content.isEmpty());
    const QByteArray after = dir.read("/" + name);
    QCOMPARE(after != content, rewritten);
    QCOMPARE(picture.size(), QImage::fromData(after).size()); // null for no picture
    if (rewritten)
        QVERIFY(!after.endsWith(TrailingJunk));
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
