// rigbench: the puppet editor. Starts with an empty model, or with the model file named on the
// command line.
//
// The command line is read twice by one parser. First before any window system is touched, so that
// --help and --version answer on a machine without a display (QApplication cannot even be built
// there) and an unknown option is refused instead of being opened as a file. Then once QApplication
// has taken out its own options (-platform, -style, ...), for the model path.

#include "editor_language.h"
#include "main_frame.h"
#include "rigbench_view.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QSurfaceFormat>

#include <cstdio>
#include <memory>
#include <optional>

#ifndef RIGBENCH_VERSION
#define RIGBENCH_VERSION "0"
#endif
#ifndef RIGBENCH_DESKTOP_ID
#define RIGBENCH_DESKTOP_ID "rigbench"
#endif

namespace {

// What the command line asks for. A new option is a new field here and a line in the parser below.
struct CommandLine {
    QString modelPath;                       // empty: start with a new, empty model
    std::optional<EditorLanguage> language;  // unset: the desktop's
};

// The options QApplication and its platform plugin take out of the command line themselves.
const QStringList kQtOptions = {QStringLiteral("platform"),
                                QStringLiteral("platformpluginpath"),
                                QStringLiteral("platformtheme"),
                                QStringLiteral("plugin"),
                                QStringLiteral("qmljsdebugger"),
                                QStringLiteral("qwindowgeometry"),
                                QStringLiteral("qwindowicon"),
                                QStringLiteral("qwindowtitle"),
                                QStringLiteral("reverse"),
                                QStringLiteral("session"),
                                QStringLiteral("style"),
                                QStringLiteral("stylesheet"),
                                QStringLiteral("widgetcount"),
                                QStringLiteral("display"),
                                QStringLiteral("geometry"),
                                QStringLiteral("title"),
                                QStringLiteral("icon"),
                                QStringLiteral("name"),
                                QStringLiteral("visual"),
                                QStringLiteral("ncols"),
                                QStringLiteral("cmap"),
                                QStringLiteral("dialogs"),
                                QStringLiteral("fontengine"),
                                QStringLiteral("nograb"),
                                QStringLiteral("dograb"),
                                QStringLiteral("sync"),
                                QStringLiteral("im"),
                                QStringLiteral("inputstyle")};

// The status of a refused command line.
constexpr int kRefused = 2;

// The editor's options. Built without a QCoreApplication: every text it prints comes from here.
class CommandLineParser {
public:
    CommandLineParser() {
        parser_.setApplicationDescription(QStringLiteral(
            "rigbench, the puppet editor of Dolvane!: append part files, drag the parts into place, link\n"
            "their joints, save the model and its poses for the game. Without MODEL it starts with an\n"
            "empty model. Opening a model makes its folder the working folder, so that part paths\n"
            "resolve as the game resolves them."));
        // Qt's own options are single-dash words (-platform xcb): never read as letters run together.
        parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser_.addOption(help_);
        parser_.addOption(version_);
        parser_.addOption(language_);
        parser_.addPositionalArgument(QStringLiteral("MODEL"),
                                      QStringLiteral("a model file (*.model) to open; use -- before a "
                                                     "name that starts with a dash"),
                                      QStringLiteral("[MODEL]"));
    }

    // Before QApplication: answers --help and --version on standard output. Returns the exit status
    // when the program is done, nothing when it should go on to open its window.
    std::optional<int> answerWithoutDisplay(const QStringList& arguments) {
        // Qt's own options are unknown to this parser until QApplication has removed them; any other
        // unknown option is refused here, before a missing display could abort the program.
        if (!parser_.parse(arguments)) {
            const QStringList unknown = parser_.unknownOptionNames();
            // Not an unknown option but a malformed one (--lang without its value).
            if (unknown.isEmpty()) {
                refuse(parser_.errorText());
                return kRefused;
            }
            for (const QString& name : unknown) {
                if (!kQtOptions.contains(name)) {
                    refuse(QStringLiteral("unknown option %1").arg(name));
                    return kRefused;
                }
            }
        }
        if (parser_.isSet(help_)) {
            std::fputs(qPrintable(helpText()), stdout);
            return 0;
        }
        if (parser_.isSet(version_)) {
            std::fputs(qPrintable(QStringLiteral("rigbench %1\n").arg(QStringLiteral(RIGBENCH_VERSION))),
                       stdout);
            return 0;
        }
        if (parser_.isSet(language_) && !editorLanguageNamed(parser_.value(language_))) {
            refuse(badLanguage());
            return kRefused;
        }
        return std::nullopt;
    }

    // After QApplication: the rest of the command line, or a message on standard error and status 2.
    std::optional<CommandLine> read(const QStringList& arguments) {
        if (!parser_.parse(arguments)) return refuse(parser_.errorText());
        const QStringList models = parser_.positionalArguments();
        if (models.size() > 1)
            return refuse(QStringLiteral("one model at a time, not %1").arg(models.size()));
        CommandLine commandLine;
        if (!models.isEmpty()) commandLine.modelPath = models.first();
        if (parser_.isSet(language_)) {
            commandLine.language = editorLanguageNamed(parser_.value(language_));
            if (!commandLine.language) return refuse(badLanguage());
        }
        return commandLine;
    }

private:
    // Qt's text, with the program's name as it is installed (not the path it was started by), and
    // "usage" spelt as every other program of the project spells it.
    QString helpText() const {
        QString text = parser_.helpText();
        const qsizetype lineEnd = text.indexOf(u'\n');
        const qsizetype options = text.indexOf(QStringLiteral(" [options]"));
        if (options >= 0 && options < lineEnd) {
            text.replace(0, options, QStringLiteral("usage: rigbench"));
        }
        return text;
    }

    QString badLanguage() const {
        return QStringLiteral("--lang takes ja or en, not '%1'").arg(parser_.value(language_));
    }

    static std::nullopt_t refuse(const QString& message) {
        std::fprintf(stderr, "rigbench: %s (see rigbench --help)\n", qPrintable(message));
        return std::nullopt;
    }

    // Our own rather than Qt's standard pair: Qt's adds --help-all, whose Qt options need a display.
    const QCommandLineOption help_{{QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("print this text")};
    const QCommandLineOption version_{{QStringLiteral("v"), QStringLiteral("version")},
                                      QStringLiteral("print the version")};
    const QCommandLineOption language_{
        QStringLiteral("lang"),
        QStringLiteral("the language of menus, dialogs and messages: ja (Japanese) or en (English); "
                       "without it, Japanese on a Japanese desktop (LANG, LC_ALL) and English on any other"),
        QStringLiteral("ja|en")};
    QCommandLineParser parser_;
};

QStringList argumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

class CrigbenchApp {
public:
    CrigbenchApp(int& argc, char** argv) : app_(argc, argv) {}

    bool InitInstance(const CommandLine& commandLine) {
        QApplication::setOrganizationName(CMainFrame::settingsOrganization());
        QApplication::setDesktopFileName(QStringLiteral(RIGBENCH_DESKTOP_ID));
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/rigbench/rigbench.png")));

        frame_ = std::make_unique<CMainFrame>();
        if (!commandLine.modelPath.isEmpty()) {
            // The path is made absolute before opening, because opening moves the current directory.
            if (!frame_->openDocument(QFileInfo(commandLine.modelPath).absoluteFilePath())) return false;
        } else if (!frame_->newDocument()) {
            return false;
        }
        frame_->show();
        return true;
    }

    int run() { return app_.exec(); }

private:
    QApplication app_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication::setApplicationName(QStringLiteral("rigbench"));
    QApplication::setApplicationVersion(QStringLiteral(RIGBENCH_VERSION));
    CommandLineParser parser;
    if (const std::optional<int> status = parser.answerWithoutDisplay(argumentList(argc, argv)))
        return *status;

    CrigbenchApp app(argc, argv);
    // QApplication has taken its own options out of argc and argv.
    const std::optional<CommandLine> commandLine = parser.read(argumentList(argc, argv));
    if (!commandLine) return kRefused;
    if (!useEditorLanguage(chooseEditorLanguage(commandLine->language)))
        std::fputs("rigbench: the English texts are missing from this build; the Japanese ones stay\n",
                   stderr);
    if (!app.InitInstance(*commandLine)) return 1;
    return app.run();
}
