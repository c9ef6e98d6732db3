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
    void commandSendsItsCells_data();
    void commandSendsItsCells();
    void droppedWhileRequestIsOut_data();
    void droppedWhileRequestIsOut();
    void checkPlaceholders();

private:
    QAction *action(const char *name) const;
    QModelIndex cell(int row, const QString &language) const;
    void select(const QModelIndex &index);
    void importWorkspace();
    TranslationModel *model() const { return window->currentTranslationModel(); }
    TranslationQueue *queue() const { return window->findChild<TranslationQueue *>(); }
    void slowServer(int delay = 400);

    QTemporaryDir settingsFolder;
    std::unique_ptr<QTemporaryDir> workspace;
    std::unique_ptr<MainWindow> window;
    HttpServer server;
};

void tst_TranslationJobsMainWindow::initTestCase()
{
    QVERIFY(settingsFolder.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    MessageBox::setTestMode(true);
    QVERIFY(server.start());
}

void tst_TranslationJobsMainWindow::init()
{
    Settings settings;
    settings.saveLLMConfigurations(
        { { 0, QStringLiteral("local"), server.url(QStringLiteral("/v1/chat/completions")),
            QStringLiteral("key"), QStringLiteral("llama3"), QStringLiteral("OpenAI") } });
    settings.savePrompts({ { 0, QStringLiteral("test"), QStringLiteral("You translate."), QString(),
        QStringLiteral("{{source language}}|{{target language list}}\n{{text list}}") } });
    settings.setRequestsAtATime(1);
    workspace = std::make_unique<QTemporaryDir>();
    for (const QString &name : { QStringLiteral("app_de.ts"), QStringLiteral("app_zh_TW.ts") })
        QVERIFY(QFile::copy(
            TestSupport::dataPath(QStringLiteral("llm/") + name), workspace->filePath(name)));
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
    view->setCurrentIndex(view->model()->index(index.row(), index.column()));
}

void tst_TranslationJobsMainWindow::importWorkspace()
{
    QVERIFY(window->importTranslationDirectory(int(ModelKind::Qt), workspace->path()));
    QVERIFY(model());
    QCOMPARE(model()->rowCount(), 4);
}

void tst_TranslationJobsMainWindow::slowServer(int delay)
{
    server.setHandler([delay](const HttpServer::Request &request) {
        HttpServer::Response slow = HttpServer::Response::echoTranslation(request);
        slow.delay = delay;
        return slow;
    });
}

void tst_TranslationJobsMainWindow::withoutConfigurationNothingIsSent()
{
    Settings().saveLLMConfigurations({});
    select(cell(1, "de"));
    for (const char *name : { "actionTranslateCurrentColumn", "actionTranslateAll" }) {
        MessageBox::clear();
        QTRY_VERIFY(action(name)->isEnabled());
        action(name)->trigger();
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().title, QStringLiteral("Warning"));
        QCOMPARE(MessageBox::shown().first().text,
            QStringLiteral("Please configure the LLM service first."));
        // A job would have started the run at once.
        QVERIFY(!window->isTranslating());
    }
}

void tst_TranslationJobsMainWindow::translateCurrentColumnAndExport()
{
    slowServer();
    select(cell(1, "de"));
    const QString read = model()->cellText(cell(2, "de"));
    QTRY_VERIFY(action("actionTranslateCurrentColumn")->isEnabled());
    MessageBox::setNextAnswer(QMessageBox::Yes); // overwrite "&Datei"
    action("actionTranslateCurrentColumn")->trigger();

    // While the request is out the window knows: the commands follow, progress is shown.
    QTRY_VERIFY(!action("actionTranslateAll")->isEnabled());
    auto *progress = window->findChild<QLabel *>(QStringLiteral("translationProgress"));
    QVERIFY(progress->isVisible());

    QTRY_COMPARE_WITH_TIMEOUT(window->statusBar()->currentMessage(),
        QStringLiteral("4 cell(s) translated, 0 failed, 10 tokens"), 10000);
    QTRY_VERIFY(action("actionTranslateAll")->isEnabled());
    QVERIFY(!progress->isVisible());
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(server.requests().first().promptLines(),
        (QStringList { "English|German", "1. &File", "2. Open %1",
            "3. Say \"\"hello\"\"\\nto everyone", "4. Quit" }));
    QCOMPARE(model()->cellText(cell(2, "de")), QStringLiteral("T:Say \"hello\"\nto everyone"));

    QVERIFY(!model()->isFinished(cell(0, "de"))); // was finished before
    action("actionExportToDirectory")->trigger();
    QCOMPARE(MessageBox::shown().size(), 2);
    QCOMPARE(MessageBox::shown().last().title, QStringLiteral("Notice"));

    // Machine output goes out marked for review; the other language's file is untouched.
    QVERIFY(TestSupport::readAll(workspace->filePath(QStringLiteral("app_de.ts")))
                .contains("<translation type=\"unfinished\">T:&amp;File</translation>"));
    QVERIFY(
        !TestSupport::readAll(workspace->filePath(QStringLiteral("app_zh_TW.ts"))).contains("T:"));

    // The answer is one step: undone, the column's texts and marks are as read again.
    QCOMPARE(action("actionUndo")->text(), QStringLiteral("&Undo Translate Column de"));
    action("actionUndo")->trigger();
    QCOMPARE(model()->cellText(cell(2, "de")), read);
    QVERIFY(model()->isFinished(cell(0, "de")));
    QVERIFY(window->isWindowModified()); // it differs from what was exported
    action("actionRedo")->trigger();
    QCOMPARE(model()->cellText(cell(2, "de")), QStringLiteral("T:Say \"hello\"\nto everyone"));
    QVERIFY(!window->isWindowModified());
}

void tst_TranslationJobsMainWindow::commandSendsItsCells_data()
{
    QTest::addColumn<QString>("command"); // an action, or "editor" for the cell editor's button
    QTest::addColumn<QStringList>("selected"); // "row,language"; the first is current
    QTest::addColumn<QList<QStringList>>("prompts"); // of each request, in order
    QTest::addColumn<QStringList>("expected"); // "row,language=text" afterwards

    const QString say = QStringLiteral("Say \"\"hello\"\"\\nto everyone");
    // clang-format off
    QTest::newRow("empty cells of the column; the translated one keeps its text")
        << "actionTranslateEmptyCellsInCurrentColumn" << QStringList{ "0,zh_TW" }
        << QList<QStringList>{ { "English|Chinese (Taiwan)", "1. Open %1", "2. " + say, "3. Quit" } }
        << QStringList{ "0,zh_TW=&檔案", "3,zh_TW=T:Quit", "3,de=" };
    QTest::newRow("selected empty cells: one job per column, in column order")
        << "actionTranslateSelectedEmptyCells" << QStringList{ "3,zh_TW", "0,de", "1,de" }
        << QList<QStringList>{ { "English|German", "1. Open %1" }, { "English|Chinese (Taiwan)", "1. Quit" } }
        << QStringList{ "1,de=T:Open %1", "3,zh_TW=T:Quit", "0,de=&Datei" };
    QTest::newRow("current column, only the empty cells")
        << "actionTranslateCurrentColumn:No" << QStringList{ "1,de" }
        << QList<QStringList>{ { "English|German", "1. Open %1", "2. " + say, "3. Quit" } }
        << QStringList{ "0,de=&Datei", "3,de=T:Quit" };
    QTest::newRow("current row, overwritten")
        << "actionTranslateCurrentRow:Yes" << QStringList{ "0,zh_TW" }
        << QList<QStringList>{ { "English|German and Chinese (Taiwan)", "1. &File" } }
        << QStringList{ "0,de=T:&File", "0,zh_TW=T:&File" };
    QTest::newRow("cancelled: nothing is sent")
        << "actionTranslateAll:Cancel" << QStringList{ "0,de" } << QList<QStringList>{}
        << QStringList{ "0,de=&Datei", "1,de=" };
    QTest::newRow("the editor's button translates its cell")
        << "editor" << QStringList{ "3,de" } << QList<QStringList>{ { "English|German", "1. Quit" } }
        << QStringList{ "3,de=T:Quit", "2,de=" };
    // clang-format on
}

void tst_TranslationJobsMainWindow::commandSendsItsCells()
{
    QFETCH(QString, command);
    QFETCH(QStringList, selected);
    QFETCH(QList<QStringList>, prompts);
    QFETCH(QStringList, expected);

    const auto at = [this](const QString &spec) {
        return cell(spec.section(QLatin1Char(','), 0, 0).toInt(),
            spec.section(QLatin1Char(','), 1).section(QLatin1Char('='), 0, 0));
    };
    select(at(selected.first()));
    auto *view = window->findChild<QTableView *>(QStringLiteral("targetTableView"));
    // Nothing is filtered: the view's rows and columns are the model's.
    const auto shown = [view](const QModelIndex &index) {
        return view->model()->index(index.row(), index.column());
    };
    for (const QString &spec : std::as_const(selected))
        view->selectionModel()->select(shown(at(spec)), QItemSelectionModel::Select);
    const QString answer = command.section(QLatin1Char(':'), 1);
    command = command.section(QLatin1Char(':'), 0, 0);
    if (!answer.isEmpty())
        MessageBox::setNextAnswer(answer == QLatin1String("Yes") ? QMessageBox::Yes
                : answer == QLatin1String("No")                  ? QMessageBox::Ignore
                                                                 : QMessageBox::Cancel);
    if (command == QLatin1String("editor")) {
        emit window->findChild<EditorDelegate *>()->translate(shown(at(selected.first())));
    } else {
        QTRY_VERIFY(action(qPrintable(command))->isEnabled());
        action(qPrintable(command))->trigger();
    }
    QVERIFY(server.waitForRequests(int(prompts.size()), 10000));
    QTRY_VERIFY_WITH_TIMEOUT(!window->isTranslating(), 10000);
    QList<QStringList> sent;
    for (const HttpServer::Request &request : server.requests())
        sent << request.promptLines();
    QCOMPARE(sent, prompts);
    for (const QString &spec : std::as_const(expected))
        QCOMPARE(model()->cellText(at(spec)), spec.section(QLatin1Char('='), 1));
}

void tst_TranslationJobsMainWindow::droppedWhileRequestIsOut_data()
{
    QTest::addColumn<bool>("replaceSet");
    // clang-format off
    QTest::newRow("Stop empties the queue") << false;
    QTest::newRow("replacing the set drops its jobs") << true;
    // clang-format on
}

void tst_TranslationJobsMainWindow::droppedWhileRequestIsOut()
{
    QFETCH(bool, replaceSet);

    slowServer();
    QTRY_VERIFY(action("actionTranslateAll")->isEnabled());
    MessageBox::setNextAnswer(QMessageBox::Yes);
    action("actionTranslateAll")->trigger();
    QVERIFY(server.waitForRequests(1));
    if (replaceSet) {
        importWorkspace(); // deletes the set the outstanding answer was meant for
        QVERIFY(window->statusBar()->currentMessage().startsWith(
            QStringLiteral("Translation stopped: another set was opened. 4 messages")));
    } else {
        QCOMPARE(queue()->jobsLeft(), 2);
        QTRY_VERIFY(action("actionStopTranslating")->isEnabled());
        action("actionStopTranslating")->trigger();
        QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Translation stopped."));
    }
    QVERIFY(!window->isTranslating());
    QCOMPARE(queue()->jobsLeft(), 0);
    QTRY_VERIFY(!action("actionStopTranslating")->isEnabled());

    // The queue works again, and the dropped answer, due before this one, writes nothing.
    slowServer(800);
    select(cell(3, "zh_TW"));
    QTRY_VERIFY(action("actionTranslateCurrentCell")->isEnabled());
    action("actionTranslateCurrentCell")->trigger();
    QTRY_COMPARE(model()->cellText(cell(3, "zh_TW")), QStringLiteral("T:Quit"));
    QCOMPARE(model()->cellText(cell(0, "de")), QStringLiteral("&Datei"));
    QCOMPARE(model()->cellText(cell(1, "de")), QString());
}

void tst_TranslationJobsMainWindow::checkPlaceholders()
{
    model()->setData(cell(1, "de"), QStringLiteral("Öffnen"));
    model()->setData(cell(3, "de"), QStringLiteral("&Beenden"));
    model()->setCellProblem(cell(0, "de"), QStringLiteral("Missing: %1")); // no longer true
    QTRY_VERIFY(action("actionCheckPlaceholders")->isEnabled());
    action("actionCheckPlaceholders")->trigger();
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY(MessageBox::shown().first().text.startsWith(QLatin1String("2 cell(s)")));
    QCOMPARE(
        model()->data(cell(1, "de"), Qt::ToolTipRole).toString(), QStringLiteral("Missing: %1"));
    QVERIFY(model()->cellProblem(cell(0, "de")).isEmpty());
    // An edit clears the mark.
    model()->setData(cell(3, "de"), QStringLiteral("Beenden"));
    QCOMPARE(model()->cellProblemCount(), 1);
}

QTEST_MAIN(tst_TranslationJobsMainWindow)
#include "tst_translationjobs_mainwindow.moc"
