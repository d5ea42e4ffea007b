#pragma once

#include <QByteArrayList>
#include <QObject>

class QTextEdit;
class QTimer;

// One log box of the debug console. Frames are appended as lines of
// hexadecimal text and the view follows the newest; the box keeps its last
// lines only. Frames that arrive together (a drain of the receive queue
// hands over every frame that came in since the last one) are written in
// one edit on the next pass of the event loop, before anything is painted:
// an edit per frame relays the whole box out each time and, at a thousand
// frames a second, freezes the window.
class ConsoleLog : public QObject
{
    Q_OBJECT

public:
    ConsoleLog(QTextEdit *box, int maxLines, QObject *parent = nullptr);

    void append(const QByteArray &frame);
    // Writes what waits into the box now.
    void flush();
    // Empties the box and forgets what waits.
    void clear();

private:
    QTextEdit *m_box;
    int m_maxLines;
    QByteArrayList m_pending;
    QTimer *m_timer;
};
