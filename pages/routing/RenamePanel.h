#pragma once

#include <QGroupBox>
#include <QPointer>

class QLabel;
class QLineEdit;

// The matrix page's rename group: the name being replaced and a line edit
// for the new one. Hidden until a rename starts; Enter finishes it.
class RenamePanel : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int Width = 324;
    static constexpr int Height = 60;
    static constexpr int TitleOffset = 22; // from the group's top to its fields

    explicit RenamePanel(QWidget *parent = nullptr);

    // Shows the panel for the clicked label; Enter is connected by the
    // caller after this.
    void begin(QLabel *clicked);
    // Enter no longer reaches any slot; the panel hides.
    void end();

    QLabel *clickedLabel() const;
    QLabel *oldNameLabel() const { return m_oldName; }
    QLineEdit *edit() const { return m_edit; }

private:
    QLabel *m_oldName;
    QLineEdit *m_edit;
    QPointer<QLabel> m_clicked;
};
