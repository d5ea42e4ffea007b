#!/usr/bin/env python3
"""Writes resources/APP/ConfigFile/language-Other.ini (Simplified Chinese).

The key order is taken from the LanguageTable in app/LanguageTable.cpp, so the
file always follows the table; every key must have a text here and no text
may be left over. The program's reader is positional and expects exactly one
"key=text" line per entry, UTF-8 without a byte-order mark, CR LF after each.
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
TABLE_SOURCE = ROOT / "app" / "LanguageTable.cpp"
OUTPUT = ROOT / "resources" / "APP" / "ConfigFile" / "language-Other.ini"

TEXTS = {
    # General words and lists
    "S_HighLow[0]": "高",
    "S_HighLow[1]": "低",
    "S_OnOff[0]": "开",
    "S_OnOff[1]": "关",
    "S_ConnectDisconnect[0]": "连接",
    "S_ConnectDisconnect[1]": "断开",
    "S_ReadWrite[0]": "读取",
    "S_ReadWrite[1]": "写入",
    "S_ResetDevice": "复位",
    "S_SaveLoad[0]": "保存",
    "S_SaveLoad[1]": "调用",
    "S_SwitchOnOff": "开关：",
    "S_Mute": "静音：",
    "S_Select": "选择：",
    "S_Input": "输入",
    "S_OutPut": "输出",
    "S_Port": "端口",
    "S_InputType": "输入类型",
    "S_InputFormat": "输入格式",
    "S_OutputType": "输出类型",
    "S_OutputFormat": "输出格式",
    "S_AudioSelect": "音频选择",
    "S_Bind": "绑定",
    "S_Rotate": "旋转",
    "S_AudioMute": "静音",
    "S_Freeze": "冻结",
    "S_Black": "黑屏",
    "S_Pixel": "像素",
    "S_Sync": "同步",
    "S_Message": "信息",
    "S_Clear": "清空",
    "S_NoSignal": "无信号",
    "S_Bypass": "直通",
    "S_TestPattern": "测试图",
    "S_Rename": "重命名",
    "S_Background": "BG",
    "S_Multiview": "MV",
    "S_AutoCheck": "自动检测",
    "SSearchList_Number": "序号",
    "SSearchList_DeviceName": "设备名称",
    "SSearchList_IP": "IP",
    "SSearchList_MAC": "MAC",
    "SSearchList_Version": "版本",
    "SConditionsLimit": "不满足条件",
    "S_Window": "窗口",
    "S_Layer": "图层",
    "S_AudioSource": "音频源",
    "S_Peripheral": "外设",
    "S_HEX": "HEX",
    "S_CmdLine": "命令行",
    "S_Send": "发送",
    "S_Order": "顺序",
    "S_Delay": "延时",
    "S_All": "全部",
    "S_Edit": "编辑",
    "S_Baudrate": "波特率",
    "S_Note": "备注",
    "S_LineNumber": "行号：",
    "S_FormatError": "格式错误！",
    "S_Import": "导入",
    "S_Export": "导出",
    "S_Config": "配置",
    "S_StopSync": "停止同步",
    "S_ExpandInputName[0]": "扩展1",

    # Login window
    "Ui_Login_AppName": " 用户登录",
    "Slabel_Language": "Language/语言:",
    "Slabel_UserName": "用户名：",
    "Slabel_Password": "密码：",
    "SpushButton_Login": "登录",
    "SpushButton_Modify": "修改",
    "ScomboBox_Admin": "管理员",
    "ScomboBox_User": "用户",
    "SMSG_InputPasswordError": "密码错误！",
    "SMSG_AdminModidy": "管理员密码不可修改！",
    "SMSG_UserOriginalPassword": "用户原密码验证失败！",
    "SMSG_UserModifyPassword": "请输入修改后的新密码！",
    "SMSG_UserModifyPasswordOK": "密码修改成功！",
    "SMSG_UserModifyPasswordFail": "输入的密码不合法：密码必须为6位数字",

    # Main window
    "Ui_Main_AppName": " KXR",
    "ScomboBox_LanguageSelect[0]": "English",
    "ScomboBox_LanguageSelect[1]": "中文",
    "SMSG_ReadDeviceFail": "识别设备失败！错误码：",
    "SMSG_CommunicationFail": "无法与设备通信！错误码：",

    # Connection page
    "Ui_Uart_Network_AppName": "连接",
    "Slabel_Uart": "串口：",
    "Slabel_Baudrate": "波特率：",
    "Slabel_DataBit": "数据位：",
    "Slabel_Parity": "校验位：",
    "Slabel_StopBit": "停止位：",
    "Slabel_FlowControl": "流控：",
    "SgroupBox_Uart": "RS232",
    "Slabel_Network": "网络：",
    "Slabel_Ip": "IP：",
    "Slabel_Port": "端口：",
    "Slabel_SubMask": "子网掩码：",
    "Slabel_Gateway": "网关：",
    "SgroupBox_Network": "网络",
    "SgroupBox_Status": "状态",
    "Slabel_MyIpv4": "本机IP：",
    "Slabel_MyPort": "本机端口：",
    "SgroupBox_MyNetwork": "本机网络信息",
    "SMSG_SerialPort_Connect_Fail": "串口连接失败！错误码：",
    "SMSG_Network_Param_Fail": "网络信息错误！请检查！",
    "SMSG_Network_Connect_Fail": "请检查本机IP配置信息！错误码：",
    "SMSG_Network_ReConnect_Fail": "网络连接错误，请重新连接网络！",
    "SgroupBox_SearchList": "搜索列表",
    "SpushButton_SearchDevice": "搜索设备",
    "SpushButton_UartReadDevice": "串口读取设备",
    "SMSG_MachineNotMatch": "设备与本控制软件不匹配！",
    "SMSG_DataOverflow_Fail": "数据溢出，已清空！",
    "SMSG_DataFormatError_Fail": "数据格式错误或数据为空！",

    # Matrix page
    "Ui_Matrix_AppName": "矩阵",
    "SgroupBox_Matrix": "切换",
    "SgroupBox_ExpandIn": "扩展输入",
    "SgroupBox_LRSwitch": "音频切换",
    "Slabel_AllOutputSet": "全部切换：",
    "SpushButton_SaveLoadWin": "保存/调用",
    "SpushButton_EDIDWin": "EDID",
    "STIPS_EnterKeyFinishInputAndClose": "按回车键结束输入并退出",

    # Signal configuration page
    "Ui_SignalConfig_AppName": "信号配置",
    "SgroupBox_Input": "输入",
    "SgroupBox_Output": "输出",
    "SpushButton_ReadAllInput": "读取全部输入",
    "SpushButton_ReadAllOutput": "读取全部输出",
    "SpushButton_More": "更多",
    "ScomboBox_I_AudioSelect[0]": "嵌入",
    "ScomboBox_I_AudioSelect[1]": "L/R",
    "Slist_O_InputFormat_MultiMode": "多画面模式",

    # TV wall page
    "Ui_TV_Wall_AppName": "电视墙",
    "SgroupBox_TvWallConfig": "电视墙配置",
    "Slabel_Row": "行",
    "Slabel_Column": "列",
    "Slabel_Available": "可用",
    "SgroupBox_BezelConfig": "边框补偿(像素)",
    "Slabel_EdgeLeft": "左边缘",
    "Slabel_EdgeRight": "右边缘",
    "Slabel_EdgeUp": "上边缘",
    "Slabel_EdgeBottom": "下边缘",
    "Slabel_TvWallDisplay": "电视墙显示",
    "SMenu_ScreenSplicing": "屏幕拼接",
    "SMenu_CancelSplicing": "取消拼接",
    "SMenu_InputSelect": "输入选择",
    "SMenu_OutputSelect": "输出选择",
    "SMenu_SyncLock": "同步延时",
    "SMenu_MVInputEn": "MV输入使能",
    "SMenu_MultiPanel": "多面板(LED)",
    "SMenu_ScreenAngle": "屏幕角度",

    # System page
    "Ui_System_AppName": "系统",
    "SgroupBox_NetworkModule": "网络模块",
    "SpushButton_WebOpen": "打开网页",
    "SpushButton_LoadDefault": "恢复默认",
    "SgroupBox_BasicConfig": "基本配置",
    "Slabel_NM_UPNPPort": "UPNP端口",
    "Slabel_NM_HTTPPort": "HTTP端口",
    "Slabel_NM_DeviceID": "设备ID",
    "Slabel_NM_DeviceIDType": "设备ID类型",
    "Slabel_NM_UserName": "用户名",
    "Slabel_NM_Password": "密码",
    "Slabel_NM_DeviceName": "设备名称",
    "Slabel_NM_MAC": "MAC",
    "Slabel_NM_IPType": "IP类型",
    "Slabel_NM_StaticIP": "静态IP",
    "Slabel_NM_SubnetMask": "子网掩码",
    "Slabel_NM_Gateway": "网关",
    "SgroupBox_PortConfig": "端口配置",
    "Slabel_NM_BaudRate": "波特率",
    # The row holds parity, data bits and stop bits.
    "Slabel_NM_BaudRateParam": "串口参数",
    "Slabel_NM_FlowControl": "流控",
    "Slabel_NM_WorkMode": "工作模式",
    "Slabel_NM_RemoteIP": "远程IP",
    "Slabel_NM_RemotePort": "远程端口",
    "Slabel_NM_LocalPort": "本地端口",
    "Slabel_NM_ServerConnectCount": "服务器连接数",
    "Slabel_NM_TCPServerStyle": "TCP服务器类型",
    "Slabel_NM_ModbusTCP": "Modbus TCP",
    "Slabel_NM_PackTime": "打包时间",
    "Slabel_NM_PackLen": "打包长度",
    "Slabel_NM_SyncBaudRate": "同步波特率",
    "ScomboBox_NM_IPType[0]": "动态IP",
    "ScomboBox_NM_IPType[1]": "静态IP",
    "ScomboBox_NM_Parity[0]": "无校验",
    "ScomboBox_NM_Parity[1]": "奇校验",
    "ScomboBox_NM_Parity[2]": "偶校验",
    "ScomboBox_NM_Parity[3]": "标记校验",
    "ScomboBox_NM_Parity[4]": "空格校验",
    "ScomboBox_NM_FlowControl[0]": "无",
    "ScomboBox_NM_FlowControl[1]": "硬件流控",
    "ScomboBox_NM_FlowControl[2]": "RS485",
    "Slabel_Reset": "恢复出厂设置：",
    "Slabel_FirmwareVersion": "固件版本：",
    "ScomboBox_FirmwareVersion[0]": "主板",
    "ScomboBox_FirmwareVersion[1]": "按键板",
    "ScomboBox_FirmwareVersion[2]": "输入板",
    "ScomboBox_FirmwareVersion[3]": "输出板",
    "ScomboBox_FirmwareVersion[4]": "控制板",
    "SpushButton_AdminWin": "管理员",
    "SMSG_ResetMessage": "确认将设备恢复出厂设置？",
    "SMSG_SyncConfigInfo": "1-正在同步配置信息……",
    "SMSG_ReConnect": "2-请重新连接软件！",
    "SMSG_NoClickDevice": "请先点击设备加载配置！",
    "SMSG_NoSearchDevice": "请先搜索设备！",
    "SMSG_NetworkParamFormatError": "网络参数格式错误>>>",
    "SMSG_NetworkConfigRestoreTheDefault": "网络配置已恢复默认，请重新搜索并连接设备！",
    "SMSG_NetworkConfigResetFail": "网络配置恢复默认失败，请重新搜索并连接设备！",
    "SMSG_NetworkConfigEditSuccess": "网络配置写入成功，请重新搜索并连接设备！",

    # Multiview page
    "Ui_Multiview_AppName": "多画面",
    "Slabel_MV_Select": "多画面选择：",
    "Slabel_MultiviewDisplay": "多画面显示",
    "SgroupBox_MultiviewInfo": "多画面信息",
    "Slabel_CurWin": "当前窗口：",
    "Slabel_WinStatus": "窗口状态：",
    "Slabel_WinLayerRank": "窗口图层：",
    "Slabel_WinX": "窗口X：",
    "Slabel_WinY": "窗口Y：",
    "Slabel_WinW": "窗口宽度：",
    "Slabel_WinH": "窗口高度：",
    "Slabel_SrcCropXRatio": "输入裁剪水平起点(%)：",
    "Slabel_SrcCropYRatio": "输入裁剪垂直起点(%)：",
    "Slabel_SrcCropWRatio": "输入裁剪宽度(%)：",
    "Slabel_SrcCropHRatio": "输入裁剪高度(%)：",
    "Slabel_InputSource": "输入源：",
    "SMenu_MV_AudioSource[0]": "静音",

    # Peripheral page
    "Ui_Peripheral_AppName": "外设",
    "SgroupBox_IO_IN": "IO输入",
    "SgroupBox_IO_OUT": "IO输出",
    "SgroupBox_Relay": "继电器",
    "SgroupBox_UserCmdLine": "用户命令行",
    "Slabel_SetCmdLineNum": "命令行数量：",
    "ScheckBox_LoopSend": "循环发送",
    "Slabel_EditNote": "编辑备注：",
    "ScomboBox_Peripheral[0]": "外设",
    "ScomboBox_Peripheral[1]": "输入",
    "ScomboBox_Peripheral[2]": "输出",
    "SMSG_Error_DataOverflow": "数据溢出！",
    "SMSG_Error_DataFormatError": "数据格式错误或数据为空！",
    "SMSG_FileDataError": "文件数据错误！",

    # Layout save/load dialog
    "Ui_SaveLoad_AppName": "保存/调用",
    "Slabel_SaveLayout": "保存：",
    "Slabel_LoadLayout": "调用：",
    "Slabel_LayoutName": "<<保存名称↓↓↓",
    "SMSG_SaveMessage": "确认保存？",
    "SMSG_LoadMessage": "确认调用？",

    # EDID dialog
    "Ui_Edid_AppName": "EDID",
    "Slabel_EdidReadPort": "读取输出端口：",
    "Slabel_EdidWritePort": "写入输入端口：",
    "SMSG_NotIsEdidContent": "这不是EDID文件！",
    "SMSG_EdidCheckFail": "EDID校验失败，请检查EDID文件！",
    "SMSG_EdidWriteOk": "EDID写入成功。",

    # More dialog
    "Ui_More_AppName": "更多",
    "SpushButton_AllBindOn": "全部绑定开启",
    "SpushButton_AllBindOff": "全部绑定关闭",
    "SpushButton_ReportOn": "上报开启",
    "SpushButton_ReportOff": "上报关闭",
    "SpushButton_IR_On": "IR开启",
    "SpushButton_IR_Off": "IR关闭",
    "Slabel_NAdd1_Backup": "N+1备份：",
    "SpushButton_NAdd1_On": "N+1开启",
    "SpushButton_NAdd1_Off": "N+1关闭",
    "Slabel_InputNoSignal_OutputMode": "输入无信号时：",
    "Slabel_OutputNoSignal_OutputMode": "输出无信号时：",
    "SgroupBox_UserDefineResolution": "自定义分辨率",
    "Slabel_HWidth": "水平宽度",
    "Slabel_VHeight": "垂直高度",
    "SgroupBox_MultiviewConfig": "多画面配置",
    "Slabel_OutputMode": "输出模式",
    "ScomboBox_OutputMode[0]": "普通",
    "ScomboBox_OutputMode[1]": "多画面",
    "SMSG_AUTOResIsOnlyNormalMode": "当前分辨率为AUTO，不能设置为多画面模式！",

    # Admin dialog
    "Ui_Admin_AppName": "管理员",
    "SgroupBox_ProductScale": "产品规格",
    "SgroupBox_FrontPanelDispaly": "前面板显示",
    "SgroupBox_SN": "SN",
    "SgroupBox_DeviceName": "设备名称",
    "Slabel_InputNumber": "输入数量",
    "Slabel_OutputNumber": "输出数量",
    "Slabel_FirstLine": "第一行",
    "Slabel_SecondLine": "第二行",
    # Confirmations, command names of unanswered requests, console options
    "SMSG_ConfirmLoadDefault": "确认将网络模块恢复出厂设置？其地址可能改变，连接将断开。",
    "SMSG_ConfirmBasicConfigWrite": "确认将基本设置写入网络模块？模块将重启，连接将断开。",
    "SMSG_ConfirmPortConfigWrite": "确认将端口设置写入网络模块？模块将重启，连接将断开。",
    "SMSG_ConfirmEdidWrite": "确认将此EDID写入输入%1？该输入现有的EDID将被替换。",
    "SMSG_ConfirmAllSet": "确认将所有输出切换到%1？",
    "SMSG_ConfirmModeLeavesSplice": "输出%1-%2将退出电视墙拼接。确认更改输出模式？",
    "SMSG_ConfirmModeEndsMultiview": "输出%1-%2上的多画面将结束。确认更改输出模式？",
    "SMSG_ConfirmCancelSplice": "确认取消输出%1的整个拼接？",
    "SMSG_NoAnswer": "%1：设备无应答",
    "SCMD_Switch": "切换输入%1 → 输出%2",
    "SCMD_SwitchAll": "切换输入%1 → 所有输出",
    "SCMD_PresetSave": "保存预设%1",
    "SCMD_PresetLoad": "调用预设%1",
    "SCMD_RoutingRead": "读取切换状态",
    "SCMD_OutputMode": "输出%1的输出模式",
    "SCMD_Edid": "EDID传输",
    "SCMD_Reset": "设备复位",
    "SCMD_Command": "命令%1",
    "SCheckBox_Timestamps": "时间（毫秒）",
    "SCheckBox_OneView": "收发合并显示",
}

# Numbered entries follow one pattern each.
for i in range(16):
    TEXTS[f"S_InputName[{i}]"] = f"输入{i + 1}"
    TEXTS[f"S_OutputName[{i}]"] = f"输出{i + 1}"
for i in range(30):
    TEXTS[f"ScomboBox_Layout[{i}]"] = f"场景-{i + 1}"
for i in range(1, 5):
    TEXTS[f"SMenu_MV_AudioSource[{i}]"] = f"窗口{i}"
for prefix in ("ScomboBox_InputNoSignal_OutputMode", "ScomboBox_OutputNoSignal_OutputMode"):
    for i, text in enumerate(("黑屏", "蓝屏", "关闭输出")):
        TEXTS[f"{prefix}[{i}]"] = text


def table_keys():
    source = TABLE_SOURCE.read_text(encoding="utf-8")
    start = source.index("const TableEntry LanguageTable[")
    end = source.index("};", start)
    return re.findall(r'\{"([^"]+)",\s*&', source[start:end])


def main():
    keys = table_keys()
    missing = [k for k in keys if k not in TEXTS]
    extra = sorted(set(TEXTS) - set(keys))
    if missing or extra or len(keys) != len(set(keys)):
        sys.exit(f"table and texts differ: missing {missing}, extra {extra}")
    lines = []
    for key in keys:
        text = TEXTS[key]
        if not text or "\r" in text or "\n" in text:
            sys.exit(f"bad text for {key!r}")
        lines.append(f"{key}={text}\r\n")
    OUTPUT.parent.mkdir(parents=True, exist_ok=True)
    OUTPUT.write_bytes("".join(lines).encode("utf-8"))
    print(f"{OUTPUT.relative_to(ROOT)}: {len(lines)} lines")


if __name__ == "__main__":
    main()
