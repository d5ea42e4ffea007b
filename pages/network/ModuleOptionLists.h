#pragma once

// The fixed entries of the system page's boxes for the network module. The
// IP type, parity, flow control and firmware boxes take their entries from
// the language texts instead.
namespace ModuleOptions {

constexpr const char *BaudRates[] = {"9600", "14400", "19200", "38400", "57600", "115200"};
constexpr const char *DataBits[] = {"5", "6", "7", "8"};
constexpr const char *StopBits[] = {"1", "2"};
constexpr const char *WorkModes[] = {"UDP",          "TCP Client",    "UDP Server", "TCP Server",
                                     "HTTPD Client", "Web to Serial", "TCP Auto"};
constexpr const char *ConnectCounts[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
constexpr const char *ModbusModes[] = {"None", "Modbus TCP"};

// Entries of the language table's IP type, parity and flow lists.
constexpr int IpTypes = 2;
constexpr int Parities = 5;
constexpr int FlowControls = 3;
// The firmware box lists the first two of the five boards (main and
// keyboard); the port-numbered boards are not offered.
constexpr int FirmwareShown = 2;

} // namespace ModuleOptions
