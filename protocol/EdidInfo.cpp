#include "protocol/EdidInfo.h"

#include <cstdlib>

namespace {
constexpr int WideNumerator = 16;
constexpr int WideDenominator = 9;
} // namespace

QString EdidFormatName(const EdidVideoFormat &format)
{
    const QString scan = format.interlaced ? QStringLiteral("i") : QStringLiteral("p");
    // Within a pixel: 1366 and 854 are the customary widths of 16:9 at 768
    // and 480.
    const int wide = (int(format.height) * WideNumerator + WideDenominator / 2) / WideDenominator;
    const bool sixteenNine = format.height > 0 && std::abs(int(format.width) - wide) <= 1;
    const QString size =
        sixteenNine ? QString::number(format.height) : QStringLiteral("%1x%2").arg(format.width).arg(format.height);
    return size + scan + QString::number(format.rateHz);
}

bool operator==(const EdidVideoFormat &a, const EdidVideoFormat &b)
{
    return a.width == b.width && a.height == b.height && a.rateHz == b.rateHz && a.interlaced == b.interlaced;
}

bool operator!=(const EdidVideoFormat &a, const EdidVideoFormat &b)
{
    return !(a == b);
}

int EdidErrorCount(const EdidInfo &info)
{
    int errors = 0;
    for (const EdidMessage &message : info.messages)
        errors += message.severity == EdidSeverity::Error ? 1 : 0;
    return errors;
}

bool EdidIsValid(const EdidInfo &info)
{
    return EdidErrorCount(info) == 0;
}
