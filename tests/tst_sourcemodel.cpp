#include "model/sourcemodel.h"
#include "support/memorymodel.h"

#include <QAbstractItemModelTester>
#include <QTest>

class tst_SourceModel : public QObject
{
    Q_OBJECT

private slots:
    void showsIdsAndGroups();
    void headers_data();
    void headers();
    void withoutTranslationModel();
};

void tst_SourceModel::showsIdsAndGroups()
{
    MemoryModel target({ "de" });
    target.add("dialog", "de", "Open", "Öffnen");
    target.add("menu", "de", "Open", "Öffnen");
    target.add("dialog", "de", "Close", "Schließen");
    target.add("dialog", "de", "Open", "Offen", true, { "adjective", {}, {} });
    target.finish();
    SourceModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTranslationModel(&target);

    QCOMPARE(model.rowCount(), 4);
    // A message told apart by its context shows it.
    QCOMPARE(model.data(model.index(3, 0)).toString(), QStringLiteral("Open [adjective]"));
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.data(model.index(1, 0)).toString(), QStringLiteral("Open"));
    QCOMPARE(model.data(model.index(1, 1)).toString(), QStringLiteral("menu"));
    QCOMPARE(model.data(model.index(2, 0), Qt::ToolTipRole).toString(), QStringLiteral("Close"));
    QVERIFY(!model.data(model.index(2, 0), Qt::EditRole).isValid());
    QVERIFY(!model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    QVERIFY(!model.index(4, 0).isValid());
}

void tst_SourceModel::headers_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("expected");
    const QString mark = QString::fromUtf8("\xF0\x9F\x93\xB0");
    QTest::newRow("key") << 0 << int(Qt::Horizontal) << int(Qt::DisplayRole)
                         << QVariant(QStringLiteral("Message ID") + mark);
    QTest::newRow("key tooltip") << 0 << int(Qt::Horizontal) << int(Qt::ToolTipRole)
                                 << QVariant(QStringLiteral("Message ID") + mark);
    QTest::newRow("group") << 1 << int(Qt::Horizontal) << int(Qt::DisplayRole)
                           << QVariant(QStringLiteral("Group"));
    QTest::newRow("no third") << 2 << int(Qt::Horizontal) << int(Qt::DisplayRole) << QVariant();
    QTest::newRow("row one") << 0 << int(Qt::Vertical) << int(Qt::DisplayRole)
                             << QVariant(QStringLiteral("1"));
    QTest::newRow("row three") << 2 << int(Qt::Vertical) << int(Qt::DisplayRole)
                               << QVariant(QStringLiteral("3"));
    QTest::newRow("decoration") << 0 << int(Qt::Horizontal) << int(Qt::DecorationRole)
                                << QVariant();
}

void tst_SourceModel::headers()
{
    QFETCH(int, section);
    QFETCH(int, orientation);
    QFETCH(int, role);
    QFETCH(QVariant, expected);
    MemoryModel target({ "de" });
    target.add("g", "de", "a", "b");
    target.finish();
    SourceModel model;
    model.setTranslationModel(&target);
    QCOMPARE(model.headerData(section, Qt::Orientation(orientation), role), expected);
}

void tst_SourceModel::withoutTranslationModel()
{
    SourceModel model;
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.data(model.index(0, 0)).isValid());
}

QTEST_GUILESS_MAIN(tst_SourceModel)
#include "tst_sourcemodel.moc"
