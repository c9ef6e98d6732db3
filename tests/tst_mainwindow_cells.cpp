#include "app/mainwindow.h"
#include "support/memorymodel.h"
#include "support/testsupport.h"
#include "views/filterbar.h"
#include "views/messagebox.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

// The cell, row and column commands and the context menus that offer them, driven through
// the window on a set in memory.
class tst_MainWindowCells : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { MessageBox::setTestMode(true); }
    void init();
    void cleanup() { window.reset(); }
    void menus_data();
    void menus();
    void commands_data();
    void commands();
    void conversions_data();
    void conversions();
    void filter_data();
    void filter();

private:
    // Rows of "|"-separated texts, one per language, with the message IDs m0, m1, ...
    MemoryModel *installTexts(const QStringList &languages, const QStringList &rows,
        const QString &directory, int sourceColumn = -1);
    // The header and every row, "|" between cells and ";" between lines; unfinished cells
    // (yellow) end in "*".
    QString dump() const;
    // "kind:name@row,column row,column ...": the first cell becomes current and all of them
    // are selected (without "@" the selection stays). Runs the action of that object name,
    // or the entry of that text in the cell, source row or column header menu; "type:" types
    // the name into the current cell.
    void runStep(const QString &step, int dialogValue);

    std::unique_ptr<MainWindow> window;
};

namespace {

const QString mark = QString::fromUtf8("\xF0\x9F\x93\xB0");

} // namespace

void tst_MainWindowCells::init()
{
    MessageBox::clear();
    QGuiApplication::clipboard()->clear();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

MemoryModel *tst_MainWindowCells::installTexts(const QStringList &languages,
    const QStringList &rows, const QString &directory, int sourceColumn)
{
    auto *model = new MemoryModel(languages, true);
    model->setDirectory(directory);
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList texts = rows.at(row).split('|');
        for (int column = 0; column < languages.size(); ++column)
            model->add("g", languages.at(column), QStringLiteral("m%1").arg(row), texts.at(column));
    }
    model->finish();
    if (sourceColumn >= 0)
        model->setSourceColumn(sourceColumn);
    window->installTranslationModel(model);
    return model;
}

QString tst_MainWindowCells::dump() const
{
    const TranslationModel *model = window->currentTranslationModel();
    QStringList lines;
    for (int row = -1; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex cell = model->index(row, column);
            const bool unfinished =
                model->data(cell, Qt::BackgroundRole).value<QBrush>().color() == Qt::yellow;
            cells << (row < 0 ? model->headerData(column, Qt::Horizontal).toString()
                              : model->cellText(cell) + (unfinished ? "*" : ""));
        }
        lines << cells.join('|');
    }
    return lines.join(';');
}

void tst_MainWindowCells::runStep(const QString &step, int dialogValue)
{
    const QString command = step.section('@', 0, 0);
    const QString kind = command.section(':', 0, 0);
    const QString name = command.section(':', 1);
    auto *view = window->findChild<QTableView *>("targetTableView");
    const TranslationModel *model = window->currentTranslationModel();
    QModelIndex current = window->currentCell();
    const QStringList cells = step.section('@', 1).split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < cells.size(); ++i) {
        // Nothing is filtered: the view's rows and columns are the model's.
        const QModelIndex cell = view->model()->index(
            cells.at(i).section(',', 0, 0).toInt(), cells.at(i).section(',', 1).toInt());
        if (i == 0)
            view->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
        view->selectionModel()->select(cell, QItemSelectionModel::Select);
        current = i == 0 ? model->index(cell.row(), cell.column()) : current;
    }
    if (kind == "type") {
        // Typed into the cell as it is shown, then committed with Return.
        view->setFocus();
        QTest::keyClicks(view, name);
        QWidget *editor = view->indexWidget(view->currentIndex());
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!view->indexWidget(view->currentIndex()));
        return;
    }
    QAction *entry = nullptr;
    std::unique_ptr<QMenu> menu;
    if (kind == "action") {
        entry = window->findChild<QAction *>(name);
        QTRY_VERIFY(entry->isEnabled());
    } else {
        menu.reset(kind == "cell" ? window->createCellMenu(current)
                : kind == "row"   ? window->createSourceRowMenu(current.row())
                                  : window->createColumnHeaderMenu(current.column()));
        for (QAction *candidate : menu->actions())
            entry = candidate->text() == name ? candidate : entry;
    }
    QVERIFY2(entry, qPrintable(step));
    // The row/column dialog runs modally; it is answered once it is up.
    if (entry->text().endsWith("..."))
        QTimer::singleShot(0, this, [dialogValue] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            dialog->findChild<QSpinBox *>("spinBox")->setValue(dialogValue);
            dialog->findChild<QPushButton *>(dialogValue > 0 ? "btnOK" : "btnCancel")->click();
        });
    entry->trigger();
}

void tst_MainWindowCells::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("ts");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("entries"); // those that depend on the set
    const QString finished = "Mark All Cells In This %1 As Finished";
    const QString unfinished = "Mark All Cells In This %1 As Unfinished";
    // clang-format off
    QTest::newRow("zh_HK cell")      << "cell"   << "zh_HK" << false << ""
        << QStringList { "Copy zh_CN", "Convert From zh_CN", "Copy zh_TW", "Convert From zh_TW" };
    QTest::newRow("zh_CN cell")      << "cell"   << "zh_CN" << false << ""
        << QStringList { "Copy zh_TW", "Convert From zh_TW", "Copy zh_HK", "Convert From zh_HK" };
    QTest::newRow("TS cell")         << "cell"   << "de_DE" << true  << ""
        << QStringList { finished.arg("Column"), finished.arg("Row"), "Mark This Cell As Finished",
               unfinished.arg("Column"), unfinished.arg("Row"), "Mark This Cell As Unfinished" };
    QTest::newRow("source row")      << "row"    << "de"    << false << "" << QStringList();
    QTest::newRow("TS source row")   << "row"    << "de"    << true  << ""
        << QStringList { finished.arg("Row"), unfinished.arg("Row") };
    QTest::newRow("header, no file") << "header" << "de"    << false << ""
        << QStringList { "Save Current Column To File " };
    QTest::newRow("TS header, file") << "header" << "de"    << true  << "/work/R&D/app_de.ts"
        << QStringList { finished.arg("Column"), unfinished.arg("Column"),
               "Save Current Column To File /work/R&&D/app_de.ts" };
    // clang-format on
}

void tst_MainWindowCells::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, language);
    QFETCH(bool, ts);
    QFETCH(QString, file);
    QFETCH(QStringList, entries);
    auto *model = new MemoryModel({ language }, ts);
    model->add("g", language, "id", "text");
    model->setFile(language, file);
    model->finish();
    window->installTranslationModel(model);
    const std::unique_ptr<QMenu> built(menu == "cell" ? window->createCellMenu(model->index(0, 0))
            : menu == "row"                           ? window->createSourceRowMenu(0)
                                                      : window->createColumnHeaderMenu(0));
    QStringList texts;
    for (const QAction *entry : built->actions()) {
        if (entry->text().contains("zh_") || entry->text().startsWith("Mark")
            || entry->text().startsWith("Save"))
            texts << entry->text();
    }
    QCOMPARE(texts, entries);
    // Saving needs a file to save to.
    QCOMPARE(built->actions().last()->isEnabled(), menu != "header" || !file.isEmpty());
}

void tst_MainWindowCells::commands_data()
{
    QTest::addColumn<int>("sourceColumn");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("dialogValue"); // typed into the row/column dialog; 0 cancels it
    QTest::addColumn<int>("answer"); // to the question asked
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("table");
    // The set each row starts from: "de|zh_CN|zh_TW;Hallo|你好|;|简体|繁體;Welt||".
    const QString header = "de|zh_CN|zh_TW;";
    const QString unchanged = "Hallo|你好|;|简体|繁體;Welt||";
    const int yes = QMessageBox::Yes;
    const QString overwrite = "Overwrite 1 translated cells?";

    const QString deleteThem = "Do you want to delete these cells' value?";
    const QString marked = "de|zh_CN|zh_TW" + mark + ";";
    const int no = QMessageBox::No;
    const int cancel = QMessageBox::Cancel;
    const int onlyEmpty = QMessageBox::Ignore;
    using Steps = QStringList;
    // clang-format off
    QTest::newRow("column copy source on the source column") << 0 << Steps { "header:All Cells In This Column Copy Source Text@0,0" } << "" << 0 << 0 << "Current column is the source column" << "de" + mark + "|zh_CN|zh_TW;" + unchanged;
    QTest::newRow("column copy source, overwrite")         << -1 << Steps { "cell:All Cells In This Column Copy Source Text@0,2" } << "" << 0 << yes << overwrite << header + "Hallo|你好|m0;|简体|m1;Welt||m2";
    QTest::newRow("column copy source, only empty cells") << -1 << Steps { "action:actionAllCellsInCurrentColumnCopySourceText@0,2" } << "" << 0 << onlyEmpty << overwrite << header + "Hallo|你好|m0;|简体|繁體;Welt||m2";
    QTest::newRow("column copy source, cancel")           << -1 << Steps { "header:All Cells In This Column Copy Source Text@0,2" } << "" << 0 << cancel << overwrite << header + unchanged;
    QTest::newRow("column from the identical column")     << -1 << Steps { "header:All Cells In This Column Copy From Column...@0,1" } << "" << 2 << 0 << "The source column and the target column are identical." << header + unchanged;
    QTest::newRow("column from column keeps cells of empty texts") << -1 << Steps { "action:actionAllCellsInCurrentColumnCopyTextFromColumn@0,0" } << "" << 2 << yes << overwrite << header + "你好|你好|;简体|简体|繁體;Welt||";
    QTest::newRow("column dialog cancelled")              << -1 << Steps { "cell:All Cells In This Column Copy From Column...@0,0" } << "" << 0 << 0 << "" << header + unchanged;
    QTest::newRow("row from the same row is silent")      << -1 << Steps { "row:All Cells In This Row Copy From Row...@1,0" } << "" << 2 << 0 << "" << header + unchanged;
    QTest::newRow("row from row")                         << -1 << Steps { "action:actionAllCellsInCurrentRowCopyTextFromRow@2,0" } << "" << 1 << 0 << "" << header + "Hallo|你好|;|简体|繁體;Hallo|你好|";
    QTest::newRow("copy source, empty source text")       <<  2 << Steps { "cell:Copy Source@0,0" } << "" << 0 << 0 << "" << marked + unchanged;
    QTest::newRow("row copy source, empty source text")   <<  2 << Steps { "cell:All Cells In This Row Copy Source Text@0,1" } << "" << 0 << 0 << "" << marked + "||;|简体|繁體;Welt||";
    QTest::newRow("copy source")                          << -1 << Steps { "cell:Copy Source@2,1" } << "" << 0 << 0 << "" << header + "Hallo|你好|;|简体|繁體;Welt|m2|";
    QTest::newRow("copy zh_CN")                           << -1 << Steps { "cell:Copy zh_CN@0,2" } << "" << 0 << 0 << "" << header + "Hallo|你好|你好;|简体|繁體;Welt||";
    QTest::newRow("copy zh_CN from the marked source column") << 1 << Steps { "cell:Copy zh_CN@0,2" } << "" << 0 << 0 << "Can't find zh_CN column" << "de|zh_CN" + mark + "|zh_TW;" + unchanged;
    QTest::newRow("delete one cell")                      << -1 << Steps { "action:actionDelete@0,0" } << "" << 0 << 0 << "" << header + "|你好|;|简体|繁體;Welt||";
    QTest::newRow("delete three cells, yes")              << -1 << Steps { "action:actionDelete@0,0 0,1 1,1" } << "" << 0 << yes << deleteThem << header + "||;||繁體;Welt||";
    QTest::newRow("delete three cells, no")               << -1 << Steps { "action:actionDelete@0,0 0,1 1,1" } << "" << 0 << no << deleteThem << header + unchanged;
    QTest::newRow("select all and delete")                << -1 << Steps { "action:actionSelectAll@0,0", "action:actionDelete" } << "" << 0 << yes << deleteThem << header + "||;||;||";
    QTest::newRow("cut and paste")                        << -1 << Steps { "action:actionCut@0,0", "action:actionPaste@2,2" } << "" << 0 << 0 << "" << header + "|你好|;|简体|繁體;Welt||Hallo";
    QTest::newRow("multi-line text goes into one cell")   << -1 << Steps { "action:actionPaste@1,0 2,0" } << "a\tb\nc" << 0 << 0 << "" << header + "Hallo|你好|;a\tb\nc|简体|繁體;Welt||";
    QTest::newRow("one line fills every selected cell")   << -1 << Steps { "action:actionPaste@1,0 2,0 2,1" } << "x" << 0 << 0 << "" << header + "Hallo|你好|;x|简体|繁體;x|x|";
    QTest::newRow("block copied and pasted, cut at the table's edge") << -1 << Steps { "action:actionCopy@0,0 0,1 1,0 1,1", "action:actionPaste@2,1" } << "" << 0 << 0 << "" << header + "Hallo|你好|;|简体|繁體;Welt|Hallo|你好";
    QTest::newRow("block from a spreadsheet")             << -1 << Steps { "action:actionPaste@1,1" } << "x\ty\r\nz\tw\r\n" << 0 << 0 << "" << header + "Hallo|你好|;|x|y;Welt|z|w";
    QTest::newRow("use this column as source")            << -1 << Steps { "header:Use This Column As Source@0,2" } << "" << 0 << 0 << "" << "de|zh_CN|zh_TW" + mark + ";" + unchanged;
    QTest::newRow("mark a row unfinished")                << -1 << Steps { "row:Mark All Cells In This Row As Unfinished@0,0" } << "" << 0 << 0 << "" << header + "Hallo*|你好*|;|简体|繁體;Welt||";
    QTest::newRow("mark a column unfinished, then one cell finished") << -1 << Steps { "header:Mark All Cells In This Column As Unfinished@0,1", "cell:Mark This Cell As Finished@1,1" } << "" << 0 << 0 << "" << header + "Hallo|你好*|;|简体|繁體;Welt||";
    QTest::newRow("typing goes after the text")           << -1 << Steps { "type:!@0,0" } << "" << 0 << 0 << "" << header + "Hallo!|你好|;|简体|繁體;Welt||";
    QTest::newRow("typing undone")                        << -1 << Steps { "type:!@0,0", "action:actionUndo" } << "" << 0 << 0 << "" << header + unchanged;
    QTest::newRow("undo takes back the paste, not the cut") << -1 << Steps { "action:actionCut@0,0", "action:actionPaste@2,2", "action:actionUndo" } << "" << 0 << 0 << "" << header + "|你好|;|简体|繁體;Welt||";
    QTest::newRow("a deletion undone and redone")         << -1 << Steps { "action:actionDelete@0,0 0,1 1,1", "action:actionUndo", "action:actionRedo" } << "" << 0 << yes << deleteThem << header + "||;||繁體;Welt||";
    QTest::newRow("a column command undone")              << -1 << Steps { "header:All Cells In This Column Copy Source Text@0,2", "action:actionUndo" } << "" << 0 << yes << overwrite << header + unchanged;
    QTest::newRow("marks undone")                         << -1 << Steps { "row:Mark All Cells In This Row As Unfinished@0,0", "action:actionUndo" } << "" << 0 << 0 << "" << header + unchanged;
    // clang-format on
}

void tst_MainWindowCells::commands()
{
    QFETCH(int, sourceColumn);
    QFETCH(QStringList, steps);
    QFETCH(QString, clipboard);
    QFETCH(int, dialogValue);
    QFETCH(int, answer);
    QFETCH(QString, boxes);
    QFETCH(QString, table);
    QTemporaryDir directory;
    const QStringList languages { "de", "zh_CN", "zh_TW" };
    TranslationModel *model = installTexts(
        languages, { "Hallo|你好|", "|简体|繁體", "Welt||" }, directory.path(), sourceColumn);
    QGuiApplication::clipboard()->setText(clipboard);
    if (answer)
        MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));
    for (const QString &step : steps)
        runStep(step, dialogValue);
    QStringList shown;
    for (const MessageBox::Shown &box : MessageBox::shown())
        shown << box.text;
    QCOMPARE(shown.join(';'), boxes);
    QCOMPARE(dump(), table);
    // The source column is remembered for the folder.
    MemoryModel reopened(languages);
    reopened.setDirectory(directory.path());
    reopened.loadProjectSettings();
    QCOMPARE(reopened.sourceColumn(), model->sourceColumn());
}

void tst_MainWindowCells::conversions_data()
{
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<int>("sourceColumn");
    QTest::addColumn<QString>("step"); // empty: convertColumn with `profile` itself
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("profile"); // the one Debian's opencc is run with
    QTest::addColumn<QString>("box");
    const QStringList all { "zh_CN", "zh_TW", "zh_HK" };
    const QString noColumn = "Warning: Can't find column with name %1";
    const QString missing = "Error: " + QCoreApplication::applicationDirPath() + "/opencc/%1";
    // clang-format off
    QTest::newRow("column zh_CN to zh_TW") << all << -1 << "action:actionzhCNTozhTW"       << "zh_CN" << "zh_TW" << "s2twp" << "";
    QTest::newRow("column zh_CN to zh_HK") << all << -1 << "action:actionzhCNTozhHK"       << "zh_CN" << "zh_HK" << "s2hk"  << "";
    QTest::newRow("column zh_TW to zh_CN") << all << -1 << "action:actionzhTWTozhCN"       << "zh_TW" << "zh_CN" << "tw2sp" << "";
    QTest::newRow("column zh_HK to zh_CN") << all << -1 << "action:actionzhHKTozhCN"       << "zh_HK" << "zh_CN" << "hk2s"  << "";
    QTest::newRow("zh_TW cell from zh_CN") << all << -1 << "cell:Convert From zh_CN@1,1"   << "zh_CN" << "zh_TW" << "s2twp" << "";
    QTest::newRow("zh_HK cell from zh_CN") << all << -1 << "cell:Convert From zh_CN@0,2"   << "zh_CN" << "zh_HK" << "s2hk"  << "";
    QTest::newRow("zh_CN cell from zh_TW") << all << -1 << "cell:Convert From zh_TW@2,0"   << "zh_TW" << "zh_CN" << "tw2sp" << "";
    QTest::newRow("zh_HK cell from zh_TW") << all << -1 << "cell:Convert From zh_TW@0,2"   << "zh_TW" << "zh_HK" << "t2hk"  << "";
    QTest::newRow("zh_CN cell from zh_HK") << all << -1 << "cell:Convert From zh_HK@2,0"   << "zh_HK" << "zh_CN" << "hk2s"  << "";
    QTest::newRow("zh_TW cell from zh_HK") << all << -1 << "cell:Convert From zh_HK@1,1"   << "zh_HK" << "zh_TW" << "t2tw"  << "";
    QTest::newRow("cell, empty source")    << all << -1 << "cell:Convert From zh_HK@0,1"   << "zh_HK" << "zh_TW" << "t2tw"  << "";
    QTest::newRow("no zh_HK column")       << all.mid(0, 2) << -1 << "action:actionzhCNTozhHK" << "zh_CN" << "zh_HK" << "s2hk" << noColumn.arg("zh_HK");
    QTest::newRow("marked source column")  << all << 0  << "action:actionzhCNTozhTW"       << "zh_CN" << "zh_TW" << "s2twp" << noColumn.arg("zh_CN");
    QTest::newRow("missing profile")       << all << -1 << ""                              << "zh_CN" << "zh_TW" << "missing.json" << missing.arg("missing.json");
    // clang-format on
}

void tst_MainWindowCells::conversions()
{
    QFETCH(QStringList, languages);
    QFETCH(int, sourceColumn);
    QFETCH(QString, step);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, profile);
    QFETCH(QString, box);
    // Each direction meets a target with text, a target without, and an empty source, and
    // texts that each profile converts unlike the other profiles from the same script.
    const QMap<QString, QStringList> texts { { "zh_CN",
                                                 { "打开文件温度", "鼠标和软件", "", "只有简体" } },
        { "zh_TW", { "說明溫度", "", "滑鼠與軟體溫度", "" } },
        { "zh_HK", { "", "啓動温度", "滑鼠和軟件", "" } } };
    QStringList rows;
    for (int row = 0; row < 4; ++row) {
        QStringList cells;
        for (const QString &language : languages)
            cells << texts[language].at(row);
        rows << cells.join('|');
    }
    QTemporaryDir directory;
    const TranslationModel *model = installTexts(languages, rows, directory.path(), sourceColumn);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    if (step.isEmpty())
        window->convertColumn(from, to, profile);
    else
        runStep(step, 0);

    QStringList shown;
    for (const MessageBox::Shown &message : MessageBox::shown()) {
        if (message.icon != QMessageBox::Question)
            shown << message.title + ": " + message.text;
    }
    QVERIFY2(box.isEmpty() ? shown.isEmpty() : shown.join(';').startsWith(box),
        qPrintable(shown.join(';')));
    QStringList expected = texts[to];
    const int cellRow =
        step.startsWith("cell:") ? step.section('@', 1).section(',', 0, 0).toInt() : -1;
    if (box.isEmpty()) {
        QStringList sources;
        for (int row = 0; row < 4; ++row)
            sources << ((cellRow < 0 || row == cellRow) ? texts[from].at(row) : QString());
        QTemporaryDir scratch;
        QVERIFY(TestSupport::writeFile(scratch.filePath("in"), sources.join('\n').toUtf8()));
        QCOMPARE(TestSupport::run(PARLONEX_OPENCC,
                     { "-c", profile + ".json", "-i", scratch.filePath("in"), "-o",
                         scratch.filePath("out") }),
            0);
        const QStringList converted =
            QString::fromUtf8(TestSupport::readAll(scratch.filePath("out"))).split('\n');
        for (int row = 0; row < 4; ++row)
            expected[row] = sources.at(row).isEmpty() ? expected.at(row) : converted.at(row);
    }
    const int toColumn = languages.indexOf(to);
    for (int row = 0; toColumn >= 0 && row < 4; ++row)
        QCOMPARE(model->cellText(model->index(row, toColumn)), expected.at(row));
}

void tst_MainWindowCells::filter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("regex");
    QTest::addColumn<int>("quick"); // RowFilterCriteria::Quick
    QTest::addColumn<QStringList>("ids"); // the rows both views show
    QTest::addColumn<QString>("next"); // "row,column" F3 goes to (Ctrl+J without a text)
    using Quick = RowFilterCriteria::Quick;
    const int none = int(Quick::None);
    const QStringList all { "Open", "Close", "Save\nAll", "Quit" };
    // clang-format off
    QTest::newRow("a cell, either case")   << "öFFNEN"      << false << none << QStringList { "Open" } << "0,0";
    QTest::newRow("a message ID")           << "quit"        << false << none << QStringList { "Quit" } << "3,1";
    QTest::newRow("a group; F3 on its ID")  << "DIALOG"      << false << none << all.mid(2)            << "3,1";
    QTest::newRow("a later line, long s")   << "ſPEICHERN"   << false << none << all.mid(2, 1)         << "2,0";
    QTest::newRow("F3 to the next cell")    << "e"           << false << none << all                   << "1,1";
    QTest::newRow("regular expression")     << "^(ouv|fer)"  << true  << none << all.mid(0, 2)         << "1,1";
    QTest::newRow("a line of a text")       << "^speichern$" << true  << none << all.mid(2, 1)         << "2,0";
    QTest::newRow("not across two texts")   << "open\\smenu" << true  << none << QStringList()         << "";
    QTest::newRow("each text its own start") << "\\Aouv"     << true  << none << all.mid(0, 1)         << "0,1";
    QTest::newRow("broken expression")      << "(ouv"        << true  << none << QStringList()         << "";
    QTest::newRow("no match")               << "xyz"         << false << none << QStringList()         << "";
    QTest::newRow("empty in any column")    << ""            << false << int(Quick::EmptyInAnyColumn)   << all.mid(1, 2) << "2,1";
    QTest::newRow("empty in this column")   << ""            << false << int(Quick::EmptyInColumn)      << all.mid(2, 1) << "2,1";
    QTest::newRow("unfinished")             << ""            << false << int(Quick::UnfinishedOrReview) << QStringList { "Close", "Quit" } << "3,1";
    QTest::newRow("unfinished, and a text") << "quit"        << false << int(Quick::UnfinishedOrReview) << QStringList { "Quit" } << "3,1";
    QTest::newRow("changed since opened")   << ""            << false << int(Quick::ChangedSinceOpened) << QStringList { "Open" } << "0,1";
    QTest::newRow("problem noted")          << ""            << false << int(Quick::ProblemNoted)       << QStringList { "Close" } << "1,1";
    // clang-format on
}

void tst_MainWindowCells::filter()
{
    QFETCH(QString, text);
    QFETCH(bool, regex);
    QFETCH(int, quick);
    QFETCH(QStringList, ids);
    QFETCH(QString, next);
    // Rows of two groups, a two-line text, empty cells, cells to review and a problem.
    auto *model = new MemoryModel({ "de", "fr" }, true);
    model->add("menu", "de", "Open", "Öffnen");
    model->add("menu", "fr", "Open", "Ouvrir");
    model->add("menu", "fr", "Close", "Fermer", false);
    model->add("dialog", "de", "Save\nAll", "Alles\nspeichern");
    model->add("dialog", "de", "Quit", "Beenden");
    model->add("dialog", "fr", "Quit", "Quitter", false);
    model->finish();
    window->installTranslationModel(model);
    model->setData(model->index(0, 1), "Ouvrir !");
    model->setCellProblem(model->index(1, 1), "Not translated");
    auto *target = window->findChild<QTableView *>("targetTableView");
    const QAbstractItemModelTester tester(
        target->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    target->setCurrentIndex(target->model()->index(0, 1)); // "Empty in current column": fr
    auto *bar = window->findChild<FilterBar *>("filterBar");
    bar->findChild<QToolButton *>("regexButton")->setChecked(regex);
    bar->findChild<QToolButton *>("quickFilterButton")->menu()->actions().at(quick)->trigger();
    bar->findChild<QLineEdit *>("filterEdit")->setText(text);

    // Both views show the same rows, in model order.
    const QAbstractItemModel *sources = window->findChild<QTableView *>("sourceTableView")->model();
    QStringList sourceIds;
    QStringList targetIds;
    for (int row = 0; row < sources->rowCount(); ++row)
        sourceIds << sources->index(row, 0).data().toString();
    for (int row = 0; row < target->model()->rowCount(); ++row)
        targetIds << model->messageId(window->toModelIndex(target->model()->index(row, 0)));
    QCOMPARE(sourceIds, ids);
    QCOMPARE(targetIds, ids);
    QTRY_COMPARE(window->findChild<QLabel *>("rowCountLabel")->text(),
        QStringLiteral("%1 of 4 rows").arg(ids.size()));
    QCOMPARE(bar->findChild<QLineEdit *>("filterEdit")->toolTip().isEmpty(), text != "(ouv");

    window->findChild<QAction *>(text.isEmpty() ? "actionNextUntranslated" : "actionFindNext")
        ->trigger();
    const QModelIndex current = window->currentCell();
    QCOMPARE(current.isValid() ? QStringLiteral("%1,%2").arg(current.row()).arg(current.column())
                               : QString(),
        next);
}

QTEST_MAIN(tst_MainWindowCells)
#include "tst_mainwindow_cells.moc"
