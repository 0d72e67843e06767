#include "editor_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Built from translations/rigbench_en.ts and embedded in the program, so that the build tree, an
// install and the package all find it.
const QString kEnglishTranslation = QStringLiteral(":/rigbench/i18n/rigbench_en.qm");

// Both live as long as the program, installed or not.
QTranslator& editorTranslator() {
    static QTranslator translator;
    return translator;
}

QTranslator& qtTranslator() {
    static QTranslator translator;
    return translator;
}

}  // namespace

std::optional<EditorLanguage> editorLanguageNamed(const QString& code) {
    if (code == QLatin1String("ja")) return EditorLanguage::Japanese;
    if (code == QLatin1String("en")) return EditorLanguage::English;
    return std::nullopt;
}

QString editorLanguageCode(EditorLanguage language) {
    return language == EditorLanguage::Japanese ? QStringLiteral("ja") : QStringLiteral("en");
}

EditorLanguage editorLanguageOf(const QLocale& locale) {
    // The languages for messages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG on Linux) rather than the
    // locale's own, which follows the number format.
    const QStringList languages = locale.uiLanguages();
    const QLocale first = languages.isEmpty() ? locale : QLocale(languages.constFirst());
    return first.language() == QLocale::Japanese ? EditorLanguage::Japanese : EditorLanguage::English;
}

EditorLanguage chooseEditorLanguage(std::optional<EditorLanguage> asked) {
    return asked ? *asked : editorLanguageOf(QLocale::system());
}

bool useEditorLanguage(EditorLanguage language) {
    QCoreApplication::removeTranslator(&editorTranslator());
    QCoreApplication::removeTranslator(&qtTranslator());
    // Qt's standard buttons and dialogs speak English by themselves; Japanese needs Qt's translation,
    // which Debian ships apart (qt6-translations-l10n) and which may be absent.
    if (language == EditorLanguage::Japanese &&
        qtTranslator().load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator());
    if (language == EditorLanguage::Japanese) return true;
    return editorTranslator().load(kEnglishTranslation) &&
           QCoreApplication::installTranslator(&editorTranslator());
}
