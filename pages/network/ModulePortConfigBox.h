#pragma once

#include "protocol/ModuleConfigEdit.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
struct ModuleConfigFields;

// The port part of the network module's settings: the serial bridge, the
// work mode and the remote end. The baud rate, local port, server connect
// count, pack time and pack length can be edited; the other fields show
// what the module holds.
class ModulePortConfigBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit ModulePortConfigBox(QWidget *parent = nullptr);

    void RetranslateUi();
    void showFields(const ModuleConfigFields &fields);
    // Every field empty, reading "Unknown", until a module's block arrives.
    void showUnknown();
    // mac: the MAC field of the basic part, checked with the port write.
    ModulePortEdits edits(const QString &mac) const;
    // The editable fields and the write button work only on the network path.
    void setNetworkPath(bool networkPath);

    QPushButton *writeButton() const { return m_write; }
    QComboBox *baudRateBox() const { return m_baudRate; }
    QComboBox *parityBox() const { return m_parity; }
    QComboBox *dataBitsBox() const { return m_dataBits; }
    QComboBox *stopBitsBox() const { return m_stopBits; }
    QComboBox *flowControlBox() const { return m_flowControl; }
    QComboBox *workModeBox() const { return m_workMode; }
    QComboBox *connectCountBox() const { return m_connectCount; }
    QComboBox *modbusBox() const { return m_modbus; }
    QLineEdit *remoteIpEdit() const { return m_remoteIp; }
    QLineEdit *remotePortEdit() const { return m_remotePort; }
    QLineEdit *localPortEdit() const { return m_localPort; }
    QLineEdit *serverStyleEdit() const { return m_serverStyle; }
    QLineEdit *packTimeEdit() const { return m_packTime; }
    QLineEdit *packLengthEdit() const { return m_packLength; }
    QCheckBox *syncBaudRateBox() const { return m_syncBaudRate; }

private:
    void addPair(QGridLayout *grid, QLabel *&label, QWidget *field, int row, int column);

    QLabel *m_baudRateLabel;
    QComboBox *m_baudRate;
    QLabel *m_paramLabel;
    QComboBox *m_parity;
    QComboBox *m_dataBits;
    QComboBox *m_stopBits;
    QLabel *m_flowControlLabel;
    QComboBox *m_flowControl;
    QLabel *m_workModeLabel;
    QComboBox *m_workMode;
    QLabel *m_remoteIpLabel;
    QLineEdit *m_remoteIp;
    QLabel *m_remotePortLabel;
    QLineEdit *m_remotePort;
    QLabel *m_localPortLabel;
    QLineEdit *m_localPort;
    QLabel *m_connectCountLabel;
    QComboBox *m_connectCount;
    QLabel *m_serverStyleLabel;
    QLineEdit *m_serverStyle;
    QLabel *m_modbusLabel;
    QComboBox *m_modbus;
    QLabel *m_packTimeLabel;
    QLineEdit *m_packTime;
    QLabel *m_packLengthLabel;
    QLineEdit *m_packLength;
    QCheckBox *m_syncBaudRate;
    QPushButton *m_write;
    bool m_known = false;
};
