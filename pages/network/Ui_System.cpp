#include "pages/network/Ui_System.h"

#include "app/LanguageTable.h"
#include "chrome/CommandBox.h"
#include "chrome/MessageBox.h"
#include "pages/PageDialog.h"
#include "pages/network/ComboSelect.h"
#include "pages/network/ModuleBasicConfigBox.h"
#include "pages/network/ModuleOptionLists.h"
#include "pages/network/ModulePortConfigBox.h"
#include "pages/network/ModuleSearchList.h"
#include "pages/network/WebPageOpener.h"
#include "pages/routing/Ui_Admin.h"
#include "protocol/Catalogue.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/LinkTiming.h"
#include "protocol/ModuleBlockLayout.h"
#include "protocol/ModuleConfigEdit.h"
#include "protocol/ModuleConfigFields.h"
#include "protocol/ModuleDiscovery.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int MacBytes = ModuleBlock::MacSize;
const char WebScheme[] = "http://";
constexpr quint8 NoPort = 255;
// Firmware boards: 0 main, 1 keyboard and 4 control have no port; 2 input
// and 3 output boards are read per port.
constexpr unsigned int InputBoard = 2;
constexpr unsigned int OutputBoard = 3;
constexpr int FirmwareBoxWidth = 110;
constexpr int FirmwareTextWidth = 200;
constexpr ModuleSearchList::Widths SearchColumnWidths = {60, 170, 130, 150, 80};

bool IsPortBoard(unsigned int type)
{
    return type == InputBoard || type == OutputBoard;
}

QString FieldLabel(ModuleField field)
{
    switch (field) {
    case ModuleField::Mac:
        return Slabel_NM_MAC;
    case ModuleField::StaticIp:
        return Slabel_NM_StaticIP;
    case ModuleField::SubnetMask:
        return Slabel_NM_SubnetMask;
    case ModuleField::Gateway:
        return Slabel_NM_Gateway;
    case ModuleField::BaudRate:
        return Slabel_NM_BaudRate;
    case ModuleField::LocalPort:
        return Slabel_NM_LocalPort;
    case ModuleField::PackTime:
        return Slabel_NM_PackTime;
    case ModuleField::PackLength:
        return Slabel_NM_PackLen;
    }
    return QString();
}

} // namespace

Ui_System::Ui_System(QWidget *parent)
    : QWidget(parent)
{
    buildWidgets();
    buildLayout();
    connectWidgets();
    RetranslateUi();
    redrawEnabled();
}

Ui_Admin *Ui_System::adminDialog() const
{
    return m_admin;
}

const QByteArray &Ui_System::lastReadBlock() const
{
    return Modules().block();
}

void Ui_System::buildWidgets()
{
    m_moduleGroup = new QGroupBox(this);
    m_searchButton = new QPushButton(m_moduleGroup);
    m_webOpenButton = new QPushButton(m_moduleGroup);
    m_loadDefaultButton = new QPushButton(m_moduleGroup);
    m_uartReadButton = new QPushButton(m_moduleGroup);
    m_uartReadButton->hide();
    m_listGroup = new QGroupBox(this);
    m_searchList = new ModuleSearchList(SearchColumnWidths, m_listGroup);
    m_basic = new ModuleBasicConfigBox(this);
    m_port = new ModulePortConfigBox(this);
    m_resetLabel = new QLabel(this);
    m_resetButton = new QPushButton(this);
    m_firmwareLabel = new QLabel(this);
    m_firmwareBox = new QComboBox(this);
    m_firmwareBox->setMinimumWidth(FirmwareBoxWidth);
    m_firmwarePortBox = new QComboBox(this);
    m_firmwarePortBox->hide();
    m_firmwareText = new QLineEdit(this);
    m_firmwareText->setReadOnly(true);
    m_firmwareText->setMinimumWidth(FirmwareTextWidth);
    m_adminButton = new QPushButton(this);
    m_adminButton->hide();
    m_adminShortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_C), this);
    m_adminShortcut->setContext(Qt::WidgetWithChildrenShortcut);
}

void Ui_System::buildLayout()
{
    auto *buttons = new QVBoxLayout(m_moduleGroup);
    for (QPushButton *button : {m_searchButton, m_webOpenButton, m_loadDefaultButton, m_uartReadButton})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *list = new QGridLayout(m_listGroup);
    list->addWidget(m_searchList, 0, 0);

    auto *top = new QHBoxLayout;
    top->addWidget(m_moduleGroup);
    top->addWidget(m_listGroup, 1);
    auto *settings = new QHBoxLayout;
    settings->addWidget(m_basic, 1);
    settings->addWidget(m_port, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_resetLabel);
    bottom->addWidget(m_resetButton);
    bottom->addSpacing(FirmwareBoxWidth / 2);
    bottom->addWidget(m_firmwareLabel);
    bottom->addWidget(m_firmwareBox);
    bottom->addWidget(m_firmwarePortBox);
    bottom->addWidget(m_firmwareText);
    bottom->addStretch();
    bottom->addWidget(m_adminButton);

    auto *page = new QVBoxLayout(this);
    // The list takes the room the settings leave.
    page->addLayout(top, 1);
    page->addLayout(settings);
    page->addLayout(bottom);
}

void Ui_System::connectWidgets()
{
    connect(m_searchButton, &QPushButton::clicked, this, &Ui_System::SLT_SearchDevice);
    connect(m_uartReadButton, &QPushButton::clicked, this, &Ui_System::SLT_UartReadDevice);
    connect(m_webOpenButton, &QPushButton::clicked, this, &Ui_System::SLT_WebOpen);
    connect(m_loadDefaultButton, &QPushButton::clicked, this, &Ui_System::SLT_LoadDefault);
    connect(m_searchList, &QTreeWidget::itemClicked, this, &Ui_System::SLT_SelectDevice);
    connect(m_basic->ipTypeBox(), qOverload<int>(&QComboBox::currentIndexChanged), this, &Ui_System::SLT_NM_IPType);
    connect(m_basic->writeButton(), &QPushButton::clicked, this, &Ui_System::SLT_SaveBasicConfig);
    connect(m_port->writeButton(), &QPushButton::clicked, this, &Ui_System::SLT_SavePortConfig);
    connect(m_resetButton, &QPushButton::clicked, this, &Ui_System::SLT_SetResetDevice);
    GuardCommandBox(m_firmwareBox, QStringLiteral("SystemFirmwareBoard"));
    GuardCommandBox(m_firmwarePortBox, QStringLiteral("SystemFirmwarePort"));
    // activated, not currentIndexChanged: choosing the shown board again
    // reads its version again.
    connect(m_firmwareBox, qOverload<int>(&QComboBox::activated), this, &Ui_System::SLT_GetFirmwareVersion);
    connect(m_firmwarePortBox, qOverload<int>(&QComboBox::activated), this, &Ui_System::SLT_GetFirmwareVersion_ByPort);
    connect(m_adminButton, &QPushButton::clicked, this, &Ui_System::SLT_BTN_AdminWin);
    connect(m_adminShortcut, &QShortcut::activated, this, &Ui_System::toggleAdminButton);
}

void Ui_System::RetranslateUi()
{
    setWindowTitle(Ui_System_AppName);
    m_moduleGroup->setTitle(SgroupBox_NetworkModule);
    m_searchButton->setText(SpushButton_SearchDevice);
    m_webOpenButton->setText(SpushButton_WebOpen);
    m_loadDefaultButton->setText(SpushButton_LoadDefault);
    m_uartReadButton->setText(SpushButton_UartReadDevice);
    m_listGroup->setTitle(SgroupBox_SearchList);
    m_searchList->RetranslateUi();
    m_basic->RetranslateUi();
    m_port->RetranslateUi();
    m_resetLabel->setText(Slabel_Reset);
    m_resetButton->setText(S_ResetDevice);
    m_firmwareLabel->setText(Slabel_FirmwareVersion);
    FillBox(m_firmwareBox, ScomboBox_FirmwareVersion, ModuleOptions::FirmwareShown);
    m_adminButton->setText(SpushButton_AdminWin);
    if (m_admin)
        m_admin->RetranslateUi();
}

void Ui_System::redrawEnabled()
{
    const bool networkPath = !Modules().fromSerial();
    m_basic->setNetworkPath(networkPath);
    m_port->setNetworkPath(networkPath);
    // Load Default stays available on both paths: the serial path takes
    // away only the fields it cannot write.
    m_loadDefaultButton->setEnabled(true);
    m_basic->setAddressesEnabled(m_basic->ipTypeBox()->currentIndex() != 0);
    m_resetButton->setEnabled(m_linkUp);
    m_firmwareBox->setEnabled(m_linkUp);
    m_firmwarePortBox->setEnabled(m_linkUp);
}

void Ui_System::startUdpExchange()
{
    Q_EMIT SGL_Startover_Udp(true, QLatin1String(ModuleFactoryAddress));
}

void Ui_System::SLT_SearchDevice()
{
    Modules().startList(false);
    redrawEnabled();
    Q_EMIT SGL_ClearFoundDevice();
    startUdpExchange();
    NET_SearchDevice();
    Q_EMIT SGL_UpdateEmit();
}

void Ui_System::SLT_UartReadDevice()
{
    if (ActiveTransport.load() == TransportNone)
        return;
    Modules().startList(true);
    redrawEnabled();
    Q_EMIT SGL_ClearFoundDevice();
    CMD_DeviceInfoRead();
    Q_EMIT SGL_UpdateEmit();
}

void Ui_System::SLT_SelectDevice(QTreeWidgetItem *item, int)
{
    if (!item)
        return;
    Q_EMIT SGL_ReadSelectedDevice();
    redrawEnabled();
    // Over the device link the settings came with the list; nothing to read.
    const std::optional<Mac> mac = Modules().request(item->text(ModuleSearchList::MacColumn));
    if (!mac)
        return;
    startUdpExchange();
    NET_ReadConfig(mac->data(), MacBytes);
    Q_EMIT SGL_UpdateEmit();
}

void Ui_System::SLT_ReadSelectedDevice()
{
    m_searchList->setCurrentItem(nullptr);
    Modules().clearSelection();
}

void Ui_System::SLT_ClearFoundDevice()
{
    Modules().clear();
    redrawEnabled();
}

void Ui_System::AddFoundDevice(const QString &name, const QString &ip, const QString &mac, const QString &version)
{
    Modules().addOrUpdate(name, ip, mac, version);
}

void Ui_System::ShowModuleConfig(const QByteArray &block)
{
    // Only the block of the module asked for (on this page or on the
    // connection page): any other leaves the fields alone.
    const std::optional<ModuleConfigFields> fields = Modules().acceptBlock(block);
    if (!fields)
        return;
    m_basic->showFields(*fields);
    m_port->showFields(*fields);
    redrawEnabled();
}

void Ui_System::ShowDeviceInformation(const QString &name, const QString &mac, bool staticIp, const QString &ip,
                                      const QString &mask, const QString &gateway, const QString &version)
{
    if (!Modules().fromSerial())
        return;
    AddFoundDevice(name, ip, mac, version);
    Modules().selectFromSerial(mac);
    m_basic->showIpSettings(staticIp, ip, mask, gateway);
    redrawEnabled();
}

bool Ui_System::moduleReady()
{
    if (m_searchList->topLevelItemCount() == 0) {
        ShowMessage(this, SMSG_NoSearchDevice, MessageKind::Warning);
        return false;
    }
    if (!Modules().selected()) {
        ShowMessage(this, SMSG_NoClickDevice);
        return false;
    }
    return true;
}

void Ui_System::SLT_NM_IPType(int)
{
    redrawEnabled();
}

void Ui_System::SLT_SaveBasicConfig()
{
    if (!moduleReady())
        return;
    const ModuleBasicEdits edits = m_basic->edits();
    if (Modules().fromSerial()) {
        // The device passes the addresses on as typed; a static address
        // still has to be one.
        if (edits.staticIp) {
            if (const std::optional<ModuleField> failed = CheckStaticAddresses(edits)) {
                ShowMessage(this, SMSG_NetworkParamFormatError + FieldLabel(*failed), MessageKind::Warning);
                return;
            }
        }
        if (!ConfirmDestructive(this, SMSG_ConfirmBasicConfigWrite))
            return;
        m_awaitingApply = CMD_ModuleAtCommand(edits.staticIp, edits.ip, edits.mask, edits.gateway);
        Q_EMIT SGL_UpdateEmit();
        return;
    }
    writeModulePart(BuildBasicPart(Modules().block(), edits), &NET_BasicConfigWrite, SMSG_ConfirmBasicConfigWrite);
}

void Ui_System::SLT_SavePortConfig()
{
    if (Modules().fromSerial() || !moduleReady())
        return;
    writeModulePart(BuildPortPart(Modules().block(), m_port->edits(m_basic->macEdit()->text())), &NET_PortConfigWrite,
                    SMSG_ConfirmPortConfigWrite);
}

// The fields are checked before the operator is asked: a refused field is
// named at once, and a YES always writes.
void Ui_System::writeModulePart(const ModulePartResult &result, ModulePartWriter write, const QString &question)
{
    if (result.failed) {
        ShowMessage(this, SMSG_NetworkParamFormatError + FieldLabel(*result.failed), MessageKind::Warning);
        return;
    }
    if (!result.ok() || !ConfirmDestructive(this, question))
        return;
    startUdpExchange();
    const Mac mac = *Modules().selected();
    write(mac.data(), MacBytes, reinterpret_cast<const quint8 *>(result.part.constData()));
    m_awaitingApply = NET_ApplyConfig(mac.data(), MacBytes);
    Q_EMIT SGL_UpdateEmit();
}

void Ui_System::SLT_LoadDefault()
{
    if (Modules().fromSerial() || !moduleReady())
        return;
    if (!ConfirmDestructive(this, SMSG_ConfirmLoadDefault))
        return;
    startUdpExchange();
    m_awaitingDefaults = NET_LoadDefault(Modules().selected()->data(), MacBytes);
    Q_EMIT SGL_UpdateEmit();
}

void Ui_System::SLT_WebOpen()
{
    if (!moduleReady())
        return;
    const QTreeWidgetItem *row = m_searchList->rowOfMac(*Modules().selected());
    if (!row)
        return;
    OpenWebPage(QUrl(QLatin1String(WebScheme) + row->text(ModuleSearchList::IpColumn)));
}

// A request leaves from every local address, so a module that hears it on
// two interfaces answers twice: only the first answer to a request counts.
void Ui_System::ModuleWriteAcknowledged()
{
    if (!m_awaitingApply)
        return;
    m_awaitingApply = false;
    ShowMessage(this, SMSG_NetworkConfigEditSuccess);
    Q_EMIT SGL_AutoTriggerDisconnect();
}

void Ui_System::ModuleDefaultsRestored(bool done)
{
    if (!m_awaitingDefaults)
        return;
    m_awaitingDefaults = false;
    ShowMessage(this, done ? SMSG_NetworkConfigRestoreTheDefault : SMSG_NetworkConfigResetFail,
                done ? MessageKind::Information : MessageKind::Critical);
    Q_EMIT SGL_AutoTriggerDisconnect();
}

void Ui_System::ModuleAtAnswered()
{
    ModuleWriteAcknowledged();
}

void Ui_System::SLT_SetResetDevice(bool)
{
    if (ActiveTransport.load() == TransportNone)
        return;
    if (!ConfirmDestructive(this, SMSG_ResetMessage))
        return;
    CMD_DeviceReset();
    Q_EMIT SGL_UpdateEmit();
}

void Ui_System::SLT_GetFirmwareVersion(int index)
{
    if (index < 0 || ActiveTransport.load() == TransportNone)
        return;
    const auto type = unsigned(index);
    m_firmwareText->clear();
    if (IsPortBoard(type)) {
        // Boards with ports are read once a port is chosen.
        const quint32 ports = type == InputBoard ? Device().inputCount : Device().outputCount;
        m_firmwarePortBox->clear();
        for (quint32 p = 1; p <= ports; ++p)
            m_firmwarePortBox->addItem(QString::number(p));
        m_firmwarePortBox->show();
        return;
    }
    m_firmwarePortBox->hide();
    CMD_FirmwareVersionRead(NoPort, quint8(type));
    Q_EMIT SGL_UpdateEmit();
}

void Ui_System::SLT_GetFirmwareVersion_ByPort(int index)
{
    if (index < 0 || ActiveTransport.load() == TransportNone)
        return;
    m_firmwareText->clear();
    CMD_FirmwareVersionRead(quint8(index), quint8(m_firmwareBox->currentIndex()));
    Q_EMIT SGL_UpdateEmit();
}

void Ui_System::ShowFirmwareVersion(unsigned int port, unsigned int type, const QString &text)
{
    if (int(type) != m_firmwareBox->currentIndex())
        return;
    if (IsPortBoard(type) && int(port) != m_firmwarePortBox->currentIndex())
        return;
    m_firmwareText->setText(text);
}

void Ui_System::SLT_ConnectStatus(bool on)
{
    m_linkUp = on;
    m_uartReadButton->setVisible(on && ActiveTransport.load() == TransportSerial);
    if (!on)
        m_adminButton->hide();
    redrawEnabled();
}

void Ui_System::toggleAdminButton()
{
    if (ActiveTransport.load() == TransportNone)
        return;
    m_adminButton->setVisible(m_adminButton->isHidden());
}

void Ui_System::SLT_BTN_AdminWin(bool)
{
    if (m_admin) {
        m_admin->raise();
        m_admin->activateWindow();
        return;
    }
    Ui_Admin *admin = OpenPageDialog<Ui_Admin>(this);
    if (!admin)
        return;
    connect(this, &Ui_System::SGL_Update_AdminMessage, admin, &Ui_Admin::SLT_Update_AdminMessage);
    connect(this, &Ui_System::SGL_Update_FrontPanelDispaly, admin, &Ui_Admin::SLT_Update_FrontPanelDispaly);
    connect(this, &Ui_System::SGL_Update_SN, admin, &Ui_Admin::SLT_Update_SN);
    connect(this, &Ui_System::SGL_Update_DeviceName, admin, &Ui_Admin::SLT_Update_DeviceName);
    m_admin = admin;
    admin->show();
}
