#pragma once

#include "tools/devsim/SimFrameReader.h"

#include <QObject>
#include <QString>

class QTcpSocket;
class SimDevice;

// One connection of the program to the device's TCP side. Deletes itself
// when the connection ends.
class SimTcpClient : public QObject
{
    Q_OBJECT

public:
    SimTcpClient(QTcpSocket *socket, SimDevice *device, QObject *parent = nullptr);

    void send(const QByteArray &frame);
    void drop();

private:
    void readRequests();
    void write(const QByteArray &chunk);

    QTcpSocket *m_socket;
    SimDevice *m_device;
    SimFrameReader m_reader;
    QString m_peer;
    int m_frames = 0;
};
