#pragma once

#include <QWidget>

// The TV wall page: rows, columns, bezels and the splicing grid of the
// device's video wall.
class Ui_TVWall : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_TVWall(QWidget *parent = nullptr);

    // refill: also refill the lists that show input names.
    void RetranslateUi(bool refill);
    // Reads the wall from the device.
    void ReadWall();

public Q_SLOTS:
    // An output went into or out of multiview mode; the wall may not splice
    // a multiview output.
    void SLT_JudgeMutex_MVAndSplicing(unsigned int output);

Q_SIGNALS:
    void SGL_UpdateEmit();
};
