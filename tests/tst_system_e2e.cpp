// The system page end to end: the program connected to the device
// simulator, every action through the GUI, the module reached by the real
// UDP broadcast inside the private network namespace.
#include "app/LanguageTable.h"
#include "pages/network/ModuleBasicConfigBox.h"
#include "pages/network/ModuleSearchList.h"
#include "pages/network/Ui_System.h"
#include "pages/routing/Ui_Admin.h"
#include "protocol/CommandChannel.h"
#include "protocol/ModuleBlockLayout.h"
#include "protocol/ReplyDispatcher.h"
#include "shell/Ui_Main.h"
#include "support/ConnectedProgram.h"
#include "support/TestSupport.h"
#include "tools/devsim/SimModuleBlock.h"
#include "transport/ServiceUdp.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

constexpr int ReplyTimeoutMs = 5000;

SimOptions BroadcastOptions()
{
    SimOptions options = SimHarness::TestOptions();
    options.udpAny = true; // hears the real broadcast inside the namespace
    return options;
}

Ui_System *ShowSystemPage(ConnectedProgram &program)
{
    Ui_Main *window = program.window();
    window->show();
    window->tabWidget()->setCurrentWidget(window->systemPage());
    return window->systemPage();
}

void ClickRow(QTreeWidget *list, int row)
{
    QTreeWidgetItem *item = list->topLevelItem(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(item).center());
}

void Retype(QLineEdit *edit, const QString &text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

} // namespace

class SystemEndToEndTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void searchReadWrite_changesOnlyTheEditedFields();
};

void SystemEndToEndTest::init()
{
    if (ServiceUdp::LocalIpv4Addresses().isEmpty())
        QSKIP("no IPv4 interface with a broadcast address (run the suite with scripts/netns-run)");
}

void SystemEndToEndTest::searchReadWrite_changesOnlyTheEditedFields()
{
    ConnectedProgram program(BroadcastOptions());
    QVERIFY2(program.ok(), program.why());
    Ui_System *page = ShowSystemPage(program);
    const QByteArray before = program.sim().device().state().modules.first().block;

    QTest::mouseClick(page->searchButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(page->searchList()->topLevelItemCount(), 1, ReplyTimeoutMs);
    ClickRow(page->searchList(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(page->lastReadBlock(), before, ReplyTimeoutMs);
    ModuleBasicConfigBox *basic = page->basicBox();
    QCOMPARE(basic->deviceNameEdit()->text(), QStringLiteral("KXR-NET-1"));
    QCOMPARE(basic->staticIpEdit()->text(), QStringLiteral("192.168.0.247"));

    Retype(basic->deviceNameEdit(), QStringLiteral("Stage Left"));
    basic->ipTypeBox()->setCurrentIndex(1);
    Retype(basic->staticIpEdit(), QStringLiteral("192.168.0.99"));
    QTest::mouseClick(basic->writeButton(), Qt::LeftButton);

    // The module acknowledges; the program tells the user and drops its link.
    QTRY_VERIFY_WITH_TIMEOUT(program.messages().texts().contains(SMSG_NetworkConfigEditSuccess), ReplyTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(ActiveTransport.load(), quint32(TransportNone), ReplyTimeoutMs);
    QByteArray expected = before;
    expected.replace(ModuleBlock::Name, ModuleBlock::NameSize, QByteArray("Stage Left").leftJustified(16, '\0'));
    expected.replace(ModuleBlock::Ip, 4, Hex("63 00 A8 C0"));
    QCOMPARE(program.sim().device().state().modules.first().block, expected);

    // A new search lists the module under its new name and address.
    QTest::mouseClick(page->searchButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(page->searchList()->topLevelItemCount(), 1, ReplyTimeoutMs);
    QCOMPARE(page->searchList()->topLevelItem(0)->text(1), QStringLiteral("Stage Left"));
    QCOMPARE(page->searchList()->topLevelItem(0)->text(2), QStringLiteral("192.168.0.99"));
    QCOMPARE(program.messages().texts(), (QStringList{SMSG_ConfirmBasicConfigWrite, SMSG_NetworkConfigEditSuccess}));
}

QTEST_MAIN(SystemEndToEndTest)
#include "tst_system_e2e.moc"
