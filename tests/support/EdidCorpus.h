#pragma once

#include "protocol/EdidInfo.h"

#include <QMap>
#include <QString>

// The EDID corpus of tests/edid-corpus: its folder, the generator's
// expectations (file -> field -> value) and the same fields as the decoder
// gives them, in the generator's notation.
QString EdidCorpusDir();
QMap<QString, QMap<QString, QString>> EdidCorpusExpectations(const QString &path);
QString DecodedEdidField(const EdidInfo &info, const QString &field);
