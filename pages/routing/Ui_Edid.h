#pragma once

#include "pages/PageDialog.h"

class EdidDecodedView;
class EdidDoctorPanel;
class QComboBox;
class QLabel;
class QPushButton;
class QTextEdit;

// Reads the EDID a display reports on an output, shows it in hexadecimal
// and saves it; loads an EDID file, checks it and writes it into an input;
// reads and sets an input's EDID mode. The dialog starts a transfer; the
// reply dispatcher carries it on block by block and reports back through
// the matrix page's relay signals.
class Ui_Edid : public PageDialog
{
    Q_OBJECT

public:
    explicit Ui_Edid(QWidget *parent = nullptr);

    QComboBox *readPortBox() const { return m_readPort; }
    QComboBox *writePortBox() const { return m_writePort; }
    QComboBox *modeBox() const { return m_modeBox; }
    QPushButton *readButton() const { return m_readButton; }
    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *writeButton() const { return m_writeButton; }
    QPushButton *loadButton() const { return m_loadButton; }
    QTextEdit *view() const { return m_view; }
    EdidDecodedView *decodedView() const { return m_decoded; }
    EdidDoctorPanel *doctorPanel() const { return m_doctor; }

public Q_SLOTS:
    void SLT_OUT_EDID_Read(bool checked = false);
    void SLT_OUT_EDID_Save(bool checked = false);
    void SLT_IN_EDID_Load(bool checked = false);
    void SLT_IN_EDID_Write(bool checked = false);
    void SLT_IN_EdidWritePort(int index);
    void SLT_IN_EdidMode(int index);
    void SLT_Update_OutEdid(unsigned int port, QString hexText, unsigned int count);
    void SLT_Update_InEdidMode(uint input, int mode);
    void SLT_Update_EdidMessage(QString text);

private:
    void buildWidgets();
    void buildLayout();
    void connectWidgets();
    void retranslate();
    // A loaded or about-to-be-written image failed its check: say why,
    // forget it, so that Save writes zeros and nothing is sent.
    bool acceptImage();
    void showImage();
    // Sends the first block of a write the display check let through.
    void writeNow(quint32 input);

    QWidget *m_content;
    QLabel *m_readPortLabel;
    QComboBox *m_readPort;
    QPushButton *m_readButton;
    QPushButton *m_saveButton;
    QLabel *m_writePortLabel;
    QComboBox *m_writePort;
    QComboBox *m_modeBox;
    QPushButton *m_writeButton;
    QPushButton *m_loadButton;
    QLabel *m_columnHeader;
    QLabel *m_rowHeader;
    QTextEdit *m_view;
    QLabel *m_decodedHeader;
    EdidDecodedView *m_decoded;
    EdidDoctorPanel *m_doctor;
};
