#pragma once

#include "protocol/ModuleBlockLayout.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The network settings of the module's 130-byte configuration block, as
// the pages show them. Multi-byte numbers are little-endian; addresses are
// stored last octet first.
struct ModuleNetworkView
{
    QString deviceName;
    QString macText; // "00-1a-2b-3c-4d-5e"
    bool staticIp = false;
    QString ip; // "%1.%2.%3.%4"
    QString mask;
    QString gateway;
    QString localPort; // the port the module listens on, in decimal
};

// Nothing for a block of any other size.
std::optional<ModuleNetworkView> DecodeModuleNetwork(const QByteArray &block);
