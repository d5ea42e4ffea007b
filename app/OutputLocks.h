#pragma once

#include <QObject>
#include <QPair>
#include <QSet>
#include <QString>
#include <QVector>

// The outputs the operator locked: a locked output refuses every switch the
// window would make (a click, Allset, a take, a salvo, an undo), and each of
// those paths asks allowed() first. Outputs are 1-based throughout.
//
// On a plain device the locks are the window's own, kept per device in
// config.ini. Connected through kxr-gateway the gateway's lock table is the
// truth: this model shows its states (the window's own locks and other
// clients'), and setLocked() asks the gateway instead of changing anything;
// the change shows when the gateway tells it. The window's own locks are
// still remembered per device, and asked for again on the next connection.
// No widgets: the main window owns one, the matrix page reads it.
class OutputLocks : public QObject
{
    Q_OBJECT

public:
    // Who holds a lock.
    enum class Holder { None, ThisWindow, OtherClient };
    // Devices whose locks are remembered; the one whose locks changed longest
    // ago goes first.
    static constexpr int MaxRememberedDevices = 32;
    // Outputs a device can have (the device model's channel bound).
    static constexpr int MaxOutputs = 256;

    explicit OutputLocks(QObject *parent = nullptr);

    bool isLocked(int output) const;  // 1-based
    QString holder(int output) const; // "this window" / "another client"
    // Local, or asks the gateway when connected through one.
    void setLocked(int output, bool locked);
    // The outputs that are not locked, in the given order; *skippedMessage
    // names the skipped outputs and why ("Output 3 is locked by another
    // client: skipped"), empty when none. skippedMessage may be null.
    QVector<int> allowed(const QVector<int> &outputs, QString *skippedMessage) const;

    Holder holderOf(int output) const;
    // The locked outputs, ascending.
    QVector<int> lockedOutputs() const;

    // The device whose locks these are (see DeviceIdentity()); its
    // remembered locks show at once. Empty: no device, nothing locked.
    void setDevice(const QString &identity);
    QString device() const { return m_device; }

    // Connected through a gateway (true) or on a plain device (false).
    // Leaving shared mode shows the device's remembered locks again.
    void setShared(bool shared);
    bool isShared() const { return m_shared; }
    // The gateway told the states of outputs (1-based output, one of 'O'
    // this window's, 'L' another client's, 'U' unlocked).
    void applyShared(const QVector<QPair<int, char>> &states);
    // The window's own remembered locks of the current device.
    QVector<int> rememberedOwn() const;

    // A device as the window knows it: model, counts and where it is
    // reached (an IP address, a serial port name).
    static QString DeviceIdentity(quint32 model3, quint32 model4, quint32 inputs, quint32 outputs,
                                  const QString &address);

    // The remembered locks of every device, as config.ini keeps them
    // ("identity#1,3;identity#2"), and back. Unreadable parts are skipped.
    static QString Encode(const QVector<QPair<QString, QVector<int>>> &devices);
    static QVector<QPair<QString, QVector<int>>> Decode(const QString &text);

signals:
    void changed();
    // Shared mode: the gateway is to be asked for this lock change.
    void lockRequested(int output, bool locked);

private:
    void remember();
    void loadRemembered();

    QString m_device;
    bool m_shared = false;
    QSet<int> m_own;       // local locks, or this window's on the gateway
    QSet<int> m_other;     // other clients' locks on the gateway
    QVector<int> m_wanted; // remembered, to ask the gateway for
    QSet<int> m_asked;     // asked of the gateway, not yet told
};
