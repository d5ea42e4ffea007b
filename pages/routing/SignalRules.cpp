#include "pages/routing/SignalRules.h"

using namespace SignalLists;

namespace {

constexpr quint32 EmbeddedOnlyKinds[] = {3, 6};
constexpr quint32 AnalogueInputKinds[] = {4, 5};

template<typename Table>
bool Listed(const Table &table, quint32 kind)
{
    for (quint32 k : table)
        if (k == kind)
            return true;
    return false;
}

bool AnalogueType(quint32 type)
{
    return type == Type::Cvbs || type == Type::YPbPr || type == Type::Vga;
}

} // namespace

QString RowObjectName(const char *prefix, int row)
{
    return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(row);
}

int RowOfObjectName(const QString &name, const char *prefix)
{
    const QLatin1String head(prefix);
    if (!name.startsWith(head))
        return -1;
    bool ok = false;
    const int row = name.mid(head.size()).toInt(&ok);
    return ok && row >= 0 ? row : -1;
}

quint8 TypeCodeOfText(const QString &text, int boxIndex)
{
    int code = -1;
    for (int t = 0; t < TypeCount; ++t)
        if (text == QLatin1String(TypeNames[t]))
            code = t;
    return quint8(code >= 0 ? code : boxIndex);
}

QVector<quint8> TypeChoices(bool output, quint32 kind, quint32 currentType)
{
    const auto fromTable = [kind](const auto &table, QVector<quint8> &codes) {
        for (const KindTypes &entry : table) {
            if (entry.kind == kind) {
                codes = QVector<quint8>(entry.codes, entry.codes + entry.count);
                return true;
            }
        }
        return false;
    };
    QVector<quint8> codes;
    if (output ? fromTable(OutputTypes, codes) : fromTable(InputTypes, codes))
        return codes;
    return {quint8(currentType)};
}

NameList OutputFormatList(quint32 kind, quint32 type)
{
    if (kind == AnalogueKind || kind == AnalogueOnlyKind) {
        for (const TypeFormats &entry : AnalogueFormats)
            if (entry.type == type && (kind == AnalogueKind || !entry.analogueKindOnly))
                return entry.list;
        return NoFormats;
    }
    for (const KindFormats &entry : OutputFormats)
        if (entry.kind == kind)
            return entry.list;
    return NoFormats;
}

QStringList FormatBoxEntries(quint32 kind, quint32 type, quint32 format, const QString &noSignal)
{
    if (format == NoSignalFormat)
        return {noSignal};
    const NameList list = OutputFormatList(kind, type);
    QStringList entries;
    if (format < quint32(list.count))
        for (int i = 0; i < list.count; ++i)
            entries << QLatin1String(list.names[i]);
    return entries;
}

AudioChoice InputAudioChoice(quint32 kind, quint32 type)
{
    if (Listed(EmbeddedOnlyKinds, kind))
        return AudioChoice::EmbeddedOnly;
    if (Listed(AnalogueInputKinds, kind) && AnalogueType(type))
        return AudioChoice::LrOnly;
    return AudioChoice::Both;
}

QStringList RotateChoices(quint32 kind)
{
    QStringList choices;
    for (const KindFormats &entry : Rotations)
        if (entry.kind == kind)
            for (int i = 0; i < entry.list.count; ++i)
                choices << QLatin1String(entry.list.names[i]);
    return choices;
}

int TestPatternCount(quint32 kind)
{
    for (const KindRange &range : TestPatterns)
        if (kind >= range.firstKind && kind <= range.lastKind)
            return range.patterns;
    return 0;
}
