#include "model/savefile.h"

#include <QSaveFile>

bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *errorString)
{
    QSaveFile file(path);
    // Unbuffered, every write reaches the file at once, and the one that fails reports its own
    // reason; there is no buffer left to flush, which QSaveFile::commit() would not check.
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    // A short write is retried, so that the one that fails sets the reason.
    for (qint64 done = 0; written && done < bytes.size();) {
        const qint64 chunk = file.write(bytes.constData() + done, bytes.size() - done);
        written = chunk > 0;
        done += chunk;
    }
    if (written && file.commit())
        return true;
    *errorString = file.errorString();
    file.cancelWriting();
    return false;
}
