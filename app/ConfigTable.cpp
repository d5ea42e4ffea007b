#include "app/ConfigTable.h"

QString Key_LanguageIsEnglish;
QString Key_UI_Login;
QString Key_UI_Matrix;
QString Key_UI_SignalConfig;
QString Key_UI_TV_Wall;
QString Key_UI_System;
QString Key_UI_Multiview;
QString Key_UI_Peripheral;
QString Spassword_Admin;
QString Spassword_User;
QString SP_Name;
QString SP_BaudRate;
QString SP_DataBit;
QString SP_Parity;
QString SP_StopBit;
QString SP_FlowControl;
QString SP_RemoteIp;
QString SP_RemotePort;
QString SP_RemoteSubmask;
QString SP_RemoteGateway;
QString SItem_Default_BG;
QString SItem_Default_FG;
QString SItem_Splicing_BG;
QString SItem_Splicing_FG;
QString SItem_Splicing_Frame;
QString SItem_Splicing_HighLight;
QString SItem_Splicing_SingleExit_Frame;
QString SItem_Splicing_SingleExit_HighLight;
QString SMV_Scene_Default_BG;
QString SMV_Item_Window_BG[4];
QString SMV_Item_WindowName_FG;
QString SMV_Item_WindowStretchBorder_BG;
QString SMV_Item_AuxLine_BG;
QString SMV_Item_AuxCoordinate_FG;
QString SMV_Item_MouseRect_BG;
QString SMV_Item_WindowNameSize;
QString SMV_Item_AuxCoordinate_TextSize;
QString Key_TakeMode;
QString Key_OutputLocks;
QString Key_GatewayRouterPort;

const TableEntry ConfigTable[ConfigTableSize] = {
    {"Key_LanguageIsEnglish", &Key_LanguageIsEnglish, "1"},
    {"Key_UI_Login", &Key_UI_Login, "1"},
    {"Key_UI_Matrix", &Key_UI_Matrix, "1"},
    {"Key_UI_SignalConfig", &Key_UI_SignalConfig, "1"},
    {"Key_UI_TV_Wall", &Key_UI_TV_Wall, "1"},
    {"Key_UI_System", &Key_UI_System, "1"},
    {"Key_UI_Multiview", &Key_UI_Multiview, "1"},
    {"Key_UI_Peripheral", &Key_UI_Peripheral, "0"},
    {"Spassword_Admin", &Spassword_Admin, "537204"},
    {"Spassword_User", &Spassword_User, "537204"},
    {"SP_Name", &SP_Name, "COM1"},
    {"SP_BaudRate", &SP_BaudRate, "9600"},
    {"SP_DataBit", &SP_DataBit, "8"},
    {"SP_Parity", &SP_Parity, "0"},
    {"SP_StopBit", &SP_StopBit, "1"},
    {"SP_FlowControl", &SP_FlowControl, "0"},
    {"SP_RemoteIp", &SP_RemoteIp, "192.168.0.247"},
    {"SP_RemotePort", &SP_RemotePort, "2000"},
    {"SP_RemoteSubmask", &SP_RemoteSubmask, "255.255.255.0"},
    {"SP_RemoteGateway", &SP_RemoteGateway, "192.168.0.1"},
    {"SItem_Default_BG", &SItem_Default_BG, "128,128,128,255"},
    {"SItem_Default_FG", &SItem_Default_FG, "255,0,0,255"},
    {"SItem_Splicing_BG", &SItem_Splicing_BG, "0,255,0,255"},
    {"SItem_Splicing_FG", &SItem_Splicing_FG, "255,255,0,255"},
    {"SItem_Splicing_Frame", &SItem_Splicing_Frame, "0,0,255,255"},
    {"SItem_Splicing_HighLight", &SItem_Splicing_HighLight, "255,0,0,255"},
    {"SItem_Splicing_SingleExit_Frame", &SItem_Splicing_SingleExit_Frame, "0,255,255,255"},
    {"SItem_Splicing_SingleExit_HighLight", &SItem_Splicing_SingleExit_HighLight, "255,0,0,255"},
    {"SMV_Scene_Default_BG", &SMV_Scene_Default_BG, "0,0,0,255"},
    {"SMV_Item_Window_BG[0]", &SMV_Item_Window_BG[0], "100,149,237,255"},
    {"SMV_Item_Window_BG[1]", &SMV_Item_Window_BG[1], "153,50,204,255"},
    {"SMV_Item_Window_BG[2]", &SMV_Item_Window_BG[2], "72,209,204,255"},
    {"SMV_Item_Window_BG[3]", &SMV_Item_Window_BG[3], "218,165,32,255"},
    {"SMV_Item_WindowName_FG", &SMV_Item_WindowName_FG, "255,255,255,255"},
    {"SMV_Item_WindowStretchBorder_BG", &SMV_Item_WindowStretchBorder_BG, "255,255,255,255"},
    {"SMV_Item_AuxLine_BG", &SMV_Item_AuxLine_BG, "255,255,255,255"},
    {"SMV_Item_AuxCoordinate_FG", &SMV_Item_AuxCoordinate_FG, "255,0,0,255"},
    {"SMV_Item_MouseRect_BG", &SMV_Item_MouseRect_BG, "255,255,0,255"},
    {"SMV_Item_WindowNameSize", &SMV_Item_WindowNameSize, "60"},
    {"SMV_Item_AuxCoordinate_TextSize", &SMV_Item_AuxCoordinate_TextSize, "36"},
    {"Key_TakeMode", &Key_TakeMode, "0"},
    {"Key_OutputLocks", &Key_OutputLocks, ""},
    {"Key_GatewayRouterPort", &Key_GatewayRouterPort, "9990"},
};

void RestoreTableDefaults(const TableEntry *table, int count)
{
    for (int i = 0; i < count; ++i)
        *table[i].value = QString::fromUtf8(table[i].defaultValue);
}

void RestoreConfigDefaults()
{
    RestoreTableDefaults(ConfigTable, ConfigTableSize);
}

namespace {
// The values hold their built-in defaults before any file is read. The
// variables above are defined in this file, so they exist by now.
const struct ConfigDefaultsLoader
{
    ConfigDefaultsLoader() { RestoreConfigDefaults(); }
} configDefaultsLoader;
} // namespace
