#include "model/gnutranslationmodel.h"

GnuTranslationModel::GnuTranslationModel(QObject *parent)
    : TranslationModel(parent)
{
    columns << tr("Message ID") << tr("Group");
}

bool GnuTranslationModel::importFromDirectory(const QString &)
{
    return false;
}

bool GnuTranslationModel::openFiles(const QStringList &)
{
    return false;
}

bool GnuTranslationModel::exportToDirectory()
{
    return false;
}

bool GnuTranslationModel::saveColumn(int)
{
    return false;
}
