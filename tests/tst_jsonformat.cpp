#include "model/commonjsontranslationmodel.h"
#include "support/testsupport.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class tst_JsonFormat : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readShapes_data();
    void readShapes();
    void saveKeepsShape_data();
    void saveKeepsShape();
    void indentationIsKept_data();
    void indentationIsKept();
    void newKeysTakeTheFileShape_data();
    void newKeysTakeTheFileShape();
    void newFileTakesSiblingShape();
    void emptyFileIsFilled();
    void realFilesRoundTrip_data();
    void realFilesRoundTrip();
    void brokenFileIsLeftAlone_data();
    void brokenFileIsLeftAlone();
    void keyNamingAnObjectIsNotWritten();
    void importAndExport();

private:
    QString path(const QString &relative) const { return dir->filePath(relative); }
    QScopedPointer<QTemporaryDir> dir;
};

namespace {

// What the real i18next library resolves for "namespace:key" in one language of a
// <dir>/<lang>/<ns>.json layout; a missing key maps to a null value.
QJsonObject i18nextResolve(const QString &root, const QString &language, const QStringList &keys)
{
    QString output;
    TestSupport::run(QStringLiteral(PARLONEX_NODE),
        QStringList { QStringLiteral(PARLONEX_I18NEXT_CHECK), "--prefix",
            QStringLiteral(PARLONEX_I18NEXT_PREFIX), "--json", root, language }
            + keys,
        &output);
    // Warnings about folder names go to the same channel, before the JSON.
    const qsizetype start = output.indexOf(u'{');
    const QJsonDocument document =
        QJsonDocument::fromJson(output.mid(start, output.lastIndexOf(u'}') + 1 - start).toUtf8());
    return document.object().value("values").toObject();
}

// i18next-check --all: every string leaf of every namespace comes back through t().
int i18nextCheckAll(const QString &root, QString *output)
{
    return TestSupport::run(QStringLiteral(PARLONEX_NODE),
        { QStringLiteral(PARLONEX_I18NEXT_CHECK), "--prefix",
            QStringLiteral(PARLONEX_I18NEXT_PREFIX), "--all", root },
        output);
}

QStringList namespacedKeys(const TranslationModel &model)
{
    QStringList keys;
    for (int row = 0; row < model.rowCount(); ++row)
        keys.append(model.groupOf(row) + u':' + model.messageAt(row).id);
    return keys;
}

QMap<QString, QString> column(const TranslationModel &model, int column)
{
    QMap<QString, QString> texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString text = model.cellText(model.index(row, column));
        if (!text.isEmpty())
            texts.insert(model.messageAt(row).id, text);
    }
    return texts;
}

int rowOf(const TranslationModel &model, const QString &id)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.messageAt(row).id == id)
            return row;
    }
    return -1;
}

QJsonObject jsonObject(const QString &file)
{
    QByteArray bytes = TestSupport::readAll(file);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.mid(3);
    return QJsonDocument::fromJson(bytes).object();
}

void setLeaf(QJsonObject &object, const QStringList &names, const QJsonValue &value)
{
    if (names.size() == 1) {
        object.insert(names.first(), value);
        return;
    }
    QJsonObject child = object.value(names.first()).toObject();
    setLeaf(child, names.mid(1), value);
    object.insert(names.first(), child);
}

} // namespace

void tst_JsonFormat::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
}

void tst_JsonFormat::readShapes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("flat, keys in ascending order")
        << QByteArray(R"({"b": "B", "a": "A"})") << QStringList { "a", "b" }
        << QStringList { "A", "B" };
    QTest::newRow("one level") << QByteArray(R"({"menu": {"open": "Open", "quit": "Quit"}})")
                               << QStringList { "menu.open", "menu.quit" }
                               << QStringList { "Open", "Quit" };
    QTest::newRow("three levels") << QByteArray(
        R"({"a": {"b": {"c": "deep"}, "d": "D"}, "e": "E"})")
                                  << QStringList { "a.b.c", "a.d", "e" }
                                  << QStringList { "deep", "D", "E" };
    QTest::newRow("non-string members are not shown")
        << QByteArray(R"({"n": 1, "t": true, "z": null, "l": ["x"], "g": {"k": 2, "s": "S"}})")
        << QStringList { "g.s" } << QStringList { "S" };
    QTest::newRow("flat keys holding dots")
        << QByteArray(R"({"theme.common.close": "Close"})") << QStringList { "theme.common.close" }
        << QStringList { "Close" };
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF{\"a\": \"\xC3\xA4\"}")
                                     << QStringList { "a" } << QStringList { "ä" };
    QTest::newRow("empty string is an entry")
        << QByteArray(R"({"a": ""})") << QStringList { "a" } << QStringList { "" };
    QTest::newRow("empty object") << QByteArray("{}") << QStringList {} << QStringList {};
    QTest::newRow("empty file") << QByteArray("\n") << QStringList {} << QStringList {};
}

void tst_JsonFormat::readShapes()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, texts);
    const QString file = path(QStringLiteral("en/common.json"));
    QVERIFY(TestSupport::writeFile(file, content));

    CommonJSONTranslationModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model.openFiles({ file }));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "en" }));
    QCOMPARE(model.rowCount(), keys.size());
    for (int row = 0; row < keys.size(); ++row) {
        QCOMPARE(model.messageAt(row).id, keys.at(row));
        QCOMPARE(model.groupOf(row), QStringLiteral("common"));
        QCOMPARE(model.cellText(model.index(row, 0)), texts.at(row));
    }
    // The dotted keys are the ones the application asks i18next for.
    const QJsonObject resolved = i18nextResolve(dir->path(), "en", namespacedKeys(model));
    for (int row = 0; row < keys.size(); ++row)
        QCOMPARE(resolved.value("common:" + keys.at(row)).toString(), texts.at(row));
}

void tst_JsonFormat::saveKeepsShape_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QStringList>("leaf");

    QTest::newRow("flat") << QByteArray("{\n    \"a\": \"A\",\n    \"b\": \"B\"\n}\n") << "b"
                          << QStringList { "b" };
    QTest::newRow("flat dotted keys")
        << QByteArray("{\n  \"theme.a\": \"A\",\n  \"theme.b\": \"B\"\n}\n") << "theme.b"
        << QStringList { "theme.b" };
    QTest::newRow("one level") << QByteArray(
        R"({"menu": {"open": "Open", "quit": "Quit"}, "title": "T"})")
                               << "menu.quit" << QStringList { "menu", "quit" };
    QTest::newRow("three levels") << QByteArray(
        R"({"a": {"b": {"c": "deep", "x": "X"}}, "e": "E"})")
                                  << "a.b.c" << QStringList { "a", "b", "c" };
    QTest::newRow("dotted key inside an object")
        << QByteArray(R"({"a": {"b.c": "dotted", "x": "X"}})") << "a.b.c"
        << QStringList { "a", "b.c" };
    QTest::newRow("non-string members")
        << QByteArray(R"({"n": 1.5, "i": 9007199254740991, "t": false, "z": null, "l": [1, "two"],)"
                      R"( "g": {"k": 2, "s": "S"}, "s": "top"})")
        << "g.s" << QStringList { "g", "s" };
    QTest::newRow("byte order mark")
        << QByteArray("\xEF\xBB\xBF{\"a\": \"A\", \"b\": \"B\"}") << "a" << QStringList { "a" };
}

void tst_JsonFormat::saveKeepsShape()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, edited);
    QFETCH(QStringList, leaf);
    const QString file = path(QStringLiteral("en/app.json"));
    QVERIFY(TestSupport::writeFile(file, content));
    const QJsonObject before = jsonObject(file);

    CommonJSONTranslationModel model;
    QVERIFY(model.openFiles({ file }));
    const QStringList keys = namespacedKeys(model);
    const QJsonObject resolvedBefore = i18nextResolve(dir->path(), "en", keys);

    // Nothing changed: the file is not touched at all.
    QVERIFY(model.saveColumn(0));
    QCOMPARE(TestSupport::readAll(file), content);

    const QMap<QString, QString> texts = column(model, 0);
    QVERIFY(
        model.setData(model.index(rowOf(model, edited), 0), QStringLiteral("new \"text\"\nhere")));
    QVERIFY(model.saveColumn(0));

    // Every member is where it was, non-string ones included; only the edited leaf differs.
    QJsonObject expected = before;
    setLeaf(expected, leaf, QStringLiteral("new \"text\"\nhere"));
    QCOMPARE(jsonObject(file), expected);
    QCOMPARE(
        TestSupport::readAll(file).startsWith("\xEF\xBB\xBF"), content.startsWith("\xEF\xBB\xBF"));

    CommonJSONTranslationModel reopened;
    QVERIFY(reopened.openFiles({ file }));
    QMap<QString, QString> expectedTexts = texts;
    expectedTexts.insert(edited, QStringLiteral("new \"text\"\nhere"));
    QCOMPARE(column(reopened, 0), expectedTexts);

    QJsonObject resolvedExpected = resolvedBefore;
    resolvedExpected.insert("app:" + edited, QStringLiteral("new \"text\"\nhere"));
    QCOMPARE(i18nextResolve(dir->path(), "en", keys), resolvedExpected);
}

void tst_JsonFormat::indentationIsKept_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("two spaces") << QByteArray("{\n  \"a\": \"A\",\n  \"b\": \"B\"\n}\n")
                                << QByteArray("{\n  \"a\": \"A\",\n  \"b\": \"X\"\n}\n");
    QTest::newRow("tabs, nested") << QByteArray(
        "{\n\t\"g\": {\n\t\t\"b\": \"B\",\n\t\t\"l\": [1, 2]\n\t}\n}\n")
                                  << QByteArray("{\n\t\"g\": {\n\t\t\"b\": \"X\",\n\t\t\"l\": "
                                                "[\n\t\t\t1,\n\t\t\t2\n\t\t]\n\t}\n}\n");
    QTest::newRow("member order, arrays")
        << QByteArray("{\n  \"z\": \"Z\",\n  \"b\": \"B\",\n  \"a\": {\"y\": [1, {\"q\": true}], "
                      "\"x\": \"x\"}\n}\n")
        << QByteArray("{\n  \"z\": \"Z\",\n  \"b\": \"X\",\n  \"a\": {\n    \"y\": [\n      1,\n"
                      "      {\n        \"q\": true\n      }\n    ],\n    \"x\": \"x\"\n  }\n}\n");
    QTest::newRow("CRLF, no final line end")
        << QByteArray("{\r\n  \"b\": \"B\",\r\n  \"a\": \"A\"\r\n}")
        << QByteArray("{\r\n  \"b\": \"X\",\r\n  \"a\": \"A\"\r\n}");
    QTest::newRow("one line") << QByteArray(R"({"b": "B"})")
                              << QByteArray("{\n    \"b\": \"X\"\n}");
}

void tst_JsonFormat::indentationIsKept()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, expected);
    const QString file = path(QStringLiteral("en/app.json"));
    QVERIFY(TestSupport::writeFile(file, content));

    CommonJSONTranslationModel model;
    QVERIFY(model.openFiles({ file }));
    const int row = qMax(rowOf(model, "b"), rowOf(model, "g.b"));
    QVERIFY(model.setData(model.index(row, 0), QStringLiteral("X")));
    QVERIFY(model.saveColumn(0));
    QCOMPARE(TestSupport::readAll(file), expected);
}

void tst_JsonFormat::newKeysTakeTheFileShape_data()
{
    QTest::addColumn<QByteArray>("german");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("nested file nests new keys")
        << QByteArray(R"({"menu": {"open": "Öffnen"}})")
        << QByteArray(
               R"({"menu": {"open": "Öffnen", "file": {"quit": "Ende"}}, "title": "Titel"})");
    QTest::newRow("flat file keeps new keys dotted")
        << QByteArray(R"({"menu.open": "Öffnen"})")
        << QByteArray(R"({"menu.open": "Öffnen", "menu.file.quit": "Ende", "title": "Titel"})");
    QTest::newRow("name taken by a string stays dotted below it")
        << QByteArray(R"({"menu": {"open": "Öffnen", "file": "Datei"}})")
        << QByteArray(
               R"({"menu": {"open": "Öffnen", "file": "Datei", "file.quit": "Ende"}, "title": "Titel"})");
}

void tst_JsonFormat::newKeysTakeTheFileShape()
{
    QFETCH(QByteArray, german);
    QFETCH(QByteArray, expected);
    QVERIFY(TestSupport::writeFile(path("en/app.json"),
        R"({"menu": {"open": "Open", "file": {"quit": "Quit"}}, "title": "Title"})"));
    QVERIFY(TestSupport::writeFile(path("de/app.json"), german));

    CommonJSONTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "de", "en" }));
    QVERIFY(model.setData(model.index(rowOf(model, "menu.file.quit"), 0), QStringLiteral("Ende")));
    QVERIFY(model.setData(model.index(rowOf(model, "title"), 0), QStringLiteral("Titel")));
    QVERIFY(model.exportToDirectory());

    QCOMPARE(jsonObject(path("de/app.json")), QJsonDocument::fromJson(expected).object());
    const QJsonObject resolved =
        i18nextResolve(dir->path(), "de", { "app:menu.file.quit", "app:title" });
    QCOMPARE(resolved.value("app:menu.file.quit").toString(), QStringLiteral("Ende"));
    QCOMPARE(resolved.value("app:title").toString(), QStringLiteral("Titel"));
}

void tst_JsonFormat::newFileTakesSiblingShape()
{
    QVERIFY(TestSupport::writeFile(path("en/nested.json"), R"({"a": {"b": "B"}})"));
    QVERIFY(TestSupport::writeFile(path("en/flat.json"), R"({"x.y": "XY"})"));
    QVERIFY(TestSupport::writeFile(path("fr/other.json"), R"({"o": "O"})"));

    CommonJSONTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    QVERIFY(model.setData(model.index(rowOf(model, "a.b"), 1), QStringLiteral("Bé")));
    QVERIFY(model.setData(model.index(rowOf(model, "x.y"), 1), QStringLiteral("XY fr")));
    QVERIFY(model.exportToDirectory());

    QCOMPARE(jsonObject(path("fr/nested.json")),
        QJsonDocument::fromJson(R"({"a": {"b": "Bé"}})").object());
    QCOMPARE(
        jsonObject(path("fr/flat.json")), QJsonDocument::fromJson(R"({"x.y": "XY fr"})").object());
    QCOMPARE(jsonObject(path("fr/other.json")), QJsonDocument::fromJson(R"({"o": "O"})").object());
}

void tst_JsonFormat::emptyFileIsFilled()
{
    QVERIFY(TestSupport::writeFile(path("en/common.json"), R"({"a": {"b": "B"}})"));
    QVERIFY(TestSupport::writeFile(path("fr/common.json"), ""));

    CommonJSONTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    QVERIFY(model.setData(model.index(0, 1), QStringLiteral("Bé")));
    QVERIFY(model.saveColumn(1));
    // An empty file has no shape of its own; it takes the nesting of the other languages.
    QCOMPARE(jsonObject(path("fr/common.json")),
        QJsonDocument::fromJson(R"({"a": {"b": "Bé"}})").object());
    QString output;
    QCOMPARE(i18nextCheckAll(dir->path(), &output), 0);
}

void tst_JsonFormat::realFilesRoundTrip_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("language");

    // node-red: one nested level; docusaurus: flat keys full of dots, two-space indents.
    QTest::newRow("node-red") << "node-red"
                              << "de";
    QTest::newRow("docusaurus") << "docusaurus"
                                << "fr";
}

void tst_JsonFormat::realFilesRoundTrip()
{
    QFETCH(QString, sample);
    QFETCH(QString, language);
    const QDir source(TestSupport::dataPath("json/" + sample));
    QMap<QString, QByteArray> originals;
    for (const QString &languageDirectory : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QString &name :
            QDir(source.filePath(languageDirectory)).entryList(QDir::Files)) {
            const QString relative = languageDirectory + u'/' + name;
            originals.insert(relative, TestSupport::readAll(source.filePath(relative)));
            QVERIFY(TestSupport::writeFile(path(relative), originals.value(relative)));
        }
    }
    QVERIFY(originals.size() >= 3);

    CommonJSONTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    const int languageColumn = model.columnList().indexOf(language) - model.leadingColumnCount();
    QVERIFY(languageColumn >= 0);
    const QStringList keys = namespacedKeys(model);
    const QJsonObject resolvedBefore = i18nextResolve(dir->path(), language, keys);

    QVERIFY(model.exportToDirectory());
    for (auto it = originals.cbegin(); it != originals.cend(); ++it)
        QCOMPARE(TestSupport::readAll(path(it.key())), it.value());

    // Changing one text changes one line: order, layout and escapes stay as they were.
    int changed = model.rowCount() / 2;
    while (changed > 0 && model.cellText(model.index(changed, languageColumn)).isEmpty())
        --changed;
    QVERIFY(model.setData(model.index(changed, languageColumn), QStringLiteral("geändert \"x\"")));
    QVERIFY(model.exportToDirectory());
    const QString changedFile = language + u'/' + model.groupOf(changed) + QStringLiteral(".json");
    const QList<QByteArray> linesBefore = originals.value(changedFile).split('\n');
    const QList<QByteArray> linesAfter = TestSupport::readAll(path(changedFile)).split('\n');
    QCOMPARE(linesAfter.size(), linesBefore.size());
    int changedLines = 0;
    for (qsizetype line = 0; line < linesBefore.size(); ++line)
        changedLines += linesBefore.at(line) != linesAfter.at(line);
    QCOMPARE(changedLines, 1);

    // Fill an empty cell (a key this language lacks or the first key) and change another.
    int row = 0;
    while (
        row < model.rowCount() - 1 && !model.cellText(model.index(row, languageColumn)).isEmpty())
        ++row;
    QVERIFY(model.setData(model.index(row, languageColumn), QStringLiteral("neu «1»")));
    const int other = row == 0 ? 1 : 0;
    QVERIFY(model.setData(model.index(other, languageColumn), QStringLiteral("{{ x }} geändert")));
    QVERIFY(model.exportToDirectory());

    QString output;
    QVERIFY2(i18nextCheckAll(dir->path(), &output) == 0, qPrintable(output));
    QJsonObject expected = resolvedBefore;
    expected.insert(keys.at(row), QStringLiteral("neu «1»"));
    expected.insert(keys.at(other), QStringLiteral("{{ x }} geändert"));
    if (changed != other)
        expected.insert(keys.at(changed), QStringLiteral("geändert \"x\""));
    QCOMPARE(i18nextResolve(dir->path(), language, keys), expected);

    CommonJSONTranslationModel reopened;
    QVERIFY(reopened.importFromDirectory(dir->path()));
    QCOMPARE(namespacedKeys(reopened), keys);
    for (int c = 0; c < model.columnCount(); ++c)
        QCOMPARE(column(reopened, c), column(model, c));
}

void tst_JsonFormat::brokenFileIsLeftAlone_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("warning");

    QTest::newRow("not JSON") << QByteArray("{\"a\": \"A\",\n<<<<<<< HEAD\n") << "line 2";
    QTest::newRow("top-level array") << QByteArray(R"(["a", "b"])") << "not an object";
}

void tst_JsonFormat::brokenFileIsLeftAlone()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, warning);
    QVERIFY(TestSupport::writeFile(path("en/common.json"), R"({"a": "A"})"));
    QVERIFY(TestSupport::writeFile(path("de/common.json"), content));

    CommonJSONTranslationModel model;
    QTest::ignoreMessage(
        QtWarningMsg, QRegularExpression("Failed to parse JSON file .*" + warning));
    QVERIFY(model.importFromDirectory(dir->path()));
    QCOMPARE(model.rowCount(), 1);
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("A-de")));

    QTest::ignoreMessage(
        QtCriticalMsg, QRegularExpression("Failed to open file for writing: .* does not parse"));
    QVERIFY(!model.saveColumn(0));
    QCOMPARE(TestSupport::readAll(path("de/common.json")), content);
}

void tst_JsonFormat::keyNamingAnObjectIsNotWritten()
{
    QVERIFY(TestSupport::writeFile(path("en/common.json"), R"({"menu": "Menu", "ok": "OK"})"));
    QVERIFY(TestSupport::writeFile(path("de/common.json"), R"({"menu": {"open": "Öffnen"}})"));

    CommonJSONTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    QVERIFY(model.setData(model.index(rowOf(model, "menu"), 0), QStringLiteral("Menü")));
    QVERIFY(model.setData(model.index(rowOf(model, "ok"), 0), QStringLiteral("OK")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Not written, an object of that name"));
    QVERIFY(!model.saveColumn(0));
    QCOMPARE(jsonObject(path("de/common.json")),
        QJsonDocument::fromJson(R"({"menu": {"open": "Öffnen"}, "ok": "OK"})").object());
}

void tst_JsonFormat::importAndExport()
{
    QVERIFY(TestSupport::writeFile(path("en/common.json"), R"({"hello": "Hello", "bye": "Bye"})"));
    QVERIFY(TestSupport::writeFile(path("pt.BR/common.json"), R"({"hello": "Olá"})"));
    QVERIFY(TestSupport::writeFile(path("notes.txt"), "not a language"));

    CommonJSONTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "en", "pt" }));
    QVERIFY(model.setData(model.index(rowOf(model, "bye"), 1), QStringLiteral("Tchau")));
    // A cleared cell is not written, and its member stays in the file.
    QVERIFY(model.setData(model.index(rowOf(model, "hello"), 0), QString()));
    QVERIFY(model.setData(model.index(rowOf(model, "bye"), 0), QStringLiteral("Goodbye")));

    // The column pt goes back into pt.BR, where its file came from.
    QVERIFY(model.exportToDirectory());
    QCOMPARE(jsonObject(path("en/common.json")),
        QJsonDocument::fromJson(R"({"hello": "Hello", "bye": "Goodbye"})").object());
    QCOMPARE(jsonObject(path("pt.BR/common.json")),
        QJsonDocument::fromJson(R"({"hello": "Olá", "bye": "Tchau"})").object());
    QVERIFY(!QDir(path("pt")).exists());

    CommonJSONTranslationModel missing;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no such directory"));
    QVERIFY(!missing.importFromDirectory(path("nowhere")));

    CommonJSONTranslationModel empty;
    QVERIFY(empty.openFiles({}));
    QVERIFY(!empty.exportToDirectory());
}

QTEST_GUILESS_MAIN(tst_JsonFormat)
#include "tst_jsonformat.moc"
