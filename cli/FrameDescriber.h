#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

// Says in words what one received frame told the program. It does not
// decode bytes itself: while the dispatcher handles the frame it listens to
// what the dispatcher reports (the same signals the window's pages receive)
// and describes the model the dispatcher has just written. A frame the
// dispatcher does not act on is described by nothing.
class FrameDescriber : public QObject
{
    Q_OBJECT

public:
    explicit FrameDescriber(QObject *parent = nullptr);

    // Around one call of the dispatcher.
    void begin();
    QStringList finish(const QByteArray &frame);

private:
    struct Refreshed
    {
        bool input;
        unsigned int channel;
    };

    void note(const QString &text);
    // What the frame told of one channel.
    QString channelText(const QByteArray &frame, const Refreshed &refreshed) const;
    QString routingText(const QByteArray &frame) const;

    bool m_active = false;
    bool m_matrix = false;
    QStringList m_notes;
    QVector<Refreshed> m_refreshed;
};
