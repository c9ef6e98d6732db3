#pragma once

#include "model/translationmodel.h"

// The formats that keep one folder per language (Apple's <language>.lproj, a JSON set's
// <language>), with one file per group in it: how their sets are opened, imported and
// written back.
class LanguageFolderModel : public TranslationModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LanguageFolderModel)

public:
    bool importFromDirectory(const QString &directory) final;
    bool openFiles(const QStringList &files) final;
    bool exportToDirectory() final;
    bool saveColumn(int column) final;
    int leadingColumnCount() const final { return 2; }

protected:
    struct Layout
    {
        // How a language folder's name ends, such as ".lproj".
        QString folderSuffix;
        QStringList filePatterns;
    };
    LanguageFolderModel(const QStringList &headerLabels, const Layout &layout, QObject *parent);

    // Reads one file of a language folder into the table while the set is loaded.
    virtual void readFile(
        const QString &path, const QString &language, const QString &folderName) = 0;
    // Writes a column's cells into the files of a language folder; false when some file was
    // not written.
    virtual bool writeColumn(int column, const QString &folder) = 0;

private:
    Layout layout;
};
