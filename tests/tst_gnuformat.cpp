#include "model/gnutranslationmodel.h"
#include "support/formatfiles.h"
#include "support/testsupport.h"

#include <QtTest>

using namespace FormatFiles;

namespace {

QByteArray catalogue(const QByteArray &entries)
{
    return "msgid \"\"\nmsgstr \"\"\n\"Language: de\\n\"\n\"MIME-Version: 1.0\\n\"\n"
           "\"Content-Type: text/plain; charset=UTF-8\\n\"\n\"Content-Transfer-Encoding: "
           "8bit\\n\"\n"
           "\"Plural-Forms: nplurals=2; plural=(n != 1);\\n\"\n\n"
        + entries;
}

QByteArray entry(const QByteArray &id, const QByteArray &text)
{
    return "msgid \"" + id + "\"\nmsgstr \"" + text + "\"\n\n";
}

// Whether the catalogue at `path` holds the message `id` translated as `text`.
bool holds(const QString &path, const QByteArray &id, const QByteArray &text)
{
    return TestSupport::readAll(path).contains(entry(id, text).chopped(1));
}

} // namespace

class tst_GnuFormat final : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void layouts_data();
    void layouts();
    void importLocaleFolder();
    void saveKeepsWhatTheTableDoesNotShow();
    void savedCatalogue_data();
    void savedCatalogue();
    void sharedDomainKeepsOwnTexts();
    void unreadableFileGivesEmptyColumn();

private:
    GnuTranslationModel *open(const QStringList &names)
    {
        return FormatFiles::open<GnuTranslationModel>(this, *folder, names);
    }

    QScopedPointer<QTemporaryDir> folder;
};

void tst_GnuFormat::init()
{
    folder.reset(new QTemporaryDir);
    QVERIFY(folder->isValid());
}

void tst_GnuFormat::layouts_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("group");
    // clang-format off
    QTest::newRow("language folders")  << QStringList{ "de/app.po", "fr/app.po" }
                                       << QStringList{ "de", "fr" }       << "app";
    QTest::newRow("LC_MESSAGES")       << QStringList{ "de/LC_MESSAGES/app.po", "pt_BR/LC_MESSAGES/app.po" }
                                       << QStringList{ "de", "pt_BR" }    << "app";
    QTest::newRow("GNU po folder")     << QStringList{ "po/de.po", "po/sr@latin.po" }
                                       << QStringList{ "de", "sr@latin" } << "po";
    QTest::newRow("folder named like a language wins")
                                       << QStringList{ "de/fr.po", "it/fr.po" }
                                       << QStringList{ "de", "it" }       << "fr";
    // clang-format on
}

void tst_GnuFormat::layouts()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, languages);
    QFETCH(QString, group);
    for (const QString &file : files)
        write(*folder, file, catalogue(entry("Open", "Auf") + entry("Close", "")));
    GnuTranslationModel *model = open(files);
    QCOMPARE(model->columnList().mid(2), languages);
    // A message is one row shared by both languages.
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->groupOf(0), group);
    QCOMPARE(model->cellText(model->index(0, 1)), QStringLiteral("Auf"));

    // Each language goes back into the file it was read from.
    QVERIFY(model->setData(model->index(1, 0), QStringLiteral("Zu")));
    QVERIFY(model->setData(model->index(1, 1), QStringLiteral("Fermer")));
    QVERIFY(model->exportToDirectory());
    QVERIFY(holds(folder->filePath(files.at(0)), "Close", "Zu"));
    QVERIFY(holds(folder->filePath(files.at(1)), "Close", "Fermer"));
    for (const QString &file : files)
        QVERIFY2(msgfmtFailure(folder->filePath(file)).isEmpty(), qPrintable(file));
}

void tst_GnuFormat::importLocaleFolder()
{
    write(*folder, QStringLiteral("locale/de/LC_MESSAGES/app.po"), catalogue(entry("Open", "Auf")));
    write(*folder, QStringLiteral("locale/fr/LC_MESSAGES/app.po"),
        catalogue(entry("Open", "Ouvrir")));
    // A msgid beyond ASCII needs the header's character set in the new catalogue.
    write(*folder, QStringLiteral("locale/fr/LC_MESSAGES/lib.po"),
        catalogue(entry("Close ’em", "Fermer")));
    auto *model = new GnuTranslationModel(this);
    QVERIFY(model->importFromDirectory(folder->filePath(QStringLiteral("locale"))));
    QCOMPARE(model->columnList().mid(2), QStringList({ "de", "fr", "fr" }));
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->groupOf(1), QStringLiteral("lib"));
    QVERIFY(model->setData(model->index(1, 0), QStringLiteral("Schließen")));
    QVERIFY(model->exportToDirectory());

    // A new domain of a language goes into its LC_MESSAGES folder, with a header that names
    // the character set, as gettext refuses one without.
    const QString created = folder->filePath(QStringLiteral("locale/de/LC_MESSAGES/lib.po"));
    QVERIFY(holds(created, "Close ’em", "Schließen"));
    QVERIFY(TestSupport::readAll(created).contains("Language: de"));
    QVERIFY(TestSupport::readAll(created).contains("Plural-Forms: nplurals=2; plural=(n != 1);"));
    QVERIFY2(msgfmtFailure(created).isEmpty(), qPrintable(msgfmtFailure(created)));

    auto *plain = new GnuTranslationModel(this);
    QVERIFY(plain->importFromDirectory(folder->filePath(QStringLiteral("locale/de/LC_MESSAGES"))));
    QCOMPARE(plain->columnList().mid(2), QStringList({ "de", "de" }));
    QVERIFY(!plain->importFromDirectory(folder->filePath(QStringLiteral("none"))));
}

void tst_GnuFormat::saveKeepsWhatTheTableDoesNotShow()
{
    const QByteArray sample =
        TestSupport::readAll(TestSupport::dataPath(QStringLiteral("po/gnu-layout/de.po")));
    const QString path = write(*folder, QStringLiteral("de/app.po"), sample);
    const QString original = write(*folder, QStringLiteral("original.po"), sample);
    GnuTranslationModel *model = open({ QStringLiteral("de/app.po") });
    QStringList ids;
    for (int row = 0; row < model->rowCount(); ++row)
        ids.append(model->messageAt(row).id);
    // The message with a context has a row of its own; the header and the obsolete message
    // have none.
    QCOMPARE(ids.count(QStringLiteral("May")), 2);
    QVERIFY(!ids.contains(QStringLiteral("Old entry")) && !ids.contains(QString()));
    const int may = ids.lastIndexOf(QStringLiteral("May"));
    QCOMPARE(model->messageNotes(may).context, QStringLiteral("month name"));
    QCOMPARE(model->messageNotes(0).comment, QStringLiteral("Shown in the window title."));
    const int plural = ids.indexOf(QStringLiteral("%d file"));

    QVERIFY(model->setData(model->index(may, 0), QStringLiteral("Kann")));
    QVERIFY(model->setData(model->index(plural, 0), QStringLiteral("%d Dokument")));
    // A fuzzy entry is one to review; the written cell's mark decides the flag.
    const QModelIndex recent = model->index(ids.indexOf(QStringLiteral("Open recent")), 0);
    QVERIFY(!model->isFinished(recent));
    model->setFinished(recent, true);
    const QModelIndex quit = model->index(ids.indexOf(QStringLiteral("Quit")), 0);
    QVERIFY(model->setData(quit, QStringLiteral("Beenden")));
    model->setFinished(quit, false);
    QVERIFY(model->saveColumn(0));

    const QByteArray saved = TestSupport::readAll(path);
    QVERIFY(saved.contains("msgctxt \"month name\"\nmsgid \"May\"\nmsgstr \"Kann\""));
    QVERIFY(holds(path, "May", "Darf"));
    QVERIFY(saved.contains("msgstr[0] \"%d Dokument\"\nmsgstr[1] \"%d Dateien\""));
    QVERIFY(saved.contains("#: src/menu.c:14\nmsgid \"Open recent\"\nmsgstr \"Zuletzt geöffnet\""));
    QVERIFY(saved.contains("#, fuzzy\nmsgid \"Quit\"\nmsgstr \"Beenden\""));
    QVERIFY(saved.contains("#~ msgid \"Old entry\"\n#~ msgstr \"Alter Eintrag\""));
    QVERIFY(saved.contains("#. Shown in the window title.\n#: src/main.c:12\n"));
    QVERIFY2(msgfmtFailure(path).isEmpty(), qPrintable(msgfmtFailure(path)));
    QVERIFY2(msgcmpFailure(path, original).isEmpty(), qPrintable(msgcmpFailure(path, original)));
}

void tst_GnuFormat::savedCatalogue_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("saved");
    // clang-format off
    QTest::newRow("emptied cell keeps the file's text")  << 0 << ""
        << QByteArray("msgid \"Open\"\nmsgstr \"Auf\"\n");
    QTest::newRow("message only French has is appended") << 1 << "Zu ✕ 📏"
        << QByteArray("\nmsgid \"Close\"\nmsgstr \"Zu ✕ 📏\"\n");
    QTest::newRow("line break msgfmt rejects: fuzzy")    << 0 << "Auf\n"
        << QByteArray("\n#, fuzzy\nmsgid \"Open\"\nmsgstr \"Auf\\n\"\n");
    // clang-format on
}

void tst_GnuFormat::savedCatalogue()
{
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QByteArray, saved);
    const QString path =
        write(*folder, QStringLiteral("de/app.po"), catalogue(entry("Open", "Auf")));
    write(*folder, QStringLiteral("fr/app.po"),
        catalogue(entry("Open", "Ouvrir") + entry("Close", "Fermer")));
    GnuTranslationModel *model = open({ QStringLiteral("de/app.po"), QStringLiteral("fr/app.po") });
    QVERIFY(model->setData(model->index(row, 0), typed));
    QVERIFY(model->exportToDirectory());

    QVERIFY2(TestSupport::readAll(path).contains(saved), TestSupport::readAll(path).constData());
    // A translation written as fuzzy is reported to the user.
    QCOMPARE(model->errors().size(), saved.contains("fuzzy") ? 1 : 0);
    QVERIFY(row == 0 || holds(path, "Open", "Auf"));
    QVERIFY2(msgfmtFailure(path).isEmpty(), qPrintable(msgfmtFailure(path)));
}

void tst_GnuFormat::sharedDomainKeepsOwnTexts()
{
    // Django keeps a django.po in every application's locale folder.
    const QStringList files { QStringLiteral("admin/de/LC_MESSAGES/django.po"),
        QStringLiteral("auth/de/LC_MESSAGES/django.po") };
    const QString admin =
        write(*folder, files.at(0), catalogue(entry("Yes", "Ja") + entry("Delete", "Löschen")));
    const QString auth = write(*folder, files.at(1),
        catalogue(
            entry("Yes", "Jawohl") + entry("Delete", "Löschen") + entry("Password", "Passwort")));
    GnuTranslationModel *model = open(files);
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->messageAt(1).id, QStringLiteral("Delete"));
    QVERIFY(model->setData(model->index(1, 0), QStringLiteral("Entfernen")));
    QVERIFY(model->exportToDirectory());

    QVERIFY(holds(admin, "Yes", "Ja"));
    QVERIFY(holds(auth, "Yes", "Jawohl"));
    QVERIFY(holds(admin, "Delete", "Entfernen"));
    QVERIFY(holds(auth, "Delete", "Entfernen"));
    QVERIFY(!TestSupport::readAll(admin).contains("Password"));
}

void tst_GnuFormat::unreadableFileGivesEmptyColumn()
{
    write(*folder, QStringLiteral("de/app.po"), catalogue(entry("Open", "Auf")));
    QVERIFY(QDir().mkpath(folder->filePath(QStringLiteral("it/app.po"))));
    expectLog(QtWarningMsg, "fr/app.po: Cannot read the file");
    expectLog(QtWarningMsg, "it/app.po: Cannot read the file");
    GnuTranslationModel *model = open(
        { QStringLiteral("fr/app.po"), QStringLiteral("it/app.po"), QStringLiteral("de/app.po") });
    QCOMPARE(model->columnList().mid(2), QStringList({ "fr", "it", "de" }));
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->cellText(model->index(0, 2)), QStringLiteral("Auf"));
    QCOMPARE(model->cellText(model->index(0, 0)), QString());
}

QTEST_GUILESS_MAIN(tst_GnuFormat)
#include "tst_gnuformat.moc"
