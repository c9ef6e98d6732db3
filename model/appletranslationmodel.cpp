#include "model/appletranslationmodel.h"

AppleTranslationModel::AppleTranslationModel(QObject *parent)
    : TranslationModel(parent)
{
    columns << tr("Message ID") << tr("Group");
}

bool AppleTranslationModel::importFromDirectory(const QString &)
{
    return false;
}

bool AppleTranslationModel::openFiles(const QStringList &)
{
    return false;
}

bool AppleTranslationModel::exportToDirectory()
{
    return false;
}

bool AppleTranslationModel::saveColumn(int)
{
    return false;
}
