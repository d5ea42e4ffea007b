#include "pages/RowFreshness.h"

#include "app/LanguageTable.h"

#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace {
constexpr char FreshnessProperty[] = "freshness";
} // namespace

void MarkFreshness(QWidget *marked, QWidget *readButton, RequestTracker::RowState state)
{
    QByteArray name;
    QString tip;
    switch (state) {
    case RequestTracker::RowState::Missed:
        name = "missed";
        tip = STIPS_NoAnswer;
        break;
    case RequestTracker::RowState::Stale:
        name = "stale";
        tip = STIPS_EarlierValue;
        break;
    default:
        break;
    }
    if (readButton && readButton->toolTip() != tip)
        readButton->setToolTip(tip);
    if (marked->toolTip() != tip)
        marked->setToolTip(tip);
    if (marked->property(FreshnessProperty).toByteArray() == name)
        return;
    marked->setProperty(FreshnessProperty, name);
    marked->style()->unpolish(marked);
    marked->style()->polish(marked);
}

QString MissingValueText()
{
    return QStringLiteral("—");
}
