#include "model/stringsandjsonfiles.h"

#include "model/savefile.h"
#include "model/translationmodel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    if (!saveFileAtomically(
            path, [&bytes](QIODevice &device) { return writeAll(device, bytes); }, &error)) {
        errors.add(path, FileErrors::cannotWrite(error));
        return false;
    }
    return true;
}

bool exportLanguageColumns(const TranslationModel &model, const QString &suffix,
    const std::function<bool(int, const QString &)> &write, FileErrors &errors)
{
    const int count = model.columnCount();
    const QDir root(model.projectDirectory());
    bool written = false;
    bool failed = false;
    for (int column = 0; column < count; ++column) {
        const QString language = model.columnList().at(model.leadingColumnCount() + column);
        // Each column goes back to the folder it was read from, so that folders whose names
        // give one language code never take each other's texts.
        QFileInfo target(model.columnFolder(column));
        if (!target.isDir())
            target = QFileInfo(root.filePath(language + suffix));
        if (!target.isDir()) {
            errors.add(target.absoluteFilePath(),
                TranslationModel::tr("Not written: there is no folder for the language %1.")
                    .arg(language));
            continue;
        }
        written = true;
        failed = !write(column, target.absoluteFilePath()) || failed;
    }
    return written && !failed;
}
