#include "settings/settings.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

Q_DECLARE_METATYPE(DirectoryHistoryEntry)

using History = QList<DirectoryHistoryEntry>;

class tst_Settings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void freshProfile();
    void installedRolesAskForTheAnswerContract_data();
    void installedRolesAskForTheAnswerContract();
    void currentPrompt_data();
    void currentPrompt();
    void currentLLMConfiguration_data();
    void currentLLMConfiguration();
    void arraysFollowTheKeyTable();
    void shorterListLeavesNoStaleElements();
    void instancesSeeEachOthersWrites();
    void directoryHistory_data();
    void directoryHistory();
    void filesHistory_data();
    void filesHistory();
    void clearHistoryWritesEmptyArrays();
    void roleNames_data();
    void roleNames();
    void role_data();
    void role();
    void fileIsPrivate_data();
    void fileIsPrivate();

private:
    QString iniPath() const { return profile.filePath(QStringLiteral("store.ini")); }
    QString rolesPath() const { return profile.filePath(QStringLiteral("roles")); }
    void writeRole(const QString &fileName, const QByteArray &body);

    QTemporaryDir profile;
    QTemporaryDir userScope;
};

namespace {

PromptRecord prompt(int number)
{
    const QString n = QString::number(number);
    return { 0, QStringLiteral("name ") + n, QStringLiteral("system ") + n,
        QStringLiteral("assistant ") + n, QStringLiteral("user ") + n };
}

LLMConfiguration configuration(int number)
{
    const QString n = QString::number(number);
    return { 0, QStringLiteral("account ") + n, QStringLiteral("https://h/") + n,
        QStringLiteral("key-") + n, QStringLiteral("model-") + n, QStringLiteral("OpenAI") };
}

QStringList directoriesOf(const History &history)
{
    QStringList result;
    for (const DirectoryHistoryEntry &entry : history)
        result.append(QString::number(entry.type) + QLatin1Char(':') + entry.directory);
    return result;
}

} // namespace

void tst_Settings::initTestCase()
{
    QVERIFY(profile.isValid());
    QVERIFY(userScope.isValid());
    // The default-constructed store lands here, never in the real profile.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userScope.path());
}

void tst_Settings::init()
{
    QFile::remove(iniPath());
    QDir(rolesPath()).removeRecursively();
    QDir(userScope.path()).removeRecursively();
    QDir().mkpath(userScope.path());
}

void tst_Settings::writeRole(const QString &fileName, const QByteArray &body)
{
    QVERIFY(TestSupport::writeFile(rolesPath() + QLatin1Char('/') + fileName, body));
}

void tst_Settings::freshProfile()
{
    Settings settings;
    QVERIFY(settings.fileName().startsWith(userScope.path()));
    QVERIFY(settings.llmConfigurations().isEmpty());
    QVERIFY(!settings.hasLLMConfiguration());
    const LLMConfiguration current = settings.currentLLMConfiguration();
    QCOMPARE(current.id, 0);
    QVERIFY(current.name.isEmpty() && current.apiurl.isEmpty() && current.apikey.isEmpty()
        && current.model.isEmpty() && current.service.isEmpty());
    QCOMPARE(settings.usedPromptId(), 0);
    QVERIFY(settings.directoryHistory().isEmpty());
    QVERIFY(settings.filesHistory().isEmpty());

    const PromptRecord used = settings.currentPrompt();
    QCOMPARE(used.id, 0);
    QCOMPARE(used.name, QStringLiteral("Default"));
    QCOMPARE(used.systemPrompt, settings.defaultSystemPrompt());
    QCOMPARE(used.assistantPrompt, settings.defaultAssistantPrompt());
    QCOMPARE(used.userPrompt, settings.defaultUserPrompt());
    QVERIFY(!used.userPrompt.isEmpty());
}

void tst_Settings::installedRolesAskForTheAnswerContract_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = Settings().roleNames();
    QVERIFY(names.contains(QStringLiteral("default")));
    QVERIFY(names.size() >= 4);
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void tst_Settings::installedRolesAskForTheAnswerContract()
{
    QFETCH(QString, name);
    const PromptRecord role = Settings().role(name);
    QVERIFY(!role.name.isEmpty());
    QVERIFY(!role.systemPrompt.isEmpty());
    // A leading assistant turn is refused by some services.
    QVERIFY(role.assistantPrompt.isEmpty());
    // The placeholders are only filled in the user prompt.
    for (const char *placeholder :
        { "{{source language}}", "{{target language list}}", "{{text list}}" }) {
        QVERIFY2(role.userPrompt.count(QLatin1String(placeholder)) == 1, placeholder);
        QVERIFY2(!role.systemPrompt.contains(QLatin1String(placeholder)), placeholder);
    }
    QVERIFY(role.userPrompt.trimmed().endsWith(QLatin1String("{{text list}}")));
    for (const char *contract : { "JSON array", "\"id\"", "%1", "&File", "\\n", "{name}" })
        QVERIFY2(role.userPrompt.contains(QLatin1String(contract)), contract);
}

void tst_Settings::currentPrompt_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("used");
    QTest::addColumn<int>("expectedId");

    QTest::newRow("first of three") << 3 << 0 << 0;
    QTest::newRow("third of three") << 3 << 2 << 2;
    QTest::newRow("equal to size") << 3 << 3 << -1;
    QTest::newRow("negative") << 3 << -1 << -1;
    QTest::newRow("nothing stored") << 0 << 0 << -1;
}

void tst_Settings::currentPrompt()
{
    QFETCH(int, stored);
    QFETCH(int, used);
    QFETCH(int, expectedId);

    Settings settings(iniPath(), Settings::defaultPromptsDirectory());
    QList<PromptRecord> prompts;
    for (int i = 0; i < stored; ++i)
        prompts.append(prompt(i));
    settings.savePrompts(prompts);
    settings.setUsedPromptId(used);

    const PromptRecord current = settings.currentPrompt();
    if (expectedId < 0) {
        const PromptRecord fallback = settings.role(QStringLiteral("default"));
        QCOMPARE(current.id, 0);
        QCOMPARE(current.name, fallback.name);
        QCOMPARE(current.userPrompt, fallback.userPrompt);
        QVERIFY(!current.userPrompt.isEmpty());
    } else {
        QCOMPARE(current.id, expectedId);
        QCOMPARE(current.name, prompt(expectedId).name);
        QCOMPARE(current.systemPrompt, prompt(expectedId).systemPrompt);
        QCOMPARE(current.assistantPrompt, prompt(expectedId).assistantPrompt);
        QCOMPARE(current.userPrompt, prompt(expectedId).userPrompt);
    }
}

void tst_Settings::currentLLMConfiguration_data()
{
    QTest::addColumn<int>("used");
    QTest::addColumn<int>("expectedId");

    QTest::newRow("first") << 0 << 0;
    QTest::newRow("last") << 1 << 1;
    QTest::newRow("equal to size") << 2 << -1;
    QTest::newRow("negative") << -1 << -1;
}

void tst_Settings::currentLLMConfiguration()
{
    QFETCH(int, used);
    QFETCH(int, expectedId);

    Settings settings(iniPath(), rolesPath());
    settings.saveLLMConfigurations({ configuration(0), configuration(1) });
    settings.setUsedLLMId(used);
    QVERIFY(settings.hasLLMConfiguration());
    QCOMPARE(settings.usedLLMId(), used);

    const LLMConfiguration current = settings.currentLLMConfiguration();
    const LLMConfiguration expected =
        expectedId < 0 ? LLMConfiguration() : configuration(expectedId);
    QCOMPARE(current.id, expectedId < 0 ? 0 : expectedId);
    QCOMPARE(current.name, expected.name);
    QCOMPARE(current.apiurl, expected.apiurl);
    QCOMPARE(current.apikey, expected.apikey);
    QCOMPARE(current.model, expected.model);
    QCOMPARE(current.service, expected.service);
}

void tst_Settings::arraysFollowTheKeyTable()
{
    {
        Settings settings(iniPath(), rolesPath());
        LLMConfiguration withId = configuration(7);
        withId.id = 42;
        settings.saveLLMConfigurations({ configuration(0), withId });
        settings.savePrompts({ prompt(0) });
        settings.addDirectoryHistory(QStringLiteral("/p/q"), 2);
        settings.addFilesHistory({ QStringLiteral("/p/q/a.ts") });
    }
    // Another reader of the same file (an older or newer program) sees the key table.
    QSettings raw(iniPath(), QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("LLMs/size")).toInt(), 2);
    raw.beginGroup(QStringLiteral("LLMs/2"));
    QCOMPARE(raw.childKeys(), QStringList({ "apikey", "apiurl", "model", "name", "service" }));
    QCOMPARE(raw.value(QStringLiteral("apikey")).toString(), QStringLiteral("key-7"));
    raw.endGroup();
    raw.beginGroup(QStringLiteral("Prompts/1"));
    QCOMPARE(
        raw.childKeys(), QStringList({ "assistantPrompt", "name", "systemPrompt", "userPrompt" }));
    raw.endGroup();
    QCOMPARE(raw.value(QStringLiteral("DirectoryHistory/1/directory")).toString(),
        QStringLiteral("/p/q"));
    QCOMPARE(raw.value(QStringLiteral("DirectoryHistory/1/type")).toInt(), 2);
    QCOMPARE(
        raw.value(QStringLiteral("FilesHistory/1/file")).toString(), QStringLiteral("/p/q/a.ts"));

    // The toolkit's array convention: "size" plus 1-based groups; positions are the only ids.
    const QByteArray text = TestSupport::readAll(iniPath());
    QVERIFY(text.contains("[LLMs]\n1\\apikey=key-0\n1\\apiurl=https://h/0\n"));
    QVERIFY(text.contains("\nsize=2\n"));
    QVERIFY(!text.contains("id="));

    Settings reread(iniPath(), rolesPath());
    const QList<LLMConfiguration> configurations = reread.llmConfigurations();
    QCOMPARE(configurations.size(), 2);
    QCOMPARE(configurations.at(1).id, 1);
    QCOMPARE(configurations.at(1).name, QStringLiteral("account 7"));
}

void tst_Settings::shorterListLeavesNoStaleElements()
{
    Settings settings(iniPath(), rolesPath());
    settings.saveLLMConfigurations({ configuration(0), configuration(1), configuration(2) });
    settings.savePrompts({ prompt(0), prompt(1) });
    settings.saveLLMConfigurations({ configuration(0) });
    settings.savePrompts({});

    // A removed configuration must not leave its API key in the file.
    const QByteArray text = TestSupport::readAll(iniPath());
    QVERIFY(text.contains("key-0"));
    QVERIFY2(!text.contains("key-1") && !text.contains("key-2"), text.constData());
    QVERIFY(!text.contains("name 1"));
    QCOMPARE(settings.llmConfigurations().size(), 1);
    QVERIFY(settings.prompts().isEmpty());
}

void tst_Settings::instancesSeeEachOthersWrites()
{
    Settings first(iniPath(), rolesPath());
    QVERIFY(!first.hasLLMConfiguration());
    {
        Settings second(iniPath(), rolesPath());
        second.saveLLMConfigurations({ configuration(3) });
        second.setUsedPromptId(5);
    }
    first.sync();
    QVERIFY(first.hasLLMConfiguration());
    QCOMPARE(first.usedPromptId(), 5);
}

void tst_Settings::directoryHistory_data()
{
    QTest::addColumn<History>("added");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("most recent first")
        << History { { 2, "/a" }, { 3, "/b" } } << QStringList { "3:/b", "2:/a" };
    QTest::newRow("same path and type kept once, as newly given") << History { { 2, "/x/a/b" },
        { 2, "/x/c" }, { 2, "/x/a/b/../b" } } << QStringList { "2:/x/a/b/../b", "2:/x/c" };
    QTest::newRow("trailing slash is the same directory")
        << History { { 4, "/x/a/" }, { 4, "/x/a" } } << QStringList { "4:/x/a" };
    QTest::newRow("same path with another type stays")
        << History { { 2, "/x/a" }, { 3, "/x/a" } } << QStringList { "3:/x/a", "2:/x/a" };
    QTest::newRow("case matters") << History { { 2, "/x/A" }, { 2, "/x/a" } }
                                  << QStringList { "2:/x/a", "2:/x/A" };

    History eleven;
    QStringList lastTen;
    for (int i = 1; i <= 11; ++i) {
        eleven.append({ 2, QStringLiteral("/d%1").arg(i) });
        if (i > 1)
            lastTen.prepend(QStringLiteral("2:/d%1").arg(i));
    }
    QTest::newRow("eleventh drops the oldest") << eleven << lastTen;
}

void tst_Settings::directoryHistory()
{
    QFETCH(History, added);
    QFETCH(QStringList, expected);

    for (const DirectoryHistoryEntry &entry : added) {
        Settings settings(iniPath(), rolesPath());
        settings.addDirectoryHistory(entry.directory, entry.type);
    }
    QCOMPARE(directoriesOf(Settings(iniPath(), rolesPath()).directoryHistory()), expected);
}

void tst_Settings::filesHistory_data()
{
    QTest::addColumn<QList<QStringList>>("opened");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("group keeps its order")
        << QList<QStringList> { { "/a.ts", "/b.ts" } } << QStringList { "/a.ts", "/b.ts" };
    QTest::newRow("reopened file moves to the front") << QList<QStringList> { { "/a.ts", "/b.ts" },
        { "/c.ts" }, { "/x/../b.ts" } } << QStringList { "/x/../b.ts", "/c.ts", "/a.ts" };
    QTest::newRow("same file twice in one open")
        << QList<QStringList> { { "/a.po", "/b.po", "/a.po" } } << QStringList { "/a.po", "/b.po" };

    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve.append(QStringLiteral("/f%1.ts").arg(i));
    QTest::newRow("twelve at once keep the first ten")
        << QList<QStringList> { { "/old.ts" }, twelve } << twelve.mid(0, 10);
}

void tst_Settings::filesHistory()
{
    QFETCH(QList<QStringList>, opened);
    QFETCH(QStringList, expected);

    for (const QStringList &files : opened)
        Settings(iniPath(), rolesPath()).addFilesHistory(files);
    QCOMPARE(Settings(iniPath(), rolesPath()).filesHistory(), expected);
}

void tst_Settings::clearHistoryWritesEmptyArrays()
{
    Settings settings(iniPath(), rolesPath());
    settings.addDirectoryHistory(QStringLiteral("/a"), 1);
    settings.addFilesHistory({ QStringLiteral("/a/b.po") });
    settings.saveLLMConfigurations({ configuration(1) });
    settings.clearHistory();

    QSettings raw(iniPath(), QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("DirectoryHistory/size")).toString(), QStringLiteral("0"));
    QCOMPARE(raw.value(QStringLiteral("FilesHistory/size")).toString(), QStringLiteral("0"));
    QVERIFY(!raw.contains(QStringLiteral("FilesHistory/1/file")));
    QVERIFY(settings.directoryHistory().isEmpty());
    QVERIFY(settings.filesHistory().isEmpty());
    QVERIFY(settings.hasLLMConfiguration());
}

void tst_Settings::roleNames_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("by name ignoring case, up to the first dot") << QStringList { "default.xml",
        "Games.v2.xml", "brief.XML" } << QStringList { "brief", "default", "Games" };
    QTest::newRow("any file counts")
        << QStringList { "notes.txt", "default.xml" } << QStringList { "default", "notes" };
    QTest::newRow("no folder") << QStringList {} << QStringList {};
}

void tst_Settings::roleNames()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);

    for (const QString &file : files)
        writeRole(file, "<prompt><name>x</name></prompt>");
    QCOMPARE(Settings(iniPath(), rolesPath()).roleNames(), expected);
}

void tst_Settings::role_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected");

    const QByteArray full = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<anything>"
                            "<name>N</name><systemPrompt>S &amp; more</systemPrompt>"
                            "<assistantPrompt>A</assistantPrompt>"
                            "<userPrompt><![CDATA[U {{text list}} <b>]]></userPrompt>"
                            "<name>second</name></anything>";
    QTest::newRow("all four, first element wins")
        << "r.xml" << full << "r" << QStringList { "N", "S & more", "A", "U {{text list}} <b>" };
    QTest::newRow("no assistantPrompt")
        << "r.xml"
        << QByteArray("<p><name>N</name><systemPrompt>S</systemPrompt>"
                      "<userPrompt>U</userPrompt></p>")
        << "r" << QStringList { "N", "S", "", "U" };
    QTest::newRow("non-ASCII text")
        << "r.xml" << QByteArray("<p><name>\xe7\xbf\xbb\xe8\xaf\x91</name></p>") << "r"
        << QStringList { "\u7ffb\u8bd1", "", "", "" };
    QTest::newRow("broken XML gives empty fields")
        << "r.xml" << QByteArray("<p><name>N</nam") << "r" << QStringList { "", "", "", "" };
    QTest::newRow("only NAME.xml is read")
        << "notes.txt" << full << "notes" << QStringList { "", "", "", "" };
    QTest::newRow("missing file") << "r.xml" << full << "other" << QStringList { "", "", "", "" };
    QTest::newRow("name leaving the folder")
        << "r.xml" << full << "../roles/r" << QStringList { "", "", "", "" };
}

void tst_Settings::role()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(QStringList, expected);

    writeRole(file, content);
    const Settings settings(iniPath(), rolesPath());
    const PromptRecord role = settings.role(name);
    QCOMPARE(role.id, 0);
    QCOMPARE(QStringList({ role.name, role.systemPrompt, role.assistantPrompt, role.userPrompt }),
        expected);
}

void tst_Settings::fileIsPrivate_data()
{
    QTest::addColumn<int>("before");

    QTest::newRow("new file") << -1;
    QTest::newRow("world-readable file") << 0644;
    QTest::newRow("group-writable file") << 0660;
    QTest::newRow("already private") << 0600;
}

void tst_Settings::fileIsPrivate()
{
    QFETCH(int, before);

    if (before >= 0) {
        QVERIFY(TestSupport::writeFile(iniPath(), "[General]\nusedLLMId=1\n"));
        QCOMPARE(::chmod(QFile::encodeName(iniPath()).constData(), mode_t(before)), 0);
    }
    const auto mode = [this] {
        struct stat info = {};
        return ::stat(QFile::encodeName(iniPath()).constData(), &info) == 0
            ? int(info.st_mode & 07777)
            : -1;
    };
    Settings settings(iniPath(), rolesPath());
    QCOMPARE(mode(), 0600);
    settings.saveLLMConfigurations({ configuration(1) });
    QCOMPARE(mode(), 0600);
    QCOMPARE(Settings(iniPath(), rolesPath()).llmConfigurations().size(), 1);
    if (before >= 0)
        QCOMPARE(settings.usedLLMId(), 1);

    // The store of the default location is private as well.
    Settings user;
    user.setUsedPromptId(1);
    QCOMPARE(QFile::permissions(user.fileName())
            & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup
                | QFileDevice::WriteOther),
        QFileDevice::Permissions());
}

QTEST_GUILESS_MAIN(tst_Settings)
#include "tst_settings.moc"
