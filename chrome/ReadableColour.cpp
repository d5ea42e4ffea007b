#include "chrome/ReadableColour.h"

#include <QtMath>

#include <algorithm>

namespace {
constexpr double Flare = 0.05;
constexpr double LinearLimit = 0.03928;
constexpr double LinearDivisor = 12.92;
constexpr double GammaOffset = 0.055;
constexpr double GammaDivisor = 1.055;
constexpr double Gamma = 2.4;
constexpr double RedWeight = 0.2126;
constexpr double GreenWeight = 0.7152;
constexpr double BlueWeight = 0.0722;

double Linear(double channel)
{
    return channel <= LinearLimit ? channel / LinearDivisor : qPow((channel + GammaOffset) / GammaDivisor, Gamma);
}

double Luminance(const QColor &colour)
{
    return RedWeight * Linear(colour.redF()) + GreenWeight * Linear(colour.greenF())
        + BlueWeight * Linear(colour.blueF());
}
} // namespace

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + Flare) / (std::min(la, lb) + Flare);
}

QColor ReadableTextOn(const QColor &background, const QColor &preferred)
{
    if (ContrastRatio(background, preferred) >= ReadableContrast)
        return preferred;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ContrastRatio(background, black) >= ContrastRatio(background, white) ? black : white;
}
