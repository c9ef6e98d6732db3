#include "model/commonjsontranslationmodel.h"
#include "support/checkers.h"
#include "support/formatfiles.h"
#include "support/testsupport.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace FormatFiles;
using TestSupport::i18nextResolve;

class tst_JsonFormat : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void shapes_data();
    void shapes();
    void indentationIsKept_data();
    void indentationIsKept();
    void newKeysTakeTheFileShape_data();
    void newKeysTakeTheFileShape();
    void importAndExport();

private:
    QString path(const QString &relative) const { return dir->filePath(relative); }
    QScopedPointer<QTemporaryDir> dir;
};

namespace {

QStringList namespacedKeys(const TranslationModel &model)
{
    QStringList keys;
    for (int row = 0; row < model.rowCount(); ++row)
        keys.append(model.groupOf(row) + u':' + model.messageAt(row).id);
    return keys;
}

QJsonObject json(const QByteArray &text)
{
    return QJsonDocument::fromJson(text.startsWith("\xEF\xBB\xBF") ? text.mid(3) : text).object();
}

QJsonObject jsonFile(const QString &file)
{
    return json(TestSupport::readAll(file));
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

template <typename... Values> void row(const char *name, const Values &...values)
{
    (QTest::newRow(name) << ... << values);
}

} // namespace

void tst_JsonFormat::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
}

void tst_JsonFormat::shapes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("edited"); // the edited member's path in the file

    using B = QByteArray;
    using L = QStringList;
    row("flat, keys in ascending order", B(R"({"b": "B", "a": "A"})"), L { "a", "b" },
        L { "A", "B" }, L { "b" });
    row("one level", B(R"({"menu": {"open": "Open", "quit": "Quit"}, "title": "T"})"),
        L { "menu.open", "menu.quit", "title" }, L { "Open", "Quit", "T" }, L { "menu", "quit" });
    row("three levels", B(R"({"a": {"b": {"c": "deep", "x": "X"}, "d": "D"}, "e": "E"})"),
        L { "a.b.c", "a.b.x", "a.d", "e" }, L { "deep", "X", "D", "E" }, L { "a", "b", "c" });
    row("dotted key inside an object", B(R"({"a": {"b.c": "dotted", "x": "X"}})"),
        L { "a.b.c", "a.x" }, L { "dotted", "X" }, L { "a", "b.c" });
    row("non-string members are kept, not shown",
        B(R"({"n": 1.5, "i": 9007199254740991, "t": false, "z": null, "l": [1, "two"],)"
          R"( "g": {"k": 2, "s": "S"}, "s": "top"})"),
        L { "g.s", "s" }, L { "S", "top" }, L { "g", "s" });
    row("flat keys holding dots", B(R"({"theme.common.close": "Close", "theme.open": "Open"})"),
        L { "theme.common.close", "theme.open" }, L { "Close", "Open" }, L { "theme.open" });
    row("byte order mark", B("\xEF\xBB\xBF{\"a\": \"\xC3\xA4\", \"b\": \"B\"}"), L { "a", "b" },
        L { "ä", "B" }, L { "a" });
    row("empty string is an entry", B(R"({"a": ""})"), L { "a" }, L { "" }, L { "a" });
    row("empty file", B("\n"), L {}, L {}, L {});
}

void tst_JsonFormat::shapes()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, edited);
    const QString file = path(QStringLiteral("en/common.json"));
    QVERIFY(TestSupport::writeFile(file, content));

    CommonJSONTranslationModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model.openFiles({ file }));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "en" }));
    QCOMPARE(model.rowCount(), keys.size());
    // The dotted keys are the ones the application asks i18next for.
    const QStringList namespaced = namespacedKeys(model);
    QJsonObject resolved = i18nextResolve(dir->path(), "en", namespaced);
    for (int row = 0; row < keys.size(); ++row) {
        QCOMPARE(model.messageAt(row).id, keys.at(row));
        QCOMPARE(model.cellText(model.index(row, 0)), texts.at(row));
        QCOMPARE(resolved.value("common:" + keys.at(row)).toString(), texts.at(row));
    }
    if (edited.isEmpty())
        return;

    // Every member is where it was, non-string ones included; only the edited leaf differs.
    const QString text = QStringLiteral("new \"text\"\nhere");
    QVERIFY(model.setData(model.index(rowOf(model, edited.join(u'.')), 0), text));
    QVERIFY(model.saveColumn(0));
    QJsonObject expected = json(content);
    setLeaf(expected, edited, text);
    QCOMPARE(jsonFile(file), expected);
    QCOMPARE(
        TestSupport::readAll(file).startsWith("\xEF\xBB\xBF"), content.startsWith("\xEF\xBB\xBF"));
    resolved.insert("common:" + edited.join(u'.'), text);
    QCOMPARE(i18nextResolve(dir->path(), "en", namespaced), resolved);
}

void tst_JsonFormat::indentationIsKept_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("expected");

    using B = QByteArray;
    row("tabs, nested", B("{\n\t\"g\": {\n\t\t\"b\": \"B\",\n\t\t\"l\": [1, 2]\n\t}\n}\n"),
        B("{\n\t\"g\": {\n\t\t\"b\": \"X\",\n\t\t\"l\": [\n\t\t\t1,\n\t\t\t2\n\t\t]\n\t}\n}\n"));
    row("member order, arrays",
        B("{\n  \"z\": \"Z\",\n  \"b\": \"B\",\n  \"a\": {\"y\": [1, {\"q\": true}], \"x\": "
          "\"x\"}\n}\n"),
        B("{\n  \"z\": \"Z\",\n  \"b\": \"X\",\n  \"a\": {\n    \"y\": [\n      1,\n"
          "      {\n        \"q\": true\n      }\n    ],\n    \"x\": \"x\"\n  }\n}\n"));
    row("CRLF, no final line end", B("{\r\n  \"b\": \"B\",\r\n  \"a\": \"A\"\r\n}"),
        B("{\r\n  \"b\": \"X\",\r\n  \"a\": \"A\"\r\n}"));
    row("one line", B(R"({"b": "B"})"), B("{\n    \"b\": \"X\"\n}"));
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
    QTest::addColumn<QByteArray>("english");
    QTest::addColumn<QByteArray>("german");
    QTest::addColumn<QByteArray>("expected");

    // A null German file is missing; the folder de exists through another namespace. A file
    // without members of its own takes the nesting of the other languages.
    using B = QByteArray;
    const B nested(R"({"menu": {"open": "Open", "file": {"quit": "Quit"}}, "title": "Title"})");
    const B flat(R"({"menu.open": "Open", "menu.file.quit": "Quit", "title": "Title"})");
    row("nested file nests new keys", nested, B(R"({"menu": {"open": "Öffnen"}})"),
        B(R"({"menu": {"open": "Öffnen", "file": {"quit": "Ende"}}, "title": "Titel"})"));
    row("flat file keeps new keys dotted", nested, B(R"({"menu.open": "Öffnen"})"),
        B(R"({"menu.open": "Öffnen", "menu.file.quit": "Ende", "title": "Titel"})"));
    row("name taken by a string stays dotted below it", nested,
        B(R"({"menu": {"open": "Öffnen", "file": "Datei"}})"),
        B(R"({"menu": {"open": "Öffnen", "file": "Datei", "file.quit": "Ende"}, "title": "Titel"})"));
    row("new file, nested", nested, B(),
        B(R"({"menu": {"file": {"quit": "Ende"}}, "title": "Titel"})"));
    row("new file, flat", flat, B(), B(R"({"menu.file.quit": "Ende", "title": "Titel"})"));
    row("empty file", nested, B(""),
        B(R"({"menu": {"file": {"quit": "Ende"}}, "title": "Titel"})"));
}

void tst_JsonFormat::newKeysTakeTheFileShape()
{
    QFETCH(QByteArray, english);
    QFETCH(QByteArray, german);
    QFETCH(QByteArray, expected);
    QVERIFY(TestSupport::writeFile(path("en/app.json"), english));
    QVERIFY(TestSupport::writeFile(path("de/other.json"), R"({"o": "O"})"));
    if (!german.isNull())
        QVERIFY(TestSupport::writeFile(path("de/app.json"), german));

    CommonJSONTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    QVERIFY(model.setData(model.index(rowOf(model, "menu.file.quit"), 0), QStringLiteral("Ende")));
    QVERIFY(model.setData(model.index(rowOf(model, "title"), 0), QStringLiteral("Titel")));
    QVERIFY(model.exportToDirectory());

    QCOMPARE(jsonFile(path("de/app.json")), json(expected));
    QCOMPARE(jsonFile(path("de/other.json")), json(R"({"o": "O"})"));
    QCOMPARE(i18nextResolve(dir->path(), "de", { "app:menu.file.quit", "app:title" }),
        json(R"({"app:menu.file.quit": "Ende", "app:title": "Titel"})"));
}

void tst_JsonFormat::importAndExport()
{
    QVERIFY(TestSupport::writeFile(path("en/common.json"), R"({"hello": "Hello", "bye": "Bye"})"));
    QVERIFY(TestSupport::writeFile(path("pt.BR/common.json"), R"({"hello": "Olá"})"));
    QVERIFY(TestSupport::writeFile(path("notes.txt"), "not a language"));

    CommonJSONTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "en", "pt_BR" }));
    QVERIFY(model.setData(model.index(rowOf(model, "bye"), 1), QStringLiteral("Tchau")));
    // A cleared cell is not written, and its member stays in the file.
    QVERIFY(model.setData(model.index(rowOf(model, "hello"), 0), QString()));
    QVERIFY(model.setData(model.index(rowOf(model, "bye"), 0), QStringLiteral("Goodbye")));

    // The column pt_BR goes back into pt.BR, where its file came from.
    QVERIFY(model.exportToDirectory());
    QCOMPARE(jsonFile(path("en/common.json")), json(R"({"hello": "Hello", "bye": "Goodbye"})"));
    QCOMPARE(jsonFile(path("pt.BR/common.json")), json(R"({"hello": "Olá", "bye": "Tchau"})"));
    QVERIFY(!QDir(path("pt_BR")).exists());

    CommonJSONTranslationModel empty;
    QVERIFY(empty.openFiles({}));
    QVERIFY(!empty.exportToDirectory());
}

QTEST_GUILESS_MAIN(tst_JsonFormat)
#include "tst_jsonformat.moc"
