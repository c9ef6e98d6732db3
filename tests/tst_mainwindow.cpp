#include "app/mainwindow.h"
#include "support/memorymodel.h"
#include "views/messagebox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void structure();
    void enabledStates_data();
    void enabledStates();
    void translatingDisablesTranslateCommands();
    void idleWithoutEvents();
    void quitQuestion_data();
    void quitQuestion();
    void tabs();

private:
    QAction *action(const char *name) const;
    void installSet(int rows);
    QStringList enabledNames(const QStringList &names) const;

    MainWindow *window = nullptr;
};

namespace {

const QStringList alwaysEnabled { "actionOpenTranslationFiles",
    "actionImportApplei18nRootDirectory", "actionImportQtTSFilesDirectory",
    "actionImportGNUPOFilesDirectory", "actionImportCommonJSONFilesDirectory", "actionPreferences",
    "actionExit", "actionClearHistory", "actionTableView", "actionContent", "actionHomepage",
    "actionAbout" };
const QStringList needRows { "actionExportToDirectory", "actionSelectAll", "actionzhCNTozhTW",
    "actionzhCNTozhHK", "actionzhTWTozhCN", "actionzhHKTozhCN", "actionTranslateAll",
    "actionTranslateAllEmptyCells" };
const QStringList needSelection { "actionCut", "actionCopy", "actionDelete",
    "actionTranslateCurrentCell", "actionTranslateSelectedCells",
    "actionTranslateSelectedEmptyCells", "actionTranslateCurrentRow",
    "actionTranslateEmptyCellsInCurrentRow", "actionTranslateCurrentColumn",
    "actionTranslateEmptyCellsInCurrentColumn", "actionAllCellsInCurrentRowCopySourceText",
    "actionAllCellsInCurrentColumnCopySourceText", "actionAllCellsInCurrentRowCopyTextFromRow",
    "actionAllCellsInCurrentColumnCopyTextFromColumn", "actionUseCurrentColumnAsSource" };

QStringList menuTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("----") : action->text());
    return texts;
}

} // namespace

void tst_MainWindow::initTestCase()
{
    MessageBox::setTestMode(true);
}

void tst_MainWindow::init()
{
    MessageBox::clear();
    QGuiApplication::clipboard()->clear();
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void tst_MainWindow::cleanup()
{
    // A window holding a set asks before closing; the tests don't go through close().
    delete window;
    window = nullptr;
}

QAction *tst_MainWindow::action(const char *name) const
{
    return window->findChild<QAction *>(QString::fromLatin1(name));
}

void tst_MainWindow::installSet(int rows)
{
    auto *model = new MemoryModel({ "de", "fr" });
    for (int row = 0; row < rows; ++row)
        model->add("g", "de", QStringLiteral("m%1").arg(row), QStringLiteral("t%1").arg(row));
    model->finish();
    window->installTranslationModel(model);
}

QStringList tst_MainWindow::enabledNames(const QStringList &names) const
{
    QStringList enabled;
    for (const QString &name : names) {
        QAction *found = window->findChild<QAction *>(name);
        if (!found)
            qFatal("no action %s", qPrintable(name));
        if (found->isEnabled())
            enabled << name;
    }
    enabled.sort();
    return enabled;
}

void tst_MainWindow::structure()
{
    QCOMPARE(window->objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Parlonex v2025.07"));
    QCOMPARE(window->size(), QSize(800, 600));
    const QMenuBar *bar = window->findChild<QMenuBar *>("menubar");
    QVERIFY(bar);
    QStringList titles;
    for (const QAction *menu : bar->actions())
        titles << menu->text();
    QCOMPARE(titles, (QStringList { "&File", "&Edit", "&Translate", "&View", "&About" }));

    QCOMPARE(menuTexts(window->findChild<QMenu *>("menuFile")),
        (QStringList { "Open translation files...", "Import Apple i18n root directory...",
            "Import Qt TS files directory...", "Import GNU PO files directory...",
            "Import Common JSON files directory...", "Export To Directory", "----", "Recent Opened",
            "----", "E&xit" }));
    QCOMPARE(menuTexts(window->findChild<QMenu *>("menuEdit")),
        (QStringList {
            "Cu&t", "&Copy", "&Paste", "Delete", "----", "Select All", "----", "Preferences..." }));
    QCOMPARE(menuTexts(window->findChild<QMenu *>("menuView")),
        (QStringList { "toolBar", "----", "Table View" }));
    QCOMPARE(menuTexts(window->findChild<QMenu *>("menuAbout")),
        (QStringList { "User Manual...", "Homepage...", "----", "About..." }));
    const QStringList translate = menuTexts(window->findChild<QMenu *>("menuTranslate"));
    QCOMPARE(translate.first(), QStringLiteral("Translate Current Cell"));
    QCOMPARE(translate.last(), QStringLiteral("Use Current Column As Source"));
    QCOMPARE(translate.count(QStringLiteral("----")), 3);

    const QToolBar *toolBar = window->findChild<QToolBar *>("toolBar");
    QVERIFY(toolBar);
    QCOMPARE(window->toolBarArea(const_cast<QToolBar *>(toolBar)), Qt::TopToolBarArea);
    QCOMPARE(toolBar->actions().first(), action("actionOpenTranslationFiles"));

    QVERIFY(window->findChild<QTableView *>("sourceTableView"));
    QVERIFY(window->findChild<QTableView *>("targetTableView"));
    QCOMPARE(
        action("actionTranslateAll")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+Shift+T")));
    QCOMPARE(action("actionAbout")->menuRole(), QAction::AboutRole);
    QCOMPARE(action("actionPreferences")->menuRole(), QAction::PreferencesRole);
    QCOMPARE(action("actionExit")->menuRole(), QAction::QuitRole);
}

void tst_MainWindow::enabledStates_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("select");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("enabled");
    QTest::newRow("no set") << -1 << false << "" << alwaysEnabled;
    QTest::newRow("empty set") << 0 << false << "" << alwaysEnabled;
    QTest::newRow("set, nothing selected") << 3 << false << "text" << alwaysEnabled + needRows;
    QTest::newRow("cell selected, clipboard empty")
        << 3 << true << "" << alwaysEnabled + needRows + needSelection;
    QTest::newRow("cell selected, clipboard text")
        << 3 << true << "text"
        << alwaysEnabled + needRows + needSelection + QStringList { "actionPaste" };
}

void tst_MainWindow::enabledStates()
{
    QFETCH(int, rows);
    QFETCH(bool, select);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, enabled);
    QGuiApplication::clipboard()->setText(clipboard);
    if (rows >= 0)
        installSet(rows);
    if (select) {
        auto *view = window->findChild<QTableView *>("targetTableView");
        view->selectionModel()->select(view->model()->index(1, 0), QItemSelectionModel::Select);
    }
    const QStringList all =
        alwaysEnabled + needRows + needSelection + QStringList { "actionPaste" };
    enabled.sort();
    QTRY_COMPARE(enabledNames(all), enabled);
}

void tst_MainWindow::translatingDisablesTranslateCommands()
{
    installSet(3);
    auto *view = window->findChild<QTableView *>("targetTableView");
    view->selectionModel()->select(view->model()->index(0, 0), QItemSelectionModel::Select);
    const QStringList translateCommands { "actionTranslateCurrentCell",
        "actionTranslateSelectedCells", "actionTranslateSelectedEmptyCells",
        "actionTranslateCurrentRow", "actionTranslateEmptyCellsInCurrentRow",
        "actionTranslateCurrentColumn", "actionTranslateEmptyCellsInCurrentColumn",
        "actionTranslateAll", "actionTranslateAllEmptyCells" };
    QStringList sorted = translateCommands;
    sorted.sort();
    QTRY_COMPARE(enabledNames(translateCommands), sorted);
    window->setTranslating(true);
    QTRY_COMPARE(enabledNames(translateCommands), QStringList());
    QVERIFY(action("actionCopy")->isEnabled());
    window->setTranslating(false);
    QTRY_COMPARE(enabledNames(translateCommands), sorted);
}

void tst_MainWindow::idleWithoutEvents()
{
    installSet(3);
    QTRY_VERIFY(action("actionExportToDirectory")->isEnabled());
    // Nothing is pending once the states are current: the event loop can sleep.
    QTRY_VERIFY(!window->idleTimer->isActive());
    QTest::qWait(50);
    QVERIFY(!window->idleTimer->isActive());
}

void tst_MainWindow::quitQuestion_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");
    QTest::newRow("no set") << -1 << int(QMessageBox::No) << false << true;
    QTest::newRow("empty set") << 0 << int(QMessageBox::No) << false << true;
    QTest::newRow("set, yes") << 2 << int(QMessageBox::Yes) << true << true;
    QTest::newRow("set, no") << 2 << int(QMessageBox::No) << true << false;
}

void tst_MainWindow::quitQuestion()
{
    QFETCH(int, rows);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closed);
    if (rows >= 0)
        installSet(rows);
    MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));
    QCOMPARE(window->close(), closed);
    QCOMPARE(MessageBox::shown().size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(MessageBox::shown().first().title, QStringLiteral("Confirm"));
        QCOMPARE(MessageBox::shown().first().text,
            QStringLiteral("Do you want to quit the application?"));
    }
    if (!closed)
        QCOMPARE(window->currentTranslationModel()->rowCount(), rows);
    MessageBox::clear();
}

void tst_MainWindow::tabs()
{
    auto *tabs = window->findChild<QTabWidget *>("tabWidget");
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Table View"));
    QVERIFY(!tabs->tabBar()->isVisible());

    auto *page = new QWidget;
    tabs->addTab(page, QStringLiteral("Web"));
    tabs->setCurrentIndex(1);
    QVERIFY(tabs->tabBar()->isVisible());
    QVERIFY(tabs->tabsClosable());

    emit tabs->tabCloseRequested(0);
    QCOMPARE(tabs->count(), 2);
    action("actionTableView")->trigger();
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->widget(1), page);

    emit tabs->tabCloseRequested(1);
    QCOMPARE(tabs->count(), 1);
    QVERIFY(!tabs->tabBar()->isVisible());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
