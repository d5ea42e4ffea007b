#include "pages/network/ModulePortConfigBox.h"

#include "app/LanguageTable.h"
#include "pages/network/ComboSelect.h"
#include "pages/network/ModuleOptionLists.h"
#include "protocol/ModuleConfigFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int ColumnsPerPair = 2;
enum Row { BaudRow, FlowRow, RemoteRow, LocalRow, StyleRow, PackRow, WriteRow };
} // namespace

ModulePortConfigBox::ModulePortConfigBox(QWidget *parent)
    : QGroupBox(parent)
    , m_baudRate(new QComboBox(this))
    , m_parity(new QComboBox(this))
    , m_dataBits(new QComboBox(this))
    , m_stopBits(new QComboBox(this))
    , m_flowControl(new QComboBox(this))
    , m_workMode(new QComboBox(this))
    , m_remoteIp(new QLineEdit(this))
    , m_remotePort(new QLineEdit(this))
    , m_localPort(new QLineEdit(this))
    , m_connectCount(new QComboBox(this))
    , m_serverStyle(new QLineEdit(this))
    , m_modbus(new QComboBox(this))
    , m_packTime(new QLineEdit(this))
    , m_packLength(new QLineEdit(this))
    , m_syncBaudRate(new QCheckBox(this))
    , m_write(new QPushButton(this))
{
    auto *grid = new QGridLayout(this);
    addPair(grid, m_baudRateLabel, m_baudRate, BaudRow, 0);
    auto *params = new QWidget(this);
    auto *paramRow = new QHBoxLayout(params);
    paramRow->setContentsMargins(0, 0, 0, 0);
    paramRow->addWidget(m_parity);
    paramRow->addWidget(m_dataBits);
    paramRow->addWidget(m_stopBits);
    addPair(grid, m_paramLabel, params, BaudRow, 1);
    addPair(grid, m_flowControlLabel, m_flowControl, FlowRow, 0);
    addPair(grid, m_workModeLabel, m_workMode, FlowRow, 1);
    addPair(grid, m_remoteIpLabel, m_remoteIp, RemoteRow, 0);
    addPair(grid, m_remotePortLabel, m_remotePort, RemoteRow, 1);
    addPair(grid, m_localPortLabel, m_localPort, LocalRow, 0);
    addPair(grid, m_connectCountLabel, m_connectCount, LocalRow, 1);
    addPair(grid, m_serverStyleLabel, m_serverStyle, StyleRow, 0);
    addPair(grid, m_modbusLabel, m_modbus, StyleRow, 1);
    addPair(grid, m_packTimeLabel, m_packTime, PackRow, 0);
    addPair(grid, m_packLengthLabel, m_packLength, PackRow, 1);
    grid->addWidget(m_syncBaudRate, WriteRow, 0, 1, ColumnsPerPair);
    grid->addWidget(m_write, WriteRow, 2 * ColumnsPerPair - 1);
    grid->setRowStretch(WriteRow + 1, 1);

    FillBox(m_baudRate, ModuleOptions::BaudRates);
    FillBox(m_dataBits, ModuleOptions::DataBits);
    FillBox(m_stopBits, ModuleOptions::StopBits);
    FillBox(m_workMode, ModuleOptions::WorkModes);
    FillBox(m_connectCount, ModuleOptions::ConnectCounts);
    FillBox(m_modbus, ModuleOptions::ModbusModes);
    // What the page never writes back is shown, not edited.
    for (QWidget *shown : std::initializer_list<QWidget *>{m_parity, m_dataBits, m_stopBits, m_flowControl, m_workMode,
                                                           m_modbus, m_syncBaudRate})
        shown->setEnabled(false);
    for (QLineEdit *shown : {m_remoteIp, m_remotePort, m_serverStyle})
        shown->setReadOnly(true);
    RetranslateUi();
}

void ModulePortConfigBox::addPair(QGridLayout *grid, QLabel *&label, QWidget *field, int row, int column)
{
    label = new QLabel(this);
    grid->addWidget(label, row, column * ColumnsPerPair);
    grid->addWidget(field, row, column * ColumnsPerPair + 1);
}

void ModulePortConfigBox::RetranslateUi()
{
    setTitle(SgroupBox_PortConfig);
    m_baudRateLabel->setText(Slabel_NM_BaudRate);
    m_paramLabel->setText(Slabel_NM_BaudRateParam);
    m_flowControlLabel->setText(Slabel_NM_FlowControl);
    m_workModeLabel->setText(Slabel_NM_WorkMode);
    m_remoteIpLabel->setText(Slabel_NM_RemoteIP);
    m_remotePortLabel->setText(Slabel_NM_RemotePort);
    m_localPortLabel->setText(Slabel_NM_LocalPort);
    m_connectCountLabel->setText(Slabel_NM_ServerConnectCount);
    m_serverStyleLabel->setText(Slabel_NM_TCPServerStyle);
    m_modbusLabel->setText(Slabel_NM_ModbusTCP);
    m_packTimeLabel->setText(Slabel_NM_PackTime);
    m_packLengthLabel->setText(Slabel_NM_PackLen);
    m_syncBaudRate->setText(Slabel_NM_SyncBaudRate);
    m_write->setText(S_ReadWrite[1]);
    FillBox(m_parity, ScomboBox_NM_Parity, ModuleOptions::Parities);
    FillBox(m_flowControl, ScomboBox_NM_FlowControl, ModuleOptions::FlowControls);
    if (!m_known)
        showUnknown();
}

void ModulePortConfigBox::showUnknown()
{
    // Before a module was read the boxes would otherwise show their first
    // choices, which look like the module's settings.
    for (QComboBox *box :
         {m_baudRate, m_parity, m_dataBits, m_stopBits, m_flowControl, m_workMode, m_connectCount, m_modbus})
        box->setCurrentIndex(-1);
    for (QLineEdit *edit : {m_remoteIp, m_remotePort, m_localPort, m_serverStyle, m_packTime, m_packLength}) {
        edit->clear();
        edit->setPlaceholderText(S_Unknown);
    }
    m_syncBaudRate->setChecked(false);
}

void ModulePortConfigBox::showFields(const ModuleConfigFields &fields)
{
    m_known = true;
    SelectTextIfPresent(m_baudRate, fields.baudRate);
    SelectTextIfPresent(m_dataBits, fields.dataBits);
    SelectIndexIfPresent(m_parity, fields.parityIndex);
    SelectTextIfPresent(m_stopBits, fields.stopBits);
    SelectIndexIfPresent(m_flowControl, fields.flowIndex);
    m_localPort->setText(fields.localPort);
    m_remotePort->setText(fields.remotePort);
    m_remoteIp->setText(fields.remoteHost);
    SelectIndexIfPresent(m_modbus, fields.modbusIndex);
    m_syncBaudRate->setChecked(fields.syncBaudRate);
    SelectIndexIfPresent(m_workMode, fields.workModeIndex);
    m_packLength->setText(fields.packLength);
    m_packTime->setText(fields.packTime);
    SelectIndexIfPresent(m_connectCount, fields.connectCountIndex);
    m_serverStyle->setText(fields.serverStyle);
}

ModulePortEdits ModulePortConfigBox::edits(const QString &mac) const
{
    ModulePortEdits edits;
    edits.baudRate = m_baudRate->currentText();
    edits.localPort = m_localPort->text();
    edits.connectCountIndex = m_connectCount->currentIndex();
    edits.packTime = m_packTime->text();
    edits.packLength = m_packLength->text();
    edits.mac = mac;
    return edits;
}

void ModulePortConfigBox::setNetworkPath(bool networkPath)
{
    for (QWidget *editable :
         std::initializer_list<QWidget *>{m_baudRate, m_localPort, m_connectCount, m_packTime, m_packLength, m_write})
        editable->setEnabled(networkPath);
}
