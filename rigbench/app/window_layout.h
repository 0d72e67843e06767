#pragma once
// Where the main window and its tool windows stood, kept in the settings store beside the recent
// files, so that the editor opens as it was left. A stored value that is damaged, or that would put
// a window where no screen is, is passed over: the window keeps (or is moved back to) a visible place.

#include <QByteArray>

class QMainWindow;
class QWidget;

namespace window_layout {

// The settings keys, in the editor's settings store.
extern const char* const kGeometryKey;
extern const char* const kStateKey;

// Stores the frame's geometry and its docks' and toolbar's places.
void save(const QMainWindow& frame);
// The frame's size and place; false (frame unchanged) when none is stored or it does not read.
bool restoreGeometry(QMainWindow& frame);
// The docks' and toolbar's places; call once every dock exists. False when none is stored or it does
// not read; the docks are then as they were.
bool restoreState(QMainWindow& frame);

// Moves a top-level window that lies on no screen (not even by a strip big enough to grab) onto the
// nearest screen's usable area. True when it moved it.
bool keepOnScreen(QWidget& window);

}  // namespace window_layout
