#include "model/appletranslationmodel.h"
#include "support/checkers.h"
#include "support/formatfiles.h"
#include "support/testsupport.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace FormatFiles;
using TestSupport::gnustepValues;
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
    void saveKeepsWhatTheTableDoesNotShow();
    void columnsGoBackWhereTheyCameFrom();
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
    using B = QByteArray;
    using L = QStringList;
    // GNUstep takes no braced table and no empty file; Apple's parser takes both.
    QTest::newRow("comment and entry")
        << B("/* greeting */\n\"hello\" = \"Hallo\";\r\n") << L { "hello" } << L { "Hallo" } << 1;
    QTest::newRow("escapes are resolved")
        << B("\"q\\\"\" = \"say \\\"hi\\\"\\n\\\\ \\U00E9\\101\";\n") << L { "q\"" }
        << L { "say \"hi\"\n\\ \u00E9A" } << 1;
    QTest::newRow("unquoted and short forms")
        << B("key = \"v\";\nother=plain;\n\"OK\";\n") << L { "key", "other", "OK" }
        << L { "v", "plain", "OK" } << 3;
    QTest::newRow("value over two lines, empty value")
        << B("\"a\" = \"line one\nline two\";\n\"b\" = \"\";\n") << L { "a", "b" }
        << L { "line one\nline two", "" } << 2;
    QTest::newRow("comments between tokens")
        << B("\"a\" /* x */ = // y\n \"A\"; \"b\" = \"B\"; // end\n") << L { "a", "b" }
        << L { "A", "B" } << 2;
    QTest::newRow("braced dictionary")
        << B("{\n \"a\" = \"A\";\n}\n") << L { "a" } << L { "A" } << -1;
    QTest::newRow("empty file") << B() << L {} << L {} << -1;
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

void tst_AppleFormat::columnsGoBackWhereTheyCameFrom()
{
    // Two language directories that are not side by side: the set's directory is the first
    // file's, the language comes from each directory's name, and each column goes back to the
    // file it came from, not to one named after the group's first word.
    const QString hans = path(QStringLiteral("a/zh-Hans.lproj/App.v2.strings"));
    const QString base = path(QStringLiteral("b/Base.lproj/App.v2.strings"));
    QVERIFY(TestSupport::writeFile(hans, "\"k\" = \"值\";\n"));
    QVERIFY(TestSupport::writeFile(base, "\"k\" = \"value\";\n\"l\" = \"L\";\n"));
    QVERIFY(TestSupport::writeFile(path("b/Base.lproj/Other.strings"), "\"bye\" = \"Bye\";\n"));

    AppleTranslationModel model;
    QVERIFY(model.openFiles({ hans, base, path("b/Base.lproj/Other.strings") }));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "zh-Hans", "Base", "Base" }));
    QCOMPARE(model.groupOf(0), QStringLiteral("App.v2"));
    QCOMPARE(model.projectDirectory(), QFileInfo(path("a/zh-Hans.lproj")).absoluteFilePath());
    QVERIFY(model.setData(model.index(rowOf(model, "l"), 0), QStringLiteral("升")));
    QVERIFY(model.setData(model.index(rowOf(model, "k"), 1), QStringLiteral("new")));
    // A group the language lacks gets its own new file.
    QVERIFY(model.setData(model.index(rowOf(model, "bye"), 0), QStringLiteral("再见")));
    QVERIFY(model.exportToDirectory());
    QCOMPARE(QString::fromUtf8(TestSupport::readAll(hans)),
        QStringLiteral("\"k\" = \"值\";\n\"l\" = \"升\";\n"));
    QCOMPARE(TestSupport::readAll(base), QByteArray("\"k\" = \"new\";\n\"l\" = \"L\";\n"));
    QCOMPARE(QString::fromUtf8(TestSupport::readAll(path("a/zh-Hans.lproj/Other.strings"))),
        QStringLiteral("\"bye\" = \"再见\";\n"));
    QCOMPARE(sfparseEntries(path("a/zh-Hans.lproj/Other.strings")), 1);
    QVERIFY(!QFile::exists(path("a/zh-Hans.lproj/App.strings")));

    // A language folder gone since the set was opened fails the export; the others are written.
    QVERIFY(QDir(path("b")).removeRecursively());
    QVERIFY(model.setData(model.index(rowOf(model, "l"), 0), QStringLiteral("降")));
    expectLog(QtWarningMsg, "no folder for the language");
    QVERIFY(!model.exportToDirectory());
    QVERIFY(TestSupport::readAll(hans).contains("降"));
    QVERIFY(QDir(path("a")).removeRecursively());
    expectLog(QtWarningMsg, "no folder for the language");
    expectLog(QtWarningMsg, "no folder for the language");
    QVERIFY(!model.exportToDirectory());
    expectLog(QtWarningMsg, "no such folder");
    QVERIFY(!AppleTranslationModel().importFromDirectory(path("nowhere")));
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
