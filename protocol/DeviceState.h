#pragma once

#include <QtGlobal>

// What the program knows about the connected device: written by the reply
// dispatcher and the pages, on the GUI thread only. Every per-channel table
// has 16 entries and every index is clamped on access (channels, outputs and
// wall cells to 15, multiview records to 7, windows to 3), so a value taken
// from the wire can never reach past a table.
namespace DeviceLimits {
constexpr quint32 Channels = 16;
constexpr quint32 MultiviewRecords = 8;
constexpr quint32 MultiviewWindows = 4;
constexpr quint32 MaxLayouts = 30;
constexpr quint32 EdidBytes = 256;
constexpr quint32 EdidBlock = 16;
constexpr quint32 ModuleSearchBytes = 36;
constexpr quint32 ModuleConfigBytes = 130;
constexpr quint32 ModuleMacBytes = 6;
} // namespace DeviceLimits

struct InputInfo
{
    quint32 pos2;
    quint32 pos3;
    quint32 type;
    quint32 pos6;
    quint32 pair7;
    quint32 pair9;
    quint8 zero11;
    quint32 pos12;
    quint32 pair13;
    quint32 pair15;
    quint8 zero17;
    quint32 pos18;
    quint32 format;
    quint8 bind;
    quint32 edidMode;
};

struct OutputInfo
{
    quint32 pos2; // board kind
    quint32 pos3; // bit 1: member of an output-mode group
    quint32 type;
    quint32 pair6;
    quint32 pair8;
    quint8 zero10;
    quint32 pos11;
    quint32 format;
    quint32 rotate;
    quint8 mute;
    quint8 freeze;
    quint8 black;
    quint32 mode;
    quint32 panelWidth;
    quint32 panelHeight;
};

struct MultiviewWindow
{
    quint8 slot;
    quint8 visible;
    quint8 layer;
    quint32 x;
    quint32 y;
    quint32 w;
    quint32 h;
    quint8 cropX;
    quint8 cropY;
    quint8 cropW;
    quint8 cropH;
};

struct MultiviewRecord
{
    quint32 kind;   // board kind of the output; 255 marks a free record
    quint32 output; // output port showing the multiview; 255 when free
    quint32 width;
    quint32 height;
    quint32 unit; // width / 20: the smallest window side
    quint8 windowCount;
    quint8 audioSource;

    MultiviewWindow &windowAt(quint32 w);
    const MultiviewWindow &windowAt(quint32 w) const;

private:
    MultiviewWindow m_windows[DeviceLimits::MultiviewWindows];
};

struct WallRect
{
    qint32 x;
    qint32 y;
    qint32 w;
    qint32 h;
};

// Taken as cell c it holds the cell's geometry and the output it shows;
// taken as output o it holds that output's splice state.
struct TvWallEntry
{
    qint32 cellX;
    qint32 cellY;
    qint32 cellWidth;
    qint32 cellHeight;
    quint8 spliced;
    quint8 singleExit;
    WallRect singleExitFrame;
    quint32 input;
    quint32 cellOutput;
    quint32 bezelLeft;
    quint32 bezelRight;
    quint32 bezelUp;
    quint32 bezelBottom;
    WallRect spliceFrame;
    quint32 spliceOrigin;
    quint32 spliceRow;
    quint32 spliceColumn;
    quint32 spliceRows;
    quint32 spliceColumns;
    quint8 syncLock;
    quint8 screenAngle;

    // Geometry and splice fields; input and cellOutput stay.
    void clearGeometryAndSplice();
};

struct TvWallState
{
    quint32 rows;
    quint32 cols;
    quint32 cellCount;
    quint8 mvInputEnable;

    TvWallEntry &entryAt(quint32 i);
    const TvWallEntry &entryAt(quint32 i) const;

private:
    TvWallEntry m_entries[DeviceLimits::Channels];
};

// Resolution read of every output of one panel group, filled by the TV wall
// grid and counted down by the dispatcher.
struct MultiPanelJob
{
    quint8 outputs[DeviceLimits::Channels];
    quint8 count;
    quint8 received;
    quint8 busy;
};

class DeviceState
{
public:
    DeviceState(); // the start-up model: all zero except mvFeature

    // Identity and capacity, from the device-type reply.
    quint8 identified;
    quint8 stopSync;
    quint32 outputCount;
    quint32 inputCount;
    quint32 model3;
    quint32 model4;
    quint8 mvFeature; // the last input carries a multiview picture
    quint32 layoutCount;
    quint32 expandInputCount;
    quint32 expandInputChannel;

    // Device-wide switches.
    quint8 allBind;
    quint8 reportOn;
    quint8 irOn;
    quint8 nPlus1Backup;
    quint32 lrInput;

    quint32 multiviewCount;
    quint32 selectedMultiview;

    TvWallState tvWall;
    quint8 multiPanelFeature;

    quint8 edidReadBuffer[DeviceLimits::EdidBytes];
    quint8 edidWriteBuffer[DeviceLimits::EdidBytes];
    quint8 edidReadOffset;
    quint8 edidWriteOffset;
    quint8 edidReadBusy;
    quint8 edidWriteBusy;

    MultiPanelJob multiPanel;

    quint8 moduleSearchRecord[DeviceLimits::ModuleSearchBytes];
    quint8 moduleConfigRecord[DeviceLimits::ModuleConfigBytes];
    quint8 moduleMac[DeviceLimits::ModuleMacBytes];

    InputInfo &inputAt(quint32 i);
    const InputInfo &inputAt(quint32 i) const;
    OutputInfo &outputAt(quint32 i);
    const OutputInfo &outputAt(quint32 i) const;
    quint32 &routingAt(quint32 i);
    quint32 routingAt(quint32 i) const;
    TvWallEntry &wallEntry(quint32 i);
    const TvWallEntry &wallEntry(quint32 i) const;
    MultiviewRecord &multiviewAt(quint32 i);
    const MultiviewRecord &multiviewAt(quint32 i) const;

private:
    InputInfo m_input[DeviceLimits::Channels];
    OutputInfo m_output[DeviceLimits::Channels];
    quint32 m_routing[DeviceLimits::Channels];
    MultiviewRecord m_multiview[DeviceLimits::MultiviewRecords];
};

// The one process-wide model.
DeviceState &Device();

// What closing a connection forgets: identity, counts, channel tables,
// switches, routing, multiview records and TV wall. mvFeature, the EDID
// transfer buffers and flags, the multi-panel job, the multi-panel menu
// switch and the network-module records survive.
void ResetDeviceState();

// Back to the start-up model, everything included.
void ClearDeviceStateForTests();

// The index rules of the model.
quint32 ClampChannel(quint32 i);
quint32 ClampMultiview(quint32 i);
quint32 ClampWindow(quint32 w);
