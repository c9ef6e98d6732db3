#include "model/commonjsontranslationmodel.h"

#include "model/jsonfile.h"
#include "model/jsonwriter.h"

#include <QDir>
#include <QFileInfo>

CommonJSONTranslationModel::CommonJSONTranslationModel(QObject *parent)
    : LanguageFolderModel(
        { tr("Message ID"), tr("Group") }, { QString(), { QStringLiteral("*.json") } }, parent)
{
}

void CommonJSONTranslationModel::readFile(
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
        fileErrors());
    setLanguageFile(language, path);
    // An empty (or unreadable) file tells nothing about the shape its namespace has.
    if (count > 0 || !flat)
        flatGroups.insert(directoryName + u'/' + group, flat);
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

bool CommonJSONTranslationModel::writeColumn(int column, const QString &folder)
{
    const QString directoryName = QDir(folder).dirName();
    JsonWriter writer(folder, fileErrors());
    columnWalk(column, [this, &writer, &directoryName](const CellItem &item) {
        writer.add(item, isFlat(directoryName, item.group));
    });
    return writer.flush();
}
