#pragma once

#include "tools/devsim/SimWire.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// One request frame of the program, taken apart.
struct SimRequest
{
    quint8 code = 0;
    QByteArray payload;
    QByteArray frame;

    // Payload byte i, or 0 past the end.
    quint8 p(int i) const;
    // Payload bytes 16-bit from i (most significant first).
    quint16 pair(int i) const;
    int size() const { return payload.size(); }
};

// Takes a complete device frame apart; false for anything shorter than a
// frame.
bool ParseSimRequest(const QByteArray &frame, SimRequest &request);

// The request's own payload with byte i replaced: the device's usual
// answer repeats the request and fills in the value.
QByteArray EchoWith(const SimRequest &request, int i, quint8 value);

void AppendPair(QByteArray &bytes, quint16 value);

using SimReplies = QList<QByteArray>;
