// Cases every file format must pass. A format joins by adding its entry to formats() and
// its sample folders (tests/data/<kind>/<sample>/) to samples().

#include "bench/tabledump.h"
#include "model/stringsfile.h"
#include "model/translationmodel.h"
#include "support/testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

struct FormatCase
{
    ModelKind kind;
    QStringList filePatterns;
    // Empty when the format's own tools accept `file`; otherwise what they said. `original`
    // is the same file before the program wrote it.
    std::function<QString(const QString &file, const QString &original)> check;
    // What a text written into a cell reads back as.
    std::function<QString(const QString &)> readBack = [](const QString &text) { return text; };
    // An export without edits leaves the files byte for byte as they were.
    bool keepsUnchangedFiles = false;
};

QString toolFailure(const QString &program, const QStringList &arguments)
{
    QString output;
    const int code = TestSupport::run(program, arguments, &output);
    return code == 0 ? QString() : QStringLiteral("%1 %2 exited with %3: %4")
                                       .arg(QFileInfo(program).fileName(), arguments.join(' '))
                                       .arg(code)
                                       .arg(output);
}

QString checkTs(const QString &file, const QString &)
{
    QTemporaryDir out;
    return toolFailure(QStringLiteral(PARLONEX_LRELEASE),
                       { QStringLiteral("-silent"), file, QStringLiteral("-qm"),
                         out.filePath(QStringLiteral("out.qm")) });
}

QString checkPo(const QString &file, const QString &original)
{
    QString failure = toolFailure(QStringLiteral(PARLONEX_MSGFMT),
                                  { QStringLiteral("-c"), QStringLiteral("--check-format"),
                                    QStringLiteral("-o"), QStringLiteral("/dev/null"), file });
    const QStringList options{ QStringLiteral("--use-fuzzy"), QStringLiteral("--use-untranslated") };
    if (failure.isEmpty())
        failure = toolFailure(QStringLiteral(PARLONEX_MSGCMP), options + QStringList{ file, original });
    if (failure.isEmpty())
        failure = toolFailure(QStringLiteral(PARLONEX_MSGCMP), options + QStringList{ original, file });
    return failure;
}

// GNUstep's parser must take the table, with as many entries as the original held.
QString checkStrings(const QString &file, const QString &original)
{
    const auto entries = [](const QString &path, QString *output) {
        TestSupport::run(QStringLiteral(PARLONEX_SFPARSE), { path }, output);
        const QRegularExpressionMatch match =
                QRegularExpression(QStringLiteral("seems ok \\((\\d+) entries\\)")).match(*output);
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    };
    QString output;
    QString originalOutput;
    const int written = entries(file, &output);
    const int before = entries(original, &originalOutput);
    if (written < 0 || written != before)
        return QStringLiteral("sfparse: %1 entries, %2 before: %3").arg(written).arg(before).arg(output);
    return {};
}

// i18next must give back every leaf of the file's language through t().
QString checkJson(const QString &file, const QString &)
{
    const QFileInfo info(file);
    return toolFailure(QStringLiteral(PARLONEX_NODE),
                       { QStringLiteral(PARLONEX_I18NEXT_CHECK), QStringLiteral("--prefix"),
                         QStringLiteral(PARLONEX_I18NEXT_PREFIX), QStringLiteral("--all"),
                         info.dir().absolutePath() + QStringLiteral("/.."), info.dir().dirName() });
}

const QMap<QString, FormatCase> &formats()
{
    static const QMap<QString, FormatCase> all{
        { QStringLiteral("ts"),
          { ModelKind::Qt, { QStringLiteral("*.ts") }, checkTs,
            // TS texts are stored without carriage returns.
            [](const QString &text) { return QString(text).remove(QLatin1Char('\r')); }, true } },
        { QStringLiteral("po"),
          { ModelKind::Gnu, { QStringLiteral("*.po") }, checkPo,
            [](const QString &text) { return text; }, true } },
        { QStringLiteral("strings"),
          { ModelKind::Apple, { QStringLiteral("*.strings") }, checkStrings,
            // Cells hold .strings texts with their escapes; typed ones get escaped.
            [](const QString &text) { return escapeStringsText(text); } } },
        { QStringLiteral("json"), { ModelKind::CommonJSON, { QStringLiteral("*.json") }, checkJson } },
    };
    return all;
}

struct Sample
{
    const char *kind;
    const char *folder;
};

const QList<Sample> &samples()
{
    static const QList<Sample> all{
        { "ts", "qtserialport" },
        { "ts", "handmade" },
        { "po", "django-humanize" },
        { "po", "gnu-layout" },
        { "strings", "gnustep-base" },
        { "json", "node-red" },
        { "json", "docusaurus" },
    };
    return all;
}

bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(source, target))
            return false;
    }
    return true;
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

// Writes beyond a few bytes fail with EFBIG while it is in scope; permissions would not stop
// a test running as root.
class FileSizeLimit final
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
    bool isActive() const { return active; }

private:
    rlimit saved {};
    bool active = false;
};

} // namespace

class tst_Formats final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exportUnchanged_data();
    void exportUnchanged();
    void awkwardTextsRoundTrip_data();
    void awkwardTextsRoundTrip();
    void failedWriteKeepsOriginal_data();
    void failedWriteKeepsOriginal();

private:
    void addSampleColumns();
    // Copies the sample into a scratch folder and imports it there.
    TranslationModel *openSample(const QString &kind, const QString &folder);
    TranslationModel *reopen(const QString &kind);
    // First row whose first language column holds a text, so its file has the message.
    static int writableRow(const TranslationModel &model);

    QScopedPointer<QTemporaryDir> scratch;
    QString setFolder;
    QString originals;
};

void tst_Formats::initTestCase()
{
    std::signal(SIGXFSZ, SIG_IGN);
    // GNUstep reads .strings files without a byte order mark as strict UTF-8.
    qputenv("GNUSTEP_STRING_ENCODING", "NSUTF8StringEncoding");
}

void tst_Formats::init()
{
    scratch.reset(new QTemporaryDir);
    QVERIFY(scratch->isValid());
}

void tst_Formats::cleanup()
{
    scratch.reset();
}

void tst_Formats::addSampleColumns()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("folder");
}

TranslationModel *tst_Formats::openSample(const QString &kind, const QString &folder)
{
    setFolder = scratch->filePath(QStringLiteral("set/") + folder);
    originals = scratch->filePath(QStringLiteral("original/") + folder);
    const QString source = TestSupport::dataPath(kind + QLatin1Char('/') + folder);
    if (!copyTree(source, setFolder) || !copyTree(source, originals))
        return nullptr;
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

void tst_Formats::exportUnchanged_data()
{
    addSampleColumns();
    for (const Sample &sample : samples())
        QTest::addRow("%s/%s", sample.kind, sample.folder) << sample.kind << sample.folder;
}

void tst_Formats::exportUnchanged()
{
    QFETCH(QString, kind);
    QFETCH(QString, folder);
    const FormatCase format = formats().value(kind);
    QScopedPointer<TranslationModel> model(openSample(kind, folder));
    QVERIFY(model);
    const QStringList before = dumpTable(*model);
    QVERIFY2(before.size() > 3, "the sample should fill the table");
    QVERIFY(model->exportToDirectory());

    const QStringList files = filesOf(setFolder, format.filePatterns);
    QVERIFY(!files.isEmpty());
    for (const QString &file : files) {
        const QString original = originals + QLatin1Char('/') + QDir(setFolder).relativeFilePath(file);
        const QString failure = format.check(file, original);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        if (format.keepsUnchangedFiles)
            QCOMPARE(TestSupport::readAll(file), TestSupport::readAll(original));
    }
    QScopedPointer<TranslationModel> reopened(reopen(kind));
    QVERIFY(reopened);
    QCOMPARE(dumpTable(*reopened), before);
}

void tst_Formats::awkwardTextsRoundTrip_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("text");
    const QList<QPair<const char *, QString>> texts{
        { "quotes", QStringLiteral("Say \"hello\" to 'them'") },
        { "backslashes", QStringLiteral("C:\\temp\\new \\n is not a line feed") },
        { "line feeds", QStringLiteral("first line\nsecond line\n\nfourth") },
        { "carriage return", QStringLiteral("first line\r\nsecond line") },
        { "markup", QStringLiteral("<b>bold</b> & <i>more</i> &amp; ]]> <!-- x -->") },
        { "placeholders", QStringLiteral("%1 of %2 files in {name}, {{count}}") },
        { "emoji", QStringLiteral("Done \U0001F389 \U0001F44D\U0001F3FD") },
        { "right to left", QStringLiteral("\u0645\u0631\u062D\u0628\u0627 \u05E9\u05DC\u05D5\u05DD") },
        { "tab", QStringLiteral("name\tvalue") },
    };
    for (const Sample &sample : samples()) {
        for (const auto &text : texts)
            QTest::addRow("%s/%s %s", sample.kind, sample.folder, text.first)
                << sample.kind << sample.folder << text.second;
    }
}

void tst_Formats::awkwardTextsRoundTrip()
{
    QFETCH(QString, kind);
    QFETCH(QString, folder);
    QFETCH(QString, text);
    const FormatCase format = formats().value(kind);
    QScopedPointer<TranslationModel> model(openSample(kind, folder));
    QVERIFY(model);
    const int row = writableRow(*model);
    QVERIFY(row >= 0);
    QVERIFY(model->setData(model->index(row, 0), text));
    const QStringList expected = [&] {
        QStringList lines = dumpTable(*model);
        const QString language = model->columnLanguage(model->index(row, 0), true);
        for (QString &line : lines) {
            // Columns of the same language show the same entry.
            if (line.startsWith(escapeCell(model->groupOf(row)) + QLatin1Char('\t')
                                + escapeCell(model->messageAt(row).id) + QLatin1Char('\t')
                                + language + QLatin1Char('\t')))
                line = line.section(QLatin1Char('\t'), 0, 2) + QLatin1Char('\t')
                    + escapeCell(format.readBack(text));
        }
        return lines;
    }();
    QVERIFY(model->exportToDirectory());

    for (const QString &file : filesOf(setFolder, format.filePatterns)) {
        const QString original = originals + QLatin1Char('/') + QDir(setFolder).relativeFilePath(file);
        const QString failure = format.check(file, original);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
    QScopedPointer<TranslationModel> reopened(reopen(kind));
    QVERIFY(reopened);
    QCOMPARE(reopened->cellText(reopened->index(row, 0)), format.readBack(text));
    QCOMPARE(dumpTable(*reopened), expected);
}

void tst_Formats::failedWriteKeepsOriginal_data()
{
    exportUnchanged_data();
}

void tst_Formats::failedWriteKeepsOriginal()
{
    QFETCH(QString, kind);
    QFETCH(QString, folder);
    const FormatCase format = formats().value(kind);
    QScopedPointer<TranslationModel> model(openSample(kind, folder));
    QVERIFY(model);
    const int row = writableRow(*model);
    QVERIFY(row >= 0);
    QVERIFY(model->setData(model->index(row, 0), QStringLiteral("changed, but never saved")));

    const QStringList files = filesOf(setFolder, format.filePatterns);
    const QStringList everything = filesOf(setFolder, { QStringLiteral("*") });
    QMap<QString, QByteArray> before;
    for (const QString &file : files)
        before.insert(file, TestSupport::readAll(file));
    bool exported = true;
    {
        FileSizeLimit limit(16);
        QVERIFY(limit.isActive());
        exported = model->exportToDirectory();
    }
    QVERIFY2(!exported, "a failed write must not be reported as success");
    for (const QString &file : files)
        QCOMPARE(TestSupport::readAll(file), before.value(file));
    // No temporary file is left behind either.
    QCOMPARE(filesOf(setFolder, { QStringLiteral("*") }), everything);
}

QTEST_GUILESS_MAIN(tst_Formats)
#include "tst_formats.moc"
