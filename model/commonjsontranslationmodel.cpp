#include "model/commonjsontranslationmodel.h"

CommonJSONTranslationModel::CommonJSONTranslationModel(QObject *parent)
    : TranslationModel(parent)
{
    columns << tr("Message ID") << tr("Group");
}

bool CommonJSONTranslationModel::importFromDirectory(const QString &)
{
    return false;
}

bool CommonJSONTranslationModel::openFiles(const QStringList &)
{
    return false;
}

bool CommonJSONTranslationModel::exportToDirectory()
{
    return false;
}

bool CommonJSONTranslationModel::saveColumn(int)
{
    return false;
}
