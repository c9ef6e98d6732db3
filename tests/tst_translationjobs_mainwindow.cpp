#include "app/mainwindow.h"
#include "llm/translationqueue.h"
#include "model/translationmodel.h"
#include "settings/settings.h"
#include "support/httpserver.h"
#include "support/testsupport.h"
#include "views/editordelegate.h"
#include "views/messagebox.h"

#include <QAction>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The translate commands driven through the window against the local server, on a real TS
// set in a temporary folder.
class tst_TranslationJobsMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void withoutConfigurationNothingIsSent();
    void translateCurrentColumnAndExport();
    void emptyCellsKeepExistingTranslations();
    void selectedCellsMakeOneJobPerColumn();
    void editorButtonTranslatesItsCell();
    void stopEmptiesTheQueue();
    void replacingTheSetWhileTranslating();

private:
    QAction *action(const char *name) const;
    QModelIndex cell(int row, const QString &language) const;
    void select(const QModelIndex &index);
    void importWorkspace();
    TranslationModel *model() const { return window->currentTranslationModel(); }
    TranslationQueue *queue() const { return window->findChild<TranslationQueue *>(); }
    void slowServer();

    QTemporaryDir profile;
    std::unique_ptr<QTemporaryDir> workspace;
    std::unique_ptr<MainWindow> window;
    HttpServer server;
};

void tst_TranslationJobsMainWindow::initTestCase()
{
    QVERIFY(profile.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, profile.path());
    MessageBox::setTestMode(true);
    QVERIFY(server.start());
}

void tst_TranslationJobsMainWindow::init()
{
    Settings settings;
    settings.saveLLMConfigurations({ LLMConfiguration{
        0, QStringLiteral("local"), server.url(QStringLiteral("/v1/chat/completions")),
        QStringLiteral("key"), QStringLiteral("llama3"), QStringLiteral("OpenAI") } });
    settings.setUsedLLMId(0);
    settings.savePrompts({ PromptRecord{
        0, QStringLiteral("test"), QStringLiteral("You translate."), QString(),
        QStringLiteral("{{source language}}|{{target language list}}\n{{text list}}") } });
    settings.setUsedPromptId(0);

    workspace = std::make_unique<QTemporaryDir>();
    for (const QString &name : { QStringLiteral("app_de.ts"), QStringLiteral("app_zh_TW.ts") })
        QVERIFY(QFile::copy(TestSupport::dataPath(QStringLiteral("llm/") + name),
                            workspace->filePath(name)));
    for (const QFileInfo &file : QDir(workspace->path()).entryInfoList(QDir::Files))
        QFile::setPermissions(file.filePath(), QFile::ReadOwner | QFile::WriteOwner);
    server.clearRequests();
    server.setHandler(&HttpServer::Response::echoTranslation);
    MessageBox::clear();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    importWorkspace();
}

void tst_TranslationJobsMainWindow::cleanup()
{
    window.reset();
    workspace.reset();
}

QAction *tst_TranslationJobsMainWindow::action(const char *name) const
{
    return window->findChild<QAction *>(QLatin1String(name));
}

QModelIndex tst_TranslationJobsMainWindow::cell(int row, const QString &language) const
{
    return model()->indexForLanguage(row, language);
}

void tst_TranslationJobsMainWindow::select(const QModelIndex &index)
{
    auto *view = window->findChild<QTableView *>(QStringLiteral("targetTableView"));
    view->setCurrentIndex(index);
}

void tst_TranslationJobsMainWindow::importWorkspace()
{
    QVERIFY(window->importTranslationDirectory(int(ModelKind::Qt), workspace->path()));
    QVERIFY(model());
    QCOMPARE(model()->rowCount(), 4);
}

void tst_TranslationJobsMainWindow::slowServer()
{
    server.setHandler([](const HttpServer::Request &request) {
        HttpServer::Response slow = HttpServer::Response::echoTranslation(request);
        slow.delay = 400;
        return slow;
    });
}

void tst_TranslationJobsMainWindow::withoutConfigurationNothingIsSent()
{
    Settings().saveLLMConfigurations({});
    select(cell(1, QStringLiteral("de")));
    for (const char *name : { "actionTranslateCurrentColumn", "actionTranslateAll" }) {
        MessageBox::clear();
        QTRY_VERIFY(action(name)->isEnabled());
        action(name)->trigger();
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().title, QStringLiteral("Warning"));
        QCOMPARE(MessageBox::shown().first().text,
                 QStringLiteral("Please configure the LLM service first."));
    }
    QTest::qWait(100);
    QVERIFY(server.requests().isEmpty());
    QVERIFY(!window->isTranslating());
}

void tst_TranslationJobsMainWindow::translateCurrentColumnAndExport()
{
    slowServer();
    select(cell(1, QStringLiteral("de")));
    QTRY_VERIFY(action("actionTranslateCurrentColumn")->isEnabled());
    action("actionTranslateCurrentColumn")->trigger();

    // While the request is out: no other translate command, Stop available, progress shown.
    QVERIFY(window->isTranslating());
    QTRY_VERIFY(!action("actionTranslateAll")->isEnabled());
    QVERIFY(!action("actionTranslateCurrentCell")->isEnabled());
    QVERIFY(action("actionStopTranslating")->isEnabled());
    auto *progress = window->findChild<QLabel *>(QStringLiteral("translationProgress"));
    QVERIFY(progress);
    QVERIFY(progress->isVisible());
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Translating..."));

    QTRY_COMPARE_WITH_TIMEOUT(window->statusBar()->currentMessage(),
                              QStringLiteral("Totally 4 cell(s) has/have been translated."), 10000);
    QVERIFY(!window->isTranslating());
    QTRY_VERIFY(action("actionTranslateAll")->isEnabled());
    QVERIFY(!action("actionStopTranslating")->isEnabled());
    QVERIFY(!progress->isVisible());
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(server.requests().first().promptLines(),
             (QStringList{ "English|German", "1. &File", "2. Open %1",
                           "3. Say \"\"hello\"\"\\nto everyone", "4. Quit" }));
    QCOMPARE(model()->cellText(cell(2, QStringLiteral("de"))),
             QStringLiteral("T:Say \"hello\"\nto everyone"));

    action("actionExportToDirectory")->trigger();
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().title, QStringLiteral("Notice"));

    QString output;
    const QString po = workspace->filePath(QStringLiteral("check.po"));
    QCOMPARE(TestSupport::run(PARLONEX_LCONVERT,
                              { "-i", workspace->filePath(QStringLiteral("app_de.ts")), "-of",
                                "po", "-o", po },
                              &output),
             0);
    const QString converted = QString::fromUtf8(TestSupport::readAll(po));
    QVERIFY2(converted.contains(QLatin1String("msgid \"Open %1\"\nmsgstr \"T:Open %1\"")),
             qPrintable(converted));
    QVERIFY(converted.contains(QLatin1String("msgid \"Quit\"\nmsgstr \"T:Quit\"")));
    QVERIFY(converted.contains(QLatin1String("msgstr \"\"\n\"T:Say \\\"hello\\\"\\n\"\n\"to everyone\"")));
    // The other language's file is untouched by the German translations.
    QVERIFY(!TestSupport::readAll(workspace->filePath(QStringLiteral("app_zh_TW.ts"))).contains("T:"));
}

void tst_TranslationJobsMainWindow::emptyCellsKeepExistingTranslations()
{
    select(cell(0, QStringLiteral("zh_TW")));
    QTRY_VERIFY(action("actionTranslateEmptyCellsInCurrentColumn")->isEnabled());
    action("actionTranslateEmptyCellsInCurrentColumn")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(window->statusBar()->currentMessage(),
                              QStringLiteral("Totally 3 cell(s) has/have been translated."), 10000);
    QCOMPARE(server.requests().first().promptLines().first(),
             QStringLiteral("English|Chinese (Taiwan)"));
    QCOMPARE(model()->cellText(cell(0, QStringLiteral("zh_TW"))), QStringLiteral("&檔案"));
    QCOMPARE(model()->cellText(cell(3, QStringLiteral("zh_TW"))), QStringLiteral("T:Quit"));
    QCOMPARE(model()->cellText(cell(3, QStringLiteral("de"))), QString());
}

void tst_TranslationJobsMainWindow::selectedCellsMakeOneJobPerColumn()
{
    auto *view = window->findChild<QTableView *>(QStringLiteral("targetTableView"));
    const QModelIndex zh = cell(3, QStringLiteral("zh_TW"));
    const QModelIndex de = cell(1, QStringLiteral("de"));
    view->selectionModel()->select(zh, QItemSelectionModel::Select);
    view->selectionModel()->select(cell(0, QStringLiteral("de")), QItemSelectionModel::Select);
    view->selectionModel()->select(de, QItemSelectionModel::Select);
    QTRY_VERIFY(action("actionTranslateSelectedEmptyCells")->isEnabled());
    action("actionTranslateSelectedEmptyCells")->trigger();
    QVERIFY(server.waitForRequests(2));
    QTRY_VERIFY(!window->isTranslating());
    const QList<HttpServer::Request> requests = server.requests();
    QCOMPARE(requests.size(), 2);
    // Columns in ascending order; the translated "&File" cell is not empty and stays out.
    const int first = qMin(zh.column(), de.column());
    QCOMPARE(requests.at(0).promptLines().first(),
             first == de.column() ? QStringLiteral("English|German")
                                  : QStringLiteral("English|Chinese (Taiwan)"));
    QCOMPARE(model()->cellText(de), QStringLiteral("T:Open %1"));
    QCOMPARE(model()->cellText(zh), QStringLiteral("T:Quit"));
    QCOMPARE(model()->cellText(cell(0, QStringLiteral("de"))), QStringLiteral("&Datei"));
    for (const HttpServer::Request &request : requests)
        QCOMPARE(request.promptLines().size(), 2);
}

void tst_TranslationJobsMainWindow::editorButtonTranslatesItsCell()
{
    auto *delegate = window->findChild<EditorDelegate *>();
    QVERIFY(delegate);
    const QModelIndex index = cell(3, QStringLiteral("de"));
    emit delegate->translate(index);
    QTRY_COMPARE_WITH_TIMEOUT(model()->cellText(index), QStringLiteral("T:Quit"), 10000);
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(server.requests().first().promptLines(), (QStringList{ "English|German", "1. Quit" }));
    QCOMPARE(server.requests().first().json().value(QLatin1String("messages")).toArray().first()
                 .toObject().value(QLatin1String("content")).toString(),
             QStringLiteral("You translate."));
}

void tst_TranslationJobsMainWindow::stopEmptiesTheQueue()
{
    slowServer();
    QTRY_VERIFY(action("actionTranslateAll")->isEnabled());
    action("actionTranslateAll")->trigger();
    QVERIFY(server.waitForRequests(1));
    QCOMPARE(queue()->jobsLeft(), 2);
    QTRY_VERIFY(action("actionStopTranslating")->isEnabled());
    action("actionStopTranslating")->trigger();
    QVERIFY(!window->isTranslating());
    QTRY_VERIFY(!action("actionStopTranslating")->isEnabled());
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Translation stopped."));
    QTest::qWait(800);
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(model()->cellText(cell(1, QStringLiteral("de"))), QString());
    QCOMPARE(model()->cellText(cell(1, QStringLiteral("zh_TW"))), QString());
}

void tst_TranslationJobsMainWindow::replacingTheSetWhileTranslating()
{
    slowServer();
    QTRY_VERIFY(action("actionTranslateAll")->isEnabled());
    action("actionTranslateAll")->trigger();
    QVERIFY(server.waitForRequests(1));
    importWorkspace(); // deletes the set the outstanding answer was meant for
    QVERIFY(!window->isTranslating());
    QTest::qWait(800);
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(model()->cellText(cell(1, QStringLiteral("de"))), QString());
    QTRY_VERIFY(!action("actionStopTranslating")->isEnabled());
}

QTEST_MAIN(tst_TranslationJobsMainWindow)
#include "tst_translationjobs_mainwindow.moc"
