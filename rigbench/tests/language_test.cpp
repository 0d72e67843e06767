// The editor in each of its languages, read back through its widgets: the menus, the tool windows,
// the part-from-picture dialog and a message, and which language a desktop's locale gets.
#include "editor_language.h"
#include "main_frame.h"
#include "mode_dlg.h"
#include "part_dlg.h"
#include "part_maker_dlg.h"
#include "rigbench_view.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <cstdio>

namespace {

bool hasJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// The access key of a menu text: the letter after a single &, lower-cased; none when there is none.
QChar accessKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

// Every text a menu shows, with its submenus'; fails when two items of one menu share an access key.
void collectMenuTexts(const QString& where, const QList<QAction*>& actions, QStringList& texts) {
    QMap<QChar, QString> keys;
    for (QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible()) continue;
        texts << action->text() << action->statusTip() << action->toolTip();
        const QChar key = accessKey(action->text());
        if (!key.isNull()) {
            QVERIFY2(!keys.contains(key), qPrintable(QStringLiteral("%1: '%2' and '%3' share the key %4")
                                                         .arg(where, keys.value(key), action->text(), key)));
            keys.insert(key, action->text());
        }
        if (action->menu()) {
            emit action->menu()->aboutToShow();  // menus filled as they open
            collectMenuTexts(action->text(), action->menu()->actions(), texts);
        }
    }
}

// Every text the widgets inside a window show.
QStringList widgetTexts(const QWidget& window) {
    QStringList texts{window.windowTitle(), window.toolTip()};
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        texts << child->toolTip();
        if (const auto* button = qobject_cast<const QAbstractButton*>(child)) texts << button->text();
        if (const auto* label = qobject_cast<const QLabel*>(child)) texts << label->text();
        if (const auto* group = qobject_cast<const QGroupBox*>(child)) texts << group->title();
        if (const auto* combo = qobject_cast<const QComboBox*>(child)) {
            for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        }
    }
    return texts;
}

// What a modal message box said; it is closed straight away.
QString messageOf(const std::function<void()>& action) {
    QString said;
    QTimer::singleShot(0, [&said] {
        QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr);
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        said = box->windowTitle() + QLatin1Char('\n') + box->text();
        box->accept();
    });
    action();
    return said;
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(settingsDir_.isValid() && dir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        QImage picture(24, 20, QImage::Format_RGBA8888);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir_.filePath("arm.png")));
        QFile text(dir_.filePath("notes.model"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a data tree") > 0);
    }

    // English, Japanese, English again: each switch leaves nothing of the language before.
    void frameAndDialogsInEachLanguage_data() {
        QTest::addColumn<EditorLanguage>("language");
        QTest::addColumn<QStringList>("menuTitles");
        QTest::addColumn<QStringList>("fileItems");  // New, Save As, Exit
        QTest::addColumn<QString>("newStatusTip");
        QTest::addColumn<QString>("idleText");
        QTest::addColumn<QStringList>("modes");
        QTest::addColumn<QString>("makerTitle");
        QTest::addColumn<QString>("notAModel");
        const auto englishRow = [](const char* name) {
            QTest::newRow(name) << EditorLanguage::English
                                << QStringList{"&File", "&Edit", "&View", "&Pose", "&Help"}
                                << QStringList{"&New\tCtrl+N", "Save &As...", "E&xit"} << "Create a new model"
                                << "Ready" << QStringList{"Drag parts", "Link joints"}
                                << "New Part from Picture"
                                << "is not a model file";
        };
        englishRow("en");
        QTest::newRow("ja") << EditorLanguage::Japanese
                            << QStringList{"ファイル(&F)", "編集(&E)", "表示(&V)", "ポーズ(&P)", "ヘルプ(&H)"}
                            << QStringList{"新規作成\tCtrl+N(&N)", "名前を付けて保存(&A)...",
                                           "アプリケーションの終了(&X)"}
                            << "新規にファイルを作成"
                            << "レディ" << QStringList{"パーツ移動モード", "関節接着モード"}
                            << "絵からパーツを作成"
                            << "はモデル ファイルではありません";
        englishRow("en again");
    }

    void frameAndDialogsInEachLanguage() {
        QFETCH(EditorLanguage, language);
        QFETCH(QStringList, menuTitles);
        QFETCH(QStringList, fileItems);
        QFETCH(QString, newStatusTip);
        QFETCH(QString, idleText);
        QFETCH(QStringList, modes);
        QFETCH(QString, makerTitle);
        QFETCH(QString, notAModel);
        const bool english = language == EditorLanguage::English;
        QVERIFY(useEditorLanguage(language));

        CMainFrame frame;
        frame.resize(900, 700);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTRY_VERIFY(frame.view()->partDialog() != nullptr);

        QStringList titles;
        for (QAction* menu : frame.menuBar()->actions()) titles << menu->text();
        QCOMPARE(titles, menuTitles);
        QCOMPARE(frame.action(ID_FILE_NEW)->text(), fileItems[0]);
        QCOMPARE(frame.action(ID_FILE_SAVE_AS)->text(), fileItems[1]);
        QCOMPARE(frame.action(ID_APP_EXIT)->text(), fileItems[2]);
        QCOMPARE(frame.action(ID_FILE_NEW)->statusTip(), newStatusTip);
        QCOMPARE(frame.statusBar()->currentMessage(), idleText);

        // Every menu, each with keys of its own; in English not one Japanese character anywhere.
        QStringList texts;
        collectMenuTexts(QStringLiteral("menu bar"), frame.menuBar()->actions(), texts);
        if (QTest::currentTestFailed()) return;
        for (QAction* tool : frame.toolBar()->actions()) texts << tool->toolTip() << tool->statusTip();
        texts << frame.folderField()->text() << frame.folderField()->toolTip();

        // The tool windows; the mode box keeps moving parts as its first item in either language.
        CModeDlg* modeDialog = frame.view()->modeDialog();
        QCOMPARE(modeDialog->modeCombo->itemText(0), modes[0]);
        QCOMPARE(modeDialog->modeCombo->itemText(1), modes[1]);
        QCOMPARE(modeDialog->mode(), CModeDlg::PartMove);
        texts << widgetTexts(*frame.view()->partDialog()) << widgetTexts(*modeDialog);

        PartMakerDlg maker(dir_.filePath("arm.png"), dir_.path(), &frame);
        QVERIFY(maker.pictureLoaded());
        QCOMPARE(maker.windowTitle(), makerTitle);
        texts << widgetTexts(maker);

        const QString refusal = messageOf([&] { frame.openDocument(dir_.filePath("notes.model")); });
        QVERIFY2(refusal.contains(notAModel), qPrintable(refusal));
        texts << refusal;

        texts.removeAll(QString());
        QVERIFY(texts.size() > 60);
        // Qt's own buttons follow, where the system has Qt's Japanese.
        const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
        if (english || !QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm"))
            QCOMPARE(cancel, QStringLiteral("Cancel"));
        else
            QVERIFY2(hasJapanese(cancel), qPrintable(cancel));

        if (english) {
            for (const QString& text : texts)
                QVERIFY2(!hasJapanese(text), qPrintable(QStringLiteral("Japanese in English: %1").arg(text)));
        } else {
            QVERIFY(std::any_of(texts.begin(), texts.end(), hasJapanese));
        }
    }

    // The desktop's locale decides, as the editor's start does it, in a process of its own: Qt reads
    // the locale variables once. The message language counts, not the number format.
    void desktopLocaleChoosesLanguage_data() {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("C") << QStringList{"LANG=C"} << "en";
        QTest::newRow("none") << QStringList{} << "en";
        QTest::newRow("en_US") << QStringList{"LANG=en_US.UTF-8"} << "en";
        QTest::newRow("de_DE") << QStringList{"LANG=de_DE.UTF-8"} << "en";
        QTest::newRow("ja_JP") << QStringList{"LANG=ja_JP.UTF-8"} << "ja";
        QTest::newRow("LC_ALL over LANG") << QStringList{"LANG=en_US.UTF-8", "LC_ALL=ja_JP.UTF-8"} << "ja";
        QTest::newRow("LC_ALL=C over ja") << QStringList{"LANG=ja_JP.UTF-8", "LC_ALL=C"} << "en";
        QTest::newRow("messages ja") << QStringList{"LANG=en_GB.UTF-8", "LC_MESSAGES=ja_JP.UTF-8"} << "ja";
        QTest::newRow("numbers ja") << QStringList{"LANG=en_GB.UTF-8", "LC_NUMERIC=ja_JP.UTF-8"} << "en";
    }

    void desktopLocaleChoosesLanguage() {
        QFETCH(QStringList, variables);
        QFETCH(QString, chosen);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LC_NUMERIC", "LC_CTYPE"})
            environment.remove(QString::fromLatin1(name));
        for (const QString& variable : variables)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        QProcess probe;
        probe.setProcessEnvironment(environment);
        probe.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--print-language")});
        QVERIFY(probe.waitForFinished(20000));
        QCOMPARE(probe.exitCode(), 0);
        QCOMPARE(QString::fromLatin1(probe.readAllStandardOutput()).trimmed(), chosen);
    }

private:
    QTemporaryDir settingsDir_;
    QTemporaryDir dir_;
};

int main(int argc, char** argv) {
    // The probe of the test above: the language the editor's start would choose with no --lang.
    if (argc == 2 && qstrcmp(argv[1], "--print-language") == 0) {
        std::printf("%s\n", qPrintable(editorLanguageCode(chooseEditorLanguage(std::nullopt))));
        return 0;
    }
    QApplication app(argc, argv);
    LanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "language_test.moc"
