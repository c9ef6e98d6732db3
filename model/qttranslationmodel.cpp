#include "model/qttranslationmodel.h"

QtTranslationModel::QtTranslationModel(QObject *parent)
    : TranslationModel(parent)
{
    columns << tr("Original Text") << tr("Group");
}

bool QtTranslationModel::importFromDirectory(const QString &)
{
    return false;
}

bool QtTranslationModel::openFiles(const QStringList &)
{
    return false;
}

bool QtTranslationModel::exportToDirectory()
{
    return false;
}

bool QtTranslationModel::saveColumn(int)
{
    return false;
}
