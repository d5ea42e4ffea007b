#pragma once

#include <QString>

class QComboBox;

// The language selector of the login and main windows. Its items are the
// display names of the languages whose files exist.

// init: clear and list the languages whose files exist (English first).
// Otherwise rename the items after the current table and select the
// language that Key_LanguageIsEnglish names, when its file exists.
// The selector's own signals are blocked meanwhile, so filling it never
// starts a language switch.
void FillLanguageSelector(QComboBox *selector, bool init);

// The common part of a language switch to the language shown as text: the
// settings are saved (so the file of the language being left is rewritten
// from memory), the choice is recorded and the new language file is read.
// The caller then refreshes its own texts.
void SwitchLanguageTo(const QString &text);
