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

}  // namespace texts
