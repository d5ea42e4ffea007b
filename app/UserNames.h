#pragma once

#include <QString>

// The names the operator gives inputs, outputs and presets live in the
// language table like every text, so each language file holds its own copy.
// A rename is written at once into the file of the other language as well
// (its own line, in place), so that the name stays what the operator typed
// whichever language is shown next. The selected language's file is written
// from memory as before.

// variable: one entry of the language table, already holding the new name.
// Does nothing for a variable outside the table or when the other language
// has no file.
void ShareUserName(const QString *variable);
