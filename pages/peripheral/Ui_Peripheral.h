#pragma once

#include <QWidget>

// The peripheral page: IO inputs and outputs, relays and user command lines.
class Ui_Peripheral : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_Peripheral(QWidget *parent = nullptr);

    void RetranslateUi();

Q_SIGNALS:
    void SGL_UpdateEmit();
};
