#pragma once

#include "pages/peripheral/PeripheralLists.h"
#include "protocol/RequestTracker.h"

#include <QGroupBox>

#include <array>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

// One of the peripheral page's IO groups (IO inputs, IO outputs, relays):
// four channels, each a pair of exclusive buttons ("High"/"Low" or
// "On"/"Off"), and the group's Read (and, for outputs and relays, Write)
// button. The inputs' buttons are display only.
class IoGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit IoGroupBox(PeripheralIo::Group group, QWidget *parent = nullptr);

    PeripheralIo::Group group() const { return m_group; }
    // Bit k is set when channel k + 1 shows its first button.
    quint8 stateByte() const;
    // Channel k + 1 shows its first button for a set bit k, else its second.
    void showState(quint8 state);
    // Marks the group as never read (the inputs then say "Unknown"), kept
    // from an earlier connection, or unanswered.
    void showFreshness(RequestTracker::RowState state);
    void retranslate();

    QPushButton *readButton() const { return m_read; }
    QPushButton *writeButton() const { return m_write; } // nullptr for the inputs
    QRadioButton *firstButton(int channel) const;
    QRadioButton *secondButton(int channel) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Channel
    {
        QLabel *number = nullptr;
        QRadioButton *first = nullptr;
        QRadioButton *second = nullptr;
        QButtonGroup *pair = nullptr;
    };

    bool displayOnly() const { return m_group == PeripheralIo::Group::IoInputs; }

    PeripheralIo::Group m_group;
    std::array<Channel, PeripheralIo::Channels> m_channels;
    QPushButton *m_read = nullptr;
    QPushButton *m_write = nullptr;
    RequestTracker::RowState m_freshness = RequestTracker::RowState::Unknown;
};
