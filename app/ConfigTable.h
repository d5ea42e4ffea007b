#pragma once

#include "app/TextTable.h"

#include <QString>

constexpr int ConfigTableSize = 43;
extern const TableEntry ConfigTable[ConfigTableSize];

void RestoreConfigDefaults();

extern QString Key_LanguageIsEnglish;
extern QString Key_UI_Login;
extern QString Key_UI_Matrix;
extern QString Key_UI_SignalConfig;
extern QString Key_UI_TV_Wall;
extern QString Key_UI_System;
extern QString Key_UI_Multiview;
extern QString Key_UI_Peripheral;
extern QString Spassword_Admin;
extern QString Spassword_User;
extern QString SP_Name;
extern QString SP_BaudRate;
extern QString SP_DataBit;
extern QString SP_Parity;
extern QString SP_StopBit;
extern QString SP_FlowControl;
extern QString SP_RemoteIp;
extern QString SP_RemotePort;
extern QString SP_RemoteSubmask;
extern QString SP_RemoteGateway;
extern QString SItem_Default_BG;
extern QString SItem_Default_FG;
extern QString SItem_Splicing_BG;
extern QString SItem_Splicing_FG;
extern QString SItem_Splicing_Frame;
extern QString SItem_Splicing_HighLight;
extern QString SItem_Splicing_SingleExit_Frame;
extern QString SItem_Splicing_SingleExit_HighLight;
extern QString SMV_Scene_Default_BG;
extern QString SMV_Item_Window_BG[4];
extern QString SMV_Item_WindowName_FG;
extern QString SMV_Item_WindowStretchBorder_BG;
extern QString SMV_Item_AuxLine_BG;
extern QString SMV_Item_AuxCoordinate_FG;
extern QString SMV_Item_MouseRect_BG;
extern QString SMV_Item_WindowNameSize;
extern QString SMV_Item_AuxCoordinate_TextSize;
// "1" while the matrix page stages clicks for a take.
extern QString Key_TakeMode;
// The window's own output locks, per device ("identity#1,3;identity#2").
extern QString Key_OutputLocks;
// The router port of a kxr-gateway, tried on the host of a TCP device link.
extern QString Key_GatewayRouterPort;
