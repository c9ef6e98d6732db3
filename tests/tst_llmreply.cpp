#include "llm/llmservicereplyhelper.h"
#include "support/httpserver.h"

#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QTest>

using Dialect = LLMServiceProfile::Dialect;
Q_DECLARE_METATYPE(Dialect)

class tst_LLMReply : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void wholeReply_data();
    void wholeReply();
    void streamedReply_data();
    void streamedReply();
    void keyNeverInErrorMessage();
    void networkFailureKeepsItsOwnText();

private:
    std::unique_ptr<LLMServiceReplyHelper> fetch(const HttpServer::Response &response,
                                                 Dialect dialect, bool stream);

    QNetworkAccessManager manager;
    HttpServer server;
};

void tst_LLMReply::initTestCase()
{
    QVERIFY(server.start());
}

std::unique_ptr<LLMServiceReplyHelper> tst_LLMReply::fetch(const HttpServer::Response &response,
                                                           Dialect dialect, bool stream)
{
    server.enqueue(response);
    QNetworkRequest request(QUrl(server.url(QStringLiteral("/v1/chat"))));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    std::unique_ptr<LLMServiceReplyHelper> reply(
        new LLMServiceReplyHelper(manager.post(request, QByteArray("{}"))));
    reply->setDialect(dialect);
    reply->setProperty("isStream", stream);
    QSignalSpy done(reply.get(), &NetworkReplyHelper::done);
    if (!done.wait(5000))
        return nullptr;
    return reply;
}

void tst_LLMReply::wholeReply_data()
{
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<QString>("expected"); // the answer, or the error message

    const QString choicesMissing = QStringLiteral("Unexpected response, choices field is missing");
    const Dialect openai = Dialect::OpenAIChat;
    const Dialect anthropic = Dialect::AnthropicMessages;
    const Dialect gemini = Dialect::GeminiGenerateContent;

    QTest::newRow("OpenAI answer")
        << openai << 200
        << QByteArray(R"({"choices":[{"index":0,"message":{"role":"assistant","content":"Hallo"},"finish_reason":"stop"}]})")
        << true << QStringLiteral("Hallo");
    QTest::newRow("two choices: the first counts")
        << openai << 200
        << QByteArray(R"({"choices":[{"message":{"role":"assistant","content":"one"}},{"message":{"role":"assistant","content":"two"}}]})")
        << true << QStringLiteral("one");
    QTest::newRow("DeepSeek keep-alive lines before the document")
        << openai << 200
        << QByteArray("\n\n" R"({"choices":[{"message":{"role":"assistant","content":"ok","reasoning_content":"hmm"}}]})")
        << true << QStringLiteral("ok");
    QTest::newRow("choices is an object")
        << openai << 200 << QByteArray(R"({"choices":{"message":{}}})") << false << choicesMissing;
    QTest::newRow("non-string error message falls through")
        << openai << 400 << QByteArray(R"({"error":{"message":42}})") << false << choicesMissing;
    QTest::newRow("empty body") << openai << 200 << QByteArray() << false << choicesMissing;
    QTest::newRow("message missing")
        << openai << 200 << QByteArray(R"({"choices":[{"index":0}]})") << false
        << QStringLiteral("Unexpected response, message field is missing");
    QTest::newRow("content null")
        << openai << 200
        << QByteArray(R"({"choices":[{"message":{"role":"assistant","content":null}}]})") << false
        << QStringLiteral("Unexpected response, role or content field is missing");
    QTest::newRow("Azure output filter")
        << openai << 200
        << QByteArray(R"({"choices":[{"message":{"role":"assistant","content":null},"finish_reason":"content_filter"}]})")
        << false << QStringLiteral("The response was filtered (content_filter).");
    QTest::newRow("OpenAI rate limit")
        << openai << 429
        << QByteArray(R"({"error":{"message":"Rate limit reached for gpt-4.1 in organization org-x on tokens per min (TPM). Please try again in 174ms.","type":"tokens","param":null,"code":"rate_limit_exceeded"}})")
        << false
        << QStringLiteral("Rate limit reached for gpt-4.1 in organization org-x on tokens per min (TPM). Please try again in 174ms.");
    QTest::newRow("Azure prompt filter")
        << openai << 400
        << QByteArray(R"({"error":{"message":"The response was filtered due to the prompt triggering Azure OpenAI's content management policy.","type":null,"param":"prompt","code":"content_filter","status":400}})")
        << false
        << QStringLiteral("The response was filtered due to the prompt triggering Azure OpenAI's content management policy.");
    QTest::newRow("Azure 401 with a string code")
        << openai << 401
        << QByteArray(R"({"error":{"code":"401","message":"Access denied due to invalid subscription key or wrong API endpoint."}})")
        << false << QStringLiteral("Access denied due to invalid subscription key or wrong API endpoint.");
    QTest::newRow("DeepSeek model not exist")
        << openai << 400
        << QByteArray(R"({"error":{"message":"Model Not Exist","type":"invalid_request_error","param":null,"code":"invalid_request_error"}})")
        << false << QStringLiteral("Model Not Exist");
    QTest::newRow("Gemini OpenAI-compatible error in an array")
        << openai << 400
        << QByteArray(R"([{"error":{"code":400,"message":"Invalid JSON payload received.","status":"INVALID_ARGUMENT"}}])")
        << false << QStringLiteral("Invalid JSON payload received.");

    QTest::newRow("Anthropic answer, thinking block skipped")
        << anthropic << 200
        << QByteArray(R"({"id":"msg_1","type":"message","role":"assistant","content":[{"type":"thinking","thinking":"..."},{"type":"text","text":"Hal"},{"type":"text","text":"lo"}],"stop_reason":"end_turn"})")
        << true << QStringLiteral("Hallo");
    QTest::newRow("Anthropic error document")
        << anthropic << 401
        << QByteArray(R"({"type":"error","error":{"type":"authentication_error","message":"invalid x-api-key"},"request_id":"req_1"})")
        << false << QStringLiteral("invalid x-api-key");
    QTest::newRow("Anthropic overloaded")
        << anthropic << 529
        << QByteArray(R"({"type":"error","error":{"type":"overloaded_error","message":"Overloaded"}})")
        << false << QStringLiteral("Overloaded");
    QTest::newRow("Anthropic refusal")
        << anthropic << 200
        << QByteArray(R"({"type":"message","content":[],"stop_reason":"refusal"})") << false
        << QStringLiteral("The response was filtered (refusal).");
    QTest::newRow("Anthropic answer read as OpenAI's misses choices")
        << openai << 200 << QByteArray(R"({"type":"message","content":[{"type":"text","text":"x"}]})")
        << false << choicesMissing;

    QTest::newRow("Gemini answer, thought skipped")
        << gemini << 200
        << QByteArray(R"({"candidates":[{"content":{"parts":[{"text":"plan","thought":true},{"text":"Hal"},{"text":"lo"}],"role":"model"},"finishReason":"STOP","index":0}],"modelVersion":"gemini-3.5-flash"})")
        << true << QStringLiteral("Hallo");
    QTest::newRow("Gemini bad key")
        << gemini << 400
        << QByteArray(R"({"error":{"code":400,"message":"API key not valid. Please pass a valid API key.","status":"INVALID_ARGUMENT","details":[{"reason":"API_KEY_INVALID"}]}})")
        << false << QStringLiteral("API key not valid. Please pass a valid API key.");
    QTest::newRow("Gemini blocked prompt")
        << gemini << 200 << QByteArray(R"({"promptFeedback":{"blockReason":"SAFETY"}})") << false
        << QStringLiteral("The response was filtered (SAFETY).");
    QTest::newRow("Gemini candidate without content")
        << gemini << 200 << QByteArray(R"({"candidates":[{"finishReason":"MAX_TOKENS"}]})") << false
        << QStringLiteral("Unexpected response, content field is missing");
    QTest::newRow("Gemini nothing usable")
        << gemini << 200 << QByteArray(R"({})") << false
        << QStringLiteral("Unexpected response, candidates field is missing");
}

void tst_LLMReply::wholeReply()
{
    QFETCH(Dialect, dialect);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, succeeded);
    QFETCH(QString, expected);

    const auto reply = fetch(HttpServer::Response::json(body, status), dialect, false);
    QVERIFY(reply);
    QCOMPARE(reply->succeeded(), succeeded);
    QCOMPARE(succeeded ? reply->answer() : reply->errorMessage(), expected);
}

void tst_LLMReply::streamedReply_data()
{
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<QString>("expected");

    const Dialect openai = Dialect::OpenAIChat;
    const QByteArray role = R"(data: {"choices":[{"index":0,"delta":{"role":"assistant","content":""}}]})" "\n\n";
    auto delta = [](const char *text) {
        return QByteArray(R"(data: {"choices":[{"index":0,"delta":{"content":")") + text
            + "\"}}]}\n\n";
    };
    const QByteArray done = "data: [DONE]\n\n";

    QTest::newRow("three deltas in one read make one word")
        << openai << QList<QByteArray>{ role + delta("Tra") + delta("nsl") + delta("ation") + done }
        << true << QStringLiteral("Translation");
    QTest::newRow("role-only event adds nothing")
        << openai << QList<QByteArray>{ role, delta("Hallo"), done } << true << QStringLiteral("Hallo");
    QTest::newRow("role repeated beside the content (local servers)")
        << openai
        << QList<QByteArray>{ R"(data: {"choices":[{"delta":{"role":"assistant","content":"Hi"}}]})" "\n\n", done }
        << true << QStringLiteral("Hi");
    QTest::newRow("CRLF line ends")
        << openai << QList<QByteArray>{ delta("Hal").replace("\n", "\r\n"), delta("lo").replace("\n", "\r\n"), done }
        << true << QStringLiteral("Hallo");
    QTest::newRow("an event cut across two reads")
        << openai << QList<QByteArray>{ delta("Hal") + delta("l").left(20), delta("l").mid(20) + delta("o"), done }
        << true << QStringLiteral("Hallo");
    QTest::newRow("keep-alive comments and a usage event")
        << openai << QList<QByteArray>{ ": keep-alive\n\n", delta("ok"), R"(data: {"choices":[],"usage":{"total_tokens":3}})" "\n\n", done }
        << true << QStringLiteral("ok");
    QTest::newRow("error document instead of events")
        << openai << QList<QByteArray>{ R"({"error":{"message":"Incorrect API key provided"}})" }
        << false << QStringLiteral("Incorrect API key provided");
    QTest::newRow("whole document although a stream was asked for")
        << openai << QList<QByteArray>{ R"({"choices":[{"message":{"role":"assistant","content":"whole"}}]})" }
        << true << QStringLiteral("whole");
    QTest::newRow("Anthropic events")
        << Dialect::AnthropicMessages
        << QList<QByteArray>{
               "event: message_start\n" R"(data: {"type":"message_start","message":{"content":[]}})" "\n\n",
               "event: content_block_delta\n" R"(data: {"type":"content_block_delta","index":0,"delta":{"type":"text_delta","text":"Hal"}})" "\n\n"
               "event: ping\n" R"(data: {"type":"ping"})" "\n\n",
               "event: content_block_delta\n" R"(data: {"type":"content_block_delta","index":0,"delta":{"type":"text_delta","text":"lo"}})" "\n\n",
               "event: message_stop\n" R"(data: {"type":"message_stop"})" "\n\n" }
        << true << QStringLiteral("Hallo");
    QTest::newRow("Anthropic error inside the stream")
        << Dialect::AnthropicMessages
        << QList<QByteArray>{
               R"(data: {"type":"content_block_delta","index":0,"delta":{"type":"text_delta","text":"Ha"}})" "\n\n",
               "event: error\n" R"(data: {"type":"error","error":{"type":"overloaded_error","message":"Overloaded"}})" "\n\n" }
        << false << QStringLiteral("Overloaded");
    QTest::newRow("Gemini events without a terminator")
        << Dialect::GeminiGenerateContent
        << QList<QByteArray>{ R"(data: {"candidates":[{"content":{"parts":[{"text":"Hal"}],"role":"model"}}]})" "\r\n\r\n",
                              R"(data: {"candidates":[{"content":{"parts":[{"text":"lo"}],"role":"model"},"finishReason":"STOP"}]})" }
        << true << QStringLiteral("Hallo");
}

void tst_LLMReply::streamedReply()
{
    QFETCH(Dialect, dialect);
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(bool, succeeded);
    QFETCH(QString, expected);

    const auto reply = fetch(HttpServer::Response::events(pieces, 20), dialect, true);
    QVERIFY(reply);
    QCOMPARE(reply->succeeded(), succeeded);
    QCOMPARE(succeeded ? reply->answer() : reply->errorMessage(), expected);
}

void tst_LLMReply::keyNeverInErrorMessage()
{
    server.enqueue(HttpServer::Response::json(
        R"({"error":{"message":"Incorrect API key provided: sk-secret-1234. You can find your API key at https://platform.openai.com/account/api-keys."}})",
        401));
    QNetworkRequest request(QUrl(server.url(QStringLiteral("/v1/chat/completions"))));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    LLMServiceReplyHelper reply(manager.post(request, QByteArray("{}")));
    reply.setSecret(QStringLiteral("sk-secret-1234"));
    QSignalSpy done(&reply, &NetworkReplyHelper::done);
    QVERIFY(done.wait(5000));
    QVERIFY(!reply.succeeded());
    QVERIFY(!reply.errorMessage().contains(QLatin1String("sk-secret-1234")));
    QVERIFY(reply.errorMessage().startsWith(QLatin1String("Incorrect API key provided: ***.")));
}

void tst_LLMReply::networkFailureKeepsItsOwnText()
{
    // A port nobody listens on: the connection is refused and no body arrives.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1/v1/chat/completions").arg(port)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    LLMServiceReplyHelper reply(manager.post(request, QByteArray("{}")));
    QSignalSpy done(&reply, &NetworkReplyHelper::done);
    QVERIFY(done.wait(5000));
    QVERIFY(!reply.succeeded());
    QCOMPARE(reply.networkError(), QNetworkReply::ConnectionRefusedError);
    QVERIFY(reply.errorMessage().contains(QLatin1String("refused"), Qt::CaseInsensitive));
}

QTEST_GUILESS_MAIN(tst_LLMReply)
#include "tst_llmreply.moc"
