#pragma once
// The part list tool window: the document's parts in order; its selection is the part the view marks.

#include "tool_window.h"

class CrigbenchDoc;
class QLineEdit;
class QListWidget;
class QPushButton;

class CPartDlg : public ToolWindow {
    Q_OBJECT
public:
    CPartDlg(CrigbenchDoc& document, QWidget* parent);

    // Refills the list from the document, selecting the last part, and redraws the views.
    void refreshPartList();
    // The selected row, or -1.
    int currentPart() const;

    CrigbenchDoc* document;
    QListWidget* partList;
    QPushButton* appendButton;
    QPushButton* deleteButton;
    QLineEdit* folderEdit;
    QPushButton* upButton;
    QPushButton* downButton;
    QPushButton* savePoseButton;
    QPushButton* loadPoseButton;
};

// The one part dialog, once it exists; the document refills its list after New and Open.
extern CPartDlg* thePartDlg;
