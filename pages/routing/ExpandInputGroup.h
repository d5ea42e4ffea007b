#pragma once

#include "pages/routing/ChannelButtonRow.h"

#include <QGroupBox>

class MatrixPaging;
class QLabel;
class QPushButton;

// The expand-input column beside the routing group: the expand input's name
// and channel over one button per output of the page, with "←" / "→" to
// step through the expand inputs.
class ExpandInputGroup : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr char ButtonPrefix[] = "EIButton-";

    explicit ExpandInputGroup(QWidget *parent = nullptr);

    void build(quint32 outputsPerPage);
    // Marks the outputs that carry the expand input's channel; nothing to
    // draw while the device has no expand input.
    void redraw(const MatrixPaging &paging, quint32 expandCount);
    void retranslate();

    QLabel *nameLabel() const { return m_name; }
    QLabel *numberLabel() const { return m_number; }
    const ChannelButtonRow &buttons() const { return m_buttons; }
    QPushButton *previousButton() const { return m_previous; }
    QPushButton *nextButton() const { return m_next; }

private:
    QLabel *m_name;
    QLabel *m_number;
    QPushButton *m_previous;
    QPushButton *m_next;
    ChannelButtonRow m_buttons{ButtonPrefix};
};
