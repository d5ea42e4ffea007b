#include "transport/Ui_Uart_Network.h"

#include "app/AppPaths.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "chrome/FoldedLog.h"
#include "chrome/ImageFiles.h"
#include "chrome/MessageBox.h"
#include "chrome/MyComboBox.h"
#include "pages/network/ModuleSearchList.h"
#include "protocol/Catalogue.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/LinkTiming.h"
#include "protocol/ModuleConfigView.h"
#include "protocol/ModuleDiscovery.h"
#include "transport/ConnectionChecks.h"
#include "transport/DeviceLink.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QTreeWidget>

namespace {
constexpr int StatusLinesKept = 400;
constexpr int StatusPictureSize = 48;
constexpr int SideMargin = 6;
constexpr ModuleSearchList::Widths SearchColumnWidths = {100, 300, 300, 300, 300};
constexpr int SearchRowsShown = 5;
constexpr int CompactRowSpacing = 2;
constexpr int CompactMarginX = 8;
constexpr int CompactMarginY = 4;
// Object name of the group boxes whose titles the style sheet centres.
const char CentredTitleGroup[] = "CentredTitleGroup";
constexpr int NameColumn = ModuleSearchList::NameColumn;
constexpr int IpColumn = ModuleSearchList::IpColumn;
constexpr int MacColumn = ModuleSearchList::MacColumn;
constexpr int MacBytes = ModuleBlock::MacSize;
const char PcPort[] = "1001";

const char *const BaudRates[] = {"9600", "19200", "38400", "57600", "115200"};
const char *const DataBits[] = {"5", "6", "7", "8"};
const char *const Parities[] = {"None", "Even", "Odd", "Space", "Mark"};
const char *const StopBits[] = {"1", "1.5", "2"};
const char *const FlowControls[] = {"None", "Hardware", "Software"};
const char *const NetworkTypes[] = {"TCP-Client", "TCP-Server", "UDP"};

template<size_t N>
void fillList(QComboBox *box, const char *const (&items)[N])
{
    box->clear();
    for (const char *item : items)
        box->addItem(QLatin1String(item));
}

// The serial settings as the numeric values of the serial port's enums.
QString dataBitsCode(const QString &text)
{
    return text == QLatin1String("5") || text == QLatin1String("6") || text == QLatin1String("7") ? text
                                                                                                  : QStringLiteral("8");
}

QString parityCode(const QString &text)
{
    if (text == QLatin1String("Even"))
        return QString::number(QSerialPort::EvenParity);
    if (text == QLatin1String("Odd"))
        return QString::number(QSerialPort::OddParity);
    if (text == QLatin1String("Space"))
        return QString::number(QSerialPort::SpaceParity);
    if (text == QLatin1String("Mark"))
        return QString::number(QSerialPort::MarkParity);
    return QString::number(QSerialPort::NoParity);
}

QString stopBitsCode(const QString &text)
{
    if (text == QLatin1String("1.5"))
        return QString::number(QSerialPort::OneAndHalfStop);
    if (text == QLatin1String("2"))
        return QString::number(QSerialPort::TwoStop);
    return QString::number(QSerialPort::OneStop);
}

QString flowControlCode(const QString &text)
{
    if (text == QLatin1String("Hardware"))
        return QString::number(QSerialPort::HardwareControl);
    if (text == QLatin1String("Software"))
        return QString::number(QSerialPort::SoftwareControl);
    return QString::number(QSerialPort::NoFlowControl);
}
} // namespace

Ui_Uart_Network::Ui_Uart_Network(QWidget *parent)
    : QSplitter(Qt::Vertical, parent)
    , m_filterLocalBySubnet(false)
    , m_link(new DeviceLink(this))
{
    buildWidgets();
    buildLayout();
    ApplyConnectionTexts(true, false);
    connectWidgets();
    wireLink();
    SLT_comboBox_GetVaildLocalIp();
    Q_EMIT SGL_PretendConnect_Udp();
    m_uartReadButton->hide();
}

Ui_Uart_Network::~Ui_Uart_Network()
{
    // Ending a worker thread disconnects its service.
    m_link->close();
}

void Ui_Uart_Network::buildWidgets()
{
    m_portLabel = new QLabel;
    m_portSelector = new MyComboBox;
    m_baudLabel = new QLabel;
    m_baudSelector = new QComboBox;
    m_dataBitLabel = new QLabel;
    m_dataBitSelector = new QComboBox;
    m_parityLabel = new QLabel;
    m_paritySelector = new QComboBox;
    m_stopBitLabel = new QLabel;
    m_stopBitSelector = new QComboBox;
    m_flowLabel = new QLabel;
    m_flowSelector = new QComboBox;
    m_uartConnect = new QPushButton;
    m_uartGroup = new QGroupBox;
    m_uartGrid = new QGridLayout(m_uartGroup);

    m_networkTypeLabel = new QLabel;
    m_networkTypeSelector = new QComboBox;
    m_ipLabel = new QLabel;
    m_ipEdit = new QLineEdit;
    m_portNumberLabel = new QLabel;
    m_portEdit = new QLineEdit;
    m_maskLabel = new QLabel;
    m_maskEdit = new QLineEdit;
    m_gatewayLabel = new QLabel;
    m_gatewayEdit = new QLineEdit;
    m_networkConnect = new QPushButton;
    m_networkGroup = new QGroupBox;
    m_networkGrid = new QGridLayout(m_networkGroup);

    m_statusLog = new QPlainTextEdit;
    m_clearButton = new QPushButton;
    m_statusPicture = new QLabel;
    m_statusPicture->setFixedSize(StatusPictureSize, StatusPictureSize);
    m_statusPicture->setScaledContents(true);
    m_statusGroup = new QGroupBox;
    m_statusGrid = new QGridLayout(m_statusGroup);

    m_searchList = new ModuleSearchList(SearchColumnWidths);
    m_buttonRow = new QHBoxLayout;
    m_searchButton = new QPushButton;
    m_uartReadButton = new QPushButton;
    m_searchGroup = new QGroupBox;
    m_searchGrid = new QGridLayout(m_searchGroup);

    m_localIpLabel = new QLabel;
    m_localIpSelector = new MyComboBox;
    m_localPortLabel = new QLabel;
    m_localPortEdit = new QLineEdit;
    m_pcGroup = new QGroupBox;
    m_pcGrid = new QGridLayout(m_pcGroup);
}

void Ui_Uart_Network::buildLayout()
{
    setContentsMargins(SideMargin, 0, SideMargin, 0);

    const QList<QPair<QLabel *, QWidget *>> uartRows = {
        {m_portLabel, m_portSelector},     {m_baudLabel, m_baudSelector},       {m_dataBitLabel, m_dataBitSelector},
        {m_parityLabel, m_paritySelector}, {m_stopBitLabel, m_stopBitSelector}, {m_flowLabel, m_flowSelector},
    };
    for (int row = 0; row < uartRows.size(); ++row) {
        m_uartGrid->addWidget(uartRows[row].first, row, 0);
        m_uartGrid->addWidget(uartRows[row].second, row, 1);
    }
    m_uartGrid->addWidget(m_uartConnect, uartRows.size(), 0, 1, 2);

    const QList<QPair<QLabel *, QWidget *>> networkRows = {
        {m_networkTypeLabel, m_networkTypeSelector},
        {m_ipLabel, m_ipEdit},
        {m_portNumberLabel, m_portEdit},
        {m_maskLabel, m_maskEdit},
        {m_gatewayLabel, m_gatewayEdit},
    };
    for (int row = 0; row < networkRows.size(); ++row) {
        m_networkGrid->addWidget(networkRows[row].first, row, 0);
        m_networkGrid->addWidget(networkRows[row].second, row, 1);
    }
    m_networkGrid->addWidget(m_networkConnect, networkRows.size(), 0, 1, 2);

    m_statusGrid->addWidget(m_statusLog, 0, 0, 1, 2);
    m_statusGrid->addWidget(m_statusPicture, 1, 0, Qt::AlignLeft);
    m_statusGrid->addWidget(m_clearButton, 1, 1);

    m_buttonRow->addWidget(m_searchButton);
    m_buttonRow->addWidget(m_uartReadButton);
    m_buttonRow->addStretch();
    m_searchGrid->addWidget(m_searchList, 0, 0);
    m_searchGrid->addLayout(m_buttonRow, 1, 0);

    m_pcGrid->addWidget(m_localIpLabel, 0, 0);
    m_pcGrid->addWidget(m_localIpSelector, 0, 1);
    m_pcGrid->addWidget(m_localPortLabel, 0, 2);
    m_pcGrid->addWidget(m_localPortEdit, 0, 3);
    m_pcGrid->setColumnStretch(1, 1);

    for (QGroupBox *group : {m_uartGroup, m_networkGroup, m_statusGroup})
        group->setAlignment(Qt::AlignLeft);
    // The style sheet places group titles itself; these two name themselves
    // so that its rule for centred titles applies to them.
    for (QGroupBox *group : {m_searchGroup, m_pcGroup}) {
        group->setAlignment(Qt::AlignHCenter);
        group->setObjectName(QLatin1String(CentredTitleGroup));
    }

    // On a small screen (a 928 by 576 window) the three top groups give up
    // height so that the search list still shows a handful of modules.
    for (QGridLayout *grid : {m_uartGrid, m_networkGrid, m_statusGrid, m_searchGrid, m_pcGrid}) {
        grid->setVerticalSpacing(CompactRowSpacing);
        grid->setContentsMargins(CompactMarginX, CompactMarginY, CompactMarginX, CompactMarginY);
    }
    m_searchList->setMinimumHeight(searchListHeight(SearchRowsShown));

    m_topSplitter = new QSplitter(Qt::Horizontal);
    m_topSplitter->setOpaqueResize(false);
    m_topSplitter->addWidget(m_uartGroup);
    m_topSplitter->addWidget(m_networkGroup);
    m_topSplitter->addWidget(m_statusGroup);
    for (int pane = 0; pane < m_topSplitter->count(); ++pane)
        m_topSplitter->setCollapsible(pane, false);
    m_topSplitter->setStretchFactor(2, 1);

    addWidget(m_topSplitter);
    addWidget(m_searchGroup);
    addWidget(m_pcGroup);
    setStretchFactor(1, 1);
}

int Ui_Uart_Network::searchListHeight(int rows) const
{
    m_searchList->ensurePolished();
    // A row's height is what the style makes of it: measured on a row that
    // is taken away again at once.
    auto *probe = new QTreeWidgetItem(m_searchList, QStringList{QStringLiteral("0")});
    const int rowHeight = qMax(m_searchList->sizeHintForRow(0), m_searchList->fontMetrics().height());
    delete probe;
    return m_searchList->header()->sizeHint().height() + rows * rowHeight + 2 * m_searchList->frameWidth()
        + m_searchList->horizontalScrollBar()->sizeHint().height();
}

void Ui_Uart_Network::connectWidgets()
{
    connect(m_uartConnect, &QPushButton::clicked, this, &Ui_Uart_Network::SLT_pushButton_UartConnect_clicked);
    connect(m_networkConnect, &QPushButton::clicked, this, &Ui_Uart_Network::SLT_pushButton_NetworkConnect_clicked);
    connect(m_clearButton, &QPushButton::clicked, this, &Ui_Uart_Network::SLT_ClearStatus);
    connect(m_searchButton, &QPushButton::clicked, this, &Ui_Uart_Network::SLT_SearchDevice);
    connect(m_uartReadButton, &QPushButton::clicked, this, &Ui_Uart_Network::SLT_UartReadDevice);
    connect(m_searchList, &QTreeWidget::itemClicked, this, &Ui_Uart_Network::SLT_SelectDevice);
    // Direct, so the lists are rebuilt before they open.
    connect(m_portSelector, &MyComboBox::SGL_Auto_UpdateComboBox, this,
            &Ui_Uart_Network::SLT_comboBox_GetVaildSerialPort, Qt::DirectConnection);
    connect(m_localIpSelector, &MyComboBox::SGL_Auto_UpdateComboBox, this,
            &Ui_Uart_Network::SLT_comboBox_GetVaildLocalIp, Qt::DirectConnection);
}

void Ui_Uart_Network::wireLink()
{
    // The page's requests go straight to the link, which queues them to the
    // services' threads; the link's answers arrive here on the GUI thread.
    connect(this, &Ui_Uart_Network::SGL_PretendConnect_SerialPort, m_link, &DeviceLink::openSerial,
            Qt::DirectConnection);
    connect(this, &Ui_Uart_Network::SGL_PretendConnect_TcpClient, m_link,
            qOverload<const QString &, const QString &, const QString &>(&DeviceLink::openTcp), Qt::DirectConnection);
    connect(this, &Ui_Uart_Network::SGL_PretendConnect_Udp, m_link, &DeviceLink::openModules, Qt::DirectConnection);
    connect(this, &Ui_Uart_Network::SGL_Startover_Udp, m_link, &DeviceLink::startOverModules, Qt::DirectConnection);
    connect(m_link, &DeviceLink::SGL_ConnectStatus_TcpClient, this, &Ui_Uart_Network::SLT_ConnectStatus_TcpClient);
    connect(m_link, &DeviceLink::SGL_ReConnectStatus_TcpClient, this, &Ui_Uart_Network::SLT_ReConnectStatus_TcpClient);
    connect(m_link, &DeviceLink::SGL_ConnectStatus_SerialPort, this, &Ui_Uart_Network::SLT_ConnectStatus_SerialPort);
    connect(m_link, &DeviceLink::SGL_LinkLost_SerialPort, this, &Ui_Uart_Network::SLT_LinkLost_SerialPort);
}

void Ui_Uart_Network::ApplyConnectionTexts(bool build, bool keepList)
{
    m_portLabel->setText(Slabel_Uart);
    m_baudLabel->setText(Slabel_Baudrate);
    m_dataBitLabel->setText(Slabel_DataBit);
    m_parityLabel->setText(Slabel_Parity);
    m_stopBitLabel->setText(Slabel_StopBit);
    m_flowLabel->setText(Slabel_FlowControl);
    m_uartGroup->setTitle(SgroupBox_Uart);
    m_networkTypeLabel->setText(Slabel_Network);
    m_ipLabel->setText(Slabel_Ip);
    m_portNumberLabel->setText(Slabel_Port);
    m_maskLabel->setText(Slabel_SubMask);
    m_gatewayLabel->setText(Slabel_Gateway);
    m_networkGroup->setTitle(SgroupBox_Network);
    m_statusGroup->setTitle(SgroupBox_Status);
    m_clearButton->setText(S_Clear);
    if (!keepList)
        SLT_ClearFoundDevice();
    m_searchList->resetColumnWidths();
    m_searchList->RetranslateUi();
    m_searchGroup->setTitle(SgroupBox_SearchList);
    m_searchButton->setText(SpushButton_SearchDevice);
    m_uartReadButton->setText(SpushButton_UartReadDevice);
    m_localIpLabel->setText(Slabel_MyIpv4);
    m_localPortLabel->setText(Slabel_MyPort);
    m_pcGroup->setTitle(SgroupBox_MyNetwork);

    m_portSelector->clear();
    if (build) {
        fillList(m_baudSelector, BaudRates);
        fillList(m_dataBitSelector, DataBits);
        m_dataBitSelector->setCurrentText(QStringLiteral("8"));
        m_dataBitSelector->setEnabled(false);
        fillList(m_paritySelector, Parities);
        m_paritySelector->setEnabled(false);
        fillList(m_stopBitSelector, StopBits);
        m_stopBitSelector->setEnabled(false);
        fillList(m_flowSelector, FlowControls);
        m_flowSelector->setEnabled(false);
        fillList(m_networkTypeSelector, NetworkTypes);
        m_networkTypeSelector->setCurrentIndex(1);
        m_networkTypeSelector->setEnabled(false);
        m_statusLog->setReadOnly(true);
        m_statusLog->setWordWrapMode(QTextOption::WrapAnywhere);
        m_statusLog->setMaximumBlockCount(StatusLinesKept);
        m_localIpSelector->clear();
        m_localPortEdit->setEnabled(false);
        m_localPortEdit->hide();
        m_localPortLabel->hide();
        m_uartConnect->setText(S_ConnectDisconnect[0]);
        m_networkConnect->setText(S_ConnectDisconnect[0]);
        ShowConnectImage(false);
    } else {
        m_portSelector->addItem(SP_Name);
        m_baudSelector->setCurrentText(SP_BaudRate);
        m_uartConnect->setText(S_ConnectDisconnect[ActiveTransport == TransportSerial ? 1 : 0]);
        m_networkConnect->setText(S_ConnectDisconnect[ActiveTransport == TransportTcp ? 1 : 0]);
    }
    m_ipEdit->setText(SP_RemoteIp);
    m_portEdit->setText(SP_RemotePort);
    m_maskEdit->setText(SP_RemoteSubmask);
    m_gatewayEdit->setText(SP_RemoteGateway);
    m_localPortEdit->setText(QLatin1String(PcPort));
}

QTreeWidget *Ui_Uart_Network::searchList() const
{
    return m_searchList;
}

void Ui_Uart_Network::AppendStatusLine(const QString &text)
{
    AppendFoldedLine(m_statusLog, text);
}

void Ui_Uart_Network::ShowConnectImage(bool ok)
{
    const QString success = AppPath(QLatin1String(Paths::SuccessPicture));
    const QString fail = AppPath(QLatin1String(Paths::FailPicture));
    // Both files are rewritten at each result, off the GUI thread: the
    // result comes with the identification, when every page redraws, and a
    // file's rewrite may wait on the disk for several milliseconds.
    QLabel *label = m_statusPicture;
    ShowRewrittenPicture(ok ? success : fail, {ok ? fail : success}, label,
                         [label](const QPixmap &picture) { label->setPixmap(picture); });
}

void Ui_Uart_Network::AddFoundDevice(const QString &name, const QString &ip, const QString &mac, const QString &version)
{
    Modules().addOrUpdate(name, ip, mac, version);
}

void Ui_Uart_Network::ShowSelectedDeviceNetwork(const QString &name, const QString &mac, const QString &ip,
                                                const QString &port, const QString &mask, const QString &gateway,
                                                bool staticIp)
{
    const QTreeWidgetItem *row = m_searchList->currentItem();
    if (!row || row->text(NameColumn) != name || row->text(MacColumn) != mac)
        return;
    if (staticIp && row->text(IpColumn) != ip)
        return;
    if (ActiveTransport != TransportNone)
        return;
    m_ipEdit->setText(staticIp ? ip : row->text(IpColumn));
    m_portEdit->setText(port);
    m_maskEdit->setText(mask);
    m_gatewayEdit->setText(gateway);
    m_filterLocalBySubnet = staticIp;
    SLT_comboBox_GetVaildLocalIp();
}

void Ui_Uart_Network::ReadDeviceType()
{
    CMD_DeviceTypeRead();
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Uart_Network::setInputsEnabled(bool enabled)
{
    for (QWidget *input :
         std::initializer_list<QWidget *>{m_portSelector, m_baudSelector, m_ipEdit, m_portEdit, m_maskEdit,
                                          m_gatewayEdit, m_localIpSelector, m_localPortEdit})
        input->setEnabled(enabled);
    // The PC port is never edited.
    m_localPortEdit->setEnabled(false);
}

void Ui_Uart_Network::disconnectLink(bool serial)
{
    setInputsEnabled(true);
    ShowConnectImage(false);
    Q_EMIT SGL_ConnectStatus(false);
    m_link->closeDevice();
    (serial ? m_uartConnect : m_networkConnect)->setText(S_ConnectDisconnect[0]);
    (serial ? m_networkConnect : m_uartConnect)->setEnabled(true);
    ResetDeviceState();
}

void Ui_Uart_Network::SLT_pushButton_UartConnect_clicked()
{
    if (m_uartConnect->text() != S_ConnectDisconnect[0]) {
        disconnectLink(true);
        return;
    }
    ActiveTransport = TransportSerial;
    SP_Name = m_portSelector->currentText();
    SP_BaudRate = m_baudSelector->currentText();
    SP_DataBit = dataBitsCode(m_dataBitSelector->currentText());
    SP_Parity = parityCode(m_paritySelector->currentText());
    SP_StopBit = stopBitsCode(m_stopBitSelector->currentText());
    SP_FlowControl = flowControlCode(m_flowSelector->currentText());
    setInputsEnabled(false);
    Q_EMIT SGL_ConnectStatus(true);
    Q_EMIT SGL_PretendConnect_SerialPort(SP_Name, SP_BaudRate, SP_DataBit, SP_Parity, SP_StopBit, SP_FlowControl);
    m_uartConnect->setText(S_ConnectDisconnect[1]);
    m_networkConnect->setEnabled(false);
}

void Ui_Uart_Network::SLT_pushButton_NetworkConnect_clicked()
{
    if (m_networkConnect->text() != S_ConnectDisconnect[0]) {
        disconnectLink(false);
        return;
    }
    // A refused field or a PC without an address leaves no link behind.
    if (!CheckNetworkParams(m_ipEdit->text(), m_portEdit->text(), m_maskEdit->text(), m_gatewayEdit->text())) {
        ActiveTransport = TransportNone;
        ShowMessage(this, SMSG_Network_Param_Fail, MessageKind::Warning);
        return;
    }
    if (m_localIpSelector->count() == 0 || m_localIpSelector->currentText().isEmpty()) {
        ActiveTransport = TransportNone;
        ShowMessage(this, SMSG_Network_Connect_Fail, MessageKind::Critical);
        return;
    }
    ActiveTransport = TransportTcp;
    SP_RemoteIp = m_ipEdit->text();
    SP_RemotePort = m_portEdit->text();
    SP_RemoteSubmask = m_maskEdit->text();
    SP_RemoteGateway = m_gatewayEdit->text();
    const QString choice = m_localIpSelector->currentText();
    const QString localAddress = choice.left(choice.indexOf(QLatin1Char('<')));
    setInputsEnabled(false);
    Q_EMIT SGL_ConnectStatus(true);
    Q_EMIT SGL_PretendConnect_TcpClient(localAddress, SP_RemoteIp, SP_RemotePort);
    m_networkConnect->setText(S_ConnectDisconnect[1]);
    m_uartConnect->setEnabled(false);
}

void Ui_Uart_Network::SLT_comboBox_GetVaildSerialPort()
{
    m_portSelector->clear();
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports) {
        if (!port.description().isEmpty() && !port.manufacturer().isEmpty())
            m_portSelector->addItem(port.portName());
    }
}

void Ui_Uart_Network::SLT_comboBox_GetVaildLocalIp()
{
    const QString deviceIp = m_ipEdit->text();
    const QString deviceMask = m_maskEdit->text();
    m_localIpSelector->clear();
    m_localIpSelector->addItems(LocalIpv4Choices(m_filterLocalBySubnet, deviceIp, deviceMask));
}

void Ui_Uart_Network::linkFailed(bool serial, int code)
{
    DropActiveLink();
    (serial ? m_uartConnect : m_networkConnect)->setText(S_ConnectDisconnect[0]);
    (serial ? m_networkConnect : m_uartConnect)->setEnabled(true);
    ShowMessage(this, (serial ? SMSG_SerialPort_Connect_Fail : SMSG_Network_Connect_Fail) + QString::number(code),
                MessageKind::Critical);
    setInputsEnabled(true);
    ShowConnectImage(false);
    Q_EMIT SGL_ConnectStatus(false);
}

void Ui_Uart_Network::DropActiveLink()
{
    if (ActiveTransport == TransportTcp)
        m_networkConnect->click();
    else if (ActiveTransport == TransportSerial)
        m_uartConnect->click();
}

void Ui_Uart_Network::SLT_ConnectStatus_SerialPort(bool ok, int code)
{
    if (!ok) {
        linkFailed(true, code);
        return;
    }
    ReadDeviceType();
    setInputsEnabled(false);
    Q_EMIT SGL_ConnectStatus(true);
}

void Ui_Uart_Network::SLT_ConnectStatus_TcpClient(bool ok, int code)
{
    if (!ok) {
        linkFailed(false, code);
        return;
    }
    ReadDeviceType();
    setInputsEnabled(false);
    Q_EMIT SGL_ConnectStatus(true);
}

void Ui_Uart_Network::SLT_ReConnectStatus_TcpClient(bool ok)
{
    // A report that arrives after the link was closed (the service may try
    // once more before it learns that) has nothing left to close.
    if (ok || ActiveTransport != TransportTcp)
        return;
    DropActiveLink();
    ShowMessage(this, SMSG_Network_ReConnect_Fail, MessageKind::Critical);
}

void Ui_Uart_Network::SLT_LinkLost_SerialPort(int code)
{
    if (ActiveTransport != TransportSerial)
        return;
    DropActiveLink();
    ShowMessage(this, SMSG_SerialPort_Connect_Fail + QString::number(code), MessageKind::Critical);
}

void Ui_Uart_Network::SLT_SelectDevice(QTreeWidgetItem *item, int)
{
    if (!item)
        return;
    Q_EMIT SGL_ReadSelectedDevice();
    // Over the serial link the settings came with the list; nothing to read.
    const std::optional<ModuleDiscovery::Mac> mac = Modules().request(item->text(MacColumn));
    if (!mac)
        return;
    Q_EMIT SGL_Startover_Udp(true, QLatin1String(ModuleFactoryAddress));
    NET_ReadConfig(mac->data(), MacBytes);
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Uart_Network::SLT_ClearStatus()
{
    m_statusLog->clear();
}

void Ui_Uart_Network::SLT_SearchDevice()
{
    Modules().startList(false);
    Q_EMIT SGL_ClearFoundDevice();
    Q_EMIT SGL_Startover_Udp(true, QLatin1String(ModuleFactoryAddress));
    NET_SearchDevice();
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Uart_Network::SLT_UartReadDevice()
{
    Modules().startList(true);
    Q_EMIT SGL_ClearFoundDevice();
    CMD_DeviceInfoRead();
    Q_EMIT SGL_UpdateEmit();
}

void Ui_Uart_Network::SLT_ClearFoundDevice()
{
    Modules().clear();
}

void Ui_Uart_Network::SLT_ReadSelectedDevice()
{
    m_searchList->setCurrentItem(nullptr);
}

void Ui_Uart_Network::SLT_ConnectStatus(bool on)
{
    m_uartReadButton->setVisible(on && ActiveTransport == TransportSerial);
}

void Ui_Uart_Network::SLT_IdentificationResult(bool ok)
{
    ShowConnectImage(ok);
    if (ok)
        return;
    DropActiveLink();
}

void Ui_Uart_Network::SLT_ModuleConfigRead(const QByteArray &block)
{
    const auto view = DecodeModuleNetwork(block);
    if (!view)
        return;
    ShowSelectedDeviceNetwork(view->deviceName, view->macText, view->ip, view->localPort, view->mask, view->gateway,
                              view->staticIp);
}

void Ui_Uart_Network::SLT_DeviceInformation(const QString &name, const QString &mac, bool, const QString &ip,
                                            const QString &, const QString &, const QString &version)
{
    AddFoundDevice(name, ip, mac, version);
}
