#pragma once

#include <QWidget>

// The routing page: inputs switched to outputs. Its crosspoint grid is
// built on the device's counts; until then the page reads the device.
class Ui_Matrix : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_Matrix(QWidget *parent = nullptr);

    // Copies the current language texts into the page.
    void RetranslateUi();
    // Reads the device's routing and audio switch (after identification).
    void InitialRead();

Q_SIGNALS:
    void SGL_UpdateEmit();
    void SGL_Refresh_DispalyWindowList();
};
