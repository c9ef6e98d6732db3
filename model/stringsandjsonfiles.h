#pragma once

#include "model/fileerror.h"

#include <QByteArray>
#include <QString>

#include <functional>

// What the .strings and JSON writers share: they edit the files they find in place.

// Reads a file a writer is about to edit and hands its bytes to `parse`, which answers a
// problem (with a line where known) when the content cannot be edited safely. A missing file
// is fine (`exists` becomes false); one that cannot be read or parsed gives false, with the
// reason in `errors`.
bool loadFileToEdit(const QString &path, bool *exists,
    const std::function<FileError(const QByteArray &)> &parse, FileErrors &errors);

// Replaces `path` by `bytes` through a temporary file; false, with the reason in `errors`,
// when the write did not complete, in which case the file is unchanged.
bool replaceFile(const QString &path, const QByteArray &bytes, FileErrors &errors);
