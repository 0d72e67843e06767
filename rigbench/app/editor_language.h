#pragma once
// The language of the editor's texts. The texts in the code are Japanese, the editor's first
// language; English comes from the translation built into the editor, and is what every desktop that
// is not Japanese gets.

#include <QString>

#include <optional>

class QLocale;

enum class EditorLanguage { Japanese, English };

// "ja" or "en", as --lang takes them; nothing for any other word.
std::optional<EditorLanguage> editorLanguageNamed(const QString& code);
QString editorLanguageCode(EditorLanguage language);

// Japanese when the locale's first language for messages is Japanese; English for any other.
EditorLanguage editorLanguageOf(const QLocale& locale);

// The language asked for on the command line, else the desktop's (its locale's).
EditorLanguage chooseEditorLanguage(std::optional<EditorLanguage> asked);

// Every text made from now on comes in this language: installs the English translation, or takes it
// away again for Japanese, together with Qt's own translation of its standard dialogs and buttons
// when the system has one. Widgets made before keep their texts. False when the English translation
// is missing from the program.
bool useEditorLanguage(EditorLanguage language);
