// The signal configuration page on its own, fed through the device model and
// the dispatcher's refresh calls: what each row shows for each board kind,
// type, format and timing, paging, and the list of multiview outputs.
#include "app/LanguageTable.h"
#include "pages/routing/SignalInputRows.h"
#include "pages/routing/SignalLists.h"
#include "pages/routing/SignalOutputRows.h"
#include "pages/routing/Ui_SignalConfig.h"
#include "protocol/DeviceState.h"
#include "protocol/MultiviewList.h"
#include "protocol/ReplyDispatcher.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

constexpr quint32 NoSignal = 0xFF;
constexpr quint32 ModeBit = 0x02;

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

} // namespace

class SignalPageTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Ui_SignalConfig> m_page;

    const InputRow &inputRow(int r) const { return m_page->inputRows()->row(r); }
    const OutputRow &outputRow(int r) const { return m_page->outputRows()->row(r); }

    void showOutput(quint32 o, quint32 kind, quint32 type, quint32 format)
    {
        OutputInfo &out = Device().outputAt(o);
        out.pos2 = kind;
        out.type = type;
        out.format = format;
        m_page->SLT_RefreshOutput(o);
    }

private Q_SLOTS:
    void init()
    {
        ResetProcessState();
        ClearDeviceStateForTests();
        Device().inputCount = DeviceLimits::Channels;
        Device().outputCount = DeviceLimits::Channels;
        m_page = std::make_unique<Ui_SignalConfig>();
        m_page->RebuildRows(DeviceLimits::Channels, DeviceLimits::Channels);
    }

    void cleanup()
    {
        m_page.reset();
        ClearDeviceStateForTests();
    }

    void inputTypeChoices_data()
    {
        QTest::addColumn<quint32>("kind");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("kind 4") << 4u << 6u << Split("DVI,VGA,YPbPr,CVBS") << "VGA" << true;
        QTest::newRow("kind 5") << 5u << 4u << Split("VGA,YPbPr,CVBS") << "CVBS" << true;
        QTest::newRow("kind 0: its type only") << 0u << 7u << Split("HDMI") << "HDMI" << false;
        QTest::newRow("kind 3: its type only") << 3u << 1u << Split("SDI") << "SDI" << false;
        QTest::newRow("unnamed type code") << 2u << 12u << Split("12") << "12" << false;
    }

    void inputTypeChoices()
    {
        QFETCH(quint32, kind);
        QFETCH(quint32, type);
        InputInfo &in = Device().inputAt(2);
        in.pos2 = kind;
        in.type = type;
        m_page->SLT_RefreshInput(2);
        QFETCH(QStringList, entries);
        QCOMPARE(Entries(inputRow(2).type), entries);
        QFETCH(QString, selected);
        QCOMPARE(inputRow(2).type->currentText(), selected);
        QFETCH(bool, enabled);
        QCOMPARE(inputRow(2).type->isEnabled(), enabled);
    }

    void outputTypeChoices_data()
    {
        QTest::addColumn<quint32>("kind");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QStringList>("entries");
        const QStringList hdmiFamily = Split("HDMI,DVI,HDMI-1.4,HDMI-2.2");
        QTest::newRow("kind 0") << 0u << 7u << hdmiFamily;
        QTest::newRow("kind 1") << 1u << 9u << hdmiFamily;
        for (quint32 kind : {3u, 10u, 12u, 14u})
            QTest::addRow("kind %u", kind) << kind << 3u << Split("HDMI,DVI");
        QTest::newRow("kind 7") << 7u << 5u << Split("HDMI,DVI,VGA,YPbPr,CVBS");
        QTest::newRow("kind 8") << 8u << 6u << Split("VGA,YPbPr,CVBS");
        QTest::newRow("kind 2: its type only") << 2u << 0u << Split("Fiber");
        QTest::newRow("kind 11: its type only") << 11u << 7u << Split("HDMI");
    }

    void outputTypeChoices()
    {
        QFETCH(quint32, kind);
        QFETCH(quint32, type);
        QFETCH(QStringList, entries);
        showOutput(5, kind, type, 0);
        QCOMPARE(Entries(outputRow(5).type), entries);
        QCOMPARE(outputRow(5).type->currentText(), QString::fromLatin1(SignalLists::TypeNames[type]));
        QCOMPARE(outputRow(5).type->isEnabled(), entries.size() > 1);
    }

    void outputFormatLists_data()
    {
        QTest::addColumn<quint32>("kind");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<quint32>("format");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("selected");
        for (quint32 kind : {0u, 1u, 2u, 4u, 9u})
            QTest::addRow("list 1, kind %u", kind) << kind << 7u << 22u << 23 << "4096x2160p60"
                                                   << "AUTO"
                                                   << "AUTO";
        for (quint32 kind : {3u, 5u})
            QTest::addRow("list 2, kind %u", kind) << kind << 7u << 0u << 14 << "1920x1200p60"
                                                   << "AUTO"
                                                   << "1920x1200p60";
        for (quint32 kind : {12u, 13u})
            QTest::addRow("list 3, kind %u", kind) << kind << 7u << 2u << 16 << "3840x2160p30"
                                                   << "AUTO"
                                                   << "1920x1200p60";
        QTest::newRow("list 4, kind 6") << 6u << 7u << 1u << 7 << "1920x1080p60"
                                        << "1280x720p50"
                                        << "1920x1080i60";
        QTest::newRow("list 5, kind 10") << 10u << 7u << 11u << 12 << "1920x1200p60"
                                         << "1024x768p60"
                                         << "1024x768p60";
        QTest::newRow("list 6, kind 14") << 14u << 7u << 13u << 14 << "3840x2160p30"
                                         << "1024x768p60"
                                         << "1024x768p60";
        QTest::newRow("list 7, kind 11") << 11u << 7u << 8u << 9 << "1920x1200p60"
                                         << "1024x768p60"
                                         << "1024x768p60";
        QTest::newRow("kind 7 HDMI") << 7u << 7u << 2u << 14 << "1920x1200p60"
                                     << "1024x768p60"
                                     << "1920x1080i60";
        QTest::newRow("kind 7 DVI") << 7u << 3u << 13u << 14 << "1920x1200p60"
                                    << "1024x768p60"
                                    << "1024x768p60";
        QTest::newRow("kind 7 CVBS") << 7u << 4u << 1u << 2 << "PAL"
                                     << "NTSC"
                                     << "NTSC";
        QTest::newRow("kind 7 YPbPr") << 7u << 5u << 0u << 6 << "1920x1080p60"
                                      << "1280x720p50"
                                      << "1920x1080p60";
        QTest::newRow("kind 7 VGA") << 7u << 6u << 0u << 9 << "1920x1200p60"
                                    << "1024x768p60"
                                    << "1920x1200p60";
        QTest::newRow("kind 8 CVBS") << 8u << 4u << 0u << 2 << "PAL"
                                     << "NTSC"
                                     << "PAL";
        QTest::newRow("kind 8 VGA") << 8u << 6u << 0u << 9 << "1920x1200p60"
                                    << "1024x768p60"
                                    << "1920x1200p60";
        QTest::newRow("kind 8 HDMI: no list") << 8u << 7u << 0u << 0 << ""
                                              << ""
                                              << "";
        QTest::newRow("unknown kind: no list") << 15u << 7u << 0u << 0 << ""
                                               << ""
                                               << "";
        QTest::newRow("index past the list") << 6u << 7u << 7u << 0 << ""
                                             << ""
                                             << "";
        QTest::newRow("no signal") << 1u << 7u << NoSignal << 1 << "No-Signal"
                                   << "No-Signal"
                                   << "No-Signal";
    }

    void outputFormatLists()
    {
        QFETCH(quint32, kind);
        QFETCH(quint32, type);
        QFETCH(quint32, format);
        QFETCH(int, count);
        QFETCH(QString, first);
        showOutput(7, kind, type, format);
        const QComboBox *box = outputRow(7).format;
        QCOMPARE(box->count(), count);
        QCOMPARE(box->itemText(0), first);
        QFETCH(QString, last);
        QCOMPARE(box->itemText(count - 1), last);
        QFETCH(QString, selected);
        QCOMPARE(box->currentText(), selected);
        // Only a real list is a choice; "No-Signal" alone is a state.
        QCOMPARE(box->isEnabled(), count > 0 && format != NoSignal);
    }

    // The bind field has room for 80 inputs; the unused bits after input 16
    // must not decide input 16's pairing.
    void bindFieldBitsPastTheInputsAreSkipped()
    {
        DispatchDeviceReply(DeviceFrameOf(0x45, Hex("00 F0 01 80 00 00 00 00 00 00 00 00")));
        QCOMPARE(Device().inputAt(0).bind, quint8(1));
        QCOMPARE(Device().inputAt(14).bind, quint8(0));
        QCOMPARE(Device().inputAt(15).bind, quint8(1));
    }

    void paging_data()
    {
        QTest::addColumn<quint32>("count");
        QTest::addColumn<QList<int>>("firstNumbers"); // of each page, after Down
        QTest::addColumn<QList<int>>("rowsShown");
        QTest::newRow("16: one page") << 16u << QList<int>{1} << QList<int>{16};
        QTest::newRow("5: one page") << 5u << QList<int>{1} << QList<int>{5};
        QTest::newRow("40: three pages") << 40u << QList<int>{1, 17, 33} << QList<int>{16, 16, 8};
    }

    void paging()
    {
        QFETCH(quint32, count);
        QFETCH(QList<int>, firstNumbers);
        QFETCH(QList<int>, rowsShown);
        m_page->RebuildRows(count, count);
        const auto shown = [this] {
            int rows = 0;
            for (int r = 0; r < int(Ui_SignalConfig::RowsPerPage); ++r)
                rows += inputRow(r).number->isHidden() ? 0 : 1;
            return rows;
        };
        for (int p = 0; p < firstNumbers.size(); ++p) {
            QCOMPARE(m_page->inputPage(), quint32(p));
            QCOMPARE(inputRow(0).number->text(), QString::number(firstNumbers.at(p)));
            QCOMPARE(shown(), rowsShown.at(p));
            QCOMPARE(m_page->inputRows()->downButton()->isEnabled(), p + 1 < firstNumbers.size());
            m_page->SLT_I_Down();
        }
        // Past the last page Down changes nothing; Up walks back to the first.
        QCOMPARE(m_page->inputPage(), quint32(firstNumbers.size() - 1));
        for (int p = firstNumbers.size() - 1; p > 0; --p)
            m_page->SLT_I_Up();
        m_page->SLT_I_Up();
        QCOMPARE(m_page->inputPage(), 0u);
        QCOMPARE(inputRow(0).number->text(), QStringLiteral("1"));

        m_page->SLT_O_Down();
        QCOMPARE(m_page->outputPage(), firstNumbers.size() > 1 ? 1u : 0u);
    }
};

QTEST_MAIN(SignalPageTest)
#include "tst_signal_page.moc"
