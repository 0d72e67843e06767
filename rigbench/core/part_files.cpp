#include "part_files.h"

#include "datatree/data_file.h"
#include "datatree/host_path.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

QString toGame(QString path) {
    return path.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A path in `into` for `wanted` (relative) where `bytes` can go: the wanted one when it is free or
// already holds those bytes, else the first free name_N variant. `exists` tells whether it is there.
QString placeFor(const QDir& into, const QString& wanted, const QByteArray& bytes, bool& exists) {
    const QFileInfo info(into.absoluteFilePath(wanted));
    for (int n = 1;; ++n) {
        const QString name =
            n == 1 ? info.fileName()
                   : QStringLiteral("%1_%2.%3").arg(info.completeBaseName()).arg(n).arg(info.suffix());
        const QString path = info.dir().filePath(name);
        if (!QFileInfo::exists(path)) {
            exists = false;
            return path;
        }
        if (contents(path) == bytes) {
            exists = true;
            return path;
        }
    }
}

bool writeBytes(const QString& path, const QByteArray& bytes, QString& error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = QCoreApplication::translate("rigbench", "フォルダを作れません: %1")
                    .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::NewOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace

QString gamePathFrom(const QDir& from, const QString& file) {
    return toGame(from.relativeFilePath(QFileInfo(file).absoluteFilePath()));
}

QString resolveGamePath(const QDir& folder, const QString& gamePath) {
    return QDir::cleanPath(folder.absoluteFilePath(QString::fromStdString(hostPath(gamePath.toStdString()))));
}

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a), fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

QString copyPartWithPicture(const QString& source, const QDir& into, const QString& wanted, QString& error) {
    QByteArray partBytes = contents(source);
    if (!QFileInfo(source).isFile()) {
        error = QCoreApplication::translate("rigbench", "%1 が見つかりません")
                    .arg(QDir::toNativeSeparators(source));
        return QString();
    }
    DataRef root;
    readDataString(partBytes.toStdString(), root);
    const QString texture = QString::fromStdString(root->find("texture")->text());
    const QString wantedPart = QString::fromStdString(hostPath(wanted.toStdString()));

    if (!texture.isEmpty()) {
        const QString picture = resolveGamePath(QFileInfo(source).absoluteDir(), texture);
        if (QFileInfo(picture).isFile()) {
            const QByteArray pictureBytes = contents(picture);
            const QDir partFolder = QFileInfo(into.absoluteFilePath(wantedPart)).absoluteDir();
            // The picture keeps its place relative to the part, unless that leads out of the folder.
            QString wantedPicture = QString::fromStdString(hostPath(texture.toStdString()));
            if (wantedPicture.contains(QStringLiteral("..")) || QFileInfo(wantedPicture).isAbsolute())
                wantedPicture = QFileInfo(picture).fileName();
            bool there = false;
            const QString target = placeFor(partFolder, wantedPicture, pictureBytes, there);
            if (!there && !writeBytes(target, pictureBytes, error)) return QString();
            const QString named = gamePathFrom(partFolder, target);
            if (named != texture) {
                // The picture took another name: the copied part names it so.
                root->find("texture")->setText(named.toStdString());
                partBytes = QByteArray::fromStdString(writeDataString(root));
            }
        }
    }
    bool there = false;
    const QString target = placeFor(into, wantedPart, partBytes, there);
    if (!there && !writeBytes(target, partBytes, error)) return QString();
    return gamePathFrom(into, target);
}
