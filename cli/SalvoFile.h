#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QtGlobal>

// One switch of a salvo: input to output, or input to every output.
// Channels are 1-based, as typed.
struct RoutePair
{
    quint32 input = 0;
    quint32 output = 0; // 0 with all
    bool all = false;
};

namespace Salvo {
constexpr int MaxBytes = 1 << 20;
constexpr int MaxRoutes = 1024;
} // namespace Salvo

// A 1-based channel number as typed: 1 … 16 (the device's own count is
// checked once it has been identified). kind is "input" or "output".
bool ReadChannelNumber(const QString &text, const QString &kind, quint32 *channel, QString *error);

// Reads a salvo: one "IN OUT" (or "route IN OUT") a line, OUT may be "all";
// "#" starts a comment; blank lines are skipped. The other lines "status"
// prints (device, audio, input, output, wall, cell) are skipped too, so that
// a saved status replays as a salvo. Anything else refuses the whole file,
// naming the line.
bool ParseSalvo(const QByteArray &text, QVector<RoutePair> *routes, QString *error);
