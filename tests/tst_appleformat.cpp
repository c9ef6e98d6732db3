#include "model/appletranslationmodel.h"
#include "model/stringsfile.h"
#include "support/testsupport.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

class tst_AppleFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void readEntries_data();
    void readEntries();
    void encodings_data();
    void encodings();
    void typedTextIsEscaped_data();
    void typedTextIsEscaped();
    void realFilesRoundTrip_data();
    void realFilesRoundTrip();
    void saveKeepsWhatTheTableDoesNotShow();
    void changedDuplicateKeyReplacesEveryOccurrence();
    void brokenFileIsLeftAlone();
    void importAndExport();
    void exportNeedsLanguageDirectory();
    void catalogueAddsColumnOnly();
    void openFilesTakesLanguageFromDirectory();

private:
    QString path(const QString &relative) const { return dir->filePath(relative); }
    QScopedPointer<QTemporaryDir> dir;
};

namespace {

// The meaning of a quoted .strings text, as GNUstep and Apple decode it.
QString decodeEscapes(const QString &raw)
{
    QString out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) != u'\\' || i + 1 >= raw.size()) {
            out += raw.at(i);
            continue;
        }
        const QChar c = raw.at(++i);
        switch (c.unicode()) {
        case 'n':
            out += u'\n';
            break;
        case 't':
            out += u'\t';
            break;
        case 'r':
            out += u'\r';
            break;
        case 'a':
            out += QChar(7);
            break;
        case 'b':
            out += QChar(8);
            break;
        case 'f':
            out += QChar(12);
            break;
        case 'v':
            out += QChar(11);
            break;
        case 'U':
        case 'u':
            out += QChar(raw.mid(i + 1, 4).toUShort(nullptr, 16));
            i += 4;
            break;
        default:
            if (c >= u'0' && c <= u'7') {
                qsizetype end = i;
                while (
                    end < raw.size() && end < i + 3 && raw.at(end) >= u'0' && raw.at(end) <= u'7')
                    ++end;
                out += QChar(raw.mid(i, end - i).toUShort(nullptr, 8));
                i = end - 1;
            } else {
                out += c;
            }
        }
    }
    return out;
}

// sfparse's verdict on a file: the number of entries, or -1 when GNUstep rejects it.
int sfparseEntries(const QString &file)
{
    QString output;
    TestSupport::run(QStringLiteral(PARLONEX_SFPARSE), { file }, &output);
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("seems ok \\((\\d+) entries\\)")).match(output);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The values GNUstep reads for the given keys, through its `plget` tool, which takes UTF-8
// only: UTF-16 files are handed over converted. (Its sibling `pl` rejects some valid tables.)
QMap<QString, QString> gnustepTable(
    const QString &file, const QString &scratch, const QStringList &keys)
{
    QByteArray bytes = TestSupport::readAll(file);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(
            bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        bytes = QString(decoder.decode(bytes.mid(2))).toUtf8();
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.mid(3);
    }
    const QString input = scratch + QStringLiteral("/plget-input.strings");
    TestSupport::writeFile(input, bytes);
    QMap<QString, QString> table;
    for (const QString &key : keys) {
        QProcess plget;
        plget.setStandardInputFile(input);
        plget.start(QStringLiteral(PARLONEX_PLGET), { key });
        plget.waitForFinished(60000);
        if (plget.exitStatus() == QProcess::NormalExit && plget.exitCode() == 0)
            table.insert(key, QString::fromUtf8(plget.readAllStandardOutput()));
    }
    return table;
}

// Each row's text in one column, keyed by message ID.
QMap<QString, QString> column(const TranslationModel &model, int column)
{
    QMap<QString, QString> texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString text = model.cellText(model.index(row, column));
        if (!text.isEmpty())
            texts.insert(model.messageId(model.index(row, 0)), text);
    }
    return texts;
}

QMap<QString, QString> decoded(const QMap<QString, QString> &raw)
{
    QMap<QString, QString> result;
    for (auto it = raw.cbegin(); it != raw.cend(); ++it)
        result.insert(decodeEscapes(it.key()), decodeEscapes(it.value()));
    return result;
}

int rowOf(const TranslationModel &model, const QString &id)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.messageAt(row).id == id)
            return row;
    }
    return -1;
}

QByteArray encode(const QString &text, const QByteArray &encoding)
{
    if (encoding == "UTF-8")
        return text.toUtf8();
    if (encoding == "UTF-8 BOM")
        return "\xEF\xBB\xBF" + text.toUtf8();
    if (encoding == "Latin-1")
        return text.toLatin1();
    const bool little = encoding.contains("LE");
    QStringEncoder encoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    const QByteArray body = encoder.encode(text);
    if (!encoding.contains("BOM"))
        return body;
    return (little ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF")) + body;
}

} // namespace

void tst_AppleFormat::initTestCase()
{
    // Strict UTF-8 for files without a byte order mark, as the corpus checker reads them.
    qputenv("GNUSTEP_STRING_ENCODING", "NSUTF8StringEncoding");
}

void tst_AppleFormat::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
}

void tst_AppleFormat::readEntries_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("gnustepEntries");

    // GNUstep takes no braced table and no empty file; Apple's parser takes both.
    QTest::newRow("comment and entry") << QByteArray("/* greeting */\n\"hello\" = \"Hallo\";\n")
                                       << QStringList { "hello" } << QStringList { "Hallo" } << 1;
    QTest::newRow("escapes are kept as written")
        << QByteArray("\"q\" = \"say \\\"hi\\\"\\n\\\\ \\U00E9\";\n") << QStringList { "q" }
        << QStringList { "say \\\"hi\\\"\\n\\\\ \\U00E9" } << 1;
    QTest::newRow("unquoted key has no trailing space")
        << QByteArray("key = \"v\";\nother=plain;\n") << QStringList { "key", "other" }
        << QStringList { "v", "plain" } << 2;
    QTest::newRow("short form takes the key as value")
        << QByteArray("\"OK\";\n") << QStringList { "OK" } << QStringList { "OK" } << 1;
    QTest::newRow("value over two lines")
        << QByteArray("\"a\" = \"line one\nline two\";\n\"b\" = \"B\";\n")
        << QStringList { "a", "b" } << QStringList { "line one\nline two", "B" } << 2;
    QTest::newRow("several entries on one line, comments between tokens")
        << QByteArray("\"a\" /* x */ = // y\n \"A\"; \"b\" = \"B\"; // end\n")
        << QStringList { "a", "b" } << QStringList { "A", "B" } << 2;
    QTest::newRow("empty value is an entry")
        << QByteArray("\"e\" = \"\";\n") << QStringList { "e" } << QStringList { "" } << 1;
    QTest::newRow("braced dictionary") << QByteArray("{\n \"a\" = \"A\";\n}\n")
                                       << QStringList { "a" } << QStringList { "A" } << -1;
    QTest::newRow("CRLF line ends") << QByteArray("\"a\" = \"A\";\r\n\"b\" = \"B\";\r\n")
                                    << QStringList { "a", "b" } << QStringList { "A", "B" } << 2;
    QTest::newRow("empty file") << QByteArray() << QStringList {} << QStringList {} << -1;
}

void tst_AppleFormat::readEntries()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, values);
    QFETCH(int, gnustepEntries);
    const QString file = path(QStringLiteral("de.lproj/Localizable.strings"));
    QVERIFY(TestSupport::writeFile(file, content));

    AppleTranslationModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model.openFiles({ file }));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "de" }));
    QCOMPARE(model.rowCount(), keys.size());
    for (int row = 0; row < keys.size(); ++row) {
        QCOMPARE(model.messageAt(row).id, keys.at(row));
        QCOMPARE(model.groupOf(row), QStringLiteral("Localizable"));
        QCOMPARE(model.cellText(model.index(row, 0)), values.at(row));
    }
    QCOMPARE(sfparseEntries(file), gnustepEntries);
}

void tst_AppleFormat::encodings_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("prefix");

    QTest::newRow("UTF-8") << QByteArray("UTF-8") << QByteArray("/*");
    QTest::newRow("UTF-8 BOM") << QByteArray("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF/*");
    QTest::newRow("UTF-16LE BOM") << QByteArray("UTF-16LE BOM") << QByteArray("\xFF\xFE/\0", 4);
    QTest::newRow("UTF-16BE BOM") << QByteArray("UTF-16BE BOM") << QByteArray("\xFE\xFF\0/", 4);
    QTest::newRow("UTF-16LE") << QByteArray("UTF-16LE") << QByteArray("/\0*\0", 4);
    QTest::newRow("Latin-1") << QByteArray("Latin-1") << QByteArray("/*");
}

void tst_AppleFormat::encodings()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArray, prefix);
    const QString original =
        QStringLiteral("/* Größe */\n\"size\" = \"Größe\";\n\"open\" = \"Öffnen\";\n");
    const QString file = path(QStringLiteral("de.lproj/Localizable.strings"));
    QVERIFY(TestSupport::writeFile(file, encode(original, encoding)));

    AppleTranslationModel model;
    QVERIFY(model.openFiles({ file }));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.cellText(model.index(rowOf(model, "size"), 0)), QStringLiteral("Größe"));

    // An unchanged save leaves the file as it was.
    QVERIFY(model.saveColumn(0));
    QCOMPARE(TestSupport::readAll(file), encode(original, encoding));

    // A typed text, even one the encoding cannot hold, goes into the same encoding.
    const QString typed = QStringLiteral("Öffnen…\n😀");
    QVERIFY(model.setData(model.index(rowOf(model, "open"), 0), typed));
    QVERIFY(model.saveColumn(0));
    const QByteArray written = TestSupport::readAll(file);
    QVERIFY2(written.startsWith(prefix), written.left(8).toHex().constData());
    if (encoding != "Latin-1")
        QCOMPARE(StringsDocument::fromBytes(written).text,
            QStringLiteral("/* Größe */\n\"size\" = \"Größe\";\n\"open\" = \"Öffnen…\\n😀\";\n"));
    if (encoding == "Latin-1") {
        // What Latin-1 cannot hold is written as \U escapes (UTF-16 units).
        QCOMPARE(QString::fromLatin1(written),
            QStringLiteral("/* Größe */\n\"size\" = \"Größe\";\n"
                           "\"open\" = \"Öffnen\\U2026\\n\\UD83D\\UDE00\";\n"));
    } else if (encoding.contains("BOM") || encoding == "UTF-8") {
        // GNUstep reads UTF-16 only with a byte order mark.
        QCOMPARE(sfparseEntries(file), 2);
        QCOMPARE(gnustepTable(file, dir->path(), { "size", "open" }),
            (QMap<QString, QString> { { "size", "Größe" }, { "open", typed } }));
    }

    AppleTranslationModel reopened;
    QVERIFY(reopened.openFiles({ file }));
    QCOMPARE(decoded(column(reopened, 0)),
        (QMap<QString, QString> { { "size", "Größe" }, { "open", typed } }));
}

void tst_AppleFormat::typedTextIsEscaped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("inFile");
    QTest::addColumn<QString>("meaning");

    QTest::newRow("line break") << "one\ntwo"
                                << "one\\ntwo"
                                << "one\ntwo";
    QTest::newRow("carriage return") << "a\r\nb"
                                     << "a\\r\\nb"
                                     << "a\r\nb";
    QTest::newRow("double quote") << "say \"hi\""
                                  << "say \\\"hi\\\""
                                  << "say \"hi\"";
    QTest::newRow("lone backslash") << "C:\\path"
                                    << "C:\\\\path"
                                    << "C:\\path";
    QTest::newRow("trailing backslash") << "end\\"
                                        << "end\\\\"
                                        << "end\\";
    QTest::newRow("escapes already written") << "a \\\"b\\\" \\\\ \\n"
                                             << "a \\\"b\\\" \\\\ \\n"
                                             << "a \"b\" \\ \n";
    QTest::newRow("unicode escape kept") << "caf\\U00E9"
                                         << "caf\\U00E9"
                                         << "café";
    QTest::newRow("incomplete unicode escape") << "\\U12"
                                               << "\\\\U12"
                                               << "\\U12";
    QTest::newRow("control character")
        << QString("bell") + QChar(7) << "bell\\U0007" << QString("bell") + QChar(7);
    QTest::newRow("tab stays") << "a\tb"
                               << "a\tb"
                               << "a\tb";
    QTest::newRow("semicolon and equals") << "a = b; c"
                                          << "a = b; c"
                                          << "a = b; c";
}

void tst_AppleFormat::typedTextIsEscaped()
{
    QFETCH(QString, typed);
    QFETCH(QString, inFile);
    QFETCH(QString, meaning);
    const QString file = path(QStringLiteral("en.lproj/Localizable.strings"));
    QVERIFY(TestSupport::writeFile(file, "\"key\" = \"old\";\n\"other\" = \"x\";\n"));

    AppleTranslationModel model;
    QVERIFY(model.openFiles({ file }));
    QVERIFY(model.setData(model.index(rowOf(model, "key"), 0), typed));
    QVERIFY(model.saveColumn(0));

    QCOMPARE(QString::fromUtf8(TestSupport::readAll(file)),
        QStringLiteral("\"key\" = \"%1\";\n\"other\" = \"x\";\n").arg(inFile));
    QCOMPARE(sfparseEntries(file), 2);
    QCOMPARE(gnustepTable(file, dir->path(), { "key" }).value("key"), meaning);

    // Reading the file back shows what was written, and writing it again changes nothing.
    AppleTranslationModel reopened;
    QVERIFY(reopened.openFiles({ file }));
    QCOMPARE(reopened.cellText(reopened.index(rowOf(reopened, "key"), 0)), inFile);
    const QByteArray before = TestSupport::readAll(file);
    QVERIFY(reopened.saveColumn(0));
    QCOMPARE(TestSupport::readAll(file), before);
}

void tst_AppleFormat::realFilesRoundTrip_data()
{
    QTest::addColumn<QString>("language");

    // Shipped with GNUstep: plain ASCII, UTF-8 with a byte order mark, ASCII with \U escapes.
    QTest::newRow("en, ASCII") << "en";
    QTest::newRow("de, UTF-8 BOM") << "de";
    QTest::newRow("ko, unicode escapes") << "ko";
}

void tst_AppleFormat::realFilesRoundTrip()
{
    QFETCH(QString, language);
    const QString source = TestSupport::dataPath(
        QStringLiteral("strings/gnustep-base/%1.lproj/Localizable.strings").arg(language));
    const QString file = path(QStringLiteral("%1.lproj/Localizable.strings").arg(language));
    const QByteArray original = TestSupport::readAll(source);
    QVERIFY(!original.isEmpty());
    QVERIFY(TestSupport::writeFile(file, original));

    AppleTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    const QStringList keys = decoded(column(model, 0)).keys();
    const QMap<QString, QString> gnustepBefore = gnustepTable(file, dir->path(), keys);
    QCOMPARE(sfparseEntries(file), int(keys.size()));
    QCOMPARE(decoded(column(model, 0)), gnustepBefore);

    QVERIFY(model.exportToDirectory());
    QCOMPARE(TestSupport::readAll(file), original);

    // An LLM answer with a line break and quotes changes that one value only.
    const int row = 3;
    const QString id = model.messageAt(row).id;
    QVERIFY(model.setData(model.index(row, 0), QStringLiteral("Zeile 1\n\"Zeile\" 2")));
    QVERIFY(model.exportToDirectory());
    QMap<QString, QString> expected = gnustepBefore;
    expected.insert(decodeEscapes(id), QStringLiteral("Zeile 1\n\"Zeile\" 2"));
    QCOMPARE(sfparseEntries(file), int(gnustepBefore.size()));
    QCOMPARE(gnustepTable(file, dir->path(), keys), expected);
    QCOMPARE(
        TestSupport::readAll(file).left(3) == "\xEF\xBB\xBF", original.left(3) == "\xEF\xBB\xBF");
}

void tst_AppleFormat::saveKeepsWhatTheTableDoesNotShow()
{
    const QString de = path(QStringLiteral("de.lproj/Main.strings"));
    const QString en = path(QStringLiteral("en.lproj/Main.strings"));
    QVERIFY(TestSupport::writeFile(de,
        "/* Menu */\n\"quit\" = \"Beenden\";\n\n"
        "// kept although empty\n\"empty\" = \"\";\n"
        "\"about\" = \"Über\";\n\"OK\";\n\"gone\" = \"weg\";"));
    QVERIFY(TestSupport::writeFile(en,
        "\"quit\" = \"Quit\";\n\"about\" = \"About\";\n"
        "\"new\" = \"New\";\n\"another\" = \"Another\";\n"));

    AppleTranslationModel model;
    QVERIFY(model.importFromDirectory(dir->path()));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "de", "en" }));
    QVERIFY(model.setData(model.index(rowOf(model, "quit"), 0), QStringLiteral("Schließen")));
    QVERIFY(model.setData(model.index(rowOf(model, "gone"), 0), QString()));
    QVERIFY(model.setData(model.index(rowOf(model, "new"), 0), QStringLiteral("Neu")));
    QVERIFY(model.setData(model.index(rowOf(model, "another"), 0), QStringLiteral("Noch")));
    QVERIFY(model.setData(model.index(rowOf(model, "OK"), 0), QStringLiteral("Gut")));
    QVERIFY(model.saveColumn(0));

    // Comments, order, the empty entry and the cleared one stay; new keys follow in order.
    QCOMPARE(QString::fromUtf8(TestSupport::readAll(de)),
        QStringLiteral("/* Menu */\n\"quit\" = \"Schließen\";\n\n"
                       "// kept although empty\n\"empty\" = \"\";\n"
                       "\"about\" = \"Über\";\n\"OK\" = \"Gut\";\n\"gone\" = \"weg\";\n"
                       "\"another\" = \"Noch\";\n\"new\" = \"Neu\";\n"));
    QCOMPARE(sfparseEntries(de), 7);
    QCOMPARE(gnustepTable(de, dir->path(), { "OK", "empty" }),
        (QMap<QString, QString> { { "OK", "Gut" }, { "empty", "" } }));
}

void tst_AppleFormat::changedDuplicateKeyReplacesEveryOccurrence()
{
    const QString file = path(QStringLiteral("fr.lproj/Localizable.strings"));
    QVERIFY(TestSupport::writeFile(file, "\"a\" = \"un\";\n\"b\" = \"B\";\n\"a\" = \"deux\";\n"));

    AppleTranslationModel model;
    QVERIFY(model.openFiles({ file }));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.cellText(model.index(0, 0)), QStringLiteral("un"));
    QVERIFY(model.saveColumn(0));
    QCOMPARE(TestSupport::readAll(file),
        QByteArray("\"a\" = \"un\";\n\"b\" = \"B\";\n\"a\" = \"deux\";\n"));

    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("trois")));
    QVERIFY(model.saveColumn(0));
    QCOMPARE(TestSupport::readAll(file),
        QByteArray("\"a\" = \"trois\";\n\"b\" = \"B\";\n\"a\" = \"trois\";\n"));
    QCOMPARE(gnustepTable(file, dir->path(), { "a" }).value("a"), QStringLiteral("trois"));
}

void tst_AppleFormat::brokenFileIsLeftAlone()
{
    // Shipped by GWorkspace with a missing ';' at line 17, which GNUstep rejects too.
    const QString file = path(QStringLiteral("nb.lproj/Localizable.strings"));
    const QByteArray original =
        TestSupport::readAll(TestSupport::dataPath("strings/broken/nb.lproj/Localizable.strings"));
    QVERIFY(TestSupport::writeFile(file, original));
    QCOMPARE(sfparseEntries(file), -1);

    AppleTranslationModel model;
    QTest::ignoreMessage(
        QtWarningMsg, QRegularExpression("Failed to parse strings file .* line 17"));
    QVERIFY(model.openFiles({ file }));
    QVERIFY(model.rowCount() > 0);
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("changed")));

    QTest::ignoreMessage(
        QtCriticalMsg, QRegularExpression("Failed to open file for writing: .* does not parse"));
    QVERIFY(!model.saveColumn(0));
    QCOMPARE(TestSupport::readAll(file), original);
}

void tst_AppleFormat::importAndExport()
{
    QVERIFY(
        TestSupport::writeFile(path("en.lproj/Localizable.strings"), "\"hello\" = \"Hello\";\n"));
    QVERIFY(TestSupport::writeFile(path("en.lproj/Other.strings"), "\"bye\" = \"Bye\";\n"));
    QVERIFY(
        TestSupport::writeFile(path("de.lproj/Localizable.strings"), "\"hello\" = \"Hallo\";\n"));

    AppleTranslationModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model.importFromDirectory(dir->path()));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "de", "en" }));
    QCOMPARE(model.projectDirectory(), dir->path());
    const int bye = rowOf(model, "bye");
    QCOMPARE(model.groupOf(bye), QStringLiteral("Other"));
    QVERIFY(model.cellText(model.index(bye, 0)).isEmpty());

    QVERIFY(model.setData(model.index(bye, 0), QStringLiteral("Tschüss")));
    QVERIFY(model.exportToDirectory());
    QCOMPARE(TestSupport::readAll(path("de.lproj/Other.strings")),
        QStringLiteral("\"bye\" = \"Tschüss\";\n").toUtf8());
    QCOMPARE(sfparseEntries(path("de.lproj/Other.strings")), 1);
    QCOMPARE(TestSupport::readAll(path("de.lproj/Localizable.strings")),
        QByteArray("\"hello\" = \"Hallo\";\n"));

    AppleTranslationModel missing;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no such directory"));
    QVERIFY(!missing.importFromDirectory(path("nowhere")));
}

void tst_AppleFormat::exportNeedsLanguageDirectory()
{
    // Files opened from two language directories that are not side by side: the set's
    // directory is the first file's, and each column goes back where it came from.
    const QString de = path(QStringLiteral("a/de.lproj/Localizable.strings"));
    const QString fr = path(QStringLiteral("b/fr.lproj/Localizable.strings"));
    QVERIFY(TestSupport::writeFile(de, "\"x\" = \"X-de\";\n"));
    QVERIFY(TestSupport::writeFile(fr, "\"x\" = \"X-fr\";\n"));

    AppleTranslationModel model;
    QVERIFY(model.openFiles({ de, fr }));
    QCOMPARE(model.projectDirectory(), QFileInfo(path("a/de.lproj")).absoluteFilePath());
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("de neu")));
    QVERIFY(model.setData(model.index(0, 1), QStringLiteral("fr neu")));
    QVERIFY(model.exportToDirectory());
    QCOMPARE(TestSupport::readAll(de), QByteArray("\"x\" = \"de neu\";\n"));
    QCOMPARE(TestSupport::readAll(fr), QByteArray("\"x\" = \"fr neu\";\n"));
    QVERIFY(!QFile::exists(path("a/de.lproj/de.lproj")));

    // Without any language directory there is nothing to export into.
    QVERIFY(QFile::remove(de));
    QVERIFY(QDir(path("a")).rmdir("de.lproj"));
    QVERIFY(QFile::remove(fr));
    QVERIFY(QDir(path("b")).rmdir("fr.lproj"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No directory to export"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No directory to export"));
    QVERIFY(!model.exportToDirectory());
}

void tst_AppleFormat::catalogueAddsColumnOnly()
{
    const QString catalogue = path(QStringLiteral("en.lproj/Localizable.xcstrings"));
    QVERIFY(TestSupport::writeFile(catalogue,
        "{\n  \"sourceLanguage\" : \"en\",\n  \"strings\" : {\n"
        "    \"hello\" : { }\n  },\n  \"version\" : \"1.0\"\n}\n"));
    AppleTranslationModel model;
    QVERIFY(model.openFiles({ catalogue }));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "en" }));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnFilePath(0), catalogue);
}

void tst_AppleFormat::openFilesTakesLanguageFromDirectory()
{
    const QString hans = path(QStringLiteral("zh-Hans.lproj/App.v2.strings"));
    const QString base = path(QStringLiteral("Base.lproj/App.v2.strings"));
    QVERIFY(TestSupport::writeFile(hans, "\"k\" = \"值\";\n"));
    QVERIFY(TestSupport::writeFile(base, "\"k\" = \"value\";\n\"l\" = \"L\";\n"));

    AppleTranslationModel model;
    QVERIFY(model.openFiles({ hans, base }));
    QCOMPARE(model.columnList(), QStringList({ "Message ID", "Group", "zh-Hans", "Base" }));
    QCOMPARE(model.groupOf(0), QStringLiteral("App.v2"));
    QVERIFY(model.setData(model.index(1, 0), QStringLiteral("升")));
    // The table is written back to the file it came from, not to one named "App".
    QVERIFY(model.saveColumn(0));
    QCOMPARE(QString::fromUtf8(TestSupport::readAll(hans)),
        QStringLiteral("\"k\" = \"值\";\n\"l\" = \"升\";\n"));
    QVERIFY(!QFile::exists(path("zh-Hans.lproj/App.strings")));
}

QTEST_GUILESS_MAIN(tst_AppleFormat)
#include "tst_appleformat.moc"
