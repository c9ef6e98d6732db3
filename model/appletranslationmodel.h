#pragma once

#include "model/languagefoldermodel.h"

// Apple string tables: one <language>.lproj directory per language, one .strings file per
// table. The table name is the group, the key the message ID.
class AppleTranslationModel final : public LanguageFolderModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppleTranslationModel)

public:
    explicit AppleTranslationModel(QObject *parent = nullptr);

private:
    void readFile(const QString &path, const QString &language, const QString &folderName) override;
    bool writeColumn(int column, const QString &folder) override;
};
