#pragma once

#include "pages/PageDialog.h"

class QPushButton;
class QUndoView;
class RoutingDesk;

// The routing history: the steps made from the window, in words, with Undo
// and Redo. The list only shows; a step is undone or redone by the buttons
// (or Ctrl+Z and Ctrl+Shift+Z on the matrix page), which send the switches
// and move the list when the device has confirmed them.
class Ui_History : public PageDialog
{
    Q_OBJECT

public:
    explicit Ui_History(QWidget *parent = nullptr);
    void setDesk(RoutingDesk *desk);

    QUndoView *view() const { return m_view; }
    QPushButton *undoButton() const { return m_undo; }
    QPushButton *redoButton() const { return m_redo; }

private:
    void updateButtons();

    QWidget *m_content;
    QUndoView *m_view;
    QPushButton *m_undo;
    QPushButton *m_redo;
    RoutingDesk *m_desk = nullptr;
};
