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
        || qobject_cast<const QAbstractScrollArea *>(w);
}

bool scrolls(const QAbstractScrollArea *area, Qt::Orientation orientation)
{
    return (orientation == Qt::Horizontal ? area->horizontalScrollBarPolicy() : area->verticalScrollBarPolicy())
        != Qt::ScrollBarAlwaysOff;
}

// The rectangle the control can be brought into view in, in the page's
// coordinates, and why it fails when it does not lie in it.
QString outOfReach(const QWidget *page, const QWidget *control, bool horizontalScrollAllowed)
{
    const QScrollArea *area = nullptr;
    for (const QWidget *w = control->parentWidget(); w && w != page; w = w->parentWidget()) {
        if (auto *a = qobject_cast<const QScrollArea *>(w); a && a->widget() && a->widget()->isAncestorOf(control)) {
            area = a;
            break;
        }
    }
    QRect reach = page->rect();
    QRect rect(control->mapTo(page, QPoint(0, 0)), control->size());
    if (area) {
        const QWidget *content = area->widget();
        const QRect viewport(area->viewport()->mapTo(page, QPoint(0, 0)), area->viewport()->size());
        rect = QRect(control->mapTo(content, QPoint(0, 0)), control->size());
        const bool across = scrolls(area, Qt::Horizontal) && horizontalScrollAllowed;
        const bool down = scrolls(area, Qt::Vertical);
        reach = QRect(0, 0, across ? content->width() : viewport.width(), down ? content->height() : viewport.height());
    }
    if (reach.contains(rect))
        return QString();
    return QStringLiteral("%1 \"%2\" at %3,%4 %5x%6 outside %7x%8")
        .arg(QLatin1String(control->metaObject()->className()), control->objectName())
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height())
        .arg(reach.width())
        .arg(reach.height());
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
        if (!w->isVisibleTo(page) || !isControl(w) || qobject_cast<const QScrollBar *>(w))
            continue;
        // The scroll areas' own viewports and bars are not controls here.
        if (qobject_cast<const QScrollArea *>(w))
            continue;
        const QString why = outOfReach(page, w, horizontalScroll);
        if (!why.isEmpty())
            failures << why;
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
}

QTEST_MAIN(ScreenFitTest)
#include "tst_screen_fit.moc"
