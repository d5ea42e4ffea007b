#include "chrome/FoldedLog.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace {
constexpr char16_t Times = u'\u00D7';
const QString CountOpen = QStringLiteral(" (") + QChar(Times);
const QString CountClose = QStringLiteral(")");
} // namespace

int FoldedRepeats(const QString &shown, const QString &line)
{
    if (shown == line)
        return 1;
    const QString head = line + CountOpen;
    if (!shown.startsWith(head) || !shown.endsWith(CountClose))
        return 0;
    bool ok = false;
    const int count = shown.mid(head.size(), shown.size() - head.size() - CountClose.size()).toInt(&ok);
    return ok && count > 1 && shown == FoldedLine(line, count) ? count : 0;
}

QString FoldedLine(const QString &line, int count)
{
    return count > 1 ? line + CountOpen + QString::number(count) + CountClose : line;
}

void AppendFoldedLine(QPlainTextEdit *log, const QString &line)
{
    // Every line ends with a break, so the last block is empty and the
    // newest line is the one before it.
    QTextBlock newest = log->document()->lastBlock();
    if (newest.isValid() && newest.text().isEmpty())
        newest = newest.previous();
    const int repeats = newest.isValid() ? FoldedRepeats(newest.text(), line) : 0;
    if (repeats > 0) {
        QTextCursor cursor(newest);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(FoldedLine(line, repeats + 1));
    } else {
        log->moveCursor(QTextCursor::End);
        log->insertPlainText(line + QLatin1Char('\n'));
    }
    log->moveCursor(QTextCursor::End);
}
