#include "pages/network/ModuleSearchList.h"

#include "app/LanguageTable.h"
#include "chrome/TextFit.h"
#include "protocol/ModuleConfigEdit.h"

#include <QHeaderView>

namespace {
constexpr int ColumnWidths[ModuleSearchList::ColumnCount] = {60, 170, 130, 150, 80};
// Room beside a header caption for the section's padding and sort arrow.
constexpr int HeaderPadding = 12;
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
    const QStringList captions = {SSearchList_Number, SSearchList_DeviceName, SSearchList_IP, SSearchList_MAC,
                                  SSearchList_Version};
    setHeaderLabels(captions);
    // The header draws its captions bold: each column is at least that wide.
    for (int c = 0; c < ColumnCount; ++c)
        setColumnWidth(c, qMax(ColumnWidths[c], BoldTextWidth(header(), captions.at(c), HeaderPadding)));
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
