#include "model/qttranslationmodel.h"

#include "model/tsdocument.h"

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
    columns = QStringList{ tr("Original Text"), tr("Group") };
    for (const QString &path : files) {
        const QString language = tsFileLanguage(path);
        if (language.isEmpty())
            continue;
        columns.append(language);
        readTsFile(path, [this, &language](const QString &group, const QString &source,
                                           const QString &text, bool finished) {
            addTranslation(group, language, source, text, finished);
        });
        languageFiles.insert(language, path);
    }
    updateMessageCount();

    for (int position = leadingColumnCount(); position < columns.size(); ++position) {
        const QString &language = columns.at(position);
        if (loadedTexts.contains(language))
            continue;
        QStringList &texts = loadedTexts[language];
        texts.reserve(messageCount);
        for (int row = 0; row < messageCount; ++row) {
            const Translation *translation = findTranslation(row, language);
            texts.append(translation ? translation->text : QString());
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
    const QStringList names =
        dir.entryList({ QStringLiteral("*.ts") }, QDir::Files, QDir::Name);
    for (const QString &name : names)
        files.append(dir.absoluteFilePath(name));
    readFiles(files);
    this->directory = directory;
    loadProjectSettings();
    return true;
}

bool QtTranslationModel::writeColumnToFile(int column, const QString &path) const
{
    TsDocument document(path);
    if (!document.isOpen())
        return document.save(); // refuses, and logs why when the file did not parse
    const QStringList loaded = loadedTexts.value(columns.at(leadingColumnCount() + column));
    int row = 0;
    columnWalk(column, [this, &document, &loaded, &row](const CellItem &item) {
        // The walk goes down the rows in order, skipping empty cells; (group, id) names a row.
        while (row < messageCount && (groupOf(row) != item.group || messageAt(row).id != item.id))
            ++row;
        updateTsMessage(document, item.group, item.id, item.text, item.finished,
                        item.text != loaded.value(row));
    });
    return document.save();
}

bool QtTranslationModel::exportToDirectory()
{
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
        for (const QString &name : names) {
            found = true;
            written = writeColumnToFile(column, dir.absoluteFilePath(name)) && written;
        }
    }
    return found && written;
}

bool QtTranslationModel::saveColumn(int column)
{
    const QString path = columnFilePath(column);
    if (path.isEmpty())
        return false;
    return writeColumnToFile(column, path);
}
