#pragma once

#include "pages/routing/SignalLists.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The rules of the signal configuration page and the More dialog that do
// not need a widget: which types and formats a port offers, how a timing
// reads, which audio sources an input offers, and the row behind a
// control's object name.

// Object-name prefixes of the row controls; the row number follows.
namespace SignalNames {
constexpr const char *InputType = "SignalConfig-InputType-I";
constexpr const char *AudioSelect = "SignalConfig-AudioSelect-I";
constexpr const char *Bind = "SignalConfig-Bind-I";
constexpr const char *InputRead = "SignalConfig-Read-I";
constexpr const char *OutputType = "SignalConfig-OutputType-O";
constexpr const char *OutputFormat = "SignalConfig-OutputFormat-O";
constexpr const char *AudioMute = "SignalConfig-AudioMute-O";
constexpr const char *Freeze = "SignalConfig-Freeze-O";
constexpr const char *Black = "SignalConfig-Black-O";
constexpr const char *OutputRead = "SignalConfig-Read-O";
} // namespace SignalNames

// "prefix" + row.
QString RowObjectName(const char *prefix, int row);
// The row of a control named prefix + row; -1 when the name does not
// start with the prefix or the rest is not a number.
int RowOfObjectName(const QString &name, const char *prefix);

// The type code a type box's text stands for: its place among the type
// names (the last match wins), or the box index when no name matches.
quint8 TypeCodeOfText(const QString &text, int boxIndex);
// The type codes a type box lists: those of the board kind, or the
// current type alone.
QVector<quint8> TypeChoices(bool output, quint32 kind, quint32 currentType);

// The format list of an output of this board kind and type (empty for an
// unknown kind).
SignalLists::NameList OutputFormatList(quint32 kind, quint32 type);
// What the format box lists for a record: the format list when the index
// lies in it, "No-Signal" (given) for the no-signal index, nothing else.
QStringList FormatBoxEntries(quint32 kind, quint32 type, quint32 format, const QString &noSignal);

// The audio sources an input offers.
enum class AudioChoice {
    EmbeddedOnly, // disabled, only "Embedded"
    LrOnly,       // disabled, only "L/R"
    Both,         // enabled, both, the record's choice selected
};
AudioChoice InputAudioChoice(quint32 kind, quint32 type);

// More dialog: rotations offered for an output's board kind (empty:
// the box is disabled) and the number of test patterns (0: none).
QStringList RotateChoices(quint32 kind);
int TestPatternCount(quint32 kind);
