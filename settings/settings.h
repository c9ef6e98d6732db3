#pragma once

#include "settings/llmrecords.h"

#include <QList>
#include <QLoggingCategory>
#include <QSettings>
#include <QString>
#include <QStringList>

Q_DECLARE_LOGGING_CATEGORY(lcSettings)

struct DirectoryHistoryEntry
{
    int type = 0;
    QString directory;
};

// The per-user settings file plus the read-only prompt role files installed beside the
// program. Instances are short-lived and write through at once, so any number of them
// may exist and see each other's changes after a flush.
class Settings final : public QSettings
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Settings)

public:
    explicit Settings(QObject *parent = nullptr);
    // A store over another INI file and role folder, for tools and tests.
    Settings(const QString &fileName, const QString &promptsDirectory, QObject *parent = nullptr);
    ~Settings() override;

    QList<LLMConfiguration> llmConfigurations();
    void saveLLMConfigurations(const QList<LLMConfiguration> &configurations);
    bool hasLLMConfiguration();
    int usedLLMId();
    void setUsedLLMId(int id);
    LLMConfiguration currentLLMConfiguration();

    QList<PromptRecord> prompts();
    void savePrompts(const QList<PromptRecord> &prompts);
    int usedPromptId();
    void setUsedPromptId(int id);
    PromptRecord currentPrompt();
    // The configuration, prompt and run choices in use, as one record for a translation run.
    LLMSetup llmSetup();

    QStringList roleNames() const;
    PromptRecord role(const QString &name) const;
    QString defaultSystemPrompt() const;
    QString defaultAssistantPrompt() const;
    QString defaultUserPrompt() const;

    QList<DirectoryHistoryEntry> directoryHistory();
    void addDirectoryHistory(const QString &directory, int type);
    QStringList filesHistory();
    void addFilesHistory(const QStringList &files);
    void clearHistory();

    bool streamEnabled() const { return false; }

    // How many translation requests may be out at once (1 to 8).
    static constexpr int maxRequestsAtATime = 8;
    int requestsAtATime();
    void setRequestsAtATime(int count);
    // Whether cells the LLM fills are marked for review (on unless the user turns it off).
    bool markLLMTranslations();
    void setMarkLLMTranslations(bool mark);

    // How the window was left (size, position, splitters, the folder last opened), by key.
    QVariant uiState(const QString &key, const QVariant &fallback = QVariant()) const;
    void setUiState(const QString &key, const QVariant &value);

    // The folder "prompts" beside the executable.
    static QString defaultPromptsDirectory();

private:
    void restrictFileAccess();
    void flush();
    // One string per key for every element of an array, in array order.
    QList<QStringList> readArray(const QString &array, const QStringList &keys);
    // Replaces the whole array and flushes.
    void writeArray(const QString &array, const QStringList &keys, const QList<QStringList> &rows);
    void writeDirectoryHistory(const QList<DirectoryHistoryEntry> &entries);
    void writeFilesHistory(const QStringList &files);

    QString promptsDirectory;
};
