#pragma once

#include <QByteArray>
#include <QList>

#include <memory>

struct CommandChannel;

// Cuts the program's request frames out of a byte stream with the same
// assembler the program uses, on a channel of its own.
class SimFrameReader
{
public:
    SimFrameReader();
    ~SimFrameReader();
    SimFrameReader(const SimFrameReader &) = delete;
    SimFrameReader &operator=(const SimFrameReader &) = delete;

    // The frames completed by this chunk, oldest first.
    QList<QByteArray> feed(const QByteArray &chunk);

private:
    std::unique_ptr<CommandChannel> m_channel;
};
