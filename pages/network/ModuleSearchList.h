#pragma once

#include <QTreeWidget>

#include <array>
#include <optional>

// A list of the network modules the program knows of (number, name, IP, MAC
// and version, one row per MAC), drawn from the one module model; the
// connection page and the System page each show one, with their own column
// widths.
class ModuleSearchList : public QTreeWidget
{
    Q_OBJECT

public:
    using Mac = std::array<quint8, 6>;
    enum Column { NumberColumn, NameColumn, IpColumn, MacColumn, VersionColumn, ColumnCount };
    using Widths = std::array<int, ColumnCount>;

    explicit ModuleSearchList(const Widths &widths, QWidget *parent = nullptr);

    void RetranslateUi();
    // Back to the widths the list was made with.
    void resetColumnWidths();
    QTreeWidgetItem *rowOfMac(const Mac &mac) const;
    static std::optional<Mac> macOfRow(const QTreeWidgetItem *row);

private:
    Widths m_widths;
    // Rows follow the model's entries; a row that stays keeps its
    // selection.
    void redraw();
};
