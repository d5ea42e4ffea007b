#pragma once

#include "pages/routing/ChannelButtonRow.h"

#include <QGroupBox>

class MatrixPaging;
class QLabel;
class QPushButton;

// The analogue audio switch under the routing group: "LR/TOSLINK" and one
// button per input of the page, the one that carries the audio marked. It
// also holds the paging buttons of the grid: "←" / "→" through the input
// pages and "↑" / "↓" through the output pages.
class AudioSwitchGroup : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr char ButtonPrefix[] = "LRButton-";

    explicit AudioSwitchGroup(QWidget *parent = nullptr);

    void build(quint32 inputsPerPage);
    void redraw(const MatrixPaging &paging);
    void retranslate();
    // The paging buttons exist only for devices with more than 16 inputs
    // (left, right) or outputs (up, down).
    void showPaging(bool inputs, bool outputs);

    QLabel *label() const { return m_label; }
    const ChannelButtonRow &buttons() const { return m_buttons; }
    QPushButton *leftButton() const { return m_left; }
    QPushButton *rightButton() const { return m_right; }
    QPushButton *upButton() const { return m_up; }
    QPushButton *downButton() const { return m_down; }

private:
    void resizeToContent();

    QLabel *m_label;
    QPushButton *m_left;
    QPushButton *m_right;
    QPushButton *m_up;
    QPushButton *m_down;
    ChannelButtonRow m_buttons{ButtonPrefix};
    quint32 m_inputsPerPage = 0;
};
