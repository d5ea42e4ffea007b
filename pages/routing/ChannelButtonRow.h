#pragma once

#include <QRect>
#include <QVector>

#include <functional>

class QPushButton;
class QWidget;

// A row of channel buttons named prefix + local index ("LRButton-3"),
// rebuilt whenever the grid is: the old buttons go, new ones are made.
class ChannelButtonRow
{
public:
    explicit ChannelButtonRow(const char *prefix);

    // geometryOf(i) places button i.
    void build(QWidget *parent, quint32 count, const std::function<QRect(quint32)> &geometryOf);

    const char *prefix() const { return m_prefix; }
    const QVector<QPushButton *> &buttons() const { return m_buttons; }
    int size() const { return m_buttons.size(); }
    QPushButton *at(int i) const { return m_buttons.at(i); }

private:
    const char *m_prefix;
    QVector<QPushButton *> m_buttons;
};
