#pragma once

#include "model/translationmodel.h"

// A translation model filled in memory, for tests that need a set without files.
class MemoryModel final : public TranslationModel
{
public:
    explicit MemoryModel(
        const QStringList &languages, bool finishedState = false, QObject *parent = nullptr)
        : TranslationModel(parent)
        , finishedState(finishedState)
    {
        columns << QStringLiteral("Message ID") << QStringLiteral("Group") << languages;
    }

    void add(const QString &group, const QString &language, const QString &id, const QString &text,
        bool finished = true, const MessageNotes &notes = {})
    {
        addTranslation(group, language, id, text, finished, notes);
    }
    void finish() { updateMessageCount(); }
    void setDirectory(const QString &path) { directory = path; }
    void setFile(const QString &language, const QString &path) { languageFiles[language] = path; }
    using TranslationModel::loadProjectSettings;

    bool importFromDirectory(const QString &) override { return false; }
    bool openFiles(const QStringList &) override { return false; }
    bool exportToDirectory() override { return false; }
    bool saveColumn(int) override { return false; }
    int leadingColumnCount() const override { return 2; }
    bool hasFinishedState() const override { return finishedState; }

private:
    bool finishedState;
};
