#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

// The matrix page's row for take mode, undo and salvos: the "Take mode"
// toggle, the line that says what is staged or typed (or the last skip or
// failure), Take and Clear, and the buttons that open the history and the
// salvos.
class TakeBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Height = 30;

    explicit TakeBar(QWidget *parent = nullptr);
    void retranslate();
    // The line; Take and Clear are enabled while something is staged.
    void setState(const QString &line, const QString &message, bool staged);

    QCheckBox *takeModeBox() const { return m_takeMode; }
    QLabel *line() const { return m_line; }
    QLabel *message() const { return m_message; }
    QPushButton *takeButton() const { return m_take; }
    QPushButton *clearButton() const { return m_clear; }
    QPushButton *historyButton() const { return m_history; }
    QPushButton *salvosButton() const { return m_salvos; }

private:
    QCheckBox *m_takeMode;
    QLabel *m_line;
    QPushButton *m_take;
    QPushButton *m_clear;
    QPushButton *m_history;
    QPushButton *m_salvos;
    QLabel *m_message;
};
