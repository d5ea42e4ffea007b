#pragma once

#include <QTreeWidget>

#include <array>
#include <optional>

// The system page's list of network modules: number, name, IP, MAC and
// version, one row per MAC.
class ModuleSearchList : public QTreeWidget
{
    Q_OBJECT

public:
    using Mac = std::array<quint8, 6>;
    enum Column { NumberColumn, NameColumn, IpColumn, MacColumn, VersionColumn, ColumnCount };

    explicit ModuleSearchList(QWidget *parent = nullptr);

    void RetranslateUi();
    // A module answering again (on another interface, or after a change)
    // updates its row instead of adding one.
    void addOrUpdate(const QString &name, const QString &ip, const QString &mac, const QString &version);
    QTreeWidgetItem *rowOfMac(const Mac &mac) const;
    static std::optional<Mac> macOfRow(const QTreeWidgetItem *row);
};
