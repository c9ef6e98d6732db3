#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

#include "support/testconfig.h"

// Pictures and UI translations are packaging, but a missing icon or catalogue only shows up as a
// blank button or an English dialog, so this suite checks what the build really produces.
class tst_Resources final : public QObject
{
    Q_OBJECT

private slots:
    void resourceLoads_data();
    void resourceLoads();
    void everyFlagIsAPicture();
    void everyReferencedResourceExists();
    void pictureSize_data();
    void pictureSize();
    void programCatalogueTranslates_data();
    void programCatalogueTranslates();
    void toolkitCatalogueTranslates_data();
    void toolkitCatalogueTranslates();
    void translationSourceIsConsistent_data();
    void translationSourceIsConsistent();
};

void tst_Resources::resourceLoads_data()
{
    QTest::addColumn<QString>("path");

    const QStringList icons { "document-open", "apple", "qt", "gnu", "json", "document-export",
                              "edit-cut", "edit-copy", "edit-paste", "delete",
                              "preferences-activities", "cell", "row", "column", "table",
                              "process-stop", "right", "wrong", "question-mark" };
    for (const QString &icon : icons)
        QTest::newRow(qPrintable(icon)) << QStringLiteral(":/rc/icons/%1.png").arg(icon);

    for (const char *image : { "parlonex", "banner", "translate" })
        QTest::newRow(image) << QStringLiteral(":/rc/%1.png").arg(QLatin1String(image));

    const QStringList flags { "de", "de_DE", "en", "en_US", "en_GB", "es", "es_ES", "fr", "fr_FR",
                              "it", "ja", "ko", "pt", "pt_BR", "ru", "zh_CN", "zh_TW", "zh_HK",
                              "nl", "pl", "sv", "tr", "uk", "cs", "ar", "he",
                              // .lproj folders and JSON file names use dashes and scripts
                              "zh-Hans", "zh-Hant", "pt-BR", "en-GB" };
    for (const QString &flag : flags)
        QTest::newRow(qPrintable("flag " + flag)) << QStringLiteral(":/rc/flags/%1.png").arg(flag);
}

void tst_Resources::resourceLoads()
{
    QFETCH(QString, path);
    QVERIFY2(QFile::exists(path), qPrintable(path + " is not compiled into parlonex_gui"));
    QVERIFY2(!QPixmap(path).isNull(), qPrintable(path + " is not a readable picture"));
}

void tst_Resources::everyFlagIsAPicture()
{
    int count = 0;
    QStringList broken;
    QDirIterator it(QStringLiteral(":/rc/flags"), QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        ++count;
        const QImage image(path);
        // Header decorations are laid out for small flags; a large picture would stretch them.
        if (image.isNull() || image.width() > 32 || image.height() > 32)
            broken << path;
    }
    QVERIFY2(count >= 18, qPrintable(QString::number(count) + " flags"));
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u' ')));
}

// Icons are named by string in .ui files and sources; a typo there only shows as a blank button.
void tst_Resources::everyReferencedResourceExists()
{
    static const QRegularExpression reference(QStringLiteral(":/rc/[A-Za-z0-9_./-]+"));
    QStringList missing;
    int count = 0;
    for (const char *folder : { "app", "model", "llm", "settings", "views" }) {
        QDirIterator it(QStringLiteral(PARLONEX_SOURCE_DIR "/") + QLatin1String(folder),
                        { QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui") },
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = reference.globalMatch(text); match.hasNext();) {
                const QString path = match.next().captured();
                ++count;
                if (!QFile::exists(path))
                    missing << file.fileName().section(u'/', -2) + QStringLiteral(": ") + path;
            }
        }
    }
    QVERIFY(count > 0);
    missing.removeDuplicates();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
}

// Both are shown at their natural size: the delegate reserves 16x16 pixels for the translate
// button beside the cell editor, and the about box lays its banner out at 640x100.
void tst_Resources::pictureSize_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    QTest::newRow("translate button") << ":/rc/translate.png" << QSize(16, 16);
    QTest::newRow("about banner") << ":/rc/banner.png" << QSize(640, 100);
}

void tst_Resources::pictureSize()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QCOMPARE(QImage(path).size(), size);
}

static QString translationsDir()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
}

void tst_Resources::programCatalogueTranslates_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");

    QTest::newRow("German") << "de" << QString::fromUtf8("&Datei");
    QTest::newRow("Simplified Chinese") << "zh_CN" << QString::fromUtf8("文件(&F)");
}

void tst_Resources::programCatalogueTranslates()
{
    QFETCH(QString, language);
    QFETCH(QString, expected);

    QTranslator translator;
    QVERIFY2(translator.load(QStringLiteral("Parlonex_") + language, translationsDir()),
             qPrintable("no Parlonex_" + language + ".qm in " + translationsDir()));
    QCOMPARE(translator.translate("MainWindow", "&File"), expected);
}

void tst_Resources::toolkitCatalogueTranslates_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");

    QTest::newRow("German") << "de" << QString::fromUtf8("Abbrechen");
    QTest::newRow("Simplified Chinese") << "zh_CN" << QString::fromUtf8("取消");
}

void tst_Resources::toolkitCatalogueTranslates()
{
    QFETCH(QString, language);
    QFETCH(QString, expected);

    // qt_xx.qm holds no texts itself: this only passes when qtbase_xx.qm was copied beside it.
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("qt_") + language, translationsDir()));
    QCOMPARE(translator.translate("QPlatformTheme", "Cancel"), expected);
}

struct TsMessage
{
    QString context;
    QString source;
    QString type;
    QStringList translations;
};

static QList<TsMessage> readTs(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QList<TsMessage> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            TsMessage message;
            message.context = context;
            while (xml.readNextStartElement()) {
                if (xml.name() == u"source") {
                    message.source = xml.readElementText();
                } else if (xml.name() == u"translation") {
                    message.type = xml.attributes().value(QLatin1String("type")).toString();
                    bool numerus = false;
                    QString text;
                    while (xml.readNext() != QXmlStreamReader::EndElement
                           || xml.name() != u"translation") {
                        if (xml.isStartElement() && xml.name() == u"numerusform") {
                            numerus = true;
                            message.translations << xml.readElementText();
                        } else if (xml.isCharacters()) {
                            text += xml.text();
                        }
                        if (xml.atEnd())
                            break;
                    }
                    if (!numerus)
                        message.translations << text;
                } else {
                    xml.skipCurrentElement();
                }
            }
            messages << message;
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

static QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%(?:L?[0-9]{1,2}|n)"));
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

    for (const char *language : { "de", "zh_CN" })
        QTest::newRow(language) << QStringLiteral(PARLONEX_SOURCE_DIR "/translations/Parlonex_%1.ts")
                                           .arg(QLatin1String(language));
}

// Every shipped text is translated, and no translation drops what the program relies on: its
// placeholders, its menu accelerator, or the "..." that promises a dialog.
void tst_Resources::translationSourceIsConsistent()
{
    QFETCH(QString, path);

    QString error;
    const QList<TsMessage> messages = readTs(path, &error);
    QVERIFY2(error.isEmpty(), qPrintable(path + ": " + error));
    QVERIFY(!messages.isEmpty());

    QStringList faults;
    for (const TsMessage &message : messages) {
        const QString where = message.context + QStringLiteral(" \"") + message.source + QStringLiteral("\": ");
        if (message.type == u"unfinished") {
            faults << where + QStringLiteral("unfinished");
            continue;
        }
        if (message.type == u"obsolete" || message.type == u"vanished")
            continue;
        for (const QString &translation : message.translations) {
            if (translation.isEmpty())
                faults << where + QStringLiteral("empty translation");
            else if (placeholders(translation) != placeholders(message.source))
                faults << where + QStringLiteral("placeholders differ in \"") + translation + u'"';
            else if (hasAccelerator(message.source) && !hasAccelerator(translation))
                faults << where + QStringLiteral("accelerator lost in \"") + translation + u'"';
            else if (message.source.endsWith(u"...") && !translation.endsWith(u"...")
                     && !translation.endsWith(QChar(0x2026)))
                faults << where + QStringLiteral("\"...\" lost in \"") + translation + u'"';
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_MAIN(tst_Resources)
#include "tst_resources.moc"
