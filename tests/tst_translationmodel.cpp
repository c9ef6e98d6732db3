#include "model/sourcemodel.h"
#include "support/memorymodel.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QClipboard>
#include <QGuiApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class tst_TranslationModel : public QObject
{
    Q_OBJECT

private slots:
    void rowsNumberedInFirstMeetingOrder();
    void cellStates();
    void colouring_data();
    void colouring();
    void headersAndSourceModel();
    void languageDisplayName_data();
    void languageDisplayName();
    void indexForLanguage_data();
    void indexForLanguage();
    void cutCopyPaste();
    void projectSettings();
    void queriesOutsideTableAreEmpty();
};

namespace {

const QString mark = QString::fromUtf8("\xF0\x9F\x93\xB0");

} // namespace

void tst_TranslationModel::rowsNumberedInFirstMeetingOrder()
{
    MemoryModel model({ "de", "fr" });
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.add("g1", "de", "a", "A-de");
    model.add("g2", "de", "a", "A2-de");
    model.add("g1", "de", "a", "A-verb", true, { "verb", {}, {} });
    model.add("g1", "fr", "b", "B-fr");
    // The second language lists its messages in another order.
    model.add("g1", "fr", "a", "A-fr");
    model.add("g1", "fr", "a", "A-verb-fr", true, { "verb", {}, {} });
    model.add("g1", "de", "a", "second de text");
    model.finish();

    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.groupOf(1), QStringLiteral("g2"));
    QCOMPARE(model.messageNotes(2).context, QStringLiteral("verb"));
    QCOMPARE(model.messageAt(3).id, QStringLiteral("b"));
    QCOMPARE(model.messageAt(3).row, 3);
    // A later entry of the same language is kept but never shown.
    QCOMPARE(model.messageAt(0).translations.size(), 3);
    QCOMPARE(model.cellText(model.index(0, 0)), QStringLiteral("A-de"));
    QCOMPARE(model.cellText(model.index(0, 1)), QStringLiteral("A-fr"));
    QCOMPARE(model.cellText(model.index(2, 1)), QStringLiteral("A-verb-fr"));
}

void tst_TranslationModel::cellStates()
{
    MemoryModel model({ "de", "fr", "it" }, true);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.add("g", "de", "hello", "Hallo", true);
    model.add("g", "fr", "hello", "Bonjour", false);
    model.finish();

    const QModelIndex missing = model.index(0, 2);
    QVERIFY(!model.data(missing).isValid());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(missing, QStringLiteral("Ciao"), Qt::EditRole));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), missing);
    QCOMPARE(changed.at(0).at(1).toModelIndex(), missing);
    QCOMPARE(model.data(missing).toString(), QStringLiteral("Ciao"));
    // Typed into an empty cell: a new unfinished entry.
    QVERIFY(!model.isFinished(missing));

    // Editing an existing entry keeps its finished flag; the same text changes nothing, and
    // derived roles cannot be written.
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("Servus"), Qt::EditRole));
    QVERIFY(model.isFinished(model.index(0, 0)));
    changed.clear();
    QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("Servus"), Qt::DisplayRole));
    QVERIFY(!model.setData(model.index(0, 0), QBrush(Qt::red), Qt::BackgroundRole));
    QCOMPARE(changed.size(), 0);

    // Many cells in one edit: unchanged ones are left out, one signal spans the changed ones.
    QCOMPARE(model.setTexts({ { model.index(0, 0), "Grüß Gott" }, { model.index(0, 1), "Bonjour" },
                 { missing, "Salve" } }),
        2);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(0, 0));
    QCOMPARE(changed.at(0).at(1).toModelIndex(), missing);
    // The finished mark is announced, once.
    model.setFinished(model.index(0, 1), true);
    model.setFinished(model.index(0, 1), true);
    QCOMPARE(changed.size(), 2);
    QVERIFY(model.isFinished(model.index(0, 1)));
    // A problem is the tool tip and colour until an edit clears it.
    model.setCellProblem(model.index(0, 0), QStringLiteral("Missing: %1"));
    QCOMPARE(changed.size(), 3);
    QCOMPARE(
        model.data(model.index(0, 0), Qt::ToolTipRole).toString(), QStringLiteral("Missing: %1"));
    QCOMPARE(
        model.data(model.index(0, 0), Qt::BackgroundRole), QVariant(QBrush(QColor(255, 160, 160))));
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("Servus %1"), Qt::EditRole));
    QCOMPARE(model.cellProblemCount(), 0);
}

void tst_TranslationModel::colouring_data()
{
    QTest::addColumn<bool>("finishedState");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("background");
    // clang-format off
    QTest::newRow("finished with text")      << true  << true  << "x" << QVariant(QBrush(Qt::green));
    QTest::newRow("unfinished with text")    << true  << false << "x" << QVariant(QBrush(Qt::yellow));
    QTest::newRow("unfinished empty")        << true  << false << ""  << QVariant();
    QTest::newRow("other format")            << false << true  << "x" << QVariant();
    QTest::newRow("other format, to review") << false << false << "x" << QVariant(QBrush(Qt::yellow));
    // clang-format on
}

void tst_TranslationModel::colouring()
{
    QFETCH(bool, finishedState);
    QFETCH(bool, finished);
    QFETCH(QString, text);
    QFETCH(QVariant, background);
    MemoryModel model({ "de" }, finishedState);
    model.add("g", "de", "x", text, finished);
    model.finish();
    QCOMPARE(model.data(model.index(0, 0), Qt::BackgroundRole), background);
    QCOMPARE(model.data(model.index(0, 0), Qt::ForegroundRole).isValid(),
        finishedState || background.isValid());
    // Without a stored state the user's edit is the review, even one that keeps the text.
    model.setData(model.index(0, 0), text);
    QCOMPARE(model.isFinished(model.index(0, 0)), finished || !finishedState);
}

void tst_TranslationModel::headersAndSourceModel()
{
    QTemporaryDir dir;
    MemoryModel model({ "de", "zh_TW", "fr" });
    model.setDirectory(dir.path());
    model.add("dialog", "de", "Open", "Öffnen");
    model.add("menu", "de", "Open", "Öffnen", true, { "verb", {}, {} });
    model.finish();
    QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
    model.setSourceColumn(1);
    QCOMPARE(headers.size(), 1);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("de"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("zh_TW") + mark);
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("fr"));
    // The tool tip names the language and how far its column has come.
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(),
        QStringLiteral("German\n2 of 2 translated"));
    QVERIFY(!model.headerData(3, Qt::Horizontal).isValid());

    SourceModel source;
    QAbstractItemModelTester tester(
        &source, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(source.rowCount(), 0);
    source.setTranslationModel(&model);
    QCOMPARE(source.rowCount(), 2);
    QCOMPARE(source.data(source.index(0, 0)).toString(), QStringLiteral("Open"));
    // A message told apart by its context shows it.
    QCOMPARE(source.data(source.index(1, 0)).toString(), QStringLiteral("Open [verb]"));
    QCOMPARE(source.data(source.index(1, 1)).toString(), QStringLiteral("menu"));
    QVERIFY(!source.flags(source.index(0, 0)).testFlag(Qt::ItemIsEditable));
    QCOMPARE(source.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Message ID") + mark);
    QCOMPARE(source.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Group"));
    QCOMPARE(source.headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));
}

void tst_TranslationModel::languageDisplayName_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("zh_TW") << "zh_TW"
                           << "Chinese (Taiwan)";
    QTest::newRow("pt-BR") << "pt-BR"
                           << "Portuguese (Brazil)";
    QTest::newRow("no locale") << "Base"
                               << "C";
}

void tst_TranslationModel::languageDisplayName()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(TranslationModel::languageDisplayName(code), name);
}

void tst_TranslationModel::indexForLanguage_data()
{
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("column");
    // clang-format off
    QTest::newRow("exact")                          << QStringList { "de", "zh_TW" }    << "zh_TW" << 1;
    QTest::newRow("region falls back to language")  << QStringList { "de", "zh" }       << "zh_TW" << 1;
    QTest::newRow("dash form of an absent language") << QStringList { "pt_BR" }         << "pt-BR" << -1;
    QTest::newRow("prefix takes the first")         << QStringList { "zh_CN", "zh_TW" } << "zh"    << 0;
    QTest::newRow("case-sensitive")                 << QStringList { "de" }             << "DE"    << -1;
    // clang-format on
}

void tst_TranslationModel::indexForLanguage()
{
    QFETCH(QStringList, languages);
    QFETCH(QString, code);
    QFETCH(int, column);
    MemoryModel model(languages);
    model.add("g", languages.first(), "x", "t");
    model.finish();
    const QModelIndex index = model.indexForLanguage(0, code);
    QCOMPARE(index.isValid() ? index.column() : -1, column);
}

void tst_TranslationModel::cutCopyPaste()
{
    MemoryModel model({ "de", "fr" });
    model.add("g", "de", "x", "Hallo");
    model.finish();
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QModelIndex de = model.index(0, 0);
    const QModelIndex fr = model.index(0, 1);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    model.cut(fr); // an empty cell: nothing changes
    QCOMPARE(changed.size(), 0);
    model.copy(de);
    QCOMPARE(clipboard->text(), QStringLiteral("Hallo"));
    model.paste(fr);
    QCOMPARE(model.cellText(fr), QStringLiteral("Hallo"));
    model.cut(de);
    QCOMPARE(model.cellText(de), QString());
    QCOMPARE(clipboard->text(), QStringLiteral("Hallo"));
}

void tst_TranslationModel::projectSettings()
{
    QTemporaryDir dir;
    MemoryModel model({ "de", "fr", "zh_TW" });
    model.setDirectory(dir.path());
    model.add("g", "zh_TW", "id", "繁體");
    model.finish();
    // Without a settings file the message ID is the source, announced as English.
    QCOMPARE(model.sourceText(model.index(0, 1)), QStringLiteral("id"));
    QCOMPARE(model.sourceLanguageName(), QStringLiteral("English"));
    QVERIFY(!QFile::exists(dir.filePath(".parlonex.ini")));

    model.setSourceColumn(2);
    QCOMPARE(model.sourceText(model.index(0, 0)), QStringLiteral("繁體"));
    QCOMPARE(model.sourceLanguageName(), QStringLiteral("Chinese (Taiwan)"));
    MemoryModel reopened({ "de", "fr", "zh_TW" });
    reopened.setDirectory(dir.path());
    reopened.loadProjectSettings();
    QCOMPARE(reopened.sourceColumn(), 2);
    // An empty stored name is a stored value, not an absent key.
    QCOMPARE(reopened.sourceLanguageName(), QStringLiteral("Chinese (Taiwan)"));

    model.setSourceLanguage(QStringLiteral("German"));
    QCOMPARE(model.sourceLanguageName(), QStringLiteral("German"));
    QSettings(dir.filePath(".parlonex.ini"), QSettings::IniFormat).remove("sourceLanguage");
    MemoryModel withoutName({ "de" });
    withoutName.setDirectory(dir.path());
    withoutName.loadProjectSettings();
    QCOMPARE(withoutName.sourceColumn(), 2);
    QCOMPARE(withoutName.sourceLanguageName(), QStringLiteral("English"));
}

void tst_TranslationModel::queriesOutsideTableAreEmpty()
{
    MemoryModel model({ "de" });
    model.add("g", "de", "x", "t");
    model.finish();
    QCOMPARE(model.messageAt(5).row, -1);
    QCOMPARE(model.groupOf(-1), QString());
    QCOMPARE(model.columnLanguage(model.index(0, 3), true), QString());
    QCOMPARE(model.columnLanguage(model.index(0, 0), false), QStringLiteral("German"));
    QCOMPARE(model.columnFilePath(7), QString());
    QCOMPARE(model.cellText(QModelIndex()), QString());
    QVERIFY(model.flags(QModelIndex()) == Qt::NoItemFlags);
    QVERIFY(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    // An index of a larger model carries a row and column this one does not have.
    MemoryModel larger({ "de", "fr" });
    larger.add("g", "de", "x", "t");
    larger.add("g", "de", "y", "t");
    larger.finish();
    QVERIFY(!model.setData(larger.index(1, 0), QStringLiteral("new")));
    QVERIFY(!model.setData(larger.index(0, 1), QStringLiteral("new")));
    QCOMPARE(model.cellText(model.index(0, 0)), QStringLiteral("t"));
}

QTEST_MAIN(tst_TranslationModel)
#include "tst_translationmodel.moc"
