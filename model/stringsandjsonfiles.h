#pragma once

#include "model/fileerror.h"

#include <QByteArray>
#include <QString>

#include <functional>

class TranslationModel;

// What the .strings and JSON formats share: one directory per language, and writers that
// edit the files found there in place.

// Reads a file a writer is about to edit and hands its bytes to `parse`, which answers a
// problem (with a line where known) when the content cannot be edited safely. A missing file
// is fine (`exists` becomes false); one that cannot be read or parsed gives false, with the
// reason in `errors`.
bool loadFileToEdit(const QString &path, bool *exists,
    const std::function<FileError(const QByteArray &)> &parse, FileErrors &errors);

// Replaces `path` by `bytes` through a temporary file; false, with the reason in `errors`,
// when the write did not complete, in which case the file is unchanged.
bool replaceFile(const QString &path, const QByteArray &bytes, FileErrors &errors);

// Writes every language column with `write` into the folder the column was read from, or,
// when it has none, into <set directory>/<language><suffix>. True when some column had a
// folder and every write succeeded.
bool exportLanguageColumns(const TranslationModel &model, const QString &suffix,
    const std::function<bool(int column, const QString &directory)> &write, FileErrors &errors);
