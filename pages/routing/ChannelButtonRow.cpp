#include "pages/routing/ChannelButtonRow.h"

#include <QPushButton>

ChannelButtonRow::ChannelButtonRow(const char *prefix)
    : m_prefix(prefix)
{ }

void ChannelButtonRow::build(QWidget *parent, quint32 count, const std::function<QRect(quint32)> &geometryOf)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    for (quint32 i = 0; i < count; ++i) {
        auto *button = new QPushButton(parent);
        button->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(m_prefix)).arg(i));
        button->setGeometry(geometryOf(i));
        button->setFocusPolicy(Qt::NoFocus);
        m_buttons.append(button);
    }
}
