#include "editor_texts.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("rigbench", text);
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

namespace texts {

QString notAModel(const QString& file) {
    return tr("%1\nはモデル ファイルではありません。開きませんでした。").arg(native(file));
}

QString missingParts(const QString& model, const QStringList& parts) {
    return tr("%1\nのパーツ ファイルが見つかりません:\n%2").arg(native(model), parts.join(QLatin1Char('\n')));
}

QString workingFolder(const QString& folder) {
    return tr("作業フォルダ: %1").arg(native(folder));
}

QString workingFolderTip() {
    return tr("パーツ、絵、ポーズのパスはこのフォルダから読まれます");
}

QString appendResolvesElsewhere(const QString& picked, const QString& stored, bool storedExists) {
    return (storedExists ? tr("%2\nは作業フォルダでは別のファイルを指します。\n選んだファイル: %1")
                         : tr("%2\nは作業フォルダにありません。\n選んだファイル: %1"))
               .arg(native(picked), stored) +
           tr("\n\n選んだファイルを指すパスを記録するか、絵と一緒にモデルの横にコピーしますか?");
}

QString storePathButton() {
    return tr("パスを記録");
}

QString copyBesideButton() {
    return tr("モデルの横にコピー");
}

QString copyFailed(const QString& file, const QString& reason) {
    return tr("%1\nをコピーできません。\n%2").arg(native(file), reason);
}

QString saveIntoOtherFolder(const QString& folder, int partCount) {
    return tr("%1\nに保存すると、%2 個のパーツのパスがパーツを指さなくなります。\n"
              "パスを書き換えるか、パーツと絵をそのフォルダにコピーしますか?")
        .arg(native(folder))
        .arg(partCount);
}

QString rewritePathsButton() {
    return tr("パスを書き換える");
}

QString copyPartsButton() {
    return tr("パーツをコピー");
}

QString poseMenu() {
    return tr("ポーズ(&P)");
}

QString noPosesBeside() {
    return tr("(モデルの横にポーズ ファイルはありません)");
}

QString poseLoaded(const QString& pose) {
    return tr("ポーズ %1 を読み込みました").arg(pose);
}

QString poseForOtherPartCount(const QString& pose, int valueCount, int partCount) {
    return tr("%1\nの値は %2 個で、%3 パーツ用のポーズではありません (%4 個が必要です)。")
        .arg(native(pose))
        .arg(valueCount)
        .arg(partCount)
        .arg(partCount * 16);
}

QString partDockTitle() {
    return tr("パーツとポーズ");
}

QString modeDockTitle() {
    return tr("編集モード");
}

QString folderPrefixLabel() {
    return tr("フォルダ接頭辞(&D):");
}

QString modelOpened(const QString& path, int partCount, int linkCount) {
    return tr("モデルを開きました: %1 (パーツ %2 個、リンク %3 本)")
        .arg(native(path))
        .arg(partCount)
        .arg(linkCount);
}

QString modelSaved(const QString& path) {
    return tr("保存しました: %1").arg(native(path));
}

QString partAppended(const QString& path) {
    return tr("パーツを追加しました: %1").arg(path);
}

QString linkMade(int partA, const QString& pathA, int jointA, int partB, const QString& pathB, int jointB) {
    return tr("リンクを作成しました: パーツ %1 (%2) の関節 %3 と パーツ %4 (%5) の関節 %6")
        .arg(partA)
        .arg(pathA)
        .arg(jointA)
        .arg(partB)
        .arg(pathB)
        .arg(jointB);
}

QString poseSaved(const QString& path) {
    return tr("ポーズを保存しました: %1").arg(native(path));
}

QString undoStepTip(const QString& step) {
    return tr("元に戻す: %1").arg(step);
}

QString redoStepTip(const QString& step) {
    return tr("やり直し: %1").arg(step);
}

QString stepMove() {
    return tr("移動");
}

QString stepLeavePose() {
    return tr("ポーズの解除");
}

QString stepAppendPart() {
    return tr("パーツの追加");
}

QString stepDeletePart() {
    return tr("パーツの削除");
}

QString stepReorderParts() {
    return tr("パーツの並べ替え");
}

QString stepMakeLink() {
    return tr("リンク作成");
}

QString stepDeleteLink() {
    return tr("リンクの削除");
}

QString stepLoadPose() {
    return tr("ポーズの読み込み");
}

QString stepRewritePaths() {
    return tr("パーツのパスの書き換え");
}

QString previewPosed() {
    return tr("ポーズ");
}

QString previewLimp() {
    return tr("脱力");
}

QString previewNumbersLabel() {
    return tr("エディタでの位置からのずれ (パーツ番号: 角の最大距離)");
}

}  // namespace texts
