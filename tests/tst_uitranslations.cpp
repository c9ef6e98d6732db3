#include "app/uitranslations.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

class tst_UiTranslations : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void normalizeUiLanguages_data();
    void normalizeUiLanguages();
    void search_data();
    void search();
    void translationDirectoryFallsBackToApplicationFolder();

private:
    QTemporaryDir workDir;
};

namespace {

// The translation the installed catalogues give a text of the program, and one of the
// toolkit's own texts.
QString exportText()
{
    return QCoreApplication::translate("MainWindow", "Export To Directory");
}

QString cancelText()
{
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

} // namespace

void tst_UiTranslations::cleanup()
{
    // Deleting a translator uninstalls it.
    qDeleteAll(
        QCoreApplication::instance()->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly));
    QCOMPARE(exportText(), QStringLiteral("Export To Directory"));
}

void tst_UiTranslations::normalizeUiLanguages_data()
{
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("duplicates once") << QStringList { "de-DE", "de" } << QStringList { "de_DE" };
    QTest::newRow("english last, order kept") << QStringList { "en-GB", "fr-FR", "en-US", "de-AT" }
                                              << QStringList { "fr_FR", "de_AT", "en_GB", "en_US" };
}

void tst_UiTranslations::normalizeUiLanguages()
{
    QFETCH(QStringList, tags);
    QFETCH(QStringList, names);
    QCOMPARE(::normalizeUiLanguages(tags), names);
}

void tst_UiTranslations::search_data()
{
    // Each file holds one message that reads as the file's name: the program's is
    // "Export To Directory", the toolkit's (qt_*) is "Cancel".
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("toolkit");
    QTest::newRow("german before english")
        << QStringList { "Parlonex_en_US.qm", "Parlonex_de_DE.qm", "qt_de_DE.qm" }
        << QStringList { "en-US", "de-DE" } << "de_DE"
        << "Parlonex_de_DE.qm"
        << "qt_de_DE.qm";
    QTest::newRow("shortened to the language")
        << QStringList { "Parlonex_de.qm", "qt_de.qm" } << QStringList { "de-AT" } << "de_AT"
        << "Parlonex_de.qm"
        << "qt_de.qm";
    QTest::newRow("english when nothing else")
        << QStringList { "Parlonex_en_GB.qm" } << QStringList { "fr-FR", "en-GB" } << "en_GB"
        << "Parlonex_en_GB.qm"
        << "Cancel";
    // The search stops at the first program file, with or without the toolkit's.
    QTest::newRow("toolkit file optional")
        << QStringList { "Parlonex_fr_FR.qm", "Parlonex_de_DE.qm", "qt_de_DE.qm" }
        << QStringList { "fr-FR", "de-DE" } << "fr_FR"
        << "Parlonex_fr_FR.qm"
        << "Cancel";
    QTest::newRow("no file") << QStringList { "Parlonex_ja.qm" } << QStringList { "fr-FR", "de" }
                             << QString() << "Export To Directory"
                             << "Cancel";
}

void tst_UiTranslations::search()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, tags);
    QFETCH(QString, installed);
    QFETCH(QString, program);
    QFETCH(QString, toolkit);
    const QString directory = workDir.filePath(QString::fromUtf8(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(directory));
    for (const QString &file : files) {
        const bool ours = file.startsWith("Parlonex");
        const QString ts = directory + QStringLiteral("/source.ts");
        QVERIFY(TestSupport::writeFile(ts,
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS><TS version=\"2.1\">\n"
            "<context><name>"
                + QByteArray(ours ? "MainWindow" : "QPlatformTheme") + "</name><message><source>"
                + QByteArray(ours ? "Export To Directory" : "Cancel") + "</source><translation>"
                + file.toUtf8() + "</translation></message></context></TS>\n"));
        QString output;
        QCOMPARE(
            TestSupport::run(PARLONEX_LRELEASE, { ts, "-qm", directory + '/' + file }, &output), 0);
    }
    QCOMPARE(installTranslators(directory, ::normalizeUiLanguages(tags)), installed);
    QCOMPARE(exportText(), program);
    QCOMPARE(cancelText(), toolkit);
}

void tst_UiTranslations::translationDirectoryFallsBackToApplicationFolder()
{
    QTemporaryDir application;
    QCOMPARE(translationDirectory(application.path()), QDir(application.path()).absolutePath());
    QVERIFY(QDir(application.path()).mkdir(QStringLiteral("translations")));
    QCOMPARE(translationDirectory(application.path()),
        QDir(application.path()).absoluteFilePath(QStringLiteral("translations")));
}

QTEST_GUILESS_MAIN(tst_UiTranslations)
#include "tst_uitranslations.moc"
