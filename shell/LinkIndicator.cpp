#include "shell/LinkIndicator.h"

#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "chrome/MyFramelessWindow.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/RequestTracker.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVariant>

namespace {
const QString Separator = QStringLiteral(" — ");
const QString TimeFormat = QStringLiteral("HH:mm:ss");
constexpr char StateProperty[] = "link";

const char *stateName(LinkIndicator::State state)
{
    switch (state) {
    case LinkIndicator::State::Connected:
        return "connected";
    case LinkIndicator::State::Connecting:
        return "connecting";
    case LinkIndicator::State::NotConnected:
        break;
    }
    return "none";
}
} // namespace

LinkIndicator::LinkIndicator(MyFramelessWindow *window, QLabel *statusLine, QPushButton *stopSync, QWidget *parent)
    : QObject(parent)
    , m_window(window)
    , m_statusLine(statusLine)
    , m_stopSync(stopSync)
    , m_poll(new QTimer(this))
{
    m_statusLine->setObjectName(QStringLiteral("LinkStatus"));
    connect(m_poll, &QTimer::timeout, this, &LinkIndicator::refresh);
    m_poll->start(PollMs);
}

void LinkIndicator::setDevicePages(const QVector<QWidget *> &pages)
{
    m_pages = pages;
    apply();
}

LinkIndicator::State LinkIndicator::currentState() const
{
    if (ActiveTransport == TransportNone)
        return State::NotConnected;
    return Device().identified ? State::Connected : State::Connecting;
}

QString LinkIndicator::endpoint() const
{
    switch (ActiveTransport.load()) {
    case TransportTcp:
        return SP_RemoteIp + QLatin1Char(':') + SP_RemotePort;
    case TransportSerial:
        return SP_Name;
    default:
        return m_endpoint;
    }
}

void LinkIndicator::refresh()
{
    const State now = currentState();
    const State before = m_state;
    m_endpoint = endpoint();
    if (now == State::Connected && before != State::Connected) {
        const DeviceState &device = Device();
        m_size = QStringLiteral("%1×%2").arg(device.inputCount).arg(device.outputCount);
        // With Stop Sync pressed nothing is read: the pages keep what an
        // earlier link showed.
        m_earlierValues = device.stopSync && m_valuesTime.isValid();
        m_everLinked = true;
    }
    if (now == State::NotConnected && before != State::NotConnected) {
        const QTime lost = QTime::currentTime();
        if (before == State::Connected)
            m_valuesTime = lost;
        m_earlierValues = false;
        Tracker().linkClosed();
        Q_EMIT SGL_StatusLine(SMSG_LinkLost.arg(lost.toString(TimeFormat), m_endpoint));
    }
    m_state = now;
    apply();
}

void LinkIndicator::valuesRead()
{
    if (!m_earlierValues)
        return;
    m_earlierValues = false;
    apply();
}

void LinkIndicator::setRemaking(bool remaking)
{
    m_remaking = remaking;
    apply();
}

void LinkIndicator::retranslate()
{
    apply();
}

QString LinkIndicator::stateWord() const
{
    switch (m_state) {
    case State::Connected:
        return m_remaking ? S_LinkReconnecting : S_LinkConnected;
    case State::Connecting:
        return m_everLinked ? S_LinkReconnecting : S_LinkConnecting;
    case State::NotConnected:
        break;
    }
    return S_LinkNotConnected;
}

QString LinkIndicator::titleText() const
{
    QStringList parts{Ui_Main_AppName};
    if (!m_size.isEmpty())
        parts << m_size;
    if (!m_endpoint.isEmpty())
        parts << m_endpoint;
    parts << stateWord();
    return parts.join(Separator);
}

QString LinkIndicator::statusText() const
{
    if (m_state == State::NotConnected) {
        return m_valuesTime.isValid() ? SMSG_NotConnectedSince.arg(m_valuesTime.toString(TimeFormat))
                                      : SMSG_NotConnectedNothingRead;
    }
    QStringList parts;
    if (m_state == State::Connected)
        parts << m_size;
    parts << m_endpoint << stateWord();
    if (m_earlierValues)
        parts << SMSG_EarlierValues.arg(m_valuesTime.toString(TimeFormat));
    return parts.join(Separator);
}

void LinkIndicator::apply()
{
    const QString title = titleText();
    m_window->setTitleText(title);
    m_window->setWindowTitle(title.trimmed());
    const QString status = statusText();
    if (m_statusLine->text() != status)
        m_statusLine->setText(status);
    const QByteArray name(stateName(m_state));
    if (m_statusLine->property(StateProperty).toByteArray() != name) {
        m_statusLine->setProperty(StateProperty, name);
        m_statusLine->style()->unpolish(m_statusLine);
        m_statusLine->style()->polish(m_statusLine);
    }
    const bool live = m_state == State::Connected;
    for (QWidget *page : qAsConst(m_pages))
        if (page->isEnabled() != live)
            page->setEnabled(live);
    const bool stopped = Device().stopSync != 0;
    if (m_stopSync->isChecked() != stopped)
        m_stopSync->setChecked(stopped);
}
