#pragma once
// Toolbar icons: the desktop's icon theme first, then Qt's standard icons, then small drawings of
// our own for the commands Qt has no standard icon for.

#include <QIcon>

class QStyle;

enum class ToolbarIcon { New, Open, Save, Cut, Copy, Paste, Print, About };

QIcon toolbarIcon(ToolbarIcon which, const QStyle* style);
