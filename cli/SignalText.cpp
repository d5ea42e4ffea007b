#include "cli/SignalText.h"

#include "app/LanguageTable.h"
#include "protocol/DeviceState.h"

namespace {
constexpr quint32 AudioSelectCount = 2;
} // namespace

QString InputSignalText(const InputInfo &input)
{
    return TimingText(input.pair7, input.pair9, input.zero11, input.pos12);
}

QString InputOutgoingText(const InputInfo &input)
{
    return TimingText(input.pair13, input.pair15, input.zero17, input.pos18);
}

QString OutputSignalText(const OutputInfo &output)
{
    return TimingText(output.pair6, output.pair8, output.zero10, output.pos11);
}

QString AudioSelectName(quint32 select)
{
    if (select < AudioSelectCount)
        return ScomboBox_I_AudioSelect[select];
    return QStringLiteral("select %1").arg(select);
}

QString OnOff(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}
