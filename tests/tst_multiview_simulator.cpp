// The simulator's multiview options: which output groups show a multiview,
// the size of the multiview outputs and the windows they report.
#include "tools/devsim/SimOptions.h"

#include <QtTest>

class MultiviewSimulatorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("modes"); // of outputs 1, 5, 9, 13; empty: refused
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("windows");
        const QSize uhd(3840, 2160);
        QTest::newRow("defaults: outputs 5-8") << QStringList{} << "0100" << uhd << 4;
        QTest::newRow("groups 1 and 9") << QStringList{"--outputs", "16", "--multiview-groups", "1,9"} << "1010" << uhd
                                        << 4;
        QTest::newRow("none") << QStringList{"--multiview-groups", "none"} << "0000" << uhd << 4;
        QTest::newRow("1920x1080, two windows")
            << QStringList{"--multiview-size", "1920x1080", "--multiview-windows", "2"} << "0100" << QSize(1920, 1080)
            << 2;
        QTest::newRow("output 2 leads no group") << QStringList{"--multiview-groups", "2"} << "" << QSize() << 0;
        QTest::newRow("group beyond the outputs") << QStringList{"--multiview-groups", "9"} << "" << QSize() << 0;
        QTest::newRow("five windows") << QStringList{"--multiview-windows", "5"} << "" << QSize() << 0;
    }

    void options()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, modes);
        QFETCH(QSize, size);
        QFETCH(int, windows);
        SimOptions options;
        QString text;
        const bool accepted = ParseSimOptions(QStringList{"kxr-devsim"} + arguments, options, text) == SimParse::Run;
        QCOMPARE(accepted, !modes.isEmpty());
        if (!accepted)
            return;
        const SimDeviceModel model = MakeSimDeviceModel(options.model);
        QString shown;
        for (int leader = 0; leader < SimLimits::Channels; leader += SimLimits::GroupSize)
            shown += QString::number(model.outputs[leader].mode);
        QCOMPARE(shown, modes);
        const SimMultiview &view = model.multiview[SimLimits::GroupSize];
        QCOMPARE(QSize(view.width, view.height), size);
        QCOMPARE(int(view.windowCount), windows);
        QCOMPARE(view.windows[3].x, quint16(size.width() / 2));
    }
};

QTEST_GUILESS_MAIN(MultiviewSimulatorTest)
#include "tst_multiview_simulator.moc"
