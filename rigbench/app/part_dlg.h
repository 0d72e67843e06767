#pragma once
// The part list tool window: the document's parts in order; its selection is the part the view marks.

#include "tool_window.h"

#include <functional>

class CrigbenchDoc;
class LinkPanel;
class PartMakerDlg;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CPartDlg : public ToolWindow {
    Q_OBJECT
public:
    CPartDlg(CrigbenchDoc& document, QWidget* parent);
    ~CPartDlg() override;

    // Refills the list from the document, selecting the last part, and redraws the views.
    void refreshPartList();
    // The selected row, or -1 when no row is selected.
    int currentPart() const;

    // The buttons' work, after their file dialogs: each changes the document and the list together.
    void appendPart(const QString& chosenFile);
    void OnDelete();
    void OnMoveUp();
    void OnMoveDown();
    void savePose(const QString& path);
    // Says so when the pose was made for another number of parts.
    void loadPose(const QString& path);
    // Where Save Pose and Load Pose start: the model's folder (the working folder for a new model).
    QString poseFolder() const;
    // Makes a part file from a picture in the model's folder and appends it, one undo step; false
    // when the picture could not be read or the modder cancelled.
    bool makePartFromPicture(const QString& picture);
    // Called with the part maker before it is shown; tests drive it from here.
    std::function<void(PartMakerDlg&)> partMakerOpened;

    // How the buttons ask for a file: given the filter and whether the file is to be written, the
    // chosen path, empty when cancelled. Unset, a file dialog asks; tests put their own answer here.
    std::function<QString(const QString& filter, bool forSaving)> chooseFile;

    CrigbenchDoc* document;
    QListWidget* partList;
    QPushButton* appendButton;
    QPushButton* deleteButton;
    QLineEdit* folderEdit;
    QLabel* folderLabel;
    QPushButton* upButton;
    QPushButton* downButton;
    QPushButton* savePoseButton;
    QPushButton* loadPoseButton;
    QPushButton* makePartButton;
    LinkPanel* linkPanel;

private:
    QString askForFile(const QString& filter, bool forSaving);

signals:
    // The parts were appended, deleted, reordered or replaced: part numbers held elsewhere are stale.
    void partsChanged();
    // What a button did, for the status bar.
    void told(const QString& message);
};

// The one part dialog, once it exists; the document refills its list after New and Open.
extern CPartDlg* thePartDlg;
