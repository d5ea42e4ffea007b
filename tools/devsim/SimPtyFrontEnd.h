#pragma once

#include "tools/devsim/SimFrameReader.h"

#include <QObject>
#include <QString>

class QSocketNotifier;
class SimDevice;

// The device's serial side: a pseudo-terminal whose slave end the program
// opens by its path like any serial port. The slave end is kept open here
// too, so that the line stays up between the program's connections.
class SimPtyFrontEnd : public QObject
{
    Q_OBJECT

public:
    SimPtyFrontEnd(SimDevice *device, QObject *parent = nullptr);
    ~SimPtyFrontEnd() override;

    bool open();
    QString path() const { return m_path; }
    void send(const QByteArray &frame);

private:
    void readRequests();
    void write(const QByteArray &chunk);
    void closeTerminal();

    SimDevice *m_device;
    int m_master = -1;
    int m_slave = -1;
    QSocketNotifier *m_notifier = nullptr;
    SimFrameReader m_reader;
    QString m_path;
};
