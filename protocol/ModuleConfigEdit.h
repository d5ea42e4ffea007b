#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// The edits of the system page turned into the part of the module's
// configuration block that is written back. Each write starts from the part
// as last read, so every byte the page does not edit goes back unchanged.

// The fields that can fail their rule, so that the page can name them.
enum class ModuleField { Mac, StaticIp, SubnetMask, Gateway, BaudRate, LocalPort, PackTime, PackLength };

namespace ModuleLimits {
constexpr int NumberDigits = 6;
constexpr quint32 Octet = 255;
constexpr quint32 BaudRate = 115200;
constexpr quint32 Port = 65535;
constexpr quint32 PackTime = 255;
constexpr quint32 PackLength = 1460;
} // namespace ModuleLimits

// Digits only, at most six, value not above limit; an empty text is 0.
std::optional<quint32> ParseModuleNumber(const QString &text, quint32 limit);
// Digits and exactly three dots, each field a number up to 255; the octets
// in the order typed.
std::optional<std::array<quint8, 4>> ParseModuleAddress(const QString &text);
// The hexadecimal digits in order, every other character skipped, two
// digits a byte; the first six bytes, or nothing when there are fewer.
std::optional<std::array<quint8, 6>> ParseModuleMac(const QString &text);

struct ModuleBasicEdits
{
    QString deviceName;
    QString mac;
    bool staticIp = false;
    QString ip;
    QString mask;
    QString gateway;
};

struct ModulePortEdits
{
    QString baudRate;
    QString localPort;
    int connectCountIndex = 0;
    QString packTime;
    QString packLength;
    QString mac; // checked only: the MAC lives in the basic part
};

// The part to send (67 or 63 bytes), or the first field that broke its
// rule. A block of another size than 130 bytes gives an empty part.
struct ModulePartResult
{
    QByteArray part;
    std::optional<ModuleField> failed;

    bool ok() const { return !failed && !part.isEmpty(); }
};

// The first of static IP, mask and gateway that is not an address.
std::optional<ModuleField> CheckStaticAddresses(const ModuleBasicEdits &edits);

ModulePartResult BuildBasicPart(const QByteArray &block, const ModuleBasicEdits &edits);
ModulePartResult BuildPortPart(const QByteArray &block, const ModulePortEdits &edits);
