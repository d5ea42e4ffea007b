#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVector>

class QTextEdit;
class QTimer;

// One log box of the debug console. Frames are appended as lines of
// hexadecimal text and the view follows the newest; the box keeps its last
// lines only. Frames that arrive together (a drain of the receive queue
// hands over every frame that came in since the last one) are written in
// one edit on the next pass of the event loop, before anything is painted:
// an edit per frame relays the whole box out each time and, at a thousand
// frames a second, freezes the window. After each edit the box shows the
// start of the newest line: long frames never leave it scrolled to the right.
class ConsoleLog : public QObject
{
    Q_OBJECT

public:
    ConsoleLog(QTextEdit *box, int maxLines, QObject *parent = nullptr);

    // marker goes before the frame (the direction in a shared view); the
    // time is taken now, not when the line is written.
    void append(const QByteArray &frame, const QString &marker = QString());
    // Lines appended from now on start with their time, "hh:mm:ss.zzz ".
    void setTimestamps(bool on) { m_timestamps = on; }
    // Writes what waits into the box now.
    void flush();
    // Empties the box and forgets what waits.
    void clear();

private:
    QTextEdit *m_box;
    int m_maxLines;
    QVector<QString> m_pending;
    bool m_timestamps = false;
    QTimer *m_timer;
};
