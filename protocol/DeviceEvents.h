#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// What the reply dispatcher tells the windows and pages. The dispatcher
// decodes bytes into the device model and then only emits these signals; the
// main window connects them to the pages. The object lives in the GUI thread
// and every argument is a plain Qt value, so queued connections need no
// type registration.
class DeviceEvents : public QObject
{
    Q_OBJECT

public:
    explicit DeviceEvents(QObject *parent = nullptr);

signals:
    // One composed line for the connection page's status log.
    void SGL_StatusLine(QString text);
    // The device-type reply was accepted / rejected. A rejection is followed
    // by SGL_ShowMessage and the connection page drops the link.
    void SGL_IdentificationSucceeded();
    void SGL_IdentificationFailed();
    // A text for the program's message box.
    void SGL_ShowMessage(QString text);
    // After an accepted identification (unless sync is stopped): first the
    // matrix, signal configuration and TV wall pages rebuild for the new
    // counts, then they queue their initial reads.
    void SGL_RebuildForCounts();
    void SGL_StartFullRead();

    // Refreshes of what the model now holds.
    void SGL_RefreshMatrix();                     // routing and LR input
    void SGL_RefreshInput(unsigned int channel);  // one input row
    void SGL_RefreshOutput(unsigned int channel); // one output row
    void SGL_RefreshBinds();
    // An output's signal information (0x7F) or output mode (0xA1, 0xA3)
    // was stored: the multiview output list follows it.
    void SGL_OutputChanged(unsigned int output);
    // The TV wall reply arrived: the page takes the size, then redraws.
    void SGL_UpdateContent_TvWall(unsigned int rows, unsigned int cols);
    void SGL_RefreshMultiview(unsigned int record);
    // A window acknowledgement changed one window of a multiview record;
    // code names what: 0x9D geometry, 0x9E crop, 0x9F layer, 0xA0 on/off.
    void SGL_RefreshMultiviewWindow(unsigned int record, unsigned int window, unsigned int code);

    // Relays to the More, EDID and Admin dialogs.
    void SGL_Update_AllBind();
    void SGL_Update_ReportOn();
    void SGL_Update_IR();
    void SGL_Update_NAdd1Backup();
    void SGL_Update_OutputRotate(unsigned int output, unsigned int rotate);
    void SGL_Update_UserResolution(unsigned int output, unsigned int width, unsigned int height);
    void SGL_Update_OutputMode(unsigned int output, unsigned int mode);
    void SGL_Update_InEdidMode(unsigned int input, int mode);
    void SGL_Update_EdidMessage(QString text);
    void SGL_Update_OutEdid(unsigned int port, QString hexText, unsigned int count);
    void SGL_Update_FrontPanelDispaly(QString line1, QString line2);
    void SGL_Update_SN(QString serialNumber);
    void SGL_Update_DeviceName(QString name);

    // Peripheral page: bit i of states is line i of the group (1 IO inputs,
    // 2 IO outputs, 3 relays).
    void SGL_PeripheralLines(unsigned int group, unsigned int states);

    // System page: a firmware version (port, module type, text).
    void SGL_FirmwareVersion(unsigned int port, unsigned int type, QString text);
    // The device's network settings read over the device link (0x9A), for
    // the connection page's list and the system page.
    void SGL_DeviceInformation(QString name, QString macText, bool staticIp, QString ip, QString mask, QString gateway,
                               QString version);
    // The device's answer to an AT command for its network module.
    void SGL_ModuleAtAnswer(QByteArray frame);

    // Network module over UDP.
    void SGL_ModuleFound(QString name, QString ipText, QString macText, QString versionText);
    void SGL_ModuleConfig(QByteArray block);
    void SGL_ModuleApplyAcknowledged();
    void SGL_ModuleLoadDefault(bool ok);

    // Every output of the multi-panel job has answered its resolution read.
    void SGL_MultiPanelReadCompleted(unsigned int count);

    // The dispatcher queued commands itself; the main window relays this as
    // SGL_UnifyUpdateEmit so that the services send them.
    void SGL_SendRequest();
};

// The process-wide instance; created on first use and moved to the
// application's thread.
DeviceEvents &Events();
