// Feeds arbitrary bytes to the decoding of the network module's
// configuration block and to the building of the parts written back: the
// first 130 bytes (or fewer) are the block, the rest is cut at NUL bytes
// into the texts of the edited fields. The sanitizers report any read or
// write outside the block, the part or the texts.
#include "protocol/ModuleBlockLayout.h"
#include "protocol/ModuleConfigEdit.h"
#include "protocol/ModuleConfigFields.h"
#include "protocol/ModuleConfigView.h"

#include <QByteArray>
#include <QList>

#include <cstdint>

namespace {

constexpr int TextCount = 9;
constexpr quint32 AnyLimit = 0xFFFFFFFFu;

QString TextAt(const QList<QByteArray> &texts, int i)
{
    return i < texts.size() ? QString::fromLatin1(texts.at(i)) : QString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));
    const QByteArray block = input.left(ModuleBlock::Size);
    const QList<QByteArray> texts = input.mid(ModuleBlock::Size).split('\0');

    if (const auto fields = DecodeModuleConfig(block))
        (void)fields->macText.size();
    // The connection page's view of the same block.
    if (const auto network = DecodeModuleNetwork(block))
        (void)network->ip.size();

    ModuleBasicEdits basic;
    basic.deviceName = TextAt(texts, 0);
    basic.mac = TextAt(texts, 1);
    basic.staticIp = !texts.isEmpty() && texts.first().size() % 2 == 1;
    basic.ip = TextAt(texts, 2);
    basic.mask = TextAt(texts, 3);
    basic.gateway = TextAt(texts, 4);
    ModulePortEdits port;
    port.baudRate = TextAt(texts, 5);
    port.localPort = TextAt(texts, 6);
    port.packTime = TextAt(texts, 7);
    port.packLength = TextAt(texts, TextCount - 1);
    port.connectCountIndex = input.isEmpty() ? 0 : int(qint8(input.back()));
    port.mac = basic.mac;

    const ModulePartResult b = BuildBasicPart(block, basic);
    const ModulePartResult p = BuildPortPart(block, port);
    if (b.ok() && b.part.size() != ModuleBlock::BasicSize)
        __builtin_trap();
    if (p.ok() && p.part.size() != ModuleBlock::PortSize)
        __builtin_trap();
    for (const QByteArray &text : texts)
        (void)ParseModuleNumber(QString::fromLatin1(text), AnyLimit);
    return 0;
}
