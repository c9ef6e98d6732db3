#pragma once

#include "model/translationmodel.h"

#include <utility>

// A translation model filled in memory, for tests that need a set without files: its
// languages, then messages added, then finish() publishes them.
class MemoryModel final : public TranslationModel
{
public:
    explicit MemoryModel(
        const QStringList &languages, bool finishedState = false, QObject *parent = nullptr)
        : TranslationModel(parent, { QStringLiteral("Message ID"), QStringLiteral("Group") })
        , languages(languages)
        , finishedState(finishedState)
    {
    }

    void add(const QString &group, const QString &language, const QString &id, const QString &text,
        bool finished = true, const MessageNotes &notes = {})
    {
        start();
        addTranslation(group, language, id, text, finished, notes);
    }
    void setDirectory(const QString &path) { directory = path; }
    void setFile(const QString &language, const QString &path)
    {
        start();
        setLanguageFile(language, path);
    }
    // Publishes the set, with the project settings of its directory.
    void finish()
    {
        start();
        loading = false;
        published = true;
        endLoad(directory);
    }
    void loadProjectSettings()
    {
        if (published)
            TranslationModel::loadProjectSettings();
        else
            finish();
    }

    bool importFromDirectory(const QString &) override { return false; }
    bool openFiles(const QStringList &) override { return false; }
    bool exportToDirectory() override { return false; }
    bool saveColumn(int) override { return false; }
    int leadingColumnCount() const override { return 2; }
    bool hasFinishedState() const override { return finishedState; }

private:
    void start()
    {
        if (std::exchange(loading, true))
            return;
        beginLoad();
        for (const QString &language : std::as_const(languages))
            addLanguage(language);
    }

    QStringList languages;
    bool finishedState;
    bool loading = false;
    bool published = false;
    QString directory;
};
