// Every control of every page within reach at the window size small
// screens get (1280 by 720 and 1366 by 768), with the program's style
// sheet, a 16 x 16 device and a 4 x 4 TV wall: each control lies inside its
// page, or inside the scrollable area of a scroll area that can scroll that
// way. The TV wall grid and the multiview canvas scale instead, and the
// signal configuration rows fit their width, so none of them needs a
// horizontal scroll.
#include "app/Startup.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsView>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {
bool isControl(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QComboBox *>(w)
        || qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractSpinBox *>(w)
        || (qobject_cast<const QAbstractScrollArea *>(w) && !qobject_cast<const QScrollArea *>(w));
}

// Where the control can be brought into view: its page, or the content of
// the scroll area it lies in, as far as that area scrolls. Empty when it
// lies there, else what is wrong.
QString outOfReach(const QWidget *page, const QWidget *control, bool acrossAllowed)
{
    QRect reach = page->rect();
    QRect rect(control->mapTo(page, QPoint(0, 0)), control->size());
    for (const QWidget *w = control->parentWidget(); w && w != page; w = w->parentWidget()) {
        auto *area = qobject_cast<const QScrollArea *>(w);
        if (!area || !area->widget() || !area->widget()->isAncestorOf(control))
            continue;
        const QWidget *content = area->widget();
        const bool across = acrossAllowed && area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
        const bool down = area->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
        rect = QRect(control->mapTo(content, QPoint(0, 0)), control->size());
        reach = QRect(0, 0, across ? content->width() : area->viewport()->width(),
                      down ? content->height() : area->viewport()->height());
        break;
    }
    if (reach.contains(rect))
        return QString();
    return QStringLiteral("%1 %2 (%3,%4)-(%5,%6)")
        .arg(QLatin1String(control->metaObject()->className()), control->objectName())
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.right())
        .arg(rect.bottom());
}
} // namespace

class ScreenFitTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void everyControlWithinReach_data();
    void everyControlWithinReach();

private:
    std::unique_ptr<ConnectedProgram> m_program;
};

// One program for every row: a 16 x 16 device with a 4 x 4 wall, the
// peripheral tab shown, the program's style sheet.
void ScreenFitTest::initTestCase()
{
    SimOptions options = SimHarness::TestOptions();
    options.model.inputs = 16;
    options.model.outputs = 16;
    options.model.wallRows = 4;
    options.model.wallCols = 4;
    m_program = std::make_unique<ConnectedProgram>(options, ConnectedProgram::Link::Tcp,
                                                   QList<QPair<QByteArray, QByteArray>>{{"Key_UI_Peripheral", "1"}});
    QVERIFY2(m_program->ok(), m_program->why());
    ApplyStyleSheet();
    m_program->window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_program->window()));
}

void ScreenFitTest::cleanupTestCase()
{
    m_program.reset();
    qApp->setStyleSheet(QString());
}

void ScreenFitTest::everyControlWithinReach_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("horizontalScroll");
    const char *const pages[] = {"connection", "matrix",    "signal config", "tv wall",
                                 "system",     "multiview", "peripheral"};
    for (const QSize &screen : {QSize(1280, 720), QSize(1366, 768)}) {
        for (int tab = 0; tab < 7; ++tab) {
            const bool across = tab == 1; // the 16 x 16 crosspoint grid may scroll sideways
            QTest::newRow(qPrintable(
                QStringLiteral("%1x%2 %3").arg(screen.width()).arg(screen.height()).arg(QLatin1String(pages[tab]))))
                << screen << tab << across;
        }
    }
}

void ScreenFitTest::everyControlWithinReach()
{
    QFETCH(QSize, screen);
    QFETCH(int, tab);
    QFETCH(bool, horizontalScroll);
    Ui_Main *window = m_program->window();
    window->setGeometry(Ui_Main::InitialGeometry(screen));
    window->tabWidget()->setCurrentIndex(tab);
    QWidget *page = window->tabWidget()->currentWidget();
    QTest::qWait(50);

    QStringList failures;
    const QList<QWidget *> widgets = page->findChildren<QWidget *>();
    for (const QWidget *w : widgets) {
        if (w->isVisibleTo(page) && isControl(w) && !qobject_cast<const QScrollBar *>(w))
            failures << outOfReach(page, w, horizontalScroll);
    }
    failures.removeAll(QString());
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
}

QTEST_MAIN(ScreenFitTest)
#include "tst_screen_fit.moc"
