#include "model/gnutranslationmodel.h"
#include "model/powriter.h"
#include "support/testsupport.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QtTest>

#include <gettext-po.h>

namespace {

const QByteArray header = "msgid \"\"\nmsgstr \"\"\n"
                          "\"Language: de\\n\"\n"
                          "\"MIME-Version: 1.0\\n\"\n"
                          "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                          "\"Content-Transfer-Encoding: 8bit\\n\"\n"
                          "\"Plural-Forms: nplurals=2; plural=(n != 1);\\n\"\n\n";

QByteArray entry(const QByteArray &id, const QByteArray &text)
{
    return "msgid \"" + id + "\"\nmsgstr \"" + text + "\"\n\n";
}

QString msgfmtFailure(const QString &path)
{
    QString output;
    const int code = TestSupport::run(QStringLiteral(PARLONEX_MSGFMT),
                                      { QStringLiteral("-c"), QStringLiteral("--check-format"),
                                        QStringLiteral("-o"), QStringLiteral("/dev/null"), path },
                                      &output);
    return code == 0 ? QString() : output;
}

// Both catalogues hold the same msgids (msgcmp, both ways).
QString msgcmpFailure(const QString &written, const QString &original)
{
    QString output;
    const QStringList options{ QStringLiteral("--use-fuzzy"), QStringLiteral("--use-untranslated") };
    if (TestSupport::run(QStringLiteral(PARLONEX_MSGCMP), options + QStringList{ written, original }, &output) != 0
        || TestSupport::run(QStringLiteral(PARLONEX_MSGCMP), options + QStringList{ original, written }, &output) != 0)
        return output;
    return {};
}

} // namespace

class tst_GnuFormat final : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void layouts_data();
    void layouts();
    void exportWritesTheFilesRead_data();
    void exportWritesTheFilesRead();
    void importLocaleFolder();
    void saveKeepsWhatTheTableDoesNotShow();
    void emptiedCellIsNotWritten();
    void newGroupGetsNewCatalogueWithHeader();
    void unknownMessageIsAppended();
    void headerRowIsWritten();
    void catalogueWithErrorsIsShownButNotWritten();
    void sharedDomainKeepsOwnTexts();
    void appendPoMessageAddsAtTheEnd();
    void unreadableFileGivesEmptyColumn();

private:
    QString write(const QString &name, const QByteArray &content);
    GnuTranslationModel *open(const QStringList &names);
    QString sample(const QString &name);

    QScopedPointer<QTemporaryDir> folder;
};

void tst_GnuFormat::init()
{
    folder.reset(new QTemporaryDir);
    QVERIFY(folder->isValid());
}

QString tst_GnuFormat::write(const QString &name, const QByteArray &content)
{
    const QString path = folder->filePath(name);
    if (!TestSupport::writeFile(path, content))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString tst_GnuFormat::sample(const QString &name)
{
    return write(name, TestSupport::readAll(TestSupport::dataPath(QStringLiteral("po/gnu-layout/de.po"))));
}

GnuTranslationModel *tst_GnuFormat::open(const QStringList &names)
{
    auto *model = new GnuTranslationModel(this);
    new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
    QStringList paths;
    for (const QString &name : names)
        paths.append(folder->filePath(name));
    if (!model->openFiles(paths))
        qFatal("openFiles failed");
    return model;
}

void tst_GnuFormat::layouts_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("group");
    QTest::newRow("language folders") << QStringList{ "de/app.po", "fr/app.po" }
                                      << QStringList{ "de", "fr" } << "app";
    QTest::newRow("LC_MESSAGES") << QStringList{ "de/LC_MESSAGES/app.po", "pt_BR/LC_MESSAGES/app.po" }
                                 << QStringList{ "de", "pt_BR" } << "app";
    QTest::newRow("GNU po folder") << QStringList{ "po/de.po", "po/sr@latin.po" }
                                   << QStringList{ "de", "sr@latin" } << "po";
    QTest::newRow("folder named like a language wins")
        << QStringList{ "de/fr.po", "it/fr.po" } << QStringList{ "de", "it" } << "fr";
}

void tst_GnuFormat::layouts()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, languages);
    QFETCH(QString, group);
    for (const QString &file : files)
        write(file, header + entry("Open", "Auf") + entry(file.toUtf8(), "x"));
    GnuTranslationModel *model = open(files);
    QCOMPARE(model->columnList().mid(2), languages);
    // "Open" is one row shared by both languages.
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(model->groupOf(1), group);
    QCOMPARE(model->messageAt(1).id, QStringLiteral("Open"));
    QCOMPARE(model->cellText(model->index(1, 0)), QStringLiteral("Auf"));
    QCOMPARE(model->cellText(model->index(1, 1)), QStringLiteral("Auf"));
    QCOMPARE(model->columnFilePath(1), folder->filePath(files.at(1)));
}

void tst_GnuFormat::exportWritesTheFilesRead_data()
{
    layouts_data();
}

void tst_GnuFormat::exportWritesTheFilesRead()
{
    QFETCH(QStringList, files);
    for (const QString &file : files)
        write(file, header + entry("Open", "Auf") + entry("Close", ""));
    GnuTranslationModel *model = open(files);
    QVERIFY(model->setData(model->index(2, 0), QStringLiteral("Zu")));
    QVERIFY(model->setData(model->index(2, 1), QStringLiteral("Fermer")));
    QVERIFY(model->exportToDirectory());

    GnuTranslationModel *reopened = open(files);
    QCOMPARE(reopened->cellText(reopened->index(2, 0)), QStringLiteral("Zu"));
    QCOMPARE(reopened->cellText(reopened->index(2, 1)), QStringLiteral("Fermer"));
    QCOMPARE(reopened->rowCount(), 3);
    for (const QString &file : files)
        QVERIFY2(msgfmtFailure(folder->filePath(file)).isEmpty(), qPrintable(file));
}

void tst_GnuFormat::importLocaleFolder()
{
    write(QStringLiteral("locale/de/LC_MESSAGES/app.po"), header + entry("Open", "Auf"));
    write(QStringLiteral("locale/fr/LC_MESSAGES/app.po"), header + entry("Open", "Ouvrir"));
    write(QStringLiteral("locale/fr/LC_MESSAGES/lib.po"), header + entry("Close", "Fermer"));
    auto *model = new GnuTranslationModel(this);
    QVERIFY(model->importFromDirectory(folder->filePath(QStringLiteral("locale"))));
    QCOMPARE(model->columnList().mid(2), QStringList({ "de", "fr", "fr" }));
    QCOMPARE(model->rowCount(), 4);
    // A new domain of a language goes into its LC_MESSAGES folder.
    QCOMPARE(model->groupOf(3), QStringLiteral("lib"));
    QVERIFY(model->setData(model->index(3, 0), QStringLiteral("Zu")));
    QVERIFY(model->exportToDirectory());
    QVERIFY(TestSupport::readAll(folder->filePath(QStringLiteral("locale/de/LC_MESSAGES/lib.po")))
                .contains("msgid \"Close\"\nmsgstr \"Zu\""));

    auto *plain = new GnuTranslationModel(this);
    QVERIFY(plain->importFromDirectory(folder->filePath(QStringLiteral("locale/de/LC_MESSAGES"))));
    QCOMPARE(plain->columnList().mid(2), QStringList({ "de", "de" }));
    QVERIFY(!(new GnuTranslationModel(this))->importFromDirectory(folder->filePath(QStringLiteral("none"))));
}

void tst_GnuFormat::saveKeepsWhatTheTableDoesNotShow()
{
    const QString path = sample(QStringLiteral("de/app.po"));
    const QString original = write(QStringLiteral("original.po"), TestSupport::readAll(path));
    GnuTranslationModel *model = open({ QStringLiteral("de/app.po") });
    QStringList ids;
    for (int row = 0; row < model->rowCount(); ++row)
        ids.append(model->messageAt(row).id);
    // No row for the message with a context or for the obsolete one.
    QCOMPARE(ids.count(QStringLiteral("May")), 1);
    QVERIFY(!ids.contains(QStringLiteral("Old entry")));
    const int may = ids.indexOf(QStringLiteral("May"));
    const int plural = ids.indexOf(QStringLiteral("%d file"));
    const int fuzzy = ids.indexOf(QStringLiteral("Open recent"));
    QCOMPARE(model->cellText(model->index(may, 0)), QStringLiteral("Darf"));
    QCOMPARE(model->cellText(model->index(plural, 0)), QStringLiteral("%d Datei"));

    QVERIFY(model->setData(model->index(may, 0), QStringLiteral("Kann")));
    QVERIFY(model->setData(model->index(plural, 0), QStringLiteral("%d Dokument")));
    QVERIFY(model->setData(model->index(fuzzy, 0), QStringLiteral("Letzte Dateien")));
    QVERIFY(model->saveColumn(0));

    const QByteArray saved = TestSupport::readAll(path);
    QVERIFY(saved.contains("msgctxt \"month name\"\nmsgid \"May\"\nmsgstr \"Mai\""));
    QVERIFY(saved.contains("msgid \"May\"\nmsgstr \"Kann\""));
    QVERIFY(saved.contains("msgstr[0] \"%d Dokument\"\nmsgstr[1] \"%d Dateien\""));
    QVERIFY(saved.contains("#, fuzzy\nmsgid \"Open recent\"\nmsgstr \"Letzte Dateien\""));
    QVERIFY(saved.contains("#~ msgid \"Old entry\"\n#~ msgstr \"Alter Eintrag\""));
    QVERIFY(saved.contains("#. Shown in the window title.\n#: src/main.c:12\n"));
    QVERIFY(saved.contains("msgid \"Quit\"\nmsgstr \"\""));
    QVERIFY2(msgfmtFailure(path).isEmpty(), qPrintable(msgfmtFailure(path)));
    QVERIFY2(msgcmpFailure(path, original).isEmpty(), qPrintable(msgcmpFailure(path, original)));
}

void tst_GnuFormat::emptiedCellIsNotWritten()
{
    const QString path = write(QStringLiteral("de/app.po"), header + entry("Open", "Auf"));
    GnuTranslationModel *model = open({ QStringLiteral("de/app.po") });
    QVERIFY(model->setData(model->index(1, 0), QString()));
    QVERIFY(model->saveColumn(0));
    QVERIFY(TestSupport::readAll(path).contains("msgid \"Open\"\nmsgstr \"Auf\""));
}

void tst_GnuFormat::newGroupGetsNewCatalogueWithHeader()
{
    write(QStringLiteral("de/app.po"), header + entry("Open", "Auf"));
    // A msgid beyond ASCII needs the header's character set in the new catalogue.
    write(QStringLiteral("fr/lib.po"), header + entry("Close \xe2\x80\x99" "em", "Fermer"));
    GnuTranslationModel *model = open({ QStringLiteral("de/app.po"), QStringLiteral("fr/lib.po") });
    QCOMPARE(model->groupOf(3), QStringLiteral("lib"));
    QVERIFY(model->setData(model->index(3, 0), QStringLiteral("Schließen")));
    QVERIFY(model->saveColumn(0));

    const QString created = folder->filePath(QStringLiteral("de/lib.po"));
    GnuTranslationModel *reopened = open({ QStringLiteral("de/lib.po") });
    QCOMPARE(reopened->rowCount(), 2);
    QCOMPARE(reopened->messageAt(1).id, QStringLiteral("Close \u2019em"));
    QCOMPARE(reopened->cellText(reopened->index(1, 0)), QStringLiteral("Schließen"));
    // gettext refuses a catalogue without a header naming its character set.
    QVERIFY(TestSupport::readAll(created).contains("charset=UTF-8"));
    QVERIFY(TestSupport::readAll(created).contains("Language: de"));
    QVERIFY2(msgfmtFailure(created).isEmpty(), qPrintable(msgfmtFailure(created)));
}

void tst_GnuFormat::unknownMessageIsAppended()
{
    const QString path = write(QStringLiteral("de/app.po"), header + entry("Open", "Auf"));
    write(QStringLiteral("fr/app.po"), header + entry("Open", "Ouvrir") + entry("Close", "Fermer"));
    GnuTranslationModel *model = open({ QStringLiteral("de/app.po"), QStringLiteral("fr/app.po") });
    QVERIFY(model->setData(model->index(2, 0), QStringLiteral("Zu")));
    QVERIFY(model->exportToDirectory());
    const QByteArray saved = TestSupport::readAll(path);
    QVERIFY(saved.endsWith("msgid \"Close\"\nmsgstr \"Zu\"\n"));
    QVERIFY(saved.contains("msgid \"Open\"\nmsgstr \"Auf\""));
}

void tst_GnuFormat::headerRowIsWritten()
{
    const QString path = write(QStringLiteral("de/app.po"), header + entry("Open", "Auf"));
    GnuTranslationModel *model = open({ QStringLiteral("de/app.po") });
    QCOMPARE(model->messageAt(0).id, QString());
    QVERIFY(model->cellText(model->index(0, 0)).contains(QStringLiteral("Plural-Forms")));
    const QString newHeader = model->cellText(model->index(0, 0))
        + QStringLiteral("Last-Translator: Tester <t@example.org>\n");
    QVERIFY(model->setData(model->index(0, 0), newHeader));
    QVERIFY(model->saveColumn(0));
    QVERIFY(TestSupport::readAll(path).contains("\"Last-Translator: Tester <t@example.org>\\n\""));
    QVERIFY2(msgfmtFailure(path).isEmpty(), qPrintable(msgfmtFailure(path)));
}

void tst_GnuFormat::catalogueWithErrorsIsShownButNotWritten()
{
    const QByteArray broken = header + entry("Open", "Auf") + "msgid \"Cut\nmsgstr \"Aus\"\n\n"
        + entry("Close", "Zu");
    const QString path = write(QStringLiteral("de/app.po"), broken);
    GnuTranslationModel *model = nullptr;
    {
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("error:")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("read with errors")));
        model = open({ QStringLiteral("de/app.po") });
    }
    QVERIFY(model->rowCount() >= 2);
    QCOMPARE(model->cellText(model->index(1, 0)), QStringLiteral("Auf"));

    QVERIFY(model->setData(model->index(1, 0), QStringLiteral("Öffnen")));
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("error:")));
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("^Failed to write PO file")));
    QVERIFY(!model->saveColumn(0));
    QCOMPARE(TestSupport::readAll(path), broken);
}

void tst_GnuFormat::sharedDomainKeepsOwnTexts()
{
    // Django keeps a django.po in every application's locale folder.
    const QString admin = write(QStringLiteral("admin/de/LC_MESSAGES/django.po"),
                                header + entry("Yes", "Ja") + entry("Delete", "Löschen"));
    const QString auth = write(QStringLiteral("auth/de/LC_MESSAGES/django.po"),
                               header + entry("Yes", "Jawohl") + entry("Delete", "Löschen")
                                   + entry("Password", "Passwort"));
    GnuTranslationModel *model = open({ QStringLiteral("admin/de/LC_MESSAGES/django.po"),
                                        QStringLiteral("auth/de/LC_MESSAGES/django.po") });
    QCOMPARE(model->rowCount(), 4);
    const int remove = 2;
    QCOMPARE(model->messageAt(remove).id, QStringLiteral("Delete"));
    QVERIFY(model->setData(model->index(remove, 0), QStringLiteral("Entfernen")));
    QVERIFY(model->exportToDirectory());

    const QByteArray adminSaved = TestSupport::readAll(admin);
    const QByteArray authSaved = TestSupport::readAll(auth);
    QVERIFY(adminSaved.contains("msgid \"Yes\"\nmsgstr \"Ja\""));
    QVERIFY(authSaved.contains("msgid \"Yes\"\nmsgstr \"Jawohl\""));
    QVERIFY(adminSaved.contains("msgid \"Delete\"\nmsgstr \"Entfernen\""));
    QVERIFY(authSaved.contains("msgid \"Delete\"\nmsgstr \"Entfernen\""));
    QVERIFY(!adminSaved.contains("Password"));
}

void tst_GnuFormat::appendPoMessageAddsAtTheEnd()
{
    const QString path = write(QStringLiteral("app.po"), header + entry("Open", "Auf"));
    const po_xerror_handler quiet = {
        [](int, po_message_t, const char *, size_t, size_t, int, const char *) { },
        [](int, po_message_t, const char *, size_t, size_t, int, const char *, po_message_t,
           const char *, size_t, size_t, int, const char *) { },
    };
    po_file_t catalogue = po_file_read(QFile::encodeName(path).constData(), &quiet);
    QVERIFY(catalogue);
    QVERIFY(appendPoMessage(catalogue, QStringLiteral("Größe"), QStringLiteral("Size \U0001F4CF")));
    po_message_iterator_t iterator = po_message_iterator(catalogue, nullptr);
    QStringList ids;
    QString last;
    while (po_message_t message = po_next_message(iterator)) {
        ids.append(QString::fromUtf8(po_message_msgid(message)));
        last = QString::fromUtf8(po_message_msgstr(message));
    }
    po_message_iterator_free(iterator);
    po_file_free(catalogue);
    QCOMPARE(ids, QStringList({ "", "Open", "Größe" }));
    QCOMPARE(last, QStringLiteral("Size \U0001F4CF"));
}

void tst_GnuFormat::unreadableFileGivesEmptyColumn()
{
    write(QStringLiteral("de/app.po"), header + entry("Open", "Auf"));
    QVERIFY(QDir().mkpath(folder->filePath(QStringLiteral("it/app.po"))));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Failed to read PO file:.*fr/app.po")));
    // The library reports a folder as a fatal error; reading must come back from it and the
    // library must still work afterwards.
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("error: error while reading")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Failed to read PO file:.*it/app.po")));
    GnuTranslationModel *model = open({ QStringLiteral("fr/app.po"), QStringLiteral("it/app.po"),
                                        QStringLiteral("de/app.po") });
    QCOMPARE(model->columnList().mid(2), QStringList({ "fr", "it", "de" }));
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->cellText(model->index(1, 2)), QStringLiteral("Auf"));
    QCOMPARE(model->cellText(model->index(1, 0)), QString());
}

QTEST_GUILESS_MAIN(tst_GnuFormat)
#include "tst_gnuformat.moc"
