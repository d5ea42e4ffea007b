#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// One user command line as the peripheral page holds it and a command file
// keeps it. Indices are those of the line's lists.
struct UserCmdLine
{
    int target = 0; // 0 the device's peripheral port, 1 an input, 2 an output
    int port = -1;  // index in the port list; -1 while the list is empty
    int baud = 0;   // index in the baud-rate list
    bool hex = false;
    QString payload;
    QString note;
    QString order;
    QString delay;

    bool operator==(const UserCmdLine &other) const;
};

namespace UserCmdFile {
constexpr int MaxLines = 9;
constexpr int FieldsPerLine = 8;
constexpr int Targets = 3;
constexpr int BaudRates = 5;
} // namespace UserCmdFile

enum class UserCmdFileResult {
    Ignored,   // too little in the file to be a command file: nothing happens
    DataError, // "File Data Error!": nothing changes
    Loaded,
};

// Reads a command file (UTF-8). The port numbers of input and output lines
// are bounded by the device's counts ("All" is one past the last port).
UserCmdFileResult ReadUserCmdFile(const QByteArray &content, int inputCount, int outputCount,
                                  QVector<UserCmdLine> &lines);

// The text of a command file: UTF-8 without byte-order mark, every line
// ended by CR LF.
QByteArray WriteUserCmdFile(const QVector<UserCmdLine> &lines);
