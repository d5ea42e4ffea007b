#include "pages/routing/Ui_SignalConfig.h"

#include "app/LanguageTable.h"
#include "protocol/Catalogue.h"
#include "protocol/DeviceState.h"

Ui_SignalConfig::Ui_SignalConfig(QWidget *parent)
    : QWidget(parent)
{
    RetranslateUi();
}

void Ui_SignalConfig::RetranslateUi()
{
    setWindowTitle(Ui_SignalConfig_AppName);
}

void Ui_SignalConfig::InitialRead()
{
    for (quint32 input = 0; input < Device().inputCount; ++input) {
        CMD_InputInfoRead(input);
        Q_EMIT SGL_UpdateEmit();
    }
    CMD_InputBindRead();
    Q_EMIT SGL_UpdateEmit();
    for (quint32 output = 0; output < Device().outputCount; ++output) {
        CMD_OutputInfoRead(output);
        Q_EMIT SGL_UpdateEmit();
    }
}
