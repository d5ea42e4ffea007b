// What the operator sees and types, without a device: the Status log folds
// repeats, saved files get their suffix, names survive a language switch,
// the keyboard reaches every tab and the login, page dialogs open once, and
// the debug console's send line, timestamps and shared view.
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "app/UserNames.h"
#include "chrome/FileNameDialog.h"
#include "chrome/FoldedLog.h"
#include "chrome/MessageBox.h"
#include "chrome/ReadableColour.h"
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_Matrix.h"
#include "protocol/CommandChannel.h"
#include "shell/LanguageSwitch.h"
#include "shell/Ui_Debug.h"
#include "shell/Ui_Login.h"
#include "shell/Ui_Main.h"
#include "support/MainWindowFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

class OperatorViewsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ResetProcessState(); }

    void destructiveQuestion_answersNoToEnterAndEscape_data()
    {
        QTest::addColumn<int>("key"); // 0: a click on YES
        QTest::addColumn<bool>("yes");
        QTest::newRow("Enter") << int(Qt::Key_Return) << false;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
        QTest::newRow("click on YES") << 0 << true;
    }

    void destructiveQuestion_answersNoToEnterAndEscape()
    {
        QFETCH(int, key);
        QFETCH(bool, yes);
        QTimer::singleShot(0, this, [key] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            if (key != 0) {
                QTest::keyClick(box, Qt::Key(key));
                return;
            }
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == QLatin1String("YES"))
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        QCOMPARE(ConfirmDestructive(nullptr, QStringLiteral("Reset?")), yes);
    }

    void statusLog_foldsRepeats_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one") << QStringList{"a"} << "a\n";
        QTest::newRow("twice") << QStringList{"a", "a"} << QString::fromUtf8("a (×2)\n");
        QTest::newRow("twelve") << QStringList(QVector<QString>(12, QStringLiteral("a")).toList())
                                << QString::fromUtf8("a (×12)\n");
        QTest::newRow("only the newest folds")
            << QStringList{"a", "b", "a", "a"} << QString::fromUtf8("a\nb\na (×2)\n");
    }

    void statusLog_foldsRepeats()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, shown);
        QPlainTextEdit log;
        for (const QString &line : lines)
            AppendFoldedLine(&log, line);
        QCOMPARE(log.toPlainText(), shown);
    }

    void wallNumbers_areReadable_data()
    {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("configured");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("spliced: yellow on green") << QColor(0, 255, 0) << QColor(255, 255, 0) << QColor(Qt::black);
        QTest::newRow("free: red on grey") << QColor(128, 128, 128) << QColor(255, 0, 0) << QColor(Qt::black);
        QTest::newRow("yellow on dark blue kept") << QColor(0, 0, 128) << QColor(255, 255, 0) << QColor(255, 255, 0);
        QTest::newRow("white on mid blue") << QColor(60, 60, 200) << QColor(70, 70, 210) << QColor(Qt::white);
    }

    void wallNumbers_areReadable()
    {
        QFETCH(QColor, background);
        QFETCH(QColor, configured);
        QFETCH(QColor, shown);
        const QColor text = ReadableTextOn(background, configured);
        QCOMPARE(text, shown);
        QVERIFY(ContrastRatio(background, text) >= ReadableContrast);
    }

    void saveName_getsTheDefaultSuffix_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("saved");
        QTest::newRow("EDID") << "/d/out1"
                              << "Bin File(*.bin)"
                              << "/d/out1.bin";
        QTest::newRow("command lines") << "/d/mylines"
                                       << "Text File(*.txt)"
                                       << "/d/mylines.txt";
        QTest::newRow("suffix typed") << "/d/out1.bin"
                                      << "Bin File(*.bin)"
                                      << "/d/out1.bin";
        QTest::newRow("other suffix kept") << "/d/out1.dat"
                                           << "Bin File(*.bin)"
                                           << "/d/out1.dat";
        QTest::newRow("dot in a folder name") << "/d.x/out1"
                                              << "Bin File(*.bin)"
                                              << "/d.x/out1.bin";
        QTest::newRow("trailing dot") << "/d/out1."
                                      << "Bin File(*.bin)"
                                      << "/d/out1.bin";
        QTest::newRow("cancelled") << ""
                                   << "Bin File(*.bin)"
                                   << "";
    }

    void saveName_getsTheDefaultSuffix()
    {
        QFETCH(QString, typed);
        QFETCH(QString, filter);
        QFETCH(QString, saved);
        SetFileDialogHook([typed](FileDialogKind, const QString &, const QString &, const QString &) { return typed; });
        QCOMPARE(AskSaveFileName(nullptr, QString(), QString(), filter), saved);
        SetFileDialogHook({});
    }

    void edidSavedWithoutSuffix_isListedForLoading()
    {
        ScratchAppDir dir;
        const QString typed = dir.file(QStringLiteral("/out1"));
        SetFileDialogHook([typed](FileDialogKind, const QString &, const QString &, const QString &) { return typed; });
        Ui_Edid dialog;
        QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
        SetFileDialogHook({});
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.bin")}), QStringList{QStringLiteral("out1.bin")});
    }

    void renamedInput_keepsItsNameInBothLanguages()
    {
        MainWindowFixture fixture;
        S_InputName[2] = QStringLiteral("Stage cam");
        ShareUserName(&S_InputName[2]);
        ScomboBox_Layout[4] = QStringLiteral("Finale");
        ShareUserName(&ScomboBox_Layout[4]);
        SwitchLanguageTo(ScomboBox_LanguageSelect[1]);
        QCOMPARE(Key_LanguageIsEnglish, QStringLiteral("0"));
        QCOMPARE(S_InputName[2], QStringLiteral("Stage cam"));
        QCOMPARE(ScomboBox_Layout[4], QStringLiteral("Finale"));
        QCOMPARE(S_InputName[3], QString::fromUtf8("输入4")); // the others stay translated
        SwitchLanguageTo(ScomboBox_LanguageSelect[0]);
        QCOMPARE(S_InputName[2], QStringLiteral("Stage cam"));
        QCOMPARE(S_InputName[3], QStringLiteral("Input4"));
    }

    void ctrlTab_visitsEveryTabFromEveryTab()
    {
        MainWindowFixture fixture(MainWindowFixture::configWith({{"Key_UI_Peripheral", "1"}}));
        Ui_Main *window = fixture.window();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QApplication::setActiveWindow(window);
        QTabWidget *tabs = window->tabWidget();
        const int count = tabs->count();
        QVERIFY(count >= 6);
        for (int start = 0; start < count; ++start) {
            for (const bool back : {false, true}) {
                tabs->setCurrentIndex(start);
                // The focus sits on the page (a grid or a canvas on some).
                tabs->currentWidget()->nextInFocusChain()->setFocus();
                QSet<int> seen;
                for (int step = 0; step < count; ++step) {
                    QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : window;
                    QTest::keyClick(focus, back ? Qt::Key_Backtab : Qt::Key_Tab,
                                    back ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
                    seen.insert(tabs->currentIndex());
                }
                QCOMPARE(seen.size(), count);
                QCOMPARE(tabs->currentIndex(), start);
            }
        }
    }

    void login_typedPasswordAndEnter()
    {
        ScratchAppDir dir;
        StartupSettings();
        Ui_Login login;
        QSignalSpy loggedIn(&login, &Ui_Login::SGL_SETUP_UI_MAIN);
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        QApplication::setActiveWindow(&login);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), static_cast<QWidget *>(login.passwordEdit()), 2000);
        QTest::keyClicks(QApplication::focusWidget(), Spassword_Admin);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(loggedIn.count(), 1);
        SavePendingAtExit = false;
    }

    void pageDialog_opensOnceAndIsRaised()
    {
        MainWindowFixture fixture;
        ActiveTransport = TransportTcp;
        Ui_Matrix *page = fixture.window()->matrixPage();
        fixture.window()->show();
        fixture.window()->tabWidget()->setCurrentWidget(page);
        // No device here: the page is inactive until a link is up.
        page->setEnabled(true);
        QTest::mouseClick(page->edidButton(), Qt::LeftButton);
        Ui_Edid *first = page->edidDialog();
        QVERIFY(first && first->isVisible());
        QTest::mouseClick(page->edidButton(), Qt::LeftButton);
        QCOMPARE(page->edidDialog(), first);
        int open = 0;
        for (QWidget *top : QApplication::topLevelWidgets())
            open += qobject_cast<Ui_Edid *>(top) && top->isVisible() ? 1 : 0;
        QCOMPARE(open, 1);
        QTest::keyClick(first, Qt::Key_Escape);
        QVERIFY(!first->isVisible());
    }

    void debugConsole_sendsAgainAndKeepsItsLog()
    {
        MessageRecorder messages;
        ActiveTransport = TransportTcp;
        ChannelOpen(TcpChannel);
        Ui_Debug console;
        console.sendInput()->setText(QStringLiteral("7B 7B 01"));
        QTest::mouseClick(console.sendButton(), Qt::LeftButton);
        console.SLT_Sync_Show_Send(QByteArray("\x7B\x7B\x01", 3));
        QTest::mouseClick(console.sendButton(), Qt::LeftButton);
        QCOMPARE(ChannelQueueSize(TcpChannel, QueueSide::Send), 2);
        QVERIFY(messages.texts().isEmpty());
        QVERIFY(console.sendBox()->isReadOnly());
        QCOMPARE(console.sendBox()->toPlainText(), QStringLiteral("7B 7B 01"));
    }

    void debugConsole_timesAndSharedView()
    {
        Ui_Debug console;
        console.resize(300, 300);
        console.show();
        console.timestampBox()->setChecked(true);
        console.oneViewBox()->setChecked(true);
        const QByteArray longFrame(200, char(0x7B));
        console.SLT_Sync_Show_Send(QByteArray("\x01", 1));
        console.SLT_Sync_Show_Recv(longFrame);
        console.SLT_Sync_Show_Send(QByteArray("\x02", 1));
        const QStringList lines = console.receiveBox()->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 3);
        const QRegularExpression stamped(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d (TX|RX) "));
        for (const QString &line : lines)
            QVERIFY2(stamped.match(line).hasMatch(), qPrintable(line));
        QVERIFY(lines.at(0).endsWith(QStringLiteral("TX 01")));
        QVERIFY(lines.at(1).contains(QStringLiteral("RX 7B 7B")));
        QVERIFY(lines.at(2).endsWith(QStringLiteral("TX 02")));
        QVERIFY(console.sendBox()->toPlainText().isEmpty());
        // A long frame never leaves the view scrolled away from line starts.
        console.SLT_Sync_Show_Recv(longFrame);
        QCOMPARE(console.receiveBox()->horizontalScrollBar()->value(), 0);
    }
};

QTEST_MAIN(OperatorViewsTest)
#include "tst_operator_views.moc"
