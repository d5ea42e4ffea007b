#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The rules of the user command lines, apart from their widgets.

enum class PayloadCheck { Ok, Empty, Overflow };

// The bytes of a line's payload: hex digits or text with "\n" and "\r"
// escapes. Empty when the text does not convert.
QByteArray UserCmdPayload(const QString &text, bool hex);
PayloadCheck CheckUserCmdPayload(const QByteArray &bytes);

// Whether an order field takes a line into a group send (one or two
// decimal digits, not 0), and whether a delay field is valid (one to five
// decimal digits).
bool IsGroupOrder(const QString &text);
bool IsGroupDelay(const QString &text);

// A line that takes part in a group send.
struct GroupCandidate
{
    int order = 0;
    int line = 0; // 1-based
};

// The lines of a group send in sending order: by order value, and lines of
// equal order in line order.
QVector<int> GroupSendList(const QVector<GroupCandidate> &candidates);
