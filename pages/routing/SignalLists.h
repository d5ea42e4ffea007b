#pragma once

#include "protocol/SignalText.h"

#include <QtGlobal>

// The fixed lists of the signal configuration page and the More dialog:
// signal type names, the types each board kind offers, the output format
// lists, the rotate and test pattern choices. Texts are the device's own
// and are not translated.
namespace SignalLists {

// One slice of names.
struct NameList
{
    const char *const *names;
    int count;
};

constexpr int TypeCount = SignalTypes::Count;
inline constexpr const char *const (&TypeNames)[TypeCount] = SignalTypes::Names;

namespace Type {
constexpr quint8 Dvi = 3;
constexpr quint8 Cvbs = 4;
constexpr quint8 YPbPr = 5;
constexpr quint8 Vga = 6;
constexpr quint8 Hdmi = 7;
constexpr quint8 Hdmi14 = 8;
constexpr quint8 Hdmi22 = 9;
} // namespace Type

// The types a board kind lets its port be switched between.
constexpr int MaxTypeChoices = 5;
struct KindTypes
{
    quint32 kind;
    int count;
    quint8 codes[MaxTypeChoices];
};

constexpr KindTypes InputTypes[] = {
    {4, 4, {Type::Dvi, Type::Vga, Type::YPbPr, Type::Cvbs}},
    {5, 3, {Type::Vga, Type::YPbPr, Type::Cvbs}},
};

constexpr KindTypes OutputTypes[] = {
    {0, 4, {Type::Hdmi, Type::Dvi, Type::Hdmi14, Type::Hdmi22}},
    {1, 4, {Type::Hdmi, Type::Dvi, Type::Hdmi14, Type::Hdmi22}},
    {3, 2, {Type::Hdmi, Type::Dvi}},
    {10, 2, {Type::Hdmi, Type::Dvi}},
    {12, 2, {Type::Hdmi, Type::Dvi}},
    {14, 2, {Type::Hdmi, Type::Dvi}},
    {7, 5, {Type::Hdmi, Type::Dvi, Type::Vga, Type::YPbPr, Type::Cvbs}},
    {8, 3, {Type::Vga, Type::YPbPr, Type::Cvbs}},
};

// Output formats. The full list ends with the user resolution and the
// automatic one; the others are parts of it or lists of their own.
constexpr quint32 NoSignalFormat = 0xFF;
constexpr quint32 UserFormat = 21; // in the full list
constexpr quint32 AutoFormat = 22;

constexpr const char *FullFormats[] = {"4096x2160p60", "4096x2160p50", "3840x2160p60", "3840x2160p50", "3840x2160p30",
                                       "3840x2160p25", "3440x1440p60", "2560x1600p60", "2560x1440p60", "1920x1200p60",
                                       "1920x1080p60", "1920x1080p50", "1920x1080p30", "1680x1050p60", "1600x1200p60",
                                       "1360x768p60",  "1280x1024p60", "1280x768p60",  "1280x720p60",  "1280x720p50",
                                       "1024x768p60",  "USER",         "AUTO"};
constexpr int FullFormatCount = int(sizeof FullFormats / sizeof FullFormats[0]);
constexpr int FirstFullHdFormat = 9; // "1920x1200p60"
constexpr int UserAndAuto = 2;       // the two last entries of a list that has them

constexpr const char *UhdFormats[] = {"3840x2160p30", "3840x2160p25", "1920x1200p60", "1920x1080p60",
                                      "1920x1080p50", "1920x1080p30", "1680x1050p60", "1600x1200p60",
                                      "1360x768p60",  "1280x1024p60", "1280x768p60",  "1280x720p60",
                                      "1280x720p50",  "1024x768p60",  "USER",         "AUTO"};
constexpr const char *BroadcastFormats[] = {"1920x1080p60", "1920x1080i60", "1920x1080p50", "1920x1080i50",
                                            "1920x1080p30", "1280x720p60",  "1280x720p50"};
constexpr const char *PcFormats[] = {"1920x1200p60", "1920x1080p60", "1680x1050p60", "1600x1200p60", "1360x768p60",
                                     "1280x1024p60", "1280x768p60",  "1280x720p60",  "1024x768p60"};
constexpr const char *DigitalFormats[] = {
    "1920x1200p60", "1920x1080p60", "1920x1080i60", "1920x1080p50", "1920x1080i50", "1920x1080p30", "1680x1050p60",
    "1600x1200p60", "1360x768p60",  "1280x1024p60", "1280x768p60",  "1280x720p60",  "1280x720p50",  "1024x768p60"};
constexpr const char *CvbsFormats[] = {"PAL", "NTSC"};
constexpr const char *YPbPrFormats[] = {"1920x1080p60", "1920x1080i60", "1920x1080p50",
                                        "1920x1080i50", "1280x720p60",  "1280x720p50"};

template<int N>
constexpr NameList Whole(const char *const (&names)[N])
{
    return {names, N};
}

constexpr NameList FormatList1 = Whole(FullFormats);
constexpr NameList FormatList2 = {FullFormats + FirstFullHdFormat, FullFormatCount - FirstFullHdFormat};
constexpr NameList FormatList3 = Whole(UhdFormats);
constexpr NameList FormatList4 = Whole(BroadcastFormats);
constexpr NameList FormatList5 = {FormatList2.names, FormatList2.count - UserAndAuto};
constexpr NameList FormatList6 = {FormatList3.names, FormatList3.count - UserAndAuto};
constexpr NameList FormatList7 = Whole(PcFormats);
constexpr NameList NoFormats = {nullptr, 0};

// The format list of each board kind whose list does not depend on the type.
struct KindFormats
{
    quint32 kind;
    NameList list;
};

constexpr KindFormats OutputFormats[] = {
    {0, FormatList1},  {1, FormatList1},  {2, FormatList1},  {4, FormatList1},  {9, FormatList1},
    {3, FormatList2},  {5, FormatList2},  {12, FormatList3}, {13, FormatList3}, {6, FormatList4},
    {10, FormatList5}, {14, FormatList6}, {11, FormatList7},
};

// Kinds 7 and 8 (analogue-capable output cards): the list follows the type;
// the digital list only on kind 7.
constexpr quint32 AnalogueKind = 7;
constexpr quint32 AnalogueOnlyKind = 8;
struct TypeFormats
{
    quint8 type;
    bool analogueKindOnly;
    NameList list;
};

constexpr TypeFormats AnalogueFormats[] = {
    {Type::Dvi, true, Whole(DigitalFormats)}, {Type::Hdmi, true, Whole(DigitalFormats)},
    {Type::Cvbs, false, Whole(CvbsFormats)},  {Type::YPbPr, false, Whole(YPbPrFormats)},
    {Type::Vga, false, FormatList7},
};

// More dialog: rotation by board kind (the index is the value sent).
constexpr const char *RotateQuarter[] = {"0", "90", "180"};
constexpr const char *RotateMirror[] = {"0", "180", "H-Mirror", "V-Mirror"};
constexpr KindFormats Rotations[] = {
    {0, Whole(RotateQuarter)}, {2, Whole(RotateQuarter)}, {1, Whole(RotateMirror)},
    {4, Whole(RotateMirror)},  {9, Whole(RotateMirror)},
};

// Test patterns by board kind: "Off" then 1 … N.
struct KindRange
{
    quint32 firstKind;
    quint32 lastKind;
    int patterns;
};
constexpr KindRange TestPatterns[] = {{0, 0, 8}, {2, 2, 8}, {1, 1, 16}, {3, 14, 16}};

} // namespace SignalLists
