#pragma once

#include "pages/routing/MatrixKeys.h"
#include "pages/routing/MatrixPaging.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class AudioSwitchGroup;
class ExpandInputGroup;
class MatrixGrid;
class MyComboBox;
class OutputLocks;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class RenamePanel;
class RoutingDesk;
class TakeBar;
class Ui_Edid;
class Ui_History;
class Ui_SaveLoad;
class Ui_Salvos;

// The routing page: a crosspoint grid of inputs (columns) against outputs
// (rows), the expand-input column, the analogue audio switch, "Allset:",
// renaming of channels, and the Save/Load and EDID dialogs. A click only
// sends a command; every mark follows the device's reply through the
// redraws, which derive the whole display from the device model.
// Take mode, undo, salvos, locks and typed routing go through the routing
// desk; with take mode off a click still sends at once.
class Ui_Matrix : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_Matrix(QWidget *parent = nullptr);

    // Fixed texts and arrows, the "Allset:" list; then either the rename
    // panel is hidden or the grid and expand-input row are redrawn; unless
    // skipRebuild, the rows are rebuilt. The language switch calls it with
    // the defaults.
    void RetranslateUi(bool hideRename = false, bool skipRebuild = true);
    // Reads the device's routing and audio switch (after identification).
    void InitialRead();

    // Builders: the counts given are stored in the device model.
    void BuildGrid(quint32 inputCount, quint32 outputCount);
    void BuildExpandInputRow(quint32 count);
    void BuildAudioSwitchRow();
    // All three for the model's counts (a new device was identified).
    void Rebuild();

    void RedrawGrid(bool inputs, bool outputs);
    void RedrawExpandInputRow();
    void RedrawAudioSwitchRow();
    // The device reported routing or the audio switch.
    void RefreshFromDevice();
    // The window's output locks (owned by the main window).
    void SetOutputLocks(OutputLocks *locks);

    // For tests.
    MatrixGrid *grid() const { return m_grid; }
    ExpandInputGroup *expandGroup() const { return m_expand; }
    AudioSwitchGroup *audioGroup() const { return m_audio; }
    MyComboBox *allSetBox() const { return m_allSet; }
    QPushButton *saveLoadButton() const { return m_saveLoadButton; }
    QPushButton *edidButton() const { return m_edidButton; }
    RenamePanel *renamePanel() const { return m_rename; }
    const MatrixPaging &paging() const { return m_paging; }
    Ui_Edid *edidDialog() const;
    Ui_SaveLoad *saveLoadDialog() const;
    Ui_History *historyDialog() const;
    Ui_Salvos *salvosDialog() const;
    RoutingDesk *desk() const { return m_desk; }
    TakeBar *takeBar() const { return m_bar; }
    // The output row menu (Lock / Unlock) last opened.
    QMenu *lockMenu() const { return m_lockMenu; }

public Q_SLOTS:
    void SLT_BTN_SwitchMatrix(bool checked);
    void SLT_Switch_ExpandInput();
    void SLT_Switch_LRInput();
    void SLT_EI_Previous();
    void SLT_EI_Next();
    void SLT_BTN_Move_Up(bool checked);
    void SLT_BTN_Move_Down(bool checked);
    void SLT_BTN_Move_Left(bool checked);
    void SLT_BTN_Move_Right(bool checked);
    void SLT_AutoAddSource();
    void SLT_SetAllOutput(int index);
    void SLT_BTN_SaveLoadWin(bool checked);
    void SLT_BTN_EDIDWin(bool checked);
    void SLT_I_Rename();
    void SLT_O_Rename();
    void SLT_EI_Rename();
    void SLT_TakeMode(bool on);
    void SLT_BTN_HistoryWin(bool checked);
    void SLT_BTN_SalvosWin(bool checked);
    // Opens the Lock / Unlock menu of an output (from 0) at a screen point.
    void SLT_ShowLockMenu(quint32 output, const QPoint &globalPos);

Q_SIGNALS:
    void SGL_UpdateEmit();
    // A skipped or failed switch, for the status log.
    void SGL_StatusLine(QString line);
    void SGL_Refresh_DispalyWindowList();
    // Relayed from the reply dispatcher to the open EDID dialog.
    void SGL_Update_InEdidMode(uint input, int mode);
    void SGL_Update_EdidMessage(QString text);
    void SGL_Update_OutEdid(unsigned int port, QString hexText, unsigned int count);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class RenameKind { None, Input, Output, ExpandInput };

    void buildWidgets();
    void connectWidgets();
    void layoutPage();
    void fillAllSetList();
    void startRename(RenameKind kind, quint32 target, QLabel *label);
    // Ends a rename: the panel hides and Enter is no longer connected.
    void finishRename();
    // The new name when Enter finished a rename of this kind with a text
    // and a target on the page; empty otherwise.
    QString acceptedName(RenameKind kind, quint32 perPage) const;
    void watchLabels();
    void connectDesk();
    // Typed routing, Take / Clear and the cursor; false for other keys.
    bool routingKey(QKeyEvent *event);
    void moveCursor(int columns, int rows);
    void redrawDesk();

    QScrollArea *m_scroll;
    QWidget *m_canvas;
    MatrixGrid *m_grid;
    ExpandInputGroup *m_expand;
    AudioSwitchGroup *m_audio;
    QLabel *m_allSetLabel;
    MyComboBox *m_allSet;
    QPushButton *m_saveLoadButton;
    QPushButton *m_edidButton;
    RenamePanel *m_rename;
    TakeBar *m_bar;
    RoutingDesk *m_desk;
    QMenu *m_lockMenu = nullptr;
    MatrixKeys m_keys;

    MatrixPaging m_paging;
    RenameKind m_renameKind = RenameKind::None;
    quint32 m_renameTarget = 0;
    QPointer<Ui_Edid> m_edidDialog;
    QPointer<Ui_SaveLoad> m_saveLoadDialog;
    QPointer<Ui_History> m_historyDialog;
    QPointer<Ui_Salvos> m_salvosDialog;
    OutputLocks *m_locks = nullptr;
};
