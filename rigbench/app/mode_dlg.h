#pragma once
// The mode tool window: what a press of the left button in the view does.

#include "tool_window.h"

class QComboBox;

class CModeDlg : public ToolWindow {
    Q_OBJECT
public:
    explicit CModeDlg(QWidget* parent);

    enum Mode { PartMove = 0, JointAttach = 1 };
    // Anything but the second item selected means moving parts; typed text selects no item.
    Mode mode() const;

    QComboBox* modeCombo;

private:
    // Text typed into the box since an item was last chosen: no item is selected.
    bool typed_ = false;
};
