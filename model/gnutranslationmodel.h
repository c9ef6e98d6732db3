#pragma once

#include "model/powriter.h"
#include "model/translationmodel.h"

// GNU gettext PO catalogues, read and written whole through libgettextpo.
class GnuTranslationModel final : public TranslationModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GnuTranslationModel)

public:
    explicit GnuTranslationModel(QObject *parent = nullptr);

    bool importFromDirectory(const QString &directory) override;
    bool openFiles(const QStringList &files) override;
    bool exportToDirectory() override;
    bool saveColumn(int column) override;
    int leadingColumnCount() const override { return 2; }

private:
    // Where one loaded catalogue came from and what it holds in the table.
    struct Catalogue
    {
        QString path;
        QString language;
        QString group;
        // The language is the name of the catalogue's folder, so catalogues of new groups
        // can be created beside it.
        bool inLanguageFolder = true;
    };

    static Catalogue describe(const QString &path);
    void readCatalogues(const QStringList &files, const QString &directory);
    bool writeLanguage(int column);

    QList<Catalogue> catalogues;
    // For the catalogues a language gets new: what its others' headers say.
    QHash<QString, PoHeader> headers;
};
