#include "llm/llmservicereplyhelper.h"
#include "llm/llmservicerequesthelper.h"
#include "support/httpserver.h"
#include "support/llmsettings.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTest>

class tst_LLMRequest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void requestAsReceived_data();
    void requestAsReceived();
    void preferencesCheck_data();
    void preferencesCheck();
    void geminiKeyNeverInUrlOrErrors();
    void geminiStreamUsesTheSseMethod();
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

void tst_LLMRequest::initTestCase()
{
    QVERIFY(TestSupport::usePrivateSettings());
    QVERIFY(server.start());
}

HttpServer::Request tst_LLMRequest::post(LLMServiceReplyHelper *reply)
{
    std::unique_ptr<LLMServiceReplyHelper> owner(reply);
    QSignalSpy done(reply, &NetworkReplyHelper::done);
    if (!done.wait(5000) || server.requests().isEmpty())
        return {};
    return server.requests().takeLast();
}

void tst_LLMRequest::requestAsReceived_data()
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

    // clang-format off
    QTest::newRow("OpenAI gpt-4o, all prompts")
        << "OpenAI" << "gpt-4o" << "/v1/chat/completions" << true
        << QByteArray() << QByteArray("authorization")
        << classic << QStringList{ "max_completion_tokens" } << chatRoles;
    QTest::newRow("OpenAI gpt-4.1, user prompt only")
        << "OpenAI" << "gpt-4.1" << "/v1/chat/completions" << false
        << QByteArray() << QByteArray("authorization")
        << classic << QStringList() << QStringList{ "user" };
    QTest::newRow("OpenAI gpt-5")
        << "OpenAI" << "gpt-5" << "/v1/chat/completions" << true
        << QByteArray() << QByteArray("authorization")
        << reasoningPresent << reasoningAbsent << chatRoles;
    QTest::newRow("OpenAI gpt-6.1-terra")
        << "OpenAI" << "gpt-6.1-terra" << "/v1/chat/completions" << false
        << QByteArray() << QByteArray("authorization")
        << reasoningPresent << reasoningAbsent << QStringList{ "user" };
    QTest::newRow("OpenAI o4-mini")
        << "OpenAI" << "o4-mini" << "/v1/chat/completions" << true
        << QByteArray() << QByteArray("authorization")
        << reasoningPresent << reasoningAbsent << chatRoles;
    QTest::newRow("OpenAI service on a local server, gpt-oss")
        << "OpenAI" << "gpt-oss:20b" << "/v1/chat/completions" << true
        << QByteArray() << QByteArray("authorization")
        << classic << QStringList() << chatRoles;
    QTest::newRow("DeepSeek")
        << "DeepSeek" << "deepseek-flash" << "/chat/completions" << true
        << QByteArray() << QByteArray("authorization")
        << classic << QStringList() << chatRoles;
    QTest::newRow("Azure dated API, gpt-4o deployment")
        << "Azure" << "" << "/openai/deployments/gpt-4o/chat/completions?api-version=2024-10-21" << true
        << QByteArray() << QByteArray("api-key")
        << QStringList{ "max_tokens", "temperature", "top_p", "messages" }
        << QStringList{ "model" } << chatRoles;
    QTest::newRow("Azure gpt-5-mini deployment")
        << "Azure" << "" << "/openai/deployments/gpt-5-mini/chat/completions?api-version=2025-04-01-preview" << false
        << QByteArray() << QByteArray("api-key")
        << QStringList{ "max_completion_tokens", "messages" }
        << (reasoningAbsent + QStringList{ "model" }) << QStringList{ "user" };
    QTest::newRow("Anthropic claude-sonnet-4-6, all prompts")
        << "Anthropic" << "claude-sonnet-4-6" << "/v1/messages" << true
        << QByteArray() << QByteArray("x-api-key")
        << QStringList{ "model", "max_tokens", "temperature", "system", "messages", "stream" }
        << QStringList{ "top_p", "frequency_penalty", "presence_penalty", "max_completion_tokens" }
        << QStringList{ "assistant", "user" };
    QTest::newRow("Anthropic claude-haiku-4-5 dated, user prompt only")
        << "Anthropic" << "claude-haiku-4-5-20251001" << "/v1/messages" << false
        << QByteArray() << QByteArray("x-api-key")
        << QStringList{ "model", "max_tokens", "temperature", "messages" }
        << QStringList{ "top_p", "system", "frequency_penalty" } << QStringList{ "user" };
    QTest::newRow("Anthropic claude-opus-4-7: no sampling")
        << "Anthropic" << "claude-opus-4-7" << "/v1/messages" << true
        << QByteArray() << QByteArray("x-api-key")
        << QStringList{ "model", "max_tokens", "system", "messages" }
        << QStringList{ "temperature", "top_p", "frequency_penalty" }
        << QStringList{ "assistant", "user" };
    QTest::newRow("Anthropic claude-sonnet-5-5: no sampling")
        << "Anthropic" << "claude-sonnet-5-5" << "/v1/messages" << false
        << QByteArray() << QByteArray("x-api-key")
        << QStringList{ "model", "max_tokens", "messages" }
        << QStringList{ "temperature", "top_p" } << QStringList{ "user" };
    QTest::newRow("Anthropic OpenAI-compatible endpoint")
        << "Anthropic" << "claude-sonnet-4-6" << "/v1/chat/completions" << true
        << QByteArray() << QByteArray("authorization")
        << QStringList{ "model", "max_tokens", "temperature", "messages" }
        << QStringList{ "top_p", "frequency_penalty", "presence_penalty" } << chatRoles;
    QTest::newRow("Gemini stored URL with a slash and key=")
        << "Gemini" << "gemini-3.5-flash" << "/v1beta/models/${model}/generateContent?key=" << true
        << QByteArray("/v1beta/models/gemini-3.5-flash:generateContent")
        << QByteArray("x-goog-api-key")
        << QStringList{ "contents", "systemInstruction.parts", "generationConfig.maxOutputTokens",
                        "generationConfig.temperature", "generationConfig.topP" }
        << QStringList{ "messages", "model", "max_tokens", "stream", "frequency_penalty",
                        "generationConfig.frequencyPenalty" }
        << QStringList{ "model", "user" };
    QTest::newRow("Gemini URL with the colon, user prompt only")
        << "Gemini" << "gemini-2.5-flash-lite" << "/v1beta/models/${model}:generateContent" << false
        << QByteArray("/v1beta/models/gemini-2.5-flash-lite:generateContent")
        << QByteArray("x-goog-api-key")
        << QStringList{ "contents", "generationConfig" }
        << QStringList{ "systemInstruction", "messages" } << QStringList{ "user" };
    QTest::newRow("Gemini OpenAI-compatible endpoint")
        << "Gemini" << "gemini-3.5-flash" << "/v1beta/openai/chat/completions" << true
        << QByteArray() << QByteArray("authorization")
        << QStringList{ "model", "messages", "max_tokens", "temperature" }
        << QStringList{ "frequency_penalty", "presence_penalty", "top_p", "contents" } << chatRoles;
    QTest::newRow("lower-case service name matches nothing")
        << "openai" << "gpt-5" << "/v1/chat/completions" << true << QByteArray() << QByteArray()
        << QStringList{ "max_tokens", "temperature", "top_p", "frequency_penalty", "presence_penalty", "messages" }
        << QStringList{ "model" } << chatRoles;
    // clang-format on
}

void tst_LLMRequest::requestAsReceived()
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

    PromptRecord prompt;
    prompt.userPrompt = QStringLiteral("Translate {{text list}}");
    if (withPrompts) {
        prompt.systemPrompt = QStringLiteral("You are a translator.");
        prompt.assistantPrompt = QStringLiteral("I answer with JSON only.");
    }
    TestSupport::useLLM(
        LLMConfiguration { 0, QStringLiteral("test"), server.url(urlPath), key, model, service },
        prompt);

    LLMServiceRequestHelper helper(&manager);
    const HttpServer::Request request = post(helper.requestTranslation(QStringLiteral("1. Hello")));
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.target, expectedTarget.isEmpty() ? urlPath.toUtf8() : expectedTarget);
    QVERIFY(!request.target.contains(key.toUtf8()));
    QCOMPARE(request.headers.value("content-type"), QByteArray("application/json"));
    if (authHeader.isEmpty()) {
        for (const char *name : { "authorization", "api-key", "x-api-key", "x-goog-api-key" })
            QVERIFY2(!request.headers.contains(name), name);
    } else {
        QCOMPARE(request.headers.value(authHeader),
            authHeader == "authorization" ? "Bearer " + key.toUtf8() : key.toUtf8());
    }
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

void tst_LLMRequest::preferencesCheck_data()
{
    QTest::addColumn<bool>("validate"); // else: test a prompt
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QStringList>("contents"); // of the messages sent

    // clang-format off
    QTest::newRow("validating sends only the greeting, to the service tested")
        << true << QByteArray("/v1/messages") << QStringList{ "Hello, who are you?" };
    QTest::newRow("testing a prompt sends it with the sample texts")
        << false << QByteArray("/v1/chat/completions")
        << QStringList{ "tested system",
                        "English -> Simplified Chinese, Traditional Chinese in Taiwan and "
                        "Traditional Chinese in Hong Kong:\n1. Hello, how are you?\n"
                        "2. Fine, thank you! And you?\n3. I'm fine too." };
    // clang-format on
}

void tst_LLMRequest::preferencesCheck()
{
    QFETCH(bool, validate);
    QFETCH(QByteArray, path);
    QFETCH(QStringList, contents);

    TestSupport::useLLM(LLMConfiguration { 0, QStringLiteral("in use"),
                            server.url(QStringLiteral("/v1/chat/completions")), key,
                            QStringLiteral("gpt-4o"), QStringLiteral("OpenAI") },
        PromptRecord { 0, QString(), QStringLiteral("stored system"),
            QStringLiteral("stored assistant"), QStringLiteral("stored user") });
    LLMServiceRequestHelper helper(&manager);
    const HttpServer::Request request = post(validate
            ? helper.validate(LLMConfiguration { 0, QStringLiteral("tested"), server.url(path), key,
                QStringLiteral("claude-sonnet-4-6"), QStringLiteral("Anthropic") })
            : helper.test(PromptRecord { 0, QStringLiteral("tested"),
                QStringLiteral("tested system"), QString(),
                QStringLiteral("{{source language}} -> "
                               "{{target language list}}:\n{{text list}}") }));
    QCOMPARE(request.path(), path);
    QStringList sent;
    for (const QJsonValue &message : request.json().value(QLatin1String("messages")).toArray())
        sent << message.toObject().value(QLatin1String("content")).toString();
    QCOMPARE(sent, contents);
    QVERIFY(!request.json().contains(QLatin1String("system")));
}

void tst_LLMRequest::geminiKeyNeverInUrlOrErrors()
{
    // A key typed into the stored URL (with no key field) still moves to the header.
    const LLMConfiguration configuration { 0, QStringLiteral("gemini"),
        server.url(QStringLiteral("/v1beta/models/${model}/generateContent?key=") + key), QString(),
        QStringLiteral("gemini-3.5-flash"), QStringLiteral("Gemini") };
    server.enqueue(HttpServer::Response::json("not json at all", 404));
    LLMServiceRequestHelper helper(&manager);
    LLMServiceReplyHelper *reply = helper.validate(configuration);
    QSignalSpy errors(reply,
        qOverload<QNetworkReply::NetworkError, const QString &>(&NetworkReplyHelper::errorMessage));
    const HttpServer::Request request = post(reply);
    QCOMPARE(request.target, QByteArray("/v1beta/models/gemini-3.5-flash:generateContent"));
    QCOMPARE(request.headers.value("x-goog-api-key"), key.toUtf8());
    QVERIFY(!errors.isEmpty());
    // The network layer's text quotes the URL; it must hold no key.
    QVERIFY(errors.last().at(1).toString().contains(QLatin1String("generateContent")));
    QVERIFY(!errors.last().at(1).toString().contains(key));
}

void tst_LLMRequest::geminiStreamUsesTheSseMethod()
{
    const LLMConfiguration configuration { 0, QString(),
        QStringLiteral("https://generativelanguage.googleapis.com/v1beta/models/"
                       "${model}:generateContent?key="),
        key, QStringLiteral("gemini-3.5-flash"), QStringLiteral("Gemini") };
    QByteArray body;
    const QNetworkRequest request = LLMServiceRequestHelper::buildRequest(
        configuration, QString(), QString(), QStringLiteral("Hi"), true, &body);
    QCOMPARE(request.url().path(),
        QStringLiteral("/v1beta/models/gemini-3.5-flash:streamGenerateContent"));
    QCOMPARE(request.url().query(), QStringLiteral("alt=sse"));
    QCOMPARE(request.rawHeader("x-goog-api-key"), key.toUtf8());
    QVERIFY(!body.contains("\"stream\""));
}

void tst_LLMRequest::fillPrompt_data()
{
    QTest::addColumn<QString>("promptTemplate");
    QTest::addColumn<QStringList>("targets");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("placeholder twice")
        << "{{source language}} to {{target language list}}; again {{target language list}}"
        << QStringList{ "German" } << QStringList() << "English to German; again German";
    QTest::newRow("two languages") << "{{target language list}}" << QStringList{ "A", "B" }
                                   << QStringList() << "A and B";
    QTest::newRow("three languages") << "{{target language list}}"
                                     << QStringList{ "A", "B", "C" } << QStringList() << "A, B and C";
    QTest::newRow("numbered texts") << "[{{text list}}]" << QStringList{ "German" }
                                    << QStringList{ "Open", "Say \"\"hi\"\"\\nthere" }
                                    << "[1. Open\n2. Say \"\"hi\"\"\\nthere]";
    QTest::newRow("empty text list") << "[{{text list}}]" << QStringList{ "German" }
                                     << QStringList() << "[]";
    QTest::newRow("placeholders are case-sensitive")
        << "{{Source Language}} {{text list}}" << QStringList{ "German" } << QStringList{ "x" }
        << "{{Source Language}} 1. x";
    // clang-format on
}

void tst_LLMRequest::fillPrompt()
{
    QFETCH(QString, promptTemplate);
    QFETCH(QStringList, targets);
    QFETCH(QStringList, texts);
    QFETCH(QString, expected);
    QCOMPARE(LLMServiceRequestHelper::fillPrompt(
                 QStringLiteral("English"), targets, texts, promptTemplate),
        expected);
}

QTEST_GUILESS_MAIN(tst_LLMRequest)
#include "tst_llmrequest.moc"
