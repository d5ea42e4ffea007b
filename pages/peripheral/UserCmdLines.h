#pragma once

#include "app/UserCmdFile.h"
#include "pages/peripheral/UserCmdRow.h"

#include <QGroupBox>
#include <QVector>

#include <array>

class MyComboBox;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The "User Cmd Line" group of the peripheral page: up to nine command lines
// that the device passes on to equipment behind its peripheral port, an
// input or an output. A line is sent alone with its note button, or all
// lines in their order with a pause after each, once or in a loop, paced by
// the group's single-shot timer. The set is saved to and loaded from a
// command file.
class UserCmdLines : public QGroupBox
{
    Q_OBJECT

public:
    explicit UserCmdLines(QWidget *parent = nullptr);

    void retranslate();
    // The device's counts changed: the port lists follow.
    void RebuildForCounts();

    int lineCount() const { return m_lineCount; }
    const UserCmdRow &row(int index) const;
    QVector<UserCmdLine> lines() const;
    bool groupSendRunning() const;

    MyComboBox *lineCountBox() const { return m_countBox; }
    QCheckBox *loopBox() const { return m_loopBox; }
    QPushButton *groupSendButton() const { return m_groupSend; }
    QPushButton *importButton() const { return m_import; }
    QPushButton *exportButton() const { return m_export; }
    QLineEdit *noteEditor() const { return m_noteEditor; }
    QLabel *noteLabel() const { return m_noteLabel; }

Q_SIGNALS:
    void SGL_UpdateEmit();

public Q_SLOTS:
    void SLT_AutoAddCmdNum();
    void SLT_SetCmdLineNum(int index);
    void SLT_Peripheral(int target);
    void SLT_SingleSend();
    void SLT_Edit();
    void SLT_EditNote();
    void SLT_GroupSend();
    void SLT_LoopSend(bool on);
    void SLT_SendTimer_Timeout();
    void SLT_ConfigImport();
    void SLT_ConfigExport();

private:
    void buildWidgets();
    void buildLayout();
    void connectWidgets();
    void setLineCount(int count);
    void connectRow(const UserCmdRow &row);
    void sendLine(int index);
    void endGroupSend();
    void raiseNote(int lineNumber);
    QString commandFolder() const;

    // Group send: the 1-based line numbers in sending order, how many of
    // them to send, the next one, and the line last sent.
    struct GroupSend
    {
        QVector<int> list;
        int length = 0;
        int position = 0;
        bool loop = false;
        int lastSent = 0;
        QTimer *timer = nullptr;
    };

    QLabel *m_countLabel = nullptr;
    MyComboBox *m_countBox = nullptr;
    QCheckBox *m_loopBox = nullptr;
    QPushButton *m_groupSend = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_export = nullptr;
    QLabel *m_noteLabel = nullptr;
    QLineEdit *m_noteEditor = nullptr;
    std::array<QLabel *, 8> m_headers = {};
    QGridLayout *m_grid = nullptr;
    std::array<UserCmdRow, UserCmdFile::MaxLines> m_rows;
    int m_lineCount = 0;
    int m_editLine = -1;
    QString m_sendCaption;
    GroupSend m_run;
};
