#include "model/fileerror.h"

#include "model/translationmodel.h"

#include <QDir>

void FileErrors::add(const QString &file, int line, const QString &reason)
{
    if (line > 0)
        qCWarning(lcModel).noquote() << QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(reason);
    else
        qCWarning(lcModel).noquote() << QStringLiteral("%1: %2").arg(file, reason);
    errors.append(FileError { file, line, reason });
}

QString FileErrors::summary(const QList<FileError> &errors, int limit)
{
    QStringList lines;
    for (const FileError &error : errors.mid(0, limit)) {
        QString where = QDir::toNativeSeparators(error.file);
        if (error.line > 0)
            where += QLatin1Char(':') + QString::number(error.line);
        lines.append(where + QLatin1String(": ") + error.reason);
    }
    if (errors.size() > limit)
        lines.append(tr("…and %n more.", nullptr, int(errors.size()) - limit));
    return lines.join(QLatin1Char('\n'));
}
