#pragma once
// The editor's own messages beyond the menus: Japanese source texts, each through
// QCoreApplication::translate in the "rigbench" context, so that one translation file can give them
// in another language. Gathered here so that they are found and translated together.

#include <QString>
#include <QStringList>

namespace texts {

QString notAModel(const QString& file);
QString missingParts(const QString& model, const QStringList& parts);
QString workingFolder(const QString& folder);
QString workingFolderTip();

// Append, when the prefix and the picked file's name name another file, or none.
QString appendResolvesElsewhere(const QString& picked, const QString& stored, bool storedExists);
QString storePathButton();
QString copyBesideButton();
QString copyFailed(const QString& file, const QString& reason);

// Save As into a folder where the part paths would not reach the parts.
QString saveIntoOtherFolder(const QString& folder, int partCount);
QString rewritePathsButton();
QString copyPartsButton();

QString poseMenu();
QString noPosesBeside();
QString poseLoaded(const QString& pose);
QString poseForOtherPartCount(const QString& pose, int valueCount, int partCount);

// The tool windows' own titles, and the label of the part list's folder prefix.
QString partDockTitle();
QString modeDockTitle();
QString folderPrefixLabel();

// What the status bar says after a command.
QString modelOpened(const QString& path, int partCount, int linkCount);
QString modelSaved(const QString& path);
QString partAppended(const QString& path);
QString linkMade(int partA, const QString& pathA, int jointA, int partB, const QString& pathB, int jointB);
QString poseSaved(const QString& path);

// Edit > Undo and Redo name the step they would take.
QString undoStepTip(const QString& step);
QString redoStepTip(const QString& step);
QString stepMove();
QString stepLeavePose();
QString stepAppendPart();
QString stepDeletePart();
QString stepReorderParts();
QString stepMakeLink();
QString stepDeleteLink();
QString stepLoadPose();
QString stepRewritePaths();

// "Try it in the game": what the numbers after the puppet's state are.
QString previewPosed();
QString previewLimp();
QString previewNumbersLabel();

}  // namespace texts
