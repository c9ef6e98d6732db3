#pragma once

#include "model/translationmodel.h"

// Qt Linguist TS files, one language each; the only format with a finished state.
class QtTranslationModel final : public TranslationModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QtTranslationModel)

public:
    explicit QtTranslationModel(QObject *parent = nullptr);

    bool importFromDirectory(const QString &directory) override;
    bool openFiles(const QStringList &files) override;
    bool exportToDirectory() override;
    bool saveColumn(int column) override;
    bool hasFinishedState() const override { return true; }
    int leadingColumnCount() const override { return 2; }

private:
    void readFiles(const QStringList &files, const QString &directory);
    // Writes a column's cells into one file; false when the file was not written.
    bool writeColumnToFile(int column, const QString &path);
};
