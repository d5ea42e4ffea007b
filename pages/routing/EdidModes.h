#pragma once

#include <QStringList>
#include <QtGlobal>

// The EDID modes an input can announce, by the board kind of the input. The
// index of a mode in its board's list is the value on the wire.
namespace EdidModes {

constexpr const char *Names[] = {"4K60",     "4K30",     "1080P",     "1920x1200", "1680x1050", "1600x1200",
                                 "1440x900", "1360x768", "1280x1024", "1024x768",  "720P",      "USER"};
constexpr int NameCount = int(sizeof Names / sizeof Names[0]);
// Boards that cannot take 4K start their list after the two 4K modes.
constexpr int Without4K = 2;

enum class ModeSet { All, No4K, None };

// Board kinds 0 to 7; any other kind has no list.
constexpr ModeSet ByBoardKind[] = {ModeSet::All,  ModeSet::All,  ModeSet::All, ModeSet::None,
                                   ModeSet::No4K, ModeSet::No4K, ModeSet::All, ModeSet::No4K};
constexpr quint32 KnownKinds = sizeof ByBoardKind / sizeof ByBoardKind[0];

} // namespace EdidModes

// The mode names for an input on a board of this kind (empty: no list).
QStringList EdidModeNames(quint32 boardKind);
