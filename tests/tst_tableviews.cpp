#include "model/sourcemodel.h"
#include "support/memorymodel.h"
#include "views/columnheaderview.h"
#include "views/editordelegate.h"
#include "views/sourcetableview.h"
#include "views/targettableview.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

class tst_TableViews : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void lockStepBothWays();
    void unpairedViewScrollsAlone();
    void fitColumns_data();
    void fitColumns();
    void iconRect_data();
    void iconRect();
    void leftPressOnIconTranslates();
    void otherPressesFallThrough();
    void commitStoresEditorText();
    void missingGlyphsFound();

private:
    MemoryModel *model = nullptr;
    SourceModel *sourceModel = nullptr;
    QWidget *window = nullptr;
    SourceTableView *source = nullptr;
    TargetTableView *target = nullptr;
    EditorDelegate *delegate = nullptr;
};

void tst_TableViews::init()
{
    model = new MemoryModel({ "de", "fr" });
    for (int row = 0; row < 300; ++row)
        model->add("g", "de", QStringLiteral("id %1").arg(row), QStringLiteral("text %1").arg(row));
    model->finish();
    sourceModel = new SourceModel;
    sourceModel->setTranslationModel(model);

    window = new QWidget;
    auto *layout = new QHBoxLayout(window);
    source = new SourceTableView;
    target = new TargetTableView;
    layout->addWidget(source);
    layout->addWidget(target);
    source->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    source->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    target->setMouseTracking(true);
    target->verticalHeader()->hide();
    source->setModel(sourceModel);
    target->setModel(model);
    delegate = new EditorDelegate(window);
    target->setItemDelegate(delegate);
    window->resize(800, 400);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void tst_TableViews::cleanup()
{
    delete window;
    delete sourceModel;
    delete model;
}

void tst_TableViews::lockStepBothWays()
{
    source->setPeerView(target);
    target->setPeerView(source);
    QSignalSpy sourceMoves(source->verticalScrollBar(), &QScrollBar::valueChanged);
    QSignalSpy targetMoves(target->verticalScrollBar(), &QScrollBar::valueChanged);

    target->verticalScrollBar()->setValue(40);
    QCOMPARE(source->verticalScrollBar()->value(), 40);
    QCOMPARE(source->rowAt(0), target->rowAt(0));
    QCOMPARE(sourceMoves.size(), 1);
    QCOMPARE(targetMoves.size(), 1);

    source->setFocus();
    source->setCurrentIndex(sourceModel->index(source->rowAt(0), 0));
    QTest::keyClick(source, Qt::Key_PageDown);
    QTest::keyClick(source, Qt::Key_PageDown);
    QVERIFY(source->verticalScrollBar()->value() > 40);
    QCOMPARE(target->verticalScrollBar()->value(), source->verticalScrollBar()->value());
    QCOMPARE(target->rowAt(0), source->rowAt(0));

    // Dragging a border in the row numbers leaves the rows of both tables side by side.
    QWidget *numbers = source->verticalHeader()->viewport();
    const int first = source->rowAt(0);
    const QPoint border(5, source->rowViewportPosition(first) + source->rowHeight(first) - 1);
    QTest::mousePress(numbers, Qt::LeftButton, Qt::NoModifier, border);
    QTest::mouseMove(numbers, border + QPoint(0, 40));
    QTest::mouseRelease(numbers, Qt::LeftButton, Qt::NoModifier, border + QPoint(0, 40));
    // Rows line up in the window, under headers with and without flags.
    const auto top = [this](QTableView *view, int row) {
        return view->viewport()->mapTo(window, QPoint(0, view->rowViewportPosition(row))).y();
    };
    for (const int row : { first, first + 1, first + 5 })
        QCOMPARE(top(source, row), top(target, row));
}

void tst_TableViews::unpairedViewScrollsAlone()
{
    target->verticalScrollBar()->setValue(25);
    QCOMPARE(target->verticalScrollBar()->value(), 25);
    QCOMPARE(source->verticalScrollBar()->value(), 0);
}

void tst_TableViews::fitColumns_data()
{
    QTest::addColumn<int>("viewportWidth");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("300") << 300 << 2 << QList<int> { 200, 100 };
    QTest::newRow("301") << 301 << 2 << QList<int> { 200, 101 };
    QTest::newRow("one column gets all") << 300 << 1 << QList<int> { 300 };
}

void tst_TableViews::fitColumns()
{
    QFETCH(int, viewportWidth);
    QFETCH(int, columns);
    QFETCH(QList<int>, widths);
    QStandardItemModel oneColumn(5, 1);
    if (columns == 1)
        source->setModel(&oneColumn);
    // The viewport is the view minus its frame and row header: size the view to hit it.
    source->setFixedWidth(source->width() + viewportWidth - source->viewport()->width());
    QTRY_COMPARE(source->viewport()->width(), viewportWidth);
    source->fitColumnsToViewport();
    QHeaderView *header = source->horizontalHeader();
    for (int section = 0; section < widths.size(); ++section)
        QCOMPARE(header->sectionSize(section), widths.at(section));
    QCOMPARE(header->sectionResizeMode(0), QHeaderView::Interactive);
    source->setModel(sourceModel);
}

void tst_TableViews::iconRect_data()
{
    QTest::addColumn<QRect>("cell");
    QTest::addColumn<QRect>("icon");
    QTest::newRow("height 30") << QRect(100, 0, 100, 30) << QRect(QPoint(183, 7), QPoint(199, 22));
    QTest::newRow("height 31") << QRect(100, 0, 100, 31) << QRect(QPoint(183, 7), QPoint(199, 23));
    QTest::newRow("lower than the icon")
        << QRect(0, 10, 50, 10) << QRect(QPoint(33, 7), QPoint(49, 22));
}

void tst_TableViews::iconRect()
{
    QFETCH(QRect, cell);
    QFETCH(QRect, icon);
    QCOMPARE(EditorDelegate::iconRect(cell), icon);
    QCOMPARE(EditorDelegate::iconRect(QRect(100, 0, 100, 31)).height(), 17);
}

void tst_TableViews::leftPressOnIconTranslates()
{
    QSignalSpy translate(delegate, &EditorDelegate::translate);
    const QModelIndex cell = model->index(2, 1);
    const QRect rect = target->visualRect(cell);
    const QPoint onIcon = EditorDelegate::iconRect(rect).center();
    QTest::mousePress(target->viewport(), Qt::LeftButton, Qt::NoModifier, onIcon);
    QCOMPARE(translate.size(), 1);
    QCOMPARE(translate.at(0).at(0).toModelIndex(), cell);
    QTest::mouseRelease(target->viewport(), Qt::LeftButton, Qt::NoModifier, onIcon);
    QVERIFY(!target->findChild<QLineEdit *>());
}

void tst_TableViews::otherPressesFallThrough()
{
    QSignalSpy translate(delegate, &EditorDelegate::translate);
    const QModelIndex cell = model->index(1, 0);
    const QRect rect = target->visualRect(cell);
    QTest::mousePress(target->viewport(), Qt::RightButton, Qt::NoModifier,
        EditorDelegate::iconRect(rect).center());
    QTest::mouseRelease(target->viewport(), Qt::RightButton, Qt::NoModifier,
        EditorDelegate::iconRect(rect).center());
    QCOMPARE(translate.size(), 0);
    // A double click outside the icon opens the line editor with the cell's text.
    QTest::mouseDClick(
        target->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center() - QPoint(20, 0));
    QLineEdit *editor = target->findChild<QLineEdit *>();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("text 1"));
    QCOMPARE(editor->geometry(), rect);
    QVERIFY(!editor->hasFrame());
    QCOMPARE(translate.size(), 0);
}

void tst_TableViews::commitStoresEditorText()
{
    const QModelIndex cell = model->index(3, 1); // empty French cell
    target->edit(cell);
    QLineEdit *editor = target->findChild<QLineEdit *>();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QString());
    editor->setText(QStringLiteral("texte"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits through a queued call.
    QTRY_COMPARE(model->data(cell, Qt::EditRole).toString(), QStringLiteral("texte"));

    // An empty commit still reaches the model: the entry stays with empty text.
    target->edit(cell);
    editor = target->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(model->data(cell, Qt::EditRole), QVariant(QString()));
}

void tst_TableViews::missingGlyphsFound()
{
    // The source mark is drawn when no font has it; a private-use character has no glyph.
    QVERIFY(ColumnHeaderView::canShow(QStringLiteral("de"), target->font()));
    QVERIFY(!ColumnHeaderView::canShow(QString(QChar(0xE000)), target->font()));
}

QTEST_MAIN(tst_TableViews)
#include "tst_tableviews.moc"
