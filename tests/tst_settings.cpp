#include "settings/settings.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class tst_Settings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void installedRolesAskForTheAnswerContract_data();
    void installedRolesAskForTheAnswerContract();
    void currentElement_data();
    void currentElement();
    void arraysFollowTheKeyTable();
    void history_data();
    void history();
    void role_data();
    void role();
    void fileIsPrivate_data();
    void fileIsPrivate();

private:
    QString iniPath() const { return profile.filePath(QStringLiteral("store.ini")); }
    QString rolesPath() const { return profile.filePath(QStringLiteral("roles")); }

    QTemporaryDir profile;
    QTemporaryDir userScope;
};

namespace {

PromptRecord prompt(int number, int id = 0)
{
    const QString n = QString::number(number);
    return { id, "name " + n, "system " + n, "assistant " + n, "user " + n };
}

LLMConfiguration configuration(int number, int id = 0)
{
    const QString n = QString::number(number);
    return { id, "account " + n, "https://h/" + n, "key-" + n, "model-" + n, "OpenAI" };
}

QStringList fields(const PromptRecord &p)
{
    return { QString::number(p.id), p.name, p.systemPrompt, p.assistantPrompt, p.userPrompt };
}

QStringList fields(const LLMConfiguration &c)
{
    return { QString::number(c.id), c.name, c.apiurl, c.apikey, c.model, c.service };
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

void tst_Settings::installedRolesAskForTheAnswerContract_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = Settings().roleNames();
    QVERIFY(names.contains(QStringLiteral("default")));
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void tst_Settings::installedRolesAskForTheAnswerContract()
{
    QFETCH(QString, name);
    const PromptRecord role = Settings().role(name);
    QVERIFY(!role.name.isEmpty() && !role.systemPrompt.isEmpty());
    // A leading assistant turn is refused by some services, and only the user prompt has its
    // placeholders filled, once each, the texts last.
    QVERIFY(role.assistantPrompt.isEmpty());
    QVERIFY(!role.systemPrompt.contains(QLatin1String("{{")));
    for (const char *placeholder :
        { "{{source language}}", "{{target language list}}", "{{note list}}", "{{text list}}" })
        QVERIFY2(role.userPrompt.count(QLatin1String(placeholder)) == 1, placeholder);
    QVERIFY(role.userPrompt.trimmed().endsWith(QLatin1String("{{text list}}")));
    for (const char *contract : { "JSON array", "\"id\"", "%1", "&File", "\\n", "{name}" })
        QVERIFY2(role.userPrompt.contains(QLatin1String(contract)), contract);
}

void tst_Settings::currentElement_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("used");
    QTest::addColumn<int>("expectedId"); // -1: the fallback

    QTest::newRow("last of three") << 3 << 2 << 2;
    QTest::newRow("equal to size") << 3 << 3 << -1;
    QTest::newRow("negative") << 3 << -1 << -1;
    QTest::newRow("nothing stored") << 0 << 0 << -1;
}

void tst_Settings::currentElement()
{
    QFETCH(int, stored);
    QFETCH(int, used);
    QFETCH(int, expectedId);

    Settings settings(iniPath(), Settings::defaultPromptsDirectory());
    QList<PromptRecord> prompts;
    QList<LLMConfiguration> configurations;
    for (int i = 0; i < stored; ++i) {
        prompts.append(prompt(i));
        configurations.append(configuration(i));
    }
    settings.savePrompts(prompts);
    settings.saveLLMConfigurations(configurations);
    settings.setUsedPromptId(used);
    settings.setUsedLLMId(used);

    QCOMPARE(settings.hasLLMConfiguration(), stored > 0);
    const LLMSetup setup = settings.llmSetup();
    QCOMPARE(fields(setup.configuration),
        fields(expectedId < 0 ? LLMConfiguration() : configuration(expectedId, expectedId)));
    // The installed "default" role stands in for a prompt that is not there.
    QCOMPARE(fields(setup.prompt),
        fields(expectedId < 0 ? settings.role(QStringLiteral("default"))
                              : prompt(expectedId, expectedId)));
    QVERIFY(expectedId >= 0 || setup.prompt.name == QLatin1String("Default"));
}

void tst_Settings::arraysFollowTheKeyTable()
{
    Settings settings(iniPath(), rolesPath());
    settings.saveLLMConfigurations({ configuration(0), configuration(7, 42) });
    settings.savePrompts({ prompt(0) });
    settings.addDirectoryHistory(QStringLiteral("/p/q"), 2);
    settings.addFilesHistory({ QStringLiteral("/p/q/a.ts") });
    // Another reader of the same file (an older or newer program) sees the key table in the
    // toolkit's array convention: 1-based groups plus "size"; positions are the only ids. Every
    // change reaches the file at once, so it is read while the store lives.
    QByteArray text = TestSupport::readAll(iniPath());
    for (const char *section :
        { "[LLMs]\n1\\apikey=key-0\n1\\apiurl=https://h/0\n1\\model=model-0\n1\\name=account 0\n"
          "1\\service=OpenAI\n2\\apikey=key-7\n2\\apiurl=https://h/7\n2\\model=model-7\n"
          "2\\name=account 7\n2\\service=OpenAI\nsize=2\n",
            "[Prompts]\n1\\assistantPrompt=assistant 0\n1\\name=name 0\n"
            "1\\systemPrompt=system 0\n1\\userPrompt=user 0\nsize=1\n",
            "[DirectoryHistory]\n1\\directory=/p/q\n1\\type=2\nsize=1\n",
            "[FilesHistory]\n1\\file=/p/q/a.ts\nsize=1\n" })
        QVERIFY2(text.contains(section), text.constData());
    QCOMPARE(Settings(iniPath(), rolesPath()).llmConfigurations().at(1).id, 1);

    // A shorter list leaves no stale elements: a removed configuration keeps no API key behind.
    settings.saveLLMConfigurations({ configuration(0) });
    settings.savePrompts({});
    settings.clearHistory();
    text = TestSupport::readAll(iniPath());
    QVERIFY(text.contains("key-0"));
    for (const char *gone : { "key-7", "name 0", "/p/q", "2\\" })
        QVERIFY2(!text.contains(gone), text.constData());
    for (const char *empty : { "[DirectoryHistory]\nsize=0\n", "[FilesHistory]\nsize=0\n" })
        QVERIFY2(text.contains(empty), text.constData());
}

void tst_Settings::history_data()
{
    QTest::addColumn<bool>("directories");
    // One add per item: a directory as "type:path", files separated by spaces.
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("directory: same path and type kept once, as newly given")
        << true << QStringList { "2:/x/a/b", "2:/x/c", "2:/x/a/b/../b" }
        << QStringList { "2:/x/a/b/../b", "2:/x/c" };
    QTest::newRow("directory: same path with another type stays")
        << true << QStringList { "2:/x/a", "3:/x/a" } << QStringList { "3:/x/a", "2:/x/a" };
    QTest::newRow("directory: case matters")
        << true << QStringList { "2:/x/A", "2:/x/a" } << QStringList { "2:/x/a", "2:/x/A" };
    QTest::newRow("files: reopened file moves to the front, a group keeps its order")
        << false << QStringList { "/a.ts /b.ts", "/c.ts", "/x/../b.ts" }
        << QStringList { "/x/../b.ts", "/c.ts", "/a.ts" };
    QTest::newRow("files: same file twice in one open")
        << false << QStringList { "/a.po /b.po /a.po" } << QStringList { "/a.po", "/b.po" };

    QStringList eleven;
    QStringList twelve;
    for (int i = 1; i <= 12; ++i) {
        eleven.append(QStringLiteral("2:/d%1").arg(i));
        twelve.append(QStringLiteral("/f%1.ts").arg(i));
    }
    eleven.removeLast();
    QTest::newRow("directory: eleventh drops the oldest")
        << true << eleven << QStringList(eleven.crbegin(), eleven.crend() - 1);
    QTest::newRow("files: twelve at once keep the first ten")
        << false << QStringList { "/old.ts", twelve.join(' ') } << twelve.mid(0, 10);
}

void tst_Settings::history()
{
    QFETCH(bool, directories);
    QFETCH(QStringList, added);
    QFETCH(QStringList, expected);

    // A store per step, as the program creates one wherever it needs it.
    for (const QString &item : added) {
        Settings settings(iniPath(), rolesPath());
        if (directories)
            settings.addDirectoryHistory(item.section(':', 1), item.section(':', 0, 0).toInt());
        else
            settings.addFilesHistory(item.split(' '));
    }
    Settings settings(iniPath(), rolesPath());
    QStringList actual = settings.filesHistory();
    if (directories) {
        actual.clear();
        for (const DirectoryHistoryEntry &entry : settings.directoryHistory())
            actual.append(QString::number(entry.type) + QLatin1Char(':') + entry.directory);
    }
    QCOMPARE(actual, expected);
}

void tst_Settings::role_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected");
    // roleNames, with "default.xml" and "Games.v2.xml" beside the row's file
    QTest::addColumn<QStringList>("names");

    const QByteArray full = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<anything>"
                            "<name>N</name><systemPrompt>S &amp; more</systemPrompt>"
                            "<assistantPrompt>A</assistantPrompt>"
                            "<userPrompt><![CDATA[U {{text list}} <b>]]></userPrompt>"
                            "<name>second</name></anything>";
    const QStringList nothing { "0", "", "", "", "" };
    const QStringList withR { "default", "Games", "r" };
    // clang-format off
    QTest::newRow("all four, first element wins") << "r.xml" << full << "r"
        << QStringList { "0", "N", "S & more", "A", "U {{text list}} <b>" } << withR;
    QTest::newRow("no assistantPrompt") << "r.xml"
        << QByteArray("<p><name>N</name><systemPrompt>S</systemPrompt><userPrompt>U</userPrompt></p>")
        << "r" << QStringList { "0", "N", "S", "", "U" } << withR;
    QTest::newRow("broken XML")             << "r.xml" << QByteArray("<p><name>N</nam") << "r" << nothing << withR;
    // Any file is listed, by name ignoring case, up to its first dot; only NAME.xml is read.
    QTest::newRow("only NAME.xml is read")  << "brief.XML" << full << "brief" << nothing
                                            << QStringList { "brief", "default", "Games" };
    QTest::newRow("name leaving the folder") << "r.xml" << full << "../roles/r" << nothing << withR;
    // clang-format on
}

void tst_Settings::role()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, names);

    QCOMPARE(Settings(iniPath(), rolesPath()).roleNames(), QStringList()); // no folder yet
    for (const char *other : { "default.xml", "Games.v2.xml" })
        QVERIFY(TestSupport::writeFile(rolesPath() + '/' + other, "<p><name>x</name></p>"));
    QVERIFY(TestSupport::writeFile(rolesPath() + '/' + file, content));
    const Settings settings(iniPath(), rolesPath());
    QCOMPARE(fields(settings.role(name)), expected);
    QCOMPARE(settings.roleNames(), names);
}

void tst_Settings::fileIsPrivate_data()
{
    QTest::addColumn<int>("before");

    QTest::newRow("new file") << -1;
    QTest::newRow("world-readable file") << 0644;
}

void tst_Settings::fileIsPrivate()
{
    QFETCH(int, before);

    if (before >= 0) {
        QVERIFY(TestSupport::writeFile(iniPath(), "[General]\nusedLLMId=1\n"));
        QCOMPARE(::chmod(QFile::encodeName(iniPath()).constData(), mode_t(before)), 0);
    }
    const auto mode = [](const QString &file) {
        struct stat info = {};
        return ::stat(QFile::encodeName(file).constData(), &info) == 0 ? int(info.st_mode & 07777)
                                                                       : -1;
    };
    Settings settings(iniPath(), rolesPath());
    QCOMPARE(mode(iniPath()), 0600);
    settings.saveLLMConfigurations({ configuration(1) });
    QCOMPARE(mode(iniPath()), 0600);
    if (before >= 0)
        QCOMPARE(settings.usedLLMId(), 1);

    // The store of the default location is private as well.
    Settings user;
    user.setUsedPromptId(1);
    QCOMPARE(mode(user.fileName()), 0600);
}

QTEST_GUILESS_MAIN(tst_Settings)
#include "tst_settings.moc"
