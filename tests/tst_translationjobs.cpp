#include "llm/translationanswer.h"
#include "llm/translationqueue.h"
#include "support/httpserver.h"
#include "support/llmsettings.h"
#include "support/memorymodel.h"

#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTest>

using Response = HttpServer::Response;
Q_DECLARE_METATYPE(Response)

class tst_TranslationJobs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void escapes_data();
    void escapes();
    void answer_data();
    void answer();

    void commandDuringRequestQueuesBehind();
    void presetTemplateReplacesUserPrompt();
    void failedAnswer_data();
    void failedAnswer();
    void rateLimitPausesTheNextRequest();
    void droppedWhileRequestIsOut_data();
    void droppedWhileRequestIsOut();

private:
    MemoryModel *makeModel(int rows);
    // A job over "row,column" cells, shaped as a row or column job by the cells it holds.
    TranslationJob job(const QStringList &cells) const;
    QStringList texts(const QStringList &cells) const;
    bool waitIdle(int timeout = 10000);
    // The first `count` requests get `response`; the rest are translated.
    void failFirst(const Response &response, int count = 1, int delay = 0);

    QNetworkAccessManager manager;
    HttpServer server;
    std::unique_ptr<MemoryModel> model;
    std::unique_ptr<TranslationQueue> queue;
};

void tst_TranslationJobs::initTestCase()
{
    QVERIFY(TestSupport::usePrivateSettings());
    QVERIFY(server.start());
    TestSupport::useLLM(
        LLMConfiguration { 0, QStringLiteral("local"),
            server.url(QStringLiteral("/v1/chat/completions")), QStringLiteral("key"),
            QStringLiteral("gpt-4o"), QStringLiteral("OpenAI") },
        PromptRecord { 0, QStringLiteral("test"), QString(), QString(),
            QStringLiteral("{{source language}}|{{target language list}}\n{{text list}}") });
}

void tst_TranslationJobs::init()
{
    queue.reset();
    model.reset(makeModel(25));
    queue = std::make_unique<TranslationQueue>(&manager);
    queue->setModel(model.get());
    server.clearRequests();
    server.setHandler(&Response::echoTranslation);
}

MemoryModel *tst_TranslationJobs::makeModel(int rows)
{
    auto *memory =
        new MemoryModel({ QStringLiteral("de"), QStringLiteral("fr"), QStringLiteral("zh_TW") });
    for (int row = 0; row < rows; ++row)
        memory->add(QString(), QStringLiteral("de"), QStringLiteral("Text %1").arg(row), QString());
    memory->finish();
    return memory;
}

TranslationJob tst_TranslationJobs::job(const QStringList &cells) const
{
    TranslationJob result;
    QSet<int> rows, columns;
    for (const QString &cell : cells) {
        result.cells << model->index(cell.section(QLatin1Char(','), 0, 0).toInt(),
            cell.section(QLatin1Char(','), 1, 1).toInt());
        rows << result.cells.last().row();
        columns << result.cells.last().column();
    }
    result.rowCount = int(rows.size());
    result.columnCount = int(columns.size());
    return result;
}

QStringList tst_TranslationJobs::texts(const QStringList &cells) const
{
    QStringList result;
    for (const QModelIndex &index : job(cells).cells)
        result << model->cellText(index);
    return result;
}

bool tst_TranslationJobs::waitIdle(int timeout)
{
    return QTest::qWaitFor(
        [this] {
            return !queue->isTranslating() && queue->waitingJobs().isEmpty() && !queue->isPaused();
        },
        timeout);
}

void tst_TranslationJobs::failFirst(const Response &response, int count, int delay)
{
    server.setHandler(
        [response, count, delay, calls = 0](const HttpServer::Request &request) mutable {
            Response result = ++calls <= count ? response : Response::echoTranslation(request);
            result.delay = delay;
            return result;
        });
}

void tst_TranslationJobs::escapes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");

    // clang-format off
    QTest::newRow("line feed") << "one\ntwo"
                               << "one\\ntwo";
    QTest::newRow("CRLF") << "one\r\ntwo"
                          << "one\\r\\ntwo";
    QTest::newRow("quotes doubled") << "say \"hi\""
                                    << "say \"\"hi\"\"";
    // clang-format on
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
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("translated");
    QTest::addColumn<QStringList>("unmatched");
    QTest::addColumn<QStringList>("expected"); // texts of the cells afterwards

    const QStringList column = { "0,0", "1,0", "2,0" };
    const QStringList row = { "0,0", "0,1", "0,2" };
    const QStringList one = { "0,0" };
    const QStringList none = { "", "", "" };
    const QStringList numbers = { "Eins", "Zwei", "Drei" };
    const QStringList hello = { "Hallo", "Salut", "哈囉" };
    const QString three = R"([{"id":1,"de":"Eins"},{"id":2,"de":"Zwei"},{"id":3,"de":"Drei"}])";

    // clang-format off
    QTest::newRow("code fence with closer")            << column << "```json\n" + three + "\n```"
        << "" << 3 << QStringList() << numbers;
    QTest::newRow("code fence without closer")         << column << "```json\n" + three + "  "
        << "" << 3 << QStringList() << numbers;
    QTest::newRow("single object for a one-cell job")  << QStringList{ "4,1" } << R"({"id":1,"fr":"Un"})"
        << "" << 1 << QStringList() << QStringList{ "Un" };
    QTest::newRow("single object for a three-cell job") << column << R"({"id":1,"de":"Eins"})"
        << "Invalid JSON document" << 0 << column << none;
    QTest::newRow("three cells answered with two elements") << column << R"([{"id":1,"de":"Eins"},{"id":2,"de":"Zwei"}])"
        << "Invalid JSON document, row count mismatch" << 0 << column << none;
    QTest::newRow("prose instead of JSON")             << column << "Sorry, I cannot help with that."
        << "Invalid JSON document" << 0 << column << none;
    QTest::newRow("id missing")                        << one << R"([{"de":"Eins"}])"
        << "" << 0 << one << QStringList{ "" };
    QTest::newRow("id 0 is logged and skipped")        << one << R"([{"id":0,"de":"Eins"}])"
        << "" << 0 << one << QStringList{ "" };
    QTest::newRow("id as a quoted number")             << one << R"([{"id":"1","de":"Eins"}])"
        << "" << 1 << QStringList() << QStringList{ "Eins" };
    QTest::newRow("id beyond the texts")               << column << R"([{"id":1,"de":"Eins"},{"id":2,"de":"Zwei"},{"id":4,"de":"Vier"}])"
        << "" << 2 << QStringList{ "2,0" } << QStringList{ "Eins", "Zwei", "" };
    QTest::newRow("escapes come back as breaks and quotes") << one << R"([{"id":1,"de":"Zeile 1\\nZeile 2 \"\"so\"\""}])"
        << "" << 1 << QStringList() << QStringList{ "Zeile 1\nZeile 2 \"so\"" };
    QTest::newRow("column job: the member naming the language wins") << one << R"([{"id":1,"original_text":"Text 0","de":"Eins","source":"Text 0"}])"
        << "" << 1 << QStringList() << QStringList{ "Eins" };
    QTest::newRow("row job keyed by language codes")   << row << R"([{"id":1,"de":"Hallo","fr":"Salut","zh_TW":"哈囉"}])"
        << "" << 3 << QStringList() << hello;
    QTest::newRow("row job keyed by codes written another way") << row << R"({"id":1,"DE":"Hallo","fr":"Salut","zh-TW":"哈囉"})"
        << "" << 3 << QStringList() << hello;
    QTest::newRow("row job: an unknown key writes and counts nothing") << row << R"([{"id":1,"Klingon":"nuqneH","de":"Hallo"}])"
        << "" << 1 << QStringList{ "0,1", "0,2" } << QStringList{ "Hallo", "", "" };
    // clang-format on
}

void tst_TranslationJobs::answer()
{
    QFETCH(QStringList, cells);
    QFETCH(QString, answer);
    QFETCH(QString, error);
    QFETCH(int, translated);
    QFETCH(QStringList, unmatched);
    QFETCH(QStringList, expected);

    if (answer.contains(QLatin1String("\"id\":0")))
        QTest::ignoreMessage(QtWarningMsg, "Invalid id 0 found");
    const TranslationAnswer::Result result =
        TranslationAnswer::apply(model.get(), job(cells), answer);
    QCOMPARE(result.valid, error.isEmpty());
    QCOMPARE(result.error, error);
    QCOMPARE(result.translated, translated);
    QCOMPARE(result.unmatched, job(unmatched).cells);
    QCOMPARE(texts(cells), expected);
}

void tst_TranslationJobs::commandDuringRequestQueuesBehind()
{
    QSignalSpy progress(queue.get(), &TranslationQueue::progressChanged);
    QSignalSpy status(queue.get(), &TranslationQueue::statusMessage);
    queue->translateEmptyCellsInColumn(1); // 25 empty cells: jobs of 10, 10 and 5
    QVERIFY(queue->isTranslating());
    queue->translateRow(3);
    QCOMPARE(progress.last(), (QList<QVariant> { 4, 28 }));
    QVERIFY(waitIdle());
    const QList<HttpServer::Request> requests = server.requests();
    QCOMPARE(requests.size(), 4);
    for (int i = 0; i < 3; ++i) {
        const QStringList lines = requests.at(i).promptLines();
        QCOMPARE(lines.first(), QStringLiteral("English|French"));
        QCOMPARE(lines.size() - 1, i < 2 ? 10 : 5);
        QCOMPARE(lines.value(1), QStringLiteral("1. Text %1").arg(i * 10));
    }
    QCOMPARE(requests.at(3).promptLines().first(),
        QStringLiteral("English|German, French and Chinese (Taiwan)"));
    for (int row = 0; row < 25; ++row)
        QCOMPARE(model->cellText(model->index(row, 1)), QStringLiteral("T:Text %1").arg(row));
    QCOMPARE(texts({ "3,0", "3,2" }), (QStringList { "T:Text 3", "T:Text 3" }));
    QCOMPARE(status.last().first().toString(),
        QStringLiteral("Totally 3 cell(s) has/have been translated."));
    QCOMPARE(progress.last().at(0).toInt(), 0);
}

void tst_TranslationJobs::presetTemplateReplacesUserPrompt()
{
    queue->translateCellWithTemplate(
        model->index(4, 1), QStringLiteral("Preset|{{target language list}}\n{{text list}}"));
    QVERIFY(waitIdle());
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(
        server.requests().first().promptLines(), (QStringList { "Preset|French", "1. Text 4" }));
    QCOMPARE(model->cellText(model->index(4, 1)), QStringLiteral("T:Text 4"));
}

void tst_TranslationJobs::failedAnswer_data()
{
    QTest::addColumn<Response>("failure");
    QTest::addColumn<int>("failures"); // how many requests get it
    QTest::addColumn<QString>("command"); // "column" 0, "row" of the first cell, or "cells"
    QTest::addColumn<QStringList>("cells"); // translated by "cells", checked afterwards
    QTest::addColumn<int>("requests");
    QTest::addColumn<QStringList>("retried"); // prompt of the second request
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("status"); // some status message starts with it

    QStringList firstJob { "English|German" };
    for (int row = 0; row < 10; ++row)
        firstJob << QStringLiteral("%1. Text %2").arg(row + 1).arg(row);
    Response stalled = Response::json(QByteArray());
    stalled.stall = true;
    stalled.pieces << HttpServer::Piece { 0, "{\"choi" } << HttpServer::Piece { 0, "ces\":[]}" };
    const QStringList column = { "0,1", "1,1", "2,1" };

    // clang-format off
    QTest::newRow("invalid JSON: the job is retried before the next one")
        << Response::chatAnswer("not JSON") << 1 << "column" << QStringList{ "0,0" } << 4
        << firstJob << QStringList{ "T:Text 0" } << "Invalid JSON document";
    QTest::newRow("empty translation: only that cell is retried")
        << Response::chatAnswer(R"([{"id":1,"fr":"Un"},{"id":2,"fr":""},{"id":3,"fr":"Trois"}])")
        << 1 << "cells" << column << 2 << QStringList{ "English|French", "1. Text 1" }
        << QStringList{ "Un", "T:Text 1", "Trois" } << "Totally 2 cell(s) has/have been translated.";
    QTest::newRow("row keyed by display names, one language missing: it alone is retried")
        << Response::chatAnswer(R"#([{"id":1,"German":"Hallo","Chinese (Taiwan)":"哈囉"}])#") << 1
        << "row" << QStringList{ "5,0", "5,1", "5,2" } << 2
        << QStringList{ "English|French", "1. Text 5" } << QStringList{ "Hallo", "T:Text 5", "哈囉" }
        << "Totally 2 cell(s) has/have been translated.";
    QTest::newRow("filtered answer is not retried")
        << Response::json(R"({"error":{"message":"The response was filtered due to the prompt triggering Azure OpenAI's content management policy.","code":"content_filter","status":400}})", 400)
        << 1 << "cells" << column << 1 << QStringList() << QStringList{ "", "", "" }
        << "The response was filtered";
    QTest::newRow("three failures in a row stop the queue")
        << Response::json(R"({"error":{"message":"Incorrect API key provided: sk-x.","code":"invalid_api_key"}})", 401)
        << 100 << "column" << QStringList{ "0,0" } << 3 << firstJob << QStringList{ "" }
        << "Translation stopped after 3 failed attempts in a row: Incorrect API key provided: sk-x.";
    QTest::newRow("stalled reply is aborted and retried")
        << stalled << 1 << "cells" << QStringList{ "9,0" } << 2
        << QStringList{ "English|German", "1. Text 9" } << QStringList{ "T:Text 9" }
        << "Totally 1 cell(s) has/have been translated.";
    // clang-format on
}

void tst_TranslationJobs::failedAnswer()
{
    QFETCH(Response, failure);
    QFETCH(int, failures);
    QFETCH(QString, command);
    QFETCH(QStringList, cells);
    QFETCH(int, requests);
    QFETCH(QStringList, retried);
    QFETCH(QStringList, expected);
    QFETCH(QString, status);

    queue->setWatchdogInterval(300);
    failFirst(failure, failures);
    QSignalSpy messages(queue.get(), &TranslationQueue::statusMessage);
    if (command == QLatin1String("column"))
        queue->translateColumn(0); // 10, 10, 5
    else if (command == QLatin1String("row"))
        queue->translateRow(job(cells).cells.first().row());
    else
        queue->translateColumnCells(job(cells).cells);
    QVERIFY(waitIdle());
    QTest::qWait(100); // room for a retry that must not come
    QCOMPARE(server.requests().size(), requests);
    if (requests > 1)
        QCOMPARE(server.requests().at(1).promptLines(), retried);
    QCOMPARE(texts(cells), expected);
    QVERIFY(std::any_of(messages.cbegin(), messages.cend(), [&](const QList<QVariant> &message) {
        return message.first().toString().startsWith(status);
    }));
}

void tst_TranslationJobs::rateLimitPausesTheNextRequest()
{
    queue->setRateLimitPause(400);
    failFirst(Response::json(
        R"({"error":{"message":"Rate limit reached for gpt-4o in organization org-x on requests per min (RPM).","type":"requests","code":"rate_limit_exceeded"}})",
        429));
    queue->translateColumnCells(job({ "0,2", "1,2" }).cells);
    QTRY_VERIFY(queue->isPaused());
    QVERIFY(!queue->isTranslating());
    // A command during the pause waits too.
    queue->translateCell(model->index(7, 2));
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(queue->waitingJobs().size(), 2);
    QVERIFY(waitIdle());
    QCOMPARE(server.requests().size(), 3);
    QCOMPARE(
        server.requests().at(1).promptLines().mid(1), (QStringList { "1. Text 0", "2. Text 1" }));
    QCOMPARE(texts({ "0,2", "1,2", "7,2" }), (QStringList { "T:Text 0", "T:Text 1", "T:Text 7" }));
}

void tst_TranslationJobs::droppedWhileRequestIsOut_data()
{
    QTest::addColumn<bool>("replaceSet");
    // clang-format off
    QTest::newRow("Stop empties the queue and ignores the answer") << false;
    QTest::newRow("replacing the set drops everything") << true;
    // clang-format on
}

void tst_TranslationJobs::droppedWhileRequestIsOut()
{
    QFETCH(bool, replaceSet);

    failFirst(Response(), 0, 300);
    queue->translateColumn(0);
    QVERIFY(server.waitForRequests(1));
    if (replaceSet) {
        MemoryModel *replacement = makeModel(3);
        queue->setModel(replacement);
        model.reset(replacement); // the set is gone while its answer is still on the way
    } else {
        queue->stop();
    }
    QVERIFY(!queue->isTranslating());
    QVERIFY(queue->waitingJobs().isEmpty());
    QCOMPARE(queue->jobsLeft(), 0);
    QTest::qWait(600);
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(texts({ "0,0", "1,0", "2,0" }), (QStringList { "", "", "" }));

    // The queue works again afterwards.
    server.setHandler(&Response::echoTranslation);
    queue->translateCell(model->index(0, 0));
    QVERIFY(waitIdle());
    QCOMPARE(model->cellText(model->index(0, 0)), QStringLiteral("T:Text 0"));
}

QTEST_GUILESS_MAIN(tst_TranslationJobs)
#include "tst_translationjobs.moc"
