#pragma once

#include "app/TextTable.h"

#include <QString>

// Every translatable text of the program, in the order of the language
// files. The values start with the built-in English texts; a language file
// replaces the entries whose lines it holds.

constexpr int LanguageTableSize = 411;
extern const TableEntry LanguageTable[LanguageTableSize];

void RestoreLanguageDefaults();

// General words and lists
extern QString S_HighLow[2];
extern QString S_OnOff[2];
extern QString S_ConnectDisconnect[2];
extern QString S_ReadWrite[2];
extern QString S_ResetDevice;
extern QString S_SaveLoad[2];
extern QString S_SwitchOnOff;
extern QString S_Mute;
extern QString S_Select;
extern QString S_Input;
extern QString S_OutPut;
extern QString S_Port;
extern QString S_InputType;
extern QString S_InputFormat;
extern QString S_OutputType;
extern QString S_OutputFormat;
extern QString S_AudioSelect;
extern QString S_Bind;
extern QString S_Rotate;
extern QString S_AudioMute;
extern QString S_Freeze;
extern QString S_Black;
extern QString S_Pixel;
extern QString S_Sync;
extern QString S_Message;
extern QString S_Clear;
extern QString S_NoSignal;
extern QString S_Bypass;
extern QString S_TestPattern;
extern QString S_Rename;
extern QString S_Background;
extern QString S_Multiview;
extern QString S_AutoCheck;
extern QString SSearchList_Number;
extern QString SSearchList_DeviceName;
extern QString SSearchList_IP;
extern QString SSearchList_MAC;
extern QString SSearchList_Version;
extern QString SConditionsLimit;
extern QString S_Window;
extern QString S_Layer;
extern QString S_AudioSource;
extern QString S_Peripheral;
extern QString S_HEX;
extern QString S_CmdLine;
extern QString S_Send;
extern QString S_Order;
extern QString S_Delay;
extern QString S_All;
extern QString S_Edit;
extern QString S_Baudrate;
extern QString S_Note;
extern QString S_LineNumber;
extern QString S_FormatError;
extern QString S_Import;
extern QString S_Export;
extern QString S_Config;
extern QString S_StopSync;
extern QString S_InputName[16];
extern QString S_OutputName[16];
extern QString S_ExpandInputName[1];

// Login window
extern QString Ui_Login_AppName;
extern QString Slabel_Language;
extern QString Slabel_UserName;
extern QString Slabel_Password;
extern QString SpushButton_Login;
extern QString SpushButton_Modify;
extern QString ScomboBox_Admin;
extern QString ScomboBox_User;
extern QString SMSG_InputPasswordError;
extern QString SMSG_AdminModidy;
extern QString SMSG_UserOriginalPassword;
extern QString SMSG_UserModifyPassword;
extern QString SMSG_UserModifyPasswordOK;
extern QString SMSG_UserModifyPasswordFail;

// Main window
extern QString Ui_Main_AppName;
extern QString ScomboBox_LanguageSelect[2];
extern QString SMSG_ReadDeviceFail;
extern QString SMSG_CommunicationFail;

// Connection page
extern QString Ui_Uart_Network_AppName;
extern QString Slabel_Uart;
extern QString Slabel_Baudrate;
extern QString Slabel_DataBit;
extern QString Slabel_Parity;
extern QString Slabel_StopBit;
extern QString Slabel_FlowControl;
extern QString SgroupBox_Uart;
extern QString Slabel_Network;
extern QString Slabel_Ip;
extern QString Slabel_Port;
extern QString Slabel_SubMask;
extern QString Slabel_Gateway;
extern QString SgroupBox_Network;
extern QString SgroupBox_Status;
extern QString Slabel_MyIpv4;
extern QString Slabel_MyPort;
extern QString SgroupBox_MyNetwork;
extern QString SMSG_SerialPort_Connect_Fail;
extern QString SMSG_Network_Param_Fail;
extern QString SMSG_Network_Connect_Fail;
extern QString SMSG_Network_ReConnect_Fail;
extern QString SgroupBox_SearchList;
extern QString SpushButton_SearchDevice;
extern QString SpushButton_UartReadDevice;
extern QString SMSG_MachineNotMatch;
extern QString SMSG_DataOverflow_Fail;
extern QString SMSG_DataFormatError_Fail;

// Matrix page
extern QString Ui_Matrix_AppName;
extern QString SgroupBox_Matrix;
extern QString SgroupBox_ExpandIn;
extern QString SgroupBox_LRSwitch;
extern QString Slabel_AllOutputSet;
extern QString SpushButton_SaveLoadWin;
extern QString SpushButton_EDIDWin;
extern QString STIPS_EnterKeyFinishInputAndClose;

// Signal configuration page
extern QString Ui_SignalConfig_AppName;
extern QString SgroupBox_Input;
extern QString SgroupBox_Output;
extern QString SpushButton_ReadAllInput;
extern QString SpushButton_ReadAllOutput;
extern QString SpushButton_More;
extern QString ScomboBox_I_AudioSelect[2];
extern QString Slist_O_InputFormat_MultiMode;

// TV wall page
extern QString Ui_TV_Wall_AppName;
extern QString SgroupBox_TvWallConfig;
extern QString Slabel_Row;
extern QString Slabel_Column;
extern QString Slabel_Available;
extern QString SgroupBox_BezelConfig;
extern QString Slabel_EdgeLeft;
extern QString Slabel_EdgeRight;
extern QString Slabel_EdgeUp;
extern QString Slabel_EdgeBottom;
extern QString Slabel_TvWallDisplay;
extern QString SMenu_ScreenSplicing;
extern QString SMenu_CancelSplicing;
extern QString SMenu_InputSelect;
extern QString SMenu_OutputSelect;
extern QString SMenu_SyncLock;
extern QString SMenu_MVInputEn;
extern QString SMenu_MultiPanel;
extern QString SMenu_ScreenAngle;

// System page
extern QString Ui_System_AppName;
extern QString SgroupBox_NetworkModule;
extern QString SpushButton_WebOpen;
extern QString SpushButton_LoadDefault;
extern QString SgroupBox_BasicConfig;
extern QString Slabel_NM_UPNPPort;
extern QString Slabel_NM_HTTPPort;
extern QString Slabel_NM_DeviceID;
extern QString Slabel_NM_DeviceIDType;
extern QString Slabel_NM_UserName;
extern QString Slabel_NM_Password;
extern QString Slabel_NM_DeviceName;
extern QString Slabel_NM_MAC;
extern QString Slabel_NM_IPType;
extern QString Slabel_NM_StaticIP;
extern QString Slabel_NM_SubnetMask;
extern QString Slabel_NM_Gateway;
extern QString SgroupBox_PortConfig;
extern QString Slabel_NM_BaudRate;
extern QString Slabel_NM_BaudRateParam;
extern QString Slabel_NM_FlowControl;
extern QString Slabel_NM_WorkMode;
extern QString Slabel_NM_RemoteIP;
extern QString Slabel_NM_RemotePort;
extern QString Slabel_NM_LocalPort;
extern QString Slabel_NM_ServerConnectCount;
extern QString Slabel_NM_TCPServerStyle;
extern QString Slabel_NM_ModbusTCP;
extern QString Slabel_NM_PackTime;
extern QString Slabel_NM_PackLen;
extern QString Slabel_NM_SyncBaudRate;
extern QString ScomboBox_NM_IPType[2];
extern QString ScomboBox_NM_Parity[5];
extern QString ScomboBox_NM_FlowControl[3];
extern QString Slabel_Reset;
extern QString Slabel_FirmwareVersion;
extern QString ScomboBox_FirmwareVersion[5];
extern QString SpushButton_AdminWin;
extern QString SMSG_ResetMessage;
extern QString SMSG_SyncConfigInfo;
extern QString SMSG_ReConnect;
extern QString SMSG_NoClickDevice;
extern QString SMSG_NoSearchDevice;
extern QString SMSG_NetworkParamFormatError;
extern QString SMSG_NetworkConfigRestoreTheDefault;
extern QString SMSG_NetworkConfigResetFail;
extern QString SMSG_NetworkConfigEditSuccess;

// Multiview page
extern QString Ui_Multiview_AppName;
extern QString Slabel_MV_Select;
extern QString Slabel_MultiviewDisplay;
extern QString SgroupBox_MultiviewInfo;
extern QString Slabel_CurWin;
extern QString Slabel_WinStatus;
extern QString Slabel_WinLayerRank;
extern QString Slabel_WinX;
extern QString Slabel_WinY;
extern QString Slabel_WinW;
extern QString Slabel_WinH;
extern QString Slabel_SrcCropXRatio;
extern QString Slabel_SrcCropYRatio;
extern QString Slabel_SrcCropWRatio;
extern QString Slabel_SrcCropHRatio;
extern QString Slabel_InputSource;
extern QString SMenu_MV_AudioSource[5];

// Peripheral page
extern QString Ui_Peripheral_AppName;
extern QString SgroupBox_IO_IN;
extern QString SgroupBox_IO_OUT;
extern QString SgroupBox_Relay;
extern QString SgroupBox_UserCmdLine;
extern QString Slabel_SetCmdLineNum;
extern QString ScheckBox_LoopSend;
extern QString Slabel_EditNote;
extern QString ScomboBox_Peripheral[3];
extern QString SMSG_Error_DataOverflow;
extern QString SMSG_Error_DataFormatError;
extern QString SMSG_FileDataError;

// Layout save/load dialog
extern QString Ui_SaveLoad_AppName;
extern QString Slabel_SaveLayout;
extern QString Slabel_LoadLayout;
extern QString ScomboBox_Layout[30];
extern QString Slabel_LayoutName;
extern QString SMSG_SaveMessage;
extern QString SMSG_LoadMessage;

// EDID dialog
extern QString Ui_Edid_AppName;
extern QString Slabel_EdidReadPort;
extern QString Slabel_EdidWritePort;
extern QString SMSG_NotIsEdidContent;
extern QString SMSG_EdidCheckFail;
extern QString SMSG_EdidWriteOk;

// EDID decoding, compatibility and the common EDID
extern QString Stab_EdidDecoded;
extern QString Slabel_EdidFromOutput;
extern QString Slabel_EdidFromFile;
extern QString Slabel_EdidFromCommon;
extern QString Slabel_EdidNothing;
extern QString Slabel_EdidCounts;
extern QString SpushButton_EdidCheckInput;
extern QString SpushButton_EdidCommon;
extern QString Slabel_EdidCommonOutputs;
extern QString Slabel_EdidCommonInputs;
extern QString SpushButton_EdidCommonWrite;
extern QString SMSG_EdidGapTopsOut;
extern QString SMSG_EdidGapMissing;
extern QString SMSG_EdidGapAudio;
extern QString SMSG_EdidGapUnreadable;
extern QString SMSG_EdidGapList;
extern QString SMSG_EdidGapWriteAnyway;
extern QString SMSG_EdidGapNone;
extern QString SMSG_EdidNoDisplays;
extern QString SMSG_EdidReadingDisplays;
extern QString SMSG_EdidCommonNone;
extern QString SMSG_EdidCommonConfirm;
extern QString ScomboBox_EdidGroupInput;
extern QString ScomboBox_EdidGroupSplice;
extern QString SCMD_OutputSwitch;

// More dialog
extern QString Ui_More_AppName;
extern QString SpushButton_AllBindOn;
extern QString SpushButton_AllBindOff;
extern QString SpushButton_ReportOn;
extern QString SpushButton_ReportOff;
extern QString SpushButton_IR_On;
extern QString SpushButton_IR_Off;
extern QString Slabel_NAdd1_Backup;
extern QString SpushButton_NAdd1_On;
extern QString SpushButton_NAdd1_Off;
extern QString Slabel_InputNoSignal_OutputMode;
extern QString Slabel_OutputNoSignal_OutputMode;
extern QString ScomboBox_InputNoSignal_OutputMode[3];
extern QString ScomboBox_OutputNoSignal_OutputMode[3];
extern QString SgroupBox_UserDefineResolution;
extern QString Slabel_HWidth;
extern QString Slabel_VHeight;
extern QString SgroupBox_MultiviewConfig;
extern QString Slabel_OutputMode;
extern QString ScomboBox_OutputMode[2];
extern QString SMSG_AUTOResIsOnlyNormalMode;

// Admin dialog
extern QString Ui_Admin_AppName;
extern QString SgroupBox_ProductScale;
extern QString SgroupBox_FrontPanelDispaly;
extern QString SgroupBox_SN;
extern QString SgroupBox_DeviceName;
extern QString Slabel_InputNumber;
extern QString Slabel_OutputNumber;
extern QString Slabel_FirstLine;
extern QString Slabel_SecondLine;

// Link state and freshness of the values shown
extern QString S_LinkConnected;
extern QString S_LinkConnecting;
extern QString S_LinkReconnecting;
extern QString S_LinkNotConnected;
extern QString SMSG_NotConnectedSince;
extern QString SMSG_NotConnectedNothingRead;
extern QString SMSG_EarlierValues;
extern QString SMSG_LinkLost;
extern QString SMSG_ReadsUnanswered;
extern QString STIPS_NoAnswer;
extern QString STIPS_EarlierValue;
extern QString STIPS_Pending;
extern QString S_Unknown;
// Confirmations, command names of unanswered requests, console options
extern QString SMSG_ConfirmLoadDefault;
extern QString SMSG_ConfirmBasicConfigWrite;
extern QString SMSG_ConfirmPortConfigWrite;
extern QString SMSG_ConfirmEdidWrite;
extern QString SMSG_ConfirmAllSet;
extern QString SMSG_ConfirmModeLeavesSplice;
extern QString SMSG_ConfirmModeEndsMultiview;
extern QString SMSG_ConfirmCancelSplice;
extern QString SMSG_NoAnswer;
extern QString SCMD_Switch;
extern QString SCMD_SwitchAll;
extern QString SCMD_PresetSave;
extern QString SCMD_PresetLoad;
extern QString SCMD_RoutingRead;
extern QString SCMD_OutputMode;
extern QString SCMD_Edid;
extern QString SCMD_Reset;
extern QString SCMD_Command;
extern QString SCheckBox_Timestamps;
extern QString SCheckBox_OneView;

// Output locks
extern QString S_LockThisWindow;
extern QString S_LockOtherClient;
extern QString SMSG_LockSkippedOne;
extern QString SMSG_LockSkippedMany;
