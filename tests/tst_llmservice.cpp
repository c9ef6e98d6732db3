#include "llm/llmserviceprofile.h"
#include "llm/llmservicereplyhelper.h"
#include "llm/llmservicerequesthelper.h"
#include "llm/servicecatalog.h"
#include "support/httpserver.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTest>

using Dialect = LLMServiceProfile::Dialect;
Q_DECLARE_METATYPE(Dialect)

// Chat requests as each service receives them, and its answers as the reply reads them.
class tst_LLMService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void modelNames_data();
    void modelNames();
    void requestAsReceived_data();
    void requestAsReceived();
    void reply_data();
    void reply();
    void modelListGivesUpOnSilence();
    void fillPrompt_data();
    void fillPrompt();

private:
    HttpServer::Request post(LLMServiceReplyHelper *reply);

    QNetworkAccessManager manager;
    HttpServer server;
};

namespace {

const QString key = QStringLiteral("sk-test-key-0042");

// A member of the body by dotted path ("generationConfig.maxOutputTokens").
QJsonValue member(const QJsonObject &body, const QString &path)
{
    QJsonValue value = body;
    for (const QString &part : path.split(QLatin1Char('.')))
        value = value.toObject().value(part);
    return value;
}

QStringList rolesOf(const QJsonObject &body)
{
    QStringList roles;
    const QJsonArray list = body.contains(QLatin1String("contents"))
        ? body.value(QLatin1String("contents")).toArray()
        : body.value(QLatin1String("messages")).toArray();
    for (const QJsonValue &message : list)
        roles << message.toObject().value(QLatin1String("role")).toString();
    return roles;
}

} // namespace

void tst_LLMService::initTestCase()
{
    QVERIFY(server.start());
}

HttpServer::Request tst_LLMService::post(LLMServiceReplyHelper *reply)
{
    std::unique_ptr<LLMServiceReplyHelper> owner(reply);
    QSignalSpy done(reply, &NetworkReplyHelper::done);
    if (!done.wait(5000) || server.requests().isEmpty())
        return {};
    return server.requests().takeLast();
}

void tst_LLMService::modelNames_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("maxCompletionTokens");
    QTest::addColumn<bool>("temperature");

    // Names the request table does not reach: vendor prefixes, local tags, dated and future names.
    // clang-format off
    QTest::newRow("OpenAI openai/gpt-6.1-terra")   << "OpenAI"    << "openai/gpt-6.1-terra"       << true  << false;
    QTest::newRow("OpenAI o4-mini")                << "OpenAI"    << "o4-mini"                    << true  << false;
    QTest::newRow("OpenAI gpt-oss:20b")            << "OpenAI"    << "gpt-oss:20b"                << false << true;
    QTest::newRow("Anthropic claude-next-thing")   << "Anthropic" << "claude-next-thing"          << false << false;
    QTest::newRow("Anthropic claude-sonnet-5-5")   << "Anthropic" << "claude-sonnet-5-5"          << false << false;
    QTest::newRow("Anthropic claude-3-7-sonnet")   << "Anthropic" << "claude-3-7-sonnet-20250219" << false << true;
    // clang-format on
}

void tst_LLMService::modelNames()
{
    QFETCH(QString, service);
    QFETCH(QString, model);
    QFETCH(bool, maxCompletionTokens);
    QFETCH(bool, temperature);

    const LLMServiceProfile profile = LLMServiceProfile::forConfiguration(LLMConfiguration {
        0, QString(), QStringLiteral("https://example.invalid/v1/chat"), key, model, service });
    QCOMPARE(profile.maxCompletionTokens, maxCompletionTokens);
    QCOMPARE(profile.temperature, temperature);
    // Nothing the model may refuse rides along with what it accepts.
    if (service == QLatin1String("Anthropic") || maxCompletionTokens)
        QVERIFY(!profile.topP && !profile.penalties);
}

void tst_LLMService::requestAsReceived_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("urlPath");
    QTest::addColumn<bool>("withPrompts"); // system and assistant texts
    QTest::addColumn<QByteArray>("expectedTarget"); // empty: the URL path as stored
    QTest::addColumn<QByteArray>("authHeader");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<QStringList>("roles");

    const QStringList classic = { "model", "max_tokens", "temperature", "top_p",
        "frequency_penalty", "presence_penalty", "stream", "messages" };
    const QStringList reasoningAbsent = { "max_tokens", "temperature", "top_p", "frequency_penalty",
        "presence_penalty" };
    const QStringList reasoningPresent = { "model", "max_completion_tokens", "stream", "messages" };
    const QStringList chatRoles = { "system", "assistant", "user" };

    const QString chat = QStringLiteral("/v1/chat/completions");
    const QByteArray bearer = "authorization";
    const auto add = [](const char *name, const QString &service, const QString &model,
                         const QString &urlPath, bool withPrompts, const QByteArray &target,
                         const QByteArray &header, const QStringList &present,
                         const QStringList &absent, const QStringList &roles) {
        QTest::newRow(name) << service << model << urlPath << withPrompts << target << header
                            << present << absent << roles;
    };

    // clang-format off
    add("OpenAI gpt-4o, all prompts", "OpenAI", "gpt-4o", chat, true, "", bearer,
        classic, { "max_completion_tokens" }, chatRoles);
    add("OpenAI gpt-5", "OpenAI", "gpt-5", chat, true, "", bearer,
        reasoningPresent, reasoningAbsent, chatRoles);
    add("DeepSeek", "DeepSeek", "deepseek-flash", "/chat/completions", true, "", bearer,
        classic, {}, chatRoles);
    add("Azure dated API, gpt-4o deployment", "Azure", "",
        "/openai/deployments/gpt-4o/chat/completions?api-version=2024-10-21", true, "", "api-key",
        { "max_tokens", "temperature", "top_p", "messages" }, { "model" }, chatRoles);
    add("Azure gpt-5-mini deployment", "Azure", "",
        "/openai/deployments/gpt-5-mini/chat/completions?api-version=2025-04-01-preview", false, "", "api-key",
        { "max_completion_tokens", "messages" }, reasoningAbsent + QStringList{ "model" }, { "user" });
    add("Anthropic claude-sonnet-4-6, all prompts", "Anthropic", "claude-sonnet-4-6", "/v1/messages", true, "", "x-api-key",
        { "model", "max_tokens", "temperature", "system", "messages", "stream" },
        { "top_p", "frequency_penalty", "presence_penalty", "max_completion_tokens" }, { "assistant", "user" });
    add("Anthropic claude-haiku-4-5 dated, user prompt only", "Anthropic", "claude-haiku-4-5-20251001", "/v1/messages", false, "", "x-api-key",
        { "model", "max_tokens", "temperature", "messages" }, { "top_p", "system", "frequency_penalty" }, { "user" });
    add("Anthropic claude-opus-4-7: no sampling", "Anthropic", "claude-opus-4-7", "/v1/messages", true, "", "x-api-key",
        { "model", "max_tokens", "system", "messages" }, { "temperature", "top_p", "frequency_penalty" }, { "assistant", "user" });
    add("Anthropic OpenAI-compatible endpoint", "Anthropic", "claude-sonnet-4-6", chat, true, "", bearer,
        { "model", "max_tokens", "temperature", "messages" }, { "top_p", "frequency_penalty", "presence_penalty" }, chatRoles);
    add("Gemini stored URL with a slash and key=", "Gemini", "gemini-3.5-flash",
        "/v1beta/models/${model}/generateContent?key=", true, "/v1beta/models/gemini-3.5-flash:generateContent", "x-goog-api-key",
        { "contents", "systemInstruction.parts", "generationConfig.maxOutputTokens", "generationConfig.temperature", "generationConfig.topP" },
        { "messages", "model", "max_tokens", "stream", "frequency_penalty", "generationConfig.frequencyPenalty" }, { "model", "user" });
    // A key typed into the stored URL, with none in its field, moves to the header as well.
    add("Gemini key in the URL, user prompt only", "Gemini", "gemini-3.5-flash", "/v1beta/models/${model}:generateContent?key=KEY",
        false, "/v1beta/models/gemini-3.5-flash:generateContent", "x-goog-api-key",
        { "contents", "generationConfig" }, { "systemInstruction", "messages" }, { "user" });
    add("Gemini OpenAI-compatible endpoint", "Gemini", "gemini-3.5-flash", "/v1beta/openai/chat/completions", true, "", bearer,
        { "model", "messages", "max_tokens", "temperature" }, { "frequency_penalty", "presence_penalty", "top_p", "contents" }, chatRoles);
    // clang-format on
}

void tst_LLMService::requestAsReceived()
{
    QFETCH(QString, service);
    QFETCH(QString, model);
    QFETCH(QString, urlPath);
    QFETCH(bool, withPrompts);
    QFETCH(QByteArray, expectedTarget);
    QFETCH(QByteArray, authHeader);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QFETCH(QStringList, roles);

    LLMSetup setup;
    setup.configuration = { 0, QStringLiteral("test"), server.url(urlPath), key, model, service };
    if (urlPath.contains(QLatin1String("KEY"))) {
        setup.configuration.apiurl.replace(QLatin1String("KEY"), key);
        setup.configuration.apikey.clear();
    }
    if (withPrompts) {
        setup.prompt.systemPrompt = QStringLiteral("You are a translator.");
        setup.prompt.assistantPrompt = QStringLiteral("I answer with JSON only.");
    }
    LLMServiceRequestHelper helper(&manager);
    const HttpServer::Request request =
        post(helper.requestTranslation(setup, QStringLiteral("1. Hello")));
    QCOMPARE(request.target, expectedTarget.isEmpty() ? urlPath.toUtf8() : expectedTarget);
    QCOMPARE(request.headers.value("content-type"), QByteArray("application/json"));
    QCOMPARE(request.headers.value(authHeader),
        authHeader == "authorization" ? "Bearer " + key.toUtf8() : key.toUtf8());
    if (authHeader == "x-api-key")
        QCOMPARE(request.headers.value("anthropic-version"), QByteArray("2023-06-01"));

    const QJsonObject body = request.json();
    for (const QString &path : std::as_const(present))
        QVERIFY2(!member(body, path).isUndefined(), qPrintable(path));
    for (const QString &path : std::as_const(absent))
        QVERIFY2(member(body, path).isUndefined(), qPrintable(path));
    QCOMPARE(rolesOf(body), roles);
    if (body.contains(QLatin1String("model")))
        QCOMPARE(body.value(QLatin1String("model")).toString(), model);

    // The texts land where each service reads them.
    const QByteArray raw = request.body;
    QVERIFY(raw.contains("1. Hello"));
    QCOMPARE(raw.contains("You are a translator."), withPrompts);
    QCOMPARE(raw.contains("I answer with JSON only."), withPrompts);
    if (body.contains(QLatin1String("system")))
        QCOMPARE(body.value(QLatin1String("system")).toString(),
            QStringLiteral("You are a translator."));
}

void tst_LLMService::reply_data()
{
    QTest::addColumn<Dialect>("dialect");
    QTest::addColumn<int>("status"); // 0: nobody listens on the port
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<QString>("expected"); // the answer, or the error message

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
    row("non-string error message falls through", openai, 400, false, "Unexpected response, choices field is missing",
        R"({"error":{"message":42}})");
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
    row("Anthropic refusal", anthropic, 200, false, "The response was filtered (refusal).",
        R"({"type":"message","content":[],"stop_reason":"refusal"})");
    row("Gemini answer, thought skipped", gemini, 200, true, "Hallo",
        R"({"candidates":[{"content":{"parts":[{"text":"plan","thought":true},{"text":"Hal"},{"text":"lo"}],"role":"model"},"finishReason":"STOP","index":0}],"modelVersion":"gemini-3.5-flash"})");
    row("Gemini blocked prompt", gemini, 200, false, "The response was filtered (SAFETY).",
        R"({"promptFeedback":{"blockReason":"SAFETY"}})");
    row("Gemini nothing usable", gemini, 200, false, "Unexpected response, candidates field is missing",
        R"({})");
    // With no body at all, the network's own text says more than a missing field.
    row("connection refused keeps the network's text", openai, 0, false, "Connection refused\n", "");
    // clang-format on
}

void tst_LLMService::reply()
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

void tst_LLMService::modelListGivesUpOnSilence()
{
    HttpServer::Response silent = HttpServer::Response::json("{}");
    silent.stall = true;
    server.enqueue(silent);
    ModelListFetcher fetcher(&manager);
    fetcher.setTimeout(200);
    QSignalSpy finished(&fetcher, &ModelListFetcher::finished);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("aborting the request"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Failed to fetch the model list"));
    QVERIFY(fetcher.fetch(QStringLiteral("OpenAI"), server.url(QStringLiteral("/v1/chat")), key));
    QVERIFY(finished.wait(5000));
    QVERIFY(finished.first().at(0).toStringList().isEmpty());
    QVERIFY(!finished.first().at(1).toString().isEmpty());
}

void tst_LLMService::fillPrompt_data()
{
    QTest::addColumn<QString>("promptTemplate");
    QTest::addColumn<QStringList>("targets");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<QString>("expected");

    const QStringList german = { "German" };
    // clang-format off
    QTest::newRow("placeholder twice")
        << "{{source language}} to {{target language list}}; again {{target language list}}"
        << german << QStringList() << QStringList() << "English to German; again German";
    QTest::newRow("two languages") << "{{target language list}}" << QStringList{ "A", "B" }
                                   << QStringList() << QStringList() << "A and B";
    QTest::newRow("three languages") << "{{target language list}}" << QStringList{ "A", "B", "C" }
                                     << QStringList() << QStringList() << "A, B and C";
    QTest::newRow("notes numbered as their texts")
        << "{{note list}}|{{text list}}" << german << QStringList{ "Open", "Save", "Open" }
        << QStringList{ "context: verb", "", "context: state" }
        << "Text 1: context: verb\nText 3: context: state|1. Open\n2. Save\n3. Open";
    QTest::newRow("no notes")     << "[{{note list}}]" << german << QStringList{ "Open" }
                                  << QStringList() << "[(none)]";
    QTest::newRow("a text spelling a placeholder goes out as written")
        << "{{text list}} {{source language}}" << german << QStringList{ "{{source language}}" }
        << QStringList() << "1. {{source language}} English";
    // clang-format on
}

void tst_LLMService::fillPrompt()
{
    QFETCH(QString, promptTemplate);
    QFETCH(QStringList, targets);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, notes);
    QFETCH(QString, expected);
    QCOMPARE(LLMServiceRequestHelper::fillPrompt(
                 QStringLiteral("English"), targets, texts, promptTemplate, notes),
        expected);
}

QTEST_GUILESS_MAIN(tst_LLMService)
#include "tst_llmservice.moc"
