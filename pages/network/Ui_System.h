#pragma once

#include <QByteArray>
#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

struct ModulePartResult;

class ModuleBasicConfigBox;
class ModulePortConfigBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShortcut;
class ModuleSearchList;
class QTreeWidgetItem;
class Ui_Admin;

// The system page: the device's network module (search, read, write,
// defaults, its web page), firmware versions, the factory reset and the
// Admin dialog. Module requests go out over UDP naming the module by its
// MAC; over a serial link the device passes the IP settings to its module.
class Ui_System : public QWidget
{
    Q_OBJECT

public:
    using Mac = std::array<quint8, 6>;

    explicit Ui_System(QWidget *parent = nullptr);

    void RetranslateUi();

    // What the reply handlers hand to the page.
    void AddFoundDevice(const QString &name, const QString &ip, const QString &mac, const QString &version);
    void ShowModuleConfig(const QByteArray &block);
    void ShowDeviceInformation(const QString &name, const QString &mac, bool staticIp, const QString &ip,
                               const QString &mask, const QString &gateway, const QString &version);
    void ShowFirmwareVersion(unsigned int port, unsigned int type, const QString &text);
    void ModuleWriteAcknowledged();
    void ModuleDefaultsRestored(bool done);
    void ModuleAtAnswered();

    QPushButton *searchButton() const { return m_searchButton; }
    QPushButton *webOpenButton() const { return m_webOpenButton; }
    QPushButton *loadDefaultButton() const { return m_loadDefaultButton; }
    QPushButton *uartReadButton() const { return m_uartReadButton; }
    ModuleSearchList *searchList() const { return m_searchList; }
    ModuleBasicConfigBox *basicBox() const { return m_basic; }
    ModulePortConfigBox *portBox() const { return m_port; }
    QPushButton *resetButton() const { return m_resetButton; }
    QComboBox *firmwareBox() const { return m_firmwareBox; }
    QComboBox *firmwarePortBox() const { return m_firmwarePortBox; }
    QLineEdit *firmwareText() const { return m_firmwareText; }
    QPushButton *adminButton() const { return m_adminButton; }
    Ui_Admin *adminDialog() const;
    // The block as last read from the selected module (empty before).
    const QByteArray &lastReadBlock() const;

public Q_SLOTS:
    void SLT_SearchDevice();
    void SLT_UartReadDevice();
    void SLT_SelectDevice(QTreeWidgetItem *item, int column);
    // The connection page selected a module: this page's selection goes.
    void SLT_ReadSelectedDevice();
    // The connection page searched: this page's list of modules is stale.
    void SLT_ClearFoundDevice();
    void SLT_NM_IPType(int index);
    void SLT_SaveBasicConfig();
    void SLT_SavePortConfig();
    void SLT_LoadDefault();
    void SLT_WebOpen();
    void SLT_SetResetDevice(bool checked = false);
    void SLT_GetFirmwareVersion(int index);
    void SLT_GetFirmwareVersion_ByPort(int index);
    // A device link came up or went down.
    void SLT_ConnectStatus(bool on);
    void SLT_BTN_AdminWin(bool checked = false);

Q_SIGNALS:
    void SGL_UpdateEmit();
    void SGL_Startover_Udp(bool isBroadcast, QString remoteIp);
    void SGL_AutoTriggerDisconnect();
    void SGL_ClearFoundDevice();
    void SGL_ReadSelectedDevice();
    // Relays of the device's answers to the Admin dialog.
    void SGL_Update_AdminMessage(QString text);
    void SGL_Update_FrontPanelDispaly(QString line1, QString line2);
    void SGL_Update_SN(QString serialNumber);
    void SGL_Update_DeviceName(QString name);

private:
    void buildWidgets();
    void buildLayout();
    void connectWidgets();
    // Enabled states from the path in use, the IP type and the link.
    void redrawEnabled();
    // A module is listed and its settings are loaded; otherwise says which
    // is missing.
    bool moduleReady();
    void startUdpExchange();
    // Sends a part of the module's configuration (or names the field that
    // failed), then the apply request.
    using ModulePartWriter = bool (*)(const quint8 *mac, quint32 macLength, const quint8 *part);
    void writeModulePart(const ModulePartResult &result, ModulePartWriter write, const QString &question);
    void toggleAdminButton();

    QGroupBox *m_moduleGroup;
    QPushButton *m_searchButton;
    QPushButton *m_webOpenButton;
    QPushButton *m_loadDefaultButton;
    QPushButton *m_uartReadButton;
    QGroupBox *m_listGroup;
    ModuleSearchList *m_searchList;
    ModuleBasicConfigBox *m_basic;
    ModulePortConfigBox *m_port;
    QLabel *m_resetLabel;
    QPushButton *m_resetButton;
    QLabel *m_firmwareLabel;
    QComboBox *m_firmwareBox;
    QComboBox *m_firmwarePortBox;
    QLineEdit *m_firmwareText;
    QPushButton *m_adminButton;
    QShortcut *m_adminShortcut;
    QPointer<Ui_Admin> m_admin;

    bool m_linkUp = false;
    // A write's apply request or a restore of defaults is on its way; the
    // first answer to it is shown, a repeated one ignored.
    bool m_awaitingApply = false;
    bool m_awaitingDefaults = false;
};
