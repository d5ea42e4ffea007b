#include "pages/network/ModuleSearchList.h"

#include "app/LanguageTable.h"
#include "protocol/ModuleConfigEdit.h"

namespace {
constexpr int ColumnWidths[ModuleSearchList::ColumnCount] = {60, 170, 130, 150, 80};
} // namespace

ModuleSearchList::ModuleSearchList(QWidget *parent)
    : QTreeWidget(parent)
{
    setColumnCount(ColumnCount);
    setRootIsDecorated(false);
    for (int c = 0; c < ColumnCount; ++c)
        setColumnWidth(c, ColumnWidths[c]);
}

void ModuleSearchList::RetranslateUi()
{
    setHeaderLabels({SSearchList_Number, SSearchList_DeviceName, SSearchList_IP, SSearchList_MAC, SSearchList_Version});
}

void ModuleSearchList::addOrUpdate(const QString &name, const QString &ip, const QString &mac, const QString &version)
{
    const std::optional<Mac> bytes = ParseModuleMac(mac);
    QTreeWidgetItem *row = bytes ? rowOfMac(*bytes) : nullptr;
    if (!row) {
        row = new QTreeWidgetItem(this);
        row->setText(NumberColumn, QString::number(topLevelItemCount()));
    }
    row->setText(NameColumn, name);
    row->setText(IpColumn, ip);
    row->setText(MacColumn, mac);
    row->setText(VersionColumn, version);
}

QTreeWidgetItem *ModuleSearchList::rowOfMac(const Mac &mac) const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = topLevelItem(i);
        if (macOfRow(row) == mac)
            return row;
    }
    return nullptr;
}

std::optional<ModuleSearchList::Mac> ModuleSearchList::macOfRow(const QTreeWidgetItem *row)
{
    return row ? ParseModuleMac(row->text(MacColumn)) : std::nullopt;
}
