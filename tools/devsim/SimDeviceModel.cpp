#include "tools/devsim/SimDeviceModel.h"

#include "tools/devsim/SimChannelOptions.h"

#include "tools/devsim/SimEdid.h"
#include "tools/devsim/SimModuleBlock.h"
#include "tools/devsim/SimMultiviewOptions.h"

namespace {

constexpr quint8 MultiviewMode = 1;
constexpr int WallSide = 2;
constexpr quint8 SplicedFlag = 0x01;
constexpr quint16 FirstModuleVersion = 0x0105;
constexpr int MaxModules = 8;
constexpr int IoLineMask = 0x0F;
constexpr quint16 CanvasWidth = 3840;
constexpr quint16 CanvasHeight = 2160;

// Firmware build dates of the five boards, as year (two bytes), month, day,
// hour, minute, second.
constexpr quint8 FirmwareDates[SimLimits::FirmwareModules][SimLimits::FirmwareBytes] = {{20, 24, 5, 17, 10, 30, 0},
                                                                                        {20, 23, 11, 2, 9, 15, 42},
                                                                                        {20, 24, 1, 9, 16, 5, 7},
                                                                                        {20, 24, 3, 21, 8, 0, 30},
                                                                                        {20, 22, 12, 30, 23, 59, 1}};

int clampCount(int value, int maximum)
{
    return qBound(1, value, maximum);
}

QByteArray padded(const QByteArray &text, int size)
{
    QByteArray bytes = text.left(size);
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    return bytes;
}

void fillMultiview(SimMultiview &view)
{
    view.width = CanvasWidth;
    view.height = CanvasHeight;
    view.windowCount = SimLimits::Windows;
    const quint16 halfWidth = CanvasWidth / 2;
    const quint16 halfHeight = CanvasHeight / 2;
    for (int w = 0; w < SimLimits::Windows; ++w) {
        SimWindow &window = view.windows[w];
        window.slot = quint8(w);
        window.visible = 1;
        window.layer = quint8(w);
        window.x = quint16((w % 2) * halfWidth);
        window.y = quint16((w / 2) * halfHeight);
        window.w = halfWidth;
        window.h = halfHeight;
    }
}

void fillWall(SimDeviceModel &model)
{
    SimWall &wall = model.wall;
    const bool square = model.outputCount >= WallSide * WallSide;
    wall.rows = square ? WallSide : 1;
    wall.cols = square ? WallSide : model.outputCount;
    wall.cellCount = quint8(wall.rows * wall.cols);
    wall.mvInputEnable = 0;
    for (int k = 0; k < wall.cellCount; ++k) {
        SimWallCell &cell = wall.cells[k];
        cell.output = quint8(k);
        cell.flags = square ? SplicedFlag : 0;
        cell.spliceOrigin = 0;
        SimOutput &output = model.outputs[k];
        output.spliceRows = wall.rows;
        output.spliceCols = wall.cols;
        output.spliceRow = quint8(k / wall.cols);
        output.spliceCol = quint8(k % wall.cols);
    }
}

void fillPlainWall(SimDeviceModel &model, int rows, int cols)
{
    SimWall &wall = model.wall;
    wall = SimWall();
    wall.rows = quint8(rows);
    wall.cols = quint8(cols);
    wall.cellCount = quint8(rows * cols);
    for (int k = 0; k < SimLimits::Channels; ++k) {
        wall.cells[k].output = quint8(k);
        SimOutput &output = model.outputs[k];
        output.spliceRows = output.spliceCols = 1;
        output.spliceRow = output.spliceCol = 0;
    }
}

} // namespace

SimDeviceModel MakeSimDeviceModel(const SimModelOptions &options)
{
    SimDeviceModel model;
    model.inputCount = quint8(clampCount(options.inputs, SimLimits::Channels));
    model.outputCount = quint8(clampCount(options.outputs, SimLimits::Channels));
    model.layoutCount = quint8(qBound(0, options.layouts, SimLimits::MaxLayouts));
    model.model3 = quint8(qBound(0, options.model3, 0xFF));
    model.model4 = quint8(qBound(0, options.model4, 0xFF));
    model.ioInputs = quint8(options.ioInputs & IoLineMask);
    model.ioOutputs = quint8(options.ioOutputs & IoLineMask);
    model.relays = quint8(options.relays & IoLineMask);

    for (int i = 0; i < SimLimits::Channels; ++i) {
        model.inputs[i].edid = MakeSimEdid(i, true);
        model.outputs[i].edid = MakeSimEdid(i, false);
        model.routing[i] = quint8(i % model.inputCount);
        fillMultiview(model.multiview[i]);
    }
    // The second group of four outputs shows a multiview; the first four
    // form the TV wall.
    if (model.outputCount >= 2 * SimLimits::GroupSize)
        model.outputs[SimLimits::GroupSize].mode = MultiviewMode;
    fillWall(model);
    ApplySimChannelOptions(options, model);
    for (int o = 0; o < options.outputEdids.size() && o < SimLimits::Channels; ++o)
        if (!options.outputEdids[o].isEmpty())
            model.outputs[o].edid = options.outputEdids[o];
    ApplySimMultiviewOptions(options, model);
    if (options.wallRows > 0 && options.wallCols > 0 && options.wallRows * options.wallCols <= model.outputCount)
        fillPlainWall(model, options.wallRows, options.wallCols);

    model.deviceName = padded("KXR-Matrix", SimLimits::TextBytes);
    model.serialNumber = padded("KXR2024000001", SimLimits::TextBytes);
    model.panelLine1 = padded("KXR MATRIX", SimLimits::PanelLineBytes);
    model.panelLine2 = padded("READY", SimLimits::PanelLineBytes);
    for (int m = 0; m < SimLimits::FirmwareModules; ++m)
        model.firmware[m] = QByteArray(reinterpret_cast<const char *>(FirmwareDates[m]), SimLimits::FirmwareBytes);

    const int modules = qBound(0, options.modules, MaxModules);
    for (int i = 0; i < modules; ++i) {
        SimModule module;
        module.block = MakeModuleBlock(i, options.tcpPort, options.moduleIp);
        SetModuleBlockCredentials(module.block, options.moduleUser, options.modulePassword);
        module.defaultFails = options.moduleDefaultFails;
        module.defaults = module.block;
        module.version = quint16(FirstModuleVersion + i);
        model.modules.append(module);
    }
    return model;
}

void ResetSimDevice(SimDeviceModel &model)
{
    SimModelOptions options;
    options.inputs = model.inputCount;
    options.outputs = model.outputCount;
    options.layouts = model.layoutCount;
    options.model3 = model.model3;
    options.model4 = model.model4;
    options.modules = 0;
    SimDeviceModel fresh = MakeSimDeviceModel(options);
    for (int i = 0; i < SimLimits::Channels; ++i)
        fresh.outputs[i].edid = model.outputs[i].edid;
    KeepSimBoards(model, fresh);
    fresh.modules = model.modules;
    fresh.resetCount = model.resetCount + 1;
    // The IO inputs are wired outside the device; the log of what it passed
    // on is the test's, not the device's.
    fresh.ioInputs = model.ioInputs;
    fresh.passThroughs = model.passThroughs;
    model = fresh;
}

bool SimOutputInMultiview(const SimDeviceModel &model, int output)
{
    if (!model.validOutput(output))
        return false;
    const int leader = output - output % SimLimits::GroupSize;
    return model.outputs[leader].mode != 0;
}
