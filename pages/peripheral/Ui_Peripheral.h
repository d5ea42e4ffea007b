#pragma once

#include "pages/peripheral/PeripheralLists.h"

#include <QWidget>

class IoGroupBox;
class UserCmdLines;

// The peripheral page: the device's four IO inputs (read only), its four IO
// outputs and four relays (read and written), and the user command lines.
// What the IO groups show comes from the device's replies, or from the
// operator's choice before a write.
class Ui_Peripheral : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_Peripheral(QWidget *parent = nullptr);

    void RetranslateUi();
    // The device's counts changed: the command lines' port lists follow.
    void RebuildForCounts();

    // Called by the reply dispatcher's signal: the state bits of one group.
    void ShowPeripheralLines(unsigned int group, unsigned int states);
    void ShowIoInputs(quint8 state);
    void ShowIoOutputs(quint8 state);
    void ShowRelays(quint8 state);

    IoGroupBox *ioInputs() const { return m_ioIn; }
    IoGroupBox *ioOutputs() const { return m_ioOut; }
    IoGroupBox *relays() const { return m_relays; }
    UserCmdLines *cmdLines() const { return m_cmdLines; }

Q_SIGNALS:
    void SGL_UpdateEmit();

public Q_SLOTS:
    void SLT_IO_IN_Read();
    void SLT_IO_OUT_Read();
    void SLT_IO_OUT_Write();
    void SLT_Relay_Read();
    void SLT_Relay_Write();

private:
    void buildWidgets();
    void buildLayout();
    void connectWidgets();
    void sendIo(quint8 mode, PeripheralIo::Group group, quint8 data);

    IoGroupBox *m_ioIn = nullptr;
    IoGroupBox *m_ioOut = nullptr;
    IoGroupBox *m_relays = nullptr;
    UserCmdLines *m_cmdLines = nullptr;
};
