#include "app/uitranslations.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

// Pictures and UI translations are packaging, but a missing icon or catalogue only shows up as a
// blank button or an English dialog, so this suite checks what the build really produces and
// how the program finds the catalogues for the user's languages.
class tst_Resources final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void flags();
    void everyReferencedResourceExists();
    void catalogueTranslates_data();
    void catalogueTranslates();
    void translationSourceIsConsistent_data();
    void translationSourceIsConsistent();
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

// Flags are looked up by the language code of a column, in each form codes take (.lproj folders
// and JSON file names use dashes and scripts), and header decorations are laid out for small
// pictures: a large one would stretch them.
void tst_Resources::flags()
{
    for (const char *code : { "de", "zh_TW", "zh-Hans", "pt-BR" })
        QVERIFY2(QFile::exists(QStringLiteral(":/rc/flags/%1.png").arg(QLatin1String(code))), code);
    QStringList broken;
    for (QDirIterator it(QStringLiteral(":/rc/flags"), QDir::Files); it.hasNext();) {
        const QImage image(it.next());
        if (image.isNull() || image.width() > 32 || image.height() > 32)
            broken << it.filePath();
    }
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u' ')));
}

// Icons are named by string in .ui files and sources; a typo there, or a picture that does not
// load, only shows as a blank button.
void tst_Resources::everyReferencedResourceExists()
{
    static const QRegularExpression reference(QStringLiteral(":/rc/[A-Za-z0-9_./-]+"));
    QStringList missing;
    int count = 0;
    for (const char *folder : { "app", "model", "llm", "settings", "views" }) {
        QDirIterator it(QStringLiteral(PARLONEX_SOURCE_DIR "/") + QLatin1String(folder),
            { QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui") }, QDir::Files,
            QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = reference.globalMatch(text); match.hasNext();) {
                const QString path = match.next().captured();
                ++count;
                if (!path.endsWith(u'/') && QImage(path).isNull())
                    missing << file.fileName().section(u'/', -2) + QStringLiteral(": ") + path;
            }
        }
    }
    QVERIFY(count > 0);
    missing.removeDuplicates();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
}

void tst_Resources::catalogueTranslates_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    // qt_xx.qm holds no texts itself: the toolkit's rows pass only when qtbase_xx.qm was copied
    // beside it.
    // clang-format off
    QTest::newRow("program, German")  << "Parlonex_de"    << "MainWindow"     << "&File"         << -1 << "&Datei";
    QTest::newRow("program, Chinese") << "Parlonex_zh_CN" << "MainWindow"     << "&File"         << -1 << "文件(&F)";
    QTest::newRow("program, English") << "Parlonex_en"    << "MainWindow"     << "%Ln messages"  <<  1 << "%Ln message";
    QTest::newRow("toolkit, German")  << "qt_de"          << "QPlatformTheme" << "Cancel"        << -1 << "Abbrechen";
    QTest::newRow("toolkit, Chinese") << "qt_zh_CN"       << "QPlatformTheme" << "Cancel"        << -1 << "取消";
    // clang-format on
}

void tst_Resources::catalogueTranslates()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(int, n);
    QFETCH(QString, expected);
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
    QTranslator translator;
    QVERIFY2(translator.load(catalogue, dir), qPrintable("no " + catalogue + ".qm in " + dir));
    QCOMPARE(translator.translate(qPrintable(context), qPrintable(source), nullptr, n), expected);
}

static QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%(?:L?[0-9]{1,2}|L?n)"));
    QSet<QString> found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured().remove(u'L'));
    return found;
}

static bool hasAccelerator(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("(?:^|[^&])&[^& ]"));
    return pattern.match(text).hasMatch();
}

void tst_Resources::translationSourceIsConsistent_data()
{
    QTest::addColumn<QString>("path");

    for (const char *language : { "de", "zh_CN", "en" })
        QTest::newRow(language) << QStringLiteral(
            PARLONEX_SOURCE_DIR "/translations/Parlonex_%1.ts")
                                       .arg(QLatin1String(language));
}

// Every shipped text is translated, and no translation drops what the program relies on: its
// placeholders, its menu accelerator, or the "..." that promises a dialog.
void tst_Resources::translationSourceIsConsistent()
{
    QFETCH(QString, path);

    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QDomDocument document;
    QString error;
    QVERIFY2(document.setContent(&file, &error), qPrintable(path + ": " + error));
    const QDomNodeList messages = document.elementsByTagName(QStringLiteral("message"));
    QVERIFY(!messages.isEmpty());

    QStringList faults;
    for (int i = 0; i < messages.size(); ++i) {
        const QDomElement message = messages.at(i).toElement();
        const QString source = message.firstChildElement(QStringLiteral("source")).text();
        const QDomElement translation = message.firstChildElement(QStringLiteral("translation"));
        const QString type = translation.attribute(QStringLiteral("type"));
        const QString where = message.parentNode().firstChildElement(QStringLiteral("name")).text()
            + QStringLiteral(" \"") + source + QStringLiteral("\": ");
        if (type == u"unfinished") {
            faults << where + QStringLiteral("unfinished");
            continue;
        }
        if (type == u"obsolete" || type == u"vanished")
            continue;
        QStringList texts;
        for (QDomElement form = translation.firstChildElement(QStringLiteral("numerusform"));
             !form.isNull(); form = form.nextSiblingElement(QStringLiteral("numerusform")))
            texts << form.text();
        if (texts.isEmpty())
            texts << translation.text();
        for (const QString &text : std::as_const(texts)) {
            if (text.isEmpty())
                faults << where + QStringLiteral("empty translation");
            else if (placeholders(text) != placeholders(source))
                faults << where + QStringLiteral("placeholders differ in \"") + text + u'"';
            else if (hasAccelerator(source) && !hasAccelerator(text))
                faults << where + QStringLiteral("accelerator lost in \"") + text + u'"';
            else if (source.endsWith(u"...") && !text.endsWith(u"...")
                && !text.endsWith(QChar(0x2026)))
                faults << where + QStringLiteral("\"...\" lost in \"") + text + u'"';
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void tst_Resources::cleanup()
{
    // Deleting a translator uninstalls it.
    qDeleteAll(
        QCoreApplication::instance()->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly));
    QCOMPARE(exportText(), QStringLiteral("Export To Directory"));
}

void tst_Resources::search_data()
{
    // Each file holds one message that reads as the file's name: the program's is
    // "Export To Directory", the toolkit's (qt_*) is "Cancel".
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("toolkit");
    // clang-format off
    QTest::newRow("german before english") << QStringList { "Parlonex_en_US.qm", "Parlonex_de_DE.qm", "qt_de_DE.qm" }
        << QStringList { "en-US", "de-DE" } << "de_DE" << "Parlonex_de_DE.qm" << "qt_de_DE.qm";
    QTest::newRow("shortened to the language") << QStringList { "Parlonex_de.qm", "qt_de.qm" }
        << QStringList { "de-AT" } << "de_AT" << "Parlonex_de.qm" << "qt_de.qm";
    QTest::newRow("english when nothing else") << QStringList { "Parlonex_en_GB.qm" }
        << QStringList { "fr-FR", "en-GB" } << "en_GB" << "Parlonex_en_GB.qm" << "Cancel";
    // The search stops at the first program file, with or without the toolkit's.
    QTest::newRow("toolkit file optional") << QStringList { "Parlonex_fr_FR.qm", "Parlonex_de_DE.qm", "qt_de_DE.qm" }
        << QStringList { "fr-FR", "de-DE" } << "fr_FR" << "Parlonex_fr_FR.qm" << "Cancel";
    QTest::newRow("english plural forms otherwise") << QStringList { "Parlonex_en.qm", "Parlonex_ja.qm" }
        << QStringList { "fr-FR" } << "en" << "Parlonex_en.qm" << "Cancel";
    QTest::newRow("no file") << QStringList { "Parlonex_ja.qm" }
        << QStringList { "fr-FR", "de" } << QString() << "Export To Directory" << "Cancel";
    // clang-format on
}

void tst_Resources::search()
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

void tst_Resources::translationDirectoryFallsBackToApplicationFolder()
{
    QTemporaryDir application;
    QCOMPARE(translationDirectory(application.path()), QDir(application.path()).absolutePath());
    QVERIFY(QDir(application.path()).mkdir(QStringLiteral("translations")));
    QCOMPARE(translationDirectory(application.path()),
        QDir(application.path()).absoluteFilePath(QStringLiteral("translations")));
}

QTEST_MAIN(tst_Resources)
#include "tst_resources.moc"
