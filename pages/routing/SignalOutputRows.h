#pragma once

#include "protocol/DeviceState.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// One output row of the signal configuration page.
struct OutputRow
{
    QLabel *number;
    QComboBox *type;
    QLineEdit *inputFormat;
    QComboBox *format;
    QCheckBox *mute;
    QCheckBox *freeze;
    QCheckBox *black;
    QPushButton *read;
};

// The output half of the signal configuration page: sixteen row slots with
// their column headers, Read All, the paging buttons and "More". It only
// shows what it is given; the page decides which record goes into which
// row and wires the controls.
class SignalOutputRows : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int ColumnCount = 8;

    explicit SignalOutputRows(QWidget *parent = nullptr);

    void retranslate();
    const OutputRow &row(int r) const;
    QPushButton *readAllButton() const { return m_readAll; }
    QPushButton *upButton() const { return m_up; }
    QPushButton *downButton() const { return m_down; }
    QPushButton *moreButton() const { return m_more; }

    // Empties a slot's controls and hides it.
    void hideRow(int r);
    // Shows a slot with its 1-based number and empty controls.
    void showEmptyRow(int r, quint32 number);
    // Shows what the record says; the format box is locked while the
    // output's group shows a multiview.
    void fillRow(int r, const OutputInfo &output);

private:
    void buildWidgets();
    void buildLayout();
    void clearRow(int r);

    OutputRow m_rows[DeviceLimits::Channels];
    QLabel *m_headers[ColumnCount];
    QPushButton *m_readAll;
    QPushButton *m_up;
    QPushButton *m_down;
    QPushButton *m_more;
    QGridLayout *m_grid;
};
