// Output locks: what a switching path may touch and says of the rest, locks
// per device through config.ini, and a gateway's shared table.
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/OutputLocks.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QtTest>

using States = QVector<QPair<int, char>>;
Q_DECLARE_METATYPE(States)

class TestOutputLocks : public QObject
{
    Q_OBJECT

private slots:
    void allowed_data()
    {
        QTest::addColumn<States>("locks"); // 'O' this window's, 'L' another client's
        QTest::addColumn<QVector<int>>("outputs");
        QTest::addColumn<QVector<int>>("expected");
        QTest::addColumn<QString>("message");
        QTest::newRow("order kept, one skipped") << States{{2, 'O'}} << QVector<int>{4, 2, 1} << QVector<int>{4, 1}
                                                 << "Output 2 is locked by this window: skipped";
        QTest::newRow("other client's, many") << States{{5, 'L'}, {3, 'L'}} << QVector<int>{5, 3, 6} << QVector<int>{6}
                                              << "Outputs 5, 3 are locked by another client: skipped";
        QTest::newRow("both holders, asked twice")
            << States{{1, 'O'}, {7, 'L'}} << QVector<int>{7, 1, 7, 2} << QVector<int>{2}
            << "Output 1 is locked by this window: skipped\nOutput 7 is locked by another client: skipped";
        QTest::newRow("a lock elsewhere says nothing")
            << States{{8, 'L'}} << QVector<int>{1, 2} << QVector<int>{1, 2} << QString();
    }

    void allowed()
    {
        QFETCH(States, locks);
        QFETCH(QVector<int>, outputs);
        QFETCH(QVector<int>, expected);
        QFETCH(QString, message);
        ScratchAppDir dir;
        OutputLocks model;
        model.setShared(true);
        model.applyShared(locks);
        QString said = QStringLiteral("not set");
        QCOMPARE(model.allowed(outputs, &said), expected);
        QCOMPARE(said, message);
        QCOMPARE(model.allowed(outputs, nullptr), expected);
    }

    // Two devices, each with its own locks, through config.ini and back.
    void keptPerDevice()
    {
        ScratchAppDir dir;
        const QString a = OutputLocks::DeviceIdentity(3, 4, 16, 16, QStringLiteral("192.168.0.247:2000"));
        const QString b = OutputLocks::DeviceIdentity(3, 4, 16, 16, QStringLiteral("/dev/ttyUSB0"));
        {
            OutputLocks model;
            model.setDevice(a);
            model.setLocked(3, true);
            model.setLocked(16, true);
            model.setLocked(OutputLocks::MaxOutputs + 1, true); // past any device: nothing
            model.setDevice(b);
            model.setLocked(1, true);
        } // written at once: nothing saves at the end here
        RestoreConfigDefaults();
        LoadSettings(false);
        OutputLocks model;
        model.setDevice(a);
        QCOMPARE(model.lockedOutputs(), (QVector<int>{3, 16}));
        model.setLocked(3, false);
        model.setDevice(b);
        QCOMPARE(model.lockedOutputs(), QVector<int>{1});
        model.setDevice(a);
        QCOMPARE(model.lockedOutputs(), QVector<int>{16});
    }

    void remembered_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two devices") << "a#1,2;b#3"
                                     << "a#1,2;b#3";
        QTest::newRow("junk skipped") << "a#1,x,0,257,256,1;#4;nolist;c#"
                                      << "a#1,256";
        QTest::newRow("same device twice: the later") << "a#1;b#2;a#3"
                                                      << "b#2;a#3";
        QString full;
        for (int i = 0; i < OutputLocks::MaxRememberedDevices; ++i)
            full += QStringLiteral("d%1#1;").arg(i);
        full.chop(1);
        QTest::newRow("devices at limit") << full << full;
        QTest::newRow("devices past limit") << full + ";new#2" << full.mid(5) + ";new#2"; // "d0#1;" goes
    }

    void remembered()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(OutputLocks::Encode(OutputLocks::Decode(text)), expected);
    }

    // Through a gateway the model asks instead of changing, shows what the
    // gateway tells, and asks again for the window's remembered locks.
    void sharedTable()
    {
        ScratchAppDir dir;
        Key_OutputLocks = QStringLiteral("dev#2,4");
        OutputLocks model;
        model.setDevice(QStringLiteral("dev"));
        QSignalSpy asked(&model, &OutputLocks::lockRequested);
        model.setShared(true);
        model.applyShared({{1, 'U'}, {2, 'U'}, {3, 'O'}, {4, 'L'}});
        // Output 4 is held by another client: only 2 is asked for.
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.takeFirst(), (QVariantList{2, true}));
        QCOMPARE(OutputLocks::Decode(Key_OutputLocks).value(0).second, (QVector<int>{2, 3}));
        model.setLocked(1, true);
        model.setLocked(4, false);
        model.setLocked(3, true); // already this window's
        QCOMPARE(asked.count(), 2);
        QCOMPARE(asked.at(1), (QVariantList{4, false}));
        model.applyShared({{1, 'O'}, {2, 'O'}, {4, 'U'}});
        QCOMPARE(model.lockedOutputs(), (QVector<int>{1, 2, 3}));
        model.setShared(false);
        QCOMPARE(model.lockedOutputs(), (QVector<int>{1, 2, 3}));
    }
};

QTEST_GUILESS_MAIN(TestOutputLocks)
#include "tst_output_locks.moc"
