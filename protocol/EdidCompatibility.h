#pragma once

#include "protocol/EdidInfo.h"

#include <QList>
#include <QString>
#include <QtGlobal>

class DeviceState;

// Whether the displays an input feeds can show what an EDID written to that
// input announces. A source picks a format from the EDID it sees; a display
// that lacks that format shows nothing.

// The display EDID of one output, as read from the device.
struct EdidDisplay
{
    quint32 output = 0; // 0-based
    EdidInfo info;
};

enum class EdidGapKind {
    Video,     // a video format the display does not list
    Audio,     // an audio format (or its channel count) the display lacks
    Unreadable // the output's EDID is no EDID (no display, or a failed read)
};

struct EdidGap
{
    EdidGapKind kind = EdidGapKind::Video;
    quint32 output = 0;
    EdidVideoFormat format; // Video: the announced format
    // Video: the display's best format, when that ranks below the missing
    // one (so the display "tops out" there).
    bool topsOut = false;
    EdidVideoFormat best;
    EdidAudioFormat audio; // Audio: the announced format
};

// The outputs (0-based, ascending) that show the input in the routing.
QList<quint32> OutputsFedBy(const DeviceState &device, quint32 input);

// The outputs of the TV-wall splice that output belongs to, itself
// included, ascending; just the output when it is in no splice or on no
// cell of the wall.
QList<quint32> SpliceMembers(const DeviceState &device, quint32 output);

// Orders formats from the least to the most demanding: pixels per frame,
// then progressive above interlaced, then rate.
bool EdidFormatBelow(const EdidVideoFormat &a, const EdidVideoFormat &b);

// The display's most demanding announced format (all zero for none).
EdidVideoFormat EdidBestFormat(const EdidInfo &info);

// Every announced format and audio format of the EDID that some display
// lacks, one entry per format and display: video formats in the EDID's
// order, then audio; displays in the order given.
QList<EdidGap> FindEdidGaps(const EdidInfo &announced, const QList<EdidDisplay> &displays);

// "1080p60 announced; output 7's display tops out at 1080i60" (outputs
// counted from 1), in the program's language.
QString DescribeEdidGap(const EdidGap &gap);
