#pragma once

#include "protocol/ModuleConfigEdit.h"

#include <QGroupBox>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
struct ModuleConfigFields;

// The basic part of the network module's settings: ports, identity, login,
// name, MAC and the IP settings. The device name, the MAC and the IP
// settings can be edited; the other fields show what the module holds.
class ModuleBasicConfigBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit ModuleBasicConfigBox(QWidget *parent = nullptr);

    void RetranslateUi();
    void showFields(const ModuleConfigFields &fields);
    // The IP settings alone, as the device reports them over its link.
    void showIpSettings(bool staticIp, const QString &ip, const QString &mask, const QString &gateway);
    ModuleBasicEdits edits() const;
    // The device name and MAC can be edited only on the network path.
    void setNetworkPath(bool networkPath);
    // Static IP, mask and gateway follow the IP type.
    void setAddressesEnabled(bool enabled);

    QComboBox *ipTypeBox() const { return m_ipType; }
    QPushButton *writeButton() const { return m_write; }
    QLineEdit *upnpPortEdit() const { return m_upnpPort; }
    QLineEdit *httpPortEdit() const { return m_httpPort; }
    QLineEdit *deviceIdEdit() const { return m_deviceId; }
    QLineEdit *deviceIdTypeEdit() const { return m_deviceIdType; }
    QLineEdit *userNameEdit() const { return m_userName; }
    QLineEdit *passwordEdit() const { return m_password; }
    QLineEdit *deviceNameEdit() const { return m_deviceName; }
    QLineEdit *macEdit() const { return m_mac; }
    QLineEdit *staticIpEdit() const { return m_staticIp; }
    QLineEdit *maskEdit() const { return m_mask; }
    QLineEdit *gatewayEdit() const { return m_gateway; }

private:
    QLineEdit *addField(QGridLayout *grid, QLabel *&label, int row, int column);
    void showUnknown();

    QLabel *m_upnpPortLabel;
    QLineEdit *m_upnpPort;
    QLabel *m_httpPortLabel;
    QLineEdit *m_httpPort;
    QLabel *m_deviceIdLabel;
    QLineEdit *m_deviceId;
    QLabel *m_deviceIdTypeLabel;
    QLineEdit *m_deviceIdType;
    QLabel *m_userNameLabel;
    QLineEdit *m_userName;
    QLabel *m_passwordLabel;
    QLineEdit *m_password;
    QLabel *m_deviceNameLabel;
    QLineEdit *m_deviceName;
    QLabel *m_macLabel;
    QLineEdit *m_mac;
    QLabel *m_ipTypeLabel;
    QComboBox *m_ipType;
    QLabel *m_staticIpLabel;
    QLineEdit *m_staticIp;
    QLabel *m_maskLabel;
    QLineEdit *m_mask;
    QLabel *m_gatewayLabel;
    QLineEdit *m_gateway;
    QPushButton *m_write;
    bool m_known = false;
};
