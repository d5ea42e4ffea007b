#include "pages/network/ModuleSearchList.h"

#include "app/LanguageTable.h"
#include "chrome/TextFit.h"
#include "protocol/ModuleConfigEdit.h"
#include "protocol/ModuleDiscovery.h"

#include <QHeaderView>

namespace {
// Room beside a header caption for the section's padding and sort arrow.
constexpr int HeaderPadding = 12;
} // namespace

ModuleSearchList::ModuleSearchList(const Widths &widths, QWidget *parent)
    : QTreeWidget(parent)
    , m_widths(widths)
{
    setColumnCount(ColumnCount);
    setRootIsDecorated(false);
    resetColumnWidths();
    connect(&Modules(), &ModuleDiscovery::listChanged, this, &ModuleSearchList::redraw);
    redraw();
}

void ModuleSearchList::resetColumnWidths()
{
    for (int c = 0; c < ColumnCount; ++c)
        setColumnWidth(c, m_widths[size_t(c)]);
}

void ModuleSearchList::RetranslateUi()
{
    const QStringList captions = {SSearchList_Number, SSearchList_DeviceName, SSearchList_IP, SSearchList_MAC,
                                  SSearchList_Version};
    setHeaderLabels(captions);
    // The header draws its captions bold: each column is at least that wide.
    for (int c = 0; c < ColumnCount; ++c)
        setColumnWidth(c, qMax(m_widths[size_t(c)], BoldTextWidth(header(), captions.at(c), HeaderPadding)));
}

void ModuleSearchList::redraw()
{
    const QVector<ModuleDiscovery::Module> &modules = Modules().modules();
    if (modules.isEmpty()) {
        clear();
        setCurrentItem(nullptr);
        return;
    }
    while (topLevelItemCount() > modules.size())
        delete takeTopLevelItem(topLevelItemCount() - 1);
    for (int i = 0; i < modules.size(); ++i) {
        QTreeWidgetItem *row = topLevelItem(i);
        if (!row) {
            row = new QTreeWidgetItem(this);
            row->setText(NumberColumn, QString::number(i + 1));
        }
        const ModuleDiscovery::Module &module = modules.at(i);
        row->setText(NameColumn, module.name);
        row->setText(IpColumn, module.ip);
        row->setText(MacColumn, module.macText);
        row->setText(VersionColumn, module.version);
    }
}

QTreeWidgetItem *ModuleSearchList::rowOfMac(const Mac &mac) const
{
    const int index = Modules().indexOf(mac);
    return index < 0 ? nullptr : topLevelItem(index);
}

std::optional<ModuleSearchList::Mac> ModuleSearchList::macOfRow(const QTreeWidgetItem *row)
{
    return row ? ParseModuleMac(row->text(MacColumn)) : std::nullopt;
}
