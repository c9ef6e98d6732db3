#include "app/aboutdialog.h"
#include "app/mainwindow.h"
#include "app/websitemenu.h"
#include "app/webview2widget.h"
#include "support/httpserver.h"
#include "support/memorymodel.h"
#include "support/testsupport.h"
#include "views/messagebox.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// Which commands the window offers when, its help entries and its web page tabs.
class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    void init();
    void cleanup();
    void firstStart();
    void enabledStates_data();
    void enabledStates();
    void tabs();
    void webPage();
    void websiteMenu_data();
    void websiteMenu();
    void zoomFactor();
    void helpPages_data();
    void helpPages();

public slots:
    void openUrl(const QUrl &url) { openedUrls.append(url); }

private:
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
const QStringList translateAll { "actionTranslateAll", "actionTranslateAllEmptyCells" };
const QStringList translateSelected { "actionTranslateCurrentCell", "actionTranslateSelectedCells",
    "actionTranslateSelectedEmptyCells", "actionTranslateCurrentRow",
    "actionTranslateEmptyCellsInCurrentRow", "actionTranslateCurrentColumn",
    "actionTranslateEmptyCellsInCurrentColumn" };
const QStringList needRows =
    QStringList { "actionExportToDirectory", "actionSelectAll", "actionzhCNTozhTW",
        "actionzhCNTozhHK", "actionzhTWTozhCN", "actionzhHKTozhCN", "actionCheckPlaceholders",
        "actionFind", "actionFindNext", "actionFindPrevious", "actionNextUntranslated" }
    + translateAll;
const QStringList needSelection = QStringList { "actionCut", "actionCopy", "actionDelete",
    "actionAllCellsInCurrentRowCopySourceText", "actionAllCellsInCurrentColumnCopySourceText",
    "actionAllCellsInCurrentRowCopyTextFromRow", "actionAllCellsInCurrentColumnCopyTextFromColumn",
    "actionUseCurrentColumnAsSource" }
    + translateSelected;

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

void tst_MainWindow::firstStart()
{
    // Fitted to the screen, with a hint in place of two empty tables.
    QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
    QVERIFY(window->findChild<QLabel *>("emptyHint")->isVisible());
    // Alt+T belongs to the Translate menu alone.
    QTest::keyClick(window, Qt::Key_T, Qt::AltModifier);
    QTRY_VERIFY(window->findChild<QMenu *>("menuTranslate")->isVisible());
    window->findChild<QMenu *>("menuTranslate")->close();
}

void tst_MainWindow::enabledStates_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("select");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("translating");
    QTest::addColumn<QStringList>("enabled");
    const QStringList selected = alwaysEnabled + needRows + needSelection;
    QStringList busy = selected + QStringList { "actionPaste", "actionStopTranslating" };
    busy.removeIf([](const QString &name) {
        return translateAll.contains(name) || translateSelected.contains(name);
    });
    // clang-format off
    QTest::newRow("no set")                 << false << false << "x" << false << alwaysEnabled;
    QTest::newRow("set, nothing selected")  << true  << false << "x" << false << alwaysEnabled + needRows;
    QTest::newRow("selected, no clipboard") << true  << true  << ""  << false << selected;
    QTest::newRow("selected, clipboard")    << true  << true  << "x" << false << selected + QStringList { "actionPaste" };
    QTest::newRow("translating")            << true  << true  << "x" << true  << busy;
    // clang-format on
}

void tst_MainWindow::enabledStates()
{
    QFETCH(bool, open);
    QFETCH(bool, select);
    QFETCH(QString, clipboard);
    QFETCH(bool, translating);
    QFETCH(QStringList, enabled);
    QGuiApplication::clipboard()->setText(clipboard);
    if (open) {
        auto *model = new MemoryModel({ "de", "fr" });
        for (int row = 0; row < 3; ++row)
            model->add("g", "de", QStringLiteral("m%1").arg(row), "t");
        model->finish();
        window->installTranslationModel(model);
    }
    if (select) {
        auto *view = window->findChild<QTableView *>("targetTableView");
        view->selectionModel()->select(view->model()->index(1, 0), QItemSelectionModel::Select);
    }
    window->setTranslating(translating);
    enabled.sort();
    QTRY_COMPARE(enabledNames(alwaysEnabled + needRows + needSelection
                     + QStringList { "actionPaste", "actionStopTranslating" }),
        enabled);
    // Once the states are current nothing is pending: the event loop can sleep.
    QTRY_VERIFY(!window->idleTimer->isActive());
}

void tst_MainWindow::tabs()
{
    auto *tabs = window->findChild<QTabWidget *>("tabWidget");
    QVERIFY(!tabs->tabBar()->isVisible());
    QVERIFY(!tabs->tabBar()->tabButton(0, QTabBar::RightSide));
    HttpServer server;
    QVERIFY(server.start());
    for (const char *path : { "/a", "/b", "/a" })
        window->openWebPage(server.url(path), QString::fromLatin1(path));
    // The page already open is shown again.
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(tabs->tabBar()->isVisible());

    emit tabs->tabCloseRequested(0);
    QCOMPARE(tabs->count(), 3);
    window->findChild<QAction *>("actionTableView")->trigger();
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
                         {"category": "A", "name": "alpha", "url": "a"},
                         {"category": "A", "name": "Beta", "url": "b"}])")
        << QStringList() << QStringList { "----", "Beta", "alpha", "----", "Zeta" } << "z|Zeta";
    QTest::newRow("de_DE preferred") << manual << QStringList { "fr_FR", "de_DE" }
                                     << QStringList { "----", "Handbuch" } << "m|Handbuch";
    QTest::newRow("de_DE not preferred")
        << manual << QStringList { "en_US" } << QStringList { "----", "Manual" } << "m|Manual";
    QTest::newRow("no title or address")
        << QByteArray(R"([{"name": "", "url": "e"}, {"name": "No address"},
                         {"name_de_DE": "Nur deutsch", "url": "d"}, {"name": "A & B", "url": "k"}])")
        << QStringList() << QStringList { "----", "A && B" } << "k|A & B";
}

void tst_MainWindow::websiteMenu()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, languages);
    QFETCH(QStringList, texts);
    QFETCH(QString, lastOpens);
    QTemporaryDir dir;
    const QString path = dir.filePath("website.json");
    QVERIFY(TestSupport::writeFile(path, file));
    QMenu menu;
    QString opened;
    addWebsiteEntries(&menu, path, languages,
        [&opened](const QString &url, const QString &title) { opened = url + '|' + title; });
    QCOMPARE(menuTexts(&menu), texts);
    menu.actions().last()->trigger();
    QCOMPARE(opened, lastOpens);
}

void tst_MainWindow::zoomFactor()
{
    QCOMPARE(WebView2Widget::zoomFactor(1.25), 1.0);
    QCOMPARE(WebView2Widget::zoomFactor(1.5), 0.9333333333333333);
}

void tst_MainWindow::helpPages_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("fragment");
    // clang-format off
    QTest::newRow("User Manual")    << "actionContent"  << "features";
    QTest::newRow("Homepage")       << "actionHomepage" << "";
    QTest::newRow("about box link") << "labelHomepage"  << "";
    // clang-format on
}

void tst_MainWindow::helpPages()
{
    QFETCH(QString, command);
    QFETCH(QString, fragment);
    openedUrls.clear();
    AboutDialog about(window);
    QCOMPARE(about.findChild<QLabel *>("labelVersion")->text(), "Version: v2025.07");
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
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
