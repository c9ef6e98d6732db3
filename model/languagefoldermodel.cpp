#include "model/languagefoldermodel.h"

#include <QDir>
#include <QFileInfo>

LanguageFolderModel::LanguageFolderModel(
    const QStringList &headerLabels, const Layout &layout, QObject *parent)
    : TranslationModel(parent, headerLabels)
    , layout(layout)
{
}

// Folders and files are read in name order, so that rows come in the same order on every
// file system.
bool LanguageFolderModel::importFromDirectory(const QString &path)
{
    const QDir root(path);
    if (!root.exists()) {
        fileErrors().clear();
        fileErrors().add(
            path, FileErrors::cannotRead(TranslationModel::tr("there is no such folder")));
        return false;
    }
    beginLoad();
    const QFileInfoList folders = root.entryInfoList(
        { QLatin1Char('*') + layout.folderSuffix }, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QStringList languages;
    for (const QFileInfo &folder : folders) {
        languages.append(languageOfFolder(folder.absoluteFilePath()));
        addLanguage(languages.last());
    }
    for (qsizetype i = 0; i < folders.size(); ++i) {
        const QFileInfo &folder = folders.at(i);
        const QFileInfoList files =
            QDir(folder.absoluteFilePath())
                .entryInfoList(layout.filePatterns, QDir::Files, QDir::Name);
        for (const QFileInfo &file : files)
            readFile(file.absoluteFilePath(), languages.at(i), folder.fileName());
    }
    endLoad(path);
    return true;
}

bool LanguageFolderModel::openFiles(const QStringList &files)
{
    beginLoad();
    QStringList languages;
    for (const QString &path : files) {
        languages.append(languageOfFolder(QFileInfo(path).absolutePath()));
        addLanguage(languages.last());
    }
    for (qsizetype i = 0; i < files.size(); ++i)
        readFile(files.at(i), languages.at(i), QFileInfo(files.at(i)).dir().dirName());
    endLoad(
        files.isEmpty() ? QString() : QFileInfo(files.constFirst()).absoluteDir().absolutePath());
    return true;
}

bool LanguageFolderModel::exportToDirectory()
{
    fileErrors().clear();
    const QDir root(projectDirectory());
    bool found = false;
    const bool written = writeEachLanguage([this, &root, &found](int column) {
        const QString language = languageCode(column);
        // Each column goes back to the folder it was read from, so that folders whose names
        // give one language code never take each other's texts.
        QFileInfo target(columnFolder(column));
        if (!target.isDir())
            target = QFileInfo(root.filePath(language + layout.folderSuffix));
        if (!target.isDir()) {
            fileErrors().add(target.absoluteFilePath(),
                TranslationModel::tr("Not written: there is no folder for the language %1.")
                    .arg(language));
            // The column's texts are kept nowhere: the export failed for them, and the set
            // must stay marked as holding unexported changes.
            return false;
        }
        found = true;
        return writeColumn(column, target.absoluteFilePath());
    });
    return found && written;
}

bool LanguageFolderModel::saveColumn(int column)
{
    fileErrors().clear();
    const QString path = columnFilePath(column);
    if (path.isEmpty())
        return false;
    return writeColumn(column, QFileInfo(path).absolutePath());
}
