// kxr-gateway: one device link shared by the window, kxrctl and every
// router-control client.
#include "gateway/GatewayMain.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return GatewayMain(app);
}
