#pragma once

class QThread;
class ServiceSerialPort;
class ServiceTcpClient;
class ServiceUdp;

// The three transport services and their worker threads live for the whole
// run. Each is created on first use, on the GUI thread; the connection page
// moves the services into their threads, wires them and starts the threads.
ServiceSerialPort *SerialService();
ServiceTcpClient *TcpService();
ServiceUdp *UdpService();
QThread *SerialThread();
QThread *TcpThread();
QThread *UdpThread();

// End of the program (and of each test): every running thread is stopped
// (quit, then up to 2000 ms; its finished() disconnects its service) and the
// services and threads are deleted. The accessors create new ones on the
// next use.
void ShutdownServices();
