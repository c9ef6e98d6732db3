#include "model/qttranslationmodel.h"
#include "model/tsfile.h"
#include "support/formatfiles.h"
#include "support/testsupport.h"

#include <QDomDocument>
#include <QtTest>

using namespace FormatFiles;

namespace {

// A German TS file with one context "Main" holding `messages`.
QByteArray tsFile(const QByteArray &messages)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
           "<TS version=\"2.1\" language=\"de_DE\">\n<context>\n    <name>Main</name>\n"
        + messages + "</context>\n</TS>\n";
}

QByteArray translated(const QByteArray &text, const QByteArray &type = {})
{
    return (type.isEmpty() ? QByteArray("<translation>") : "<translation type=\"" + type + "\">")
        + text + "</translation>";
}

QByteArray message(const QByteArray &source, const QByteArray &translation)
{
    return "    <message>\n        <source>" + source + "</source>\n        " + translation
        + "\n    </message>\n";
}

// The translation element of the message `source` as the file now holds it.
QDomElement translationIn(const QString &path, const QString &source)
{
    QDomDocument document;
    document.setContent(TestSupport::readAll(path));
    const QDomNodeList messages = document.elementsByTagName(QStringLiteral("message"));
    for (int i = 0; i < messages.size(); ++i) {
        const QDomElement m = messages.at(i).toElement();
        if (m.firstChildElement(QStringLiteral("source")).text() == source)
            return m.firstChildElement(QStringLiteral("translation"));
    }
    return {};
}

} // namespace

class tst_QtFormat final : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void fileLanguage_data();
    void fileLanguage();
    void shownTextAndState_data();
    void shownTextAndState();
    void savedTranslation_data();
    void savedTranslation();
    void numerusFormsAreKept();
    void twoFilesOfOneLanguage();
    void emptySetCannotBeSaved();

private:
    QtTranslationModel *openGerman(const QByteArray &messages);

    QScopedPointer<QTemporaryDir> folder;
    QString path;
};

void tst_QtFormat::init()
{
    folder.reset(new QTemporaryDir);
    QVERIFY(folder->isValid());
    path = folder->filePath(QStringLiteral("app_de.ts"));
}

QtTranslationModel *tst_QtFormat::openGerman(const QByteArray &messages)
{
    write(*folder, QStringLiteral("app_de.ts"), tsFile(messages));
    return open<QtTranslationModel>(this, *folder, { QStringLiteral("app_de.ts") });
}

void tst_QtFormat::fileLanguage_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("language");
    // clang-format off
    QTest::newRow("language and territory") << "/x/app_zh_CN.ts"    << "zh_CN";
    QTest::newRow("folder with underscore") << "/x/my_fr/app_de.ts" << "de";
    QTest::newRow("no language")            << "app.ts"             << "";
    QTest::newRow("script is no territory") << "app_zh_Hans.ts"     << "";
    QTest::newRow("upper case language")    << "app_DE.ts"          << "";
    // clang-format on
}

void tst_QtFormat::fileLanguage()
{
    QFETCH(QString, path);
    QFETCH(QString, language);
    QCOMPARE(tsFileLanguage(path), language);
}

void tst_QtFormat::shownTextAndState_data()
{
    QTest::addColumn<QByteArray>("translation");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("finished");
    // clang-format off
    QTest::newRow("quoted and padded")      << translated("  \"Hello\"  ")             << "Hello"          << true;
    QTest::newRow("single quote character") << translated("\"")                        << ""               << true;
    QTest::newRow("inner quotes stay")      << translated("Say \"hi\" now")            << "Say \"hi\" now" << true;
    QTest::newRow("unfinished")             << translated("Hallo", "unfinished")       << "Hallo"          << false;
    QTest::newRow("vanished is finished")   << translated("Alt", "vanished")           << "Alt"            << true;
    QTest::newRow("entities")               << translated("&lt;b&gt;&amp;D&lt;/b&gt;") << "<b>&D</b>"      << true;
    QTest::newRow("numerus: first form")    << translated("<numerusform>%n Datei</numerusform>"
                                                          "<numerusform>%n Dateien</numerusform>")
                                                                                       << "%n Datei"       << true;
    // clang-format on
}

void tst_QtFormat::shownTextAndState()
{
    QFETCH(QByteArray, translation);
    QFETCH(QString, shown);
    QFETCH(bool, finished);
    QtTranslationModel *model = openGerman(message("Source", translation));
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->cellText(model->index(0, 0)), shown);
    QCOMPARE(model->isFinished(model->index(0, 0)), finished);
}

void tst_QtFormat::savedTranslation_data()
{
    // A null `typed` leaves the cell as it was read, a null `saved` means no translation
    // element; `finished` is set only on a cell typed into.
    QTest::addColumn<QByteArray>("translation");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("type");
    // clang-format off
    QTest::newRow("finish an unfinished one")  << translated("Alt", "unfinished") << "Neu"     << true  << "Neu"   << "";
    QTest::newRow("unfinish a finished one")   << translated("Alt")               << "Neu"     << false << "Neu"   << "unfinished";
    QTest::newRow("vanished stays vanished")   << translated("Alt", "vanished")   << "Neu"     << true  << "Neu"   << "vanished";
    QTest::newRow("obsolete stays obsolete")   << translated("Alt", "obsolete")   << "Neu"     << false << "Neu"   << "obsolete";
    QTest::newRow("quotes the cell hides")     << translated("\"Name: \"")        << QString() << true  << "\"Name: \"" << "";
    QTest::newRow("padding the cell hides")    << translated("  Rand  ")          << QString() << true  << "  Rand  "   << "";
    QTest::newRow("no translation element")    << QByteArray("<comment>c</comment>") << QString() << true << QString() << "";
    QTest::newRow("carriage return of file")   << translated("a&#xd;b")           << QString() << true  << "a\rb"   << "";
    QTest::newRow("emptied cell keeps file's") << translated("Öffnen")            << ""        << true  << "Öffnen" << "";
    QTest::newRow("typed carriage return")     << translated("Eins")              << "1\r\n2"  << true  << "1\n2"   << "";
    // clang-format on
}

void tst_QtFormat::savedTranslation()
{
    QFETCH(QByteArray, translation);
    QFETCH(QString, typed);
    QFETCH(bool, finished);
    QFETCH(QString, saved);
    QFETCH(QString, type);
    // An edit of another message makes the save write the file.
    QtTranslationModel *model =
        openGerman(message("Source", translation) + message("Edited", translated("Alt")));
    if (!typed.isNull()) {
        QVERIFY(model->setData(model->index(0, 0), typed));
        if (!typed.isEmpty())
            model->setFinished(model->index(0, 0), finished);
    }
    QVERIFY(model->setData(model->index(1, 0), QStringLiteral("Neu")));
    QVERIFY(model->saveColumn(0));

    const QDomElement element = translationIn(path, QStringLiteral("Source"));
    QCOMPARE(element.isNull(), saved.isNull());
    QCOMPARE(element.text(), saved);
    QCOMPARE(element.hasAttribute(QStringLiteral("type")), !type.isEmpty());
    QCOMPARE(element.attribute(QStringLiteral("type")), type);
    QCOMPARE(translationIn(path, QStringLiteral("Edited")).text(), QStringLiteral("Neu"));
    QVERIFY2(lreleaseFailure(path).isEmpty(), qPrintable(lreleaseFailure(path)));
}

void tst_QtFormat::numerusFormsAreKept()
{
    QtTranslationModel *model = openGerman(
        "<message numerus=\"yes\">\n<source>%n file(s)</source>\n<translation>\n"
        "<numerusform>%n Datei</numerusform>\n<numerusform>%n Dateien</numerusform>\n"
        "</translation>\n</message>\n<message numerus=\"yes\">\n<source>%n item(s)</source>\n"
        + translated("", "unfinished") + "\n</message>\n");
    QVERIFY(model->setData(model->index(0, 0), QStringLiteral("%n Dokument")));
    QVERIFY(model->setData(model->index(1, 0), QStringLiteral("%n Eintrag")));
    QVERIFY(model->exportToDirectory());

    const QDomNodeList forms = translationIn(path, QStringLiteral("%n file(s)"))
                                   .elementsByTagName(QStringLiteral("numerusform"));
    QCOMPARE(forms.size(), 2);
    QCOMPARE(forms.at(0).toElement().text(), QStringLiteral("%n Dokument"));
    QCOMPARE(forms.at(1).toElement().text(), QStringLiteral("%n Dateien"));
    QCOMPARE(translationIn(path, QStringLiteral("%n item(s)"))
                 .firstChildElement(QStringLiteral("numerusform"))
                 .text(),
        QStringLiteral("%n Eintrag"));
    QVERIFY2(lreleaseFailure(path).isEmpty(), qPrintable(lreleaseFailure(path)));
}

void tst_QtFormat::twoFilesOfOneLanguage()
{
    const QString app = write(*folder, QStringLiteral("app_de.ts"),
        tsFile(message("Open", translated("Öffnen (app)"))
            + message("Close", translated("Schließen"))));
    const QString lib = write(
        *folder, QStringLiteral("lib_de.ts"), tsFile(message("Open", translated("Öffnen (lib)"))));
    // A file whose name gives no language is left out.
    write(*folder, QStringLiteral("app.ts"), tsFile(message("Open", translated("Auf"))));
    const QString french = write(*folder, QStringLiteral("tool_fr.ts"), tsFile(""));
    auto *model = new QtTranslationModel(this);
    QVERIFY(model->importFromDirectory(folder->path()));
    QCOMPARE(model->columnList().mid(2), QStringList({ "de", "de", "fr" }));
    QCOMPARE(model->cellText(model->index(0, 1)), QStringLiteral("Öffnen (app)"));

    QVERIFY(model->setData(model->index(1, 0), QStringLiteral("Zu")));
    QVERIFY(model->exportToDirectory());
    QCOMPARE(translationIn(app, QStringLiteral("Close")).text(), QStringLiteral("Zu"));
    QVERIFY(translationIn(lib, QStringLiteral("Close")).isNull());
    // lib_de.ts had a text of its own for "Open", which the table never showed.
    QCOMPARE(translationIn(lib, QStringLiteral("Open")).text(), QStringLiteral("Öffnen (lib)"));

    QVERIFY(model->setData(model->index(0, 1), QStringLiteral("Öffnen")));
    QVERIFY(model->exportToDirectory());
    QCOMPARE(translationIn(app, QStringLiteral("Open")).text(), QStringLiteral("Öffnen"));
    QCOMPARE(translationIn(lib, QStringLiteral("Open")).text(), QStringLiteral("Öffnen"));

    // A language whose file has gone since opening fails the export; the others are written,
    // a text set back to what the file held when opened as well.
    QVERIFY(QFile::remove(french));
    QVERIFY(model->setData(model->index(1, 0), QStringLiteral("Schließen")));
    QVERIFY(!model->exportToDirectory());
    QCOMPARE(translationIn(app, QStringLiteral("Close")).text(), QStringLiteral("Schließen"));
}

void tst_QtFormat::emptySetCannotBeSaved()
{
    auto *empty = new QtTranslationModel(this);
    QVERIFY(empty->importFromDirectory(folder->path()));
    QCOMPARE(empty->columnCount(), 0);
    QVERIFY(!empty->exportToDirectory());
    QVERIFY(!empty->saveColumn(0));
}

QTEST_GUILESS_MAIN(tst_QtFormat)
#include "tst_qtformat.moc"
