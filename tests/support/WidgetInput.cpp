#include "support/WidgetInput.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <algorithm>

namespace {
constexpr ushort AsciiEnd = 0x80;
} // namespace

void ChooseEntry(QComboBox *box, int index)
{
    box->setFocus();
    for (int guard = box->count(); box->currentIndex() < index && guard > 0; --guard)
        QTest::keyClick(box, Qt::Key_Down);
    for (int guard = box->count(); box->currentIndex() > index && guard > 0; --guard)
        QTest::keyClick(box, Qt::Key_Up);
    // A box that sends only shows the entry until Enter picks it.
    QTest::keyClick(box, Qt::Key_Return);
}

void TypeText(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < AsciiEnd; });
    if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}
