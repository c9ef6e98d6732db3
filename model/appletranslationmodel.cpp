#include "model/appletranslationmodel.h"

#include "model/stringsandjsonfiles.h"
#include "model/stringsfile.h"
#include "model/stringswriter.h"

#include <QDir>
#include <QFileInfo>

AppleTranslationModel::AppleTranslationModel(QObject *parent)
    : TranslationModel(parent)
{
    columns << tr("Message ID") << tr("Group");
}

void AppleTranslationModel::readTable(const QString &path, const QString &language)
{
    const QFileInfo info(path);
    // The table name is everything before ".strings", so that a save finds the same file
    // again even when the name itself holds a dot.
    const QString group = info.completeBaseName();
    languageFiles.insert(language, path);
    if (info.suffix().compare(QLatin1String("xcstrings"), Qt::CaseInsensitive) == 0) {
        fileErrors.add(path, tr("String catalogues (.xcstrings) are not read."));
        return;
    }
    readStringsFile(
        path,
        [this, &group, &language](
            const QString &key, const QString &value, const QString &comment) {
            addTranslation(group, language, key, value, true, MessageNotes { {}, comment, {} });
        },
        fileErrors);
}

bool AppleTranslationModel::openFiles(const QStringList &files)
{
    fileErrors.clear();
    messageCount = 0;
    columns = QStringList { tr("Message ID"), tr("Group") };
    for (const QString &path : files) {
        const QString language = languageOfFolder(QFileInfo(path).absolutePath());
        columns.append(language);
        readTable(path, language);
    }
    updateMessageCount();
    if (!files.isEmpty())
        directory = QFileInfo(files.constFirst()).absoluteDir().absolutePath();
    loadProjectSettings();
    return true;
}

bool AppleTranslationModel::importFromDirectory(const QString &path)
{
    return importLanguageFolders(path, { QStringLiteral("*.lproj") },
        { QStringLiteral("*.strings"), QStringLiteral("*.xcstrings") },
        [this](const QString &file, const QString &language, const QString &) {
            readTable(file, language);
        });
}

bool AppleTranslationModel::writeColumn(int column, const QString &targetDirectory)
{
    StringsWriter writer(targetDirectory, fileErrors);
    columnWalk(
        column, [&writer](const CellItem &item) { writer.add(item.group, item.id, item.text); });
    return writer.flush();
}

bool AppleTranslationModel::exportToDirectory()
{
    fileErrors.clear();
    return exportLanguageColumns(
        *this, QStringLiteral(".lproj"),
        [this](int column, const QString &target) { return writeColumn(column, target); },
        fileErrors);
}

bool AppleTranslationModel::saveColumn(int column)
{
    fileErrors.clear();
    const QString path = columnFilePath(column);
    if (path.isEmpty())
        return false;
    return writeColumn(column, QFileInfo(path).absolutePath());
}
