#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// Displays the simulator can put on its outputs, by name: televisions and
// monitors of different reach, so that an EDID written to an input can
// announce formats some of them lack.
//   4k60       television, 3840x2160p60 preferred, HDMI 2.0, multichannel audio
//   4k30       television, 3840x2160p30 preferred, HDMI 1.4
//   1080p60    television, 1920x1080p60 preferred
//   1080i      television, 1920x1080i60 preferred (no progressive 1080)
//   720p       projector, 1280x720p60 preferred
//   dvi-1080p  monitor, 1920x1080p60, base block only (no audio, no CTA)

// The names above, in that order.
QStringList SimDisplayProfileNames();

// The 256-byte EDID of the named profile; empty for an unknown name. The
// port makes the serial number differ.
QByteArray SimDisplayProfileEdid(const QString &name, int port);

// "4k60,1080i,-,my.bin": one entry per output from output 1 on; a profile
// name, "-" for the simulator's usual display on that output, or the path of
// an EDID file (at most 256 bytes, zero-padded). Fills edids with one image
// per entry (empty for "-"); on an unknown name or an unreadable file,
// returns false and names the entry in error.
bool ReadSimOutputEdids(const QString &text, QVector<QByteArray> &edids, QString &error);
