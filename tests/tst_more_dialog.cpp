// The More dialog on its own, built over a device model: the lists that
// follow the board kinds and counts, and how the device's answers show.
#include "pages/routing/Ui_More.h"
#include "protocol/DeviceState.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QStringList Entries(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QStringList Split(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

void SetOutputKinds(const QList<quint32> &kinds)
{
    Device().outputCount = quint32(kinds.size());
    for (int o = 0; o < kinds.size(); ++o)
        Device().outputAt(quint32(o)).pos2 = kinds.at(o);
}

} // namespace

class MoreDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        ResetProcessState();
        ClearDeviceStateForTests();
        Device().inputCount = 6;
    }

    void cleanup() { ClearDeviceStateForTests(); }

    void outputChoicesByKind_data()
    {
        QTest::addColumn<quint32>("kind");
        QTest::addColumn<QStringList>("rotations");
        QTest::addColumn<int>("patterns");
        QTest::newRow("kind 0") << 0u << Split("0,90,180") << 8;
        QTest::newRow("kind 2") << 2u << Split("0,90,180") << 8;
        for (quint32 kind : {1u, 4u, 9u})
            QTest::addRow("kind %u", kind) << kind << Split("0,180,H-Mirror,V-Mirror") << 16;
        for (quint32 kind : {3u, 14u})
            QTest::addRow("kind %u", kind) << kind << QStringList() << 16;
        QTest::newRow("kind 15") << 15u << QStringList() << 0;
    }

    void outputChoicesByKind()
    {
        QFETCH(quint32, kind);
        QFETCH(QStringList, rotations);
        QFETCH(int, patterns);
        // Output 1 is the one the dialog opens on; output 2 is chosen.
        SetOutputKinds({0, kind});
        Ui_More more;
        more.outputPortBox()->setCurrentIndex(1);
        more.SLT_Output_Port(1);
        QCOMPARE(Entries(more.rotateBox()), rotations);
        QCOMPARE(more.rotateBox()->isEnabled(), !rotations.isEmpty());
        QStringList expected;
        if (patterns > 0)
            expected << QStringLiteral("Off");
        for (int n = 1; n <= patterns; ++n)
            expected << QString::number(n);
        QCOMPARE(Entries(more.testPatternBox()), expected);
        QCOMPARE(more.testPatternBox()->isEnabled(), patterns > 0);
    }

    void answersForOtherPortsAreIgnored()
    {
        SetOutputKinds({1, 1});
        Ui_More more;
        more.SLT_Update_OutputRotate(1, 2);
        QCOMPARE(more.rotateBox()->currentIndex(), -1);
        more.SLT_Update_OutputRotate(0, 3);
        QCOMPARE(more.rotateBox()->currentText(), QStringLiteral("V-Mirror"));
        more.SLT_Update_UserResolution(1, 800, 600);
        QVERIFY(more.widthEdit()->text().isEmpty());
        more.SLT_Update_UserResolution(0, 3840, 2160);
        QCOMPARE(more.widthEdit()->text(), QStringLiteral("3840"));
        QCOMPARE(more.heightEdit()->text(), QStringLiteral("2160"));
        more.SLT_Update_OutputMode(4, 1);
        QCOMPARE(more.outputModeBox()->currentIndex(), -1);
        more.SLT_Update_OutputMode(0, 1);
        QCOMPARE(more.outputModeBox()->currentText(), QStringLiteral("Multiview"));
    }
};

QTEST_MAIN(MoreDialogTest)
#include "tst_more_dialog.moc"
