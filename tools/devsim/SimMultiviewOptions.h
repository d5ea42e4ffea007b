#pragma once

#include "tools/devsim/SimDeviceModel.h"

#include <QString>
#include <QVector>

// The multiview side of the simulated device: which output groups show a
// multiview, the size of every multiview output and how many windows each
// reports.

// "1,5" (output numbers from 1 that lead a group of four) or "none" into
// 0-based group leaders; false when an entry leads no group or lies beyond
// the outputs.
bool ReadSimMultiviewGroups(const QString &text, int outputs, QVector<int> &leaders);
// "1920x1080" into its two sides (1-65535 each).
bool ReadSimCanvasSize(const QString &text, int &width, int &height);

// Puts the options into a fresh model: the groups' output modes, and every
// multiview at the given size with its windows in the four quadrants.
void ApplySimMultiviewOptions(const SimModelOptions &options, SimDeviceModel &model);
