#pragma once

#include "model/translationmodel.h"

// JSON message files as i18next and similar libraries read them: one directory per
// language, one file per namespace. The namespace is the group; nested members are shown
// under dotted keys.
class CommonJSONTranslationModel final : public TranslationModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommonJSONTranslationModel)

public:
    explicit CommonJSONTranslationModel(QObject *parent = nullptr);

    bool importFromDirectory(const QString &directory) override;
    bool openFiles(const QStringList &files) override;
    bool exportToDirectory() override;
    bool saveColumn(int column) override;
    int leadingColumnCount() const override { return 2; }

private:
    void readNamespace(const QString &path, const QString &language, const QString &directoryName);
    bool isFlat(const QString &directoryName, const QString &group) const;
    bool writeColumn(int column, const QString &targetDirectory);

    // "<language directory>/<namespace>" -> whether that file held no nested object.
    QMap<QString, bool> flatGroups;
};
