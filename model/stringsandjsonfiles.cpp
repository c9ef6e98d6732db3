#include "model/stringsandjsonfiles.h"

#include "model/savefile.h"
#include "model/translationmodel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool loadFileToEdit(
    const QString &path, bool *exists, const std::function<QString(const QByteArray &)> &parse)
{
    *exists = QFile::exists(path);
    if (!*exists)
        return true;
    QFile current(path);
    if (!current.open(QIODevice::ReadOnly)) {
        qCCritical(lcModel) << "Failed to open file for writing:" << path << current.errorString();
        return false;
    }
    const QString error = parse(current.readAll());
    if (!error.isEmpty()) {
        // Rewriting a file we cannot fully read would lose whatever we did not understand.
        qCCritical(lcModel).noquote()
            << QStringLiteral("Failed to open file for writing: %1 does not parse (%2); "
                              "left unchanged")
                   .arg(path, error);
        return false;
    }
    return true;
}

bool replaceFile(const QString &path, const QByteArray &bytes)
{
    // QSaveFile commits a file whose buffered bytes hit a full disk (or size limit) on the
    // final flush, so the write is only complete once that flush succeeded.
    const auto write = [&bytes](QIODevice &device) {
        auto *file = qobject_cast<QFileDevice *>(&device);
        return device.write(bytes) == bytes.size() && file && file->flush();
    };
    QString error;
    if (!saveFileAtomically(path, write, &error)) {
        qCCritical(lcModel) << "Failed to open file for writing:" << path << error;
        return false;
    }
    return true;
}

bool exportLanguageColumns(const TranslationModel &model, const QString &suffix,
    const std::function<bool(int, const QString &)> &write)
{
    const int count = model.columnCount();
    const QDir root(model.projectDirectory());
    bool written = false;
    bool failed = false;
    for (int column = 0; column < count; ++column) {
        const QString language = model.columnList().at(model.leadingColumnCount() + column);
        QFileInfo target(root.filePath(language + suffix));
        // Files opened one by one leave the set's directory at the first file's own language
        // directory, and an imported pt.BR gives the column pt: such a column goes back to
        // the directory its file came from.
        const QString file = model.columnFilePath(column);
        if (!target.isDir() && !file.isEmpty())
            target = QFileInfo(QFileInfo(file).absolutePath());
        if (!target.isDir()) {
            qCWarning(lcModel) << "No directory to export" << language
                               << "into:" << target.absoluteFilePath();
            continue;
        }
        written = true;
        failed = !write(column, target.absoluteFilePath()) || failed;
    }
    return written && !failed;
}
