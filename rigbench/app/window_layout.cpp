#include "window_layout.h"

#include "main_frame.h"

#include <QDockWidget>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>

#include <algorithm>

namespace window_layout {

const char* const kGeometryKey = "Layout/Geometry";
const char* const kStateKey = "Layout/State";

namespace {

// Bumped when the docks change in a way an older stored layout would not describe.
constexpr int kStateVersion = 1;
// A window that shows at least this much of itself on a screen can still be grabbed and moved.
constexpr int kGrabbable = 48;

QByteArray stored(const char* key) {
    const QSettings settings(CMainFrame::settingsOrganization(), QStringLiteral("rigbench"));
    const QVariant value = settings.value(QLatin1String(key));
    // Hand-edited or foreign values read as text or numbers; only bytes can be a layout.
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

}  // namespace

void save(const QMainWindow& frame) {
    QSettings settings(CMainFrame::settingsOrganization(), QStringLiteral("rigbench"));
    settings.setValue(QLatin1String(kGeometryKey), frame.saveGeometry());
    settings.setValue(QLatin1String(kStateKey), frame.saveState(kStateVersion));
}

bool restoreGeometry(QMainWindow& frame) {
    const QByteArray geometry = stored(kGeometryKey);
    if (geometry.isEmpty() || !frame.restoreGeometry(geometry)) return false;
    keepOnScreen(frame);
    return true;
}

bool restoreState(QMainWindow& frame) {
    const QByteArray state = stored(kStateKey);
    if (state.isEmpty() || !frame.restoreState(state, kStateVersion)) return false;
    for (QDockWidget* dock : frame.findChildren<QDockWidget*>()) {
        if (dock->isFloating()) keepOnScreen(*dock);
    }
    return true;
}

bool keepOnScreen(QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) return false;
    QScreen* nearest = screens.constFirst();
    qint64 nearestDistance = -1;
    for (QScreen* screen : screens) {
        const QRect shown = screen->availableGeometry().intersected(frame);
        if (shown.width() >= kGrabbable && shown.height() >= kGrabbable) return false;
        const QPoint gap = screen->availableGeometry().center() - frame.center();
        const qint64 distance =
            static_cast<qint64>(gap.x()) * gap.x() + static_cast<qint64>(gap.y()) * gap.y();
        if (nearestDistance < 0 || distance < nearestDistance) {
            nearest = screen;
            nearestDistance = distance;
        }
    }
    const QRect area = nearest->availableGeometry();
    // Too big for the screen: it shrinks to it (a fixed-size window keeps its size and its top left).
    const QSize size = window.size().boundedTo(area.size() - (frame.size() - window.size()));
    if (size != window.size()) window.resize(size);
    const QRect moved = window.frameGeometry();
    const int x = std::clamp(moved.x(), area.left(), std::max(area.left(), area.right() + 1 - moved.width()));
    const int y = std::clamp(moved.y(), area.top(), std::max(area.top(), area.bottom() + 1 - moved.height()));
    window.move(x, y);
    return true;
}

}  // namespace window_layout
