#include "app/ByteText.h"

#include <QtTest>

class ByteTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bytesToHexText_data();
    void bytesToHexText();
    void hexTextToByteArray_data();
    void hexTextToByteArray();
    void textToBytes_data();
    void textToBytes();
};

void ByteTextTest::bytesToHexText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("three bytes") << QByteArray("\x7B\x7B\x01", 3) << "7B 7B 01";
    QTest::newRow("upper case, leading zero") << QByteArray("\x0a\xff", 2) << "0A FF";
    QTest::newRow("empty") << QByteArray() << "";
}

void ByteTextTest::bytesToHexText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(BytesToHexText(bytes), text);
}

void ByteTextTest::hexTextToByteArray_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("spaced") << "7B 7B 01" << QByteArray("\x7B\x7B\x01", 3);
    QTest::newRow("packed, lower case") << "7b7b01" << QByteArray("\x7B\x7B\x01", 3);
    QTest::newRow("extra spaces") << "  7B   01 " << QByteArray("\x7B\x01", 2);
    QTest::newRow("odd number of digits") << "7B7" << QByteArray();
    QTest::newRow("pair split by a space") << "7 B" << QByteArray();
    QTest::newRow("line break") << "7B\n01" << QByteArray();
    QTest::newRow("not hex") << "7G" << QByteArray();
    QTest::newRow("empty") << "" << QByteArray();
}

void ByteTextTest::hexTextToByteArray()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(HexTextToByteArray(text), bytes);
}

void ByteTextTest::textToBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain") << "PWR ON" << QByteArray("PWR ON");
    QTest::newRow("escapes") << "A\\r\\nB" << QByteArray("A\r\nB");
    QTest::newRow("other backslash") << "a\\tb" << QByteArray("a\\tb");
    QTest::newRow("final backslash") << "end\\" << QByteArray("end\\");
    QTest::newRow("Latin-1") << QString::fromUtf8("é") << QByteArray("\xE9");
    QTest::newRow("above U+00FF") << QString::fromUtf8("ok中") << QByteArray();
    QTest::newRow("U+0000") << QString(QChar(0)) << QByteArray();
}

void ByteTextTest::textToBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(TextToBytes(text), bytes);
}

QTEST_GUILESS_MAIN(ByteTextTest)
#include "tst_bytetext.moc"
