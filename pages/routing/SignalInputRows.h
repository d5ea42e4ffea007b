#pragma once

#include "protocol/DeviceState.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// One input row of the signal configuration page.
struct InputRow
{
    QLabel *number;
    QComboBox *type;
    QLineEdit *inputFormat;
    QLineEdit *outputFormat;
    QComboBox *audio;
    QCheckBox *bind;
    QPushButton *read;
};

// The input half of the signal configuration page: sixteen row slots with
// their column headers, Read All and the paging buttons. It only shows what
// it is given; the page decides which record goes into which row and wires
// the controls.
class SignalInputRows : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int ColumnCount = 7;

    explicit SignalInputRows(QWidget *parent = nullptr);

    void retranslate();
    const InputRow &row(int r) const;
    QPushButton *readAllButton() const { return m_readAll; }
    QPushButton *upButton() const { return m_up; }
    QPushButton *downButton() const { return m_down; }

    // Empties a slot's controls and hides it.
    void hideRow(int r);
    // Shows a slot with its 1-based number and empty controls.
    void showEmptyRow(int r, quint32 number);
    // Shows what the record says (the bind box from the record's own flag).
    void fillRow(int r, const InputInfo &input);
    void setBindBox(int r, bool on);

private:
    void buildWidgets();
    void buildLayout();
    void clearRow(int r);

    InputRow m_rows[DeviceLimits::Channels];
    QLabel *m_headers[ColumnCount];
    QPushButton *m_readAll;
    QPushButton *m_up;
    QPushButton *m_down;
    QGridLayout *m_grid;
};
