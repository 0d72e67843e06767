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

}  // namespace texts
