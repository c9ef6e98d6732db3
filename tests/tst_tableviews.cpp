#include "app/mainwindow.h"
#include "support/memorymodel.h"
#include "views/columnheaderview.h"
#include "views/editordelegate.h"
#include "views/messagebox.h"
#include "views/sourcetableview.h"
#include "views/targettableview.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

#include <memory>

// The two tables as the window pairs them, on a set of 300 messages.
class tst_TableViews : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { MessageBox::setTestMode(true); }
    void init();
    void cleanup() { window.reset(); }
    void lockStepBothWays();
    void fitColumns_data();
    void fitColumns();
    void presses_data();
    void presses();
    void emptyCommitReachesTheModel();
    void missingGlyphsFound();

private:
    std::unique_ptr<MainWindow> window;
    MemoryModel *model = nullptr;
    SourceTableView *source = nullptr;
    TargetTableView *target = nullptr;
};

void tst_TableViews::init()
{
    window = std::make_unique<MainWindow>();
    model = new MemoryModel({ "de", "fr" });
    for (int row = 0; row < 300; ++row)
        model->add("g", "de", QStringLiteral("id %1").arg(row), QStringLiteral("text %1").arg(row));
    model->finish();
    window->installTranslationModel(model);
    source = window->findChild<SourceTableView *>("sourceTableView");
    target = window->findChild<TargetTableView *>("targetTableView");
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void tst_TableViews::lockStepBothWays()
{
    QSignalSpy sourceMoves(source->verticalScrollBar(), &QScrollBar::valueChanged);
    QSignalSpy targetMoves(target->verticalScrollBar(), &QScrollBar::valueChanged);

    target->verticalScrollBar()->setValue(40);
    QCOMPARE(source->verticalScrollBar()->value(), 40);
    QCOMPARE(source->rowAt(0), target->rowAt(0));
    QCOMPARE(sourceMoves.size(), 1);
    QCOMPARE(targetMoves.size(), 1);

    source->setFocus();
    source->setCurrentIndex(source->model()->index(source->rowAt(0), 0));
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
        return view->viewport()->mapTo(window.get(), QPoint(0, view->rowViewportPosition(row))).y();
    };
    for (const int row : { first, first + 1, first + 5 })
        QCOMPARE(top(source, row), top(target, row));
}

void tst_TableViews::fitColumns_data()
{
    QTest::addColumn<int>("viewportWidth");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<int>>("widths");
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
}

void tst_TableViews::presses_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("onIcon");
    QTest::addColumn<bool>("translated");
    QTest::addColumn<bool>("edited");
    QTest::newRow("left on the icon") << Qt::LeftButton << true << true << false;
    QTest::newRow("right on the icon") << Qt::RightButton << true << false << false;
    QTest::newRow("double click beside it") << Qt::LeftButton << false << false << true;
}

void tst_TableViews::presses()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, onIcon);
    QFETCH(bool, translated);
    QFETCH(bool, edited);
    QSignalSpy translate(window->findChild<EditorDelegate *>(), &EditorDelegate::translate);
    const QModelIndex cell = target->model()->index(1, 0);
    const QRect rect = target->visualRect(cell);
    const QPoint at = onIcon ? EditorDelegate::iconRect(rect).center() : rect.center();
    QTest::mouseClick(target->viewport(), button, Qt::NoModifier, at);
    if (edited)
        QTest::mouseDClick(target->viewport(), button, Qt::NoModifier, at);
    QCOMPARE(translate.size(), translated ? 1 : 0);
    if (translated)
        QCOMPARE(translate.at(0).at(0).toModelIndex(), cell);
    // The line editor covers the cell and starts with its text.
    QLineEdit *editor = target->findChild<QLineEdit *>();
    QCOMPARE(editor != nullptr, edited);
    if (editor) {
        QCOMPARE(editor->text(), QStringLiteral("text 1"));
        QCOMPARE(editor->geometry(), rect);
        QVERIFY(!editor->hasFrame());
    }
}

void tst_TableViews::emptyCommitReachesTheModel()
{
    // Emptying a translation in its editor empties the cell.
    const QModelIndex cell = model->index(3, 1);
    QVERIFY(model->setData(cell, QStringLiteral("texte")));
    target->edit(target->model()->index(3, 1));
    auto *editor = target->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits through a queued call.
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
