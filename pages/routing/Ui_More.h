#pragma once

#include "pages/PageDialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The advanced settings dialog opened from the signal configuration page:
// input pairing for all inputs, status reports, infrared remote, N+1
// backup, what outputs show without signal, rotation and test patterns, a
// user-defined output resolution and the output mode of multiview-capable
// output groups. Each control sends its command at once; switch states,
// rotation, resolution and mode are shown only as the device reports them.
class Ui_More : public PageDialog
{
    Q_OBJECT

public:
    // The four device-wide switches, each an On / Off pair.
    enum Switch { AllBind, Report, Ir, NPlus1, SwitchCount };
    struct SwitchPair
    {
        QPushButton *on;
        QPushButton *off;
    };

    explicit Ui_More(QWidget *parent = nullptr);

    void RetranslateUi();
    // The reads that follow the dialog's opening: the four switches, the
    // chosen output's rotation and user resolution and, when there is a
    // multiview output, its mode.
    void ReadOpeningValues();

    const SwitchPair &switchPair(Switch s) const { return m_switches[s]; }
    QComboBox *backupBox() const { return m_backup; }
    QComboBox *inputNoSignalBox() const { return m_inputNoSignal; }
    QComboBox *outputNoSignalBox() const { return m_outputNoSignal; }
    QComboBox *outputPortBox() const { return m_outputPort; }
    QComboBox *rotateBox() const { return m_rotate; }
    QComboBox *testPatternBox() const { return m_testPattern; }
    QComboBox *resolutionPortBox() const { return m_resolutionPort; }
    QLineEdit *widthEdit() const { return m_width; }
    QLineEdit *heightEdit() const { return m_height; }
    QPushButton *readResolutionButton() const { return m_readResolution; }
    QPushButton *writeResolutionButton() const { return m_writeResolution; }
    QGroupBox *resolutionGroup() const { return m_resolutionGroup; }
    QComboBox *multiviewPortBox() const { return m_multiviewPort; }
    QComboBox *outputModeBox() const { return m_outputMode; }

public Q_SLOTS:
    void SLT_BTN_AllBindOn(bool checked = false);
    void SLT_BTN_AllBindOff(bool checked = false);
    void SLT_BTN_ReportOn(bool checked = false);
    void SLT_BTN_ReportOff(bool checked = false);
    void SLT_BTN_IR_On(bool checked = false);
    void SLT_BTN_IR_Off(bool checked = false);
    void SLT_BTN_NAdd1_On(bool checked = false);
    void SLT_BTN_NAdd1_Off(bool checked = false);
    void SLT_NAdd1_Backup(int index);
    void SLT_InputNoSignal_OutputMode(int index);
    void SLT_OutputNoSignal_OutputMode(int index);
    void SLT_Output_Port(int index);
    void SLT_Output_Rotate(int index);
    void SLT_Output_TestPattern(int index);
    void SLT_Output_ResPort(int index);
    void SLT_ReadRes();
    void SLT_WriteRes();
    void SLT_Output_MVPort(int index);
    void SLT_Output_OutputMode(int mode);

    void SLT_Update_AllBind();
    void SLT_Update_ReportOn();
    void SLT_Update_IR();
    void SLT_Update_NAdd1Backup();
    void SLT_Update_OutputRotate(unsigned int output, unsigned int rotate);
    void SLT_Update_UserResolution(unsigned int output, unsigned int width, unsigned int height);
    void SLT_Update_OutputMode(unsigned int output, unsigned int mode);

Q_SIGNALS:
    void SGL_JudgeMutex_MVAndSplicing(unsigned int output);

private:
    void buildWidgets();
    void buildLayout();
    void connectWidgets();
    // Lists that follow the device's counts and board kinds.
    void fillDeviceLists();
    // Rotate and test pattern choices of the chosen output's board kind.
    void fillOutputChoices(quint32 output);
    void showSwitch(Switch s, quint8 value);
    void setResolutionEnabled(bool enabled);
    // The output of the multiview port box, or -1 when it is empty.
    int multiviewOutput() const;
    bool confirmModeChange(quint32 output, int mode);
    void send(bool queued);

    QWidget *m_content;
    SwitchPair m_switches[SwitchCount];
    QLabel *m_backupLabel;
    QComboBox *m_backup;
    QLabel *m_inputNoSignalLabel;
    QComboBox *m_inputNoSignal;
    QLabel *m_outputNoSignalLabel;
    QComboBox *m_outputNoSignal;
    QGroupBox *m_outputGroup;
    QLabel *m_outputPortLabel;
    QComboBox *m_outputPort;
    QLabel *m_rotateLabel;
    QComboBox *m_rotate;
    QLabel *m_testPatternLabel;
    QComboBox *m_testPattern;
    QGroupBox *m_resolutionGroup;
    QLabel *m_resolutionPortLabel;
    QComboBox *m_resolutionPort;
    QLabel *m_widthLabel;
    QLineEdit *m_width;
    QLabel *m_heightLabel;
    QLineEdit *m_height;
    QPushButton *m_readResolution;
    QPushButton *m_writeResolution;
    QGroupBox *m_multiviewGroup;
    QLabel *m_multiviewPortLabel;
    QComboBox *m_multiviewPort;
    QLabel *m_outputModeLabel;
    QComboBox *m_outputMode;
};
