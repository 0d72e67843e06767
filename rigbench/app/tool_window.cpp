#include "tool_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QScreen>

ToolWindow::ToolWindow(QWidget* parent, int widthUnits, int heightUnits)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(tr("Dialog"));
    setFixedSize(unitsToPixels(0, 0, widthUnits, heightUnits).size());
    setModal(false);
}

QRect ToolWindow::unitsToPixels(int x, int y, int width, int height) const {
    const QFontMetrics metrics(font());
    const double across = metrics.averageCharWidth() / 4.0;
    const double down = metrics.height() / 8.0;
    return QRect(static_cast<int>(x * across + 0.5), static_cast<int>(y * down + 0.5),
                 static_cast<int>(width * across + 0.5), static_cast<int>(height * down + 0.5));
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void ToolWindow::placeBeside(QWidget* mainWindow) {
    const QRect frame = mainWindow->frameGeometry();
    const QScreen* screen = mainWindow->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    QPoint at(frame.right() + 8, frame.top());
    if (available.isValid() && at.x() + width() > available.right()) at.setX(frame.right() - width() - 24);
    move(at);
}
