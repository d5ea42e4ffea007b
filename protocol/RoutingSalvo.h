#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// Salvos: named routing snapshots the program keeps as JSON files of its own,
// independent of the device's presets. Shared by the window and kxrctl.

namespace SalvoLimits {
constexpr int MaxBytes = 64 * 1024;   // a salvo file, as read
constexpr int MaxChannel = 64;        // an output or input number in a file
constexpr int MaxRoutes = MaxChannel; // one route per output at most
constexpr int MaxNameLength = 64;
constexpr int FormatVersion = 1;
} // namespace SalvoLimits

// A named routing snapshot: output -> input, 1-based, for some or all outputs.
struct RoutingSalvo
{
    QString name;
    QString device;        // what it was saved from (model text), informative
    int outputCount = 0;   // output count of that device
    int inputCount = 0;    // input count of that device; 0: not recorded
    QMap<int, int> routes; // output (1-based) -> input (1-based)
};

struct SalvoChange
{
    int output = 0;
    int from = 0;
    int to = 0;
}; // from 0: not known

// The outputs whose input would change, in output order. current[i] is the
// input (1-based; 0 unknown) of output i+1. Outputs past current.size() are
// not on the device and are left out (SalvoFitsDevice says so).
QVector<SalvoChange> SalvoDiff(const RoutingSalvo &salvo, const QVector<int> &current);

// Whether every route of the salvo exists on a device with these counts;
// otherwise names the first that does not ("output 12 is past 8").
bool SalvoFitsDevice(const RoutingSalvo &salvo, int inputs, int outputs, QString *error);

// Whether name can be a salvo's name and file name: not empty, at most
// MaxNameLength characters, no '/', '\\' or control character, not starting
// with '.'. Says why otherwise.
bool SalvoNameIsValid(const QString &name, QString *error);

// One route a line, so that an error in a file names the route's line.
QByteArray SalvoToJson(const RoutingSalvo &salvo);
// Refuses a bad file whole, with a message naming the line ("line 7: input 40 is past 16").
bool SalvoFromJson(const QByteArray &json, RoutingSalvo *salvo, QString *error);

class SalvoStore
{ // one JSON file per salvo in a folder
public:
    explicit SalvoStore(const QString &folder = DefaultFolder());
    // $KXR_SALVO_DIR if set, else <GenericDataLocation>/kxr/salvos: the same
    // for the window and kxrctl.
    static QString DefaultFolder();

    QString folder() const { return m_folder; }
    QString pathOf(const QString &name) const;
    bool contains(const QString &name) const;

    QStringList names() const; // sorted
    bool load(const QString &name, RoutingSalvo *salvo, QString *error) const;
    // Writes (or replaces) the salvo's file; the name must be valid (see
    // SalvoNameIsValid), the message says why otherwise.
    bool save(const RoutingSalvo &salvo, QString *error);
    bool rename(const QString &from, const QString &to, QString *error);
    bool remove(const QString &name, QString *error);
    bool exportTo(const QString &name, const QString &path, QString *error) const;
    // Writes a new salvo; a name that is taken is refused.
    bool add(const RoutingSalvo &salvo, QString *error);
    // Stores the salvo of a file under the name it holds; a broken file, or
    // one whose name is taken, changes nothing.
    bool importFrom(const QString &path, QString *name, QString *error);

private:
    QString m_folder;
};

class DeviceState;

// The device's routing as SalvoDiff takes it: the input (1-based) of each
// output, 0 where the model holds none the device has.
QVector<int> RoutingOf(const DeviceState &device);
// A salvo of the device's current routing, for the given outputs (1-based;
// empty: every output); outputs whose input is not known are left out.
RoutingSalvo SalvoOfDevice(const DeviceState &device, const QString &name, const QVector<int> &outputs = {});

// Reads a salvo file of at most SalvoLimits::MaxBytes; the message names the
// file's problem (missing, too large, or what SalvoFromJson says).
bool ReadSalvoFile(const QString &path, RoutingSalvo *salvo, QString *error);
