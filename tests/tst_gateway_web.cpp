// The gateway's JSON API over plain HTTP, against the simulated device:
// status codes and shapes, locks, the link going down, the token, the
// Origin, the bounds; and the event stream on its WebSocket.
#include "gateway/GatewayServer.h"
#include "gateway/WebApi.h"
#include "gateway/WebServer.h"
#include "support/SimHarness.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QWebSocket>
#include <QtTest>

namespace {

constexpr int WaitMs = 10000;

struct Reply
{
    int status = 0;
    QJsonObject json;
};

// One request on its own connection, answered before the server closes it.
Reply Http(quint16 port, const QByteArray &method, const QByteArray &path, const QByteArray &body = {},
           const QByteArray &extraHeaders = {})
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port);
    if (!s.waitForConnected(WaitMs))
        return {};
    s.write(method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port)
            + "\r\nConnection: close\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" + extraHeaders
            + "\r\n" + body);
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (s.state() == QAbstractSocket::ConnectedState && clock.elapsed() < WaitMs) {
        QTest::qWait(5);
        got += s.readAll();
    }
    got += s.readAll();
    Reply r;
    r.status = got.mid(9, 3).toInt();
    r.json = QJsonDocument::fromJson(got.mid(got.indexOf("\r\n\r\n") + 4)).object();
    return r;
}

SimOptions Sim()
{
    SimOptions o = SimHarness::TestOptions();
    o.pty = o.udp = false;
    o.model.inputs = 8;
    o.model.outputs = 4;
    return o;
}

GatewayOptions Options(quint16 devicePort)
{
    GatewayOptions o;
    o.tcpHost = QStringLiteral("127.0.0.1");
    o.tcpPort = devicePort;
    o.devicePort = 0;
    o.routerAddress = QHostAddress(QHostAddress::LocalHost);
    o.routerPort = 0;
    o.pollSeconds = 0;
    o.http = true;
    o.httpPort = 0;
    return o;
}

} // namespace

class TestGatewayWeb : public QObject
{
    Q_OBJECT

private slots:
    // The parser alone: numbers in range, at the limit and past it.
    void parse_data()
    {
        QTest::addColumn<QByteArray>("request"); // method, path, body: one space apart
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("status");
        const int error = int(WebApi::Kind::Error);
        QByteArray most = "[", past;
        for (int i = 0; i < WebApi::MaxRoutesPerRequest; ++i)
            most += QByteArray(i ? "," : "") + R"({"output":1,"input":1})";
        past = most + R"(,{"output":1,"input":1}])";
        most += ']';
        const struct
        {
            const char *name;
            QByteArray request;
            int kind, status;
        } rows[] = {
            {"route", R"(POST /api/route {"output":4,"input":8})", int(WebApi::Kind::Route), 200},
            {"output past", R"(POST /api/route {"output":5,"input":8})", error, 400},
            {"input past", R"(POST /api/route {"output":4,"input":9})", error, 400},
            {"zero", R"(POST /api/route {"output":0,"input":1})", error, 400},
            {"fraction", R"(POST /api/route {"output":1.5,"input":1})", error, 400},
            {"string", R"(POST /api/route {"output":"1","input":1})", error, 400},
            {"extra key", R"(POST /api/route {"output":1,"input":1,"x":0})", error, 400},
            {"not json", "POST /api/route {", error, 400},
            {"routes empty", "POST /api/routes []", error, 400},
            {"routes at most", "POST /api/routes " + most, int(WebApi::Kind::Routes), 200},
            {"routes past", "POST /api/routes " + past, error, 400},
            {"route by GET", "GET /api/route ", error, 405},
            {"last preset", "POST /api/presets/16/recall ", int(WebApi::Kind::PresetRecall), 200},
            {"preset past", "POST /api/presets/17/save ", error, 404},
            {"preset sign", "POST /api/presets/+1/save ", error, 404},
            {"preset verb", "POST /api/presets/1/load ", error, 404},
            {"lock last", "POST /api/locks/4 ", int(WebApi::Kind::Lock), 200},
            {"unlock", "DELETE /api/locks/4 ", int(WebApi::Kind::Unlock), 200},
            {"lock past", "POST /api/locks/5 ", error, 404},
            {"unknown", "GET /api/x ", error, 404},
            {"body past", "POST /api/route " + QByteArray(WebApi::MaxBodyBytes + 1, ' '), error, 413},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name) << row.request << row.kind << row.status;
    }
    void parse()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, kind);
        QFETCH(int, status);
        const int a = request.indexOf(' '), b = request.indexOf(' ', a + 1);
        const WebApi::Request r =
            WebApi::Parse(request.left(a), request.mid(a + 1, b - a - 1), request.mid(b + 1), {8, 4, 16});
        QCOMPARE(int(r.kind), kind);
        QCOMPARE(r.status, status);
    }

    // The wire: shapes, a route answered once confirmed and told on the
    // event stream, locks (409), the Origin, the size bound, the link down (503).
    void api()
    {
        SimHarness sim(Sim());
        GatewayServer gateway(Options(sim.tcpPort()), [](const QString &) {});
        QString message;
        QVERIFY2(gateway.start(message), qPrintable(message));
        QTRY_VERIFY_WITH_TIMEOUT(gateway.core().present(), WaitMs);
        const quint16 port = gateway.web()->httpPort();

        Reply r = Http(port, "GET", "/api/state");
        QCOMPARE(r.status, 200);
        QCOMPARE(r.json["link"].toString(), QStringLiteral("up"));
        QCOMPARE(r.json["counts"].toObject()["outputs"].toInt(), 4);
        QCOMPARE(r.json["outputs"].toArray()[2].toObject()["output"].toInt(), 3);

        QWebSocket events;
        QStringList told;
        connect(&events, &QWebSocket::textMessageReceived, [&](const QString &m) { told << m; });
        events.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/api/events").arg(gateway.web()->eventsPort())));
        QTRY_VERIFY_WITH_TIMEOUT(told.size() == 1, WaitMs);

        r = Http(port, "POST", "/api/route", R"({"output":3,"input":5})");
        QCOMPARE(r.status, 200);
        QCOMPARE(r.json["outcome"].toString(), QStringLiteral("confirmed"));
        QCOMPARE(r.json["input"].toInt(), 5);
        QCOMPARE(int(sim.device().state().routing[2]), 4);
        QTRY_VERIFY_WITH_TIMEOUT(told.size() == 2, WaitMs);
        QVERIFY(told[1].contains(R"("routes":[{"input":5,"output":3}])"));

        QCOMPARE(Http(port, "POST", "/api/routes", R"([{"output":1,"input":2},{"output":2,"input":2}])")
                     .json["results"]
                     .toArray()
                     .size(),
                 2);

        QCOMPARE(Http(port, "POST", "/api/locks/3", "").status, 200);
        QCOMPARE(Http(port, "POST", "/api/route", R"({"output":3,"input":1})").json["status"].toInt(), 409);
        QCOMPARE(Http(port, "POST", "/api/route", R"({"output":4,"input":1})").status, 200);
        QCOMPARE(Http(port, "DELETE", "/api/locks/3").status, 200);
        QCOMPARE(Http(port, "POST", "/api/route", R"({"output":3,"input":1})").status, 200);

        QCOMPARE(Http(port, "POST", "/api/presets/2/recall", "").status, 200);
        QCOMPARE(Http(port, "POST", "/api/route", "{", "Origin: http://elsewhere.example\r\n").status, 403);
        QCOMPARE(Http(port, "POST", "/api/route", "{",
                      QByteArray("Origin: http://127.0.0.1:") + QByteArray::number(port) + "\r\n")
                     .status,
                 400);
        QCOMPARE(Http(port, "POST", "/api/route", QByteArray(WebApi::MaxBodyBytes + 1, ' ')).json["status"].toInt(),
                 413);
        QCOMPARE(Http(port, "GET", "/nothing").json["status"].toInt(), 404);

        sim.setTcpListening(false);
        sim.dropTcpClients();
        QTRY_VERIFY_WITH_TIMEOUT(!gateway.core().present(), WaitMs);
        QCOMPARE(Http(port, "POST", "/api/route", R"({"output":3,"input":5})").status, 503);
        QCOMPARE(Http(port, "GET", "/api/state").json["link"].toString(), QStringLiteral("down"));
        QTRY_VERIFY_WITH_TIMEOUT(told.last().contains(R"("type":"link")"), WaitMs);
    }

    // Token, read-only and rate, each both ways.
    void access()
    {
        SimHarness sim(Sim());
        GatewayOptions o = Options(sim.tcpPort());
        o.httpToken = QStringLiteral("s3cret");
        o.readOnly = true;
        GatewayServer gateway(o, [](const QString &) {});
        QString message;
        QVERIFY2(gateway.start(message), qPrintable(message));
        QTRY_VERIFY_WITH_TIMEOUT(gateway.core().present(), WaitMs);
        const quint16 port = gateway.web()->httpPort();
        QCOMPARE(Http(port, "GET", "/api/state").status, 401);
        QCOMPARE(Http(port, "GET", "/api/state?token=wrong").status, 401);
        QCOMPARE(Http(port, "GET", "/api/state?token=s3cret").status, 200);
        QCOMPARE(Http(port, "GET", "/api/state", {}, "Authorization: Bearer s3cret\r\n").status, 200);
        QCOMPARE(Http(port, "POST", "/api/route?token=s3cret", R"({"output":1,"input":2})").status, 403);

        QWebSocket without, with;
        without.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/api/events").arg(gateway.web()->eventsPort())));
        with.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/api/events?token=s3cret").arg(gateway.web()->eventsPort())));
        QTRY_COMPARE_WITH_TIMEOUT(gateway.web()->eventClients(), 1, WaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(with.state(), QAbstractSocket::ConnectedState, WaitMs);

        // The burst (less the requests above), then 429.
        int passed = 0;
        while (passed < 3 * WebServer::RateBurst && Http(port, "GET", "/api/state?token=s3cret").status == 200)
            ++passed;
        QVERIFY2(passed >= WebServer::RateBurst - 8 && passed < 3 * WebServer::RateBurst,
                 qPrintable(QString::number(passed)));
    }
};

QTEST_MAIN(TestGatewayWeb)
#include "tst_gateway_web.moc"
