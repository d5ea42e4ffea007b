#include "pages/routing/EdidModes.h"

QStringList EdidModeNames(quint32 boardKind)
{
    using namespace EdidModes;
    const ModeSet set = boardKind < KnownKinds ? ByBoardKind[boardKind] : ModeSet::None;
    if (set == ModeSet::None)
        return {};
    QStringList names;
    for (int i = set == ModeSet::No4K ? Without4K : 0; i < NameCount; ++i)
        names.append(QLatin1String(Names[i]));
    return names;
}
