#pragma once

#include <QByteArray>
#include <QString>

// Replaces `path` by `bytes` through a temporary file that takes its place only when every
// byte was written, so a failed write (a full disk, a file size limit) never truncates or
// empties the original. On failure `errorString` says why.
bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *errorString);
