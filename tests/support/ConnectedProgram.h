#pragma once

#ifdef KXR_HAVE_SIMULATOR

#include "support/MainWindowFixture.h"
#include "support/SimHarness.h"

#include <QByteArray>
#include <QVector>

class Ui_Main;

// The program connected to the device simulator through its connection
// page, as an operator does it: the window is built over a scratch
// directory pointed at the simulator, the Connect button of the chosen link
// is clicked, and the constructor returns once the device is identified and
// the full read has finished (or the bounded wait ran out: see ok()).
class ConnectedProgram
{
public:
    enum class Link { Tcp, Serial };

    // extraConfig: config.ini values beside the simulator's address (for
    // example {"Key_UI_Peripheral", "1"} to show the peripheral tab).
    explicit ConnectedProgram(const SimOptions &options = SimHarness::TestOptions(), Link link = Link::Tcp,
                              const QList<QPair<QByteArray, QByteArray>> &extraConfig = {});
    ~ConnectedProgram();
    ConnectedProgram(const ConnectedProgram &) = delete;
    ConnectedProgram &operator=(const ConnectedProgram &) = delete;

    // Identified, fully read, and no message shown on the way. When false,
    // why() says what went wrong (for QVERIFY2).
    bool ok() const { return m_ok; }
    const char *why() const { return m_why.constData(); }

    SimHarness &sim() { return *m_sim; }
    Ui_Main *window() const;
    MessageRecorder &messages() { return m_fixture->messages(); }
    ScratchAppDir &dir() { return m_fixture->dir(); }
    SimLink simLink() const { return m_link == Link::Tcp ? SimLink::Tcp : SimLink::Pty; }

    // Waits (bounded) until the program's send queue is empty and the
    // simulator has seen no new request for a while, so every reply of what
    // was queued has been dispatched. False when the bound ran out.
    bool waitQuiet(int timeoutMs = 10000);

    // Remembers how many requests the simulator has seen; requestsSinceMark
    // returns the frames that came in after that, oldest first.
    void mark();
    QVector<QByteArray> requestsSinceMark() const;

    // Clicks the link's button again: the program disconnects.
    void disconnect();

private:
    void connectLink();

    std::unique_ptr<SimHarness> m_sim;
    std::unique_ptr<MainWindowFixture> m_fixture;
    Link m_link;
    qint64 m_mark = 0;
    bool m_ok = false;
    QByteArray m_why;
};

#endif
