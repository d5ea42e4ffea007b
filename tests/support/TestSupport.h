#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A scratch application directory: the program's files (config.ini, language
// files, images) are read and written below it instead of the build tree.
// The tables get their built-in texts back on construction and destruction.
class ScratchAppDir
{
public:
    ScratchAppDir();
    ~ScratchAppDir();

    QString path() const;
    QString file(const QString &relative) const; // path() + relative
    // Writes bytes to a file below the directory, creating its folders.
    void write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    // Copies the shipped run-time tree (resources/) into the directory.
    void copyResources() const;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// Restores every table, flag, channel and the device link to their start-up
// state, so that tests do not leak into each other.
void ResetProcessState();

// Lets the program run for `ms` the way its own event loop does, woken by
// each timer and socket as it falls due. QTest::qWait sleeps in 10 ms steps
// between rounds of events, serving nothing meanwhile, and a bench's latency
// probe counted that sleep as the program's stall.
void RunEventLoopFor(int ms);

// Parses "7B 7B 12" into bytes (test vectors read better as text).
QByteArray Hex(const char *text);
