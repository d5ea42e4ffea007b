// The matrix page on its own, offscreen, over a link whose queue the test
// reads: grid sizes and paging, marks drawn from the model only, the frames
// of clicks, "Allset:", the audio switch, renames, and the dialogs' guard.
#include "app/LanguageTable.h"
#include "chrome/MyComboBox.h"
#include "pages/routing/AudioSwitchGroup.h"
#include "pages/routing/ExpandInputGroup.h"
#include "pages/routing/MatrixGrid.h"
#include "pages/routing/RenamePanel.h"
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/routing/Ui_SaveLoad.h"
#include "protocol/DeviceState.h"
#include "support/MessageRecorder.h"
#include "support/QueuedFrames.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
QByteArray frame(quint8 code, const char *payload)
{
    return DeviceFrameOf(code, Hex(payload));
}

int visibleCount(const QVector<QPushButton *> &buttons, const QWidget *page)
{
    int n = 0;
    for (const QPushButton *button : buttons)
        n += button->isVisibleTo(page) ? 1 : 0;
    return n;
}

// The columns of flat (marked) buttons of one grid row, in order.
QList<int> markedColumns(const MatrixGrid *grid, int row)
{
    QList<int> columns;
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (grid->crosspoint(c, row)->isFlat())
            columns.append(c);
    }
    return columns;
}
} // namespace

class MatrixPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void grid_sizedByTheDevice_data();
    void grid_sizedByTheDevice();
    void routingOutsideTheInputPage_leavesTheRowUnmarked();
    void click_sendsTheSwitchButMarksFollowTheModel();
    void allSet_listsTheInputsAndSwitchesEveryOutput();
    void audioButton_sendsTheAudioSwitch();
    void rename_data();
    void rename();

private:
    std::unique_ptr<Ui_Matrix> m_page;
    std::unique_ptr<QueuedFrames> m_link;
    MessageRecorder m_messages; // Allset asks first: YES
};

void MatrixPageTest::init()
{
    ResetProcessState();
    m_page = std::make_unique<Ui_Matrix>();
    m_page->resize(1400, 800);
    m_page->show();
    m_link = std::make_unique<QueuedFrames>();
}

void MatrixPageTest::cleanup()
{
    m_link.reset();
    m_page.reset();
    ResetProcessState();
}

void MatrixPageTest::grid_sizedByTheDevice_data()
{
    QTest::addColumn<int>("inputs");
    QTest::addColumn<int>("outputs");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QSize>("groupSize");
    QTest::addColumn<bool>("paging");
    QTest::newRow("8x4") << 8 << 4 << 8 << 4 << QSize(664, 172) << false;
    QTest::newRow("16x16") << 16 << 16 << 16 << 16 << QSize(1192, 436) << false;
    QTest::newRow("20x20") << 20 << 20 << 16 << 16 << QSize(1192, 436) << true;
    QTest::newRow("20x4") << 20 << 4 << 16 << 4 << QSize(1192, 172) << true;
}

void MatrixPageTest::grid_sizedByTheDevice()
{
    QFETCH(int, inputs);
    QFETCH(int, outputs);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(bool, paging);
    m_page->BuildGrid(quint32(inputs), quint32(outputs));
    m_page->BuildAudioSwitchRow();
    m_page->RefreshFromDevice();
    const MatrixGrid *grid = m_page->grid();

    QCOMPARE(grid->columnCount(), columns);
    QCOMPARE(grid->rowCount(), rows);
    QCOMPARE(visibleCount(grid->crosspoints(), m_page.get()), columns * rows);
    QTEST(grid->size(), "groupSize");
    QCOMPARE(grid->inputNameLabel(columns - 1)->text(), QStringLiteral("Input%1").arg(columns));
    QCOMPARE(grid->outputNumberLabel(rows - 1)->text(), QString::number(rows));
    QCOMPARE(grid->cornerLabel()->text(), QStringLiteral("Output\\Input"));
    const AudioSwitchGroup *audio = m_page->audioGroup();
    QCOMPARE(visibleCount(audio->buttons().buttons(), m_page.get()), columns);
    QCOMPARE(audio->rightButton()->isVisibleTo(m_page.get()), inputs > 16);
    QCOMPARE(audio->downButton()->isVisibleTo(m_page.get()), outputs > 16);
    QCOMPARE(audio->leftButton()->isVisibleTo(m_page.get()) || audio->upButton()->isVisibleTo(m_page.get()), paging);
    QVERIFY(!m_page->expandGroup()->isVisibleTo(m_page.get()));

    // Without more than 16 channels the paging slots change nothing.
    if (!paging) {
        m_page->SLT_BTN_Move_Right(false);
        m_page->SLT_BTN_Move_Down(false);
        QCOMPARE(m_page->paging().inputPage(), 0u);
        QCOMPARE(m_page->paging().outputPage(), 0u);
    }
}

void MatrixPageTest::routingOutsideTheInputPage_leavesTheRowUnmarked()
{
    m_page->BuildGrid(20, 4);
    Device().routingAt(0) = 17;
    Device().routingAt(1) = 2;
    Device().routingAt(2) = 15;
    m_page->RefreshFromDevice();
    QCOMPARE(markedColumns(m_page->grid(), 0), QList<int>{});
    QCOMPARE(markedColumns(m_page->grid(), 1), QList<int>{2});
    QCOMPARE(markedColumns(m_page->grid(), 2), QList<int>{15});
}

void MatrixPageTest::click_sendsTheSwitchButMarksFollowTheModel()
{
    m_page->BuildGrid(8, 4);
    Device().routingAt(2) = 1;
    m_page->RefreshFromDevice();
    QSignalSpy sent(m_page.get(), &Ui_Matrix::SGL_UpdateEmit);
    QTest::mouseClick(m_page->grid()->crosspoint(5, 2), Qt::LeftButton);
    QCOMPARE(m_link->take(), QVector<QByteArray>{frame(0x01, "05 02")});
    QCOMPARE(sent.count(), 1);
    QCOMPARE(markedColumns(m_page->grid(), 2), QList<int>{1});

    Device().routingAt(2) = 5;
    m_page->RefreshFromDevice();
    QCOMPARE(markedColumns(m_page->grid(), 2), QList<int>{5});
}

void MatrixPageTest::allSet_listsTheInputsAndSwitchesEveryOutput()
{
    m_page->BuildGrid(8, 4);
    m_page->BuildExpandInputRow(0);
    MyComboBox *box = m_page->allSetBox();
    box->showPopup();
    box->hidePopup();
    QCOMPARE(box->count(), 8);
    QCOMPARE(box->itemText(7), QStringLiteral("Input8"));
    Q_EMIT box->activated(3);
    QCOMPARE(m_link->take(), QVector<QByteArray>{frame(0x01, "03 FF")});

    // With expand inputs the list goes on with their names, which route the
    // expand input's channel.
    m_page->BuildExpandInputRow(1);
    Device().expandInputChannel = 6;
    QVERIFY(m_page->expandGroup()->isVisibleTo(m_page.get()));
    box->showPopup();
    box->hidePopup();
    QCOMPARE(box->count(), 9);
    QCOMPARE(box->itemText(8), QStringLiteral("Expand1"));
    Q_EMIT box->activated(8);
    QCOMPARE(m_link->take(), QVector<QByteArray>{frame(0x01, "06 FF")});
    QTest::mouseClick(m_page->expandGroup()->buttons().at(2), Qt::LeftButton);
    QCOMPARE(m_link->take(), QVector<QByteArray>{frame(0x01, "06 02")});
}

void MatrixPageTest::audioButton_sendsTheAudioSwitch()
{
    m_page->BuildGrid(8, 4);
    m_page->BuildAudioSwitchRow();
    Device().lrInput = 6;
    m_page->RefreshFromDevice();
    const AudioSwitchGroup *audio = m_page->audioGroup();
    QVERIFY(audio->buttons().at(6)->isFlat());
    QTest::mouseClick(audio->buttons().at(4), Qt::LeftButton);
    QCOMPARE(m_link->take(), QVector<QByteArray>{frame(0xD9, "00 00 04")});
    QVERIFY(audio->buttons().at(6)->isFlat());
    QVERIFY(!audio->buttons().at(4)->isFlat());
}

void MatrixPageTest::rename_data()
{
    QTest::addColumn<int>("kind"); // 0 input name, 1 input number, 2 output name
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("refreshes");
    QTest::newRow("input renamed") << 0 << 2 << "Camera" << true << "Camera" << 1;
    QTest::newRow("input, empty text keeps") << 0 << 2 << "" << true << "Input3" << 1;
    QTest::newRow("input number starts nothing") << 1 << 2 << "Camera" << false << "Input3" << 0;
    QTest::newRow("output renamed") << 2 << 1 << "Projector" << true << "Projector" << 0;
    QTest::newRow("output, empty text keeps") << 2 << 1 << "" << true << "Output2" << 0;
}

void MatrixPageTest::rename()
{
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(bool, started);
    QFETCH(QString, name);
    m_page->BuildGrid(8, 4);
    m_page->RefreshFromDevice();
    const MatrixGrid *grid = m_page->grid();
    QLabel *label = kind == 0 ? grid->inputNameLabel(index)
        : kind == 1           ? grid->inputNumberLabel(index)
                              : grid->outputNameLabel(index);
    QSignalSpy refresh(m_page.get(), &Ui_Matrix::SGL_Refresh_DispalyWindowList);
    RenamePanel *panel = m_page->renamePanel();

    QTest::mouseDClick(label, Qt::LeftButton);
    QCOMPARE(panel->isVisibleTo(m_page.get()), started);
    if (started) {
        QCOMPARE(panel->oldNameLabel()->text(), label->text());
        QCOMPARE(panel->edit()->toolTip(), STIPS_EnterKeyFinishInputAndClose);
        QTest::keyClicks(panel->edit(), typed);
        QTest::keyClick(panel->edit(), Qt::Key_Return);
        QVERIFY(!panel->isVisibleTo(m_page.get()));
    }
    QTEST(refresh.count(), "refreshes");
    const QString stored = kind == 2 ? S_OutputName[index] : S_InputName[index];
    QCOMPARE(stored, name);
    if (kind != 1) // a name too long for the label is cut; the tool tip has it whole
        QCOMPARE(label->toolTip().isEmpty() ? label->text() : label->toolTip(), name);
    // Lists of input names show the new one when they next open.
    MyComboBox *box = m_page->allSetBox();
    box->showPopup();
    box->hidePopup();
    QCOMPARE(box->itemText(index), S_InputName[index]);
    // Enter no longer renames anything.
    panel->edit()->setText(QStringLiteral("Late"));
    QTest::keyClick(panel->edit(), Qt::Key_Return);
    QCOMPARE(kind == 2 ? S_OutputName[index] : S_InputName[index], name);
}

QTEST_MAIN(MatrixPageTest)
#include "tst_matrix_page.moc"
