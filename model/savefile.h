#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes `path` through a temporary file that replaces it only when `write` succeeded and
// every byte reached the disk, so a failed write never truncates or empties the original.
// `write` returns false to abandon the file. On failure `errorString` says why.
bool saveFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
    QString *errorString = nullptr);

// Writes all of `bytes` to `device`; a short write is retried, so that the one that fails
// sets the device's error with its reason (a full disk, a file size limit).
bool writeAll(QIODevice &device, const QByteArray &bytes);
