#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QObject>
#include <QStringList>
#include <QVector>

class QTimer;

// What the program knows about the freshness of what it shows, learnt from
// the device frames as they leave and from the replies as they are
// dispatched: for each row a read fills (an input's or output's signal
// information, a peripheral group's lines), whether it was answered in this
// connection, in an earlier one, never, or whether its last read went
// unanswered; and for each output the crosspoint a click asked for and the
// device has not confirmed yet. The queue is strict (one command in flight,
// and the reply of a command is dispatched before the next one leaves), so
// the command in flight is the last device frame sent, and it is settled
// when the next one leaves or its reply time has run out. GUI thread only.
class RequestTracker : public QObject
{
    Q_OBJECT

public:
    enum class RowKind : quint8 { Input, Output, Peripheral };
    enum class RowState : quint8 {
        Unknown, // never read since the program started
        Reading, // its read left and is not settled yet
        Fresh,   // answered on this connection
        Stale,   // answered on an earlier connection, kept on display
        Missed,  // its last read got no answer
    };
    // A read in flight with no reply is counted unanswered after this long
    // even when no further command leaves (the longest read timeout and
    // some slack for the window).
    static constexpr int SettleMs = 2500;
    // Misses closer together than this are reported in one status line.
    static constexpr int SummaryDelayMs = 1500;
    static constexpr int NoPending = -1;

    explicit RequestTracker(QObject *parent = nullptr);

    RowState rowState(RowKind kind, quint32 index) const;
    // The input a pending switch of this output asks for, or NoPending.
    int pendingInput(quint32 output) const;

    // A device frame went out on the active link.
    void frameSent(const QByteArray &frame);
    // A switch of one output was queued: it shows as pending at once.
    void switchQueued(quint32 input, quint32 output);
    // The dispatcher's row and routing refreshes.
    void rowAnswered(RowKind kind, quint32 index);
    void routingAnswered();
    // The link went down: what was answered is kept on display as values
    // of an earlier connection; nothing is pending any more.
    void linkClosed();

    // "Input-3" / "Output-5" / the peripheral group's caption.
    static QString rowName(RowKind kind, quint32 index);

Q_SIGNALS:
    void SGL_RowsChanged();
    void SGL_PendingChanged();
    // One line for the status log naming the reads that went unanswered.
    void SGL_Unanswered(QString line);
    // A switch of an output (mute, freeze, black) got no answer: the output
    // still shows what the device last confirmed.
    void SGL_WriteUnanswered(quint32 output);

private:
    struct InFlight
    {
        enum class What : quint8 { None, Row, Switch, Write } what = What::None;
        RowKind kind = RowKind::Input;
        quint32 index = 0; // row, or switched output
        quint32 input = 0; // switched input
        bool answered = false;
        QByteArray frame; // a write's, for the status line
    };
    static quint32 key(RowKind kind, quint32 index);
    void settle();
    void setRow(RowKind kind, quint32 index, RowState state);
    void reportMisses();

    QHash<quint32, RowState> m_rows;
    QHash<quint32, quint32> m_queuedSwitch; // output → input, queued not sent
    // Rows answered before the notice that their read left.
    QSet<quint32> m_answeredUnsent;
    InFlight m_inFlight;
    QTimer *m_settleTimer;
    QTimer *m_summaryTimer;
    QStringList m_missed;
};

// The process-wide tracker, on the GUI thread.
RequestTracker &Tracker();
