#include "protocol/SignalText.h"

QString SignalTypeName(quint32 code)
{
    return code < quint32(SignalTypes::Count) ? QLatin1String(SignalTypes::Names[code]) : QString::number(code);
}

QString TimingText(quint32 width, quint32 height, bool interlaced, quint32 rate)
{
    if (width == 0 || height == 0 || rate == 0)
        return {};
    return QStringLiteral("%1%2%3%4%5")
        .arg(width)
        .arg(QLatin1Char('x'))
        .arg(height)
        .arg(QLatin1Char(interlaced ? 'i' : 'p'))
        .arg(rate);
}
