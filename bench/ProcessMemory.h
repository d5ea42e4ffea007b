#pragma once

#include <QtGlobal>

// Resident set size of a process in KiB, from /proc/<pid>/status (VmRSS);
// -1 when it cannot be read. pid 0 is this process.
qint64 ResidentKiB(qint64 pid = 0);
// The peak resident set size (VmHWM) in KiB, or -1.
qint64 PeakResidentKiB(qint64 pid = 0);
// What the C allocator has handed out and not had back, over all its arenas,
// in KiB (glibc's mallinfo2); -1 elsewhere and under a sanitizer. Resident memory growing while
// this stays flat is the allocator's, not what the program keeps.
qint64 HeapInUseKiB();
