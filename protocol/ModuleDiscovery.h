#pragma once

#include "protocol/ModuleBlockLayout.h"
#include "protocol/ModuleConfigFields.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

// The network modules the program knows of, shared by the connection page
// and the System page: how the list was filled (a UDP search, or a read of
// the device's own module over the serial link), the modules keyed by MAC,
// the module whose block was asked for and the one whose settings are shown.
// No widgets: both pages' lists draw from it.
class ModuleDiscovery : public QObject
{
    Q_OBJECT

public:
    using Mac = std::array<quint8, ModuleBlock::MacSize>;
    struct Module
    {
        QString name;
        QString ip;
        QString macText;
        QString version;
    };

    bool fromSerial() const { return m_fromSerial; }
    const QVector<Module> &modules() const { return m_modules; }
    // The entry of this MAC, or -1.
    int indexOf(const Mac &mac) const;

    // A new list begins: found by a search, or read over the serial link.
    void startList(bool fromSerial);
    // Forgets every module and the selection.
    void clear();
    // A module answered. One answering again (a search leaves from every
    // local address, so a module may hear it twice) updates its entry; a
    // MAC that does not parse is matched by its text.
    void addOrUpdate(const QString &name, const QString &ip, const QString &macText, const QString &version);

    // A row was chosen. Over the network its block is to be read: the MAC
    // to read is returned and the module becomes the one asked for; over
    // the serial link (or for a MAC that does not parse) nothing is read.
    std::optional<Mac> request(const QString &macText);
    // Nothing asked for, nothing selected.
    void clearSelection();
    std::optional<Mac> requested() const { return m_requested; }
    std::optional<Mac> selected() const { return m_selected; }
    // The block last read from the selected module (empty before).
    const QByteArray &block() const { return m_block; }
    // A module's block arrived: when it is the module asked for, it becomes
    // the selected one and its fields are returned.
    std::optional<ModuleConfigFields> acceptBlock(const QByteArray &block);
    // Over the serial link the device's own module is selected with the
    // list (a MAC that does not parse selects the all-zero one).
    void selectFromSerial(const QString &macText);

signals:
    // The list changed: redraw it from modules().
    void listChanged();

private:
    QVector<Module> m_modules;
    bool m_fromSerial = false;
    std::optional<Mac> m_requested;
    std::optional<Mac> m_selected;
    QByteArray m_block;
};

// The one model of the process, on the GUI thread.
ModuleDiscovery &Modules();
