#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class TranslationModel;

// What the .strings and JSON formats share: one directory per language, and writers that
// edit the files found there in place.

// Reads a file a writer is about to edit and hands its bytes to `parse`, which answers an
// error text when the content cannot be edited safely. A missing file is fine (`exists`
// becomes false); one that cannot be read or parsed gives false and a logged reason.
bool loadFileToEdit(
    const QString &path, bool *exists, const std::function<QString(const QByteArray &)> &parse);

// Replaces `path` by `bytes` through a temporary file; false and a logged reason when the
// write did not complete, in which case the file is unchanged.
bool replaceFile(const QString &path, const QByteArray &bytes);

// Writes every language column with `write` into <set directory>/<language><suffix>, or,
// when there is no such directory, into the directory the column's file came from. True
// when some column had a directory and every write succeeded.
bool exportLanguageColumns(const TranslationModel &model, const QString &suffix,
    const std::function<bool(int column, const QString &directory)> &write);
