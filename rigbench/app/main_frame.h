#pragma once
// The main window: menus, toolbar, status bar, the view, and the document commands (New, Open,
// Save, Save As, recent files, dropped files).

#include "rigbench_doc.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <map>

class CrigbenchView;
class QAction;
class QDir;
class QDockWidget;
class QLabel;
class QMenu;
class QToolBar;

// Command numbers of the menus, toolbar and shortcuts.
enum Command : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT = 57607,
    ID_FILE_MRU_FILE1 = 57616,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_VIEW_GAME = 32771,
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kRecentFileCount = 4;

    CMainFrame();
    ~CMainFrame() override;

    CrigbenchDoc& document() { return document_; }
    CrigbenchView* view() const { return view_; }
    QToolBar* toolBar() const { return toolBar_; }
    QAction* action(int command) const;
    QLabel* folderField() const { return folderLabel_; }
    QMenu* poseMenu() const { return poseMenu_; }
    // The pose files in the working folder (the model's), by name.
    QStringList posesBeside() const;
    // Passes of relaxation that settle the puppet onto the pose found beside an opened model.
    static constexpr int kOpenPosePasses = 400;
    QStringList recentFiles() const { return recentFiles_; }
    QLabel* lockIndicator(int index) const { return lockLabels_[index]; }
    // The docks that hold the part list and the mode box, from the start; filled at the first frame.
    QDockWidget* partDock() const { return partDock_; }
    QDockWidget* modeDock() const { return modeDock_; }

    // The document commands. Each returns false when it did not happen (cancelled or failed); a
    // failure has been reported to the user.
    bool newDocument();
    bool openDocument(const QString& path);
    bool saveDocument();
    bool saveDocumentAs();
    bool saveDocumentTo(const QString& path);
    // Asks whether to save changed parts or links; false when the user cancels.
    bool confirmDiscard();
    // How Open and Save As ask for a model file (true: to write it): the chosen path, empty when
    // cancelled. Unset, a file dialog asks; tests put their own answer here.
    std::function<QString(bool forSaving)> chooseModelFile;

    // Edit > Undo and Redo; false when there was nothing to do or a drag is under way.
    bool undo();
    bool redo();

    // The settings store the recent-file list lives in.
    static QString settingsOrganization();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* addCommand(QMenu* menu, int command, const QString& text, const QString& prompt);
    void createMenusAndToolBar();
    void createStatusBar();
    void createDocks(QMenu* viewMenu);
    // Puts the view's new tool windows into the docks and lays them out as last left.
    void dockToolWindows();
    void tell(const QString& message);
    void updateTitle();
    void updateUndoActions();
    void restoreSelection(int row);
    void rememberRecentFile(const QString& path);
    void forgetRecentFile(const QString& path);
    void storeRecentFiles();
    // Opening: the pose beside the model named like the game's first pose, when it fits the parts.
    void loadPoseBeside();
    void rebuildPoseMenu();
    // Save into another folder: the modder rewrites the part paths or copies the parts there; false
    // when cancelled or a copy failed.
    bool carryPartsTo(const QDir& from, const QDir& to);
    void rebuildRecentMenu();
    void showAbout();
    void updateLockIndicators();
    void openFromUser();

    CrigbenchDoc document_;
    CrigbenchView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentAnchor_ = nullptr;
    QList<QAction*> recentActions_;
    QStringList recentFiles_;
    std::map<int, QAction*> actions_;
    QLabel* lockLabels_[3] = {nullptr, nullptr, nullptr};
    QLabel* folderLabel_ = nullptr;
    QMenu* poseMenu_ = nullptr;
    QDockWidget* partDock_ = nullptr;
    QDockWidget* modeDock_ = nullptr;
    QTimer lockTimer_;
};
