// Cases every file format must pass. A format joins by adding its entry, with its sample
// folders (tests/data/<kind>/<sample>/), to formats().

#include "bench/tabledump.h"
#include "model/translationmodel.h"
#include "support/checkers.h"
#include "support/formatfiles.h"
#include "support/testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QScopedPointer>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <limits>
#include <sys/resource.h>

using namespace FormatFiles;

namespace {

struct FormatCase
{
    ModelKind kind;
    QString filePattern;
    QStringList samples;
    // Empty when the format's own tools accept `file`; otherwise what they said. `original`
    // is the same file before the program wrote it.
    std::function<QString(const QString &file, const QString &original)> check;
    // The most lines a diff of a file may show for a written text with `lineFeeds` line
    // feeds: files under version control change where a translation changed, and no more.
    std::function<qsizetype(qsizetype lineFeeds)> diffLines;
    // What a text written into a cell reads back as.
    std::function<QString(const QString &)> readBack = [](const QString &text) { return text; };
};

QString checkTs(const QString &file, const QString &)
{
    return lreleaseFailure(file);
}

QString checkPo(const QString &file, const QString &original)
{
    const QString failure = msgfmtFailure(file);
    return failure.isEmpty() ? msgcmpFailure(file, original) : failure;
}

// GNUstep's parser must take the table, with as many entries as the original held.
QString checkStrings(const QString &file, const QString &original)
{
    const int written = TestSupport::sfparseEntries(file);
    const int before = TestSupport::sfparseEntries(original);
    return written >= 0 && written == before
        ? QString()
        : QStringLiteral("sfparse: %1 entries, %2 before").arg(written).arg(before);
}

// i18next must give back every leaf of the set through t().
QString checkJson(const QString &file, const QString &)
{
    QString output;
    const QString root = QFileInfo(file).dir().absolutePath() + QStringLiteral("/..");
    return TestSupport::i18nextCheckAll(root, &output) == 0 ? QString() : output;
}

const QMap<QString, FormatCase> &formats()
{
    // The library rewrites a changed catalogue whole, wrapping lines its own way.
    const auto anyDiff = [](qsizetype) { return std::numeric_limits<qsizetype>::max(); };
    // An escaped text stays on the line of its entry.
    const auto oneLine = [](qsizetype) { return qsizetype(2); };
    static const QMap<QString, FormatCase> all {
        { QStringLiteral("ts"),
            { ModelKind::Qt, QStringLiteral("*.ts"), { "qtserialport", "handmade" }, checkTs,
                [](qsizetype lineFeeds) { return 3 + 2 * lineFeeds; },
                // TS texts are stored without carriage returns.
                [](const QString &text) { return QString(text).remove(QLatin1Char('\r')); } } },
        { QStringLiteral("po"),
            { ModelKind::Gnu, QStringLiteral("*.po"), { "django-humanize", "gnu-layout" }, checkPo,
                anyDiff } },
        { QStringLiteral("strings"),
            { ModelKind::Apple, QStringLiteral("*.strings"), { "gnustep-base" }, checkStrings,
                oneLine } },
        { QStringLiteral("json"),
            { ModelKind::CommonJSON, QStringLiteral("*.json"), { "node-red", "docusaurus" },
                checkJson, oneLine } },
    };
    return all;
}

// A row per sample of every format and named text, in columns kind, folder and text.
void addSampleRows(const QList<QPair<const char *, QString>> &texts)
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("text");
    for (auto format = formats().cbegin(); format != formats().cend(); ++format) {
        for (const QString &folder : format->samples) {
            for (const auto &text : texts)
                QTest::addRow("%s/%s %s", qPrintable(format.key()), qPrintable(folder), text.first)
                    << format.key() << folder << text.second;
        }
    }
}

QStringList filesOf(const QString &folder, const QStringList &patterns)
{
    QStringList files;
    QDirIterator it(folder, patterns, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

} // namespace

class tst_Formats final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void roundTrip_data();
    void roundTrip();
    void failedWriteKeepsOriginal_data();
    void failedWriteKeepsOriginal();
    void editedFile_data();
    void editedFile();
    void unreadableFileIsNeverWritten_data();
    void unreadableFileIsNeverWritten();

private:
    // Copies the sample into a scratch folder and imports it there.
    TranslationModel *openSample(const QString &kind, const QString &folder);
    TranslationModel *reopen(const QString &kind);
    // Writes the files, named relative to the set's folder, and makes that the set's folder.
    void writeSet(const QMap<QString, QByteArray> &files);
    // First row whose first language column holds a text, so its file has the message.
    static int writableRow(const TranslationModel &model);

    QScopedPointer<QTemporaryDir> scratch;
    QString setFolder;
    QString originals;
};

void tst_Formats::initTestCase()
{
    // Writes past the file size limit must fail with EFBIG instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    // GNUstep reads .strings files without a byte order mark as strict UTF-8.
    qputenv("GNUSTEP_STRING_ENCODING", "NSUTF8StringEncoding");
}

void tst_Formats::init()
{
    scratch.reset(new QTemporaryDir);
    QVERIFY(scratch->isValid());
}

TranslationModel *tst_Formats::openSample(const QString &kind, const QString &folder)
{
    setFolder = scratch->filePath(QStringLiteral("set/") + folder);
    originals = scratch->filePath(QStringLiteral("original/") + folder);
    const QString source = TestSupport::dataPath(kind + QLatin1Char('/') + folder);
    for (const QString &target : { setFolder, originals }) {
        if (!QDir().mkpath(QFileInfo(target).path())
            || TestSupport::run(QStringLiteral("cp"), { QStringLiteral("-R"), source, target })
                != 0)
            return nullptr;
    }
    return reopen(kind);
}

TranslationModel *tst_Formats::reopen(const QString &kind)
{
    TranslationModel *model = TranslationModel::create(formats().value(kind).kind, this);
    if (!model->importFromDirectory(setFolder)) {
        delete model;
        return nullptr;
    }
    return model;
}

int tst_Formats::writableRow(const TranslationModel &model)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (!model.messageAt(row).id.isEmpty() && !model.cellText(model.index(row, 0)).isEmpty())
            return row;
    }
    return -1;
}

void tst_Formats::roundTrip_data()
{
    addSampleRows({
        // Exported without an edit: the files stay byte for byte as they were.
        { "unchanged", QString() },
        { "quotes and backslashes", QStringLiteral("Say \"hi\" to 'them' in C:\\temp\\new \\n") },
        { "line breaks", QStringLiteral("first line\r\nsecond line\n\nfourth") },
        { "markup", QStringLiteral("<b>bold</b> & <i>more</i> &amp; ]]> <!-- x -->") },
        { "placeholders", QStringLiteral("%1 of %2 files in {name}, {{count}}") },
        { "beyond ASCII",
            QStringLiteral("Done \U0001F389\U0001F44D\U0001F3FD \u0645\u0631\u062D\u0628\u0627") },
        // JSON and .strings escape control characters, TS writes them as <byte> elements.
        { "tab and control characters", QStringLiteral("name\tvalue\u0001\u001F") },
    });
}

void tst_Formats::roundTrip()
{
    QFETCH(QString, kind);
    QFETCH(QString, folder);
    QFETCH(QString, text);
    const FormatCase format = formats().value(kind);
    QScopedPointer<TranslationModel> model(openSample(kind, folder));
    QVERIFY(model);
    QStringList expected = dumpTable(*model);
    QVERIFY2(expected.size() > 3, "the sample should fill the table");
    if (!text.isNull()) {
        const int row = writableRow(*model);
        QVERIFY(row >= 0);
        QVERIFY(model->setData(model->index(row, 0), text));
        // Once read back, every column of the row's language shows the new entry.
        const QString entry = escapeCell(model->groupOf(row)) + QLatin1Char('\t')
            + escapeCell(model->messageAt(row).id) + QLatin1Char('\t')
            + model->columnLanguage(model->index(row, 0), true) + QLatin1Char('\t');
        expected = dumpTable(*model);
        for (QString &line : expected) {
            if (line.startsWith(entry))
                line = entry + escapeCell(format.readBack(text));
        }
    }
    QVERIFY(model->exportToDirectory());

    const QStringList files = filesOf(setFolder, { format.filePattern });
    QVERIFY(!files.isEmpty());
    for (const QString &file : files) {
        const QString original =
            originals + QLatin1Char('/') + QDir(setFolder).relativeFilePath(file);
        const QString failure = format.check(file, original);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        if (text.isNull()) {
            QCOMPARE(TestSupport::readAll(file), TestSupport::readAll(original));
            continue;
        }
        QString diff;
        TestSupport::run(QStringLiteral("diff"), { original, file }, &diff);
        const qsizetype lines = diff.split(u'\n').filter(QRegularExpression("^[<>]")).size();
        QVERIFY2(lines <= format.diffLines(text.count(u'\n')), qPrintable(diff));
    }
    QScopedPointer<TranslationModel> reopened(reopen(kind));
    QVERIFY(reopened);
    QCOMPARE(dumpTable(*reopened), expected);
}

using Files = QMap<QString, QByteArray>;

namespace {

QByteArray encoded(const char *encoding, const QString &text)
{
    return QStringEncoder(encoding).encode(text);
}

QByteArray po(const char *charset, const QByteArray &entries)
{
    return "msgid \"\"\nmsgstr \"\"\n\"Language: de\\n\"\n\"Content-Type: text/plain; charset="
        + QByteArray(charset) + "\\n\"\n\"Plural-Forms: nplurals=2; plural=(n != 1);\\n\"\n\n"
        + entries;
}

QString ts(const QString &declared, const QString &translation)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>\n<!DOCTYPE TS>\n<TS version="
                          "\"2.1\" language=\"de\">\n<context>\n    <name>Main</name>\n"
                          "    <message>\n        <source>Size</source>\n        %2\n"
                          "    </message>\n</context>\n</TS>\n")
        .arg(declared, translation);
}

} // namespace

void tst_Formats::editedFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("shown"); // the cell as read
    QTest::addColumn<QString>("comment"); // the developers' note of its message
    QTest::addColumn<QString>("typed"); // null: exported unchanged
    QTest::addColumn<QString>("file"); // the one file the export may change
    QTest::addColumn<QByteArray>("written"); // what it then holds; null: it is refused

    const Files eucJp { { "ja/app.po",
        po("EUC-JP", encoded("EUC-JP", "msgid \"Size\"\nmsgstr \"大きさ\"\n")) } };
    const Files latin1 { { "de/app.po",
        po("ISO-8859-1",
            "msgid \"Size\"\nmsgstr \"Gr\xf6\xdf"
            "e\"\n") } };
    const Files contexts { { "de/app.po",
        po("UTF-8",
            "msgid \"May\"\nmsgstr \"Darf\"\n\nmsgctxt \"month\"\nmsgid \"May\"\nmsgstr "
            "\"Mai\"\n") } };
    const Files bom { { "de/app.po",
        po("UTF-8",
            "msgid \"Size\"\nmsgstr \"\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F"
            "e\"\n") } };
    const Files format { { "de/app.po",
        po("UTF-8", "#. files count\n#, c-format\nmsgid \"%d files\"\nmsgstr \"%d Dateien\"\n") } };
    const QString utf16Ts = ts("UTF-16", "<translation>Größe</translation>");
    const Files utf16 { { "app_de.ts", QByteArray("\xFF\xFE") + encoded("UTF-16LE", utf16Ts) } };
    const Files latin1Ts { { "app_de.ts",
        ts("ISO-8859-1", "<translation type=\"unfinished\">Größe</translation>").toLatin1() } };
    const Files space { { "app_de.ts", ts("utf-8", "<translation> </translation>").toUtf8() } };
    const Files comments { { "app_de.ts",
        ts("utf-8",
            "<comment>noun</comment>\n        <translation>Größe</translation>\n    </message>\n   "
            " <message>\n        <source>Size</source>\n        <comment>verb</comment>\n        "
            "<extracomment>Menu entry</extracomment>\n        <translation>Bemessen</translation>")
            .toUtf8() } };
    const Files folders { { "pt.BR.lproj/L.strings", "\"Size\" = \"Tamanho\";\n" },
        { "pt.PT.lproj/L.strings",
            "/* size label */\n\"Size\" = \"Dimens\\U00E3o \\\"x\\\"\";\n" } };
    // The languages disagree on what is a string and what an object.
    const Files shapes { { "en/ns.json",
                             R"({"label": {"paytoqs": "Pay"}, "menu": {"label": "Menu"}})" },
        { "de/ns.json", R"({"label": "Etikett", "menu": {"label": {"open": "Öffnen"}}})" } };
    // clang-format off
    QTest::newRow("po EUC-JP unchanged")    << "po" << eucJp << "ja" << "" << "Size" << "大きさ" << "" << QString() << "" << QByteArray();
    QTest::newRow("po EUC-JP typed")        << "po" << eucJp << "ja" << "" << "Size" << "大きさ" << "" << "寸法" << "ja/app.po" << encoded("EUC-JP", "msgstr \"寸法\"");
    QTest::newRow("po Latin-1 typed")       << "po" << latin1 << "de" << "" << "Size" << "Größe" << "" << "Maße" << "de/app.po" << QByteArray("msgstr \"Ma\xdf" "e\"");
    QTest::newRow("po Latin-1 cannot hold") << "po" << latin1 << "de" << "" << "Size" << "Größe" << "" << "Größe ✓" << "de/app.po" << QByteArray();
    QTest::newRow("po msgctxt pair")        << "po" << contexts << "de" << "month" << "May" << "Mai" << "" << "Mai!" << "de/app.po" << QByteArray("msgid \"May\"\nmsgstr \"Darf\"\n\nmsgctxt \"month\"\nmsgid \"May\"\nmsgstr \"Mai!\"");
    QTest::newRow("po header is no row")    << "po" << contexts << "de" << "" << "May" << "Darf" << "" << "Kann" << "de/app.po" << po("UTF-8", "msgid \"May\"\nmsgstr \"Kann\"");
    QTest::newRow("po U+FEFF kept")         << "po" << bom << "de" << "" << "Size" << QChar(0xFEFF) + QString("Größe") << "" << QString() << "" << QByteArray();
    QTest::newRow("po mismatched %d")       << "po" << format << "de" << "" << "%d files" << "%d Dateien" << "files count" << "%s Dateien" << "de/app.po" << QByteArray("#, fuzzy, c-format\nmsgid \"%d files\"\nmsgstr \"%s Dateien\"");
    QTest::newRow("ts UTF-16")              << "ts" << utf16 << "de" << "" << "Size" << "Größe" << "" << "Maße" << "app_de.ts" << encoded("UTF-16LE", "<translation>Maße</translation>");
    QTest::newRow("ts Latin-1")             << "ts" << latin1Ts << "de" << "" << "Size" << "Größe" << "" << "Maße €" << "app_de.ts" << QByteArray("<translation type=\"unfinished\">Ma\xdf" "e &#x20ac;</translation>");
    QTest::newRow("ts control character")   << "ts" << space << "de" << "" << "Size" << " " << "" << "a\u0001b\tc" << "app_de.ts" << QByteArray("<translation>a<byte value=\"x1\"/>b\tc</translation>");
    QTest::newRow("ts comment tells apart")   << "ts" << comments << "de" << "verb" << "Size" << "Bemessen" << "Menu entry" << "Messen" << "app_de.ts" << QByteArray("<comment>noun</comment>\n        <translation>Größe</translation>\n    </message>\n    <message>\n        <source>Size</source>\n        <comment>verb</comment>\n        <extracomment>Menu entry</extracomment>\n        <translation>Messen</translation>");
    QTest::newRow("ts white space kept")    << "ts" << space << "de" << "" << "Size" << " " << "" << QString() << "" << QByteArray();
    QTest::newRow("strings pt.PT folder")   << "strings" << folders << "pt_PT" << "" << "Size" << "Dimensão \"x\"" << "size label" << "Tamanho \"y\"" << "pt.PT.lproj/L.strings" << QByteArray("\"Size\" = \"Tamanho \\\"y\\\"\";");
    QTest::newRow("strings backslashes")    << "strings" << folders << "pt_BR" << "" << "Size" << "Tamanho" << "size label" << "C:\\new\\U00E9\\" << "pt.BR.lproj/L.strings" << QByteArray("\"Size\" = \"C:\\\\new\\\\U00E9\\\\\";");
    QTest::newRow("strings line break")     << "strings" << folders << "pt_BR" << "" << "Size" << "Tamanho" << "size label" << "a\r\nb" << "pt.BR.lproj/L.strings" << QByteArray("\"Size\" = \"a\\r\\nb\";");
    QTest::newRow("strings control character") << "strings" << folders << "pt_BR" << "" << "Size" << "Tamanho" << "size label" << "bell\a\tb" << "pt.BR.lproj/L.strings" << QByteArray("\"Size\" = \"bell\\U0007\tb\";");
    QTest::newRow("json string beside object") << "json" << shapes << "de" << "" << "label.paytoqs" << "" << "" << "Zahlen" << "de/ns.json" << QByteArray("\"label.paytoqs\": \"Zahlen\"");
    QTest::newRow("json key naming an object") << "json" << shapes << "de" << "" << "menu.label" << "" << "" << "Menü" << "de/ns.json" << QByteArray();
    // clang-format on
}

void tst_Formats::editedFile()
{
    QFETCH(QString, kind);
    QFETCH(Files, files);
    QFETCH(QString, language);
    QFETCH(QString, context);
    QFETCH(QString, id);
    QFETCH(QString, shown);
    QFETCH(QString, comment);
    QFETCH(QString, typed);
    QFETCH(QString, file);
    QFETCH(QByteArray, written);
    const FormatCase format = formats().value(kind);
    writeSet(files);
    QScopedPointer<TranslationModel> model(reopen(kind));
    QVERIFY(model);
    const auto cellOf = [&](const TranslationModel &set) {
        int row = 0;
        while (row < set.rowCount()
            && (set.messageAt(row).id != id || set.messageNotes(row).context != context))
            ++row;
        return set.indexForLanguage(row, language);
    };
    const QModelIndex cell = cellOf(*model);
    QVERIFY(cell.isValid());
    QCOMPARE(model->cellText(cell), shown);
    QCOMPARE(model->messageNotes(cell.row()).comment, comment);
    if (!typed.isNull())
        QVERIFY(model->setData(cell, typed));

    const bool refused = !typed.isNull() && written.isNull();
    QCOMPARE(model->exportToDirectory(), !refused);
    if (refused)
        QVERIFY(!model->errors().isEmpty() && model->errors().first().file.endsWith(file));
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = setFolder + QLatin1Char('/') + it.key();
        if (it.key() != file || refused) {
            QCOMPARE(TestSupport::readAll(path), it.value());
            continue;
        }
        QVERIFY2(
            TestSupport::readAll(path).contains(written), TestSupport::readAll(path).constData());
        const QString failure = format.check(path, path);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
    QScopedPointer<TranslationModel> reopened(reopen(kind));
    QCOMPARE(
        reopened->cellText(cellOf(*reopened)), written.isNull() ? shown : format.readBack(typed));
}

void tst_Formats::failedWriteKeepsOriginal_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("text");
    for (auto format = formats().cbegin(); format != formats().cend(); ++format)
        QTest::newRow(qPrintable(format.key()))
            << format.key() << format->samples.first() << QStringLiteral("changed, never saved");
}

void tst_Formats::failedWriteKeepsOriginal()
{
    QFETCH(QString, kind);
    QFETCH(QString, folder);
    QFETCH(QString, text);
    QScopedPointer<TranslationModel> model(openSample(kind, folder));
    QVERIFY(model);
    const int row = writableRow(*model);
    QVERIFY(row >= 0);
    QVERIFY(model->setData(model->index(row, 0), text));
    QMap<QString, QByteArray> before;
    for (const QString &file : filesOf(setFolder, { QStringLiteral("*") }))
        before.insert(file, TestSupport::readAll(file));

    // Writes beyond a few bytes fail; permissions would not stop a test running as root.
    rlimit saved {};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit limited = saved;
    limited.rlim_cur = 16;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    const bool exported = model->exportToDirectory();
    setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY2(!exported, "a failed write must not be reported as success");
    QVERIFY(!model->errors().isEmpty());
    // No temporary file is left behind either.
    QCOMPARE(filesOf(setFolder, { QStringLiteral("*") }), before.keys());
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QCOMPARE(TestSupport::readAll(it.key()), it.value());
}

void tst_Formats::unreadableFileIsNeverWritten_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("lastId"); // read after the problems
    QTest::addColumn<QStringList>("readProblems");
    QTest::addColumn<QStringList>("saveProblems");
    const QString broken =
        QStringLiteral("strings/broken/nb.lproj/Localizable.strings"); // by GWorkspace
    // clang-format off
    QTest::newRow("ts not well-formed") << "ts"
        << Files { { "app_de.ts", ts("utf-8", "<translation>Auf</translation>").toUtf8().replace("</context>", "</contxt>") } }
        << "Size" << QStringList { "app_de.ts:10: The file is not well-formed XML" } << QStringList { "not well-formed", "Not written" };
    QTest::newRow("po syntax error") << "po"
        << Files { { "de/app.po", po("UTF-8", "msgid \"Open\"\nmsgstr \"Auf\"\n\nmsgid \"Cut\nmsgstr \"Aus\"\n\nmsgid \"Close\"\nmsgstr \"Zu\"\n") } }
        << "Close" << QStringList { "de/app.po:11: end-of-line within string" } << QStringList { "de/app.po:11: end-of-line within string", "de/app.po: Not written" };
    QTest::newRow("strings missing ';'") << "strings"
        << Files { { "nb.lproj/Localizable.strings", TestSupport::readAll(TestSupport::dataPath(broken)) } }
        << "Put Away" << QStringList { ":16: .*missing ';'", ":173: ", ":174: ", ":270: ", ":291: " } << QStringList { ":16: Not written" };
    QTest::newRow("json not JSON") << "json"
        << Files { { "en/common.json", R"({"a": "A"})" }, { "de/common.json", "{\"a\": \"A\",\n<<<<<<< HEAD\n" } }
        << "a" << QStringList { ":2: Not valid JSON" } << QStringList { "Not written" };
    QTest::newRow("json top-level array") << "json"
        << Files { { "en/common.json", R"({"a": "A"})" }, { "de/common.json", R"(["a", "b"])" } }
        << "a" << QStringList { "holds no JSON object" } << QStringList { "Not written" };
    // clang-format on
}

void tst_Formats::unreadableFileIsNeverWritten()
{
    QFETCH(QString, kind);
    QFETCH(Files, files);
    QFETCH(QString, lastId);
    QFETCH(QStringList, readProblems);
    QFETCH(QStringList, saveProblems);
    writeSet(files);
    for (const QString &problem : readProblems)
        expectLog(QtWarningMsg, qPrintable(problem));
    QScopedPointer<TranslationModel> model(reopen(kind));
    QVERIFY(model);
    QVERIFY(rowOf(*model, lastId) >= 0);
    QVERIFY(model->setData(model->index(0, 0), QStringLiteral("changed")));

    for (const QString &problem : saveProblems)
        expectLog(QtWarningMsg, qPrintable(problem));
    QVERIFY(!model->saveColumn(0));
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        QCOMPARE(TestSupport::readAll(setFolder + QLatin1Char('/') + it.key()), it.value());
}

void tst_Formats::writeSet(const QMap<QString, QByteArray> &files)
{
    setFolder = scratch->filePath(QStringLiteral("set"));
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        write(*scratch, QStringLiteral("set/") + it.key(), it.value());
}

QTEST_GUILESS_MAIN(tst_Formats)
#include "tst_formats.moc"
