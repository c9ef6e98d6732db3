#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QDomElement>
#include <QFile>
#include <QFileInfo>
#include <QSet>

Q_LOGGING_CATEGORY(lcSettings, "parlonex.settings")

namespace {

constexpr int historyLimit = 10;

const QString llmsKey = QStringLiteral("LLMs");
const QString promptsKey = QStringLiteral("Prompts");
const QString usedLLMIdKey = QStringLiteral("usedLLMId");
const QString usedPromptIdKey = QStringLiteral("usedPromptId");
const QString directoryHistoryKey = QStringLiteral("DirectoryHistory");
const QString filesHistoryKey = QStringLiteral("FilesHistory");
const QString defaultRole = QStringLiteral("default");
const QString requestsAtATimeKey = QStringLiteral("requestsAtATime");
const QString markLLMTranslationsKey = QStringLiteral("markLLMTranslations");

// Element keys of each array, in the order they are written.
const QStringList llmKeys { QStringLiteral("name"), QStringLiteral("apiurl"),
    QStringLiteral("apikey"), QStringLiteral("model"), QStringLiteral("service") };
const QStringList promptKeys { QStringLiteral("name"), QStringLiteral("systemPrompt"),
    QStringLiteral("assistantPrompt"), QStringLiteral("userPrompt") };
const QStringList directoryKeys { QStringLiteral("directory"), QStringLiteral("type") };
const QStringList fileKeys { QStringLiteral("file") };

constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// "C:/a/b/../b" and "C:/a/b/" name the same place as "C:/a/b".
QString absoluteClean(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString firstChildText(const QDomElement &parent, const QString &name)
{
    return parent.firstChildElement(name).text();
}

} // namespace

Settings::Settings(QObject *parent)
    : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Parlonex"),
        QStringLiteral("Parlonex"), parent)
    , promptsDirectory(defaultPromptsDirectory())
{
    restrictFileAccess();
}

Settings::Settings(const QString &fileName, const QString &promptsDirectory, QObject *parent)
    : QSettings(fileName, QSettings::IniFormat, parent)
    , promptsDirectory(promptsDirectory)
{
    restrictFileAccess();
}

Settings::~Settings() = default;

QString Settings::defaultPromptsDirectory()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/prompts");
}

// The file holds API keys in clear text. The toolkit would create it readable by everyone
// (and keeps the permissions of an existing file when it rewrites it), so the file is made
// owner-only before anything is written to it, and tightened if an older run left it open.
void Settings::restrictFileAccess()
{
    const QString path = fileName();
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    if (!info.exists()) {
        const QString folder = info.absolutePath();
        const QDir parent = QFileInfo(folder).absoluteDir();
        if (!QDir(folder).exists()
            && !(QDir().mkpath(parent.absolutePath())
                && QDir().mkdir(folder, ownerOnly | QFileDevice::ExeOwner))) {
            qCWarning(lcSettings) << "Cannot create the settings folder" << folder;
            return;
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly)) {
            if (!file.exists())
                qCWarning(lcSettings)
                    << "Cannot create the settings file" << path << ":" << file.errorString();
            return;
        }
        file.close();
    }
    // On Unix the "User" bits mirror the owner's for the file's owner.
    const QFileDevice::Permissions allowed =
        ownerOnly | QFileDevice::ReadUser | QFileDevice::WriteUser;
    if ((QFile::permissions(path) & ~allowed) && !QFile::setPermissions(path, ownerOnly))
        qCWarning(lcSettings) << "Cannot make the settings file private:" << path;
}

void Settings::flush()
{
    sync();
    if (status() != QSettings::NoError)
        qCWarning(lcSettings) << "Failed to write the settings file" << fileName();
}

QList<QStringList> Settings::readArray(const QString &array, const QStringList &keys)
{
    QList<QStringList> rows;
    const int size = beginReadArray(array);
    rows.reserve(size);
    for (int i = 0; i < size; ++i) {
        setArrayIndex(i);
        QStringList row;
        row.reserve(keys.size());
        for (const QString &key : keys)
            row.append(value(key).toString());
        rows.append(row);
    }
    endArray();
    return rows;
}

void Settings::writeArray(
    const QString &array, const QStringList &keys, const QList<QStringList> &rows)
{
    // Removing the old array first keeps no stale elements (and their API keys) behind
    // when the list got shorter.
    remove(array);
    beginWriteArray(array, int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        setArrayIndex(i);
        for (int k = 0; k < keys.size(); ++k)
            setValue(keys.at(k), rows.at(i).value(k));
    }
    endArray();
    flush();
}

QList<LLMConfiguration> Settings::llmConfigurations()
{
    QList<LLMConfiguration> result;
    const QList<QStringList> rows = readArray(llmsKey, llmKeys);
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &row = rows.at(i);
        result.append({ i, row.at(0), row.at(1), row.at(2), row.at(3), row.at(4) });
    }
    return result;
}

void Settings::saveLLMConfigurations(const QList<LLMConfiguration> &configurations)
{
    QList<QStringList> rows;
    for (const LLMConfiguration &c : configurations)
        rows.append({ c.name, c.apiurl, c.apikey, c.model, c.service });
    writeArray(llmsKey, llmKeys, rows);
}

bool Settings::hasLLMConfiguration()
{
    const int size = beginReadArray(llmsKey);
    endArray();
    return size > 0;
}

int Settings::usedLLMId()
{
    return value(usedLLMIdKey, 0).toInt();
}

void Settings::setUsedLLMId(int id)
{
    setValue(usedLLMIdKey, id);
    flush();
}

int Settings::requestsAtATime()
{
    bool ok = false;
    const int count = value(requestsAtATimeKey).toInt(&ok);
    return ok ? qBound(1, count, maxRequestsAtATime) : 4;
}

void Settings::setRequestsAtATime(int count)
{
    setValue(requestsAtATimeKey, qBound(1, count, maxRequestsAtATime));
    flush();
}

bool Settings::markLLMTranslations()
{
    return value(markLLMTranslationsKey, true).toBool();
}

void Settings::setMarkLLMTranslations(bool mark)
{
    setValue(markLLMTranslationsKey, mark);
    flush();
}

LLMConfiguration Settings::currentLLMConfiguration()
{
    const int used = usedLLMId();
    const QList<LLMConfiguration> configurations = llmConfigurations();
    if (used >= 0 && used < configurations.size())
        return configurations.at(used);
    return {};
}

LLMSetup Settings::llmSetup()
{
    return { currentLLMConfiguration(), currentPrompt(), requestsAtATime(), markLLMTranslations(),
        streamEnabled() };
}

QList<PromptRecord> Settings::prompts()
{
    QList<PromptRecord> result;
    const QList<QStringList> rows = readArray(promptsKey, promptKeys);
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &row = rows.at(i);
        result.append({ i, row.at(0), row.at(1), row.at(2), row.at(3) });
    }
    return result;
}

void Settings::savePrompts(const QList<PromptRecord> &prompts)
{
    QList<QStringList> rows;
    for (const PromptRecord &p : prompts)
        rows.append({ p.name, p.systemPrompt, p.assistantPrompt, p.userPrompt });
    writeArray(promptsKey, promptKeys, rows);
}

int Settings::usedPromptId()
{
    return value(usedPromptIdKey, 0).toInt();
}

void Settings::setUsedPromptId(int id)
{
    setValue(usedPromptIdKey, id);
    flush();
}

PromptRecord Settings::currentPrompt()
{
    const int used = usedPromptId();
    const QList<PromptRecord> stored = prompts();
    if (used >= 0 && used < stored.size())
        return stored.at(used);
    return role(defaultRole);
}

QStringList Settings::roleNames() const
{
    QStringList names;
    const QFileInfoList files =
        QDir(promptsDirectory).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    names.reserve(files.size());
    for (const QFileInfo &file : files)
        names.append(file.baseName());
    return names;
}

PromptRecord Settings::role(const QString &name) const
{
    // A role name only ever names a file inside the prompts folder.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
        qCWarning(lcSettings) << "Failed to open role file:"
                              << "invalid role name" << name;
        return {};
    }
    QFile file(promptsDirectory + QLatin1Char('/') + name + QStringLiteral(".xml"));
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSettings) << "Failed to open role file:" << file.errorString();
        return {};
    }
    // A broken file gives empty fields rather than whatever part of it parsed.
    QDomDocument document;
    QString error;
    int line = 0;
    int column = 0;
    if (!document.setContent(&file, &error, &line, &column)) {
        qCWarning(lcSettings).nospace() << "Failed to parse role file " << file.fileName() << ":"
                                        << line << ":" << column << ": " << error;
        return {};
    }
    const QDomElement root = document.documentElement();
    return { 0, firstChildText(root, QStringLiteral("name")),
        firstChildText(root, QStringLiteral("systemPrompt")),
        firstChildText(root, QStringLiteral("assistantPrompt")),
        firstChildText(root, QStringLiteral("userPrompt")) };
}

QString Settings::defaultSystemPrompt() const
{
    return role(defaultRole).systemPrompt;
}

QString Settings::defaultAssistantPrompt() const
{
    return role(defaultRole).assistantPrompt;
}

QString Settings::defaultUserPrompt() const
{
    return role(defaultRole).userPrompt;
}

QList<DirectoryHistoryEntry> Settings::directoryHistory()
{
    QList<DirectoryHistoryEntry> result;
    const QList<QStringList> rows = readArray(directoryHistoryKey, directoryKeys);
    for (const QStringList &row : rows)
        result.append({ row.at(1).toInt(), row.at(0) });
    return result;
}

void Settings::addDirectoryHistory(const QString &directory, int type)
{
    const QString key = absoluteClean(directory);
    QList<DirectoryHistoryEntry> entries = directoryHistory();
    entries.removeIf([&](const DirectoryHistoryEntry &entry) {
        return entry.type == type && absoluteClean(entry.directory) == key;
    });
    entries.prepend({ type, directory });
    if (entries.size() > historyLimit)
        entries.resize(historyLimit);
    writeDirectoryHistory(entries);
}

QStringList Settings::filesHistory()
{
    QStringList result;
    const QList<QStringList> rows = readArray(filesHistoryKey, fileKeys);
    for (const QStringList &row : rows)
        result.append(row.at(0));
    return result;
}

void Settings::addFilesHistory(const QStringList &files)
{
    // The same file given twice in one call is kept once, at its first place.
    QStringList entries;
    QSet<QString> keys;
    for (const QString &file : files) {
        if (!keys.contains(absoluteClean(file))) {
            keys.insert(absoluteClean(file));
            entries.append(file);
        }
    }
    const QStringList stored = filesHistory();
    for (const QString &file : stored) {
        if (!keys.contains(absoluteClean(file)))
            entries.append(file);
    }
    if (entries.size() > historyLimit)
        entries.resize(historyLimit);
    writeFilesHistory(entries);
}

void Settings::clearHistory()
{
    writeDirectoryHistory({});
    writeFilesHistory({});
}

QVariant Settings::uiState(const QString &key, const QVariant &fallback) const
{
    return value(QStringLiteral("Window/") + key, fallback);
}

void Settings::setUiState(const QString &key, const QVariant &value)
{
    setValue(QStringLiteral("Window/") + key, value);
    flush();
}

void Settings::writeDirectoryHistory(const QList<DirectoryHistoryEntry> &entries)
{
    QList<QStringList> rows;
    for (const DirectoryHistoryEntry &entry : entries)
        rows.append({ entry.directory, QString::number(entry.type) });
    writeArray(directoryHistoryKey, directoryKeys, rows);
}

void Settings::writeFilesHistory(const QStringList &files)
{
    QList<QStringList> rows;
    for (const QString &file : files)
        rows.append({ file });
    writeArray(filesHistoryKey, fileKeys, rows);
}
