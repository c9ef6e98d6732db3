#include "model/stringsandjsonfiles.h"

#include "model/savefile.h"

#include <QFile>

bool loadFileToEdit(const QString &path, bool *exists,
    const std::function<FileError(const QByteArray &)> &parse, FileErrors &errors)
{
    *exists = QFile::exists(path);
    if (!*exists)
        return true;
    QFile current(path);
    if (!current.open(QIODevice::ReadOnly)) {
        errors.add(path, FileErrors::cannotRead(current.errorString()));
        return false;
    }
    const FileError problem = parse(current.readAll());
    if (!problem.reason.isEmpty()) {
        // Rewriting a file we cannot fully read would lose whatever we did not understand.
        errors.add(path, problem.line,
            FileErrors::notWrittenUnreadable() + QLatin1Char(' ') + problem.reason);
        return false;
    }
    return true;
}

bool replaceFile(const QString &path, const QByteArray &bytes, FileErrors &errors)
{
    QString error;
    if (!saveFileAtomically(path, bytes, &error)) {
        errors.add(path, FileErrors::cannotWrite(error));
        return false;
    }
    return true;
}
