#pragma once

#include "pages/PageDialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The device's identity texts: the two front-panel lines, the serial
// number and the device name, each read and written on its own. Opened from
// the system page, which relays the device's answers to it.
class Ui_Admin : public PageDialog
{
    Q_OBJECT

public:
    // Field widths on the wire; a text never exceeds them.
    static constexpr int FrontPanelLineChars = 16;
    static constexpr int IdentityTextChars = 40;

    explicit Ui_Admin(QWidget *parent = nullptr);

    void RetranslateUi();

    QLineEdit *firstLineEdit() const { return m_firstLine; }
    QLineEdit *secondLineEdit() const { return m_secondLine; }
    QLineEdit *serialNumberEdit() const { return m_serialNumber; }
    QLineEdit *deviceNameEdit() const { return m_deviceName; }
    QPushButton *frontPanelReadButton() const { return m_frontPanelRead; }
    QPushButton *frontPanelWriteButton() const { return m_frontPanelWrite; }
    QPushButton *serialNumberReadButton() const { return m_snRead; }
    QPushButton *serialNumberWriteButton() const { return m_snWrite; }
    QPushButton *deviceNameReadButton() const { return m_nameRead; }
    QPushButton *deviceNameWriteButton() const { return m_nameWrite; }

public Q_SLOTS:
    void SLT_BTN_FrontPanelDispalyRead(bool checked = false);
    void SLT_BTN_FrontPanelDispalyWrite(bool checked = false);
    void SLT_BTN_SNRead(bool checked = false);
    void SLT_BTN_SNWrite(bool checked = false);
    void SLT_BTN_DeviceNameRead(bool checked = false);
    void SLT_BTN_DeviceNameWrite(bool checked = false);
    void SLT_Update_FrontPanelDispaly(QString line1, QString line2);
    void SLT_Update_SN(QString text);
    void SLT_Update_DeviceName(QString text);
    void SLT_Update_AdminMessage(QString text);

private:
    void buildWidgets();
    void buildLayout();
    void connectWidgets();

    QWidget *m_content;
    QGroupBox *m_frontPanelGroup;
    QLabel *m_firstLineLabel;
    QLineEdit *m_firstLine;
    QLabel *m_secondLineLabel;
    QLineEdit *m_secondLine;
    QPushButton *m_frontPanelRead;
    QPushButton *m_frontPanelWrite;
    QGroupBox *m_snGroup;
    QLineEdit *m_serialNumber;
    QPushButton *m_snRead;
    QPushButton *m_snWrite;
    QGroupBox *m_nameGroup;
    QLineEdit *m_deviceName;
    QPushButton *m_nameRead;
    QPushButton *m_nameWrite;
};
