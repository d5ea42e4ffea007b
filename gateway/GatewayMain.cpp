#include "gateway/GatewayMain.h"

#include "gateway/GatewayOptions.h"
#include "gateway/GatewayServer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int ExitBadOptions = 2;
constexpr int ExitCannotListen = 1;
int SignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    (void)!::write(SignalPipe[1], &byte, 1);
}

void Log(const QString &line)
{
    std::fprintf(stderr, "kxr-gateway: %s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

int GatewayMain(QCoreApplication &app)
{
    app.setApplicationName(QStringLiteral("kxr-gateway"));
    GatewayOptions options;
    QString message;
    switch (ParseGatewayArguments(app.arguments(), options, message)) {
    case GatewayParse::Help:
        std::fputs(message.toLocal8Bit().constData(), stdout);
        return 0;
    case GatewayParse::Version:
        std::printf("kxr-gateway %s\n", KXR_VERSION);
        return 0;
    case GatewayParse::Error:
        Log(message);
        return ExitBadOptions;
    case GatewayParse::Check:
        std::printf("kxr-gateway: options are valid\n");
        return 0;
    case GatewayParse::Run:
        break;
    }
    if (::pipe(SignalPipe) == 0) {
        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
        auto *notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
            Log(QStringLiteral("stopping"));
            app.quit();
        });
    }
    GatewayServer server(options, Log);
    if (!server.start(message)) {
        Log(message);
        return ExitCannotListen;
    }
    return app.exec();
}
