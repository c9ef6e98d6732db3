#include "model/qttranslationmodel.h"
#include "model/tsdocument.h"
#include "support/testsupport.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QDomDocument>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray tsFile(const QByteArray &contexts)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
           "<TS version=\"2.1\" language=\"de_DE\">\n"
        + contexts + "</TS>\n";
}

QByteArray context(const QByteArray &name, const QByteArray &messages)
{
    return "<context>\n    <name>" + name + "</name>\n" + messages + "</context>\n";
}

QByteArray message(const QByteArray &source, const QByteArray &translation)
{
    return "    <message>\n        <source>" + source + "</source>\n        " + translation
        + "\n    </message>\n";
}

// The translation element of (context, source) as the file now holds it.
QDomElement translationIn(const QString &path, const QString &group, const QString &source)
{
    QDomDocument document;
    document.setContent(TestSupport::readAll(path));
    for (QDomElement c = document.documentElement().firstChildElement(QStringLiteral("context"));
         !c.isNull(); c = c.nextSiblingElement(QStringLiteral("context"))) {
        if (c.firstChildElement(QStringLiteral("name")).text() != group)
            continue;
        for (QDomElement m = c.firstChildElement(QStringLiteral("message")); !m.isNull();
             m = m.nextSiblingElement(QStringLiteral("message"))) {
            if (m.firstChildElement(QStringLiteral("source")).text() == source)
                return m.firstChildElement(QStringLiteral("translation"));
        }
    }
    return {};
}

QString lreleaseFailure(const QString &path)
{
    QTemporaryDir out;
    QString output;
    const int code = TestSupport::run(QStringLiteral(PARLONEX_LRELEASE),
                                      { QStringLiteral("-silent"), path, QStringLiteral("-qm"),
                                        out.filePath(QStringLiteral("x.qm")) },
                                      &output);
    return code == 0 ? QString() : output;
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
    void finishedMarkIsSaved_data();
    void finishedMarkIsSaved();
    void untouchedContentSurvivesSave();
    void emptiedCellKeepsTranslation();
    void numerusFormsAreKept();
    void carriageReturnsAreDropped();
    void twoFilesOfOneLanguage();
    void fileWithoutLanguageIsIgnored();
    void fileThatIsNotXmlIsNeverWritten();
    void unwritableFileFailsSave();
    void emptySetCannotBeExported();

private:
    QString write(const QString &name, const QByteArray &content);
    QtTranslationModel *open(const QStringList &names);

    QScopedPointer<QTemporaryDir> folder;
};

void tst_QtFormat::init()
{
    folder.reset(new QTemporaryDir);
    QVERIFY(folder->isValid());
}

QString tst_QtFormat::write(const QString &name, const QByteArray &content)
{
    const QString path = folder->filePath(name);
    if (!TestSupport::writeFile(path, content))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QtTranslationModel *tst_QtFormat::open(const QStringList &names)
{
    auto *model = new QtTranslationModel(this);
    new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
    QStringList paths;
    for (const QString &name : names)
        paths.append(folder->filePath(name));
    if (!model->openFiles(paths))
        qFatal("openFiles failed");
    return model;
}

void tst_QtFormat::fileLanguage_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("language");
    QTest::newRow("language") << "app_de.ts" << "de";
    QTest::newRow("language and territory") << "/x/app_zh_CN.ts" << "zh_CN";
    QTest::newRow("folder with underscore") << "/x/my_fr/app_de.ts" << "de";
    QTest::newRow("no language") << "app.ts" << "";
    QTest::newRow("script is no territory") << "app_zh_Hans.ts" << "";
    QTest::newRow("three letters") << "app_fil.ts" << "";
    QTest::newRow("dot instead of underscore") << "app.de.ts" << "";
    QTest::newRow("upper case language") << "app_DE.ts" << "";
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
    QTest::addColumn<QVariant>("background");
    const QVariant green = QBrush(Qt::green, Qt::SolidPattern);
    const QVariant yellow = QBrush(Qt::yellow, Qt::SolidPattern);
    QTest::newRow("plain") << QByteArray("<translation>Hallo</translation>") << "Hallo" << true << green;
    QTest::newRow("quoted and padded") << QByteArray("<translation>  \"Hello\"  </translation>")
                                       << "Hello" << true << green;
    QTest::newRow("single quote character") << QByteArray("<translation>\"</translation>") << ""
                                            << true << QVariant();
    QTest::newRow("inner quotes stay") << QByteArray("<translation>Say \"hi\" now</translation>")
                                       << "Say \"hi\" now" << true << green;
    QTest::newRow("unfinished") << QByteArray("<translation type=\"unfinished\">Hallo</translation>")
                                << "Hallo" << false << yellow;
    QTest::newRow("unfinished and empty")
        << QByteArray("<translation type=\"unfinished\"></translation>") << "" << false << QVariant();
    QTest::newRow("vanished reads as finished")
        << QByteArray("<translation type=\"vanished\">Alt</translation>") << "Alt" << true << green;
    QTest::newRow("entities") << QByteArray("<translation>&lt;b&gt;&amp;Datei&lt;/b&gt;</translation>")
                              << "<b>&Datei</b>" << true << green;
    QTest::newRow("numerus shows the first form")
        << QByteArray("<translation><numerusform>%n Datei</numerusform>"
                      "<numerusform>%n Dateien</numerusform></translation>")
        << "%n Datei" << true << green;
}

void tst_QtFormat::shownTextAndState()
{
    QFETCH(QByteArray, translation);
    QFETCH(QString, shown);
    QFETCH(bool, finished);
    QFETCH(QVariant, background);
    write(QStringLiteral("app_de.ts"), tsFile(context("Main", message("Source", translation))));
    QtTranslationModel *model = open({ QStringLiteral("app_de.ts") });
    QCOMPARE(model->rowCount(), 1);
    const QModelIndex cell = model->index(0, 0);
    QCOMPARE(model->cellText(cell), shown);
    QCOMPARE(model->isFinished(cell), finished);
    QCOMPARE(model->data(cell, Qt::BackgroundRole), background);
    QCOMPARE(model->groupOf(0), QStringLiteral("Main"));
    QCOMPARE(model->messageId(cell), QStringLiteral("Source"));
}

void tst_QtFormat::finishedMarkIsSaved_data()
{
    QTest::addColumn<QByteArray>("translation");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<QString>("type");
    QTest::newRow("finish an unfinished one")
        << QByteArray("<translation type=\"unfinished\">Alt</translation>") << true << "";
    QTest::newRow("unfinish a finished one") << QByteArray("<translation>Alt</translation>") << false
                                             << "unfinished";
    QTest::newRow("vanished stays vanished")
        << QByteArray("<translation type=\"vanished\">Alt</translation>") << true << "vanished";
    QTest::newRow("obsolete stays obsolete")
        << QByteArray("<translation type=\"obsolete\">Alt</translation>") << false << "obsolete";
}

void tst_QtFormat::finishedMarkIsSaved()
{
    QFETCH(QByteArray, translation);
    QFETCH(bool, finished);
    QFETCH(QString, type);
    const QString path = write(QStringLiteral("app_de.ts"),
                               tsFile(context("Main", message("Source", translation))));
    QtTranslationModel *model = open({ QStringLiteral("app_de.ts") });
    const QModelIndex cell = model->index(0, 0);
    QVERIFY(model->setData(cell, QStringLiteral("Neu")));
    model->setFinished(cell, finished);
    QCOMPARE(model->isFinished(cell), finished);
    QVERIFY(model->saveColumn(0));

    const QDomElement saved = translationIn(path, QStringLiteral("Main"), QStringLiteral("Source"));
    QCOMPARE(saved.text(), QStringLiteral("Neu"));
    QCOMPARE(saved.hasAttribute(QStringLiteral("type")), !type.isEmpty());
    QCOMPARE(saved.attribute(QStringLiteral("type")), type);
    QVERIFY2(lreleaseFailure(path).isEmpty(), qPrintable(lreleaseFailure(path)));
}

void tst_QtFormat::untouchedContentSurvivesSave()
{
    const QString path = write(
        QStringLiteral("app_de.ts"),
        tsFile(context("Main",
                       message("Name: ", "<translation>\"Name: \"</translation>")
                           + message("Padded", "<translation>  Rand  </translation>")
                           + message("No translation", "<comment>none yet</comment>")
                           + message("Edited", "<translation>Alt</translation>"))));
    QtTranslationModel *model = open({ QStringLiteral("app_de.ts") });
    QCOMPARE(model->cellText(model->index(0, 0)), QStringLiteral("Name: "));
    QVERIFY(model->setData(model->index(3, 0), QStringLiteral("Neu")));
    QVERIFY(model->exportToDirectory());

    // Cells that still show what the file holds leave its text as it was.
    const QString group = QStringLiteral("Main");
    QCOMPARE(translationIn(path, group, QStringLiteral("Name: ")).text(), QStringLiteral("\"Name: \""));
    QCOMPARE(translationIn(path, group, QStringLiteral("Padded")).text(), QStringLiteral("  Rand  "));
    QVERIFY(translationIn(path, group, QStringLiteral("No translation")).isNull());
    QCOMPARE(translationIn(path, group, QStringLiteral("Edited")).text(), QStringLiteral("Neu"));
    QVERIFY(TestSupport::readAll(path).contains("<comment>none yet</comment>"));
}

void tst_QtFormat::emptiedCellKeepsTranslation()
{
    const QString path = write(QStringLiteral("app_de.ts"),
                               tsFile(context("Main", message("Open", "<translation>Öffnen</translation>"))));
    QtTranslationModel *model = open({ QStringLiteral("app_de.ts") });
    QVERIFY(model->setData(model->index(0, 0), QString()));
    QVERIFY(model->saveColumn(0));
    QCOMPARE(translationIn(path, QStringLiteral("Main"), QStringLiteral("Open")).text(),
             QStringLiteral("Öffnen"));
}

void tst_QtFormat::numerusFormsAreKept()
{
    const QString path = write(
        QStringLiteral("app_de.ts"),
        tsFile(context("Main",
                       "    <message numerus=\"yes\">\n        <source>%n file(s)</source>\n"
                       "        <translation>\n            <numerusform>%n Datei</numerusform>\n"
                       "            <numerusform>%n Dateien</numerusform>\n        </translation>\n"
                       "    </message>\n"
                       "    <message numerus=\"yes\">\n        <source>%n item(s)</source>\n"
                       "        <translation type=\"unfinished\"></translation>\n    </message>\n")));
    QtTranslationModel *model = open({ QStringLiteral("app_de.ts") });
    QVERIFY(model->setData(model->index(0, 0), QStringLiteral("%n Dokument")));
    QVERIFY(model->setData(model->index(1, 0), QStringLiteral("%n Eintrag")));
    QVERIFY(model->exportToDirectory());

    const QDomElement files = translationIn(path, QStringLiteral("Main"), QStringLiteral("%n file(s)"));
    const QDomNodeList forms = files.elementsByTagName(QStringLiteral("numerusform"));
    QCOMPARE(forms.size(), 2);
    QCOMPARE(forms.at(0).toElement().text(), QStringLiteral("%n Dokument"));
    QCOMPARE(forms.at(1).toElement().text(), QStringLiteral("%n Dateien"));
    const QDomElement items = translationIn(path, QStringLiteral("Main"), QStringLiteral("%n item(s)"));
    QCOMPARE(items.firstChildElement(QStringLiteral("numerusform")).text(), QStringLiteral("%n Eintrag"));
    QVERIFY2(lreleaseFailure(path).isEmpty(), qPrintable(lreleaseFailure(path)));

    QtTranslationModel *reopened = open({ QStringLiteral("app_de.ts") });
    QCOMPARE(reopened->cellText(reopened->index(0, 0)), QStringLiteral("%n Dokument"));
}

void tst_QtFormat::carriageReturnsAreDropped()
{
    const QString path = write(QStringLiteral("app_de.ts"),
                               tsFile(context("Main", message("One", "<translation>Eins</translation>")
                                                          + message("Two", "<translation>a&#xd;b</translation>"))));
    QtTranslationModel *model = open({ QStringLiteral("app_de.ts") });
    QVERIFY(model->setData(model->index(0, 0), QStringLiteral("Zeile 1\r\nZeile 2")));
    QVERIFY(model->saveColumn(0));
    QCOMPARE(translationIn(path, QStringLiteral("Main"), QStringLiteral("One")).text(),
             QStringLiteral("Zeile 1\nZeile 2"));
    // A carriage return the file held in an untouched message stays.
    QCOMPARE(translationIn(path, QStringLiteral("Main"), QStringLiteral("Two")).text(),
             QStringLiteral("a\rb"));
}

void tst_QtFormat::twoFilesOfOneLanguage()
{
    const QString app = write(QStringLiteral("app_de.ts"),
                              tsFile(context("Main", message("Open", "<translation>Öffnen (app)</translation>")
                                                         + message("Close", "<translation>Schließen</translation>"))));
    const QString lib = write(QStringLiteral("lib_de.ts"),
                              tsFile(context("Main", message("Open", "<translation>Öffnen (lib)</translation>"))));
    auto *model = new QtTranslationModel(this);
    QVERIFY(model->importFromDirectory(folder->path()));
    QCOMPARE(model->columnList().mid(2), QStringList({ "de", "de" }));
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->cellText(model->index(0, 0)), QStringLiteral("Öffnen (app)"));
    QCOMPARE(model->cellText(model->index(0, 1)), QStringLiteral("Öffnen (app)"));
    QCOMPARE(model->columnFilePath(0), lib);

    QVERIFY(model->setData(model->index(1, 0), QStringLiteral("Zu")));
    QVERIFY(model->saveColumn(0));
    QCOMPARE(translationIn(lib, QStringLiteral("Main"), QStringLiteral("Open")).text(),
             QStringLiteral("Öffnen (lib)"));
    QVERIFY(translationIn(lib, QStringLiteral("Main"), QStringLiteral("Close")).isNull());
    QCOMPARE(translationIn(app, QStringLiteral("Main"), QStringLiteral("Close")).text(),
             QStringLiteral("Schließen"));

    QVERIFY(model->exportToDirectory());
    QCOMPARE(translationIn(app, QStringLiteral("Main"), QStringLiteral("Close")).text(), QStringLiteral("Zu"));
    // lib_de.ts had a text of its own for "Open", which the table never showed.
    QCOMPARE(translationIn(lib, QStringLiteral("Main"), QStringLiteral("Open")).text(),
             QStringLiteral("Öffnen (lib)"));

    QVERIFY(model->setData(model->index(0, 1), QStringLiteral("Öffnen")));
    QVERIFY(model->exportToDirectory());
    QCOMPARE(translationIn(app, QStringLiteral("Main"), QStringLiteral("Open")).text(), QStringLiteral("Öffnen"));
    QCOMPARE(translationIn(lib, QStringLiteral("Main"), QStringLiteral("Open")).text(), QStringLiteral("Öffnen"));
}

void tst_QtFormat::fileWithoutLanguageIsIgnored()
{
    write(QStringLiteral("app.ts"), tsFile(context("Main", message("Open", "<translation>Auf</translation>"))));
    write(QStringLiteral("app_fr.ts"), tsFile(context("Main", message("Open", "<translation>Ouvrir</translation>"))));
    auto *model = new QtTranslationModel(this);
    QVERIFY(model->importFromDirectory(folder->path()));
    QCOMPARE(model->columnList().mid(2), QStringList({ "fr" }));
    QCOMPARE(model->cellText(model->index(0, 0)), QStringLiteral("Ouvrir"));
}

void tst_QtFormat::fileThatIsNotXmlIsNeverWritten()
{
    const QByteArray broken = tsFile(context("Main", message("Open", "<translation>Auf</translation>")))
                                  .replace("</context>", "</contxt>");
    const QString path = write(QStringLiteral("app_de.ts"), broken);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Failed to parse TS file")));
    QtTranslationModel *model = open({ QStringLiteral("app_de.ts") });
    QCOMPARE(model->columnCount(), 1);
    QCOMPARE(model->rowCount(), 0);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Failed to parse TS file")));
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("could not be read as TS")));
    QVERIFY(!model->saveColumn(0));
    QCOMPARE(TestSupport::readAll(path), broken);
}

void tst_QtFormat::unwritableFileFailsSave()
{
    write(QStringLiteral("app_de.ts"), tsFile(context("Main", message("Open", "<translation>Auf</translation>"))));
    QtTranslationModel *model = open({ QStringLiteral("app_de.ts") });
    QVERIFY(QFile::remove(folder->filePath(QStringLiteral("app_de.ts"))));
    // The file's folder is now a plain file, which fails even for root.
    QVERIFY(QDir(folder->path()).removeRecursively());
    QVERIFY(TestSupport::writeFile(folder->path(), "not a folder"));
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("^Failed to open file")));
    QVERIFY(!model->saveColumn(0));
    QVERIFY(!model->exportToDirectory());
    QFile::remove(folder->path());
}

void tst_QtFormat::emptySetCannotBeExported()
{
    auto *model = new QtTranslationModel(this);
    QVERIFY(model->importFromDirectory(folder->path()));
    QCOMPARE(model->columnCount(), 0);
    QCOMPARE(model->rowCount(), 0);
    QVERIFY(!model->exportToDirectory());
    QVERIFY(!model->saveColumn(0));
}

QTEST_GUILESS_MAIN(tst_QtFormat)
#include "tst_qtformat.moc"
