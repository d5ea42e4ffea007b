#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Every field of the module's 130-byte configuration block in the form the
// system page shows it. Box indexes are given as the block holds them; the
// page applies one only when its box has that entry.
struct ModuleConfigFields
{
    // Basic part.
    int ipTypeIndex = 0; // 1 static (bit 31 of the flags set), 0 dynamic
    QString upnpPort;
    QString httpPort;
    QString ip;
    QString gateway;
    QString mask;
    QString deviceName;
    QString userName;
    QString password;
    QString deviceId;
    QString deviceIdType;
    QString macText; // "00-1a-2b-3c-4d-5e"

    // Port part.
    QString baudRate; // the box entry with this text
    QString dataBits; // likewise
    QString stopBits; // likewise
    int parityIndex = -1;
    int flowIndex = -1;
    QString localPort;
    QString remotePort;
    QString remoteHost;
    int modbusIndex = 0;
    bool syncBaudRate = false;
    int workModeIndex = 0;
    QString packLength;
    QString packTime;
    int connectCountIndex = -1;
    QString serverStyle;
};

// Nothing for a block of any size but 130 bytes.
std::optional<ModuleConfigFields> DecodeModuleConfig(const QByteArray &block);
