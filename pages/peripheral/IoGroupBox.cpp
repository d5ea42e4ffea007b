#include "pages/peripheral/IoGroupBox.h"

#include "app/LanguageTable.h"
#include "pages/RowFreshness.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr int ButtonRow = PeripheralIo::Channels;
constexpr int NumberColumn = 0;
constexpr int FirstColumn = 1;
constexpr int SecondColumn = 2;
constexpr int ColumnSpan = 3;
constexpr int RowSpacing = 8;
constexpr int ColumnSpacing = 18;
} // namespace

IoGroupBox::IoGroupBox(PeripheralIo::Group group, QWidget *parent)
    : QGroupBox(parent)
    , m_group(group)
{
    auto *grid = new QGridLayout(this);
    grid->setVerticalSpacing(RowSpacing);
    grid->setHorizontalSpacing(ColumnSpacing);
    for (int k = 0; k < PeripheralIo::Channels; ++k) {
        Channel &c = m_channels[size_t(k)];
        c.number = new QLabel(QString::number(k + 1), this);
        c.first = new QRadioButton(this);
        c.second = new QRadioButton(this);
        c.pair = new QButtonGroup(this);
        c.pair->addButton(c.first, PeripheralIo::FirstButtonId);
        c.pair->addButton(c.second, PeripheralIo::SecondButtonId);
        // The inputs show no level until the device reported one; the
        // outputs and relays start from the levels a Write would send.
        if (displayOnly())
            c.pair->setExclusive(false);
        else
            c.second->setChecked(true);
        if (displayOnly()) {
            // The inputs' state comes from the device only.
            for (QRadioButton *button : {c.first, c.second}) {
                button->setFocusPolicy(Qt::NoFocus);
                button->installEventFilter(this);
            }
        }
        grid->addWidget(c.number, k, NumberColumn);
        grid->addWidget(c.first, k, FirstColumn);
        grid->addWidget(c.second, k, SecondColumn);
    }
    auto *buttons = new QHBoxLayout;
    m_read = new QPushButton(this);
    buttons->addWidget(m_read);
    if (!displayOnly()) {
        m_write = new QPushButton(this);
        buttons->addWidget(m_write);
    }
    grid->addLayout(buttons, ButtonRow, NumberColumn, 1, ColumnSpan);
    retranslate();
}

quint8 IoGroupBox::stateByte() const
{
    quint8 state = 0;
    for (int k = 0; k < PeripheralIo::Channels; ++k) {
        if (m_channels[size_t(k)].first->isChecked())
            state |= quint8(1u << k);
    }
    return state;
}

void IoGroupBox::showState(quint8 state)
{
    for (int k = 0; k < PeripheralIo::Channels; ++k) {
        const Channel &c = m_channels[size_t(k)];
        c.pair->setExclusive(true);
        (state & (1u << k) ? c.first : c.second)->setChecked(true);
    }
}

void IoGroupBox::showFreshness(RequestTracker::RowState state)
{
    m_freshness = state;
    MarkFreshness(this, m_read, state);
    retranslate();
}

void IoGroupBox::retranslate()
{
    const bool relays = m_group == PeripheralIo::Group::Relays;
    const QString title = displayOnly() ? SgroupBox_IO_IN : relays ? SgroupBox_Relay : SgroupBox_IO_OUT;
    const QString separator = QStringLiteral(" — ");
    if (m_freshness == RequestTracker::RowState::Missed)
        setTitle(title + separator + MissingValueText());
    else if (displayOnly() && m_freshness == RequestTracker::RowState::Unknown)
        setTitle(title + separator + S_Unknown);
    else
        setTitle(title);
    const QString *captions = relays ? S_OnOff : S_HighLow;
    for (Channel &c : m_channels) {
        c.first->setText(captions[PeripheralIo::FirstButtonId]);
        c.second->setText(captions[PeripheralIo::SecondButtonId]);
    }
    m_read->setText(S_ReadWrite[0]);
    if (m_write)
        m_write->setText(S_ReadWrite[1]);
}

QRadioButton *IoGroupBox::firstButton(int channel) const
{
    return m_channels[size_t(qBound(0, channel, PeripheralIo::Channels - 1))].first;
}

QRadioButton *IoGroupBox::secondButton(int channel) const
{
    return m_channels[size_t(qBound(0, channel, PeripheralIo::Channels - 1))].second;
}

bool IoGroupBox::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    default:
        return QGroupBox::eventFilter(watched, event);
    }
}
