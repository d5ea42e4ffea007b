#pragma once

#include "app/UserCmdFile.h"

#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QWidget;

// Object-name prefixes of a command line's widgets; each widget's name is
// its prefix followed by the line index.
namespace UserCmdNames {
constexpr char Target[] = "Peripheral-Peripheral";
constexpr char Port[] = "Peripheral-Port";
constexpr char Baud[] = "Peripheral-Baudrate";
constexpr char Hex[] = "Peripheral-HEX";
constexpr char Payload[] = "Peripheral-CmdLine";
constexpr char Note[] = "Peripheral-SingleSend";
constexpr char Edit[] = "Peripheral-Edit";
constexpr char Order[] = "Peripheral-Order";
constexpr char Delay[] = "Peripheral-Delay";
constexpr char GroupSend[] = "Peripheral-GroupSend";
} // namespace UserCmdNames

// The widgets of one user command line. A row exists while its pointers are
// set; the owner lays them out and connects them.
struct UserCmdRow
{
    QComboBox *target = nullptr;
    QComboBox *port = nullptr;
    QComboBox *baud = nullptr;
    QCheckBox *hex = nullptr;
    QLineEdit *payload = nullptr;
    QPushButton *note = nullptr;
    QPushButton *edit = nullptr;
    QLineEdit *order = nullptr;
    QLineEdit *delay = nullptr;
    QLabel *ms = nullptr;

    bool exists() const { return target != nullptr; }
    // Creates the widgets of line index with the default contents.
    void create(int index, QWidget *parent);
    // Deletes the widgets; the row no longer exists.
    void destroy();
    QList<QWidget *> widgets() const;

    // The port list for the target: empty and disabled for the peripheral
    // port, else "1" to the count and "All". The chosen port stays when the
    // new list still has it.
    void fillPorts(int inputCount, int outputCount);
    UserCmdLine value() const;
    void load(const UserCmdLine &line, int inputCount, int outputCount);
    // The target names and the Edit caption; a note still showing the old
    // default caption takes the new one.
    void retranslate(const QString &oldSendCaption);
};

// The line index in the name of a widget made with prefix, or -1.
int UserCmdRowOf(const QObject *widget, const char *prefix);
QString UserCmdObjectName(const char *prefix, int index);
