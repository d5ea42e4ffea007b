#pragma once

#include <QList>
#include <QSplitter>
#include <QString>

class DeviceLink;
class MyComboBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Whether the search list was filled by a read over the serial link rather
// than by a UDP search.
extern bool DeviceListFromSerial;

// The connection page (always the first tab): the serial and TCP links to
// the device, the status log, devices found on the network or read over the
// serial link, and the PC's own IPv4 addresses. It owns the device link (the
// transport services and their threads) and drives it through its signals.
class Ui_Uart_Network : public QSplitter
{
    Q_OBJECT

public:
    explicit Ui_Uart_Network(QWidget *parent = nullptr);
    ~Ui_Uart_Network() override;

    // The page's text set-up; build only from the constructor, keepList to
    // keep the rows of the search list.
    void ApplyConnectionTexts(bool build, bool keepList);
    void AppendStatusLine(const QString &text);
    void ShowConnectImage(bool ok);
    void AddFoundDevice(const QString &name, const QString &ip, const QString &mac, const QString &version);
    // A module's configuration was read: when it is the selected row's
    // module and no link is up, the address fields take its settings.
    void ShowSelectedDeviceNetwork(const QString &name, const QString &mac, const QString &ip, const QString &port,
                                   const QString &mask, const QString &gateway, bool staticIp);
    // Queues the device identity query and asks for it to be sent.
    void ReadDeviceType();
    // Clicks the connect button of the active device link, which drops it.
    void DropActiveLink();

    bool filterLocalBySubnet() const { return m_filterLocalBySubnet; }
    QPushButton *serialConnectButton() const { return m_uartConnect; }
    QPushButton *networkConnectButton() const { return m_networkConnect; }
    QPushButton *searchButton() const { return m_searchButton; }
    QPushButton *uartReadButton() const { return m_uartReadButton; }
    MyComboBox *portSelector() const { return m_portSelector; }
    QComboBox *baudSelector() const { return m_baudSelector; }
    MyComboBox *localIpSelector() const { return m_localIpSelector; }
    QLineEdit *ipEdit() const { return m_ipEdit; }
    QLineEdit *portEdit() const { return m_portEdit; }
    QLineEdit *maskEdit() const { return m_maskEdit; }
    QLineEdit *gatewayEdit() const { return m_gatewayEdit; }
    QPlainTextEdit *statusLog() const { return m_statusLog; }
    QTreeWidget *searchList() const { return m_searchList; }
    QLabel *statusPicture() const { return m_statusPicture; }
    DeviceLink *link() const { return m_link; }

Q_SIGNALS:
    void SGL_PretendConnect_SerialPort(QString name, QString baudRate, QString dataBits, QString parity,
                                       QString stopBits, QString flowControl);
    void SGL_PretendConnect_TcpClient(QString localAddress, QString remoteAddress, QString remotePort);
    void SGL_PretendConnect_Udp();
    void SGL_Startover_Udp(bool isBroadcast, QString remoteIp);
    void SGL_ClearFoundDevice();
    void SGL_ReadSelectedDevice();
    void SGL_ConnectStatus(bool on);
    void SGL_UpdateEmit();

public Q_SLOTS:
    void SLT_pushButton_UartConnect_clicked();
    void SLT_pushButton_NetworkConnect_clicked();
    void SLT_comboBox_GetVaildSerialPort();
    void SLT_comboBox_GetVaildLocalIp();
    void SLT_ConnectStatus_SerialPort(bool ok, int code);
    void SLT_ConnectStatus_TcpClient(bool ok, int code);
    void SLT_ReConnectStatus_TcpClient(bool ok);
    // The serial line went away under the open port.
    void SLT_LinkLost_SerialPort(int code);
    void SLT_SelectDevice(QTreeWidgetItem *item, int column);
    void SLT_ClearStatus();
    void SLT_SearchDevice();
    void SLT_UartReadDevice();
    void SLT_ClearFoundDevice();
    void SLT_ReadSelectedDevice();
    void SLT_ConnectStatus(bool on);
    // The device answered (or refused) the identity query.
    void SLT_IdentificationResult(bool ok);
    // The configuration block of a module arrived over UDP.
    void SLT_ModuleConfigRead(const QByteArray &block);
    // The device's network settings arrived over the serial link.
    void SLT_DeviceInformation(const QString &name, const QString &mac, bool staticIp, const QString &ip,
                               const QString &mask, const QString &gateway, const QString &version);

private:
    void buildWidgets();
    void buildLayout();
    // Height of the search list showing its header and this many rows.
    int searchListHeight(int rows) const;
    void connectWidgets();
    void wireLink();
    void setInputsEnabled(bool enabled);
    void linkFailed(bool serial, int code);
    // Tears a link down: the device link closes and the device model resets.
    void disconnectLink(bool serial);
    void clearFoundItems();

    QLabel *m_portLabel;
    MyComboBox *m_portSelector;
    QLabel *m_baudLabel;
    QComboBox *m_baudSelector;
    QLabel *m_dataBitLabel;
    QComboBox *m_dataBitSelector;
    QLabel *m_parityLabel;
    QComboBox *m_paritySelector;
    QLabel *m_stopBitLabel;
    QComboBox *m_stopBitSelector;
    QLabel *m_flowLabel;
    QComboBox *m_flowSelector;
    QPushButton *m_uartConnect;
    QGroupBox *m_uartGroup;
    QGridLayout *m_uartGrid;
    QLabel *m_networkTypeLabel;
    QComboBox *m_networkTypeSelector;
    QLabel *m_ipLabel;
    QLineEdit *m_ipEdit;
    QLabel *m_portNumberLabel;
    QLineEdit *m_portEdit;
    QLabel *m_maskLabel;
    QLineEdit *m_maskEdit;
    QLabel *m_gatewayLabel;
    QLineEdit *m_gatewayEdit;
    QPushButton *m_networkConnect;
    QGroupBox *m_networkGroup;
    QGridLayout *m_networkGrid;
    QPlainTextEdit *m_statusLog;
    QPushButton *m_clearButton;
    QLabel *m_statusPicture;
    QGroupBox *m_statusGroup;
    QGridLayout *m_statusGrid;
    QTreeWidget *m_searchList;
    QList<QTreeWidgetItem *> m_foundItems;
    QHBoxLayout *m_buttonRow;
    QPushButton *m_searchButton;
    QPushButton *m_uartReadButton;
    QGroupBox *m_searchGroup;
    QGridLayout *m_searchGrid;
    QLabel *m_localIpLabel;
    MyComboBox *m_localIpSelector;
    QLabel *m_localPortLabel;
    QLineEdit *m_localPortEdit;
    QGroupBox *m_pcGroup;
    QGridLayout *m_pcGrid;
    QSplitter *m_topSplitter;
    bool m_filterLocalBySubnet;
    DeviceLink *m_link;
};
