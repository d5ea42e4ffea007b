#pragma once

#include <QComboBox>

// A combo box that asks its owner to rebuild the items each time the list
// is about to open (serial ports and local addresses change at run time).
class MyComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit MyComboBox(QWidget *parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    // Emitted before the list opens; a receiver connected directly rebuilds
    // the items in time for them to be shown.
    void SGL_Auto_UpdateComboBox();
};
