#include "app/OutputLocks.h"

#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"

#include <QStringList>

#include <algorithm>

namespace {

constexpr QChar DeviceSeparator(u';');
constexpr QChar ListSeparator(u'#');

bool validOutput(int output)
{
    return output >= 1 && output <= OutputLocks::MaxOutputs;
}

QVector<int> sorted(const QSet<int> &set)
{
    QVector<int> list(set.begin(), set.end());
    std::sort(list.begin(), list.end());
    return list;
}

QString joined(const QVector<int> &outputs)
{
    QStringList parts;
    for (int o : outputs)
        parts.append(QString::number(o));
    return parts.join(QStringLiteral(", "));
}

// What config.ini's value may not hold inside an identity.
QString cleanIdentity(const QString &identity)
{
    QString out;
    for (QChar c : identity) {
        if (c != DeviceSeparator && c != ListSeparator && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            out += c;
    }
    return out.trimmed();
}

} // namespace

OutputLocks::OutputLocks(QObject *parent)
    : QObject(parent)
{ }

OutputLocks::Holder OutputLocks::holderOf(int output) const
{
    if (m_own.contains(output))
        return Holder::ThisWindow;
    if (m_other.contains(output))
        return Holder::OtherClient;
    return Holder::None;
}

bool OutputLocks::isLocked(int output) const
{
    return holderOf(output) != Holder::None;
}

QString OutputLocks::holder(int output) const
{
    switch (holderOf(output)) {
    case Holder::ThisWindow:
        return S_LockThisWindow;
    case Holder::OtherClient:
        return S_LockOtherClient;
    case Holder::None:
        break;
    }
    return {};
}

QVector<int> OutputLocks::lockedOutputs() const
{
    return sorted(m_own + m_other);
}

void OutputLocks::setLocked(int output, bool locked)
{
    if (!validOutput(output))
        return;
    if (m_shared) {
        // The gateway decides; its answer comes back through applyShared().
        if (locked != isLocked(output))
            emit lockRequested(output, locked);
        return;
    }
    if (locked == m_own.contains(output))
        return;
    if (locked)
        m_own.insert(output);
    else
        m_own.remove(output);
    remember();
    emit changed();
}

QVector<int> OutputLocks::allowed(const QVector<int> &outputs, QString *skippedMessage) const
{
    QVector<int> free;
    QVector<int> skipped[2]; // this window's, another client's
    for (int o : outputs) {
        const Holder h = holderOf(o);
        if (h == Holder::None)
            free.append(o);
        else if (!skipped[h == Holder::OtherClient].contains(o))
            skipped[h == Holder::OtherClient].append(o);
    }
    if (skippedMessage) {
        QStringList parts;
        const QString *who[2] = {&S_LockThisWindow, &S_LockOtherClient};
        for (int i = 0; i < 2; ++i) {
            if (skipped[i].isEmpty())
                continue;
            const QString &text = skipped[i].size() == 1 ? SMSG_LockSkippedOne : SMSG_LockSkippedMany;
            parts.append(text.arg(joined(skipped[i]), *who[i]));
        }
        *skippedMessage = parts.join(QLatin1Char('\n'));
    }
    return free;
}

void OutputLocks::setDevice(const QString &identity)
{
    const QString clean = cleanIdentity(identity);
    if (clean == m_device)
        return;
    m_device = clean;
    m_other.clear();
    loadRemembered();
    emit changed();
}

void OutputLocks::setShared(bool shared)
{
    if (shared == m_shared)
        return;
    m_shared = shared;
    // Until the gateway tells its table nothing shows as locked; the
    // window's remembered locks are asked for once it has. Back on a plain
    // device, the remembered locks hold again.
    m_other.clear();
    m_asked.clear();
    m_wanted.clear();
    if (shared) {
        m_wanted = rememberedOwn();
        m_own.clear();
    } else {
        loadRemembered();
    }
    emit changed();
}

void OutputLocks::applyShared(const QVector<QPair<int, char>> &states)
{
    if (!m_shared)
        return;
    bool any = false;
    for (const auto &state : states) {
        const int o = state.first;
        if (!validOutput(o))
            continue;
        const Holder before = holderOf(o);
        m_own.remove(o);
        m_other.remove(o);
        m_asked.remove(o);
        if (state.second == 'O')
            m_own.insert(o);
        else if (state.second == 'L')
            m_other.insert(o);
        any = any || holderOf(o) != before;
    }
    // The first table told: the window's remembered locks that are free.
    QVector<int> ask;
    for (int o : qAsConst(m_wanted)) {
        if (!isLocked(o))
            ask.append(o);
    }
    m_wanted.clear();
    for (int o : ask)
        m_asked.insert(o);
    remember();
    if (any)
        emit changed();
    for (int o : ask)
        emit lockRequested(o, true);
}

QVector<int> OutputLocks::rememberedOwn() const
{
    for (const auto &device : Decode(Key_OutputLocks)) {
        if (device.first == m_device)
            return device.second;
    }
    return {};
}

QString OutputLocks::DeviceIdentity(quint32 model3, quint32 model4, quint32 inputs, quint32 outputs,
                                    const QString &address)
{
    return cleanIdentity(
        QStringLiteral("%1.%2 %3x%4 %5").arg(model3).arg(model4).arg(inputs).arg(outputs).arg(address));
}

QString OutputLocks::Encode(const QVector<QPair<QString, QVector<int>>> &devices)
{
    QStringList parts;
    for (const auto &device : devices) {
        const QString id = cleanIdentity(device.first);
        if (id.isEmpty() || device.second.isEmpty())
            continue;
        QStringList outputs;
        for (int o : device.second)
            outputs.append(QString::number(o));
        parts.append(id + ListSeparator + outputs.join(QLatin1Char(',')));
    }
    return parts.join(DeviceSeparator);
}

QVector<QPair<QString, QVector<int>>> OutputLocks::Decode(const QString &text)
{
    QVector<QPair<QString, QVector<int>>> devices;
    for (const QString &part : text.split(DeviceSeparator, Qt::SkipEmptyParts)) {
        const int mark = part.lastIndexOf(ListSeparator);
        const QString id = cleanIdentity(part.left(mark));
        if (mark <= 0 || id.isEmpty())
            continue;
        QVector<int> outputs;
        for (const QString &number : part.mid(mark + 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int o = number.trimmed().toInt(&ok, 10);
            if (ok && validOutput(o) && !outputs.contains(o))
                outputs.append(o);
        }
        if (outputs.isEmpty())
            continue;
        for (int i = 0; i < devices.size(); ++i) {
            if (devices[i].first == id) {
                devices.remove(i);
                break;
            }
        }
        devices.append({id, outputs});
        if (devices.size() > MaxRememberedDevices)
            devices.removeFirst();
    }
    return devices;
}

// The current device's own locks go last, as the ones changed most
// recently; config.ini is written at once, so that a lock outlives even a
// program that is killed.
void OutputLocks::remember()
{
    if (m_device.isEmpty())
        return;
    auto devices = Decode(Key_OutputLocks);
    for (int i = 0; i < devices.size(); ++i) {
        if (devices[i].first == m_device) {
            devices.remove(i);
            break;
        }
    }
    // Locks asked of a gateway but not yet told stay wanted.
    const QSet<int> own = m_own + m_asked;
    if (!own.isEmpty())
        devices.append({m_device, sorted(own)});
    while (devices.size() > MaxRememberedDevices)
        devices.removeFirst();
    const QString text = Encode(devices);
    if (text == Key_OutputLocks)
        return;
    Key_OutputLocks = text;
    SaveConfigFile();
}

void OutputLocks::loadRemembered()
{
    m_own.clear();
    if (m_shared)
        return;
    for (int o : rememberedOwn())
        m_own.insert(o);
}
