#include "pages/wall/MultiviewChecks.h"

#include "app/LanguageTable.h"

namespace {

constexpr quint64 WholePicture = 100; // crops are percent of the source

const QString SumFormat = QStringLiteral("%1:\r\n\r\n%2+%3 <= %4");
const QString MinimumFormat = QStringLiteral("%1:\r\n\r\n%2 >= %3");
const QString CropFormat = QStringLiteral("%1:\r\n\r\n%2+%3 <= 100");

} // namespace

WindowCheck CheckWindowNumbers(const WindowNumbers &n, quint32 width, quint32 height, quint32 unit)
{
    if (quint64(n.x) + n.w > width)
        return WindowCheck::XPlusWidth;
    if (n.w < unit)
        return WindowCheck::MinWidth;
    if (quint64(n.y) + n.h > height)
        return WindowCheck::YPlusHeight;
    if (n.h < unit)
        return WindowCheck::MinHeight;
    if (quint64(n.cropX) + n.cropW > WholePicture)
        return WindowCheck::CropHorizontal;
    if (quint64(n.cropY) + n.cropH > WholePicture)
        return WindowCheck::CropVertical;
    return WindowCheck::Passed;
}

QString WindowCheckMessage(WindowCheck check, quint32 width, quint32 height, quint32 unit)
{
    switch (check) {
    case WindowCheck::XPlusWidth:
        return SumFormat.arg(SConditionsLimit, Slabel_WinX, Slabel_WinW, QString::number(width));
    case WindowCheck::MinWidth:
        return MinimumFormat.arg(SConditionsLimit, Slabel_WinW, QString::number(unit));
    case WindowCheck::YPlusHeight:
        return SumFormat.arg(SConditionsLimit, Slabel_WinY, Slabel_WinH, QString::number(height));
    case WindowCheck::MinHeight:
        return MinimumFormat.arg(SConditionsLimit, Slabel_WinH, QString::number(unit));
    case WindowCheck::CropHorizontal:
        return CropFormat.arg(SConditionsLimit, Slabel_SrcCropXRatio, Slabel_SrcCropWRatio);
    case WindowCheck::CropVertical:
        return CropFormat.arg(SConditionsLimit, Slabel_SrcCropYRatio, Slabel_SrcCropHRatio);
    case WindowCheck::Passed:
        break;
    }
    return QString();
}
