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
    void init();
    void cleanup();
    void normalizeUiLanguages_data();
    void normalizeUiLanguages();
    void search_data();
    void search();
    void toolkitFileIsOptional();
    void toolkitFileInstalledBeside();
    void translationDirectoryFallsBackToApplicationFolder();

private:
    // Builds a .qm whose one message (by default "MainWindow", "Export To Directory") reads
    // `text`.
    void makeQm(const QString &path, const QString &text, const QByteArray &context = "MainWindow",
        const QByteArray &source = "Export To Directory");
    QTemporaryDir workDir;
};

void tst_UiTranslations::makeQm(
    const QString &path, const QString &text, const QByteArray &context, const QByteArray &source)
{
    const QString ts = workDir.filePath(QStringLiteral("source.ts"));
    const QByteArray content = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                               "<!DOCTYPE TS><TS version=\"2.1\">\n"
                               "<context><name>"
        + context
        + "</name><message>"
          "<source>"
        + source + "</source><translation>" + text.toUtf8()
        + "</translation></message></context></TS>\n";
    QVERIFY(TestSupport::writeFile(ts, content));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString output;
    QCOMPARE(TestSupport::run(QStringLiteral(PARLONEX_LRELEASE), { ts, "-qm", path }, &output), 0);
    QVERIFY2(QFile::exists(path), qPrintable(output));
}

static QString exportText()
{
    return QCoreApplication::translate("MainWindow", "Export To Directory");
}

static QString cancelText()
{
    // A text of the toolkit's own catalogue: the test's qt_*.qm files translate it.
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

void tst_UiTranslations::init()
{
    QVERIFY(workDir.isValid());
}

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
    QTest::newRow("english last") << QStringList { "en-US", "de-DE" }
                                  << QStringList { "de_DE", "en_US" };
    QTest::newRow("duplicates once") << QStringList { "de-DE", "de" } << QStringList { "de_DE" };
    QTest::newRow("script dropped")
        << QStringList { "zh-Hans-CN", "en" } << QStringList { "zh_CN", "en_US" };
    QTest::newRow("order kept in groups") << QStringList { "en-GB", "fr-FR", "en-US", "de-AT" }
                                          << QStringList { "fr_FR", "de_AT", "en_GB", "en_US" };
    QTest::newRow("empty") << QStringList() << QStringList();
}

void tst_UiTranslations::normalizeUiLanguages()
{
    QFETCH(QStringList, tags);
    QFETCH(QStringList, names);
    QCOMPARE(::normalizeUiLanguages(tags), names);
}

void tst_UiTranslations::search_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QString>("text");
    QTest::newRow("german before english")
        << QStringList { "Parlonex_en_US.qm", "Parlonex_de_DE.qm" }
        << ::normalizeUiLanguages({ "en-US", "de-DE" }) << "de_DE"
        << "Parlonex_de_DE.qm";
    QTest::newRow("shortened to the language")
        << QStringList { "Parlonex_de.qm" } << ::normalizeUiLanguages({ "de-AT" }) << "de_AT"
        << "Parlonex_de.qm";
    QTest::newRow("english when nothing else")
        << QStringList { "Parlonex_en_GB.qm" } << ::normalizeUiLanguages({ "fr-FR", "en-GB" })
        << "en_GB"
        << "Parlonex_en_GB.qm";
    QTest::newRow("no file") << QStringList { "Parlonex_ja.qm" }
                             << ::normalizeUiLanguages({ "fr-FR", "de" }) << QString()
                             << "Export To Directory";
}

void tst_UiTranslations::search()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, languages);
    QFETCH(QString, installed);
    QFETCH(QString, text);
    const QString directory = workDir.filePath(QString::fromUtf8(QTest::currentDataTag()));
    for (const QString &file : files)
        makeQm(directory + QLatin1Char('/') + file, file);
    QCOMPARE(installTranslators(directory, languages), installed);
    QCOMPARE(exportText(), text);
}

void tst_UiTranslations::toolkitFileIsOptional()
{
    const QString directory = workDir.filePath(QStringLiteral("translations"));
    makeQm(directory + QStringLiteral("/Parlonex_fr_FR.qm"), QStringLiteral("Exporter"));
    makeQm(directory + QStringLiteral("/Parlonex_de_DE.qm"), QStringLiteral("Exportieren"));
    makeQm(directory + QStringLiteral("/qt_de_DE.qm"), QStringLiteral("Abbrechen"),
        "QPlatformTheme", "Cancel");
    QCOMPARE(installTranslators(directory, { "fr_FR", "de_DE" }), QStringLiteral("fr_FR"));
    QCOMPARE(exportText(), QStringLiteral("Exporter"));
    QCOMPARE(cancelText(), QStringLiteral("Cancel"));
    // Exactly one program translation is installed: the search stopped at French.
    QCOMPARE(QCoreApplication::instance()
                 ->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly)
                 .size(),
        1);
}

void tst_UiTranslations::toolkitFileInstalledBeside()
{
    const QString directory = workDir.filePath(QStringLiteral("translations"));
    makeQm(directory + QStringLiteral("/Parlonex_de.qm"), QStringLiteral("Exportieren"));
    makeQm(directory + QStringLiteral("/qt_de.qm"), QStringLiteral("Abbrechen"), "QPlatformTheme",
        "Cancel");
    QCOMPARE(installTranslators(directory, { "de_AT" }), QStringLiteral("de_AT"));
    QCOMPARE(exportText(), QStringLiteral("Exportieren"));
    QCOMPARE(cancelText(), QStringLiteral("Abbrechen"));
}

void tst_UiTranslations::translationDirectoryFallsBackToApplicationFolder()
{
    QTemporaryDir application;
    QCOMPARE(translationDirectory(application.path()), QDir(application.path()).absolutePath());
    QVERIFY(QDir(application.path()).mkdir(QStringLiteral("translations")));
    QCOMPARE(translationDirectory(application.path()),
        QDir(application.path()).absoluteFilePath(QStringLiteral("translations")));

    // Found beside the executable when there is no translations folder.
    QTemporaryDir bare;
    makeQm(bare.filePath(QStringLiteral("Parlonex_fr_FR.qm")), QStringLiteral("Exporter"));
    QCOMPARE(installTranslators(translationDirectory(bare.path()), { "fr_FR" }),
        QStringLiteral("fr_FR"));
    QCOMPARE(exportText(), QStringLiteral("Exporter"));
}

QTEST_GUILESS_MAIN(tst_UiTranslations)
#include "tst_uitranslations.moc"
