#pragma once

#include <QWidget>

// The system page: the device's network module (search, read, write,
// defaults), firmware versions and the factory reset.
class Ui_System : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_System(QWidget *parent = nullptr);

    void RetranslateUi();

public Q_SLOTS:
    // The connection page searched: this page's list of modules is stale.
    void SLT_ClearFoundDevice();
    // The connection page selected a module: this page's selection goes.
    void SLT_ReadSelectedDevice();
    // A device link came up or went down.
    void SLT_ConnectStatus(bool on);

Q_SIGNALS:
    void SGL_UpdateEmit();
    void SGL_AutoTriggerDisconnect();
    void SGL_ClearFoundDevice();
    void SGL_ReadSelectedDevice();
};
