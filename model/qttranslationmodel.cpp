#include "model/qttranslationmodel.h"

#include "model/tsfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

QtTranslationModel::QtTranslationModel(QObject *parent)
    : TranslationModel(parent)
{
    columns << tr("Original Text") << tr("Group");
}

void QtTranslationModel::readFiles(const QStringList &files)
{
    fileErrors.clear();
    columns = QStringList { tr("Original Text"), tr("Group") };
    for (const QString &path : files) {
        const QString language = tsFileLanguage(path);
        if (language.isEmpty()) {
            fileErrors.add(path,
                tr("The file name does not end in a language code, such as "
                   "app_de.ts or app_pt_BR.ts."));
            continue;
        }
        columns.append(language);
        TsFile file;
        file.read(path, fileErrors);
        for (const TsMessage &message : file.messages())
            addTranslation(message.group, language, message.source, message.text, message.finished,
                message.notes);
        languageFiles.insert(language, path);
    }
    updateMessageCount();

    for (int position = leadingColumnCount(); position < columns.size(); ++position) {
        const QString &language = columns.at(position);
        if (loaded.contains(language))
            continue;
        QList<Translation> &cells = loaded[language];
        cells.reserve(messageCount);
        for (int row = 0; row < messageCount; ++row) {
            const Translation *translation = findTranslation(row, language);
            cells.append(translation ? *translation : Translation { false, {}, {} });
        }
    }
}

bool QtTranslationModel::openFiles(const QStringList &files)
{
    if (files.isEmpty())
        return false;
    readFiles(files);
    directory = QFileInfo(files.first()).absoluteDir().absolutePath();
    loadProjectSettings();
    return true;
}

bool QtTranslationModel::importFromDirectory(const QString &directory)
{
    const QDir dir(directory);
    QStringList files;
    const QStringList names = dir.entryList({ QStringLiteral("*.ts") }, QDir::Files, QDir::Name);
    for (const QString &name : names)
        files.append(dir.absoluteFilePath(name));
    readFiles(files);
    this->directory = directory;
    loadProjectSettings();
    return true;
}

bool QtTranslationModel::writeColumnToFile(int column, const QString &path)
{
    const QList<Translation> before = loaded.value(columns.at(leadingColumnCount() + column));
    bool changed = false;
    columnWalk(column, [&before, &changed](const CellItem &item) {
        const Translation read = before.value(item.row);
        changed = changed || item.text != read.text || item.finished != read.finished;
    });
    if (!changed)
        return true;

    TsFile file;
    if (!file.read(path, fileErrors)) {
        fileErrors.add(path, FileErrors::notWrittenUnreadable());
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
        const Translation read = before.value(item.row);
        if (found != messageIndex.cend())
            file.update(found.value(), item.text, item.finished, item.text != read.text,
                item.finished != read.finished);
    });
    return file.save(fileErrors);
}

bool QtTranslationModel::exportToDirectory()
{
    fileErrors.clear();
    const int count = columnCount();
    if (count < 1)
        return false;
    const QDir dir(directory);
    bool found = false;
    bool written = true;
    // Columns of one language show the same texts, so each language is written once.
    QSet<QString> done;
    for (int column = 0; column < count; ++column) {
        const QString language = columns.at(leadingColumnCount() + column);
        if (done.contains(language))
            continue;
        done.insert(language);
        const QStringList names =
            dir.entryList({ QStringLiteral("*_%1.ts").arg(language) }, QDir::Files);
        if (names.isEmpty())
            fileErrors.add(directory,
                tr("No file of the language %1 (named like app_%1.ts) is "
                   "in this folder.")
                    .arg(language));
        for (const QString &name : names) {
            found = true;
            written = writeColumnToFile(column, dir.absoluteFilePath(name)) && written;
        }
    }
    return found && written;
}

bool QtTranslationModel::saveColumn(int column)
{
    fileErrors.clear();
    const QString path = columnFilePath(column);
    if (path.isEmpty())
        return false;
    return writeColumnToFile(column, path);
}
