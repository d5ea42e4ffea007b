#pragma once

#include <QString>

class QPlainTextEdit;

// A log whose newest line repeats folds the repeats into that line with a
// count ("Routing changed (×12)"), so that a burst of identical reports
// leaves one line and older lines stay in view.

// How often the shown line stands for line: 1 when it is line itself, n when
// it reads "line (×n)", 0 when it is another line.
int FoldedRepeats(const QString &shown, const QString &line);
// line, with " (×count)" when count is above 1.
QString FoldedLine(const QString &line, int count);

// Appends line to a log whose lines each end with a line break, or counts it
// on the newest line when that one is the same.
void AppendFoldedLine(QPlainTextEdit *log, const QString &line);
