#pragma once

#include <QString>

// One entry of an ordered key/value table persisted as "key=value\r\n" lines.
// The value is a process-wide string that the rest of the program reads
// directly; the default is the built-in text it starts with.
struct TableEntry
{
    const char *key;
    QString *value;
    const char *defaultValue; // UTF-8
};

// Gives every entry of the table its built-in text again.
void RestoreTableDefaults(const TableEntry *table, int count);
