#include "pages/network/ModuleBasicConfigBox.h"

#include "app/LanguageTable.h"
#include "pages/network/ComboSelect.h"
#include "pages/network/ModuleOptionLists.h"
#include "protocol/ModuleBlockLayout.h"
#include "protocol/ModuleConfigFields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// Two label and field pairs per row.
constexpr int ColumnsPerPair = 2;
constexpr int StaticIndex = 1;
enum Row { PortsRow, IdRow, LoginRow, NameRow, IpTypeRow, AddressRow, WriteRow };
} // namespace

ModuleBasicConfigBox::ModuleBasicConfigBox(QWidget *parent)
    : QGroupBox(parent)
{
    auto *grid = new QGridLayout(this);
    m_upnpPort = addField(grid, m_upnpPortLabel, PortsRow, 0);
    m_httpPort = addField(grid, m_httpPortLabel, PortsRow, 1);
    m_deviceId = addField(grid, m_deviceIdLabel, IdRow, 0);
    m_deviceIdType = addField(grid, m_deviceIdTypeLabel, IdRow, 1);
    m_userName = addField(grid, m_userNameLabel, LoginRow, 0);
    m_password = addField(grid, m_passwordLabel, LoginRow, 1);
    m_deviceName = addField(grid, m_deviceNameLabel, NameRow, 0);
    m_mac = addField(grid, m_macLabel, NameRow, 1);
    m_ipTypeLabel = new QLabel(this);
    m_ipType = new QComboBox(this);
    grid->addWidget(m_ipTypeLabel, IpTypeRow, 0);
    grid->addWidget(m_ipType, IpTypeRow, 1);
    m_staticIp = addField(grid, m_staticIpLabel, IpTypeRow, 1);
    m_mask = addField(grid, m_maskLabel, AddressRow, 0);
    m_gateway = addField(grid, m_gatewayLabel, AddressRow, 1);
    m_write = new QPushButton(this);
    grid->addWidget(m_write, WriteRow, 2 * ColumnsPerPair - 1);
    grid->setRowStretch(WriteRow + 1, 1);

    // What the page never writes back is shown, not edited.
    for (QLineEdit *shown : {m_upnpPort, m_httpPort, m_deviceId, m_deviceIdType, m_userName, m_password})
        shown->setReadOnly(true);
    m_deviceName->setMaxLength(ModuleBlock::NameSize);
    RetranslateUi();
}

QLineEdit *ModuleBasicConfigBox::addField(QGridLayout *grid, QLabel *&label, int row, int column)
{
    label = new QLabel(this);
    auto *edit = new QLineEdit(this);
    grid->addWidget(label, row, column * ColumnsPerPair);
    grid->addWidget(edit, row, column * ColumnsPerPair + 1);
    return edit;
}

void ModuleBasicConfigBox::RetranslateUi()
{
    setTitle(SgroupBox_BasicConfig);
    m_upnpPortLabel->setText(Slabel_NM_UPNPPort);
    m_httpPortLabel->setText(Slabel_NM_HTTPPort);
    m_deviceIdLabel->setText(Slabel_NM_DeviceID);
    m_deviceIdTypeLabel->setText(Slabel_NM_DeviceIDType);
    m_userNameLabel->setText(Slabel_NM_UserName);
    m_passwordLabel->setText(Slabel_NM_Password);
    m_deviceNameLabel->setText(Slabel_NM_DeviceName);
    m_macLabel->setText(Slabel_NM_MAC);
    m_ipTypeLabel->setText(Slabel_NM_IPType);
    m_staticIpLabel->setText(Slabel_NM_StaticIP);
    m_maskLabel->setText(Slabel_NM_SubnetMask);
    m_gatewayLabel->setText(Slabel_NM_Gateway);
    m_write->setText(S_ReadWrite[1]);
    FillBox(m_ipType, ScomboBox_NM_IPType, ModuleOptions::IpTypes);
    if (!m_known)
        showUnknown();
}

void ModuleBasicConfigBox::showUnknown()
{
    // Before a module was read the IP type would show its first choice and
    // the fields nothing, which looks like a module set to DHCP.
    m_ipType->setCurrentIndex(-1);
    for (QLineEdit *edit : {m_upnpPort, m_httpPort, m_deviceId, m_deviceIdType, m_userName, m_password, m_deviceName,
                            m_mac, m_staticIp, m_mask, m_gateway}) {
        edit->clear();
        edit->setPlaceholderText(S_Unknown);
    }
}

void ModuleBasicConfigBox::showFields(const ModuleConfigFields &fields)
{
    m_upnpPort->setText(fields.upnpPort);
    m_httpPort->setText(fields.httpPort);
    m_deviceId->setText(fields.deviceId);
    m_deviceIdType->setText(fields.deviceIdType);
    m_userName->setText(fields.userName);
    m_password->setText(fields.password);
    m_deviceName->setText(fields.deviceName);
    m_mac->setText(fields.macText);
    showIpSettings(fields.ipTypeIndex == StaticIndex, fields.ip, fields.mask, fields.gateway);
}

void ModuleBasicConfigBox::showIpSettings(bool staticIp, const QString &ip, const QString &mask, const QString &gateway)
{
    m_known = true;
    SelectIndexIfPresent(m_ipType, staticIp ? StaticIndex : 0);
    m_staticIp->setText(ip);
    m_mask->setText(mask);
    m_gateway->setText(gateway);
}

ModuleBasicEdits ModuleBasicConfigBox::edits() const
{
    ModuleBasicEdits edits;
    edits.deviceName = m_deviceName->text();
    edits.mac = m_mac->text();
    edits.staticIp = m_ipType->currentIndex() != 0;
    edits.ip = m_staticIp->text();
    edits.mask = m_mask->text();
    edits.gateway = m_gateway->text();
    return edits;
}

void ModuleBasicConfigBox::setNetworkPath(bool networkPath)
{
    m_deviceName->setEnabled(networkPath);
    m_mac->setEnabled(networkPath);
}

void ModuleBasicConfigBox::setAddressesEnabled(bool enabled)
{
    m_staticIp->setEnabled(enabled);
    m_mask->setEnabled(enabled);
    m_gateway->setEnabled(enabled);
}
