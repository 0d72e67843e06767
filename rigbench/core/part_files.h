#pragma once
// Part files on disk as a model reaches them: paths relative to a folder, written with backslashes as
// the game reads them, and copies of a part with its picture that never overwrite another file.

#include <QDir>
#include <QString>

// The game path (backslashes) by which `from` reaches `file`.
QString gamePathFrom(const QDir& from, const QString& file);
// The file a game path names, relative to a folder.
QString resolveGamePath(const QDir& folder, const QString& gamePath);
// True when both name one existing file.
bool sameFile(const QString& a, const QString& b);

// Copies the part file `source` and the picture it names into `into`, the part as `wanted` (a game
// path relative to `into`) and the picture at the same path relative to the copy as it has beside the
// original. A file already there is kept when it holds the same bytes; when it holds others, the copy
// takes a free name (name_2.part, name_3.part, ...) and the copied part names its picture's new name.
// Returns the game path of the copied part relative to `into`, empty on failure with `error` set.
QString copyPartWithPicture(const QString& source, const QDir& into, const QString& wanted, QString& error);
