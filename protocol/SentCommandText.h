#pragma once

#include <QByteArray>
#include <QString>

// Names a request the program sent in the operator's words ("Switch input
// 3 → output 6"), for the message about a reply that never came. A request
// without a name of its own is named by its command code.
QString SentCommandText(const QByteArray &sent);
