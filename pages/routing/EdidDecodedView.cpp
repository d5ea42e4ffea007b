#include "pages/routing/EdidDecodedView.h"

#include "app/LanguageTable.h"
#include "protocol/EdidDecoder.h"
#include "protocol/EdidReport.h"

#include <QBrush>
#include <QColor>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {
const QColor ErrorColour(0xC0, 0x10, 0x10);
const QColor WarningColour(0xB0, 0x6A, 0x00);
constexpr char BlockPrefix[] = "block ";
constexpr char Indent[] = "  ";
constexpr int Spacing = 4;
} // namespace

EdidDecodedView::EdidDecodedView(QWidget *parent)
    : QWidget(parent)
    , m_source(new QLabel(this))
    , m_counts(new QLabel(this))
    , m_tree(new QTreeWidget(this))
{
    m_source->setObjectName(QStringLiteral("edidSource"));
    m_counts->setObjectName(QStringLiteral("edidCounts"));
    m_tree->setObjectName(QStringLiteral("edidDecodedTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    // One line per field, cut at the edge: rows of one height are laid out fast.
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Spacing);
    layout->addWidget(m_source);
    layout->addWidget(m_counts);
    layout->addWidget(m_tree, 1);
    clear();
}

QString EdidDecodedView::sourceText() const
{
    return m_source->text();
}

void EdidDecodedView::clear()
{
    m_info = EdidInfo();
    m_shown = false;
    m_tree->clear();
    retranslate();
}

void EdidDecodedView::retranslate()
{
    if (!m_shown) {
        m_source->setText(Slabel_EdidNothing);
        m_counts->clear();
        return;
    }
    const int errors = EdidErrorCount(m_info);
    m_counts->setText(Slabel_EdidCounts.arg(errors).arg(m_info.messages.size() - errors));
    m_counts->setStyleSheet(errors ? QStringLiteral("color: %1;").arg(ErrorColour.name()) : QString());
}

void EdidDecodedView::showEdid(const QByteArray &image, const QString &source)
{
    m_info = DecodeEdid(image);
    m_shown = true;
    m_source->setText(source);
    retranslate();

    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    // The findings first, each in its colour; then the fields, one branch
    // for the base block and one per extension block.
    for (const EdidMessage &message : m_info.messages) {
        auto *item = new QTreeWidgetItem(m_tree, {EdidMessageText(message)});
        item->setForeground(0, QBrush(message.severity == EdidSeverity::Error ? ErrorColour : WarningColour));
    }
    const QStringList lines = EdidReportLines(m_info).mid(m_info.messages.size());
    // The verdict heads the base block's fields; an extension block's fields
    // are indented below it; what follows the blocks stands alone.
    QTreeWidgetItem *base = nullptr;
    QTreeWidgetItem *block = nullptr;
    for (const QString &line : lines) {
        if (!base) {
            base = new QTreeWidgetItem(m_tree, {line});
        } else if (line.startsWith(QLatin1String(BlockPrefix))) {
            block = new QTreeWidgetItem(m_tree, {line});
        } else if (line.startsWith(QLatin1String(Indent))) {
            new QTreeWidgetItem(block ? block : base, {line.trimmed()});
        } else if (block) {
            new QTreeWidgetItem(m_tree, {line});
        } else {
            new QTreeWidgetItem(base, {line});
        }
    }
    // A long line is cut at the view's edge; its tool tip holds it whole.
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        (*it)->setToolTip(0, (*it)->text(0));
    m_tree->expandAll();
    m_tree->setUpdatesEnabled(true);
}
