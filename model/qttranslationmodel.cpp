#include "model/qttranslationmodel.h"

#include "model/tsfile.h"

#include <QDir>
#include <QFileInfo>

QtTranslationModel::QtTranslationModel(QObject *parent)
    : TranslationModel(parent, { tr("Original Text"), tr("Group") })
{
}

void QtTranslationModel::readFiles(const QStringList &files, const QString &directory)
{
    beginLoad();
    QStringList languages;
    for (const QString &path : files) {
        languages.append(tsFileLanguage(path));
        if (!languages.last().isEmpty())
            addLanguage(languages.last());
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString &path = files.at(i);
        const QString &language = languages.at(i);
        if (language.isEmpty()) {
            fileErrors().add(path,
                tr("The file name does not end in a language code, such as "
                   "app_de.ts or app_pt_BR.ts."));
            continue;
        }
        TsFile file;
        file.read(path, fileErrors());
        reserveRows(int(file.messages().size()));
        for (const TsMessage &message : file.messages())
            addTranslation(message.group, language, message.source, message.text, message.finished,
                message.notes);
        setLanguageFile(language, path);
    }
    endLoad(directory);
}

bool QtTranslationModel::openFiles(const QStringList &files)
{
    if (files.isEmpty())
        return false;
    readFiles(files, QFileInfo(files.first()).absoluteDir().absolutePath());
    return true;
}

bool QtTranslationModel::importFromDirectory(const QString &directory)
{
    const QDir dir(directory);
    QStringList files;
    const QStringList names = dir.entryList({ QStringLiteral("*.ts") }, QDir::Files, QDir::Name);
    for (const QString &name : names)
        files.append(dir.absoluteFilePath(name));
    readFiles(files, directory);
    return true;
}

bool QtTranslationModel::writeColumnToFile(int column, const QString &path)
{
    // What the cell showed when the set was read or last exported. Files of one language can
    // hold other texts for a message than the table shows; only an edit replaces them all, and
    // a language without edits needs no write at all.
    const auto read = [this, column](int row) {
        const Translation *entry = writtenEntry(row, column);
        return entry ? *entry : Translation { {}, -1, false };
    };
    bool changed = false;
    columnWalk(column, [&read, &changed](const CellItem &item) {
        const Translation before = read(item.row);
        changed = changed || item.text != before.text || item.finished != before.finished;
    });
    if (!changed)
        return true;

    TsFile file;
    if (!file.read(path, fileErrors())) {
        fileErrors().add(path, FileErrors::notWrittenUnreadable());
        return false;
    }
    // The first message of a (context, comment, source) wins, as it does when reading.
    QHash<QString, int> messageIndex;
    const QList<TsMessage> &messages = file.messages();
    messageIndex.reserve(messages.size());
    const auto key = [](const QString &group, const QString &context, const QString &source) {
        return group + QChar(0) + context + QChar(0) + source;
    };
    for (int i = int(messages.size()) - 1; i >= 0; --i) {
        const TsMessage &message = messages.at(i);
        messageIndex.insert(key(message.group, message.notes.context, message.source), i);
    }
    columnWalk(column, [&](const CellItem &item) {
        const auto found = messageIndex.constFind(key(item.group, item.context, item.id));
        const Translation before = read(item.row);
        if (found != messageIndex.cend())
            file.update(found.value(), item.text, item.finished, item.text != before.text,
                item.finished != before.finished);
    });
    return file.save(fileErrors());
}

bool QtTranslationModel::exportToDirectory()
{
    fileErrors().clear();
    const QDir dir(projectDirectory());
    bool found = false;
    const bool written = writeEachLanguage([this, &dir, &found](int column) {
        const QString language = languageCode(column);
        const QStringList names =
            dir.entryList({ QStringLiteral("*_%1.ts").arg(language) }, QDir::Files);
        // A column with no file to go to is not exported, and the set keeps its changes.
        bool ok = !names.isEmpty();
        if (!ok)
            fileErrors().add(projectDirectory(),
                tr("No file of the language %1 (named like app_%1.ts) is "
                   "in this folder.")
                    .arg(language));
        for (const QString &name : names) {
            found = true;
            ok = writeColumnToFile(column, dir.absoluteFilePath(name)) && ok;
        }
        if (ok)
            markColumnWritten(column);
        return ok;
    });
    return found && written;
}

bool QtTranslationModel::saveColumn(int column)
{
    fileErrors().clear();
    const QString path = columnFilePath(column);
    if (path.isEmpty())
        return false;
    if (!writeColumnToFile(column, path))
        return false;
    // Other files of the language still hold what they held.
    const QString language = languageCode(column);
    int files = 0;
    for (int other = 0; other < columnCount(); ++other)
        files += languageCode(other) == language ? 1 : 0;
    if (files == 1)
        markColumnWritten(column);
    return true;
}
