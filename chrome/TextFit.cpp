#include "chrome/TextFit.h"

#include <QFontMetrics>
#include <QLabel>

int BoldTextWidth(const QWidget *widget, const QString &text, int padding)
{
    QFont bold = widget->font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(text) + 2 * padding;
}

void ReserveBoldWidth(QWidget *widget, const QString &text, int padding)
{
    const int wanted = BoldTextWidth(widget, text, padding);
    if (widget->minimumWidth() < wanted)
        widget->setMinimumWidth(wanted);
}

void SetElidedText(QLabel *label, const QString &text)
{
    const int room = label->contentsRect().width() - 2 * label->margin();
    const QString shown = room > 0 ? label->fontMetrics().elidedText(text, Qt::ElideRight, room) : text;
    if (label->text() != shown)
        label->setText(shown);
    const QString tip = shown != text ? text : QString();
    if (label->toolTip() != tip)
        label->setToolTip(tip);
}
