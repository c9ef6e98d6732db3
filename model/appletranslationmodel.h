#pragma once

#include "model/translationmodel.h"

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
};
