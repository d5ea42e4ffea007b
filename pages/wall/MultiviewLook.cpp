#include "pages/wall/MultiviewLook.h"

#include "app/ConfigStore.h"
#include "app/ConfigTable.h"

namespace MultiviewLook {

namespace {

constexpr int WindowColours = 4;
constexpr const char *WindowDefaults[WindowColours] = {"100,149,237,255", "153,50,204,255", "72,209,204,255",
                                                       "218,165,32,255"};
constexpr const char *White = "255,255,255,255";

QColor Colour(const QString &setting, const char *builtIn)
{
    const RgbaValue v = ColourValue(setting, builtIn);
    return QColor(v.red, v.green, v.blue, v.alpha);
}

QFont PointFont(int size)
{
    QFont font;
    font.setPointSize(size);
    return font;
}

} // namespace

QColor SceneBackground()
{
    return Colour(SMV_Scene_Default_BG, "0,0,0,255");
}

QColor WindowColour(int k)
{
    const int i = qBound(0, k, WindowColours - 1);
    return Colour(SMV_Item_Window_BG[i], WindowDefaults[i]);
}

QColor WindowNumberColour()
{
    return Colour(SMV_Item_WindowName_FG, White);
}

QColor HandleColour()
{
    return Colour(SMV_Item_WindowStretchBorder_BG, White);
}

QColor AuxLineColour()
{
    return Colour(SMV_Item_AuxLine_BG, White);
}

QColor AuxCoordinateColour()
{
    return Colour(SMV_Item_AuxCoordinate_FG, "255,0,0,255");
}

QColor MouseRectColour()
{
    return Colour(SMV_Item_MouseRect_BG, "255,255,0,255");
}

QFont WindowNumberFont()
{
    return PointFont(WindowNameTextSize());
}

QFont AuxCoordinateFont()
{
    return PointFont(AuxCoordinateTextSize());
}

} // namespace MultiviewLook
