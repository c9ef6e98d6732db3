#include "llm/translationanswer.h"
#include "llm/translationqueue.h"
#include "settings/settings.h"
#include "support/httpserver.h"
#include "support/memorymodel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Texts are written as "row,column=text"; cells as "row,column".
class tst_TranslationJobs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void escapes_data();
    void escapes();
    void answer_data();
    void answer();
    void invalidIdIsLogged();

    void columnIsCutIntoJobsOfTen();
    void commandDuringRequestQueuesBehind();
    void promptCarriesEscapedSingleLineTexts();
    void failedJobIsRetriedFirst();
    void emptyTranslationRetriesThatCellAlone();
    void rowJobKeyedByDisplayNames();
    void presetTemplateReplacesUserPrompt();
    void rateLimitPausesTheNextRequest();
    void filteredAnswerIsNotRetried();
    void repeatedFailureStopsTheQueue();
    void stalledReplyIsAbortedAndRetried();
    void stopEmptiesQueueAndIgnoresAnswer();
    void replacingTheSetDropsEverything();

private:
    MemoryModel *makeModel(int rows);
    TranslationJob job(const QStringList &cells, int rowCount, int columnCount) const;
    QStringList texts(const QStringList &cells) const;
    bool waitIdle(int timeout = 10000);

    QTemporaryDir profile;
    QNetworkAccessManager manager;
    HttpServer server;
    MemoryModel *model = nullptr;
    TranslationQueue *queue = nullptr;
};

using Response = HttpServer::Response;

namespace {

Response chatAnswer(const QString &content)
{
    return Response::chatAnswer(content);
}

QStringList promptLines(const HttpServer::Request &request)
{
    return request.promptLines();
}

Response translate(const HttpServer::Request &request)
{
    return Response::echoTranslation(request);
}

} // namespace

void tst_TranslationJobs::initTestCase()
{
    QVERIFY(profile.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, profile.path());
    QVERIFY(server.start());
    Settings settings;
    settings.saveLLMConfigurations({ LLMConfiguration{
        0, QStringLiteral("local"), server.url(QStringLiteral("/v1/chat/completions")),
        QStringLiteral("key"), QStringLiteral("gpt-4o"), QStringLiteral("OpenAI") } });
    settings.savePrompts({ PromptRecord{
        0, QStringLiteral("test"), QString(), QString(),
        QStringLiteral("{{source language}}|{{target language list}}\n{{text list}}") } });
}

void tst_TranslationJobs::init()
{
    model = makeModel(25);
    queue = new TranslationQueue(&manager);
    queue->setModel(model);
    server.clearRequests();
    server.setHandler(&translate);
}

void tst_TranslationJobs::cleanup()
{
    delete queue;
    delete model;
    queue = nullptr;
    model = nullptr;
}

MemoryModel *tst_TranslationJobs::makeModel(int rows)
{
    auto *memory = new MemoryModel({ QStringLiteral("de"), QStringLiteral("fr"),
                                     QStringLiteral("zh_TW") });
    for (int row = 0; row < rows; ++row)
        memory->add(QString(), QStringLiteral("de"), QStringLiteral("Text %1").arg(row), QString());
    memory->finish();
    return memory;
}

TranslationJob tst_TranslationJobs::job(const QStringList &cells, int rowCount,
                                        int columnCount) const
{
    TranslationJob result{ {}, rowCount, columnCount, {} };
    for (const QString &cell : cells)
        result.cells << model->index(cell.section(QLatin1Char(','), 0, 0).toInt(),
                                     cell.section(QLatin1Char(','), 1, 1).toInt());
    return result;
}

QStringList tst_TranslationJobs::texts(const QStringList &cells) const
{
    QStringList result;
    for (const QModelIndex &index : job(cells, 0, 0).cells)
        result << model->cellText(index);
    return result;
}

bool tst_TranslationJobs::waitIdle(int timeout)
{
    QSignalSpy idle(queue, &TranslationQueue::idle);
    QElapsedTimer timer;
    timer.start();
    while (queue->isTranslating() || !queue->waitingJobs().isEmpty() || queue->isPaused()) {
        if (timer.elapsed() > timeout)
            return false;
        idle.wait(100);
    }
    return true;
}

void tst_TranslationJobs::escapes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");

    QTest::newRow("line feed") << "one\ntwo" << "one\\ntwo";
    QTest::newRow("CRLF") << "one\r\ntwo" << "one\\r\\ntwo";
    QTest::newRow("quotes doubled") << "say \"hi\"" << "say \"\"hi\"\"";
    QTest::newRow("plain") << "Open file" << "Open file";
}

void tst_TranslationJobs::escapes()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(TranslationJob::escapeForPrompt(text), escaped);
    QCOMPARE(TranslationJob::unescapeFromAnswer(escaped), text);
}

void tst_TranslationJobs::answer_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("columnCount");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("translated");
    QTest::addColumn<QStringList>("unmatched");
    QTest::addColumn<QStringList>("expected"); // texts of the cells afterwards

    const QStringList column = { "0,0", "1,0", "2,0" };
    const QStringList row = { "0,0", "0,1", "0,2" };
    const QString ok = QString();

    QTest::newRow("code fence with closer")
        << column << 3 << 1
        << "```json\n[{\"id\":1,\"de\":\"Eins\"},{\"id\":2,\"de\":\"Zwei\"},{\"id\":3,\"de\":\"Drei\"}]\n```"
        << ok << 3 << QStringList() << QStringList{ "Eins", "Zwei", "Drei" };
    QTest::newRow("code fence without closer")
        << column << 3 << 1
        << "```json\n[{\"id\":1,\"de\":\"Eins\"},{\"id\":2,\"de\":\"Zwei\"},{\"id\":3,\"de\":\"Drei\"}]  "
        << ok << 3 << QStringList() << QStringList{ "Eins", "Zwei", "Drei" };
    QTest::newRow("single object for a one-cell job")
        << QStringList{ "4,1" } << 1 << 1 << "{\"id\":1,\"fr\":\"Un\"}"
        << ok << 1 << QStringList() << QStringList{ "Un" };
    QTest::newRow("single object for a three-cell job")
        << column << 3 << 1 << "{\"id\":1,\"de\":\"Eins\"}"
        << "Invalid JSON document" << 0 << column << QStringList{ "", "", "" };
    QTest::newRow("three cells answered with two elements")
        << column << 3 << 1 << "[{\"id\":1,\"de\":\"Eins\"},{\"id\":2,\"de\":\"Zwei\"}]"
        << "Invalid JSON document, row count mismatch" << 0 << column << QStringList{ "", "", "" };
    QTest::newRow("prose instead of JSON")
        << column << 3 << 1 << "Sorry, I cannot help with that."
        << "Invalid JSON document" << 0 << column << QStringList{ "", "", "" };
    QTest::newRow("id missing")
        << QStringList{ "0,0" } << 1 << 1 << "[{\"de\":\"Eins\"}]"
        << ok << 0 << QStringList{ "0,0" } << QStringList{ "" };
    QTest::newRow("id as a quoted number")
        << QStringList{ "0,0" } << 1 << 1 << "[{\"id\":\"1\",\"de\":\"Eins\"}]"
        << ok << 1 << QStringList() << QStringList{ "Eins" };
    QTest::newRow("id beyond the texts")
        << column << 3 << 1
        << "[{\"id\":1,\"de\":\"Eins\"},{\"id\":2,\"de\":\"Zwei\"},{\"id\":4,\"de\":\"Vier\"}]"
        << ok << 2 << QStringList{ "2,0" } << QStringList{ "Eins", "Zwei", "" };
    QTest::newRow("empty translation: only that cell is left")
        << column << 3 << 1
        << "[{\"id\":1,\"de\":\"Eins\"},{\"id\":2,\"de\":\"\"},{\"id\":3,\"de\":\"Drei\"}]"
        << ok << 2 << QStringList{ "1,0" } << QStringList{ "Eins", "", "Drei" };
    QTest::newRow("escapes come back as breaks and quotes")
        << QStringList{ "0,0" } << 1 << 1
        << "[{\"id\":1,\"de\":\"Zeile 1\\\\nZeile 2 \\\"\\\"so\\\"\\\"\"}]"
        << ok << 1 << QStringList() << QStringList{ "Zeile 1\nZeile 2 \"so\"" };
    QTest::newRow("original_text is ignored")
        << QStringList{ "0,0" } << 1 << 1 << "[{\"id\":1,\"original_text\":\"Text 0\",\"de\":\"Eins\"}]"
        << ok << 1 << QStringList() << QStringList{ "Eins" };
    QTest::newRow("column job: the member naming the language wins over others")
        << QStringList{ "0,0" } << 1 << 1 << "[{\"id\":1,\"de\":\"Eins\",\"source\":\"Text 0\"}]"
        << ok << 1 << QStringList() << QStringList{ "Eins" };
    QTest::newRow("row job keyed by language codes")
        << row << 1 << 3 << "[{\"id\":1,\"de\":\"Hallo\",\"fr\":\"Salut\",\"zh_TW\":\"哈囉\"}]"
        << ok << 3 << QStringList() << QStringList{ "Hallo", "Salut", "哈囉" };
    QTest::newRow("row job keyed by the display names of the prompt")
        << row << 1 << 3
        << "[{\"id\":1,\"German\":\"Hallo\",\"French\":\"Salut\",\"Chinese (Taiwan)\":\"哈囉\"}]"
        << ok << 3 << QStringList() << QStringList{ "Hallo", "Salut", "哈囉" };
    QTest::newRow("row job keyed by codes written another way")
        << row << 1 << 3 << "{\"id\":1,\"DE\":\"Hallo\",\"fr\":\"Salut\",\"zh-TW\":\"哈囉\"}"
        << ok << 3 << QStringList() << QStringList{ "Hallo", "Salut", "哈囉" };
    QTest::newRow("row job with an unknown key writes and counts nothing for it")
        << row << 1 << 3 << "[{\"id\":1,\"Klingon\":\"nuqneH\",\"de\":\"Hallo\"}]"
        << ok << 1 << QStringList{ "0,1", "0,2" } << QStringList{ "Hallo", "", "" };
}

void tst_TranslationJobs::answer()
{
    QFETCH(QStringList, cells);
    QFETCH(int, rowCount);
    QFETCH(int, columnCount);
    QFETCH(QString, answer);
    QFETCH(QString, error);
    QFETCH(int, translated);
    QFETCH(QStringList, unmatched);
    QFETCH(QStringList, expected);

    const TranslationAnswer::Result result =
        TranslationAnswer::apply(model, job(cells, rowCount, columnCount), answer);
    QCOMPARE(result.valid, error.isEmpty());
    QCOMPARE(result.error, error);
    QCOMPARE(result.translated, translated);
    QCOMPARE(result.unmatched, job(unmatched, 0, 0).cells);
    QCOMPARE(texts(cells), expected);
}

void tst_TranslationJobs::invalidIdIsLogged()
{
    QTest::ignoreMessage(QtWarningMsg, "Invalid id 0 found");
    const TranslationAnswer::Result result = TranslationAnswer::apply(
        model, job({ "0,0" }, 1, 1), QStringLiteral("[{\"id\":0,\"de\":\"Eins\"}]"));
    QCOMPARE(result.translated, 0);
    QCOMPARE(model->cellText(model->index(0, 0)), QString());
}

void tst_TranslationJobs::columnIsCutIntoJobsOfTen()
{
    QSignalSpy status(queue, &TranslationQueue::statusMessage);
    queue->translateColumn(0);
    QVERIFY(waitIdle());
    const QList<HttpServer::Request> requests = server.requests();
    QCOMPARE(requests.size(), 3);
    QCOMPARE(promptLines(requests.at(0)).mid(1).size(), 10);
    QCOMPARE(promptLines(requests.at(1)).mid(1).size(), 10);
    QCOMPARE(promptLines(requests.at(2)).mid(1).size(), 5);
    QCOMPARE(promptLines(requests.at(0)).value(1), QStringLiteral("1. Text 0"));
    QCOMPARE(promptLines(requests.at(1)).value(1), QStringLiteral("1. Text 10"));
    QCOMPARE(promptLines(requests.at(2)).value(5), QStringLiteral("5. Text 24"));
    QCOMPARE(promptLines(requests.at(0)).first(), QStringLiteral("English|German"));
    for (int row = 0; row < 25; ++row)
        QCOMPARE(model->cellText(model->index(row, 0)), QStringLiteral("T:Text %1").arg(row));
    QCOMPARE(status.last().first().toString(),
             QStringLiteral("Totally 5 cell(s) has/have been translated."));
}

void tst_TranslationJobs::commandDuringRequestQueuesBehind()
{
    QSignalSpy progress(queue, &TranslationQueue::progressChanged);
    queue->translateEmptyCellsInColumn(1); // 25 empty cells: three jobs
    QVERIFY(queue->isTranslating());
    queue->translateRow(3);
    QCOMPARE(queue->jobsLeft(), 4);
    QCOMPARE(queue->cellsLeft(), 28);
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.last().at(0).toInt(), 4);
    QCOMPARE(progress.last().at(1).toInt(), 28);
    QVERIFY(waitIdle());
    const QList<HttpServer::Request> requests = server.requests();
    QCOMPARE(requests.size(), 4);
    QCOMPARE(promptLines(requests.at(2)).first(), QStringLiteral("English|French"));
    QCOMPARE(promptLines(requests.at(3)).first(),
             QStringLiteral("English|German, French and Chinese (Taiwan)"));
    QCOMPARE(texts({ "3,0", "3,1", "3,2" }),
             (QStringList{ "T:Text 3", "T:Text 3", "T:Text 3" }));
    QCOMPARE(progress.last().at(0).toInt(), 0);
}

void tst_TranslationJobs::promptCarriesEscapedSingleLineTexts()
{
    MemoryModel *other = new MemoryModel({ QStringLiteral("de") });
    other->add(QString(), QStringLiteral("de"), QStringLiteral("Line one\nsays \"hi\""), QString());
    other->finish();
    queue->setModel(other);
    queue->translateColumn(0);
    QVERIFY(waitIdle());
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(promptLines(server.requests().first()).value(1),
             QStringLiteral("1. Line one\\nsays \"\"hi\"\""));
    // The echoing server answers with the escaped text, which is stored unescaped.
    QCOMPARE(other->cellText(other->index(0, 0)), QStringLiteral("T:Line one\nsays \"hi\""));
    queue->setModel(model);
    delete other;
}

void tst_TranslationJobs::failedJobIsRetriedFirst()
{
    int calls = 0;
    server.setHandler([&calls](const HttpServer::Request &request) {
        return ++calls == 1 ? chatAnswer(QStringLiteral("not JSON")) : translate(request);
    });
    QSignalSpy status(queue, &TranslationQueue::statusMessage);
    queue->translateColumn(0); // 10, 10, 5
    QVERIFY(waitIdle());
    const QList<HttpServer::Request> requests = server.requests();
    QCOMPARE(requests.size(), 4);
    QCOMPARE(promptLines(requests.at(1)), promptLines(requests.at(0)));
    QCOMPARE(promptLines(requests.at(2)).value(1), QStringLiteral("1. Text 10"));
    bool reported = false;
    for (const QList<QVariant> &message : status)
        reported |= message.first().toString() == QLatin1String("Invalid JSON document");
    QVERIFY(reported);
    QCOMPARE(model->cellText(model->index(0, 0)), QStringLiteral("T:Text 0"));
}

void tst_TranslationJobs::emptyTranslationRetriesThatCellAlone()
{
    int calls = 0;
    server.setHandler([&calls](const HttpServer::Request &request) {
        if (++calls > 1)
            return translate(request);
        return chatAnswer(QStringLiteral(
            "[{\"id\":1,\"fr\":\"Un\"},{\"id\":2,\"fr\":\"\"},{\"id\":3,\"fr\":\"Trois\"}]"));
    });
    QSignalSpy status(queue, &TranslationQueue::statusMessage);
    queue->translateColumnCells(job({ "0,1", "1,1", "2,1" }, 3, 1).cells);
    QVERIFY(waitIdle());
    QCOMPARE(server.requests().size(), 2);
    QCOMPARE(promptLines(server.requests().at(1)).mid(1), QStringList{ "1. Text 1" });
    QCOMPARE(texts({ "0,1", "1,1", "2,1" }), (QStringList{ "Un", "T:Text 1", "Trois" }));
    QVERIFY(status.contains(QList<QVariant>{ QStringLiteral("Totally 2 cell(s) has/have been translated.") }));
}

void tst_TranslationJobs::rowJobKeyedByDisplayNames()
{
    int calls = 0;
    server.setHandler([&calls](const HttpServer::Request &request) {
        if (++calls > 1)
            return translate(request);
        // Keyed by the names the prompt used, and one language left out.
        return chatAnswer(QStringLiteral("[{\"id\":1,\"German\":\"Hallo\",\"Chinese (Taiwan)\":\"哈囉\"}]"));
    });
    QSignalSpy status(queue, &TranslationQueue::statusMessage);
    queue->translateRow(5);
    QVERIFY(waitIdle());
    QCOMPARE(server.requests().size(), 2);
    QCOMPARE(promptLines(server.requests().at(1)).first(), QStringLiteral("English|French"));
    QCOMPARE(texts({ "5,0", "5,1", "5,2" }), (QStringList{ "Hallo", "T:Text 5", "哈囉" }));
    QVERIFY(status.contains(QList<QVariant>{ QStringLiteral("Totally 2 cell(s) has/have been translated.") }));
}

void tst_TranslationJobs::presetTemplateReplacesUserPrompt()
{
    queue->translateCellWithTemplate(model->index(4, 1),
                                     QStringLiteral("Preset|{{target language list}}\n{{text list}}"));
    QVERIFY(waitIdle());
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(promptLines(server.requests().first()), (QStringList{ "Preset|French", "1. Text 4" }));
    QCOMPARE(model->cellText(model->index(4, 1)), QStringLiteral("T:Text 4"));
}

void tst_TranslationJobs::rateLimitPausesTheNextRequest()
{
    queue->setRateLimitPause(400);
    int calls = 0;
    server.setHandler([&calls](const HttpServer::Request &request) {
        if (++calls > 1)
            return translate(request);
        return HttpServer::Response::json(
            R"({"error":{"message":"Rate limit reached for gpt-4o in organization org-x on requests per min (RPM).","type":"requests","code":"rate_limit_exceeded"}})",
            429);
    });
    queue->translateColumnCells(job({ "0,2", "1,2" }, 2, 1).cells);
    QTRY_VERIFY(queue->isPaused());
    QVERIFY(!queue->isTranslating());
    // A command during the pause waits too.
    queue->translateCell(model->index(7, 2));
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(queue->waitingJobs().size(), 2);
    QVERIFY(waitIdle());
    QCOMPARE(server.requests().size(), 3);
    QCOMPARE(promptLines(server.requests().at(1)).mid(1),
             (QStringList{ "1. Text 0", "2. Text 1" }));
    QCOMPARE(texts({ "0,2", "1,2", "7,2" }), (QStringList{ "T:Text 0", "T:Text 1", "T:Text 7" }));
}

void tst_TranslationJobs::filteredAnswerIsNotRetried()
{
    server.setHandler([](const HttpServer::Request &) {
        return HttpServer::Response::json(
            R"({"error":{"message":"The response was filtered due to the prompt triggering Azure OpenAI's content management policy.","code":"content_filter","status":400}})",
            400);
    });
    QSignalSpy status(queue, &TranslationQueue::statusMessage);
    queue->translateCell(model->index(0, 0));
    QVERIFY(waitIdle());
    QTest::qWait(100);
    QCOMPARE(server.requests().size(), 1);
    QVERIFY(status.last().first().toString().startsWith(QLatin1String("The response was filtered")));
}

void tst_TranslationJobs::repeatedFailureStopsTheQueue()
{
    server.setHandler([](const HttpServer::Request &) {
        return HttpServer::Response::json(
            R"({"error":{"message":"Incorrect API key provided: sk-x.","code":"invalid_api_key"}})", 401);
    });
    QSignalSpy status(queue, &TranslationQueue::statusMessage);
    queue->translateColumn(0); // three jobs waiting behind the failing one
    QVERIFY(waitIdle());
    QTest::qWait(100);
    QCOMPARE(server.requests().size(), 3);
    QVERIFY(queue->waitingJobs().isEmpty());
    QCOMPARE(status.last().first().toString(),
             QStringLiteral("Translation stopped after 3 failed attempts in a row: "
                            "Incorrect API key provided: sk-x."));
}

void tst_TranslationJobs::stalledReplyIsAbortedAndRetried()
{
    queue->setWatchdogInterval(300);
    int calls = 0;
    server.setHandler([&calls](const HttpServer::Request &request) {
        if (++calls > 1)
            return translate(request);
        HttpServer::Response stalled = HttpServer::Response::json(QByteArray());
        stalled.stall = true;
        stalled.pieces << HttpServer::Piece{ 0, "{\"choi" } << HttpServer::Piece{ 0, "ces\":[]}" };
        return stalled;
    });
    queue->translateCell(model->index(9, 0));
    QVERIFY(waitIdle());
    QCOMPARE(server.requests().size(), 2);
    QCOMPARE(model->cellText(model->index(9, 0)), QStringLiteral("T:Text 9"));
}

void tst_TranslationJobs::stopEmptiesQueueAndIgnoresAnswer()
{
    server.setHandler([](const HttpServer::Request &request) {
        HttpServer::Response slow = translate(request);
        slow.delay = 300;
        return slow;
    });
    QSignalSpy translating(queue, &TranslationQueue::translatingChanged);
    queue->translateColumn(0);
    QVERIFY(server.waitForRequests(1));
    queue->stop();
    QVERIFY(!queue->isTranslating());
    QVERIFY(queue->waitingJobs().isEmpty());
    QCOMPARE(queue->jobsLeft(), 0);
    QTest::qWait(600);
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(model->cellText(model->index(0, 0)), QString());
    QCOMPARE(translating.last().first().toBool(), false);

    // The queue works again afterwards.
    server.setHandler(&translate);
    queue->translateCell(model->index(0, 0));
    QVERIFY(waitIdle());
    QCOMPARE(model->cellText(model->index(0, 0)), QStringLiteral("T:Text 0"));
}

void tst_TranslationJobs::replacingTheSetDropsEverything()
{
    server.setHandler([](const HttpServer::Request &request) {
        HttpServer::Response slow = translate(request);
        slow.delay = 300;
        return slow;
    });
    queue->translateColumn(0);
    QVERIFY(server.waitForRequests(1));
    MemoryModel *replacement = makeModel(3);
    queue->setModel(replacement);
    delete model; // the set is gone while its answer is still on the way
    model = replacement;
    QVERIFY(queue->waitingJobs().isEmpty());
    QTest::qWait(600);
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(texts({ "0,0", "1,0", "2,0" }), (QStringList{ "", "", "" }));
}

QTEST_GUILESS_MAIN(tst_TranslationJobs)
#include "tst_translationjobs.moc"
