#include "tools/devsim/SimDevice.h"
#include "tools/devsim/SimOptions.h"
#include "tools/devsim/SimProgramConfig.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {
constexpr int UsageError = 2;
constexpr int StartError = 1;
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kxr-devsim"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    SimOptions options;
    QString text;
    switch (ParseSimOptions(QCoreApplication::arguments(), options, text)) {
    case SimParse::Help:
        out << text;
        return 0;
    case SimParse::Error:
        err << text << '\n';
        return UsageError;
    case SimParse::Run:
        break;
    }

    SimDevice device(options);
    if (!device.start()) {
        err << "kxr-devsim: could not open the TCP port, the pseudo-terminal or the UDP port\n";
        return StartError;
    }
    if (options.tcp)
        out << "device on tcp 127.0.0.1:" << device.tcpPort() << '\n';
    if (options.pty)
        out << "device on serial " << device.ptyPath() << '\n';
    if (options.udp)
        out << "network module on udp " << (options.udpAny ? "0.0.0.0" : "127.0.0.1") << ':' << device.udpPort()
            << '\n';
    if (!options.programDir.isEmpty()) {
        if (!WriteProgramConfig(options.programDir, device.tcpPort(), options.pty ? device.ptyPath() : QString())) {
            err << "kxr-devsim: could not write the program's settings in " << options.programDir << '\n';
            return StartError;
        }
        out << "program settings in " << options.programDir << " point here\n";
    }
    out.flush();
    return app.exec();
}
