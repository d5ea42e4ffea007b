#pragma once

#include <QWidget>

// The signal configuration page: input and output signal settings, read
// per channel from the device.
class Ui_SignalConfig : public QWidget
{
    Q_OBJECT

public:
    explicit Ui_SignalConfig(QWidget *parent = nullptr);

    void RetranslateUi();
    // Reads every input, the input binds and every output.
    void InitialRead();

Q_SIGNALS:
    void SGL_UpdateEmit();
    void SGL_UpdateSelect_MV();
    void SGL_JudgeMutex_MVAndSplicing(unsigned int output);
};
