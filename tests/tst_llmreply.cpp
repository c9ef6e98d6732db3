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

private:
    QNetworkAccessManager manager;
    HttpServer server;
};

void tst_LLMReply::initTestCase()
{
    QVERIFY(server.start());
}

void tst_LLMReply::reply_data()
{
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<int>("status"); // 0: nobody listens on the port
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<QString>("expected"); // the answer, or the error message

    const QString choicesMissing = QStringLiteral("Unexpected response, choices field is missing");
    const Dialect openai = Dialect::OpenAIChat;
    const Dialect anthropic = Dialect::AnthropicMessages;
    const Dialect gemini = Dialect::GeminiGenerateContent;
    const auto row = [](const char *name, Dialect dialect, int status, bool succeeded,
                         const QString &expected, const QByteArray &body) {
        QTest::newRow(name) << dialect << status << body << succeeded << expected;
    };

    // clang-format off
    row("OpenAI answer", openai, 200, true, "Hallo",
        R"({"choices":[{"index":0,"message":{"role":"assistant","content":"Hallo"},"finish_reason":"stop"}]})");
    row("two choices: the first counts", openai, 200, true, "one",
        R"({"choices":[{"message":{"role":"assistant","content":"one"}},{"message":{"role":"assistant","content":"two"}}]})");
    row("choices is an object", openai, 200, false, choicesMissing, R"({"choices":{"message":{}}})");
    row("non-string error message falls through", openai, 400, false, choicesMissing,
        R"({"error":{"message":42}})");
    row("message missing", openai, 200, false, "Unexpected response, message field is missing",
        R"({"choices":[{"index":0}]})");
    row("content null", openai, 200, false, "Unexpected response, role or content field is missing",
        R"({"choices":[{"message":{"role":"assistant","content":null}}]})");
    row("Azure output filter", openai, 200, false, "The response was filtered (content_filter).",
        R"({"choices":[{"message":{"role":"assistant","content":null},"finish_reason":"content_filter"}]})");
    row("the key is masked in an error text", openai, 401, false, "Incorrect API key provided: ***. You can find your API key at https://platform.openai.com/account/api-keys.",
        R"({"error":{"message":"Incorrect API key provided: sk-secret-1234. You can find your API key at https://platform.openai.com/account/api-keys."}})");
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
    row("Gemini blocked prompt", gemini, 200, false, "The response was filtered (SAFETY).",
        R"({"promptFeedback":{"blockReason":"SAFETY"}})");
    row("Gemini candidate without content", gemini, 200, false, "Unexpected response, content field is missing",
        R"({"candidates":[{"finishReason":"MAX_TOKENS"}]})");
    row("Gemini nothing usable", gemini, 200, false, "Unexpected response, candidates field is missing",
        R"({})");
    // With no body at all, the network's own text says more than a missing field.
    row("connection refused keeps the network's text", openai, 0, false, "Connection refused\n", "");
    // clang-format on
}

void tst_LLMReply::reply()
{
    QFETCH(Dialect, dialect);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, succeeded);
    QFETCH(QString, expected);

    QString url = server.url(QStringLiteral("/v1/chat"));
    if (status == 0) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        url = QStringLiteral("http://127.0.0.1:%1/v1/chat").arg(closed.serverPort());
    } else {
        server.enqueue(HttpServer::Response::json(body, status));
    }
    QNetworkRequest request { QUrl(url) };
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    LLMServiceReplyHelper reply(manager.post(request, QByteArray("{}")));
    reply.setDialect(dialect);
    reply.setSecret(QStringLiteral("sk-secret-1234"));
    QSignalSpy done(&reply, &NetworkReplyHelper::done);
    QVERIFY(done.wait(5000));
    QCOMPARE(reply.succeeded(), succeeded);
    QCOMPARE(succeeded ? reply.answer() : reply.errorMessage(), expected);
}

QTEST_GUILESS_MAIN(tst_LLMReply)
#include "tst_llmreply.moc"
