#include "transport/ServiceRegistry.h"

#include "transport/ServiceSerialPort.h"
#include "transport/ServiceTcpClient.h"
#include "transport/ServiceUdp.h"

#include <QThread>

namespace {

constexpr unsigned long ThreadStopWaitMs = 2000;

ServiceSerialPort *g_serialService = nullptr;
ServiceTcpClient *g_tcpService = nullptr;
ServiceUdp *g_udpService = nullptr;
QThread *g_serialThread = nullptr;
QThread *g_tcpThread = nullptr;
QThread *g_udpThread = nullptr;

QThread *namedThread(QThread *&thread, const char *name)
{
    if (!thread) {
        thread = new QThread;
        thread->setObjectName(QString::fromLatin1(name));
    }
    return thread;
}

template<typename Service>
Service *service(Service *&instance)
{
    if (!instance)
        instance = new Service;
    return instance;
}

// Returns whether the thread is stopped, so that its objects may go.
bool stopThread(QThread *thread)
{
    if (!thread || !thread->isRunning())
        return true;
    thread->quit();
    return thread->wait(ThreadStopWaitMs);
}

template<typename Service>
void shutdown(Service *&instance, QThread *&thread)
{
    // A thread that does not stop in time keeps its objects: destroying a
    // running thread would abort the program.
    if (!stopThread(thread))
        return;
    delete instance;
    instance = nullptr;
    delete thread;
    thread = nullptr;
}

} // namespace

ServiceSerialPort *SerialService()
{
    return service(g_serialService);
}

ServiceTcpClient *TcpService()
{
    return service(g_tcpService);
}

ServiceUdp *UdpService()
{
    return service(g_udpService);
}

QThread *SerialThread()
{
    return namedThread(g_serialThread, "SerialPortThread");
}

QThread *TcpThread()
{
    return namedThread(g_tcpThread, "TcpClientThread");
}

QThread *UdpThread()
{
    return namedThread(g_udpThread, "UdpThread");
}

void ShutdownServices()
{
    shutdown(g_serialService, g_serialThread);
    shutdown(g_tcpService, g_tcpThread);
    shutdown(g_udpService, g_udpThread);
}
