#pragma once

#include "protocol/EdidInfo.h"

#include <QJsonObject>
#include <QStringList>

// What a decoded EDID says, for people (lines of text, errors and warnings
// first) and for scripts (JSON). kxrctl prints them; the EDID dialog shows
// the text.

QStringList EdidReportLines(const EdidInfo &info);
QJsonObject EdidReportJson(const EdidInfo &info);

// "error: …" or "warning: …", with the block when there is one.
QString EdidMessageText(const EdidMessage &message);

// The sample rates of an audio format, "32 44.1 48 kHz".
QString EdidSampleRatesText(quint8 rates);
