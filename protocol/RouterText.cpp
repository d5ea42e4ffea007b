#include "protocol/RouterText.h"

#include <cstring>

namespace RouterText {

namespace {

struct HeaderName
{
    BlockId id;
    const char *text;
};

constexpr HeaderName Headers[] = {
    {BlockId::Preamble, "PROTOCOL PREAMBLE:"},
    {BlockId::Device, "VIDEOHUB DEVICE:"},
    {BlockId::InputLabels, "INPUT LABELS:"},
    {BlockId::OutputLabels, "OUTPUT LABELS:"},
    {BlockId::Locks, "VIDEO OUTPUT LOCKS:"},
    {BlockId::Routing, "VIDEO OUTPUT ROUTING:"},
    {BlockId::Configuration, "CONFIGURATION:"},
    {BlockId::EndPrelude, "END PRELUDE:"},
    {BlockId::Ping, "PING:"},
};

constexpr char TakeModeLine[] = "Take Mode: false";

// A port number as the wire writes it: decimal digits only, no sign, and
// short enough that it cannot overflow.
bool ParsePort(const QByteArray &text, int count, int &port)
{
    if (text.isEmpty() || text.size() > 6)
        return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value >= count)
        return false;
    port = value;
    return true;
}

// "N rest": the number and what follows the first space.
bool SplitLine(const QByteArray &line, QByteArray &number, QByteArray &rest)
{
    const int space = line.indexOf(' ');
    if (space <= 0)
        return false;
    number = line.left(space);
    rest = line.mid(space + 1);
    return true;
}

Request Refused(BlockId id, const QString &reason)
{
    Request r;
    r.kind = RequestKind::Refuse;
    r.block = id;
    r.reason = reason;
    return r;
}

QString LineReason(const char *what, const QByteArray &line)
{
    return QStringLiteral("%1: \"%2\"").arg(QLatin1String(what), QString::fromUtf8(line.left(40)));
}

Request ParseRoutes(const TextBlock &block, int inputs, int outputs)
{
    Request r;
    r.kind = RequestKind::Routes;
    r.block = BlockId::Routing;
    for (const QByteArray &line : block.lines) {
        QByteArray out, in;
        RouteItem item{0, 0};
        if (!SplitLine(line, out, in) || !ParsePort(out, outputs, item.output) || !ParsePort(in, inputs, item.input))
            return Refused(r.block, LineReason("bad route", line));
        r.routes.push_back(item);
    }
    return r;
}

Request ParseLabels(const TextBlock &block, BlockId id, int count)
{
    Request r;
    r.kind = RequestKind::Labels;
    r.block = id;
    for (const QByteArray &line : block.lines) {
        QByteArray number, text;
        LabelItem item{0, {}};
        if (!SplitLine(line, number, text) || !ParsePort(number, count, item.port))
            return Refused(id, LineReason("bad label", line));
        if (text.size() > MaxLabelBytes)
            return Refused(id, LineReason("label too long", line));
        item.text = QString::fromUtf8(text);
        if (item.text.contains(QChar::ReplacementCharacter))
            return Refused(id, LineReason("label not UTF-8", line));
        r.labels.push_back(item);
    }
    return r;
}

// "N X" of a locks block, X one of the letters in `ops`.
bool ParseLockLine(const QByteArray &line, int outputs, const char *ops, int &output, char &op)
{
    QByteArray number, letter;
    if (!SplitLine(line, number, letter) || !ParsePort(number, outputs, output) || letter.size() != 1
        || letter.at(0) == '\0' || !std::strchr(ops, letter.at(0)))
        return false;
    op = letter.at(0);
    return true;
}

Request ParseLocks(const TextBlock &block, int outputs)
{
    Request r;
    r.kind = RequestKind::Locks;
    r.block = BlockId::Locks;
    for (const QByteArray &line : block.lines) {
        LockItem item{0, LockOp::Lock};
        char op = 0;
        if (!ParseLockLine(line, outputs, "OUF", item.output, op))
            return Refused(r.block, LineReason("bad lock", line));
        item.op = op == 'O' ? LockOp::Lock : op == 'U' ? LockOp::Unlock : LockOp::Force;
        r.locks.push_back(item);
    }
    return r;
}

QByteArray Line(int port, const QByteArray &value)
{
    return QByteArray::number(port) + ' ' + value + '\n';
}

// A label goes out on one line whatever it holds.
QByteArray LabelText(const QString &label)
{
    QByteArray text = label.toUtf8();
    for (char &c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

template<typename Emit>
QByteArray Block(BlockId id, int count, const std::vector<int> &only, Emit emit)
{
    QByteArray out = HeaderOf(id) + '\n';
    if (only.empty()) {
        for (int i = 0; i < count; ++i)
            out += emit(i);
    } else {
        for (int i : only) {
            if (i >= 0 && i < count)
                out += emit(i);
        }
    }
    return out + '\n';
}

} // namespace

QByteArray HeaderOf(BlockId id)
{
    for (const HeaderName &h : Headers) {
        if (h.id == id)
            return QByteArray(h.text);
    }
    return {};
}

BlockId BlockOf(const QByteArray &header)
{
    for (const HeaderName &h : Headers) {
        if (header == h.text)
            return h.id;
    }
    return BlockId::Unknown;
}

void BlockReader::feed(const char *data, qint64 size, std::vector<TextBlock> &out)
{
    for (qint64 i = 0; data && i < size; ++i) {
        const char c = data[i];
        if (c == '\n') {
            endLine(out);
            continue;
        }
        if (m_lineTooLong)
            continue;
        if (m_line.size() >= MaxLineBytes) {
            m_lineTooLong = true;
            m_line.clear();
            continue;
        }
        m_line += c;
    }
}

qint64 BlockReader::heldBytes() const
{
    return m_line.size() + m_blockBytes;
}

void BlockReader::endLine(std::vector<TextBlock> &out)
{
    if (m_line.endsWith('\r'))
        m_line.chop(1);
    const bool tooLong = m_lineTooLong;
    m_lineTooLong = false;
    if (m_line.isEmpty() && !tooLong) {
        if (m_inBlock)
            out.push_back(std::move(m_block));
        m_block = TextBlock();
        m_inBlock = false;
        m_blockBytes = 0;
        return;
    }
    if (!m_inBlock) {
        m_inBlock = true;
        m_block.header = m_line;
        m_block.tooLarge = tooLong;
        m_blockBytes = m_line.size();
    } else if (tooLong || m_block.lines.size() >= MaxBlockLines) {
        m_block.tooLarge = true;
    } else {
        m_block.lines.append(m_line);
        m_blockBytes += m_line.size();
    }
    m_line.clear();
}

Request ParseRequest(const TextBlock &block, int inputs, int outputs)
{
    const BlockId id = BlockOf(block.header);
    if (block.tooLarge)
        return Refused(id, QStringLiteral("block or line too long"));
    if (!block.header.endsWith(':'))
        return Refused(id, LineReason("not a block header", block.header));
    Request r;
    r.block = id;
    if (id == BlockId::Unknown)
        return r;
    if (id == BlockId::Ping) {
        r.kind = RequestKind::Ping;
        return r;
    }
    if (block.lines.isEmpty()) {
        r.kind = id == BlockId::EndPrelude ? RequestKind::Ping : RequestKind::Dump;
        return r;
    }
    switch (id) {
    case BlockId::Routing:
        return ParseRoutes(block, inputs, outputs);
    case BlockId::InputLabels:
        return ParseLabels(block, id, inputs);
    case BlockId::OutputLabels:
        return ParseLabels(block, id, outputs);
    case BlockId::Locks:
        return ParseLocks(block, outputs);
    case BlockId::Configuration:
        for (const QByteArray &line : block.lines) {
            if (line != TakeModeLine)
                return Refused(id, LineReason("unsupported setting", line));
        }
        r.kind = RequestKind::Configuration;
        return r;
    default:
        return Refused(id, LineReason("read-only block", block.header));
    }
}

bool ParseLockStates(const TextBlock &block, int outputs, std::vector<LockState> &states)
{
    if (block.tooLarge || BlockOf(block.header) != BlockId::Locks)
        return false;
    std::vector<LockState> told;
    for (const QByteArray &line : block.lines) {
        LockState item{0, 'U'};
        if (!ParseLockLine(line, outputs, "OLU", item.output, item.state))
            return false;
        told.push_back(item);
    }
    states = std::move(told);
    return true;
}

int DeviceOutputs(const TextBlock &block)
{
    if (BlockOf(block.header) != BlockId::Device)
        return -1;
    static const QByteArray present("Device present: ");
    static const QByteArray outputs("Video outputs: ");
    int count = -1;
    for (const QByteArray &line : block.lines) {
        if (line.startsWith(present) && line.mid(present.size()) != "true")
            return 0;
        int value = 0;
        if (line.startsWith(outputs) && ParsePort(line.mid(outputs.size()), MaxBlockLines + 1, value))
            count = value;
    }
    return count;
}

QByteArray LockRequest(const std::vector<int> &outputs, char op)
{
    int count = 0;
    for (int o : outputs)
        count = qMax(count, o + 1);
    return LocksBlock(QByteArray(count, op), outputs);
}

QByteArray Ack()
{
    return QByteArrayLiteral("ACK\n\n");
}

QByteArray Nak()
{
    return QByteArrayLiteral("NAK\n\n");
}

QByteArray PreambleBlock()
{
    return HeaderOf(BlockId::Preamble) + "\nVersion: " + ProtocolVersion + "\n\n";
}

QByteArray DeviceBlock(const Snapshot &s)
{
    QByteArray out = HeaderOf(BlockId::Device) + '\n';
    if (!s.present)
        return out + "Device present: false\n\n";
    out += "Device present: true\n";
    out += "Model name: " + LabelText(s.modelName) + '\n';
    out += "Friendly name: " + LabelText(s.friendlyName) + '\n';
    out += "Unique ID: " + LabelText(s.uniqueId) + '\n';
    out += "Video inputs: " + QByteArray::number(s.inputs) + '\n';
    out += "Video processing units: 0\n";
    out += "Video outputs: " + QByteArray::number(s.outputs) + '\n';
    out += "Video monitoring outputs: 0\n";
    out += "Serial ports: 0\n\n";
    return out;
}

QByteArray ConfigurationBlock()
{
    return HeaderOf(BlockId::Configuration) + '\n' + TakeModeLine + "\n\n";
}

QByteArray EndPreludeBlock()
{
    return HeaderOf(BlockId::EndPrelude) + "\n\n";
}

QByteArray LabelsBlock(BlockId id, const QStringList &labels, const std::vector<int> &ports)
{
    return Block(id, labels.size(), ports, [&](int i) { return Line(i, LabelText(labels.at(i))); });
}

QByteArray RoutingBlock(const std::vector<int> &routing, const std::vector<int> &outputs)
{
    return Block(BlockId::Routing, int(routing.size()), outputs,
                 [&](int i) { return Line(i, QByteArray::number(routing[size_t(i)])); });
}

QByteArray LocksBlock(const QByteArray &locks, const std::vector<int> &outputs)
{
    return Block(BlockId::Locks, locks.size(), outputs, [&](int i) { return Line(i, QByteArray(1, locks.at(i))); });
}

QByteArray DumpBlock(BlockId id, const Snapshot &s)
{
    switch (id) {
    case BlockId::Preamble:
        return PreambleBlock();
    case BlockId::Device:
        return DeviceBlock(s);
    case BlockId::Configuration:
        return ConfigurationBlock();
    default:
        break;
    }
    if (!s.present)
        return {};
    switch (id) {
    case BlockId::InputLabels:
        return LabelsBlock(id, s.inputLabels);
    case BlockId::OutputLabels:
        return LabelsBlock(id, s.outputLabels);
    case BlockId::Locks:
        return LocksBlock(s.locks);
    case BlockId::Routing:
        return RoutingBlock(s.routing);
    default:
        return {};
    }
}

QByteArray StateBlocks(const Snapshot &s)
{
    QByteArray out = DeviceBlock(s);
    if (!s.present)
        return out;
    out += LabelsBlock(BlockId::InputLabels, s.inputLabels);
    out += LabelsBlock(BlockId::OutputLabels, s.outputLabels);
    out += LocksBlock(s.locks);
    out += RoutingBlock(s.routing);
    out += ConfigurationBlock();
    out += EndPreludeBlock();
    return out;
}

QByteArray Prelude(const Snapshot &s)
{
    return PreambleBlock() + StateBlocks(s);
}

} // namespace RouterText
