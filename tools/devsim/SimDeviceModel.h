#pragma once

#include <QByteArray>
#include <QVector>
#include <QtGlobal>

// Sizes of the simulated device's tables.
namespace SimLimits {
constexpr int Channels = 16;
constexpr int MaxLayouts = 30;
constexpr int Windows = 4;
constexpr int EdidBytes = 256;
constexpr int TextBytes = 40;      // device name and serial number
constexpr int PanelLineBytes = 16; // one line of the front panel display
constexpr int FirmwareModules = 5;
constexpr int FirmwareBytes = 7; // year (two bytes), month, day, hour, minute, second
constexpr int BezelSides = 4;    // left, right, up, bottom
constexpr int GroupSize = 4;     // outputs of one output-mode group
} // namespace SimLimits

// A timing as a port reports it; all zero: no signal.
struct SimTiming
{
    quint16 width = 0;
    quint16 height = 0;
    quint8 rate = 0;
    bool interlaced = false;
};

struct SimInput
{
    quint8 kind = 0;
    quint8 type = 7; // HDMI
    quint8 audio = 0;
    quint8 format = 0;
    quint8 edidMode = 0;
    quint16 width = 1920;
    quint16 height = 1080;
    quint8 rate = 60;
    bool interlaced = false;
    quint16 outWidth = 1920;
    quint16 outHeight = 1080;
    quint8 outRate = 60;
    bool outInterlaced = false;
    bool bind = false;
    QByteArray edid; // written by the program block by block
};

struct SimOutput
{
    quint8 kind = 1;
    quint8 type = 7;    // HDMI
    quint8 format = 10; // 1920x1080p60
    quint8 mode = 0;    // non-zero on a group leader: multiview
    quint8 rotate = 0;
    bool mute = false;
    bool freeze = false;
    bool black = false;
    quint16 userWidth = 1920;
    quint16 userHeight = 1080;
    quint16 panelWidth = 1920;
    quint16 panelHeight = 1080;
    quint8 testPatternOn = 0;
    quint8 testPattern = 0;
    // The timing the output reports as its incoming one; unless set, that
    // of the input routed to it.
    bool ownTiming = false;
    SimTiming timing;
    QByteArray edid; // of the display on this output
    // Splice settings of the screen this output drives.
    quint8 spliceRows = 1;
    quint8 spliceCols = 1;
    quint8 spliceRow = 0;
    quint8 spliceCol = 0;
    quint8 bezel[SimLimits::BezelSides] = {0, 0, 0, 0};
    quint8 angle = 0;
    quint8 syncLock = 0;
};

struct SimWindow
{
    quint8 slot = 0;
    quint8 visible = 1;
    quint8 layer = 0;
    quint16 x = 0;
    quint16 y = 0;
    quint16 w = 0;
    quint16 h = 0;
    quint8 cropX = 0;
    quint8 cropY = 0;
    quint8 cropW = 100;
    quint8 cropH = 100;
};

struct SimMultiview
{
    quint16 width = 3840;
    quint16 height = 2160;
    quint8 windowCount = SimLimits::Windows;
    quint8 audioSource = 0;
    SimWindow windows[SimLimits::Windows];
};

// One screen of the TV wall as the device reports it.
struct SimWallCell
{
    quint8 flags = 0; // angle << 3 | single exit << 2 | sync lock << 1 | spliced
    quint8 spliceOrigin = 0;
    quint8 output = 0;
    quint8 bezel[SimLimits::BezelSides] = {0, 0, 0, 0};
};

struct SimWall
{
    quint8 rows = 0;
    quint8 cols = 0;
    quint8 cellCount = 0;
    quint8 mvInputEnable = 0;
    SimWallCell cells[SimLimits::Channels];
};

struct SimLayout
{
    bool saved = false;
    quint8 routing[SimLimits::Channels] = {};
};

// One network module: its configuration block and the block it returns to
// on a restore of defaults.
struct SimModule
{
    QByteArray block;
    QByteArray defaults;
    quint16 version = 0;
    // Written parts wait here until the module is told to apply them; then it
    // restarts with them (a new address or MAC included).
    QByteArray pending;
    // A restore of defaults answers "E" and changes nothing.
    bool defaultFails = false;
};

// One user command line the device passed on to equipment behind it.
struct SimPassThrough
{
    qint64 atNs = 0;   // on the clock of the traffic entries
    quint8 port = 0;   // 0xFF: all ports
    quint8 target = 0; // 0x00 peripheral port, 0x41 an input, 0x02 an output
    quint8 baud = 0;   // index: 9600, 19200, 38400, 57600, 115200
    QByteArray payload;
};

struct SimModelOptions
{
    int inputs = 8;
    int outputs = 8;
    int layouts = 16;
    int model3 = 16; // 16 or more: the last input carries a multiview picture
    int model4 = 0;
    int modules = 1;
    quint16 tcpPort = 5000; // the module's local port, where the device listens
    // The first module's static address; further modules count its last
    // octet up.
    quint8 moduleIp[4] = {192, 168, 0, 247};
    // State bits of the IO inputs, IO outputs and relays (bit k: line k + 1).
    int ioInputs = 0x05;
    int ioOutputs = 0;
    int relays = 0;
    // A TV wall of wallRows x wallCols displays, none spliced, cell k
    // showing output k; 0 keeps the factory wall.
    int wallRows = 0;
    int wallCols = 0;
    // Per channel, from channel 0 on; channels past a list keep the
    // defaults (see SimChannelOptions.h).
    QVector<int> inputKinds;
    QVector<int> inputTypes;
    QVector<SimTiming> inputTimings;
    QVector<int> outputKinds;
    QVector<int> outputTypes;
    QVector<int> outputFormats;
    QVector<SimTiming> outputTimings;
    // The display EDID of each output (256 bytes; empty keeps the usual one).
    QVector<QByteArray> outputEdids;
    // The login every module expects; a request with other credentials is
    // not answered.
    QByteArray moduleUser = "qzvkp";
    QByteArray modulePassword = "qzvkp";
    bool moduleDefaultFails = false;
    // Multiview: the 0-based leaders of the output groups that show one
    // (unless set, the second group of four), the size of every multiview
    // output and the windows each reports.
    bool multiviewGroupsSet = false;
    QVector<int> multiviewGroups;
    int multiviewWidth = 3840;
    int multiviewHeight = 2160;
    int multiviewWindows = SimLimits::Windows;
};

struct SimDeviceModel
{
    quint8 inputCount = 0;
    quint8 outputCount = 0;
    quint8 layoutCount = 0;
    quint8 model3 = 0;
    quint8 model4 = 0;

    quint8 routing[SimLimits::Channels] = {};
    quint8 lrInput = 0;
    SimInput inputs[SimLimits::Channels];
    SimOutput outputs[SimLimits::Channels];

    // Device-wide switches of command 0x49 and their neighbours.
    quint8 allBind = 0;
    quint8 reportOn = 1;
    quint8 irOn = 1;
    quint8 nPlus1 = 0;
    quint8 nPlus1Backup = 0;
    quint8 noSignalInput = 0;
    quint8 noSignalOutput = 0;

    SimWall wall;
    SimMultiview multiview[SimLimits::Channels]; // by output
    SimLayout layouts[SimLimits::MaxLayouts];

    QByteArray deviceName;   // 40 bytes
    QByteArray serialNumber; // 40 bytes
    QByteArray panelLine1;   // 16 bytes
    QByteArray panelLine2;   // 16 bytes

    quint8 ioInputs = 0x05; // lines 1 and 3 active
    quint8 ioOutputs = 0;
    quint8 relays = 0;
    QByteArray firmware[SimLimits::FirmwareModules];
    QByteArray lastPassThrough;           // payload of the last user command line
    QVector<SimPassThrough> passThroughs; // every user command line passed on, oldest first
    qint64 requestNs = 0;                 // when the request being answered came in
    int resetCount = 0;

    QVector<SimModule> modules;

    bool validInput(int ch) const { return ch >= 0 && ch < inputCount; }
    bool validOutput(int ch) const { return ch >= 0 && ch < outputCount; }
};

// A device as it leaves the factory, sized by the options (counts capped at
// 16 channels and 30 layouts).
SimDeviceModel MakeSimDeviceModel(const SimModelOptions &options);

// The device's factory reset: settings back to their defaults; the counts,
// the displays' EDIDs and the network modules stay.
void ResetSimDevice(SimDeviceModel &model);

// Whether an output shows a multiview: its group leader is in a non-zero
// output mode.
bool SimOutputInMultiview(const SimDeviceModel &model, int output);
