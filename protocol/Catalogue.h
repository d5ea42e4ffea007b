#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QtGlobal>

// One builder per command the program sends. Each lays out the payload,
// frames it, records how the reply is recognised and how long to wait, and
// queues it: device commands on the active device link (nothing while no
// link is up), network-module commands on the UDP channel. Builders send
// nothing; the caller raises its send request afterwards. Each returns true
// when the command was queued.
//
// Channel bounds: a command whose first payload byte names an input is
// refused for an input at or above Device().inputCount, one naming an
// output for an output at or above Device().outputCount, so a page can
// never address a port the identified device does not have. Multiview,
// TV wall cell and layout numbers are indices of the model and are
// clamped there rather than refused.

// Routing and matrix
bool CMD_SwitchInput(quint32 in, quint32 out);
// The same bytes, but a switch of this output still waiting in the queue is
// replaced rather than followed (the operator's newest pick wins).
bool CMD_SwitchInputLatest(quint32 in, quint32 out);
bool CMD_SwitchAllOutputs(quint32 in);
bool CMD_RoutingRead();
// One input to several outputs (at most 16, each below outputCount).
bool CMD_TvWallInputSelect(quint32 in, const QVector<quint32> &outputs);
bool CMD_LRInputRead();
bool CMD_LRInputWrite(quint8 value);

// Signal configuration
bool CMD_InputInfoRead(quint32 ch);
bool CMD_OutputInfoRead(quint32 ch);
bool CMD_InputBindRead();
// Sends the bind flags of the model.
bool CMD_InputBindWrite();
bool CMD_InputAudioSelectWrite(quint32 ch, quint8 value);
bool CMD_InputTypeWrite(quint32 ch, quint8 value);
bool CMD_OutputTypeWrite(quint32 ch, quint8 value);
bool CMD_OutputFormatWrite(quint32 ch, quint8 value);
bool CMD_OutputAudioMuteWrite(quint32 ch, quint8 value);
bool CMD_OutputBlackWrite(quint32 ch, quint8 value);
bool CMD_OutputFreezeWrite(quint32 ch, quint8 value);

// Advanced output settings
bool CMD_AllBindWrite(quint8 value);
bool CMD_ReportWrite(quint8 value);
bool CMD_IrWrite(quint8 value);
bool CMD_NPlus1Write(quint8 value);
bool CMD_AllBindRead();
bool CMD_ReportRead();
bool CMD_IrRead();
bool CMD_NPlus1Read();
bool CMD_NPlus1BackupWrite(quint8 value);
bool CMD_NoSignalModeWrite(bool inputSide, quint8 value);
bool CMD_OutputModeRead(quint32 ch);
bool CMD_OutputModeWrite(quint32 ch, quint8 value);
bool CMD_OutputRotateRead(quint32 ch);
bool CMD_OutputRotateWrite(quint32 ch, quint8 value);
bool CMD_OutputResolutionRead(quint32 ch);
bool CMD_OutputResolutionWrite(quint32 ch, quint16 width, quint16 height);
bool CMD_OutputTestPatternWrite(quint32 ch, bool on, quint8 pattern);

// EDID: one 16-byte block at Device().edidReadOffset / edidWriteOffset.
bool CMD_EdidRead(quint32 out);
// buffer holds the 256-byte EDID image.
bool CMD_EdidWrite(quint32 in, const quint8 *buffer);
bool CMD_InputEdidModeRead(quint32 in);
bool CMD_InputEdidModeWrite(quint32 in, quint8 mode);

// Layouts, device settings and system
bool CMD_LayoutSave(quint8 layout);
bool CMD_LayoutLoad(quint8 layout);
bool CMD_DeviceNameRead();
bool CMD_SerialNumberRead();
// At most 40 bytes, zero-padded to 40.
bool CMD_DeviceNameWrite(const QByteArray &name);
bool CMD_SerialNumberWrite(const QByteArray &serialNumber);
bool CMD_FrontPanelTextRead();
// Each line at most 16 bytes; both always travel as 16-byte fields.
bool CMD_FrontPanelTextWrite(const QByteArray &line1, const QByteArray &line2);
bool CMD_DeviceTypeRead();
bool CMD_DeviceInfoRead();
// module: 0 main, 1 keyboard, 2 input port, 3 output port, 4 control.
bool CMD_FirmwareVersionRead(quint8 port, quint8 module);
bool CMD_DeviceReset();
bool CMD_ModuleAtCommand(bool staticIp, const QString &ip, const QString &mask, const QString &gateway);

// TV wall: the wall commands read the TV wall part of the model; the
// single-cell ones take a cell index and send the output that cell shows.
bool CMD_TvWallRead();
bool CMD_TvWallWrite();
bool CMD_TvWallApply();
bool CMD_TvWallScreenWrite(quint32 cell);
bool CMD_TvWallBezelWrite(quint32 cell);
bool CMD_TvWallAngleWrite(quint32 cell);
bool CMD_TvWallScreenModeWrite(quint32 cell);
// The stored panelWidth / panelHeight of each output (at most 16).
bool CMD_PanelResolutionWrite(const QVector<quint32> &outputs);

// Multiview: record m of the model, window w (0 … 3; higher is refused).
bool CMD_MultiviewRead(quint32 m);
bool CMD_MultiviewWrite(quint32 m, quint32 w);
bool CMD_MvAudioSelectWrite(quint32 m);
bool CMD_MvWindowLayerWrite(quint32 m, quint32 w);
bool CMD_MvWindowGeometryWrite(quint32 m, quint32 w);
bool CMD_MvWindowStatusWrite(quint32 m, quint32 w);

// Peripherals: three leading bytes (the third is the group) and the data.
// With a group the device answers; without one the queue pauses pauseMs.
bool CMD_PeripheralIo(quint8 lead0, quint8 lead1, quint8 group, const QByteArray &data, quint32 pauseMs);

// Network module (UDP). mac is the module's address as the caller holds it
// (at most 6 bytes).
bool NET_SearchDevice();
bool NET_ReadConfig(const quint8 *mac, quint32 macLength);
bool NET_ApplyConfig(const quint8 *mac, quint32 macLength);
bool NET_BasicConfigWrite(const quint8 *mac, quint32 macLength, const quint8 *block67);
bool NET_PortConfigWrite(const quint8 *mac, quint32 macLength, const quint8 *block63);
bool NET_LoadDefault(const quint8 *mac, quint32 macLength);

// The reads a page runs when the device has been identified. Each returns
// true when at least one command was queued.
bool QueueMatrixInitialRead();       // routing, then LR input
bool QueueSignalConfigInitialRead(); // every input, binds, every output
bool QueueTvWallRead();
