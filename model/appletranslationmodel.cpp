#include "model/appletranslationmodel.h"

#include "model/stringsfile.h"
#include "model/stringswriter.h"

#include <QFileInfo>

AppleTranslationModel::AppleTranslationModel(QObject *parent)
    : LanguageFolderModel({ tr("Message ID"), tr("Group") },
        { QStringLiteral(".lproj"),
            { QStringLiteral("*.strings"), QStringLiteral("*.xcstrings") } },
        parent)
{
}

void AppleTranslationModel::readFile(const QString &path, const QString &language, const QString &)
{
    const QFileInfo info(path);
    // The table name is everything before ".strings", so that a save finds the same file
    // again even when the name itself holds a dot.
    const QString group = info.completeBaseName();
    setLanguageFile(language, path);
    if (info.suffix().compare(QLatin1String("xcstrings"), Qt::CaseInsensitive) == 0) {
        fileErrors().add(path, tr("String catalogues (.xcstrings) are not read."));
        return;
    }
    readStringsFile(
        path,
        [this, &group, &language](
            const QString &key, const QString &value, const QString &comment) {
            addTranslation(group, language, key, value, true, MessageNotes { {}, comment, {} });
        },
        fileErrors());
}

bool AppleTranslationModel::writeColumn(int column, const QString &folder)
{
    StringsWriter writer(folder, fileErrors());
    columnWalk(column, [&writer](const CellItem &item) { writer.add(item); });
    return writer.flush();
}
