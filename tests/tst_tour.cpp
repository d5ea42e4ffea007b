// A day at the desk in small: every tab and dialog, each one's main action
// through the GUI, over TCP and over the serial pseudo-terminal; then a
// full read after which the program's model matches the device, field by
// field.
#include "support/StateComparison.h"
#include "support/Tour.h"

#include <QtTest>

Q_DECLARE_METATYPE(ConnectedProgram::Link)

class TourTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPage_mainActions_thenTheModelMatchesTheDevice_data();
    void everyPage_mainActions_thenTheModelMatchesTheDevice();
};

void TourTest::everyPage_mainActions_thenTheModelMatchesTheDevice_data()
{
    QTest::addColumn<ConnectedProgram::Link>("link");
    QTest::newRow("tcp") << ConnectedProgram::Link::Tcp;
    QTest::newRow("serial") << ConnectedProgram::Link::Serial;
}

void TourTest::everyPage_mainActions_thenTheModelMatchesTheDevice()
{
    QFETCH(ConnectedProgram::Link, link);
    ConnectedProgram program(Tour::DeviceOptions(), link, Tour::Settings());
    QVERIFY2(program.ok(), program.why());
    Tour tour(program, true);
    for (const Tour::Step &step : tour.steps()) {
        const QString failure = step.run();
        QVERIFY2(failure.isEmpty(), qPrintable(step.name + QStringLiteral(": ") + failure));
    }
    QVERIFY(tour.readEverythingAgain());
    const QStringList differences = DeviceStateDifferences(program.sim().device().state());
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
    // The only message of the day is the module's "write success".
    QCOMPARE(program.messages().texts().filter(QStringLiteral("Unable to communicate")), QStringList());
}

QTEST_MAIN(TourTest)
#include "tst_tour.moc"
