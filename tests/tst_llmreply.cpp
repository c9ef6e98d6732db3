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
    void reply_data();
    void reply();
    void networkFailureKeepsItsOwnText();

private:
    std::unique_ptr<LLMServiceReplyHelper> fetch(
        const HttpServer::Response &response, Dialect dialect, bool stream);

    QNetworkAccessManager manager;
    HttpServer server;
};

void tst_LLMReply::initTestCase()
{
    QVERIFY(server.start());
}

std::unique_ptr<LLMServiceReplyHelper> tst_LLMReply::fetch(
    const HttpServer::Response &response, Dialect dialect, bool stream)
{
    server.enqueue(response);
    QNetworkRequest request(QUrl(server.url(QStringLiteral("/v1/chat"))));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    std::unique_ptr<LLMServiceReplyHelper> reply(
        new LLMServiceReplyHelper(manager.post(request, QByteArray("{}"))));
    reply->setDialect(dialect);
    reply->setSecret(QStringLiteral("sk-secret-1234"));
    reply->setProperty("isStream", stream);
    QSignalSpy done(reply.get(), &NetworkReplyHelper::done);
    if (!done.wait(5000))
        return nullptr;
    return reply;
}

void tst_LLMReply::reply_data()
{
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<bool>("stream"); // the pieces are sent as events
    QTest::addColumn<int>("status");
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<QString>("expected"); // the answer, or the error message

    const QString choicesMissing = QStringLiteral("Unexpected response, choices field is missing");
    const Dialect openai = Dialect::OpenAIChat;
    const Dialect anthropic = Dialect::AnthropicMessages;
    const Dialect gemini = Dialect::GeminiGenerateContent;
    const auto row = [](const char *name, Dialect dialect, int status, bool succeeded,
                         const QString &expected, const QByteArray &body) {
        QTest::newRow(name) << dialect << false << status << QList<QByteArray> { body } << succeeded
                            << expected;
    };
    const auto events = [](const char *name, Dialect dialect, bool succeeded,
                            const QString &expected, const QList<QByteArray> &pieces) {
        QTest::newRow(name) << dialect << true << 200 << pieces << succeeded << expected;
    };
    const QByteArray role =
        R"(data: {"choices":[{"index":0,"delta":{"role":"assistant","content":""}}]})"
        "\n\n";
    auto delta = [](const char *text) {
        return QByteArray(R"(data: {"choices":[{"index":0,"delta":{"content":")") + text
            + "\"}}]}\n\n";
    };
    const QByteArray done = "data: [DONE]\n\n";

    // clang-format off
    row("OpenAI answer", openai, 200, true, "Hallo",
        R"({"choices":[{"index":0,"message":{"role":"assistant","content":"Hallo"},"finish_reason":"stop"}]})");
    row("two choices: the first counts", openai, 200, true, "one",
        R"({"choices":[{"message":{"role":"assistant","content":"one"}},{"message":{"role":"assistant","content":"two"}}]})");
    row("DeepSeek keep-alive lines before the document", openai, 200, true, "ok",
        "\n\n" R"({"choices":[{"message":{"role":"assistant","content":"ok","reasoning_content":"hmm"}}]})");
    row("choices is an object", openai, 200, false, choicesMissing,
        R"({"choices":{"message":{}}})");
    row("non-string error message falls through", openai, 400, false, choicesMissing,
        R"({"error":{"message":42}})");
    row("empty body", openai, 200, false, choicesMissing, "");
    row("message missing", openai, 200, false, "Unexpected response, message field is missing",
        R"({"choices":[{"index":0}]})");
    row("content null", openai, 200, false, "Unexpected response, role or content field is missing",
        R"({"choices":[{"message":{"role":"assistant","content":null}}]})");
    row("Azure output filter", openai, 200, false, "The response was filtered (content_filter).",
        R"({"choices":[{"message":{"role":"assistant","content":null},"finish_reason":"content_filter"}]})");
    row("OpenAI rate limit", openai, 429, false, "Rate limit reached for gpt-4.1 in organization org-x on tokens per min (TPM). Please try again in 174ms.",
        R"({"error":{"message":"Rate limit reached for gpt-4.1 in organization org-x on tokens per min (TPM). Please try again in 174ms.","type":"tokens","param":null,"code":"rate_limit_exceeded"}})");
    row("Azure prompt filter", openai, 400, false, "The response was filtered due to the prompt triggering Azure OpenAI's content management policy.",
        R"({"error":{"message":"The response was filtered due to the prompt triggering Azure OpenAI's content management policy.","type":null,"param":"prompt","code":"content_filter","status":400}})");
    row("the key is masked in an error text", openai, 401, false, "Incorrect API key provided: ***. You can find your API key at https://platform.openai.com/account/api-keys.",
        R"({"error":{"message":"Incorrect API key provided: sk-secret-1234. You can find your API key at https://platform.openai.com/account/api-keys."}})");
    row("Azure 401 with a string code", openai, 401, false, "Access denied due to invalid subscription key or wrong API endpoint.",
        R"({"error":{"code":"401","message":"Access denied due to invalid subscription key or wrong API endpoint."}})");
    row("Gemini OpenAI-compatible error in an array", openai, 400, false, "Invalid JSON payload received.",
        R"([{"error":{"code":400,"message":"Invalid JSON payload received.","status":"INVALID_ARGUMENT"}}])");
    row("Anthropic answer, thinking block skipped", anthropic, 200, true, "Hallo",
        R"({"id":"msg_1","type":"message","role":"assistant","content":[{"type":"thinking","thinking":"..."},{"type":"text","text":"Hal"},{"type":"text","text":"lo"}],"stop_reason":"end_turn"})");
    row("Anthropic error document", anthropic, 401, false, "invalid x-api-key",
        R"({"type":"error","error":{"type":"authentication_error","message":"invalid x-api-key"},"request_id":"req_1"})");
    row("Anthropic refusal", anthropic, 200, false, "The response was filtered (refusal).",
        R"({"type":"message","content":[],"stop_reason":"refusal"})");
    row("Gemini answer, thought skipped", gemini, 200, true, "Hallo",
        R"({"candidates":[{"content":{"parts":[{"text":"plan","thought":true},{"text":"Hal"},{"text":"lo"}],"role":"model"},"finishReason":"STOP","index":0}],"modelVersion":"gemini-3.5-flash"})");
    row("Gemini bad key", gemini, 400, false, "API key not valid. Please pass a valid API key.",
        R"({"error":{"code":400,"message":"API key not valid. Please pass a valid API key.","status":"INVALID_ARGUMENT","details":[{"reason":"API_KEY_INVALID"}]}})");
    row("Gemini blocked prompt", gemini, 200, false, "The response was filtered (SAFETY).",
        R"({"promptFeedback":{"blockReason":"SAFETY"}})");
    row("Gemini candidate without content", gemini, 200, false, "Unexpected response, content field is missing",
        R"({"candidates":[{"finishReason":"MAX_TOKENS"}]})");
    row("Gemini nothing usable", gemini, 200, false, "Unexpected response, candidates field is missing",
        R"({})");

    events("three deltas in one read make one word", openai, true, "Translation",
           { role + delta("Tra") + delta("nsl") + delta("ation") + done });
    events("role-only event adds nothing", openai, true, "Hallo",
           { role, delta("Hallo"), done });
    events("role repeated beside the content (local servers)", openai, true, "Hi",
           { R"(data: {"choices":[{"delta":{"role":"assistant","content":"Hi"}}]})" "\n\n", done });
    events("CRLF line ends", openai, true, "Hallo",
           { delta("Hal").replace("\n", "\r\n"), delta("lo").replace("\n", "\r\n"), done });
    events("an event cut across two reads", openai, true, "Hallo",
           { delta("Hal") + delta("l").left(20), delta("l").mid(20) + delta("o"), done });
    events("keep-alive comments and a usage event", openai, true, "ok",
           { ": keep-alive\n\n", delta("ok"), R"(data: {"choices":[],"usage":{"total_tokens":3}})" "\n\n", done });
    events("error document instead of events", openai, false, "Incorrect API key provided",
           { R"({"error":{"message":"Incorrect API key provided"}})" });
    events("whole document although a stream was asked for", openai, true, "whole",
           { R"({"choices":[{"message":{"role":"assistant","content":"whole"}}]})" });
    events("Anthropic events", anthropic, true, "Hallo",
           {
               "event: message_start\n" R"(data: {"type":"message_start","message":{"content":[]}})" "\n\n",
               "event: content_block_delta\n" R"(data: {"type":"content_block_delta","index":0,"delta":{"type":"text_delta","text":"Hal"}})" "\n\n"
               "event: ping\n" R"(data: {"type":"ping"})" "\n\n",
               "event: content_block_delta\n" R"(data: {"type":"content_block_delta","index":0,"delta":{"type":"text_delta","text":"lo"}})" "\n\n",
               "event: message_stop\n" R"(data: {"type":"message_stop"})" "\n\n" });
    events("Anthropic error inside the stream", anthropic, false, "Overloaded",
           {
               R"(data: {"type":"content_block_delta","index":0,"delta":{"type":"text_delta","text":"Ha"}})" "\n\n",
               "event: error\n" R"(data: {"type":"error","error":{"type":"overloaded_error","message":"Overloaded"}})" "\n\n" });
    events("Gemini events without a terminator", gemini, true, "Hallo",
           { R"(data: {"candidates":[{"content":{"parts":[{"text":"Hal"}],"role":"model"}}]})" "\r\n\r\n",
             R"(data: {"candidates":[{"content":{"parts":[{"text":"lo"}],"role":"model"},"finishReason":"STOP"}]})" });
    // clang-format on
}

void tst_LLMReply::reply()
{
    QFETCH(Dialect, dialect);
    QFETCH(bool, stream);
    QFETCH(int, status);
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(bool, succeeded);
    QFETCH(QString, expected);

    const auto reply = fetch(stream ? HttpServer::Response::events(pieces, 20)
                                    : HttpServer::Response::json(pieces.first(), status),
        dialect, stream);
    QVERIFY(reply);
    QCOMPARE(reply->succeeded(), succeeded);
    QCOMPARE(succeeded ? reply->answer() : reply->errorMessage(), expected);
}

void tst_LLMReply::networkFailureKeepsItsOwnText()
{
    // A port nobody listens on: the connection is refused and no body arrives.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    QNetworkRequest request(
        QUrl(QStringLiteral("http://127.0.0.1:%1/v1/chat/completions").arg(port)));
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
