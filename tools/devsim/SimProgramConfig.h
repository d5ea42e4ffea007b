#pragma once

#include <QString>

// Points the program installed in appDir at this simulator: its settings
// are loaded when they exist (or start from the built-in defaults), the TCP
// address, port and serial port name are set to the simulator's, and the
// settings and the selected language file are saved the way the program
// saves them. Returns false when config.ini could not be written.
bool WriteProgramConfig(const QString &appDir, quint16 tcpPort, const QString &serialPort);
