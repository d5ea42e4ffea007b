#include "app/LanguageTable.h"

// General words and lists
QString S_HighLow[2];
QString S_OnOff[2];
QString S_ConnectDisconnect[2];
QString S_ReadWrite[2];
QString S_ResetDevice;
QString S_SaveLoad[2];
QString S_SwitchOnOff;
QString S_Mute;
QString S_Select;
QString S_Input;
QString S_OutPut;
QString S_Port;
QString S_InputType;
QString S_InputFormat;
QString S_OutputType;
QString S_OutputFormat;
QString S_AudioSelect;
QString S_Bind;
QString S_Rotate;
QString S_AudioMute;
QString S_Freeze;
QString S_Black;
QString S_Pixel;
QString S_Sync;
QString S_Message;
QString S_Clear;
QString S_NoSignal;
QString S_Bypass;
QString S_TestPattern;
QString S_Rename;
QString S_Background;
QString S_Multiview;
QString S_AutoCheck;
QString SSearchList_Number;
QString SSearchList_DeviceName;
QString SSearchList_IP;
QString SSearchList_MAC;
QString SSearchList_Version;
QString SConditionsLimit;
QString S_Window;
QString S_Layer;
QString S_AudioSource;
QString S_Peripheral;
QString S_HEX;
QString S_CmdLine;
QString S_Send;
QString S_Order;
QString S_Delay;
QString S_All;
QString S_Edit;
QString S_Baudrate;
QString S_Note;
QString S_LineNumber;
QString S_FormatError;
QString S_Import;
QString S_Export;
QString S_Config;
QString S_StopSync;
QString S_InputName[16];
QString S_OutputName[16];
QString S_ExpandInputName[1];

// Login window
QString Ui_Login_AppName;
QString Slabel_Language;
QString Slabel_UserName;
QString Slabel_Password;
QString SpushButton_Login;
QString SpushButton_Modify;
QString ScomboBox_Admin;
QString ScomboBox_User;
QString SMSG_InputPasswordError;
QString SMSG_AdminModidy;
QString SMSG_UserOriginalPassword;
QString SMSG_UserModifyPassword;
QString SMSG_UserModifyPasswordOK;
QString SMSG_UserModifyPasswordFail;

// Main window
QString Ui_Main_AppName;
QString ScomboBox_LanguageSelect[2];
QString SMSG_ReadDeviceFail;
QString SMSG_CommunicationFail;

// Connection page
QString Ui_Uart_Network_AppName;
QString Slabel_Uart;
QString Slabel_Baudrate;
QString Slabel_DataBit;
QString Slabel_Parity;
QString Slabel_StopBit;
QString Slabel_FlowControl;
QString SgroupBox_Uart;
QString Slabel_Network;
QString Slabel_Ip;
QString Slabel_Port;
QString Slabel_SubMask;
QString Slabel_Gateway;
QString SgroupBox_Network;
QString SgroupBox_Status;
QString Slabel_MyIpv4;
QString Slabel_MyPort;
QString SgroupBox_MyNetwork;
QString SMSG_SerialPort_Connect_Fail;
QString SMSG_Network_Param_Fail;
QString SMSG_Network_Connect_Fail;
QString SMSG_Network_ReConnect_Fail;
QString SgroupBox_SearchList;
QString SpushButton_SearchDevice;
QString SpushButton_UartReadDevice;
QString SMSG_MachineNotMatch;
QString SMSG_DataOverflow_Fail;
QString SMSG_DataFormatError_Fail;

// Matrix page
QString Ui_Matrix_AppName;
QString SgroupBox_Matrix;
QString SgroupBox_ExpandIn;
QString SgroupBox_LRSwitch;
QString Slabel_AllOutputSet;
QString SpushButton_SaveLoadWin;
QString SpushButton_EDIDWin;
QString STIPS_EnterKeyFinishInputAndClose;

// Signal configuration page
QString Ui_SignalConfig_AppName;
QString SgroupBox_Input;
QString SgroupBox_Output;
QString SpushButton_ReadAllInput;
QString SpushButton_ReadAllOutput;
QString SpushButton_More;
QString ScomboBox_I_AudioSelect[2];
QString Slist_O_InputFormat_MultiMode;

// TV wall page
QString Ui_TV_Wall_AppName;
QString SgroupBox_TvWallConfig;
QString Slabel_Row;
QString Slabel_Column;
QString Slabel_Available;
QString SgroupBox_BezelConfig;
QString Slabel_EdgeLeft;
QString Slabel_EdgeRight;
QString Slabel_EdgeUp;
QString Slabel_EdgeBottom;
QString Slabel_TvWallDisplay;
QString SMenu_ScreenSplicing;
QString SMenu_CancelSplicing;
QString SMenu_InputSelect;
QString SMenu_OutputSelect;
QString SMenu_SyncLock;
QString SMenu_MVInputEn;
QString SMenu_MultiPanel;
QString SMenu_ScreenAngle;

// System page
QString Ui_System_AppName;
QString SgroupBox_NetworkModule;
QString SpushButton_WebOpen;
QString SpushButton_LoadDefault;
QString SgroupBox_BasicConfig;
QString Slabel_NM_UPNPPort;
QString Slabel_NM_HTTPPort;
QString Slabel_NM_DeviceID;
QString Slabel_NM_DeviceIDType;
QString Slabel_NM_UserName;
QString Slabel_NM_Password;
QString Slabel_NM_DeviceName;
QString Slabel_NM_MAC;
QString Slabel_NM_IPType;
QString Slabel_NM_StaticIP;
QString Slabel_NM_SubnetMask;
QString Slabel_NM_Gateway;
QString SgroupBox_PortConfig;
QString Slabel_NM_BaudRate;
QString Slabel_NM_BaudRateParam;
QString Slabel_NM_FlowControl;
QString Slabel_NM_WorkMode;
QString Slabel_NM_RemoteIP;
QString Slabel_NM_RemotePort;
QString Slabel_NM_LocalPort;
QString Slabel_NM_ServerConnectCount;
QString Slabel_NM_TCPServerStyle;
QString Slabel_NM_ModbusTCP;
QString Slabel_NM_PackTime;
QString Slabel_NM_PackLen;
QString Slabel_NM_SyncBaudRate;
QString ScomboBox_NM_IPType[2];
QString ScomboBox_NM_Parity[5];
QString ScomboBox_NM_FlowControl[3];
QString Slabel_Reset;
QString Slabel_FirmwareVersion;
QString ScomboBox_FirmwareVersion[5];
QString SpushButton_AdminWin;
QString SMSG_ResetMessage;
QString SMSG_SyncConfigInfo;
QString SMSG_ReConnect;
QString SMSG_NoClickDevice;
QString SMSG_NoSearchDevice;
QString SMSG_NetworkParamFormatError;
QString SMSG_NetworkConfigRestoreTheDefault;
QString SMSG_NetworkConfigResetFail;
QString SMSG_NetworkConfigEditSuccess;

// Multiview page
QString Ui_Multiview_AppName;
QString Slabel_MV_Select;
QString Slabel_MultiviewDisplay;
QString SgroupBox_MultiviewInfo;
QString Slabel_CurWin;
QString Slabel_WinStatus;
QString Slabel_WinLayerRank;
QString Slabel_WinX;
QString Slabel_WinY;
QString Slabel_WinW;
QString Slabel_WinH;
QString Slabel_SrcCropXRatio;
QString Slabel_SrcCropYRatio;
QString Slabel_SrcCropWRatio;
QString Slabel_SrcCropHRatio;
QString Slabel_InputSource;
QString SMenu_MV_AudioSource[5];

// Peripheral page
QString Ui_Peripheral_AppName;
QString SgroupBox_IO_IN;
QString SgroupBox_IO_OUT;
QString SgroupBox_Relay;
QString SgroupBox_UserCmdLine;
QString Slabel_SetCmdLineNum;
QString ScheckBox_LoopSend;
QString Slabel_EditNote;
QString ScomboBox_Peripheral[3];
QString SMSG_Error_DataOverflow;
QString SMSG_Error_DataFormatError;
QString SMSG_FileDataError;

// Layout save/load dialog
QString Ui_SaveLoad_AppName;
QString Slabel_SaveLayout;
QString Slabel_LoadLayout;
QString ScomboBox_Layout[30];
QString Slabel_LayoutName;
QString SMSG_SaveMessage;
QString SMSG_LoadMessage;

// EDID dialog
QString Ui_Edid_AppName;
QString Slabel_EdidReadPort;
QString Slabel_EdidWritePort;
QString SMSG_NotIsEdidContent;
QString SMSG_EdidCheckFail;
QString SMSG_EdidWriteOk;
QString Stab_EdidDecoded;
QString Slabel_EdidFromOutput;
QString Slabel_EdidFromFile;
QString Slabel_EdidFromCommon;
QString Slabel_EdidNothing;
QString Slabel_EdidCounts;
QString SpushButton_EdidCheckInput;
QString SpushButton_EdidCommon;
QString Slabel_EdidCommonOutputs;
QString Slabel_EdidCommonInputs;
QString SpushButton_EdidCommonWrite;
QString SMSG_EdidGapTopsOut;
QString SMSG_EdidGapMissing;
QString SMSG_EdidGapAudio;
QString SMSG_EdidGapUnreadable;
QString SMSG_EdidGapList;
QString SMSG_EdidGapWriteAnyway;
QString SMSG_EdidGapNone;
QString SMSG_EdidNoDisplays;
QString SMSG_EdidReadingDisplays;
QString SMSG_EdidCommonNone;
QString SMSG_EdidCommonConfirm;
QString ScomboBox_EdidGroupInput;
QString ScomboBox_EdidGroupSplice;
QString SCMD_OutputSwitch;
QString SCheckBox_TakeMode;
QString SMSG_TakeStaged;
QString SpushButton_Take;
QString SpushButton_Clear;
QString SMSG_RouteFailed;
QString SMSG_RouteFailedItem;
QString SMSG_RouteNotSent;
QString SMSG_RouteLinkLost;
QString SMSG_RouteKept;
QString SMSG_RouteReplaced;
QString SMSG_RouteNoAnswer;
QString SMSG_KeyOutput;
QString SMSG_KeyRoute;
QString SMSG_KeyTyping;
QString SpushButton_History;
QString Ui_History_AppName;
QString SpushButton_Undo;
QString SpushButton_Redo;
QString SHistory_Start;
QString STEP_Switch;
QString STEP_Take;
QString STEP_AllSet;
QString STEP_Salvo;
QString STEP_Preset;
QString SMSG_UndoFailed;
QString SMSG_RedoFailed;
QString SpushButton_Salvos;
QString Ui_Salvos_AppName;
QString SpushButton_SalvoSave;
QString SpushButton_SalvoRecall;
QString SpushButton_SalvoRename;
QString SpushButton_SalvoDelete;
QString SpushButton_SalvoExport;
QString SpushButton_SalvoImport;
QString Slabel_SalvoName;
QString Slabel_SalvoOutputs;
QString SMSG_ConfirmSalvoDelete;
QString SMSG_SalvoSaved;
QString SMSG_SalvoImported;
QString SMSG_SalvoNotImported;
QString SMSG_SalvoNoOutputs;
QString SList_DevicePreset;
QString Ui_SalvoPreview_AppName;
QString SHeader_Output;
QString SHeader_From;
QString SHeader_To;
QString SMSG_PreviewNone;
QString SpushButton_Cancel;
QString SMenu_LockOutput;
QString SMenu_UnlockOutput;
QString STIPS_Locked;

// Output locks
QString S_LockThisWindow;
QString S_LockOtherClient;
QString SMSG_LockSkippedOne;
QString SMSG_LockSkippedMany;

// More dialog
QString Ui_More_AppName;
QString SpushButton_AllBindOn;
QString SpushButton_AllBindOff;
QString SpushButton_ReportOn;
QString SpushButton_ReportOff;
QString SpushButton_IR_On;
QString SpushButton_IR_Off;
QString Slabel_NAdd1_Backup;
QString SpushButton_NAdd1_On;
QString SpushButton_NAdd1_Off;
QString Slabel_InputNoSignal_OutputMode;
QString Slabel_OutputNoSignal_OutputMode;
QString ScomboBox_InputNoSignal_OutputMode[3];
QString ScomboBox_OutputNoSignal_OutputMode[3];
QString SgroupBox_UserDefineResolution;
QString Slabel_HWidth;
QString Slabel_VHeight;
QString SgroupBox_MultiviewConfig;
QString Slabel_OutputMode;
QString ScomboBox_OutputMode[2];
QString SMSG_AUTOResIsOnlyNormalMode;

// Admin dialog
QString Ui_Admin_AppName;
QString SgroupBox_ProductScale;
QString SgroupBox_FrontPanelDispaly;
QString SgroupBox_SN;
QString SgroupBox_DeviceName;
QString Slabel_InputNumber;
QString Slabel_OutputNumber;
QString Slabel_FirstLine;
QString Slabel_SecondLine;

QString S_LinkConnected;
QString S_LinkConnecting;
QString S_LinkReconnecting;
QString S_LinkNotConnected;
QString SMSG_NotConnectedSince;
QString SMSG_NotConnectedNothingRead;
QString SMSG_EarlierValues;
QString SMSG_LinkLost;
QString SMSG_ReadsUnanswered;
QString STIPS_NoAnswer;
QString STIPS_EarlierValue;
QString STIPS_Pending;
QString S_Unknown;
// Confirmations, command names of unanswered requests, console options
QString SMSG_ConfirmLoadDefault;
QString SMSG_ConfirmBasicConfigWrite;
QString SMSG_ConfirmPortConfigWrite;
QString SMSG_ConfirmEdidWrite;
QString SMSG_ConfirmAllSet;
QString SMSG_ConfirmModeLeavesSplice;
QString SMSG_ConfirmModeEndsMultiview;
QString SMSG_ConfirmCancelSplice;
QString SMSG_NoAnswer;
QString SCMD_Switch;
QString SCMD_SwitchAll;
QString SCMD_PresetSave;
QString SCMD_PresetLoad;
QString SCMD_RoutingRead;
QString SCMD_OutputMode;
QString SCMD_Edid;
QString SCMD_Reset;
QString SCMD_Command;
QString SCheckBox_Timestamps;
QString SCheckBox_OneView;

const TableEntry LanguageTable[LanguageTableSize] = {
    // General words and lists
    {"S_HighLow[0]", &S_HighLow[0], "High"},
    {"S_HighLow[1]", &S_HighLow[1], "Low"},
    {"S_OnOff[0]", &S_OnOff[0], "On"},
    {"S_OnOff[1]", &S_OnOff[1], "Off"},
    {"S_ConnectDisconnect[0]", &S_ConnectDisconnect[0], "Connect"},
    {"S_ConnectDisconnect[1]", &S_ConnectDisconnect[1], "Disconnect"},
    {"S_ReadWrite[0]", &S_ReadWrite[0], "Read"},
    {"S_ReadWrite[1]", &S_ReadWrite[1], "Write"},
    {"S_ResetDevice", &S_ResetDevice, "Reset"},
    {"S_SaveLoad[0]", &S_SaveLoad[0], "Save"},
    {"S_SaveLoad[1]", &S_SaveLoad[1], "Load"},
    {"S_SwitchOnOff", &S_SwitchOnOff, "ON/OFF:"},
    {"S_Mute", &S_Mute, "MUTE:"},
    {"S_Select", &S_Select, "Select:"},
    {"S_Input", &S_Input, "Input"},
    {"S_OutPut", &S_OutPut, "Output"},
    {"S_Port", &S_Port, "Port"},
    {"S_InputType", &S_InputType, "Input Type"},
    {"S_InputFormat", &S_InputFormat, "Input Format"},
    {"S_OutputType", &S_OutputType, "Output Type"},
    {"S_OutputFormat", &S_OutputFormat, "Output Format"},
    {"S_AudioSelect", &S_AudioSelect, "Audio Select"},
    {"S_Bind", &S_Bind, "Bind"},
    {"S_Rotate", &S_Rotate, "Rotate"},
    {"S_AudioMute", &S_AudioMute, "Mute"},
    {"S_Freeze", &S_Freeze, "Freeze"},
    {"S_Black", &S_Black, "Black"},
    {"S_Pixel", &S_Pixel, "Pixel"},
    {"S_Sync", &S_Sync, "Sync"},
    {"S_Message", &S_Message, "Message"},
    {"S_Clear", &S_Clear, "Clear"},
    {"S_NoSignal", &S_NoSignal, "No-Signal"},
    {"S_Bypass", &S_Bypass, "Bypass"},
    {"S_TestPattern", &S_TestPattern, "Test Pattern"},
    {"S_Rename", &S_Rename, "Rename"},
    {"S_Background", &S_Background, "BG"},
    {"S_Multiview", &S_Multiview, "MV"},
    {"S_AutoCheck", &S_AutoCheck, "Auto Check"},
    {"SSearchList_Number", &SSearchList_Number, "Number"},
    {"SSearchList_DeviceName", &SSearchList_DeviceName, "Device Name"},
    {"SSearchList_IP", &SSearchList_IP, "IP"},
    {"SSearchList_MAC", &SSearchList_MAC, "MAC"},
    {"SSearchList_Version", &SSearchList_Version, "Version"},
    {"SConditionsLimit", &SConditionsLimit, "Not satisfying the condition"},
    {"S_Window", &S_Window, "Window"},
    {"S_Layer", &S_Layer, "Layer"},
    {"S_AudioSource", &S_AudioSource, "Audio Source"},
    {"S_Peripheral", &S_Peripheral, "Peripheral"},
    {"S_HEX", &S_HEX, "HEX"},
    {"S_CmdLine", &S_CmdLine, "Command Line"},
    {"S_Send", &S_Send, "Send"},
    {"S_Order", &S_Order, "Order"},
    {"S_Delay", &S_Delay, "Delay"},
    {"S_All", &S_All, "All"},
    {"S_Edit", &S_Edit, "Edit"},
    {"S_Baudrate", &S_Baudrate, "Baudrate"},
    {"S_Note", &S_Note, "Note"},
    {"S_LineNumber", &S_LineNumber, "Line Number:"},
    {"S_FormatError", &S_FormatError, "Format Error!"},
    {"S_Import", &S_Import, "Import"},
    {"S_Export", &S_Export, "Export"},
    {"S_Config", &S_Config, "Config"},
    {"S_StopSync", &S_StopSync, "Stop Sync"},
    {"S_InputName[0]", &S_InputName[0], "Input1"},
    {"S_InputName[1]", &S_InputName[1], "Input2"},
    {"S_InputName[2]", &S_InputName[2], "Input3"},
    {"S_InputName[3]", &S_InputName[3], "Input4"},
    {"S_InputName[4]", &S_InputName[4], "Input5"},
    {"S_InputName[5]", &S_InputName[5], "Input6"},
    {"S_InputName[6]", &S_InputName[6], "Input7"},
    {"S_InputName[7]", &S_InputName[7], "Input8"},
    {"S_InputName[8]", &S_InputName[8], "Input9"},
    {"S_InputName[9]", &S_InputName[9], "Input10"},
    {"S_InputName[10]", &S_InputName[10], "Input11"},
    {"S_InputName[11]", &S_InputName[11], "Input12"},
    {"S_InputName[12]", &S_InputName[12], "Input13"},
    {"S_InputName[13]", &S_InputName[13], "Input14"},
    {"S_InputName[14]", &S_InputName[14], "Input15"},
    {"S_InputName[15]", &S_InputName[15], "Input16"},
    {"S_OutputName[0]", &S_OutputName[0], "Output1"},
    {"S_OutputName[1]", &S_OutputName[1], "Output2"},
    {"S_OutputName[2]", &S_OutputName[2], "Output3"},
    {"S_OutputName[3]", &S_OutputName[3], "Output4"},
    {"S_OutputName[4]", &S_OutputName[4], "Output5"},
    {"S_OutputName[5]", &S_OutputName[5], "Output6"},
    {"S_OutputName[6]", &S_OutputName[6], "Output7"},
    {"S_OutputName[7]", &S_OutputName[7], "Output8"},
    {"S_OutputName[8]", &S_OutputName[8], "Output9"},
    {"S_OutputName[9]", &S_OutputName[9], "Output10"},
    {"S_OutputName[10]", &S_OutputName[10], "Output11"},
    {"S_OutputName[11]", &S_OutputName[11], "Output12"},
    {"S_OutputName[12]", &S_OutputName[12], "Output13"},
    {"S_OutputName[13]", &S_OutputName[13], "Output14"},
    {"S_OutputName[14]", &S_OutputName[14], "Output15"},
    {"S_OutputName[15]", &S_OutputName[15], "Output16"},
    {"S_ExpandInputName[0]", &S_ExpandInputName[0], "Expand1"},
    // Login window
    {"Ui_Login_AppName", &Ui_Login_AppName, " UserLogin"},
    {"Slabel_Language", &Slabel_Language, "Language/语言:"},
    {"Slabel_UserName", &Slabel_UserName, "Username:"},
    {"Slabel_Password", &Slabel_Password, "Password:"},
    {"SpushButton_Login", &SpushButton_Login, "Login"},
    {"SpushButton_Modify", &SpushButton_Modify, "Edit"},
    {"ScomboBox_Admin", &ScomboBox_Admin, "admin"},
    {"ScomboBox_User", &ScomboBox_User, "user"},
    {"SMSG_InputPasswordError", &SMSG_InputPasswordError, "Password error!"},
    {"SMSG_AdminModidy", &SMSG_AdminModidy, "The password of admin cannot be modified!"},
    {"SMSG_UserOriginalPassword", &SMSG_UserOriginalPassword, "Failed to verify the original password of the user!"},
    {"SMSG_UserModifyPassword", &SMSG_UserModifyPassword, "Please enter your change password!"},
    {"SMSG_UserModifyPasswordOK", &SMSG_UserModifyPasswordOK, "Password changed successfully!"},
    {"SMSG_UserModifyPasswordFail", &SMSG_UserModifyPasswordFail,
     "The password entered is illegal:The password must be six full digits"},
    // Main window
    {"Ui_Main_AppName", &Ui_Main_AppName, " KXR"},
    {"ScomboBox_LanguageSelect[0]", &ScomboBox_LanguageSelect[0], "English"},
    {"ScomboBox_LanguageSelect[1]", &ScomboBox_LanguageSelect[1], "中文"},
    {"SMSG_ReadDeviceFail", &SMSG_ReadDeviceFail, "Failed to identify device!Error Code:"},
    {"SMSG_CommunicationFail", &SMSG_CommunicationFail, "Unable to communicate with device!Error Code:"},
    // Connection page
    {"Ui_Uart_Network_AppName", &Ui_Uart_Network_AppName, "Connect"},
    {"Slabel_Uart", &Slabel_Uart, "Uart:"},
    {"Slabel_Baudrate", &Slabel_Baudrate, "Baudrate:"},
    {"Slabel_DataBit", &Slabel_DataBit, "DataBit:"},
    {"Slabel_Parity", &Slabel_Parity, "Parity:"},
    {"Slabel_StopBit", &Slabel_StopBit, "StopBit:"},
    {"Slabel_FlowControl", &Slabel_FlowControl, "FlowControl:"},
    {"SgroupBox_Uart", &SgroupBox_Uart, "RS232"},
    {"Slabel_Network", &Slabel_Network, "Network:"},
    {"Slabel_Ip", &Slabel_Ip, "IP:"},
    {"Slabel_Port", &Slabel_Port, "Port:"},
    {"Slabel_SubMask", &Slabel_SubMask, "SubMask:"},
    {"Slabel_Gateway", &Slabel_Gateway, "Gateway:"},
    {"SgroupBox_Network", &SgroupBox_Network, "Network"},
    {"SgroupBox_Status", &SgroupBox_Status, "Status"},
    {"Slabel_MyIpv4", &Slabel_MyIpv4, "PC IP:"},
    {"Slabel_MyPort", &Slabel_MyPort, "PC Port:"},
    {"SgroupBox_MyNetwork", &SgroupBox_MyNetwork, "PC Network Info"},
    {"SMSG_SerialPort_Connect_Fail", &SMSG_SerialPort_Connect_Fail, "Serial Port Connect Failed!Error Code:"},
    {"SMSG_Network_Param_Fail", &SMSG_Network_Param_Fail, "Network Info error!!!please check it!"},
    {"SMSG_Network_Connect_Fail", &SMSG_Network_Connect_Fail,
     "please check your local ip config information!Error Code:"},
    {"SMSG_Network_ReConnect_Fail", &SMSG_Network_ReConnect_Fail, "Network connect error,please reconnect network!!!"},
    {"SgroupBox_SearchList", &SgroupBox_SearchList, "Search List"},
    {"SpushButton_SearchDevice", &SpushButton_SearchDevice, "Search Device"},
    {"SpushButton_UartReadDevice", &SpushButton_UartReadDevice, "Uart Read Device"},
    {"SMSG_MachineNotMatch", &SMSG_MachineNotMatch, "The device does not match with the PC tool!"},
    {"SMSG_DataOverflow_Fail", &SMSG_DataOverflow_Fail, "Data Overflow,Clear!"},
    {"SMSG_DataFormatError_Fail", &SMSG_DataFormatError_Fail, "Data Format Error or Empty Data!"},
    // Matrix page
    {"Ui_Matrix_AppName", &Ui_Matrix_AppName, "Matrix"},
    {"SgroupBox_Matrix", &SgroupBox_Matrix, "Switch"},
    {"SgroupBox_ExpandIn", &SgroupBox_ExpandIn, "Expand Input"},
    {"SgroupBox_LRSwitch", &SgroupBox_LRSwitch, "Audio Switch"},
    {"Slabel_AllOutputSet", &Slabel_AllOutputSet, "Allset:"},
    {"SpushButton_SaveLoadWin", &SpushButton_SaveLoadWin, "Save/Load"},
    {"SpushButton_EDIDWin", &SpushButton_EDIDWin, "EDID"},
    {"STIPS_EnterKeyFinishInputAndClose", &STIPS_EnterKeyFinishInputAndClose, "Press Enter to end the input and exit"},
    // Signal configuration page
    {"Ui_SignalConfig_AppName", &Ui_SignalConfig_AppName, "Signal Config"},
    {"SgroupBox_Input", &SgroupBox_Input, "Input"},
    {"SgroupBox_Output", &SgroupBox_Output, "Output"},
    {"SpushButton_ReadAllInput", &SpushButton_ReadAllInput, "Read All Input"},
    {"SpushButton_ReadAllOutput", &SpushButton_ReadAllOutput, "Read All Output"},
    {"SpushButton_More", &SpushButton_More, "More"},
    {"ScomboBox_I_AudioSelect[0]", &ScomboBox_I_AudioSelect[0], "Embedded"},
    {"ScomboBox_I_AudioSelect[1]", &ScomboBox_I_AudioSelect[1], "L/R"},
    {"Slist_O_InputFormat_MultiMode", &Slist_O_InputFormat_MultiMode, "Multi-Mode"},
    // TV wall page
    {"Ui_TV_Wall_AppName", &Ui_TV_Wall_AppName, "TV Wall"},
    {"SgroupBox_TvWallConfig", &SgroupBox_TvWallConfig, "TV Wall Config"},
    {"Slabel_Row", &Slabel_Row, "Row"},
    {"Slabel_Column", &Slabel_Column, "Column"},
    {"Slabel_Available", &Slabel_Available, "Available"},
    {"SgroupBox_BezelConfig", &SgroupBox_BezelConfig, "Bezel Config(Pixel)"},
    {"Slabel_EdgeLeft", &Slabel_EdgeLeft, "Left Edge"},
    {"Slabel_EdgeRight", &Slabel_EdgeRight, "Right Edge"},
    {"Slabel_EdgeUp", &Slabel_EdgeUp, "Up Edge"},
    {"Slabel_EdgeBottom", &Slabel_EdgeBottom, "Bottom Edge"},
    {"Slabel_TvWallDisplay", &Slabel_TvWallDisplay, "TV Wall Display"},
    {"SMenu_ScreenSplicing", &SMenu_ScreenSplicing, "Screen Splicing"},
    {"SMenu_CancelSplicing", &SMenu_CancelSplicing, "Cancel Splicing"},
    {"SMenu_InputSelect", &SMenu_InputSelect, "Input Select"},
    {"SMenu_OutputSelect", &SMenu_OutputSelect, "Output Select"},
    {"SMenu_SyncLock", &SMenu_SyncLock, "Sync Delay"},
    {"SMenu_MVInputEn", &SMenu_MVInputEn, "MV Input Enable"},
    {"SMenu_MultiPanel", &SMenu_MultiPanel, "Multi-Panel(LED)"},
    {"SMenu_ScreenAngle", &SMenu_ScreenAngle, "Screen Angle"},
    // System page
    {"Ui_System_AppName", &Ui_System_AppName, "System"},
    {"SgroupBox_NetworkModule", &SgroupBox_NetworkModule, "Network Module"},
    {"SpushButton_WebOpen", &SpushButton_WebOpen, "Open Website"},
    {"SpushButton_LoadDefault", &SpushButton_LoadDefault, "Load Default"},
    {"SgroupBox_BasicConfig", &SgroupBox_BasicConfig, "Basic Config"},
    {"Slabel_NM_UPNPPort", &Slabel_NM_UPNPPort, "UPNP Port"},
    {"Slabel_NM_HTTPPort", &Slabel_NM_HTTPPort, "HTTP Port"},
    {"Slabel_NM_DeviceID", &Slabel_NM_DeviceID, "Device ID"},
    {"Slabel_NM_DeviceIDType", &Slabel_NM_DeviceIDType, "Device ID Type"},
    {"Slabel_NM_UserName", &Slabel_NM_UserName, "User Name"},
    {"Slabel_NM_Password", &Slabel_NM_Password, "Password"},
    {"Slabel_NM_DeviceName", &Slabel_NM_DeviceName, "Device Name"},
    {"Slabel_NM_MAC", &Slabel_NM_MAC, "MAC"},
    {"Slabel_NM_IPType", &Slabel_NM_IPType, "IP Type"},
    {"Slabel_NM_StaticIP", &Slabel_NM_StaticIP, "Static IP"},
    {"Slabel_NM_SubnetMask", &Slabel_NM_SubnetMask, "Subnet Mask"},
    {"Slabel_NM_Gateway", &Slabel_NM_Gateway, "Gateway"},
    {"SgroupBox_PortConfig", &SgroupBox_PortConfig, "Port Config"},
    {"Slabel_NM_BaudRate", &Slabel_NM_BaudRate, "Baud Rate"},
    {"Slabel_NM_BaudRateParam", &Slabel_NM_BaudRateParam, "Baud Rate Param"},
    {"Slabel_NM_FlowControl", &Slabel_NM_FlowControl, "Flow Control"},
    {"Slabel_NM_WorkMode", &Slabel_NM_WorkMode, "Work Mode"},
    {"Slabel_NM_RemoteIP", &Slabel_NM_RemoteIP, "Remote IP"},
    {"Slabel_NM_RemotePort", &Slabel_NM_RemotePort, "Remote Port"},
    {"Slabel_NM_LocalPort", &Slabel_NM_LocalPort, "Local Port"},
    {"Slabel_NM_ServerConnectCount", &Slabel_NM_ServerConnectCount, "Server Connect Count"},
    {"Slabel_NM_TCPServerStyle", &Slabel_NM_TCPServerStyle, "TCP Server Style"},
    {"Slabel_NM_ModbusTCP", &Slabel_NM_ModbusTCP, "Modbus TCP"},
    {"Slabel_NM_PackTime", &Slabel_NM_PackTime, "Pack Time"},
    {"Slabel_NM_PackLen", &Slabel_NM_PackLen, "Pack Len"},
    {"Slabel_NM_SyncBaudRate", &Slabel_NM_SyncBaudRate, "Sync Baud Rate"},
    {"ScomboBox_NM_IPType[0]", &ScomboBox_NM_IPType[0], "Dynamic IP"},
    {"ScomboBox_NM_IPType[1]", &ScomboBox_NM_IPType[1], "Static IP"},
    {"ScomboBox_NM_Parity[0]", &ScomboBox_NM_Parity[0], "None"},
    {"ScomboBox_NM_Parity[1]", &ScomboBox_NM_Parity[1], "Odd"},
    {"ScomboBox_NM_Parity[2]", &ScomboBox_NM_Parity[2], "Even"},
    {"ScomboBox_NM_Parity[3]", &ScomboBox_NM_Parity[3], "Mark"},
    {"ScomboBox_NM_Parity[4]", &ScomboBox_NM_Parity[4], "Space"},
    {"ScomboBox_NM_FlowControl[0]", &ScomboBox_NM_FlowControl[0], "None"},
    {"ScomboBox_NM_FlowControl[1]", &ScomboBox_NM_FlowControl[1], "Hardware"},
    {"ScomboBox_NM_FlowControl[2]", &ScomboBox_NM_FlowControl[2], "RS485"},
    {"Slabel_Reset", &Slabel_Reset, "Reset:"},
    {"Slabel_FirmwareVersion", &Slabel_FirmwareVersion, "Firmware Version:"},
    {"ScomboBox_FirmwareVersion[0]", &ScomboBox_FirmwareVersion[0], "Main"},
    {"ScomboBox_FirmwareVersion[1]", &ScomboBox_FirmwareVersion[1], "KeyBoard"},
    {"ScomboBox_FirmwareVersion[2]", &ScomboBox_FirmwareVersion[2], "Input"},
    {"ScomboBox_FirmwareVersion[3]", &ScomboBox_FirmwareVersion[3], "Output"},
    {"ScomboBox_FirmwareVersion[4]", &ScomboBox_FirmwareVersion[4], "Control"},
    {"SpushButton_AdminWin", &SpushButton_AdminWin, "Admin"},
    {"SMSG_ResetMessage", &SMSG_ResetMessage, "Confirm to reset the device to factory settings?"},
    {"SMSG_SyncConfigInfo", &SMSG_SyncConfigInfo, "1-Sync Config Info...."},
    {"SMSG_ReConnect", &SMSG_ReConnect, "2-Please ReConnect App!"},
    {"SMSG_NoClickDevice", &SMSG_NoClickDevice, "Please click device to load config first!"},
    {"SMSG_NoSearchDevice", &SMSG_NoSearchDevice, "Please search device first!"},
    {"SMSG_NetworkParamFormatError", &SMSG_NetworkParamFormatError, "Network Param Format Error>>>"},
    {"SMSG_NetworkConfigRestoreTheDefault", &SMSG_NetworkConfigRestoreTheDefault,
     "Network Configuration Restore The Default,So please re-search and connect to device again!"},
    {"SMSG_NetworkConfigResetFail", &SMSG_NetworkConfigResetFail,
     "Network Configuration Reset Fail,Please re-search and connect to device again!"},
    {"SMSG_NetworkConfigEditSuccess", &SMSG_NetworkConfigEditSuccess,
     "Network configuration write success,So please re-search and connect to device again!"},
    // Multiview page
    {"Ui_Multiview_AppName", &Ui_Multiview_AppName, "Multiview"},
    {"Slabel_MV_Select", &Slabel_MV_Select, "Multiview Select:"},
    {"Slabel_MultiviewDisplay", &Slabel_MultiviewDisplay, "Multiview Display"},
    {"SgroupBox_MultiviewInfo", &SgroupBox_MultiviewInfo, "Multiview Info"},
    {"Slabel_CurWin", &Slabel_CurWin, "Current Window:"},
    {"Slabel_WinStatus", &Slabel_WinStatus, "Window Status:"},
    {"Slabel_WinLayerRank", &Slabel_WinLayerRank, "Window Layer:"},
    {"Slabel_WinX", &Slabel_WinX, "Window X:"},
    {"Slabel_WinY", &Slabel_WinY, "Window Y:"},
    {"Slabel_WinW", &Slabel_WinW, "Window Width:"},
    {"Slabel_WinH", &Slabel_WinH, "Window Height:"},
    {"Slabel_SrcCropXRatio", &Slabel_SrcCropXRatio, "Input Crop H Start(%):"},
    {"Slabel_SrcCropYRatio", &Slabel_SrcCropYRatio, "Input Crop V Start(%):"},
    {"Slabel_SrcCropWRatio", &Slabel_SrcCropWRatio, "Input Crop Width(%):"},
    {"Slabel_SrcCropHRatio", &Slabel_SrcCropHRatio, "Input Crop Height(%):"},
    {"Slabel_InputSource", &Slabel_InputSource, "Input Source:"},
    {"SMenu_MV_AudioSource[0]", &SMenu_MV_AudioSource[0], "Mute"},
    {"SMenu_MV_AudioSource[1]", &SMenu_MV_AudioSource[1], "Window1"},
    {"SMenu_MV_AudioSource[2]", &SMenu_MV_AudioSource[2], "Window2"},
    {"SMenu_MV_AudioSource[3]", &SMenu_MV_AudioSource[3], "Window3"},
    {"SMenu_MV_AudioSource[4]", &SMenu_MV_AudioSource[4], "Window4"},
    // Peripheral page
    {"Ui_Peripheral_AppName", &Ui_Peripheral_AppName, "Peripheral"},
    {"SgroupBox_IO_IN", &SgroupBox_IO_IN, "IO-IN"},
    {"SgroupBox_IO_OUT", &SgroupBox_IO_OUT, "IO-OUT"},
    {"SgroupBox_Relay", &SgroupBox_Relay, "Relay"},
    {"SgroupBox_UserCmdLine", &SgroupBox_UserCmdLine, "User Cmd Line"},
    {"Slabel_SetCmdLineNum", &Slabel_SetCmdLineNum, "Set Cmd Line Num:"},
    {"ScheckBox_LoopSend", &ScheckBox_LoopSend, "Loop Send"},
    {"Slabel_EditNote", &Slabel_EditNote, "Edit Note:"},
    {"ScomboBox_Peripheral[0]", &ScomboBox_Peripheral[0], "Peripheral"},
    {"ScomboBox_Peripheral[1]", &ScomboBox_Peripheral[1], "Input"},
    {"ScomboBox_Peripheral[2]", &ScomboBox_Peripheral[2], "Output"},
    {"SMSG_Error_DataOverflow", &SMSG_Error_DataOverflow, "Data Overflow!"},
    {"SMSG_Error_DataFormatError", &SMSG_Error_DataFormatError, "Data Format Error or Empty Data!"},
    {"SMSG_FileDataError", &SMSG_FileDataError, "File Data Error!"},
    // Layout save/load dialog
    {"Ui_SaveLoad_AppName", &Ui_SaveLoad_AppName, "Save/Load"},
    {"Slabel_SaveLayout", &Slabel_SaveLayout, "Save:"},
    {"Slabel_LoadLayout", &Slabel_LoadLayout, "Load:"},
    {"ScomboBox_Layout[0]", &ScomboBox_Layout[0], "Layout-1"},
    {"ScomboBox_Layout[1]", &ScomboBox_Layout[1], "Layout-2"},
    {"ScomboBox_Layout[2]", &ScomboBox_Layout[2], "Layout-3"},
    {"ScomboBox_Layout[3]", &ScomboBox_Layout[3], "Layout-4"},
    {"ScomboBox_Layout[4]", &ScomboBox_Layout[4], "Layout-5"},
    {"ScomboBox_Layout[5]", &ScomboBox_Layout[5], "Layout-6"},
    {"ScomboBox_Layout[6]", &ScomboBox_Layout[6], "Layout-7"},
    {"ScomboBox_Layout[7]", &ScomboBox_Layout[7], "Layout-8"},
    {"ScomboBox_Layout[8]", &ScomboBox_Layout[8], "Layout-9"},
    {"ScomboBox_Layout[9]", &ScomboBox_Layout[9], "Layout-10"},
    {"ScomboBox_Layout[10]", &ScomboBox_Layout[10], "Layout-11"},
    {"ScomboBox_Layout[11]", &ScomboBox_Layout[11], "Layout-12"},
    {"ScomboBox_Layout[12]", &ScomboBox_Layout[12], "Layout-13"},
    {"ScomboBox_Layout[13]", &ScomboBox_Layout[13], "Layout-14"},
    {"ScomboBox_Layout[14]", &ScomboBox_Layout[14], "Layout-15"},
    {"ScomboBox_Layout[15]", &ScomboBox_Layout[15], "Layout-16"},
    {"ScomboBox_Layout[16]", &ScomboBox_Layout[16], "Layout-17"},
    {"ScomboBox_Layout[17]", &ScomboBox_Layout[17], "Layout-18"},
    {"ScomboBox_Layout[18]", &ScomboBox_Layout[18], "Layout-19"},
    {"ScomboBox_Layout[19]", &ScomboBox_Layout[19], "Layout-20"},
    {"ScomboBox_Layout[20]", &ScomboBox_Layout[20], "Layout-21"},
    {"ScomboBox_Layout[21]", &ScomboBox_Layout[21], "Layout-22"},
    {"ScomboBox_Layout[22]", &ScomboBox_Layout[22], "Layout-23"},
    {"ScomboBox_Layout[23]", &ScomboBox_Layout[23], "Layout-24"},
    {"ScomboBox_Layout[24]", &ScomboBox_Layout[24], "Layout-25"},
    {"ScomboBox_Layout[25]", &ScomboBox_Layout[25], "Layout-26"},
    {"ScomboBox_Layout[26]", &ScomboBox_Layout[26], "Layout-27"},
    {"ScomboBox_Layout[27]", &ScomboBox_Layout[27], "Layout-28"},
    {"ScomboBox_Layout[28]", &ScomboBox_Layout[28], "Layout-29"},
    {"ScomboBox_Layout[29]", &ScomboBox_Layout[29], "Layout-30"},
    {"Slabel_LayoutName", &Slabel_LayoutName, "<<Save name↓↓↓"},
    {"SMSG_SaveMessage", &SMSG_SaveMessage, "Save Confirm?"},
    {"SMSG_LoadMessage", &SMSG_LoadMessage, "Load Confirm?"},
    // EDID dialog
    {"Ui_Edid_AppName", &Ui_Edid_AppName, "EDID"},
    {"Slabel_EdidReadPort", &Slabel_EdidReadPort, "Read Output Port:"},
    {"Slabel_EdidWritePort", &Slabel_EdidWritePort, "Write Input Port:"},
    {"SMSG_NotIsEdidContent", &SMSG_NotIsEdidContent, "this not is EDID File!"},
    {"SMSG_EdidCheckFail", &SMSG_EdidCheckFail, "EDID check fail,please check your EDID file!"},
    {"SMSG_EdidWriteOk", &SMSG_EdidWriteOk, "EDID Write Success."},
    // More dialog
    {"Ui_More_AppName", &Ui_More_AppName, "More"},
    {"SpushButton_AllBindOn", &SpushButton_AllBindOn, "All Bind On"},
    {"SpushButton_AllBindOff", &SpushButton_AllBindOff, "All Bind Off"},
    {"SpushButton_ReportOn", &SpushButton_ReportOn, "Report On"},
    {"SpushButton_ReportOff", &SpushButton_ReportOff, "Report Off"},
    {"SpushButton_IR_On", &SpushButton_IR_On, "IR On"},
    {"SpushButton_IR_Off", &SpushButton_IR_Off, "IR Off"},
    {"Slabel_NAdd1_Backup", &Slabel_NAdd1_Backup, "N+1 Backup:"},
    {"SpushButton_NAdd1_On", &SpushButton_NAdd1_On, "N+1 On"},
    {"SpushButton_NAdd1_Off", &SpushButton_NAdd1_Off, "N+1 Off"},
    {"Slabel_InputNoSignal_OutputMode", &Slabel_InputNoSignal_OutputMode, "No Signal,Input's Mode:"},
    {"Slabel_OutputNoSignal_OutputMode", &Slabel_OutputNoSignal_OutputMode, "No Signal,Output's Mode:"},
    {"ScomboBox_InputNoSignal_OutputMode[0]", &ScomboBox_InputNoSignal_OutputMode[0], "Black Screen"},
    {"ScomboBox_InputNoSignal_OutputMode[1]", &ScomboBox_InputNoSignal_OutputMode[1], "Blue Screen"},
    {"ScomboBox_InputNoSignal_OutputMode[2]", &ScomboBox_InputNoSignal_OutputMode[2], "Close Output"},
    {"ScomboBox_OutputNoSignal_OutputMode[0]", &ScomboBox_OutputNoSignal_OutputMode[0], "Black Screen"},
    {"ScomboBox_OutputNoSignal_OutputMode[1]", &ScomboBox_OutputNoSignal_OutputMode[1], "Blue Screen"},
    {"ScomboBox_OutputNoSignal_OutputMode[2]", &ScomboBox_OutputNoSignal_OutputMode[2], "Close Output"},
    {"SgroupBox_UserDefineResolution", &SgroupBox_UserDefineResolution, "User Define Resolution"},
    {"Slabel_HWidth", &Slabel_HWidth, "H Width"},
    {"Slabel_VHeight", &Slabel_VHeight, "V Height"},
    {"SgroupBox_MultiviewConfig", &SgroupBox_MultiviewConfig, "Multiview Config"},
    {"Slabel_OutputMode", &Slabel_OutputMode, "Output Mode"},
    {"ScomboBox_OutputMode[0]", &ScomboBox_OutputMode[0], "Normal"},
    {"ScomboBox_OutputMode[1]", &ScomboBox_OutputMode[1], "Multiview"},
    {"SMSG_AUTOResIsOnlyNormalMode", &SMSG_AUTOResIsOnlyNormalMode,
     "The current resolution is AUTO,Cannot be set to the Multiview mode!"},
    // Admin dialog
    {"Ui_Admin_AppName", &Ui_Admin_AppName, "Admin"},
    {"SgroupBox_ProductScale", &SgroupBox_ProductScale, "Product Scale"},
    {"SgroupBox_FrontPanelDispaly", &SgroupBox_FrontPanelDispaly, "Front Panel Dispaly"},
    {"SgroupBox_SN", &SgroupBox_SN, "SN"},
    {"SgroupBox_DeviceName", &SgroupBox_DeviceName, "Device Name"},
    {"Slabel_InputNumber", &Slabel_InputNumber, "Input Number"},
    {"Slabel_OutputNumber", &Slabel_OutputNumber, "Output Number"},
    {"Slabel_FirstLine", &Slabel_FirstLine, "First Line"},
    {"Slabel_SecondLine", &Slabel_SecondLine, "Second Line"},
    // Link state and freshness of the values shown
    {"S_LinkConnected", &S_LinkConnected, "connected"},
    {"S_LinkConnecting", &S_LinkConnecting, "connecting"},
    {"S_LinkReconnecting", &S_LinkReconnecting, "reconnecting"},
    {"S_LinkNotConnected", &S_LinkNotConnected, "not connected"},
    {"SMSG_NotConnectedSince", &SMSG_NotConnectedSince, "Not connected — values from %1"},
    {"SMSG_NotConnectedNothingRead", &SMSG_NotConnectedNothingRead, "Not connected — nothing read yet"},
    {"SMSG_EarlierValues", &SMSG_EarlierValues, "Values from the connection of %1 — not read again"},
    {"SMSG_LinkLost", &SMSG_LinkLost, "%1 Disconnected from %2."},
    {"SMSG_ReadsUnanswered", &SMSG_ReadsUnanswered, "%1 reads unanswered: %2."},
    {"STIPS_NoAnswer", &STIPS_NoAnswer, "No answer from the device. Press Read to read again."},
    {"STIPS_EarlierValue", &STIPS_EarlierValue, "Value from an earlier connection, not read again."},
    {"STIPS_Pending", &STIPS_Pending, "Waiting for the device to confirm."},
    {"S_Unknown", &S_Unknown, "Unknown"},
    // Confirmations, command names of unanswered requests, console options
    {"SMSG_ConfirmLoadDefault", &SMSG_ConfirmLoadDefault,
     "Restore the network module's factory settings? Its address may change and the link will drop."},
    {"SMSG_ConfirmBasicConfigWrite", &SMSG_ConfirmBasicConfigWrite,
     "Write the basic settings to the network module? The module restarts and the link will drop."},
    {"SMSG_ConfirmPortConfigWrite", &SMSG_ConfirmPortConfigWrite,
     "Write the port settings to the network module? The module restarts and the link will drop."},
    {"SMSG_ConfirmEdidWrite", &SMSG_ConfirmEdidWrite,
     "Write this EDID to input %1? The EDID the input holds now is replaced."},
    {"SMSG_ConfirmAllSet", &SMSG_ConfirmAllSet, "Switch every output to %1?"},
    {"SMSG_ConfirmModeLeavesSplice", &SMSG_ConfirmModeLeavesSplice,
     "Outputs %1-%2 leave their TV-wall splice. Change the output mode?"},
    {"SMSG_ConfirmModeEndsMultiview", &SMSG_ConfirmModeEndsMultiview,
     "The multiview on outputs %1-%2 ends. Change the output mode?"},
    {"SMSG_ConfirmCancelSplice", &SMSG_ConfirmCancelSplice, "Cancel the whole splice of outputs %1?"},
    {"SMSG_NoAnswer", &SMSG_NoAnswer, "%1: no answer from the device"},
    {"SCMD_Switch", &SCMD_Switch, "Switch input %1 → output %2"},
    {"SCMD_SwitchAll", &SCMD_SwitchAll, "Switch input %1 → every output"},
    {"SCMD_PresetSave", &SCMD_PresetSave, "Save preset %1"},
    {"SCMD_PresetLoad", &SCMD_PresetLoad, "Load preset %1"},
    {"SCMD_RoutingRead", &SCMD_RoutingRead, "Read the routing"},
    {"SCMD_OutputMode", &SCMD_OutputMode, "Output mode of output %1"},
    {"SCMD_Edid", &SCMD_Edid, "EDID transfer"},
    {"SCMD_Reset", &SCMD_Reset, "Reset the device"},
    {"SCMD_Command", &SCMD_Command, "Command %1"},
    {"SCheckBox_Timestamps", &SCheckBox_Timestamps, "Time (ms)"},
    {"SCheckBox_OneView", &SCheckBox_OneView, "Sent and received in one view"},
    // EDID decoding, compatibility and the common EDID
    {"Stab_EdidDecoded", &Stab_EdidDecoded, "Decoded"},
    {"Slabel_EdidFromOutput", &Slabel_EdidFromOutput, "Read from output %1"},
    {"Slabel_EdidFromFile", &Slabel_EdidFromFile, "File: %1"},
    {"Slabel_EdidFromCommon", &Slabel_EdidFromCommon, "Common EDID of outputs %1"},
    {"Slabel_EdidNothing", &Slabel_EdidNothing, "Nothing read or loaded"},
    {"Slabel_EdidCounts", &Slabel_EdidCounts, "%1 errors, %2 warnings"},
    {"SpushButton_EdidCheckInput", &SpushButton_EdidCheckInput, "Check input"},
    {"SpushButton_EdidCommon", &SpushButton_EdidCommon, "Common EDID"},
    {"Slabel_EdidCommonOutputs", &Slabel_EdidCommonOutputs, "Displays of outputs:"},
    {"Slabel_EdidCommonInputs", &Slabel_EdidCommonInputs, "Write to inputs:"},
    {"SpushButton_EdidCommonWrite", &SpushButton_EdidCommonWrite, "Write"},
    {"SMSG_EdidGapTopsOut", &SMSG_EdidGapTopsOut, "%1 announced; output %2's display tops out at %3"},
    {"SMSG_EdidGapMissing", &SMSG_EdidGapMissing, "%1 announced; output %2's display does not list it"},
    {"SMSG_EdidGapAudio", &SMSG_EdidGapAudio, "%1 %2-channel audio announced; output %3's display lacks it"},
    {"SMSG_EdidGapUnreadable", &SMSG_EdidGapUnreadable, "Output %1 reports no valid display EDID"},
    {"SMSG_EdidGapList", &SMSG_EdidGapList, "The EDID for input %1 announces what some of its displays lack:"},
    {"SMSG_EdidGapWriteAnyway", &SMSG_EdidGapWriteAnyway, "Write it anyway?"},
    {"SMSG_EdidGapNone", &SMSG_EdidGapNone, "Every display fed by input %1 takes what this EDID announces."},
    {"SMSG_EdidNoDisplays", &SMSG_EdidNoDisplays, "Input %1 feeds no output."},
    {"SMSG_EdidReadingDisplays", &SMSG_EdidReadingDisplays, "Reading the displays' EDIDs…"},
    {"SMSG_EdidCommonNone", &SMSG_EdidCommonNone, "These displays have no format in common."},
    {"SMSG_EdidCommonConfirm", &SMSG_EdidCommonConfirm, "Write the common EDID of outputs %1 to inputs %2?"},
    {"ScomboBox_EdidGroupInput", &ScomboBox_EdidGroupInput, "Outputs fed by input %1"},
    {"ScomboBox_EdidGroupSplice", &ScomboBox_EdidGroupSplice, "TV-wall splice: outputs %1"},
    {"SCMD_OutputSwitch", &SCMD_OutputSwitch, "%1 of output %2"},
    {"SCheckBox_TakeMode", &SCheckBox_TakeMode, "Take mode"},
    {"SMSG_TakeStaged", &SMSG_TakeStaged, "%1 outputs will change — Take (Enter) / Clear (Esc)"},
    {"SpushButton_Take", &SpushButton_Take, "Take"},
    {"SpushButton_Clear", &SpushButton_Clear, "Clear"},
    {"SMSG_RouteFailed", &SMSG_RouteFailed, "%1 of %2 outputs did not change: %3"},
    {"SMSG_RouteFailedItem", &SMSG_RouteFailedItem, "output %1: %2"},
    {"SMSG_RouteNotSent", &SMSG_RouteNotSent, "not sent (no link)"},
    {"SMSG_RouteLinkLost", &SMSG_RouteLinkLost, "the link was lost"},
    {"SMSG_RouteKept", &SMSG_RouteKept, "the device kept input %1"},
    {"SMSG_RouteReplaced", &SMSG_RouteReplaced, "replaced by a newer pick"},
    {"SMSG_RouteNoAnswer", &SMSG_RouteNoAnswer, "no answer from the device"},
    {"SMSG_KeyOutput", &SMSG_KeyOutput, "Output %1 → input …"},
    {"SMSG_KeyRoute", &SMSG_KeyRoute, "Output %1 → input %2 — Enter routes, Esc clears"},
    {"SMSG_KeyTyping", &SMSG_KeyTyping, "Output %1…"},
    {"SpushButton_History", &SpushButton_History, "History"},
    {"Ui_History_AppName", &Ui_History_AppName, "Routing history"},
    {"SpushButton_Undo", &SpushButton_Undo, "Undo"},
    {"SpushButton_Redo", &SpushButton_Redo, "Redo"},
    {"SHistory_Start", &SHistory_Start, "Routing when connected"},
    {"STEP_Switch", &STEP_Switch, "Switch: input %1 to output %2"},
    {"STEP_Take", &STEP_Take, "Take: %1 outputs"},
    {"STEP_AllSet", &STEP_AllSet, "Allset: input %1"},
    {"STEP_Salvo", &STEP_Salvo, "Salvo \"%1\" recalled: %2 outputs"},
    {"STEP_Preset", &STEP_Preset, "Preset %1 recalled"},
    {"SMSG_UndoFailed", &SMSG_UndoFailed, "Undo did not finish: %1"},
    {"SMSG_RedoFailed", &SMSG_RedoFailed, "Redo did not finish: %1"},
    {"SpushButton_Salvos", &SpushButton_Salvos, "Salvos"},
    {"Ui_Salvos_AppName", &Ui_Salvos_AppName, "Salvos"},
    {"SpushButton_SalvoSave", &SpushButton_SalvoSave, "Save routing as salvo"},
    {"SpushButton_SalvoRecall", &SpushButton_SalvoRecall, "Recall"},
    {"SpushButton_SalvoRename", &SpushButton_SalvoRename, "Rename"},
    {"SpushButton_SalvoDelete", &SpushButton_SalvoDelete, "Delete"},
    {"SpushButton_SalvoExport", &SpushButton_SalvoExport, "Export"},
    {"SpushButton_SalvoImport", &SpushButton_SalvoImport, "Import"},
    {"Slabel_SalvoName", &Slabel_SalvoName, "Name:"},
    {"Slabel_SalvoOutputs", &Slabel_SalvoOutputs, "Outputs to keep:"},
    {"SMSG_ConfirmSalvoDelete", &SMSG_ConfirmSalvoDelete, "Delete the salvo \"%1\"?"},
    {"SMSG_SalvoSaved", &SMSG_SalvoSaved, "Salvo \"%1\" saved: %2 outputs."},
    {"SMSG_SalvoImported", &SMSG_SalvoImported, "Salvo \"%1\" imported."},
    {"SMSG_SalvoNotImported", &SMSG_SalvoNotImported, "Nothing imported: %1"},
    {"SMSG_SalvoNoOutputs", &SMSG_SalvoNoOutputs, "Choose at least one output."},
    {"SList_DevicePreset", &SList_DevicePreset, "Preset %1 (device)"},
    {"Ui_SalvoPreview_AppName", &Ui_SalvoPreview_AppName, "Preview"},
    {"SHeader_Output", &SHeader_Output, "Output"},
    {"SHeader_From", &SHeader_From, "From"},
    {"SHeader_To", &SHeader_To, "To"},
    {"SMSG_PreviewNone", &SMSG_PreviewNone, "Nothing would change."},
    {"SpushButton_Cancel", &SpushButton_Cancel, "Cancel"},
    {"SMenu_LockOutput", &SMenu_LockOutput, "Lock output %1"},
    {"SMenu_UnlockOutput", &SMenu_UnlockOutput, "Unlock output %1"},
    {"STIPS_Locked", &STIPS_Locked, "Locked (%1)"},
    // Output locks
    {"S_LockThisWindow", &S_LockThisWindow, "this window"},
    {"S_LockOtherClient", &S_LockOtherClient, "another client"},
    {"SMSG_LockSkippedOne", &SMSG_LockSkippedOne, "Output %1 is locked by %2: skipped"},
    {"SMSG_LockSkippedMany", &SMSG_LockSkippedMany, "Outputs %1 are locked by %2: skipped"},
};

void RestoreLanguageDefaults()
{
    RestoreTableDefaults(LanguageTable, LanguageTableSize);
}

namespace {
// The texts hold the built-in English before any file is read.
const struct LanguageDefaultsLoader
{
    LanguageDefaultsLoader() { RestoreLanguageDefaults(); }
} languageDefaultsLoader;
} // namespace
