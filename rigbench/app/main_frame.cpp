#include "main_frame.h"

#include "editor_texts.h"
#include "eliding_label.h"
#include "link_panel.h"
#include "lock_state_x11.h"
#include "mode_dlg.h"
#include "part_dlg.h"
#include "part_files.h"
#include "rigbench_view.h"
#include "toolbar_icons.h"
#include "window_layout.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

#ifndef RIGBENCH_VERSION
#define RIGBENCH_VERSION "0"
#endif

namespace {

const QString kAppTitle = QStringLiteral("rigbench");
const QString kRecentSection = QStringLiteral("Recent File List");

// Texts asked for when needed, so that they come in the language installed at start.
QString untitledName() {
    return CMainFrame::tr("Untitled");
}

QString idleText() {
    return CMainFrame::tr("レディ");
}

QString modelFilter() {
    return CMainFrame::tr("rigbench Files (*.model)");
}

// The key-state indicators, shown while their lock is on.
const char* const kLockTexts[3] = {QT_TRANSLATE_NOOP("CMainFrame", "CAP"),
                                   QT_TRANSLATE_NOOP("CMainFrame", "NUM"),
                                   QT_TRANSLATE_NOOP("CMainFrame", "SCRL")};

}  // namespace

QString CMainFrame::settingsOrganization() {
    return QStringLiteral("アプリケーション ウィザードで生成されたローカル アプリケーション");
}

CMainFrame::CMainFrame() {
    view_ = new CrigbenchView(document_, this);
    setCentralWidget(view_);
    document_.viewsChanged = [this] {
        view_->update();
        if (thePartDlg) thePartDlg->linkPanel->refresh();
        updateTitle();
        updateUndoActions();
    };
    document_.partsReplaced = [] {
        if (thePartDlg) thePartDlg->refreshPartList();
    };

    createMenusAndToolBar();
    createStatusBar();
    setAcceptDrops(true);

    QSettings settings(settingsOrganization(), kAppTitle);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString path = settings.value(kRecentSection + QStringLiteral("/File%1").arg(i)).toString();
        if (!path.isEmpty() && !recentFiles_.contains(path)) recentFiles_.append(path);
    }
    rebuildRecentMenu();
    updateTitle();
    resize(800, 600);
    window_layout::restoreGeometry(*this);
}

CMainFrame::~CMainFrame() {
    document_.viewsChanged = nullptr;
    document_.partsReplaced = nullptr;
    // The view and its tool windows go first, while the document they point at still exists.
    delete view_;
    view_ = nullptr;
    thePartDlg = nullptr;
}

QAction* CMainFrame::action(int command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

QAction* CMainFrame::addCommand(QMenu* menu, int command, const QString& text, const QString& prompt) {
    auto* act = new QAction(text, this);
    const int split = prompt.indexOf(QLatin1Char('\n'));
    act->setStatusTip(split < 0 ? prompt : prompt.left(split));
    if (split >= 0) act->setToolTip(prompt.mid(split + 1));
    act->setData(command);
    if (menu) menu->addAction(act);
    actions_[command] = act;
    return act;
}

void CMainFrame::createMenusAndToolBar() {
    fileMenu_ = menuBar()->addMenu(tr("ファイル(&F)"));
    QAction* newAct = addCommand(fileMenu_, ID_FILE_NEW, tr("新規作成\tCtrl+N(&N)"),
                                 tr("新規にファイルを作成\n新規ファイル"));
    newAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(newAct, &QAction::triggered, this, [this] { newDocument(); });
    QAction* openAct =
        addCommand(fileMenu_, ID_FILE_OPEN, tr("開く...\tCtrl+O(&O)"), tr("既存のファイルを開く\n開く"));
    openAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(openAct, &QAction::triggered, this, &CMainFrame::openFromUser);
    QAction* saveAct = addCommand(fileMenu_, ID_FILE_SAVE, tr("上書き保存\tCtrl+S(&S)"),
                                  tr("作業中のファイルを上書きして保存\n保存"));
    saveAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(saveAct, &QAction::triggered, this, [this] { saveDocument(); });
    QAction* saveAsAct = addCommand(fileMenu_, ID_FILE_SAVE_AS, tr("名前を付けて保存(&A)..."),
                                    tr("作業中のファイルを新しい名前で保存\n名前をつけて保存"));
    connect(saveAsAct, &QAction::triggered, this, [this] { saveDocumentAs(); });
    fileMenu_->addSeparator();
    recentAnchor_ =
        addCommand(fileMenu_, ID_FILE_MRU_FILE1, tr("最近使ったファイル"), tr("指定のファイルを開く"));
    recentAnchor_->setEnabled(false);
    fileMenu_->addSeparator();
    QAction* exitAct = addCommand(fileMenu_, ID_APP_EXIT, tr("アプリケーションの終了(&X)"),
                                  tr("アプリケーションを終了し、ファイルの保存を指示\\終了"));
    connect(exitAct, &QAction::triggered, this, &QWidget::close);

    // Undo and Redo step through the puppet's edits; nothing handles the clipboard commands or Print,
    // so they stay disabled.
    QMenu* editMenu = menuBar()->addMenu(tr("編集(&E)"));
    QAction* undoAct = addCommand(editMenu, ID_EDIT_UNDO, tr("元に戻す\tCtrl+Z(&U)"),
                                  tr("直前に行った動作を元に戻す\n元に戻す"));
    undoAct->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    connect(undoAct, &QAction::triggered, this, [this] { undo(); });
    QAction* redoAct = addCommand(editMenu, ID_EDIT_REDO, tr("やり直し\tCtrl+Shift+Z(&R)"),
                                  tr("元に戻した動作をやり直す\nやり直し"));
    redoAct->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(redoAct, &QAction::triggered, this, [this] { redo(); });
    for (QAction* act : {undoAct, redoAct}) {
        act->setProperty("idleStatusTip", act->statusTip());
        act->setProperty("idleToolTip", act->toolTip());
    }
    editMenu->addSeparator();
    QAction* cutAct = addCommand(editMenu, ID_EDIT_CUT, tr("切り取り\tCtrl+X(&T)"),
                                 tr("選択範囲を切り取ってクリップボードに保存\n切り取り"));
    cutAct->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    QAction* copyAct = addCommand(editMenu, ID_EDIT_COPY, tr("コピー\tCtrl+C(&C)"),
                                  tr("選択範囲をコピーしてクリップボードに保存\n保存"));
    copyAct->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    QAction* pasteAct = addCommand(editMenu, ID_EDIT_PASTE, tr("貼り付け\tCtrl+V(&P)"),
                                   tr("クリップボードの内容を貼り付け\n貼り付け"));
    pasteAct->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    QAction* printAct = addCommand(nullptr, ID_FILE_PRINT, tr("印刷"), tr("印刷\n印刷"));
    for (QAction* disabled : {undoAct, redoAct, cutAct, copyAct, pasteAct, printAct})
        disabled->setEnabled(false);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    addToolBar(Qt::TopToolBarArea, toolBar_);

    QMenu* viewMenu = menuBar()->addMenu(tr("表示(&V)"));
    QAction* toolBarAct = addCommand(viewMenu, ID_VIEW_TOOLBAR, tr("ツール バー(&T)"),
                                     tr("ツール バーの 表示/非表示\nツール バーの表示切り替え"));
    toolBarAct->setCheckable(true);
    toolBarAct->setChecked(true);
    connect(toolBarAct, &QAction::toggled, toolBar_, &QWidget::setVisible);
    connect(toolBar_, &QToolBar::visibilityChanged, toolBarAct, &QAction::setChecked);
    QAction* statusAct = addCommand(viewMenu, ID_VIEW_STATUS_BAR, tr("ステータス バー(&S)"),
                                    tr("ステータス バーの 表示/非表示\nステータス バーの表示切り替え"));
    statusAct->setCheckable(true);
    statusAct->setChecked(true);
    connect(statusAct, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

    viewMenu->addAction(view_->fitAction());
    viewMenu->addSeparator();
    createDocks(viewMenu);
    viewMenu->addSeparator();
    QAction* gameAct = addCommand(
        viewMenu, ID_VIEW_GAME, tr("ゲームで試す(&G)"),
        tr("編集中のパペットをゲームの中でポーズのまま床に立たせる (M: 反転、L: 脱力)\nゲームで試す"));
    gameAct->setCheckable(true);
    gameAct->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    connect(gameAct, &QAction::toggled, this, [this](bool on) {
        view_->setGamePreview(on);
        if (!on) statusBar()->clearMessage();
    });
    connect(view_, &CrigbenchView::previewSettled, this,
            [this](const QString& report) { statusBar()->showMessage(report); });
    connect(view_, &CrigbenchView::linkMade, this, [this](const JointLink& link) {
        const auto& parts = document_.model.parts;
        tell(texts::linkMade(
            link.partA, QString::fromStdString(parts[static_cast<std::size_t>(link.partA)].path), link.jointA,
            link.partB, QString::fromStdString(parts[static_cast<std::size_t>(link.partB)].path),
            link.jointB));
    });

    // The poses beside the model, each loaded with one click.
    poseMenu_ = menuBar()->addMenu(texts::poseMenu());
    connect(poseMenu_, &QMenu::aboutToShow, this, &CMainFrame::rebuildPoseMenu);
    rebuildPoseMenu();

    QMenu* helpMenu = menuBar()->addMenu(tr("ヘルプ(&H)"));
    QAction* aboutAct = addCommand(helpMenu, ID_APP_ABOUT, tr("バージョン情報 rigbench(&A)..."),
                                   tr("プログラム情報、バージョン、著作権を表示します。\nバージョン情報"));
    connect(aboutAct, &QAction::triggered, this, &CMainFrame::showAbout);

    newAct->setIcon(toolbarIcon(ToolbarIcon::New, style()));
    openAct->setIcon(toolbarIcon(ToolbarIcon::Open, style()));
    saveAct->setIcon(toolbarIcon(ToolbarIcon::Save, style()));
    cutAct->setIcon(toolbarIcon(ToolbarIcon::Cut, style()));
    copyAct->setIcon(toolbarIcon(ToolbarIcon::Copy, style()));
    pasteAct->setIcon(toolbarIcon(ToolbarIcon::Paste, style()));
    printAct->setIcon(toolbarIcon(ToolbarIcon::Print, style()));
    aboutAct->setIcon(toolbarIcon(ToolbarIcon::About, style()));
    toolBar_->addAction(newAct);
    toolBar_->addAction(openAct);
    toolBar_->addAction(saveAct);
    toolBar_->addSeparator();
    toolBar_->addAction(cutAct);
    toolBar_->addAction(copyAct);
    toolBar_->addAction(pasteAct);
    toolBar_->addSeparator();
    toolBar_->addAction(printAct);
    toolBar_->addAction(aboutAct);
    toolBar_->addSeparator();
    toolBar_->addAction(gameAct);
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    folderLabel_ = new ElidingLabel(40, this);
    folderLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    folderLabel_->setToolTip(texts::workingFolderTip());
    bar->addPermanentWidget(folderLabel_);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        const QString lockText = tr(kLockTexts[i]);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(lockText) + 12);
        label->setProperty("lockText", lockText);
        bar->addPermanentWidget(label);
        lockLabels_[i] = label;
    }
    // With no prompt to show, the message area says the editor is ready.
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
        if (message.isEmpty()) bar->showMessage(idleText());
    });
    bar->showMessage(idleText());
    connect(&lockTimer_, &QTimer::timeout, this, &CMainFrame::updateLockIndicators);
    lockTimer_.start(250);
    updateLockIndicators();
}

void CMainFrame::createDocks(QMenu* viewMenu) {
    // Docked beside the view, floated, or closed and brought back from the View menu; each named, so
    // that the layout can be stored and restored.
    auto makeDock = [this, viewMenu](const QString& title, const char* name) {
        auto* dock = new QDockWidget(title, this);
        dock->setObjectName(QLatin1String(name));
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                          QDockWidget::DockWidgetFloatable);
        addDockWidget(Qt::RightDockWidgetArea, dock);
        // Empty until the view's first frame makes the tool windows.
        dock->hide();
        dock->toggleViewAction()->setEnabled(false);
        viewMenu->addAction(dock->toggleViewAction());
        return dock;
    };
    partDock_ = makeDock(texts::partDockTitle(), "partDock");
    modeDock_ = makeDock(texts::modeDockTitle(), "modeDock");
    connect(view_, &CrigbenchView::toolWindowsCreated, this, &CMainFrame::dockToolWindows);
}

void CMainFrame::dockToolWindows() {
    CPartDlg* parts = view_->partDialog();
    CModeDlg* modes = view_->modeDialog();
    partDock_->setWidget(parts);
    modeDock_->setWidget(modes);
    parts->show();
    modes->show();
    connect(parts, &CPartDlg::told, this, &CMainFrame::tell);
    for (QDockWidget* dock : {partDock_, modeDock_}) {
        dock->show();
        dock->toggleViewAction()->setEnabled(true);
    }
    window_layout::restoreState(*this);
}

void CMainFrame::tell(const QString& message) {
    statusBar()->showMessage(message);
}

void CMainFrame::updateLockIndicators() {
    const LockState state = readLockState();
    const bool on[3] = {state.caps, state.num, state.scroll};
    for (int i = 0; i < 3; ++i) {
        const QString text =
            state.known && on[i] ? lockLabels_[i]->property("lockText").toString() : QString();
        if (lockLabels_[i]->text() != text) lockLabels_[i]->setText(text);
    }
}

void CMainFrame::updateTitle() {
    const std::string& path = document_.pathName();
    const QString name = path.empty() ? untitledName() : QFileInfo(QString::fromStdString(path)).fileName();
    setWindowTitle(name + QStringLiteral("[*] - ") + kAppTitle);
    setWindowModified(document_.isModified());
    if (folderLabel_) folderLabel_->setText(texts::workingFolder(QDir::currentPath()));
}

namespace {

QString stepName(EditStep step) {
    switch (step) {
        case EditStep::Move:
            return texts::stepMove();
        case EditStep::LeavePose:
            return texts::stepLeavePose();
        case EditStep::AppendPart:
            return texts::stepAppendPart();
        case EditStep::DeletePart:
            return texts::stepDeletePart();
        case EditStep::ReorderParts:
            return texts::stepReorderParts();
        case EditStep::MakeLink:
            return texts::stepMakeLink();
        case EditStep::DeleteLink:
            return texts::stepDeleteLink();
        case EditStep::LoadPose:
            return texts::stepLoadPose();
        case EditStep::RewritePaths:
            return texts::stepRewritePaths();
    }
    return QString();
}

}  // namespace

void CMainFrame::updateUndoActions() {
    // With a step to take, the prompt and tooltip name it; without, they are the menu's own.
    QAction* undoAct = action(ID_EDIT_UNDO);
    QAction* redoAct = action(ID_EDIT_REDO);
    if (!undoAct || !redoAct) return;
    undoAct->setEnabled(document_.canUndo());
    redoAct->setEnabled(document_.canRedo());
    const QString undoTip = document_.canUndo() ? texts::undoStepTip(stepName(document_.undoStep()))
                                                : undoAct->property("idleStatusTip").toString();
    const QString redoTip = document_.canRedo() ? texts::redoStepTip(stepName(document_.redoStep()))
                                                : redoAct->property("idleStatusTip").toString();
    undoAct->setStatusTip(undoTip);
    undoAct->setToolTip(document_.canUndo() ? undoTip : undoAct->property("idleToolTip").toString());
    redoAct->setStatusTip(redoTip);
    redoAct->setToolTip(document_.canRedo() ? redoTip : redoAct->property("idleToolTip").toString());
}

void CMainFrame::restoreSelection(int row) {
    CPartDlg* parts = view_->partDialog();
    if (!parts) return;
    const int count = parts->partList->count();
    if (row >= 0 && count > 0) parts->partList->setCurrentRow(std::min(row, count - 1));
}

bool CMainFrame::undo() {
    if (view_->mouseHeld()) return false;
    const int row = view_->selectedPart();
    if (!document_.undo()) return false;
    view_->forgetPicks();
    restoreSelection(row);
    return true;
}

bool CMainFrame::redo() {
    if (view_->mouseHeld()) return false;
    const int row = view_->selectedPart();
    if (!document_.redo()) return false;
    view_->forgetPicks();
    restoreSelection(row);
    return true;
}

bool CMainFrame::confirmDiscard() {
    if (!document_.isModified()) return true;
    const std::string& path = document_.pathName();
    const QString name = path.empty() ? untitledName() : QFileInfo(QString::fromStdString(path)).fileName();
    const auto answer = QMessageBox::question(this, kAppTitle, tr("%1 への変更を保存しますか?").arg(name),
                                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                              QMessageBox::Save);
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::Save) return saveDocument();
    return true;
}

bool CMainFrame::newDocument() {
    if (!confirmDiscard()) return false;
    document_.OnNewDocument();
    updateTitle();
    updateUndoActions();
    view_->update();
    return true;
}

void CMainFrame::openFromUser() {
    if (!confirmDiscard()) return;
    const QString path = chooseModelFile
                             ? chooseModelFile(false)
                             : QFileDialog::getOpenFileName(this, QString(), QString(), modelFilter());
    if (path.isEmpty()) return;
    openDocument(path);
}

bool CMainFrame::openDocument(const QString& path) {
    if (!document_.OnOpenDocument(path.toStdString())) {
        QMessageBox::warning(
            this, kAppTitle,
            document_.notAModel()
                ? texts::notAModel(path)
                : tr("%1\nを開けません。\n%2")
                      .arg(QDir::toNativeSeparators(path), QString::fromStdString(document_.errorString())));
        return false;
    }
    rememberRecentFile(QString::fromStdString(document_.pathName()));
    updateTitle();
    updateUndoActions();
    view_->update();
    if (!document_.missingParts().empty()) {
        QStringList missing;
        for (const std::string& part : document_.missingParts()) missing << QString::fromStdString(part);
        QMessageBox::warning(this, kAppTitle, texts::missingParts(path, missing));
    }
    tell(texts::modelOpened(QString::fromStdString(document_.pathName()),
                            static_cast<int>(document_.model.parts.size()),
                            static_cast<int>(document_.model.links.size())));
    rebuildPoseMenu();
    loadPoseBeside();
    return true;
}

QStringList CMainFrame::posesBeside() const {
    // The working folder is the model's own once a model is opened or saved.
    return QDir::current().entryList({QStringLiteral("*.pose")}, QDir::Files, QDir::Name);
}

void CMainFrame::loadPoseBeside() {
    // The game's first pose of a puppet is normal.pose: the puppet opens standing, not piled on the origin.
    const QStringList poses = posesBeside();
    if (poses.isEmpty() || document_.model.parts.empty()) return;
    const QString pose =
        poses.contains(QStringLiteral("normal.pose")) ? QStringLiteral("normal.pose") : poses.first();
    const std::size_t length = CrigbenchDoc::poseLength(pose.toStdString());
    const std::size_t parts = document_.model.parts.size();
    if (length != parts * 16) {
        statusBar()->showMessage(
            texts::poseForOtherPartCount(pose, static_cast<int>(length), static_cast<int>(parts))
                .replace(QLatin1Char('\n'), QLatin1Char(' ')));
        return;
    }
    document_.loadPose(pose.toStdString());
    document_.clearHistory();  // part of opening, not an edit to undo
    // Settled at once, as the timer would over a minute.
    for (int pass = 0; pass < kOpenPosePasses; ++pass) {
        document_.model.relax();
        document_.pullToPose();
    }
    updateUndoActions();
    view_->update();
    // After what opening said: both, on one line.
    statusBar()->showMessage(statusBar()->currentMessage() + QStringLiteral(" — ") +
                             texts::poseLoaded(QDir::current().absoluteFilePath(pose)));
}

bool CMainFrame::saveDocument() {
    if (document_.pathName().empty()) return saveDocumentAs();
    return saveDocumentTo(QString::fromStdString(document_.pathName()));
}

bool CMainFrame::saveDocumentAs() {
    if (chooseModelFile) {
        const QString path = chooseModelFile(true);
        return !path.isEmpty() && saveDocumentTo(path);
    }
    QFileDialog dialog(this, QString(), QString(), modelFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("model"));
    if (!document_.pathName().empty()) dialog.selectFile(QString::fromStdString(document_.pathName()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    return saveDocumentTo(dialog.selectedFiles().constFirst());
}

bool CMainFrame::saveDocumentTo(const QString& path) {
    // Part paths resolve from the working folder; saved into another folder, the model keeps reaching
    // its parts only when the paths are rewritten or the parts come along.
    const QDir working = QDir::current();
    const QDir target = QFileInfo(path).absoluteDir();
    std::vector<std::string> oldPaths;
    for (const EditPart& part : document_.model.parts) oldPaths.push_back(part.path);
    const bool moving = !oldPaths.empty() && !sameFile(working.path(), target.path());
    const EditState before = document_.editState();
    if (moving && !carryPartsTo(working, target)) return false;

    if (!document_.OnSaveDocument(path.toStdString())) {
        for (std::size_t i = 0; i < oldPaths.size(); ++i) document_.model.parts[i].path = oldPaths[i];
        if (moving && document_.partsReplaced) document_.partsReplaced();
        QMessageBox::warning(
            this, kAppTitle,
            tr("%1\nを保存できません。\n%2")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(document_.errorString())));
        return false;
    }
    // The working folder follows the saved model.
    setProgramFolder(target.absolutePath().toStdString());
    rebuildPoseMenu();
    bool rewritten = false;
    for (std::size_t i = 0; i < oldPaths.size(); ++i)
        rewritten |= document_.model.parts[i].path != oldPaths[i];
    if (rewritten) {
        document_.recordUndo(before, EditStep::RewritePaths);
        updateUndoActions();
    }
    rememberRecentFile(QString::fromStdString(document_.pathName()));
    updateTitle();
    view_->update();
    tell(texts::modelSaved(QFileInfo(path).absoluteFilePath()));
    return true;
}

bool CMainFrame::carryPartsTo(const QDir& from, const QDir& to) {
    QMessageBox box(
        QMessageBox::Question, kAppTitle,
        texts::saveIntoOtherFolder(to.absolutePath(), static_cast<int>(document_.model.parts.size())),
        QMessageBox::Yes | QMessageBox::Save | QMessageBox::Cancel, this);
    box.button(QMessageBox::Yes)->setText(texts::rewritePathsButton());
    box.button(QMessageBox::Save)->setText(texts::copyPartsButton());
    box.setDefaultButton(QMessageBox::Yes);
    const int answer = box.exec();
    if (answer != QMessageBox::Yes && answer != QMessageBox::Save) return false;
    for (EditPart& part : document_.model.parts) {
        const QString source = resolveGamePath(from, QString::fromStdString(part.path));
        QString newPath = gamePathFrom(to, source);
        // Copied, a part keeps the path it had when that stays inside the new folder, else goes beside.
        const QString kept = QString::fromStdString(part.path);
        const bool inside = !kept.contains(QStringLiteral("..")) && !QFileInfo(kept).isAbsolute();
        // A part file that is not there cannot be copied: its path is rewritten all the same.
        if (answer == QMessageBox::Save && QFileInfo(source).isFile()) {
            QString error;
            newPath = copyPartWithPicture(source, to, inside ? kept : QFileInfo(source).fileName(), error);
            if (newPath.isEmpty()) {
                QMessageBox::warning(this, kAppTitle, texts::copyFailed(source, error));
                return false;
            }
        }
        part.path = newPath.toStdString();
    }
    if (document_.partsReplaced) document_.partsReplaced();
    return true;
}

void CMainFrame::rememberRecentFile(const QString& path) {
    recentFiles_.removeAll(path);
    recentFiles_.prepend(path);
    storeRecentFiles();
}

void CMainFrame::forgetRecentFile(const QString& path) {
    recentFiles_.removeAll(path);
    storeRecentFiles();
}

void CMainFrame::storeRecentFiles() {
    while (recentFiles_.size() > kRecentFileCount) recentFiles_.removeLast();
    QSettings settings(settingsOrganization(), kAppTitle);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = kRecentSection + QStringLiteral("/File%1").arg(i);
        if (i <= recentFiles_.size()) {
            settings.setValue(key, recentFiles_[i - 1]);
        } else {
            settings.remove(key);
        }
    }
    rebuildRecentMenu();
}

void CMainFrame::rebuildRecentMenu() {
    for (QAction* old : recentActions_) {
        fileMenu_->removeAction(old);
        old->deleteLater();
    }
    recentActions_.clear();
    recentAnchor_->setVisible(recentFiles_.isEmpty());
    for (int i = 0; i < recentFiles_.size(); ++i) {
        const QString path = recentFiles_[i];
        auto* act =
            new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), this);
        act->setStatusTip(recentAnchor_->statusTip());
        connect(act, &QAction::triggered, this, [this, path] {
            // An entry that no longer opens as a model leaves the list.
            if (confirmDiscard() && !openDocument(path)) forgetRecentFile(path);
        });
        fileMenu_->insertAction(recentAnchor_, act);
        recentActions_.append(act);
    }
}

void CMainFrame::rebuildPoseMenu() {
    poseMenu_->clear();
    const QStringList poses = posesBeside();
    if (poses.isEmpty()) poseMenu_->addAction(texts::noPosesBeside())->setEnabled(false);
    for (const QString& pose : poses) {
        const QString path = QDir::current().absoluteFilePath(pose);
        connect(poseMenu_->addAction(pose), &QAction::triggered, this, [this, path] {
            if (CPartDlg* parts = view_->partDialog()) parts->loadPose(path);
        });
    }
}

void CMainFrame::showAbout() {
    QMessageBox::about(this, tr("バージョン情報 rigbench"),
                       tr("<b>rigbench</b> バージョン %1<br>パペットを組み立ててポーズを付けるエディタ")
                           .arg(QStringLiteral(RIGBENCH_VERSION)));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (confirmDiscard()) {
        // Stored while the docks still show as the modder left them.
        window_layout::save(*this);
        // The tool windows go with the main window, so that closing it ends the program.
        if (view_->partDialog()) view_->partDialog()->hide();
        if (view_->modeDialog()) view_->modeDialog()->hide();
        event->accept();
    } else {
        event->ignore();
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        event->acceptProposedAction();
        // Opened after the drop has finished, so that a question or an error box does not block it.
        const QString path = url.toLocalFile();
        QTimer::singleShot(0, this, [this, path] {
            if (confirmDiscard()) openDocument(path);
        });
        return;
    }
}
