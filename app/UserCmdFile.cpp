#include "app/UserCmdFile.h"

#include <QStringList>

namespace {

// The keys of a command file, in the order each line's fields are written.
enum Field { LineCount, Target, Port, Baud, Hex, Payload, Note, Order, Delay, FieldCount };
constexpr const char *Keys[FieldCount] = {
    "CmdLineNum=", "Peripheral=", "Port=", "Baudrate=", "HEX=", "CmdLine=", "SingleSend=", "Order=", "Delay="};
constexpr char LineHeader[] = ">>---CmdLine:";
constexpr char LineEnd[] = "\r\n";
constexpr int MinValues = 2;
constexpr int Decimal = 10;

struct Value
{
    QString text;
};

// The lines of the text, each without one trailing CR LF or else LF.
QStringList SplitLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].endsWith(QLatin1Char('\r')))
            lines[i].chop(1);
    }
    return lines;
}

// Whether the line carries a value: it contains one of the keys.
bool HasKey(const QString &line)
{
    for (const char *key : Keys) {
        if (line.contains(QLatin1String(key)))
            return true;
    }
    return false;
}

int Number(const QString &text)
{
    return text.toInt(nullptr, Decimal);
}

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

// One line from its eight values (file numbering: 1-based lists, port 0 for
// the peripheral port); false on the first value out of range.
bool ReadLine(const Value *v, int inputCount, int outputCount, UserCmdLine &line)
{
    const int target = Number(v[0].text);
    const int port = Number(v[1].text);
    const int baud = Number(v[2].text);
    if (!InRange(target, 1, UserCmdFile::Targets) || !InRange(baud, 1, UserCmdFile::BaudRates))
        return false;
    const int portLimit = target == 1 ? 0 : (target == 2 ? inputCount : outputCount) + 1;
    if (target == 1 ? port != 0 : !InRange(port, 1, portLimit))
        return false;
    line.target = target - 1;
    line.port = port - 1;
    line.baud = baud - 1;
    line.hex = Number(v[3].text) == 1;
    line.payload = v[4].text;
    line.note = v[5].text;
    line.order = v[6].text;
    line.delay = v[7].text;
    return true;
}

} // namespace

bool UserCmdLine::operator==(const UserCmdLine &other) const
{
    return target == other.target && port == other.port && baud == other.baud && hex == other.hex
        && payload == other.payload && note == other.note && order == other.order && delay == other.delay;
}

UserCmdFileResult ReadUserCmdFile(const QByteArray &content, int inputCount, int outputCount,
                                  QVector<UserCmdLine> &lines)
{
    QVector<Value> values;
    for (const QString &line : SplitLines(QString::fromUtf8(content))) {
        if (HasKey(line))
            values.append({line.mid(line.indexOf(QLatin1Char('=')) + 1)});
    }
    if (values.size() < MinValues)
        return UserCmdFileResult::Ignored;

    // Values count in file order: the first is the line count, then eight
    // per line in the order they are written. Which key a line holds does
    // not matter (a note or payload may itself contain a key); a file is
    // refused only on its record count or a range check.
    const int count = Number(values[0].text);
    if (!InRange(count, 1, UserCmdFile::MaxLines) || values.size() != UserCmdFile::FieldsPerLine * count + 1)
        return UserCmdFileResult::DataError;

    QVector<UserCmdLine> read(count);
    for (int k = 0; k < count; ++k) {
        if (!ReadLine(values.constData() + 1 + UserCmdFile::FieldsPerLine * k, inputCount, outputCount, read[k]))
            return UserCmdFileResult::DataError;
    }
    lines = read;
    return UserCmdFileResult::Loaded;
}

QByteArray WriteUserCmdFile(const QVector<UserCmdLine> &lines)
{
    QString text;
    const auto put = [&text](const char *key, const QString &value) {
        text += QLatin1String(key) + value + QLatin1String(LineEnd);
    };
    put(Keys[LineCount], QString::number(lines.size()));
    for (int i = 0; i < lines.size(); ++i) {
        const UserCmdLine &line = lines[i];
        put(LineHeader, QString::number(i + 1));
        put(Keys[Target], QString::number(line.target + 1));
        put(Keys[Port], QString::number(line.port < 0 ? 0 : line.port + 1));
        put(Keys[Baud], QString::number(line.baud + 1));
        put(Keys[Hex], QString::number(line.hex ? 1 : 0));
        put(Keys[Payload], line.payload);
        put(Keys[Note], line.note);
        put(Keys[Order], line.order);
        put(Keys[Delay], line.delay);
    }
    return text.toUtf8();
}
