#include "model/savefile.h"

#include <QSaveFile>

bool saveFileAtomically(
    const QString &path, const std::function<bool(QIODevice &)> &write, QString *errorString)
{
    QSaveFile file(path);
    // Unbuffered, a failed write reports its own reason (a full disk, say) at once.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    // QSaveFile::commit() closes the file without checking the last flush: on a full disk
    // it would replace the original by a truncated copy. Flush first and give up on failure.
    if (!write(file) || !file.flush() || file.error() != QFileDevice::NoError) {
        if (errorString)
            *errorString = file.error() != QFileDevice::NoError ? file.errorString()
                                                                : QStringLiteral("write abandoned");
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    return true;
}

bool writeAll(QIODevice &device, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 chunk = device.write(bytes.constData() + written, bytes.size() - written);
        if (chunk <= 0)
            return false;
        written += chunk;
    }
    return true;
}
