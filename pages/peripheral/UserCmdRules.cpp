#include "pages/peripheral/UserCmdRules.h"

#include "app/ByteText.h"
#include "pages/peripheral/PeripheralLists.h"

#include <algorithm>

namespace {

bool IsDecimal(const QString &text, int maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

} // namespace

QByteArray UserCmdPayload(const QString &text, bool hex)
{
    return hex ? HexTextToByteArray(text) : TextToBytes(text);
}

PayloadCheck CheckUserCmdPayload(const QByteArray &bytes)
{
    if (bytes.size() < UserCmd::MinPayloadBytes)
        return PayloadCheck::Empty;
    if (bytes.size() > UserCmd::MaxPayloadBytes)
        return PayloadCheck::Overflow;
    return PayloadCheck::Ok;
}

bool IsGroupOrder(const QString &text)
{
    return IsDecimal(text, UserCmd::OrderDigits) && text.toInt() != 0;
}

bool IsGroupDelay(const QString &text)
{
    return IsDecimal(text, UserCmd::DelayDigits);
}

QVector<int> GroupSendList(const QVector<GroupCandidate> &candidates)
{
    QVector<GroupCandidate> sorted = candidates;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const GroupCandidate &a, const GroupCandidate &b) { return a.order < b.order; });
    QVector<int> list;
    for (const GroupCandidate &c : sorted) {
        if (list.size() == UserCmd::SendListSize)
            break;
        list.append(c.line);
    }
    return list;
}
