#include "llm/placeholdercheck.h"
#include "llm/translationanswer.h"
#include "llm/translationqueue.h"
#include "settings/settings.h"
#include "support/httpserver.h"
#include "support/memorymodel.h"
#include "support/testsupport.h"

#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Response = HttpServer::Response;
Q_DECLARE_METATYPE(Response)

class tst_TranslationJobs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void escapes();
    void placeholders_data();
    void placeholders();
    void answer_data();
    void answer();

    void exactTextsPerService_data();
    void exactTextsPerService();
    void notesGoWithTheirTexts_data();
    void notesGoWithTheirTexts();
    void commandDuringRequestQueuesBehind();
    void failedAnswer_data();
    void failedAnswer();
    void parallelRequestsAndRateLimit();

private:
    void setModel(TranslationModel *replacement);
    // A job over "row,column" cells, shaped as a row or column job by the cells it holds.
    TranslationJob job(const QStringList &cells) const;
    QStringList texts(const QStringList &cells) const;
    bool waitIdle();
    // The first `count` requests of the first job get `response`; the rest are translated.
    void failFirst(const Response &response, int count);
    void useService(const QString &service, const QString &path, int requestsAtATime = 1);

    qint64 now = 0; // the queue's clock
    QNetworkAccessManager manager;
    HttpServer server;
    LLMSetup setup;
    std::unique_ptr<TranslationModel> model;
    std::unique_ptr<TranslationQueue> queue;
};

void tst_TranslationJobs::initTestCase()
{
    QVERIFY(server.start());
}

void tst_TranslationJobs::useService(const QString &service, const QString &path, int requests)
{
    setup.configuration = { 0, QStringLiteral("local"), server.url(path), QStringLiteral("key"),
        QStringLiteral("gpt-4o"), service };
    setup.prompt.userPrompt =
        QStringLiteral("{{source language}}|{{target language list}}\n{{text list}}");
    setup.requestsAtATime = requests;
    queue->setSetup(setup);
}

void tst_TranslationJobs::init()
{
    queue.reset();
    auto *memory =
        new MemoryModel({ QStringLiteral("de"), QStringLiteral("fr"), QStringLiteral("zh_TW") });
    for (int row = 0; row < 25; ++row)
        memory->add(QString(), QStringLiteral("de"), QStringLiteral("Text %1").arg(row), QString());
    memory->finish();
    model.reset(memory);
    queue = std::make_unique<TranslationQueue>(&manager);
    queue->setModel(model.get());
    useService(QStringLiteral("OpenAI"), QStringLiteral("/v1/chat/completions"));
    now = 0;
    queue->setClock([this] { return now; });
    server.clearRequests();
    server.setHandler(&Response::echoTranslation);
}

void tst_TranslationJobs::setModel(TranslationModel *replacement)
{
    queue->setModel(replacement);
    model.reset(replacement);
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

bool tst_TranslationJobs::waitIdle()
{
    return QTest::qWaitFor(
        [this] {
            return !queue->isTranslating() && queue->waitingJobs().isEmpty() && !queue->isPaused();
        },
        10000);
}

void tst_TranslationJobs::failFirst(const Response &response, int count)
{
    server.setHandler([response, count, calls = 0, first = QStringList()](
                          const HttpServer::Request &request) mutable {
        if (first.isEmpty())
            first = request.promptLines();
        return request.promptLines() == first && ++calls <= count
            ? response
            : Response::echoTranslation(request);
    });
}

void tst_TranslationJobs::placeholders_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");
    QTest::addColumn<bool>("accelerators");
    QTest::addColumn<QString>("problems"); // joined by "|"

    const QString icu = "{count, plural, one {# file} other {# files}}";
    const QString start = "The line breaks at the start differ from the source";
    // clang-format off
    QTest::newRow("Qt numbers kept in another order") << "%1 of %2" << "%2 von %1" << true << "";
    QTest::newRow("Qt number lost") << "Open %1" << "Öffnen" << true << "Missing: %1";
    QTest::newRow("%n and %L1 kept") << "%n files, %L1 MB" << "%L1 MB, %n Dateien" << true << "";
    QTest::newRow("printf counts") << "%s and %s" << "%s und" << false << "Missing: %s";
    QTest::newRow("printf position invented") << "%1$s" << "%1$s %2$d" << false << "Not in the source: %2$d";
    QTest::newRow("Python name lost") << "%(name)s is here" << "ist da" << false << "Missing: %(name)s";
    QTest::newRow("braces kept") << "{name} has {0}" << "{0} hat {name}" << false << "";
    QTest::newRow("double braces lost") << "{{count}} items" << "Elemente" << false << "Missing: {{count}}";
    QTest::newRow("ICU branches may differ") << icu << "{count, plural, other {# 个文件}}" << false << "";
    QTest::newRow("ICU argument lost") << icu << "# 个文件" << false << "Missing: {count, plural, ...}";
    QTest::newRow("tags lost") << "<b>Bold</b> text" << "Fett" << false << "Missing: </b>, <b>";
    QTest::newRow("accelerator lost") << "&File" << "Datei" << true << "The keyboard accelerator (&) is missing";
    QTest::newRow("no accelerators outside TS") << "&File" << "Datei" << false << "";
    QTest::newRow("&& and entities are no accelerators") << "Tom && Jerry &amp; Co" << "Tom && Jerry" << true << "";
    QTest::newRow("accelerator invented") << "File" << "&Datei" << true << "A keyboard accelerator (&) that is not in the source";
    QTest::newRow("leading break lost, percent in prose") << "\n100% sure" << "100 % sicher" << false << start;
    QTest::newRow("trailing breaks differ, %% is literal") << "50%% off %d\n" << "%d 50%%" << false << "The line breaks at the end differ from the source";
    // clang-format on
}

void tst_TranslationJobs::placeholders()
{
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QFETCH(bool, accelerators);
    QFETCH(QString, problems);
    QCOMPARE(PlaceholderCheck::problems(source, translation, accelerators).join(QLatin1Char('|')),
        problems);
}

void tst_TranslationJobs::escapes()
{
    // Every character a prompt line cannot hold as it is; a backslash before an n stays two
    // characters and does not come back as a line break.
    const QString text = QStringLiteral("\"C:\\new\"\t\\\r\n\\");
    const QString escaped = QStringLiteral("\"\"C:\\\\new\"\"\\t\\\\\\r\\n\\\\");
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
    QTest::newRow("id 0 is logged and skipped")        << one << R"([{"id":0,"de":"Eins"}])"
        << "" << 0 << one << QStringList{ "" };
    QTest::newRow("id as a quoted number")             << one << R"([{"id":"1","de":"Eins"}])"
        << "" << 1 << QStringList() << QStringList{ "Eins" };
    QTest::newRow("id beyond the texts")               << column << R"([{"id":1,"de":"Eins"},{"id":2,"de":"Zwei"},{"id":4,"de":"Vier"}])"
        << "" << 2 << QStringList{ "2,0" } << QStringList{ "Eins", "Zwei", "" };
    QTest::newRow("column job: the member naming the language wins") << one << R"([{"id":1,"original_text":"Text 0","de":"Eins","source":"Text 0"}])"
        << "" << 1 << QStringList() << QStringList{ "Eins" };
    QTest::newRow("row job keyed by codes, some written another way") << row << R"({"id":1,"DE":"Hallo","fr":"Salut","zh-TW":"哈囉"})"
        << "" << 3 << QStringList() << QStringList{ "Hallo", "Salut", "哈囉" };
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
        TranslationAnswer::apply(model.get(), job(cells), answer, true);
    QCOMPARE(result.valid, error.isEmpty());
    QCOMPARE(result.error, error);
    QCOMPARE(result.translated, translated);
    QCOMPARE(result.unmatched, job(unmatched).cells);
    QCOMPARE(texts(cells), expected);
    // Machine output waits for a review, in formats without a stored state too.
    for (const QModelIndex &cell : job(cells).cells)
        QVERIFY(model->cellText(cell).isEmpty() || !model->isFinished(cell));
}

void tst_TranslationJobs::exactTextsPerService_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("path");

    // The first answer stops at the output limit: the job is split and each half answered.
    // clang-format off
    QTest::newRow("OpenAI")    << "OpenAI"    << "/v1/chat/completions";
    QTest::newRow("Anthropic") << "Anthropic" << "/v1/messages";
    QTest::newRow("Gemini")    << "Gemini"    << "/v1beta/models/${model}:generateContent";
    // clang-format on
}

void tst_TranslationJobs::exactTextsPerService()
{
    QFETCH(QString, service);
    QFETCH(QString, path);

    useService(service, path);
    const QStringList sources = { "Use \\n for a new line", "C:\\temp\\new \"dir\"\tnext",
        "two\r\nlines \\\\ \"\"quoted\"\"\\" };
    auto *memory = new MemoryModel({ QStringLiteral("de") });
    for (const QString &source : sources)
        memory->add(QString(), QStringLiteral("de"), source, QString());
    memory->finish();
    setModel(memory);
    server.setHandler([calls = 0](const HttpServer::Request &request) mutable {
        return ++calls == 1 ? Response::answer(request, R"([{"id":1,"German":"T:U)", true)
                            : Response::echoTranslation(request);
    });
    queue->translateColumn(0);
    QVERIFY(waitIdle());
    for (int row = 0; row < sources.size(); ++row)
        QCOMPARE(model->cellText(model->index(row, 0)), "T:" + sources.at(row));
    QCOMPARE(server.requests().size(), 3);
    QCOMPARE(queue->progress().tokens, 30);
}

void tst_TranslationJobs::notesGoWithTheirTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("TS: disambiguation, extra and translator comments")
        << int(ModelKind::Qt) << "app_de.ts"
        << QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<TS version=\"2.1\" "
                      "language=\"de\"><context><name>Files</name>"
                      "<message><source>Open</source><comment>verb</comment>"
                      "<extracomment>Opens a file</extracomment>"
                      "<translation type=\"unfinished\"></translation></message>"
                      "<message><source>Open</source><comment>state</comment>"
                      "<translatorcomment>not \"offen\"</translatorcomment>"
                      "<translation type=\"unfinished\"></translation></message>"
                      "<message><source>Quit</source>"
                      "<translation type=\"unfinished\"></translation></message>"
                      "</context></TS>\n");
    QTest::newRow("PO: msgctxt, extracted and translator comments")
        << int(ModelKind::Gnu) << "de.po"
        << QByteArray("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                      "#. Opens a file\nmsgctxt \"verb\"\nmsgid \"Open\"\nmsgstr \"\"\n\n"
                      "# not \"offen\"\nmsgctxt \"state\"\nmsgid \"Open\"\nmsgstr \"\"\n\n"
                      "msgid \"Quit\"\nmsgstr \"\"\n");
}

void tst_TranslationJobs::notesGoWithTheirTexts()
{
    QFETCH(int, kind);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);

    QTemporaryDir folder;
    QVERIFY(TestSupport::writeFile(folder.filePath(file), content));
    setModel(TranslationModel::create(ModelKind(kind), nullptr));
    QVERIFY(model->openFiles({ folder.filePath(file) }));
    // The installed prompt, which says where the notes are.
    setup.prompt = Settings(
        folder.filePath(QStringLiteral("settings.ini")), Settings::defaultPromptsDirectory())
                       .role(QStringLiteral("default"));
    queue->setSetup(setup);
    server.setHandler([](const HttpServer::Request &request) {
        return Response::answer(request,
            R"([{"id":1,"German":"Öffnen"},{"id":2,"German":"Offen"},{"id":3,"German":"Beenden"}])");
    });
    queue->translateColumn(model->indexForLanguage(0, QStringLiteral("de")).column());
    QVERIFY(waitIdle());

    const QStringList lines = server.requests().constFirst().promptLines();
    const QStringList expected = { "Text 1: context: verb; developer comment: Opens a file",
        "Text 2: context: state; translator comment: not \"\"offen\"\"", "", "Texts:", "1. Open",
        "2. Open", "3. Quit" };
    QCOMPARE(lines.mid(lines.size() - expected.size()), expected);
}

void tst_TranslationJobs::commandDuringRequestQueuesBehind()
{
    QSignalSpy status(queue.get(), &TranslationQueue::statusMessage);
    queue->translateEmptyCellsInColumn(1); // 25 empty cells: jobs of 10, 10 and 5
    QVERIFY(queue->isTranslating());
    queue->translateRow(3);
    // A preset's template in place of the setup's.
    queue->translateCellWithTemplate(
        model->index(4, 2), QStringLiteral("Preset|{{target language list}}\n{{text list}}"));
    QCOMPARE(queue->jobsLeft(), 5);
    QCOMPARE(queue->cellsLeft(), 29);
    QVERIFY(waitIdle());
    const QList<HttpServer::Request> requests = server.requests();
    QCOMPARE(requests.size(), 5);
    for (int i = 0; i < 3; ++i) {
        const QStringList lines = requests.at(i).promptLines();
        QCOMPARE(lines.first(), QStringLiteral("English|French"));
        QCOMPARE(lines.size() - 1, i < 2 ? 10 : 5);
        QCOMPARE(lines.value(1), QStringLiteral("1. Text %1").arg(i * 10));
    }
    QCOMPARE(requests.at(3).promptLines().first(),
        QStringLiteral("English|German, French and Chinese (Taiwan)"));
    QCOMPARE(
        requests.at(4).promptLines(), (QStringList { "Preset|Chinese (Taiwan)", "1. Text 4" }));
    for (int row = 0; row < 25; ++row)
        QCOMPARE(model->cellText(model->index(row, 1)), QStringLiteral("T:Text %1").arg(row));
    QCOMPARE(texts({ "3,0", "3,2", "4,2" }), (QStringList { "T:Text 3", "T:Text 3", "T:Text 4" }));
    QCOMPARE(status.last().first().toString(),
        QStringLiteral("29 cell(s) translated, 0 failed, 50 tokens"));
}

void tst_TranslationJobs::failedAnswer_data()
{
    QTest::addColumn<Response>("failure");
    QTest::addColumn<int>("failures"); // how many requests of the first job get it
    QTest::addColumn<QString>("command"); // "column" 0, "row" of the first cell, or "cells"
    QTest::addColumn<QStringList>("cells"); // translated by "cells", checked afterwards
    QTest::addColumn<int>("requests");
    QTest::addColumn<QStringList>("last"); // prompt of the last request, unless empty
    QTest::addColumn<QList<int>>("pauses"); // the waits the run went through, in ms
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("problem"); // the first cell's tool tip starts with it
    QTest::addColumn<QString>("status"); // some status message starts with it
    QTest::addColumn<QString>("without"); // a field the last request must not carry

    QStringList firstJob { "English|German" };
    for (int row = 0; row < 10; ++row)
        firstJob << QStringLiteral("%1. Text %2").arg(row + 1).arg(row);
    Response stalled = Response::json(QByteArray());
    stalled.stall = true;
    stalled.pieces << HttpServer::Piece { 0, "{\"choi" } << HttpServer::Piece { 0, "ces\":[]}" };
    Response busy = Response::json(R"({"error":{"message":"Overloaded"}})", 503);
    busy.headers << qMakePair(QByteArray("Retry-After"), QByteArray("7"));
    const Response serverError =
        Response::json(R"({"error":{"message":"The server had an error"}})", 500);
    Response serverErrorWithWait = serverError;
    serverErrorWithWait.headers << qMakePair(QByteArray("Retry-After"), QByteArray("3"));
    const Response invented = Response::answer({}, R"([{"id":1,"de":"%1 Neun"}])");
    const QStringList column = { "0,1", "1,1", "2,1" };
    const QStringList nine = { "9,0" };
    const QStringList ninePrompt = { "English|German", "1. Text 9" };
    const QStringList secondHalf = { "English|French", "1. Text 1", "2. Text 2" };
    const QStringList translated = { "T:Text 0", "T:Text 1", "T:Text 2" };
    const auto add = [](const char *name, const Response &failure, int failures,
                         const QString &command, const QStringList &cells, int requests,
                         const QStringList &last, const QList<int> &pauses,
                         const QStringList &expected, const QString &problem, const QString &status,
                         const QString &without = QString()) {
        QTest::newRow(name) << failure << failures << command << cells << requests << last << pauses
                            << expected << problem << status << without;
    };

    // clang-format off
    add("invalid JSON: retried after a pause while the other jobs go", Response::answer({}, "not JSON"), 1,
        "column", { "0,0" }, 4, firstJob, { 2000 }, { "T:Text 0" }, "", "Invalid JSON document");
    add("empty translation: only that cell is retried",
        Response::answer({}, R"([{"id":1,"fr":"Un"},{"id":2,"fr":""},{"id":3,"fr":"Trois"}])"), 1,
        "cells", column, 2, { "English|French", "1. Text 1" }, {}, { "Un", "T:Text 1", "Trois" }, "",
        "Totally 2 cell(s) has/have been translated.");
    add("filtered answer: marked, not retried",
        Response::json(R"({"error":{"message":"The response was filtered due to the prompt triggering Azure OpenAI's content management policy.","code":"content_filter","status":400}})", 400),
        1, "cells", column, 1, {}, {}, { "", "", "" }, "Not translated: The response was filtered",
        "The response was filtered");
    add("401 stops the run at once",
        Response::json(R"({"error":{"message":"Incorrect API key provided: sk-x.","code":"invalid_api_key"}})", 401),
        100, "column", { "0,0" }, 1, {}, {}, { "" }, "", "Translation stopped: Incorrect API key provided: sk-x.");
    add("an empty account stops the run at once",
        Response::json(R"({"error":{"message":"You exceeded your current quota.","code":"insufficient_quota"}})", 429),
        100, "cells", nine, 1, {}, {}, { "" }, "", "Translation stopped: You exceeded your current quota.");
    add("500 with Retry-After: that pause", serverErrorWithWait, 1,
        "cells", nine, 2, ninePrompt, { 3000 }, { "T:Text 9" }, "", "");
    add("503 with Retry-After: throttled that long", busy, 1,
        "cells", nine, 2, ninePrompt, { 7000 }, { "T:Text 9" }, "", "Overloaded");
    add("a job failing three times is marked while the next jobs go", serverError, 3,
        "column", { "0,0", "10,0" }, 5, firstJob, { 2000, 4000 }, { "", "T:Text 10" },
        "Not translated: The server had an error", "15 cell(s) translated, 10 failed");
    add("malformed three times: split in two", Response::answer({}, "[{"), 3,
        "cells", column, 5, secondHalf, { 2000, 4000 }, translated, "", "");
    add("stalled reply: aborted and retried", stalled, 1,
        "cells", nine, 2, ninePrompt, { 2000 }, { "T:Text 9" }, "", "");
    add("invented placeholder: asked for once more", invented, 1,
        "cells", nine, 2, ninePrompt, {}, { "T:Text 9" }, "", "");
    add("still invented: written, marked and explained", invented, 2,
        "cells", nine, 2, ninePrompt, {}, { "%1 Neun" }, "Not in the source: %1", "");
    add("a refused field: sent again without it",
        Response::json(R"({"error":{"message":"Unsupported parameter: 'max_tokens' is not supported with this model. Use 'max_completion_tokens' instead.","param":"max_tokens","code":"unsupported_parameter"}})", 400),
        1, "cells", nine, 2, ninePrompt, {}, { "T:Text 9" }, "", "", "max_tokens");
    // clang-format on
}

void tst_TranslationJobs::failedAnswer()
{
    QFETCH(Response, failure);
    QFETCH(int, failures);
    QFETCH(QString, command);
    QFETCH(QStringList, cells);
    QFETCH(int, requests);
    QFETCH(QStringList, last);
    QFETCH(QList<int>, pauses);
    QFETCH(QStringList, expected);
    QFETCH(QString, problem);
    QFETCH(QString, status);
    QFETCH(QString, without);

    queue->setWatchdogInterval(300);
    failFirst(failure, failures);
    QSignalSpy messages(queue.get(), &TranslationQueue::statusMessage);
    if (command == QLatin1String("column"))
        queue->translateColumn(0); // 10, 10, 5
    else if (command == QLatin1String("row"))
        queue->translateRow(job(cells).cells.first().row());
    else
        queue->translateColumnCells(job(cells).cells);
    // Whenever nothing is out, the rest waits for a pause: move the clock past it.
    QList<int> waited;
    while (QTest::qWaitFor([this] { return queue->requestsOut() == 0; }, 10000)
        && queue->isTranslating()) {
        QVERIFY(queue->isPaused());
        waited << int(queue->pauseRemaining());
        now += queue->pauseRemaining();
        queue->processTranslationQueue();
    }
    QCOMPARE(waited, pauses);
    QCOMPARE(server.requests().size(), requests);
    if (!last.isEmpty())
        QCOMPARE(server.requests().last().promptLines(), last);
    if (!without.isEmpty())
        QVERIFY(!server.requests().last().json().contains(without));
    QCOMPARE(texts(cells), expected);
    const QString tip = model->data(job(cells).cells.first(), Qt::ToolTipRole).toString();
    QVERIFY2(
        problem.isEmpty() ? tip == expected.first() : tip.startsWith(problem), qPrintable(tip));
    QVERIFY(std::any_of(messages.cbegin(), messages.cend(), [&](const QList<QVariant> &message) {
        return message.first().toString().startsWith(status);
    }));
}

void tst_TranslationJobs::parallelRequestsAndRateLimit()
{
    useService(QStringLiteral("OpenAI"), QStringLiteral("/v1/chat/completions"), 4);
    // The first request meets a rate limit, told by its status alone; the others answer after a
    // while. Each arrival notes how many requests the queue has out.
    QList<int> outAtArrival;
    server.setHandler([this, &outAtArrival](const HttpServer::Request &request) {
        outAtArrival << queue->requestsOut();
        Response answer =
            outAtArrival.size() == 1 ? Response::json("", 429) : Response::echoTranslation(request);
        answer.delay = outAtArrival.size() == 1 ? 0 : 200;
        return answer;
    });
    queue->translateColumn(0);
    queue->translateColumn(1); // 6 jobs in all
    QCOMPARE(queue->requestsOut(), 4);
    QVERIFY(QTest::qWaitFor([this] { return queue->requestsOut() == 0; }, 10000));
    // Until the pause is over at most half as many go out: the last two jobs, one by one.
    QVERIFY(queue->isPaused());
    QCOMPARE(queue->pauseRemaining(), 2000);
    QCOMPARE(outAtArrival.size(), 6);
    QVERIFY(outAtArrival.at(4) <= 2 && outAtArrival.at(5) <= 2);
    now += 2000;
    queue->processTranslationQueue();
    QVERIFY(waitIdle());
    QCOMPARE(outAtArrival.size(), 7);
    for (int row = 0; row < 25; ++row)
        QCOMPARE(texts({ QStringLiteral("%1,0").arg(row), QStringLiteral("%1,1").arg(row) }),
            QStringList(2, QStringLiteral("T:Text %1").arg(row)));
}

QTEST_GUILESS_MAIN(tst_TranslationJobs)
#include "tst_translationjobs.moc"
