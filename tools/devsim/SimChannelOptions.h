#pragma once

#include "tools/devsim/SimDeviceModel.h"

#include <QString>
#include <QVector>

// Per-channel hardware of the simulated device: the board kind, signal type,
// output format and timing of each input and output, given on the command
// line as comma-separated lists from channel 0 on.

// "4,5,0x07": numbers from minimum to maximum (decimal or 0x hexadecimal).
bool ReadSimNumberList(const QString &text, int minimum, int maximum, QVector<int> &values);
// "1920x1080p60,720x576i50,0x0p0": timings, all zero for no signal.
bool ReadSimTimingList(const QString &text, QVector<SimTiming> &timings);

// Puts the lists of the options into a fresh model. A board kind without a
// type of its own gets the type that kind starts with, and an output the
// format it starts with.
void ApplySimChannelOptions(const SimModelOptions &options, SimDeviceModel &model);

// A factory reset changes settings, not cards: the board kinds and the
// timings of the sources stay, types and formats go back to those the kinds
// start with.
void KeepSimBoards(const SimDeviceModel &before, SimDeviceModel &after);

// Kind 7 and 8 output cards switch between digital and analogue formats
// with the type, so a type change starts the new type at its first format.
bool SimFormatFollowsType(quint8 outputKind);
