#pragma once

#include <QWidget>

// The multiview page: the windows of one multiview output.
class Ui_Multiview : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_Multiview(QWidget *parent = nullptr);

    void RetranslateUi();

public Q_SLOTS:
    // Input names changed: the lists that show them are refilled.
    void SLT_Refresh_DispalyWindowList();
    // The set of multiview outputs changed.
    void SLT_UpdateSelect_MV();

Q_SIGNALS:
    void SGL_UpdateEmit();
};
