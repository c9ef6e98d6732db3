#include "model/commonjsontranslationmodel.h"

#include "model/jsonfile.h"
#include "model/jsonwriter.h"
#include "model/stringsandjsonfiles.h"

#include <QDir>
#include <QFileInfo>

CommonJSONTranslationModel::CommonJSONTranslationModel(QObject *parent)
    : TranslationModel(parent)
{
    columns << tr("Message ID") << tr("Group");
}

void CommonJSONTranslationModel::readNamespace(
    const QString &path, const QString &language, const QString &directoryName)
{
    // Everything before ".json", so that a save finds the same file again.
    const QString group = QFileInfo(path).completeBaseName();
    bool flat = true;
    int count = 0;
    readJsonFile(
        flat, path,
        [this, &group, &language, &count](const QString &key, const QString &value) {
            addTranslation(group, language, key, value, true);
            ++count;
        },
        fileErrors);
    languageFiles.insert(language, path);
    // An empty (or unreadable) file tells nothing about the shape its namespace has.
    if (count > 0 || !flat)
        flatGroups.insert(directoryName + u'/' + group, flat);
}

bool CommonJSONTranslationModel::openFiles(const QStringList &files)
{
    fileErrors.clear();
    messageCount = 0;
    columns = QStringList { tr("Message ID"), tr("Group") };
    for (const QString &path : files) {
        const QString language = languageOfFolder(QFileInfo(path).absolutePath());
        columns.append(language);
        readNamespace(path, language, QFileInfo(path).dir().dirName());
    }
    updateMessageCount();
    if (!files.isEmpty())
        directory = QFileInfo(files.constFirst()).absoluteDir().absolutePath();
    loadProjectSettings();
    return true;
}

bool CommonJSONTranslationModel::importFromDirectory(const QString &path)
{
    return importLanguageFolders(path, { QStringLiteral("*") }, { QStringLiteral("*.json") },
        [this](const QString &file, const QString &language, const QString &folderName) {
            readNamespace(file, language, folderName);
        });
}

bool CommonJSONTranslationModel::isFlat(const QString &directoryName, const QString &group) const
{
    const auto known = flatGroups.constFind(directoryName + u'/' + group);
    if (known != flatGroups.cend())
        return known.value();
    // A namespace new to this language takes the shape of the other languages' files.
    const QString suffix = u'/' + group;
    bool anyFlat = false;
    for (auto it = flatGroups.cbegin(); it != flatGroups.cend(); ++it) {
        if (!it.key().endsWith(suffix))
            continue;
        if (!it.value())
            return false;
        anyFlat = true;
    }
    return anyFlat;
}

bool CommonJSONTranslationModel::writeColumn(int column, const QString &targetDirectory)
{
    const QString directoryName = QDir(targetDirectory).dirName();
    JsonWriter writer(targetDirectory, fileErrors);
    columnWalk(column, [this, &writer, &directoryName](const CellItem &item) {
        writer.add(item.group, item.id, item.text, isFlat(directoryName, item.group));
    });
    return writer.flush();
}

bool CommonJSONTranslationModel::exportToDirectory()
{
    fileErrors.clear();
    return exportLanguageColumns(
        *this, QString(),
        [this](int column, const QString &target) { return writeColumn(column, target); },
        fileErrors);
}

bool CommonJSONTranslationModel::saveColumn(int column)
{
    fileErrors.clear();
    const QString path = columnFilePath(column);
    if (path.isEmpty())
        return false;
    return writeColumn(column, QFileInfo(path).absolutePath());
}
