#pragma once

#include "protocol/DeviceState.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;
class SignalInputRows;
class SignalOutputRows;
class Ui_More;

// The signal configuration page: per input its type, timings, audio source
// and pairing; per output its type, incoming timing, format, mute, freeze
// and black, as the device reports them. Each control sends its command at
// once; the rows show only what the replies put into the device model. The
// page also keeps the list of multiview outputs and opens the More dialog.
class Ui_SignalConfig : public QWidget
{
    Q_OBJECT

public:
    static constexpr quint32 RowsPerPage = DeviceLimits::Channels;

    explicit Ui_SignalConfig(QWidget *parent = nullptr);

    void RetranslateUi();
    // New channel counts (after identification): both halves back to their
    // first page, every row empty until its record arrives.
    void RebuildRows(quint32 inputCount, quint32 outputCount);
    // Reads every input, the input binds and every output.
    void InitialRead();
    // Rebuilds the rows of one or both halves from the model.
    void Redraw(bool inputs, bool outputs);

    SignalInputRows *inputRows() const { return m_inputs; }
    SignalOutputRows *outputRows() const { return m_outputs; }
    quint32 inputPage() const { return m_inputPage; }
    quint32 outputPage() const { return m_outputPage; }
    // The More dialog while it is open.
    Ui_More *moreDialog() const;

public Q_SLOTS:
    void SLT_I_InputType(int index);
    void SLT_I_AudioSelect(int index);
    void SLT_I_Bind(bool checked);
    void SLT_I_Read(bool checked = false);
    void SLT_I_Up(bool checked = false);
    void SLT_I_Down(bool checked = false);
    void SLT_O_OutputType(int index);
    void SLT_O_OutputFormat(int index);
    void SLT_O_AudioMute(bool checked);
    void SLT_O_Freeze(bool checked);
    void SLT_O_Black(bool checked);
    void SLT_O_Read(bool checked = false);
    void SLT_O_Up(bool checked = false);
    void SLT_O_Down(bool checked = false);
    void SLT_BTN_ReadAllInput(bool checked = false);
    void SLT_BTN_ReadAllOutput(bool checked = false);
    void SLT_BTN_MoreWin(bool checked = false);

    // From the reply dispatcher.
    void SLT_RefreshInput(unsigned int channel);
    void SLT_RefreshOutput(unsigned int channel);
    void SLT_RefreshBinds();
    // An output's information or mode arrived: the multiview list follows.
    void SLT_OutputChanged(unsigned int output);

Q_SIGNALS:
    void SGL_UpdateEmit();
    void SGL_UpdateSelect_MV();
    void SGL_JudgeMutex_MVAndSplicing(unsigned int output);
    // Relays to the More dialog.
    void SGL_Update_AllBind();
    void SGL_Update_ReportOn();
    void SGL_Update_IR();
    void SGL_Update_NAdd1Backup();
    void SGL_Update_OutputRotate(unsigned int output, unsigned int rotate);
    void SGL_Update_UserResolution(unsigned int output, unsigned int width, unsigned int height);
    void SGL_Update_OutputMode(unsigned int output, unsigned int mode);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildWidgets();
    void buildLayout();
    void connectWidgets();

    // The row of the control that sent the current signal, or -1 when it
    // is not one of the shown rows of its half.
    int senderRow(const char *prefix, quint32 shownRows) const;
    quint32 inputRowsShown() const;
    quint32 outputRowsShown() const;
    quint32 inputIndex(int row) const { return m_inputPage * RowsPerPage + quint32(row); }
    quint32 outputIndex(int row) const { return m_outputPage * RowsPerPage + quint32(row); }
    void redrawInputRow(int row);
    void redrawOutputRow(int row);
    void markInputRow(int row);
    void markOutputRow(int row);
    void markRows();
    void redrawPaging();
    // Forgets what the model holds about an input (its pairing stays) or an
    // output, so that its row stays empty until the device answers.
    void forgetInput(quint32 index);
    void forgetOutput(quint32 index);
    void sendOutputSwitch(QCheckBox *box, int row, bool on, bool (*command)(quint32, quint8));
    void emitSend();

    SignalInputRows *m_inputs;
    SignalOutputRows *m_outputs;
    quint32 m_inputTotal = 0;
    quint32 m_outputTotal = 0;
    quint32 m_inputPage = 0;
    quint32 m_outputPage = 0;
    // Whether a record holds the device's answer since it was last cleared.
    bool m_inputKnown[DeviceLimits::Channels] = {};
    bool m_outputKnown[DeviceLimits::Channels] = {};
    QPointer<Ui_More> m_more;
};
