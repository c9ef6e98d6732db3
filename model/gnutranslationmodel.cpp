#include "model/gnutranslationmodel.h"

#include "model/powriter.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace {

const QString catalogueFilter = QStringLiteral("*.po");

bool isLanguageCode(const QString &name)
{
    static const QRegularExpression code(
        QStringLiteral("^([a-z]{2,3})([_-][A-Za-z0-9]+)*(@[A-Za-z0-9]+)?$"));
    const QRegularExpressionMatch match = code.match(name);
    return match.hasMatch() && QLocale::codeToLanguage(match.captured(1)) != QLocale::AnyLanguage;
}

QStringList catalogueFiles(const QDir &dir)
{
    QStringList files;
    const QStringList names = dir.entryList({ catalogueFilter }, QDir::Files, QDir::Name);
    for (const QString &name : names)
        files.append(dir.absoluteFilePath(name));
    return files;
}

} // namespace

GnuTranslationModel::GnuTranslationModel(QObject *parent)
    : TranslationModel(parent, { tr("Message ID"), tr("Group") })
{
}

// Three layouts are in use: <lang>/<domain>.po, <lang>/LC_MESSAGES/<domain>.po, and GNU's
// po/<lang>.po, where all languages share the one domain.
GnuTranslationModel::Catalogue GnuTranslationModel::describe(const QString &path)
{
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    const QString folderName = folder.dirName();
    const QString baseName = info.baseName();
    if (folderName == QLatin1String("LC_MESSAGES"))
        return { path, QFileInfo(folder.absolutePath()).absoluteDir().dirName(), baseName, true };
    if (isLanguageCode(baseName) && !isLanguageCode(folderName))
        return { path, baseName, folderName, false };
    return { path, folderName, baseName, true };
}

void GnuTranslationModel::readCatalogues(const QStringList &files, const QString &directory)
{
    beginLoad();
    catalogues.clear();
    headers.clear();
    for (const QString &path : files) {
        catalogues.append(describe(path));
        addLanguage(catalogues.last().language);
    }
    for (const Catalogue &catalogue : std::as_const(catalogues)) {
        PoHeader header;
        readPoFile(
            catalogue.path,
            [this, &catalogue](const PoEntry &entry) {
                addTranslation(catalogue.group, catalogue.language, entry.id, entry.text,
                    !entry.fuzzy, entry.notes);
            },
            &header, fileErrors());
        if (!header.pluralForms.isEmpty())
            headers.insert(catalogue.language, header);
        setLanguageFile(catalogue.language, catalogue.path);
    }
    endLoad(directory);
}

bool GnuTranslationModel::openFiles(const QStringList &files)
{
    if (files.isEmpty())
        return false;
    readCatalogues(files, QFileInfo(files.first()).absoluteDir().absolutePath());
    return true;
}

bool GnuTranslationModel::importFromDirectory(const QString &directory)
{
    const QDir dir(directory);
    if (!dir.exists())
        return false;
    QStringList files = catalogueFiles(dir);
    // A locale folder holds one folder per language rather than catalogues.
    if (files.isEmpty()) {
        const QStringList languages = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &language : languages) {
            const QDir languageDir(dir.absoluteFilePath(language));
            const QDir messagesDir(languageDir.absoluteFilePath(QStringLiteral("LC_MESSAGES")));
            files += catalogueFiles(messagesDir.exists() ? messagesDir : languageDir);
        }
    }
    readCatalogues(files, directory);
    return true;
}

bool GnuTranslationModel::writeLanguage(int column)
{
    const QString language = languageCode(column);
    const QString lastFile = columnFilePath(column);
    // New catalogues of a language go where the set keeps it: <lang>/LC_MESSAGES below the
    // set's folder, else beside its catalogues when their folder is named by the language.
    QString newCatalogues;
    const QDir messagesDir(
        QDir(projectDirectory()).absoluteFilePath(language + QStringLiteral("/LC_MESSAGES")));
    if (messagesDir.exists()) {
        newCatalogues = messagesDir.absolutePath();
    } else {
        for (const Catalogue &catalogue : std::as_const(catalogues)) {
            if (catalogue.path == lastFile && catalogue.inLanguageFolder)
                newCatalogues = QFileInfo(catalogue.path).absolutePath();
        }
    }
    PoWriter writer(newCatalogues, fileErrors());
    writer.setLanguage(language, headers.value(language));
    for (const Catalogue &catalogue : std::as_const(catalogues)) {
        if (catalogue.language == language)
            writer.addGroupFile(catalogue.group, catalogue.path);
    }
    columnWalk(column, [&writer](const CellItem &item) { writer.add(item); });
    return writer.flush();
}

bool GnuTranslationModel::exportToDirectory()
{
    fileErrors().clear();
    return writeEachLanguage([this](int column) { return writeLanguage(column); });
}

bool GnuTranslationModel::saveColumn(int column)
{
    fileErrors().clear();
    if (columnFilePath(column).isEmpty())
        return false;
    return writeLanguage(column);
}
