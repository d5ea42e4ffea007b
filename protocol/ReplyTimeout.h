#pragma once

#include <QByteArray>
#include <QString>

// What the main window does about a command whose reply never came.
struct ReplyTimeoutResult
{
    // The device-type query went unanswered: the connection page resets its
    // status and drops the link.
    bool identificationFailed = false;
    // The text for the message box: the command in words, then the sent
    // bytes in hexadecimal.
    QString message;
};

// Handles a reported reply timeout of the sent bytes: ends an EDID transfer
// whose block went unanswered and composes the message. The service that
// reported it has already released its own wait. GUI thread.
ReplyTimeoutResult HandleReplyTimeout(const QByteArray &sent);
