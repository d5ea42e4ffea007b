#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// The router-control text protocol (Videohub): blocks of lines, a header
// in capitals ending with a colon, the lines, then one blank line. Pure
// functions from bytes to requests and from a snapshot of the router to
// bytes, and, for the window as a client of kxr-gateway, from what the
// router tells to lock states; the server and the client only move them
// around.
namespace RouterText {

// Bounds of what one client may hold in the reader. A longer line is
// dropped up to its end and its block refused; a longer block keeps its
// first lines and is refused.
constexpr int MaxLineBytes = 512;
constexpr int MaxBlockLines = 256;
constexpr int MaxLabelBytes = 64;

constexpr char ProtocolVersion[] = "2.8";

enum class BlockId {
    Unknown,
    Preamble,
    Device,
    InputLabels,
    OutputLabels,
    Locks,
    Routing,
    Configuration,
    EndPrelude,
    Ping,
};

// The header line of a block, colon included ("VIDEO OUTPUT ROUTING:").
QByteArray HeaderOf(BlockId id);
BlockId BlockOf(const QByteArray &header);

struct TextBlock
{
    QByteArray header;       // first line, without its line end
    QList<QByteArray> lines; // at most MaxBlockLines
    bool tooLarge = false;   // a line or the block broke a bound
};

// Cuts a client's byte stream into blocks. Holds at most one line of
// MaxLineBytes and one block of MaxBlockLines lines, whatever arrives.
class BlockReader
{
public:
    void feed(const char *data, qint64 size, std::vector<TextBlock> &out);
    // Bytes held for an unfinished line or block.
    qint64 heldBytes() const;

private:
    void endLine(std::vector<TextBlock> &out);

    QByteArray m_line;
    bool m_lineTooLong = false;
    bool m_inBlock = false;
    TextBlock m_block;
    qint64 m_blockBytes = 0;
};

enum class RequestKind {
    Ignore,        // unknown block, or a stray blank line: no answer
    Ping,          // ACK
    Dump,          // ACK, then the whole block
    Routes,        // ACK, then one switch per line, in order
    Labels,        // ACK, then renames
    Locks,         // ACK, then lock changes
    Configuration, // ACK, nothing to change
    Refuse,        // NAK
};

struct RouteItem
{
    int output;
    int input;
};

struct LabelItem
{
    int port;
    QString text;
};

enum class LockOp { Lock, Unlock, Force };

struct LockItem
{
    int output;
    LockOp op;
};

struct Request
{
    RequestKind kind = RequestKind::Ignore;
    BlockId block = BlockId::Unknown;
    std::vector<RouteItem> routes;
    std::vector<LabelItem> labels; // block InputLabels or OutputLabels
    std::vector<LockItem> locks;
    QString reason; // why a block is refused, for the log
};

// What a block asks, with ports checked against the counts; any bad line
// refuses the whole block.
Request ParseRequest(const TextBlock &block, int inputs, int outputs);

// A client's side. The lock states a router told in a locks block: 'O'
// (this client's), 'L' (another client's) or 'U', per 0-based output below
// `outputs`. False, with nothing taken, when any line is bad.
struct LockState
{
    int output;
    char state;
};
bool ParseLockStates(const TextBlock &block, int outputs, std::vector<LockState> &states);
// The outputs a device block tells: 0 for no device present, -1 when the
// block does not say.
int DeviceOutputs(const TextBlock &block);
// A client's request to lock (op 'O'), unlock ('U') or force open ('F') the
// given 0-based outputs.
QByteArray LockRequest(const std::vector<int> &outputs, char op);

// The router as one client sees it.
struct Snapshot
{
    bool present = false;
    QString modelName;
    QString friendlyName;
    QString uniqueId;
    int inputs = 0;
    int outputs = 0;
    QStringList inputLabels;  // one per input
    QStringList outputLabels; // one per output
    std::vector<int> routing; // input per output
    QByteArray locks;         // 'O', 'L' or 'U' per output, from this client's view
};

QByteArray Ack();
QByteArray Nak();
QByteArray PreambleBlock();
QByteArray DeviceBlock(const Snapshot &s);
QByteArray ConfigurationBlock();
QByteArray EndPreludeBlock();
// Blocks of the given ports only (all ports when the list is empty).
QByteArray LabelsBlock(BlockId id, const QStringList &labels, const std::vector<int> &ports = {});
QByteArray RoutingBlock(const std::vector<int> &routing, const std::vector<int> &outputs = {});
QByteArray LocksBlock(const QByteArray &locks, const std::vector<int> &outputs = {});
// One whole block as a dump request asks it; empty for blocks without one.
QByteArray DumpBlock(BlockId id, const Snapshot &s);
// Everything after the preamble: the device block and, with a device
// present, the labels, locks, routing and configuration; then END PRELUDE.
QByteArray StateBlocks(const Snapshot &s);
// What a client gets on connect.
QByteArray Prelude(const Snapshot &s);

} // namespace RouterText
