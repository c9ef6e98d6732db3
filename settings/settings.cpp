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
                qCWarning(lcSettings) << "Cannot create the settings file" << path << ":"
                                      << file.errorString();
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

QList<LLMConfiguration> Settings::llmConfigurations()
{
    QList<LLMConfiguration> result;
    const int size = beginReadArray(llmsKey);
    result.reserve(size);
    for (int i = 0; i < size; ++i) {
        setArrayIndex(i);
        result.append({ i, value(QStringLiteral("name")).toString(),
                        value(QStringLiteral("apiurl")).toString(),
                        value(QStringLiteral("apikey")).toString(),
                        value(QStringLiteral("model")).toString(),
                        value(QStringLiteral("service")).toString() });
    }
    endArray();
    return result;
}

void Settings::saveLLMConfigurations(const QList<LLMConfiguration> &configurations)
{
    // Removing the old array first keeps no stale elements (and their API keys) behind
    // when the list got shorter.
    remove(llmsKey);
    beginWriteArray(llmsKey, int(configurations.size()));
    for (int i = 0; i < configurations.size(); ++i) {
        const LLMConfiguration &configuration = configurations.at(i);
        setArrayIndex(i);
        setValue(QStringLiteral("name"), configuration.name);
        setValue(QStringLiteral("apiurl"), configuration.apiurl);
        setValue(QStringLiteral("apikey"), configuration.apikey);
        setValue(QStringLiteral("model"), configuration.model);
        setValue(QStringLiteral("service"), configuration.service);
    }
    endArray();
    flush();
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

LLMConfiguration Settings::currentLLMConfiguration()
{
    const int used = usedLLMId();
    const QList<LLMConfiguration> configurations = llmConfigurations();
    if (used >= 0 && used < configurations.size())
        return configurations.at(used);
    return {};
}

QList<PromptRecord> Settings::prompts()
{
    QList<PromptRecord> result;
    const int size = beginReadArray(promptsKey);
    result.reserve(size);
    for (int i = 0; i < size; ++i) {
        setArrayIndex(i);
        result.append({ i, value(QStringLiteral("name")).toString(),
                        value(QStringLiteral("systemPrompt")).toString(),
                        value(QStringLiteral("assistantPrompt")).toString(),
                        value(QStringLiteral("userPrompt")).toString() });
    }
    endArray();
    return result;
}

void Settings::savePrompts(const QList<PromptRecord> &prompts)
{
    remove(promptsKey);
    beginWriteArray(promptsKey, int(prompts.size()));
    for (int i = 0; i < prompts.size(); ++i) {
        const PromptRecord &prompt = prompts.at(i);
        setArrayIndex(i);
        setValue(QStringLiteral("name"), prompt.name);
        setValue(QStringLiteral("systemPrompt"), prompt.systemPrompt);
        setValue(QStringLiteral("assistantPrompt"), prompt.assistantPrompt);
        setValue(QStringLiteral("userPrompt"), prompt.userPrompt);
    }
    endArray();
    flush();
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
        qCWarning(lcSettings) << "Failed to open role file:" << "invalid role name" << name;
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
    const int size = beginReadArray(directoryHistoryKey);
    result.reserve(size);
    for (int i = 0; i < size; ++i) {
        setArrayIndex(i);
        result.append({ value(QStringLiteral("type")).toInt(),
                        value(QStringLiteral("directory")).toString() });
    }
    endArray();
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
    const int size = beginReadArray(filesHistoryKey);
    result.reserve(size);
    for (int i = 0; i < size; ++i) {
        setArrayIndex(i);
        result.append(value(QStringLiteral("file")).toString());
    }
    endArray();
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

void Settings::writeDirectoryHistory(const QList<DirectoryHistoryEntry> &entries)
{
    remove(directoryHistoryKey);
    beginWriteArray(directoryHistoryKey, int(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        setArrayIndex(i);
        setValue(QStringLiteral("directory"), entries.at(i).directory);
        setValue(QStringLiteral("type"), entries.at(i).type);
    }
    endArray();
    flush();
}

void Settings::writeFilesHistory(const QStringList &files)
{
    remove(filesHistoryKey);
    beginWriteArray(filesHistoryKey, int(files.size()));
    for (int i = 0; i < files.size(); ++i) {
        setArrayIndex(i);
        setValue(QStringLiteral("file"), files.at(i));
    }
    endArray();
    flush();
}
