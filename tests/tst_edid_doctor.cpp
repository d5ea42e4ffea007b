// The EDID dialog's decoded view and display checks against the simulator,
// whose outputs carry different displays: what the view says a read or a
// file is, the warning before a write (NO keeps the input as it was), and
// the common EDID of a group written to chosen inputs.
#include "app/LanguageTable.h"
#include "pages/routing/EdidDecodedView.h"
#include "pages/routing/EdidDoctorPanel.h"
#include "pages/routing/EdidFileDialog.h"
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_Matrix.h"
#include "protocol/DeviceState.h"
#include "protocol/EdidDecoder.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "tools/devsim/SimDisplayProfiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {
constexpr int TransferTimeoutMs = 15000;
const char Displays[] = "4k60,1080i,720p,4k30,1080p60,dvi-1080p,1080p60,1080i";

SimOptions simOptions()
{
    SimOptions options = SimHarness::TestOptions();
    QString error;
    ReadSimOutputEdids(QLatin1String(Displays), options.model.outputEdids, error);
    return options;
}

Ui_Edid *openEdid(ConnectedProgram &program)
{
    Ui_Main *window = program.window();
    window->show();
    window->tabWidget()->setCurrentWidget(window->matrixPage());
    QTest::mouseClick(window->matrixPage()->edidButton(), Qt::LeftButton);
    return window->matrixPage()->edidDialog();
}

// Loads a display profile's EDID through the dialog's Load button.
void loadProfile(ConnectedProgram &program, Ui_Edid *dialog, const QString &profile)
{
    const QString path = program.dir().file(QStringLiteral("/UserDefaultEDID/%1.bin").arg(profile));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(SimDisplayProfileEdid(profile, 0));
    file.close();
    SetEdidFileHook([path](EdidFileAction) { return path; });
    QTest::mouseClick(dialog->loadButton(), Qt::LeftButton);
}

QList<MessageKind> kinds(ConnectedProgram &program)
{
    QList<MessageKind> out;
    for (const MessageRecorder::Message &m : program.messages().messages())
        out << m.kind;
    return out;
}
} // namespace

class EdidDoctorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { SetEdidFileHook({}); }
    void decodedView_saysWhatItShows();
    void writeCheck_namesTheDisplaysThatLackAFormat_data();
    void writeCheck_namesTheDisplaysThatLackAFormat();
    void commonEdid_isBuiltFromTheGroupAndWrittenToTheInputs();
};

void EdidDoctorTest::decodedView_saysWhatItShows()
{
    ConnectedProgram program(simOptions());
    QVERIFY2(program.ok(), program.why());
    Ui_Edid *dialog = openEdid(program);
    QVERIFY(dialog);
    EdidDecodedView *view = dialog->decodedView();
    QCOMPARE(view->sourceText(), Slabel_EdidNothing);

    // A read: the display on output 3, the projector.
    QVERIFY(program.waitQuiet());
    dialog->readPortBox()->setCurrentIndex(2);
    QTest::mouseClick(dialog->readButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(view->sourceText(), QStringLiteral("Read from output 3"), TransferTimeoutMs);
    QCOMPARE(view->info().base.monitorName, QStringLiteral("KXR HD PROJ"));
    QVERIFY(!view->tree()->findItems(QStringLiteral("KXR HD PROJ"), Qt::MatchContains | Qt::MatchRecursive).isEmpty());

    // A file, whose checks find a warning: it heads the tree.
    QByteArray odd = SimDisplayProfileEdid(QStringLiteral("1080p60"), 0);
    odd[19] = 5; // EDID 1.5, which the decoder reads as 1.4 with a warning
    odd[127] = char(quint8(odd[127]) - 2);
    const QString path = program.dir().file(QStringLiteral("/UserDefaultEDID/odd.bin"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(odd);
    file.close();
    SetEdidFileHook([path](EdidFileAction) { return path; });
    QTest::mouseClick(dialog->loadButton(), Qt::LeftButton);
    QCOMPARE(view->sourceText(), QStringLiteral("File: odd.bin"));
    const EdidInfo info = DecodeEdid(odd);
    QVERIFY(!info.messages.isEmpty());
    QVERIFY(view->tree()->topLevelItem(0)->text(0).contains(info.messages.first().text));

    // A file the dialog rejects leaves nothing decoded.
    QByteArray broken = odd;
    broken[0] = 1;
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(broken);
    file.close();
    QTest::mouseClick(dialog->loadButton(), Qt::LeftButton);
    QCOMPARE(view->sourceText(), Slabel_EdidNothing);
    QCOMPARE(view->tree()->topLevelItemCount(), 0);
}

void EdidDoctorTest::writeCheck_namesTheDisplaysThatLackAFormat_data()
{
    QTest::addColumn<QString>("profile");       // the EDID loaded and written
    QTest::addColumn<int>("input");             // 0-based
    QTest::addColumn<QList<int>>("fedOutputs"); // 0-based, shown the input
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("named"); // lines of the warning (none: no question)
    QTest::newRow("input 4 on the 1080i sets 2 and 8, NO")
        << "1080p60" << 3 << QList<int>{1, 7} << false
        << QStringList{"1080p60 announced; output 2's display tops out at 1080i60",
                       "1080p60 announced; output 8's display tops out at 1080i60"};
    QTest::newRow("input 4 on the 1080i sets 2 and 8, YES")
        << "1080p60" << 3 << QList<int>{1, 7} << true
        << QStringList{"1080p50 announced; output 8's display tops out at 1080i60"};
    QTest::newRow("input 7 on the DVI monitor 6, NO")
        << "720p" << 6 << QList<int>{5} << false
        << QStringList{"720p60 announced; output 6's display does not list it",
                       "LPCM 2-channel audio announced; output 6's display lacks it"};
    QTest::newRow("input 2 on the 4K sets 1 and 4: no second question")
        << "4k30" << 1 << QList<int>{0, 3} << true << QStringList{};
}

void EdidDoctorTest::writeCheck_namesTheDisplaysThatLackAFormat()
{
    QFETCH(QString, profile);
    QFETCH(int, input);
    QFETCH(QList<int>, fedOutputs);
    QFETCH(bool, answer);
    QFETCH(QStringList, named);
    ConnectedProgram program(simOptions());
    QVERIFY2(program.ok(), program.why());
    Ui_Edid *dialog = openEdid(program);
    QVERIFY(dialog);
    DeviceState &device = Device();
    for (quint32 o = 0; o < device.outputCount; ++o)
        device.routingAt(o) = fedOutputs.contains(int(o)) ? quint32(input) : quint32(input + 1) % device.inputCount;
    loadProfile(program, dialog, profile);
    const QByteArray before = program.sim().device().state().inputs[input].edid;
    // YES to "write this EDID?", then the answer to the displays' gaps.
    program.messages().setAnswer(answer);
    program.messages().queueAnswers({true});
    program.messages().clear();
    QVERIFY(program.waitQuiet());
    program.mark();

    dialog->writePortBox()->setCurrentIndex(input);
    QTest::mouseClick(dialog->writeButton(), Qt::LeftButton);
    const bool written = named.isEmpty() || answer;
    if (written)
        QTRY_COMPARE_WITH_TIMEOUT(program.messages().lastText(), SMSG_EdidWriteOk, TransferTimeoutMs);
    else
        QTRY_COMPARE_WITH_TIMEOUT(program.messages().count(), 2, TransferTimeoutMs);
    QVERIFY(program.waitQuiet());

    // Only the displays of the input were read, 16 blocks each.
    const QVector<QByteArray> requests = program.requestsSinceMark();
    QCOMPARE(requests.size(), 16 * fedOutputs.size() + (written ? 16 : 0));
    for (int k = 0; k < fedOutputs.size(); ++k)
        QCOMPARE(int(quint8(requests.at(16 * k).at(4))), fedOutputs.at(k));
    if (named.isEmpty()) {
        QCOMPARE(kinds(program), (QList<MessageKind>{MessageKind::Destructive, MessageKind::Information}));
    } else {
        QCOMPARE(kinds(program).mid(0, 2), (QList<MessageKind>{MessageKind::Destructive, MessageKind::Destructive}));
        const QStringList lines = program.messages().texts().at(1).split(QLatin1Char('\n'));
        for (const QString &line : named)
            QVERIFY2(lines.contains(line), qPrintable(lines.join(QLatin1Char('|'))));
    }
    const QByteArray after = program.sim().device().state().inputs[input].edid;
    QCOMPARE(after == before, !written);
    QCOMPARE(after == SimDisplayProfileEdid(profile, 0), written);
}

void EdidDoctorTest::commonEdid_isBuiltFromTheGroupAndWrittenToTheInputs()
{
    ConnectedProgram program(simOptions());
    QVERIFY2(program.ok(), program.why());
    Ui_Edid *dialog = openEdid(program);
    QVERIFY(dialog);
    EdidDoctorPanel *panel = dialog->doctorPanel();
    // The group of input 5's outputs: with the factory routing, output 5
    // (the HD set) alone; output 2 (1080i) is added by hand.
    QComboBox *group = panel->groupBox();
    const int inputFive = group->findText(ScomboBox_EdidGroupInput.arg(5));
    QVERIFY(inputFive > 0);
    group->setCurrentIndex(inputFive);
    QMetaObject::invokeMethod(group, "activated", Q_ARG(int, inputFive));
    QVERIFY(panel->outputBox(4)->isChecked());
    QVERIFY(!panel->outputBox(1)->isChecked());
    QTest::mouseClick(panel->outputBox(1), Qt::LeftButton);
    QVERIFY(program.waitQuiet());
    QTest::mouseClick(panel->buildButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dialog->decodedView()->sourceText(), QStringLiteral("Common EDID of outputs 2, 5"),
                              TransferTimeoutMs);
    const QByteArray common(reinterpret_cast<const char *>(Device().edidWriteBuffer), 256);
    QVERIFY(dialog->decodedView()->info().base.detailedTimings.value(0).format.interlaced);
    QVERIFY(panel->writeButton()->isEnabled());

    QTest::mouseClick(panel->inputBox(2), Qt::LeftButton);
    QTest::mouseClick(panel->inputBox(6), Qt::LeftButton);
    program.messages().setAnswer(true);
    program.messages().clear();
    QTest::mouseClick(panel->writeButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(program.messages().count(), 3, TransferTimeoutMs);
    QCOMPARE(program.messages().messages().first().kind, MessageKind::Destructive);
    QCOMPARE(program.messages().texts().first(),
             QStringLiteral("Write the common EDID of outputs 2, 5 to inputs 3, 7?"));
    QCOMPARE(program.sim().device().state().inputs[2].edid, common);
    QCOMPARE(program.sim().device().state().inputs[6].edid, common);
    QVERIFY(program.sim().device().state().inputs[3].edid != common);
}

QTEST_MAIN(EdidDoctorTest)
#include "tst_edid_doctor.moc"
