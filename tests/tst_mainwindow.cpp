#include "app/aboutdialog.h"
#include "app/mainwindow.h"
#include "app/websitemenu.h"
#include "app/webview2widget.h"
#include "support/httpserver.h"
#include "support/memorymodel.h"
#include "support/testsupport.h"
#include "views/messagebox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
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
    void webPage();
    void websiteMenu_data();
    void websiteMenu();
    void zoomFactor_data();
    void zoomFactor();
    void helpPages_data();
    void helpPages();

public slots:
    void openUrl(const QUrl &url) { openedUrls.append(url); }

private:
    QAction *action(const char *name) const;
    void installSet(int rows);
    QStringList enabledNames(const QStringList &names) const;

    MainWindow *window = nullptr;
    QList<QUrl> openedUrls;
    QTemporaryDir settingsHome;
};

namespace {

const QStringList alwaysEnabled { "actionOpenTranslationFiles",
    "actionImportApplei18nRootDirectory", "actionImportQtTSFilesDirectory",
    "actionImportGNUPOFilesDirectory", "actionImportCommonJSONFilesDirectory", "actionPreferences",
    "actionExit", "actionClearHistory", "actionTableView", "actionContent", "actionHomepage",
    "actionAbout", "actionDetailPane" };
const QStringList needRows { "actionExportToDirectory", "actionSelectAll", "actionzhCNTozhTW",
    "actionzhCNTozhHK", "actionzhTWTozhCN", "actionzhHKTozhCN", "actionTranslateAll",
    "actionTranslateAllEmptyCells", "actionFind", "actionFindNext", "actionFindPrevious",
    "actionNextUntranslated" };
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
    // Windows remember where they were: each run starts from no settings at all.
    QVERIFY(settingsHome.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsHome.path());
    MessageBox::setTestMode(true);
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
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
    // A first start fits the window to the screen; an empty window says how to begin.
    QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
    QVERIFY(window->findChild<QLabel *>("emptyHint")->isVisible());
    QVERIFY(!window->findChild<QTableView *>("targetTableView")->isVisible());
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
        (QStringList { "&Undo", "&Redo", "----", "Cu&t", "&Copy", "&Paste", "Delete", "----",
            "Select All", "----", "Find and Filter", "Find Next", "Find Previous",
            "Next Untranslated", "----", "Preferences..." }));
    // The website file installed beside the program adds its entries.
    const QStringList view = menuTexts(window->findChild<QMenu *>("menuView"));
    QCOMPARE(
        view.mid(0, 5), (QStringList { "toolBar", "----", "Table View", "Detail Pane", "----" }));
    QVERIFY(view.size() > 5);
    QCOMPARE(menuTexts(window->findChild<QMenu *>("menuAbout")),
        (QStringList { "User Manual...", "Homepage...", "----", "About..." }));
    const QStringList translate = menuTexts(window->findChild<QMenu *>("menuTranslate"));
    QCOMPARE(translate.first(), QStringLiteral("Translate Current Cell"));
    QCOMPARE(translate.last(), QStringLiteral("Use Current Column As Source"));
    QCOMPARE(translate.count(QStringLiteral("----")), 3);
    // Alt+T belongs to the Translate menu alone.
    QTest::keyClick(window, Qt::Key_T, Qt::AltModifier);
    QTRY_VERIFY(window->findChild<QMenu *>("menuTranslate")->isVisible());
    window->findChild<QMenu *>("menuTranslate")->close();

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
    window->setGeometry(window->geometry().adjusted(10, 20, -30, -40));
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
    // The next window comes back where this one was closed.
    const QRect left = window->geometry();
    MainWindow next;
    QCOMPARE(next.geometry() == left, closed);
}

void tst_MainWindow::tabs()
{
    HttpServer server;
    QVERIFY(server.start());
    auto *tabs = window->findChild<QTabWidget *>("tabWidget");
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Table View"));
    QVERIFY(!tabs->tabBar()->isVisible());
    QVERIFY(!tabs->tabBar()->tabButton(0, QTabBar::RightSide));

    window->openWebPage(server.url("/a"), "A");
    window->openWebPage(server.url("/b"), "B");
    QVERIFY(tabs->tabBar()->isVisible());
    window->openWebPage(server.url("/a"), "A");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->currentIndex(), 1);
    auto *page = qobject_cast<WebView2Widget *>(tabs->widget(1));
    QCOMPARE(page->url(), server.url("/a"));

    emit tabs->tabCloseRequested(0);
    QCOMPARE(tabs->count(), 3);
    action("actionTableView")->trigger();
    QCOMPARE(tabs->currentIndex(), 0);
    emit tabs->tabCloseRequested(1);
    emit tabs->tabCloseRequested(1);
    QCOMPARE(tabs->count(), 1);
    QVERIFY(!tabs->tabBar()->isVisible());
}

void tst_MainWindow::webPage()
{
    if (!WebView2Widget::embedsBrowser())
        QSKIP("Built without Qt WebEngine: web tabs show a link instead of the page.");
    HttpServer server;
    QVERIFY(server.start());
    HttpServer::Response page;
    page.headers = { { "Content-Type", "text/html" } };
    page.body = "<title>Page</title>";
    server.setDefaultResponse(page);
    window->openWebPage(server.url("/page"), "Page");
    QVERIFY(server.waitForRequests(1, 30000));
    QCOMPARE(server.requests().first().path(), QByteArray("/page"));
    QVERIFY(server.requests().first().headers.value("user-agent").endsWith("; Parlonex"));
}

void tst_MainWindow::websiteMenu_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("lastOpens");
    const QByteArray manual = R"([{"name": "Manual", "name_de_DE": "Handbuch", "url": "m"}])";
    QTest::newRow("categories, then titles, case-sensitive")
        << QByteArray(R"([{"category": "B", "name": "Zeta", "url": "z"},
                         {"category": "A", "name": "Beta", "url": "b"},
                         {"category": "A", "name": "alpha", "url": "a"}])")
        << QStringList() << QStringList { "----", "Beta", "alpha", "----", "Zeta" } << "z|Zeta";
    QTest::newRow("de_DE preferred") << manual << QStringList { "fr_FR", "de_DE" }
                                     << QStringList { "----", "Handbuch" } << "m|Handbuch";
    QTest::newRow("de_DE not preferred")
        << manual << QStringList { "en_US" } << QStringList { "----", "Manual" } << "m|Manual";
    QTest::newRow("no title or address")
        << QByteArray(R"([{"name": "", "url": "e"}, {"name": "No address"},
                         {"name_de_DE": "Nur deutsch", "url": "d"}, {"name": "A & B", "url": "k"}])")
        << QStringList() << QStringList { "----", "A && B" } << "k|A & B";
    QTest::newRow("not an array") << QByteArray(R"({"name": "x", "url": "u"})") << QStringList()
                                  << QStringList() << "";
    QTest::newRow("broken") << QByteArray(R"([{"name": "x", )") << QStringList() << QStringList()
                            << "";
    QTest::newRow("missing") << QByteArray() << QStringList() << QStringList() << "";
}

void tst_MainWindow::websiteMenu()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, languages);
    QFETCH(QStringList, texts);
    QFETCH(QString, lastOpens);
    QTemporaryDir dir;
    const QString path = dir.filePath("website.json");
    if (!file.isEmpty())
        QVERIFY(TestSupport::writeFile(path, file));
    QMenu menu;
    QString opened;
    addWebsiteEntries(&menu, path, languages,
        [&opened](const QString &url, const QString &title) { opened = url + '|' + title; });
    QCOMPARE(menuTexts(&menu), texts);
    if (!texts.isEmpty())
        menu.actions().last()->trigger();
    QCOMPARE(opened, lastOpens);
}

void tst_MainWindow::zoomFactor_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<qreal>("zoom");
    QTest::newRow("1") << 1.0 << 1.0;
    QTest::newRow("1.25 keeps the default") << 1.25 << 1.0;
    QTest::newRow("1.5") << 1.5 << 0.9333333333333333;
    QTest::newRow("2") << 2.0 << 0.7;
}

void tst_MainWindow::zoomFactor()
{
    QFETCH(qreal, ratio);
    QFETCH(qreal, zoom);
    QCOMPARE(WebView2Widget::zoomFactor(ratio), zoom);
}

void tst_MainWindow::helpPages_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("User Manual") << "actionContent"
                                 << "features";
    QTest::newRow("Homepage") << "actionHomepage"
                              << "";
    QTest::newRow("about box link") << "labelHomepage"
                                    << "";
}

void tst_MainWindow::helpPages()
{
    QFETCH(QString, command);
    QFETCH(QString, fragment);
    openedUrls.clear();
    AboutDialog about(window);
    if (auto *label = about.findChild<QLabel *>(command))
        emit label->linkActivated("mailto:elsewhere");
    else
        window->findChild<QAction *>(command)->trigger();
    QCOMPARE(openedUrls.size(), 1);
    // The manual installed beside the program stands in for the web site and has the section.
    const QString manual =
        QString::fromUtf8(TestSupport::readAll(openedUrls.first().toLocalFile()));
    QVERIFY(manual.contains("<title>Parlonex"));
    QVERIFY(manual.contains(QStringLiteral("id=\"%1\"").arg(fragment)) || fragment.isEmpty());
    QCOMPARE(openedUrls.first().fragment(), fragment);

    QCOMPARE(about.findChild<QLabel *>("labelVersion")->text(), "Version: v2025.07");
    const QString parties = about.findChild<QTextEdit *>("textEdit")->toPlainText();
    for (const char *licence : { "Parlonex (GPL-3.0-or-later)", "Qt (LGPL-3.0)",
             "OpenCC (Apache-2.0)", "libgettextpo (GPL-3.0-or-later)", "zlib (zlib licence)" })
        QVERIFY2(parties.contains(licence), licence);
    QCOMPARE(parties.contains("Qt WebEngine (LGPL-3.0 and the Chromium licences)"),
        WebView2Widget::embedsBrowser());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
