#pragma once

#include <QByteArray>
#include <QList>
#include <QVector>
#include <QWidget>

class EdidBatchTransfer;
class EdidDecodedView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The EDID dialog's checks against the displays: before an EDID goes to an
// input (and on request for any input) it reads the display EDIDs of the
// outputs that input feeds and names what they lack; it builds the common
// EDID of a chosen group of displays, shows it decoded and writes it to
// chosen inputs after a confirmation. It works on the dialog's EDID (the
// device state's write buffer) and sends through the normal queue.
class EdidDoctorPanel : public QWidget
{
    Q_OBJECT

public:
    EdidDoctorPanel(EdidDecodedView *view, QComboBox *writePort, QWidget *parent = nullptr);

    // Before a write to input: reads that input's displays, then emits
    // SGL_WriteApproved(input) when they lack nothing or the operator
    // confirmed; false when a check is already running.
    bool checkBeforeWrite(quint32 input);
    // The dialog's EDID, for the "Check input" button and tests.
    void checkOnRequest();
    // True while display EDIDs are read or the common EDID is written: the
    // dialog's own view ignores those reads.
    bool isBusy() const;

    QPushButton *checkButton() const { return m_check; }
    QPushButton *buildButton() const { return m_build; }
    QPushButton *writeButton() const { return m_write; }
    QComboBox *groupBox() const { return m_group; }
    QCheckBox *outputBox(int output) const { return m_outputs.value(output); }
    QCheckBox *inputBox(int input) const { return m_inputs.value(input); }
    QLabel *statusLabel() const { return m_status; }

Q_SIGNALS:
    void SGL_UpdateEmit();
    void SGL_WriteApproved(quint32 input);
    // The common EDID now sits in the write buffer: the hex view follows.
    void SGL_ImageReplaced();

private:
    enum class Job { None, CheckWrite, CheckRequest, Common, WriteCommon };

    void buildWidgets();
    void retranslate();
    void fillGroups();
    void groupChosen(int index);
    void startCheck(Job job, quint32 input);
    void buildCommon();
    void writeCommon();
    void batchFinished();
    void finishCheck();
    void finishCommon();
    QList<quint32> checked(const QVector<QCheckBox *> &boxes) const;
    void setBusy(bool busy);

    EdidDecodedView *m_view;
    QComboBox *m_writePort;
    EdidBatchTransfer *m_batch;
    Job m_job = Job::None;
    quint32 m_input = 0;
    QList<quint32> m_commonOutputs;

    QPushButton *m_check;
    QLabel *m_status;
    QLabel *m_outputsLabel;
    QVector<QCheckBox *> m_outputs;
    QComboBox *m_group;
    QPushButton *m_build;
    QLabel *m_inputsLabel;
    QVector<QCheckBox *> m_inputs;
    QPushButton *m_write;
};
