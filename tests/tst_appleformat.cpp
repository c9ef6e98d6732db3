#include "model/appletranslationmodel.h"
#include "support/checkers.h"
#include "support/modeltexts.h"
#include "support/testsupport.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using TestSupport::columnTexts;
using TestSupport::gnustepValues;
using TestSupport::rowOf;
using TestSupport::sfparseEntries;
using Table = QMap<QString, QString>;

class tst_AppleFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void readEntries_data();
    void readEntries();
    void encodings_data();
    void encodings();
    void typedTextIsEscaped_data();
    void typedTextIsEscaped();
    void realFilesRoundTrip_data();
    void realFilesRoundTrip();
    void saveKeepsWhatTheTableDoesNotShow();
    void brokenFileIsLeftAlone();
    void importAndExport();
    void openedFilesGoBackWhereTheyCameFrom();
    void catalogueAddsColumnOnly();

private:
    QString path(const QString &relative) const { return dir->filePath(relative); }
    // Writes `content` to `relative` and opens it alone in `model`.
    bool open(AppleTranslationModel &model, const QString &relative, const QByteArray &content)
    {
        return TestSupport::writeFile(path(relative), content)
            && model.openFiles({ path(relative) });
    }
    QScopedPointer<QTemporaryDir> dir;
};

namespace {

void readRow(const char *name, const QByteArray &content, const QStringList &keys,
    const QStringList &values, int gnustepEntries)
{
    QTest::newRow(name) << content << keys << values << gnustepEntries;
}

void escapeRow(
    const char *name, const QString &typed, const QString &inFile, const QString &meaning)
{
    QTest::newRow(name) << typed << inFile << meaning;
}

} // namespace

void tst_AppleFormat::initTestCase()
{
    // Strict UTF-8 for files without a byte order mark, as the corpus checker reads them.
    qputenv("GNUSTEP_STRING_ENCODING", "NSUTF8StringEncoding");
}

void tst_AppleFormat::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
}

void tst_AppleFormat::readEntries_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("gnustepEntries");

    // GNUstep takes no braced table and no empty file; Apple's parser takes both.
    readRow("comment and entry", "/* greeting */\n\"hello\" = \"Hallo\";\n", { "hello" },
        { "Hallo" }, 1);
    readRow("escapes are resolved", "\"q\\\"\" = \"say \\\"hi\\\"\\n\\\\ \\U00E9\\101\";\n",
        { "q\"" }, { "say \"hi\"\n\\ \u00E9A" }, 1);
    readRow("unquoted key has no trailing space", "key = \"v\";\nother=plain;\n",
        { "key", "other" }, { "v", "plain" }, 2);
    readRow("short form takes the key as value", "\"OK\";\n", { "OK" }, { "OK" }, 1);
    readRow("value over two lines", "\"a\" = \"line one\nline two\";\n\"b\" = \"B\";\n",
        { "a", "b" }, { "line one\nline two", "B" }, 2);
    readRow("several entries on one line, comments between tokens",
        "\"a\" /* x */ = // y\n \"A\"; \"b\" = \"B\"; // end\n", { "a", "b" }, { "A", "B" }, 2);
    readRow("empty value is an entry", "\"e\" = \"\";\n", { "e" }, { "" }, 1);
    readRow("braced dictionary", "{\n \"a\" = \"A\";\n}\n", { "a" }, { "A" }, -1);
    readRow(
        "CRLF line ends", "\"a\" = \"A\";\r\n\"b\" = \"B\";\r\n", { "a", "b" }, { "A", "B" }, 2);
    readRow("empty file", QByteArray(), {}, {}, -1);
}

void tst_AppleFormat::readEntries()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, values);
    QFETCH(int, gnustepEntries);

    AppleTranslationModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(open(model, "de.lproj/Localizable.strings", content));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "de" }));
    QCOMPARE(model.rowCount(), keys.size());
    for (int row = 0; row < keys.size(); ++row) {
        QCOMPARE(model.messageAt(row).id, keys.at(row));
        QCOMPARE(model.groupOf(row), QStringLiteral("Localizable"));
        QCOMPARE(model.cellText(model.index(row, 0)), values.at(row));
    }
    QCOMPARE(sfparseEntries(path("de.lproj/Localizable.strings")), gnustepEntries);
}

void tst_AppleFormat::encodings_data()
{
    QTest::addColumn<QStringConverter::Encoding>("encoding");
    QTest::addColumn<QByteArray>("bom");

    QTest::newRow("UTF-8") << QStringConverter::Utf8 << QByteArray();
    QTest::newRow("UTF-8 BOM") << QStringConverter::Utf8 << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("UTF-16LE BOM") << QStringConverter::Utf16LE << QByteArray("\xFF\xFE");
    QTest::newRow("UTF-16BE BOM") << QStringConverter::Utf16BE << QByteArray("\xFE\xFF");
    QTest::newRow("UTF-16LE") << QStringConverter::Utf16LE << QByteArray();
    QTest::newRow("Latin-1") << QStringConverter::Latin1 << QByteArray();
}

void tst_AppleFormat::encodings()
{
    QFETCH(QStringConverter::Encoding, encoding);
    QFETCH(QByteArray, bom);
    const auto encode = [&](const QString &text) {
        return bom + QStringEncoder(encoding).encode(text);
    };
    const QString original =
        QStringLiteral("/* Größe */\n\"size\" = \"Größe\";\n\"open\" = \"Öffnen\";\n");
    const QString file = path(QStringLiteral("de.lproj/Localizable.strings"));

    AppleTranslationModel model;
    QVERIFY(open(model, "de.lproj/Localizable.strings", encode(original)));
    QCOMPARE(columnTexts(model, 0), (Table { { "size", "Größe" }, { "open", "Öffnen" } }));

    // An unchanged save leaves the file as it was.
    QVERIFY(model.saveColumn(0));
    QCOMPARE(TestSupport::readAll(file), encode(original));

    // A typed text, even one the encoding cannot hold, goes into the same encoding; what
    // Latin-1 cannot hold is written as \U escapes (UTF-16 units).
    const QString typed = QStringLiteral("Öffnen…\n😀");
    QVERIFY(model.setData(model.index(rowOf(model, "open"), 0), typed));
    QVERIFY(model.saveColumn(0));
    const QString escaped = encoding == QStringConverter::Latin1
        ? QStringLiteral("Öffnen\\U2026\\n\\UD83D\\UDE00")
        : QStringLiteral("Öffnen…\\n😀");
    QCOMPARE(TestSupport::readAll(file),
        encode(QStringLiteral("/* Größe */\n\"size\" = \"Größe\";\n\"open\" = \"%1\";\n")
                   .arg(escaped)));
    const Table meaning { { "size", "Größe" }, { "open", typed } };
    // GNUstep reads UTF-16 only with a byte order mark, and no Latin-1.
    if (!bom.isEmpty() || encoding == QStringConverter::Utf8) {
        QCOMPARE(sfparseEntries(file), 2);
        QCOMPARE(gnustepValues(file, dir->path(), meaning.keys()), meaning);
    }

    AppleTranslationModel reopened;
    QVERIFY(reopened.openFiles({ file }));
    QCOMPARE(columnTexts(reopened, 0), meaning);
}

void tst_AppleFormat::typedTextIsEscaped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("inFile");
    QTest::addColumn<QString>("meaning");

    escapeRow("line break", "one\ntwo", "one\\ntwo", "one\ntwo");
    escapeRow("carriage return", "a\r\nb", "a\\r\\nb", "a\r\nb");
    escapeRow("double quote", "say \"hi\"", "say \\\"hi\\\"", "say \"hi\"");
    escapeRow("typed backslashes", "C:\\Users\\new", "C:\\\\Users\\\\new", "C:\\Users\\new");
    escapeRow("trailing backslash", "end\\", "end\\\\", "end\\");
    escapeRow("typed escape is text", "caf\\U00E9", "caf\\\\U00E9", "caf\\U00E9");
    escapeRow("control character", "bell\a", "bell\\U0007", "bell\a");
    escapeRow("tab stays", "a\tb", "a\tb", "a\tb");
    escapeRow("semicolon and equals", "a = b; c", "a = b; c", "a = b; c");
}

void tst_AppleFormat::typedTextIsEscaped()
{
    QFETCH(QString, typed);
    QFETCH(QString, inFile);
    QFETCH(QString, meaning);
    const QString file = path(QStringLiteral("en.lproj/Localizable.strings"));

    AppleTranslationModel model;
    QVERIFY(
        open(model, "en.lproj/Localizable.strings", "\"key\" = \"old\";\n\"other\" = \"x\";\n"));
    QVERIFY(model.setData(model.index(rowOf(model, "key"), 0), typed));
    QVERIFY(model.saveColumn(0));

    const QByteArray written = TestSupport::readAll(file);
    QCOMPARE(QString::fromUtf8(written),
        QStringLiteral("\"key\" = \"%1\";\n\"other\" = \"x\";\n").arg(inFile));
    QCOMPARE(sfparseEntries(file), 2);
    QCOMPARE(gnustepValues(file, dir->path(), { "key" }).value("key"), meaning);

    // Reading the file back shows what was written, and writing it again changes nothing.
    AppleTranslationModel reopened;
    QVERIFY(reopened.openFiles({ file }));
    QCOMPARE(reopened.cellText(reopened.index(rowOf(reopened, "key"), 0)), meaning);
    QVERIFY(reopened.saveColumn(0));
    QCOMPARE(TestSupport::readAll(file), written);
}

void tst_AppleFormat::realFilesRoundTrip_data()
{
    QTest::addColumn<QString>("language");

    // Shipped with GNUstep: plain ASCII, UTF-8 with a byte order mark, ASCII with \U escapes.
    QTest::newRow("en, ASCII") << "en";
    QTest::newRow("de, UTF-8 BOM") << "de";
    QTest::newRow("ko, unicode escapes") << "ko";
}

void tst_AppleFormat::realFilesRoundTrip()
{
    QFETCH(QString, language);
    const QString relative = language + QStringLiteral(".lproj/Localizable.strings");
    const QString file = path(relative);
    const QByteArray original =
        TestSupport::readAll(TestSupport::dataPath("strings/gnustep-base/" + relative));
    QVERIFY(TestSupport::writeFile(file, original));

    AppleTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    const Table before = columnTexts(model, 0);
    const QStringList keys = before.keys();
    QCOMPARE(sfparseEntries(file), int(keys.size()));
    QCOMPARE(gnustepValues(file, dir->path(), keys), before);

    QVERIFY(model.exportToDirectory());
    QCOMPARE(TestSupport::readAll(file), original);

    // An LLM answer with a line break and quotes changes that one value only.
    const QString answer = QStringLiteral("Zeile 1\n\"Zeile\" 2");
    QVERIFY(model.setData(model.index(3, 0), answer));
    QVERIFY(model.exportToDirectory());
    Table expected = before;
    expected.insert(model.messageAt(3).id, answer);
    QCOMPARE(sfparseEntries(file), int(keys.size()));
    QCOMPARE(gnustepValues(file, dir->path(), keys), expected);
}

void tst_AppleFormat::saveKeepsWhatTheTableDoesNotShow()
{
    const QString de = path(QStringLiteral("de.lproj/Main.strings"));
    QVERIFY(TestSupport::writeFile(de,
        "/* Menu */\n\"quit\" = \"Beenden\";\n\n"
        "// kept although empty\n\"empty\" = \"\";\n"
        "\"about\" = \"Über\";\n\"quit\" = \"Ende\";\n\"about\" = \"Info\";\n"
        "\"OK\";\n\"gone\" = \"weg\";"));
    QVERIFY(TestSupport::writeFile(path("en.lproj/Main.strings"),
        "\"quit\" = \"Quit\";\n\"about\" = \"About\";\n"
        "\"new\" = \"New\";\n\"another\" = \"Another\";\n"));

    AppleTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    const Table typed { { "quit", "Schließen" }, { "gone", "" }, { "new", "Neu" },
        { "another", "Noch" }, { "OK", "Gut" } };
    for (auto it = typed.cbegin(); it != typed.cend(); ++it)
        QVERIFY(model.setData(model.index(rowOf(model, it.key()), 0), it.value()));
    QVERIFY(model.saveColumn(0));

    // Comments, order, the empty entry and the cleared one stay; new keys follow in order. A
    // changed key written twice changes in both places; an unchanged one keeps both values.
    QCOMPARE(QString::fromUtf8(TestSupport::readAll(de)),
        QStringLiteral("/* Menu */\n\"quit\" = \"Schließen\";\n\n"
                       "// kept although empty\n\"empty\" = \"\";\n"
                       "\"about\" = \"Über\";\n\"quit\" = \"Schließen\";\n\"about\" = \"Info\";\n"
                       "\"OK\" = \"Gut\";\n\"gone\" = \"weg\";\n"
                       "\"another\" = \"Noch\";\n\"new\" = \"Neu\";\n"));
    QCOMPARE(sfparseEntries(de), 7);
    QCOMPARE(gnustepValues(de, dir->path(), { "OK", "empty", "quit" }),
        (Table { { "OK", "Gut" }, { "empty", "" }, { "quit", "Schließen" } }));
}

void tst_AppleFormat::brokenFileIsLeftAlone()
{
    // Shipped by GWorkspace with a missing ';' at line 16, which GNUstep rejects too.
    const QString file = path(QStringLiteral("nb.lproj/Localizable.strings"));
    const QByteArray original =
        TestSupport::readAll(TestSupport::dataPath("strings/broken/nb.lproj/Localizable.strings"));
    QVERIFY(TestSupport::writeFile(file, original));
    QCOMPARE(sfparseEntries(file), -1);

    AppleTranslationModel model;
    // What can be read around the bad lines is shown, and each is reported.
    for (const char *line : { ":16: .*missing ';'", ":173: ", ":174: ", ":270: ", ":291: " })
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(line));
    QVERIFY(model.openFiles({ file }));
    QVERIFY(rowOf(model, "Empty Recycler") > 0 && rowOf(model, "Sort by") > 0);
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("changed")));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(":16: Not written"));
    QVERIFY(!model.saveColumn(0));
    QCOMPARE(TestSupport::readAll(file), original);
}

void tst_AppleFormat::importAndExport()
{
    QVERIFY(
        TestSupport::writeFile(path("en.lproj/Localizable.strings"), "\"hello\" = \"Hello\";\n"));
    QVERIFY(TestSupport::writeFile(path("en.lproj/Other.strings"), "\"bye\" = \"Bye\";\n"));
    QVERIFY(
        TestSupport::writeFile(path("de.lproj/Localizable.strings"), "\"hello\" = \"Hallo\";\n"));

    AppleTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "de", "en" }));
    QCOMPARE(model.projectDirectory(), dir->path());
    // A group the language lacks gets its own new file.
    QVERIFY(model.setData(model.index(rowOf(model, "bye"), 0), QStringLiteral("Tschüss")));
    QVERIFY(model.exportToDirectory());
    QCOMPARE(TestSupport::readAll(path("de.lproj/Other.strings")),
        QStringLiteral("\"bye\" = \"Tschüss\";\n").toUtf8());
    QCOMPARE(sfparseEntries(path("de.lproj/Other.strings")), 1);
    QCOMPARE(TestSupport::readAll(path("de.lproj/Localizable.strings")),
        QByteArray("\"hello\" = \"Hallo\";\n"));

    AppleTranslationModel missing;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no such folder"));
    QVERIFY(!missing.importFromDirectory(path("nowhere")));
}

void tst_AppleFormat::openedFilesGoBackWhereTheyCameFrom()
{
    // Two language directories that are not side by side: the set's directory is the first
    // file's, the language comes from each directory's name, and each column goes back to the
    // file it came from, not to one named after the group's first word.
    const QString hans = path(QStringLiteral("a/zh-Hans.lproj/App.v2.strings"));
    const QString base = path(QStringLiteral("b/Base.lproj/App.v2.strings"));
    QVERIFY(TestSupport::writeFile(hans, "\"k\" = \"值\";\n"));
    QVERIFY(TestSupport::writeFile(base, "\"k\" = \"value\";\n\"l\" = \"L\";\n"));

    AppleTranslationModel model;
    QVERIFY(model.openFiles({ hans, base }));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "zh-Hans", "Base" }));
    QCOMPARE(model.groupOf(0), QStringLiteral("App.v2"));
    QCOMPARE(model.projectDirectory(), QFileInfo(path("a/zh-Hans.lproj")).absoluteFilePath());
    QVERIFY(model.setData(model.index(rowOf(model, "l"), 0), QStringLiteral("升")));
    QVERIFY(model.setData(model.index(rowOf(model, "k"), 1), QStringLiteral("new")));
    QVERIFY(model.exportToDirectory());
    QCOMPARE(QString::fromUtf8(TestSupport::readAll(hans)),
        QStringLiteral("\"k\" = \"值\";\n\"l\" = \"升\";\n"));
    QCOMPARE(TestSupport::readAll(base), QByteArray("\"k\" = \"new\";\n\"l\" = \"L\";\n"));
    QVERIFY(!QFile::exists(path("a/zh-Hans.lproj/App.strings")));
    QVERIFY(!QFile::exists(path("a/zh-Hans.lproj/zh-Hans.lproj")));

    // Without any language directory there is nothing to export into.
    QVERIFY(QDir(path("a")).removeRecursively());
    QVERIFY(QDir(path("b")).removeRecursively());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no folder for the language"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no folder for the language"));
    QVERIFY(!model.exportToDirectory());
}

void tst_AppleFormat::catalogueAddsColumnOnly()
{
    const QString catalogue = QStringLiteral("en.lproj/Localizable.xcstrings");
    AppleTranslationModel model;
    QVERIFY(open(model, catalogue,
        "{\n  \"sourceLanguage\" : \"en\",\n  \"strings\" : {\n"
        "    \"hello\" : { }\n  },\n  \"version\" : \"1.0\"\n}\n"));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "en" }));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnFilePath(0), path(catalogue));
}

QTEST_GUILESS_MAIN(tst_AppleFormat)
#include "tst_appleformat.moc"
