// rigbench: the puppet editor. Starts with an empty model, or with the model file named on the
// command line.

#include "main_frame.h"
#include "rigbench_view.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QSurfaceFormat>

#include <memory>

#ifndef RIGBENCH_VERSION
#define RIGBENCH_VERSION "0"
#endif

namespace {

class CrigbenchApp {
public:
    CrigbenchApp(int& argc, char** argv) : app_(argc, argv) {}

    bool InitInstance() {
        QApplication::setApplicationName(QStringLiteral("rigbench"));
        QApplication::setApplicationVersion(QStringLiteral(RIGBENCH_VERSION));
        QApplication::setOrganizationName(CMainFrame::settingsOrganization());
        QApplication::setDesktopFileName(QStringLiteral("rigbench"));
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/rigbench/rigbench.png")));

        frame_ = std::make_unique<CMainFrame>();
        const QStringList args = QApplication::arguments();
        if (args.size() > 1) {
            // The path is made absolute before opening, because opening moves the current directory.
            if (!frame_->openDocument(QFileInfo(args.at(1)).absoluteFilePath())) return false;
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
    CrigbenchApp app(argc, argv);
    if (!app.InitInstance()) return 1;
    return app.run();
}
