#pragma once

#include <QObject>
#include <QString>
#include <QTime>
#include <QVector>

class MyFramelessWindow;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;

// Shows the state of the device link wherever the operator looks: in the
// window title ("KXR — 16×16 — 192.168.0.247:5000 — connected") and in a
// status line under the tabs. While no device is connected the pages that
// act on it are disabled, the status line says since when their values
// are, and the status log gets a line for each disconnect. Values kept from
// an earlier connection (a connection made with Stop Sync pressed) are
// named as such until the device is read again. The state is taken from the
// active link and the device model on every link signal and, as a backstop,
// a few times a second.
class LinkIndicator : public QObject
{
    Q_OBJECT

public:
    enum class State { NotConnected, Connecting, Connected };
    static constexpr int PollMs = 250;

    LinkIndicator(MyFramelessWindow *window, QLabel *statusLine, QPushButton *stopSync, QWidget *parent);

    // The pages that send to the device: disabled while no device is
    // connected.
    void setDevicePages(const QVector<QWidget *> &pages);
    State state() const { return m_state; }
    QString titleText() const;
    QString statusText() const;

public Q_SLOTS:
    // Reads the link state again and redraws everything it shows.
    void refresh();
    // The texts changed language.
    void retranslate();
    // The device was read: values are no longer those of an earlier link.
    void valuesRead();
    // A broken TCP link is being made again: "reconnecting" until it ends.
    void setRemaking(bool remaking);

Q_SIGNALS:
    // A line for the status log.
    void SGL_StatusLine(QString text);

private:
    State currentState() const;
    QString endpoint() const;
    QString stateWord() const;
    void apply();

    MyFramelessWindow *m_window;
    QLabel *m_statusLine;
    QPushButton *m_stopSync;
    QVector<QWidget *> m_pages;
    QTimer *m_poll;
    State m_state = State::NotConnected;
    QString m_endpoint;
    QString m_size;
    bool m_everLinked = false;
    bool m_remaking = false;
    QTime m_valuesTime;           // when the values shown stopped being live
    bool m_earlierValues = false; // connected, showing values of an earlier link
};
