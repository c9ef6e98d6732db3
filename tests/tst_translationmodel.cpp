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
    void setDataOutsideTableLogs_data();
    void setDataOutsideTableLogs();
    void colouringOnlyWithFinishedState_data();
    void colouringOnlyWithFinishedState();
    void headerMarksSourceColumnOnly();
    void languageDisplayName_data();
    void languageDisplayName();
    void indexForLanguage_data();
    void indexForLanguage();
    void emptyLoad();
    void columnWalkSkipsEmptyCellsInRowOrder();
    void cutCopyPaste();
    void projectSettingsRoundTrip();
    void projectSettingsMissingKey();
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
    model.add("g1", "fr", "b", "B-fr");
    model.add("g1", "fr", "a", "A-fr");
    model.add("g1", "de", "a", "second de text");
    model.finish();

    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.messageAt(0).id, QStringLiteral("a"));
    QCOMPARE(model.groupOf(0), QStringLiteral("g1"));
    QCOMPARE(model.groupOf(1), QStringLiteral("g2"));
    QCOMPARE(model.messageAt(2).id, QStringLiteral("b"));
    QCOMPARE(model.messageAt(2).row, 2);
    // A later entry of the same language is kept but never shown.
    QCOMPARE(model.messageAt(0).translations.size(), 3);
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("A-de"));
    QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("A-fr"));
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
    QVERIFY(!model.data(missing, Qt::BackgroundRole).isValid());

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(missing, QStringLiteral("Ciao"), Qt::EditRole));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), missing);
    QCOMPARE(changed.at(0).at(1).toModelIndex(), missing);
    QVERIFY(changed.at(0).at(2).value<QList<int>>().isEmpty());
    QCOMPARE(model.data(missing).toString(), QStringLiteral("Ciao"));
    // Typed into an empty cell: a new unfinished entry.
    QCOMPARE(model.messageAt(0).translations.last().finished, false);
    QCOMPARE(model.messageAt(0).translations.last().language, QStringLiteral("it"));

    // Editing an existing entry keeps its finished flag; the same text changes nothing.
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("Servus"), Qt::EditRole));
    QCOMPARE(model.messageAt(0).translations.first().finished, true);
    changed.clear();
    QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("Servus"), Qt::DisplayRole));
    // Derived roles cannot be written.
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
    QCOMPARE(model.data(model.index(0, 1), Qt::BackgroundRole), QVariant(QBrush(Qt::green)));
    changed.clear();
    // The mark is announced; a problem is the tool tip and colour until an edit clears it.
    model.setFinished(model.index(0, 0), false);
    model.setCellProblem(model.index(0, 0), QStringLiteral("Missing: %1"));
    QCOMPARE(changed.size(), 2);
    QVERIFY(!model.isFinished(model.index(0, 0)));
    QCOMPARE(
        model.data(model.index(0, 0), Qt::ToolTipRole).toString(), QStringLiteral("Missing: %1"));
    QCOMPARE(
        model.data(model.index(0, 0), Qt::BackgroundRole), QVariant(QBrush(QColor(255, 160, 160))));
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("Servus %1"), Qt::EditRole));
    QCOMPARE(model.cellProblemCount(), 0);
}

void tst_TranslationModel::setDataOutsideTableLogs_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("line");
    QTest::newRow("row equal to row count") << 1 << 0 << "row: 1 , column: 0";
    QTest::newRow("column past the end") << 0 << 1 << "row: 0 , column: 1";
    QTest::newRow("invalid index") << -1 << -1 << "row: -1 , column: -1";
}

void tst_TranslationModel::setDataOutsideTableLogs()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, line);
    MemoryModel model({ "de" });
    model.add("g", "de", "x", "text");
    model.finish();
    // An index of a larger model carries the row and column the caller meant.
    MemoryModel larger({ "de", "fr" });
    for (int i = 0; i < 3; ++i)
        larger.add("g", "de", QString::number(i), "t");
    larger.finish();
    const QModelIndex index = row < 0 ? QModelIndex() : larger.index(row, column);
    QTest::ignoreMessage(QtDebugMsg, qPrintable(line));
    QVERIFY(!model.setData(index, QStringLiteral("new"), Qt::EditRole));
    QCOMPARE(model.cellText(model.index(0, 0)), QStringLiteral("text"));
}

void tst_TranslationModel::colouringOnlyWithFinishedState_data()
{
    QTest::addColumn<bool>("finishedState");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("background");
    QTest::newRow("finished with text") << true << true << "x" << QVariant(QBrush(Qt::green));
    QTest::newRow("unfinished with text") << true << false << "x" << QVariant(QBrush(Qt::yellow));
    QTest::newRow("unfinished empty") << true << false << "" << QVariant();
    QTest::newRow("other format") << false << true << "x" << QVariant();
    QTest::newRow("other format, marked for review")
        << false << false << "x" << QVariant(QBrush(Qt::yellow));
}

void tst_TranslationModel::colouringOnlyWithFinishedState()
{
    QFETCH(bool, finishedState);
    QFETCH(bool, finished);
    QFETCH(QString, text);
    QFETCH(QVariant, background);
    MemoryModel model({ "de" }, finishedState);
    model.add("g", "de", "x", text, finished);
    model.finish();
    QCOMPARE(model.data(model.index(0, 0), Qt::BackgroundRole), background);
    const QVariant foreground = model.data(model.index(0, 0), Qt::ForegroundRole);
    QCOMPARE(foreground.isValid(), finishedState || background.isValid());
    // Without a stored state the user's edit is the review, even one that keeps the text.
    model.setData(model.index(0, 0), text);
    QCOMPARE(model.isFinished(model.index(0, 0)), finished || !finishedState);
}

void tst_TranslationModel::headerMarksSourceColumnOnly()
{
    QTemporaryDir dir;
    MemoryModel model({ "de", "zh_TW", "fr" });
    model.setDirectory(dir.path());
    model.add("g", "de", "x", "t");
    model.finish();
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("zh_TW"));
    QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
    model.setSourceColumn(1);
    QCOMPARE(headers.size(), 1);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("de"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("zh_TW") + mark);
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("fr"));
    // The tool tip names the language and how far its column has come.
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
        QStringLiteral("Chinese (Taiwan)\n0 of 1 translated"));
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(),
        QStringLiteral("German\n1 of 1 translated"));
    QVERIFY(!model.headerData(3, Qt::Horizontal).isValid());
}

void tst_TranslationModel::languageDisplayName_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("zh_TW") << "zh_TW"
                           << "Chinese (Taiwan)";
    QTest::newRow("de") << "de"
                        << "German";
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
    QTest::newRow("exact") << QStringList { "de", "zh_TW" } << "zh_TW" << 1;
    QTest::newRow("region falls back to language") << QStringList { "de", "zh" } << "zh_TW" << 1;
    QTest::newRow("dash form of an absent language") << QStringList { "pt_BR" } << "pt-BR" << -1;
    QTest::newRow("prefix takes the first") << QStringList { "zh_CN", "zh_TW" } << "zh" << 0;
    QTest::newRow("no match") << QStringList { "de" } << "fr" << -1;
    QTest::newRow("case-sensitive") << QStringList { "de" } << "DE" << -1;
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

void tst_TranslationModel::emptyLoad()
{
    MemoryModel model({});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.finish();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);
}

void tst_TranslationModel::columnWalkSkipsEmptyCellsInRowOrder()
{
    MemoryModel model({ "de", "fr" }, true);
    model.add("b", "de", "one", "eins", false);
    model.add("a", "fr", "two", "deux");
    model.add("a", "de", "three", "");
    model.add("a", "de", "four", "vier");
    model.finish();
    QStringList seen;
    model.columnWalk(0, [&](const CellItem &item) {
        seen << QStringLiteral("%1/%2=%3").arg(item.group, item.id, item.text);
    });
    QCOMPARE(seen, (QStringList { "b/one=eins", "a/four=vier" }));
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
    changed.clear();
    model.paste(fr); // same text: nothing signalled
    QCOMPARE(changed.size(), 0);
}

void tst_TranslationModel::projectSettingsRoundTrip()
{
    QTemporaryDir dir;
    MemoryModel model({ "de", "fr", "zh_TW" });
    model.setDirectory(dir.path());
    model.add("g", "zh_TW", "id", "繁體");
    model.finish();
    // Without a settings file the message ID is the source, announced as English.
    model.loadProjectSettings();
    QCOMPARE(model.sourceText(model.index(0, 1)), QStringLiteral("id"));
    QCOMPARE(model.sourceLanguageName(), QStringLiteral("English"));
    QVERIFY(!QFile::exists(dir.filePath(".parlonex.ini")));

    model.setSourceColumn(2);
    {
        QSettings file(dir.filePath(".parlonex.ini"), QSettings::IniFormat);
        QCOMPARE(file.value("sourceColumn").toInt(), 2);
        QCOMPARE(file.value("sourceLanguage").toString(), QString());
    }
    QCOMPARE(model.sourceText(model.index(0, 0)), QStringLiteral("繁體"));
    QCOMPARE(model.sourceLanguageName(), QStringLiteral("Chinese (Taiwan)"));

    MemoryModel reopened({ "de", "fr", "zh_TW" });
    reopened.setDirectory(dir.path());
    reopened.loadProjectSettings();
    QCOMPARE(reopened.sourceColumn(), 2);
    // An empty stored name is a stored value, not an absent key.
    QCOMPARE(reopened.sourceLanguageName(), QStringLiteral("Chinese (Taiwan)"));

    model.setSourceLanguage(QStringLiteral("German"));
    QCOMPARE(model.sourceColumn(), 2);
    QCOMPARE(model.sourceLanguageName(), QStringLiteral("German"));
    QSettings file(dir.filePath(".parlonex.ini"), QSettings::IniFormat);
    QCOMPARE(file.value("sourceLanguage").toString(), QStringLiteral("German"));
}

void tst_TranslationModel::projectSettingsMissingKey()
{
    QTemporaryDir dir;
    {
        QSettings file(dir.filePath(".parlonex.ini"), QSettings::IniFormat);
        file.setValue("sourceColumn", 1);
    }
    MemoryModel model({ "de", "fr" });
    model.setDirectory(dir.path());
    model.loadProjectSettings();
    QCOMPARE(model.sourceColumn(), 1);
    QCOMPARE(model.sourceLanguageName(), QStringLiteral("English"));
}

void tst_TranslationModel::queriesOutsideTableAreEmpty()
{
    MemoryModel model({ "de" });
    model.add("g", "de", "x", "t");
    model.finish();
    QCOMPARE(model.messageAt(5).id, QString());
    QCOMPARE(model.messageAt(5).row, -1);
    QCOMPARE(model.groupOf(-1), QString());
    QCOMPARE(model.columnLanguage(model.index(0, 3), true), QString());
    QCOMPARE(model.columnLanguage(model.index(0, 0), true), QStringLiteral("de"));
    QCOMPARE(model.columnLanguage(model.index(0, 0), false), QStringLiteral("German"));
    QCOMPARE(model.columnFilePath(7), QString());
    QCOMPARE(model.cellText(QModelIndex()), QString());
    QVERIFY(model.flags(QModelIndex()) == Qt::NoItemFlags);
    QVERIFY(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
}

QTEST_MAIN(tst_TranslationModel)
#include "tst_translationmodel.moc"
