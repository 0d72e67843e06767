#include "editor_texts.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

namespace texts {

QString notAModel(const QString& file) {
    return QCoreApplication::translate("rigbench", "%1\nはモデル ファイルではありません。開きませんでした。")
        .arg(native(file));
}

QString missingParts(const QString& model, const QStringList& parts) {
    return QCoreApplication::translate("rigbench", "%1\nのパーツ ファイルが見つかりません:\n%2")
        .arg(native(model), parts.join(QLatin1Char('\n')));
}

QString workingFolder(const QString& folder) {
    return QCoreApplication::translate("rigbench", "作業フォルダ: %1").arg(native(folder));
}

QString workingFolderTip() {
    return QCoreApplication::translate("rigbench", "パーツ、絵、ポーズのパスはこのフォルダから読まれます");
}

QString appendResolvesElsewhere(const QString& picked, const QString& stored, bool storedExists) {
    return (storedExists
                ? QCoreApplication::translate(
                      "rigbench", "%2\nは作業フォルダでは別のファイルを指します。\n選んだファイル: %1")
                : QCoreApplication::translate("rigbench",
                                              "%2\nは作業フォルダにありません。\n選んだファイル: %1"))
               .arg(native(picked), stored) +
           QCoreApplication::translate(
               "rigbench", "\n\n選んだファイルを指すパスを記録するか、絵と一緒にモデルの横にコピーしますか?");
}

QString storePathButton() {
    return QCoreApplication::translate("rigbench", "パスを記録");
}

QString copyBesideButton() {
    return QCoreApplication::translate("rigbench", "モデルの横にコピー");
}

QString copyFailed(const QString& file, const QString& reason) {
    return QCoreApplication::translate("rigbench", "%1\nをコピーできません。\n%2").arg(native(file), reason);
}

QString saveIntoOtherFolder(const QString& folder, int partCount) {
    return QCoreApplication::translate("rigbench",
                                       "%1\nに保存すると、%2 個のパーツのパスがパーツを指さなくなります。\n"
                                       "パスを書き換えるか、パーツと絵をそのフォルダにコピーしますか?")
        .arg(native(folder))
        .arg(partCount);
}

QString rewritePathsButton() {
    return QCoreApplication::translate("rigbench", "パスを書き換える");
}

QString copyPartsButton() {
    return QCoreApplication::translate("rigbench", "パーツをコピー");
}

QString poseMenu() {
    return QCoreApplication::translate("rigbench", "ポーズ(&P)");
}

QString noPosesBeside() {
    return QCoreApplication::translate("rigbench", "(モデルの横にポーズ ファイルはありません)");
}

QString poseLoaded(const QString& pose) {
    return QCoreApplication::translate("rigbench", "ポーズ %1 を読み込みました").arg(pose);
}

QString poseForOtherPartCount(const QString& pose, int valueCount, int partCount) {
    return QCoreApplication::translate(
               "rigbench", "%1\nの値は %2 個で、%3 パーツ用のポーズではありません (%4 個が必要です)。")
        .arg(native(pose))
        .arg(valueCount)
        .arg(partCount)
        .arg(partCount * 16);
}

QString partDockTitle() {
    return QCoreApplication::translate("rigbench", "パーツとポーズ");
}

QString modeDockTitle() {
    return QCoreApplication::translate("rigbench", "編集モード");
}

QString folderPrefixLabel() {
    return QCoreApplication::translate("rigbench", "フォルダ接頭辞(&D):");
}

QString modelOpened(const QString& path, int partCount, int linkCount) {
    return QCoreApplication::translate("rigbench", "モデルを開きました: %1 (パーツ %2 個、リンク %3 本)")
        .arg(native(path))
        .arg(partCount)
        .arg(linkCount);
}

QString modelSaved(const QString& path) {
    return QCoreApplication::translate("rigbench", "保存しました: %1").arg(native(path));
}

QString partAppended(const QString& path) {
    return QCoreApplication::translate("rigbench", "パーツを追加しました: %1").arg(path);
}

QString linkMade(int partA, const QString& pathA, int jointA, int partB, const QString& pathB, int jointB) {
    return QCoreApplication::translate(
               "rigbench", "リンクを作成しました: パーツ %1 (%2) の関節 %3 と パーツ %4 (%5) の関節 %6")
        .arg(partA)
        .arg(pathA)
        .arg(jointA)
        .arg(partB)
        .arg(pathB)
        .arg(jointB);
}

QString poseSaved(const QString& path) {
    return QCoreApplication::translate("rigbench", "ポーズを保存しました: %1").arg(native(path));
}

QString undoStepTip(const QString& step) {
    return QCoreApplication::translate("rigbench", "元に戻す: %1").arg(step);
}

QString redoStepTip(const QString& step) {
    return QCoreApplication::translate("rigbench", "やり直し: %1").arg(step);
}

QString stepMove() {
    return QCoreApplication::translate("rigbench", "移動");
}

QString stepLeavePose() {
    return QCoreApplication::translate("rigbench", "ポーズの解除");
}

QString stepAppendPart() {
    return QCoreApplication::translate("rigbench", "パーツの追加");
}

QString stepDeletePart() {
    return QCoreApplication::translate("rigbench", "パーツの削除");
}

QString stepReorderParts() {
    return QCoreApplication::translate("rigbench", "パーツの並べ替え");
}

QString stepMakeLink() {
    return QCoreApplication::translate("rigbench", "リンク作成");
}

QString stepDeleteLink() {
    return QCoreApplication::translate("rigbench", "リンクの削除");
}

QString stepLoadPose() {
    return QCoreApplication::translate("rigbench", "ポーズの読み込み");
}

QString stepRewritePaths() {
    return QCoreApplication::translate("rigbench", "パーツのパスの書き換え");
}

QString previewPosed() {
    return QCoreApplication::translate("rigbench", "ポーズ");
}

QString previewLimp() {
    return QCoreApplication::translate("rigbench", "脱力");
}

QString previewNumbersLabel() {
    return QCoreApplication::translate("rigbench", "エディタでの位置からのずれ (パーツ番号: 角の最大距離)");
}

}  // namespace texts
