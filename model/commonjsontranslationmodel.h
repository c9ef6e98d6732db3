#pragma once

#include "model/languagefoldermodel.h"

// JSON message files as i18next and similar libraries read them: one directory per
// language, one file per namespace. The namespace is the group; nested members are shown
// under dotted keys.
class CommonJSONTranslationModel final : public LanguageFolderModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommonJSONTranslationModel)

public:
    explicit CommonJSONTranslationModel(QObject *parent = nullptr);

private:
    void readFile(const QString &path, const QString &language, const QString &folderName) override;
    bool writeColumn(int column, const QString &folder) override;
    bool isFlat(const QString &directoryName, const QString &group) const;

    // "<language directory>/<namespace>" -> whether that file held no nested object.
    QMap<QString, bool> flatGroups;
};
