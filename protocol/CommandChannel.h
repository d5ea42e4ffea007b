#pragma once

#include "protocol/Frames.h"

#include <QByteArray>
#include <QMutex>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>

// How the reply to a queued command is recognised and how long the queue
// waits for it. Passed and stored by value; every field is zero unless a
// builder sets it.
struct CommandRecord
{
    static constexpr int MaxPrefixes = 2;
    quint8 expected[MaxPrefixes][Frame::BufferSize];
    quint32 expectedLength[MaxPrefixes];
    quint32 expectedCount;
    quint8 waitReply;      // 1: the reply timer runs; 0: the pause timer runs
    quint8 acceptAnyReply; // 1: any reply of at least expectedLength bytes matches
    quint32 pauseMs;
    quint32 replyTimeoutMs;
    quint8 reportTimeout; // 1: a timeout is reported with the sent bytes
};

// A zeroed record.
CommandRecord EmptyCommandRecord();

// One queued item: its own copy of the bytes and, on a send queue, the
// record of the command. Entries of a receive queue carry an empty record.
struct QueueEntry
{
    QByteArray data;
    CommandRecord record;
};

// Oldest first. Entries own their bytes; popping or clearing frees them.
using CommandQueue = std::deque<QueueEntry>;

// The stream assembler's own variables: they outlive connections and are
// not touched by clearing the channel.
struct StreamAssemblerState
{
    quint8 state = 0;     // 0 idle
    quint32 expected = 0; // payload bytes still to come
    quint32 sum = 0;      // running checksum
};

// Meeting point of the pages (GUI thread) and one transport service (its
// worker thread). Both queues exist only between ChannelOpen and
// ChannelClear; each is guarded by its own mutex.
struct CommandChannel
{
    QMutex sendMutex;
    std::unique_ptr<CommandQueue> sendQueue;
    QMutex recvMutex;
    std::unique_ptr<CommandQueue> recvQueue;
    CommandRecord current = EmptyCommandRecord(); // the command last sent
    quint8 rxBuffer[Frame::BufferSize] = {};
    quint32 rxCount = 0;
    std::atomic<quint8> opened{0};
    StreamAssemblerState assembler;
};

extern CommandChannel SerialChannel;
extern CommandChannel TcpChannel;
extern CommandChannel UdpChannel;

// Which device link is up: set by the connection page, read by the enqueue
// step, the main window and the pages.
enum TransportKind : quint32 {
    TransportNone = 0,
    TransportSerial = 1,
    TransportTcp = 2,
};
extern std::atomic<quint32> ActiveTransport;

// The channel of the active device link, or nullptr with none.
CommandChannel *ActiveDeviceChannel();

enum class QueueSide { Send, Receive };

// Returns the opened flag. Opening an open channel changes nothing.
bool ChannelOpen(CommandChannel &channel);
// Frees both queues and zeroes current and the receive buffer; the
// assembler state stays. Clearing a closed channel does nothing.
void ChannelClear(CommandChannel &channel);
// Appends a copy of the bytes at the tail of one queue, blocking on its
// mutex. Without a record the entry awaits no reply and pauses pauseMs.
// Refused (false) for null or empty data, or when the queue does not exist.
bool ChannelPush(CommandChannel &channel, QueueSide side, const quint8 *data, quint32 size, const CommandRecord *record,
                 quint32 pauseMs = 0);
// Unlinks and frees the oldest entry; the caller holds the queue's mutex.
void ChannelPopHead(CommandQueue *queue);

// Commands of at most 2048 bytes go to the active device channel (none:
// discarded) or to the UDP channel. Return whether the command was queued.
bool EnqueueDeviceCommand(const quint8 *frame, quint32 size, const CommandRecord &record);
bool EnqueueModuleCommand(const quint8 *frame, quint32 size, const CommandRecord &record);

// Latest wins for a command that only the operator's newest wish matters
// for (a second pick for the same output while the first still waits): the
// newest queued entry that replaces() names takes the new bytes and record
// in place, unless an entry queued after it fails mayPass() (it could undo
// the new command, so the order must stay). A command already written is
// gone from the queue and never touched. Returns whether one was replaced;
// nothing is queued when not.
using QueuedFrameTest = std::function<bool(const QByteArray &frame)>;
bool ReplaceQueuedDeviceCommand(const quint8 *frame, quint32 size, const CommandRecord &record,
                                const QueuedFrameTest &replaces, const QueuedFrameTest &mayPass);

// For a program that drives the device without windows (kxrctl): adjust
// sees, and may change, the record of every device command about to be
// queued (a longer reply timeout); queued is told of each device command
// that was queued. Set on the thread that queues, before any link is up;
// empty functions do nothing.
using DeviceRecordAdjuster = std::function<void(CommandRecord &record)>;
using DeviceQueuedObserver = std::function<void(const QByteArray &frame, const CommandRecord &record)>;
void SetDeviceEnqueueHooks(DeviceRecordAdjuster adjust, DeviceQueuedObserver queued);

// Whether a complete received frame is the reply the command in flight
// waits for.
bool ReplyMatches(const CommandRecord &current, const quint8 *frame, quint32 length);

// Takes every received frame, oldest first, and hands it to handle. Gives up
// at once (false) when the service holds the lock; the frames then wait for
// the next received-data signal. The frames are taken off the queue before
// they are handled, so a handler that shows a modal box never keeps the
// service from queueing.
bool DrainReceiveQueue(CommandChannel &channel, const std::function<void(const QByteArray &)> &handle);

// Number of entries of one queue (0 when it does not exist); for tests and
// the benchmark.
int ChannelQueueSize(CommandChannel &channel, QueueSide side);
