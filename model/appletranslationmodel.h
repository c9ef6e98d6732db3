#pragma once

#include "model/translationmodel.h"

// Apple string tables: one <language>.lproj directory per language, one .strings file per
// table. The table name is the group, the key the message ID.
class AppleTranslationModel final : public TranslationModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppleTranslationModel)

public:
    explicit AppleTranslationModel(QObject *parent = nullptr);

    bool importFromDirectory(const QString &directory) override;
    bool openFiles(const QStringList &files) override;
    bool exportToDirectory() override;
    bool saveColumn(int column) override;
    int leadingColumnCount() const override { return 2; }

private:
    void readTable(const QString &path, const QString &language);
    bool writeColumn(int column, const QString &targetDirectory);
};
