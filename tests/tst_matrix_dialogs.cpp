// The EDID and Save/Load dialogs on their own, over a link whose queue the
// test reads: EDID mode lists by board kind, loading, checking, saving and
// the start of a transfer with its busy rules; preset save and load with
// their confirmations and the device's preset count.
#include "app/LanguageTable.h"
#include "pages/routing/EdidFileDialog.h"
#include "pages/routing/Ui_Edid.h"
#include "pages/routing/Ui_SaveLoad.h"
#include "protocol/DeviceState.h"
#include "support/MessageRecorder.h"
#include "support/QueuedFrames.h"
#include "support/SimHarness.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include <memory>

namespace {
constexpr int ImageBytes = 256;

QByteArray frame(quint8 code, const QByteArray &payload)
{
    return DeviceFrameOf(code, payload);
}

// A valid base block (no extension) followed by zeros.
QByteArray validEdid()
{
    QByteArray image(ImageBytes, '\0');
    const QByteArray header = Hex("00 FF FF FF FF FF FF 00");
    image.replace(0, header.size(), header);
    for (int i = header.size(); i < 126; ++i)
        image[i] = char(i);
    quint32 sum = 0;
    for (int i = 0; i < 127; ++i)
        sum += quint8(image[i]);
    image[127] = char((0x100 - (sum & 0xFF)) & 0xFF);
    return image;
}

QByteArray writeBuffer()
{
    return QByteArray(reinterpret_cast<const char *>(Device().edidWriteBuffer), ImageBytes);
}
} // namespace

class MatrixDialogsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void writePort_fillsTheModesOfItsBoard_data();
    void writePort_fillsTheModesOfItsBoard();
    void rejectedLoad_thenSave_writesZeros_data();
    void rejectedLoad_thenSave_writesZeros();
    void load_thenWrite_startsTheTransferOnce();
    void readEdid_showsAndKeepsOnlyTheChosenPort();
    void preset_data();
    void preset();

private:
    QString file(const char *name, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QueuedFrames> m_link;
    std::unique_ptr<MessageRecorder> m_messages;
    QString m_openAnswer;
    QString m_saveAnswer;
};

void MatrixDialogsTest::init()
{
    ResetProcessState();
    m_dir = std::make_unique<QTemporaryDir>();
    m_link = std::make_unique<QueuedFrames>();
    m_messages = std::make_unique<MessageRecorder>();
    DeviceState &device = Device();
    device.inputCount = 4;
    device.outputCount = 4;
    device.layoutCount = 8;
    m_openAnswer.clear();
    m_saveAnswer.clear();
    SetEdidFileHook(
        [this](EdidFileAction action) { return action == EdidFileAction::Open ? m_openAnswer : m_saveAnswer; });
}

void MatrixDialogsTest::cleanup()
{
    SetEdidFileHook({});
    m_messages.reset();
    m_link.reset();
    m_dir.reset();
    ResetProcessState();
}

QString MatrixDialogsTest::file(const char *name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(QLatin1String(name));
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
    return path;
}

void MatrixDialogsTest::writePort_fillsTheModesOfItsBoard_data()
{
    QTest::addColumn<quint32>("kind");
    QTest::addColumn<int>("modes");
    QTest::newRow("kind 0: with 4K") << 0u << 12;
    QTest::newRow("kind 6: with 4K") << 6u << 12;
    QTest::newRow("kind 5: without 4K") << 5u << 10;
    QTest::newRow("kind 3: no list") << 3u << 0;
    QTest::newRow("kind 9: no list") << 9u << 0;
}

void MatrixDialogsTest::writePort_fillsTheModesOfItsBoard()
{
    QFETCH(quint32, kind);
    QFETCH(int, modes);
    Device().inputAt(2).pos2 = kind;
    Ui_Edid dialog;
    QCOMPARE(dialog.writePortBox()->count(), 4);
    QCOMPARE(dialog.readPortBox()->count(), 4);
    dialog.writePortBox()->setCurrentIndex(2);
    Q_EMIT dialog.writePortBox()->activated(2);
    QCOMPARE(dialog.modeBox()->count(), modes);
    const QVector<QByteArray> expected =
        modes ? QVector<QByteArray>{frame(0xC2, Hex("02 C0 00"))} : QVector<QByteArray>{};
    QCOMPARE(m_link->take(), expected);
    if (modes) {
        Q_EMIT dialog.modeBox()->activated(modes - 1);
        QCOMPARE(m_link->take(), QVector<QByteArray>{frame(0xC2, Hex("02 40") + QByteArray(1, char(modes - 1)))});
    }
    // A port beyond the device's inputs is ignored.
    dialog.SLT_IN_EdidWritePort(4);
    QCOMPARE(dialog.modeBox()->count(), modes);
    QVERIFY(m_link->take().isEmpty());
}

void MatrixDialogsTest::rejectedLoad_thenSave_writesZeros_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QByteArray notEdid = validEdid();
    notEdid[0] = 1;
    QByteArray badSum = validEdid();
    badSum[20] = char(badSum[20] + 1);
    QTest::newRow("byte 0 wrong") << notEdid << SMSG_NotIsEdidContent;
    QTest::newRow("checksum") << badSum << SMSG_EdidCheckFail;
}

void MatrixDialogsTest::rejectedLoad_thenSave_writesZeros()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Ui_Edid dialog;
    m_openAnswer = file("good.bin", validEdid());
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QVERIFY(dialog.view()->toPlainText().startsWith(QStringLiteral("00 FF FF FF FF FF FF 00 08 09")));
    QCOMPARE(m_messages->count(), 0);

    m_openAnswer = file("bad.bin", bytes);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(m_messages->lastText(), message);
    QVERIFY(dialog.view()->toPlainText().isEmpty());
    m_saveAnswer = m_dir->filePath(QStringLiteral("saved.bin"));
    QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
    QFile saved(m_saveAnswer);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray(ImageBytes, '\0'));
    // Nothing to write either.
    QTest::mouseClick(dialog.writeButton(), Qt::LeftButton);
    QVERIFY(m_link->take().isEmpty());
    QCOMPARE(Device().edidWriteBusy, quint8(0));
}

void MatrixDialogsTest::load_thenWrite_startsTheTransferOnce()
{
    Ui_Edid dialog;
    const QByteArray image = validEdid();
    m_openAnswer = file("good.bin", image.left(128)); // a base block alone
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    QCOMPARE(writeBuffer(), image);
    QCOMPARE(dialog.view()->toPlainText().size(), ImageBytes * 3 - 1);
    dialog.writePortBox()->setCurrentIndex(2);
    QTest::mouseClick(dialog.writeButton(), Qt::LeftButton);
    QCOMPARE(m_link->take(), QVector<QByteArray>{frame(0xB8, Hex("02 40 00") + image.left(16))});
    QCOMPARE(Device().edidWriteBusy, quint8(1));
    // A running transfer makes Read and Write do nothing.
    QTest::mouseClick(dialog.writeButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.readButton(), Qt::LeftButton);
    QVERIFY(m_link->take().isEmpty());
    QCOMPARE(Device().edidReadBusy, quint8(0));
    Device().edidWriteBusy = 0;
    dialog.readPortBox()->setCurrentIndex(3);
    QTest::mouseClick(dialog.readButton(), Qt::LeftButton);
    QCOMPARE(m_link->take(), QVector<QByteArray>{frame(0xB8, Hex("03 80 00") + QByteArray(16, '\0'))});
    QCOMPARE(Device().edidReadBusy, quint8(1));
}

void MatrixDialogsTest::readEdid_showsAndKeepsOnlyTheChosenPort()
{
    Ui_Edid dialog;
    QCOMPARE(writeBuffer(), QByteArray(ImageBytes, '\0'));
    dialog.readPortBox()->setCurrentIndex(1);
    dialog.SLT_Update_OutEdid(0, QStringLiteral("11 22"), 2);
    QVERIFY(dialog.view()->toPlainText().isEmpty());
    dialog.SLT_Update_OutEdid(1, QStringLiteral("00 FF FF 7A"), 4);
    QCOMPARE(dialog.view()->toPlainText(), QStringLiteral("00 FF FF 7A"));
    QCOMPARE(writeBuffer().left(5), Hex("00 FF FF 7A 00"));
    dialog.SLT_Update_EdidMessage(SMSG_EdidWriteOk);
    QCOMPARE(m_messages->lastText(), QStringLiteral("EDID Write Success."));
}

void MatrixDialogsTest::preset_data()
{
    QTest::addColumn<bool>("load");
    QTest::addColumn<int>("preset");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fieldAfter");
    QTest::newRow("save, named") << false << 3 << true << "Morning" << true << "Morning"
                                 << "";
    QTest::newRow("save, empty name keeps") << false << 3 << true << "" << true << "Layout-4"
                                            << "";
    QTest::newRow("save, the device's last preset") << false << 7 << true << "Late" << true << "Late"
                                                    << "";
    QTest::newRow("save, beyond the device's presets") << false << 12 << true << "Evening" << false << "Evening"
                                                       << "";
    QTest::newRow("save, answered no") << false << 3 << false << "Kept" << false << "Layout-4"
                                       << "Kept";
    QTest::newRow("load") << true << 5 << true << "" << true << "Layout-6"
                          << "";
    QTest::newRow("load, the device's last preset") << true << 7 << true << "" << true << "Layout-8"
                                                    << "";
    QTest::newRow("load, beyond the device's presets") << true << 8 << true << "" << false << "Layout-9"
                                                       << "";
    QTest::newRow("load, answered no") << true << 5 << false << "" << false << "Layout-6"
                                       << "";
}

void MatrixDialogsTest::preset()
{
    QFETCH(bool, load);
    QFETCH(int, preset);
    QFETCH(bool, answer);
    QFETCH(QString, typed);
    QFETCH(bool, sent);
    QFETCH(QString, name);
    Ui_SaveLoad dialog;
    QCOMPARE(dialog.saveBox()->count(), 30);
    QCOMPARE(dialog.loadBox()->itemText(29), QStringLiteral("Layout-30"));
    m_messages->setAnswer(answer);
    dialog.nameEdit()->setText(typed);
    QComboBox *box = load ? dialog.loadBox() : dialog.saveBox();
    Q_EMIT box->activated(preset);

    QCOMPARE(m_messages->lastText(), load ? SMSG_LoadMessage : SMSG_SaveMessage);
    const QVector<QByteArray> expected =
        sent ? QVector<QByteArray>{frame(load ? 0x03 : 0x02, QByteArray(1, char(preset)))} : QVector<QByteArray>{};
    QCOMPARE(m_link->take(), expected);
    QCOMPARE(ScomboBox_Layout[preset], name);
    QCOMPARE(dialog.saveBox()->itemText(preset), name);
    QCOMPARE(dialog.loadBox()->itemText(preset), name);
    QTEST(dialog.nameEdit()->text(), "fieldAfter");
}

QTEST_MAIN(MatrixDialogsTest)
#include "tst_matrix_dialogs.moc"
