#include "llm/llmservicerequesthelper.h"

#include "llm/llmserviceprofile.h"
#include "llm/llmservicereplyhelper.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QUrlQuery>

namespace {

using Dialect = LLMServiceProfile::Dialect;

QJsonObject message(const QString &role, const QString &content)
{
    return QJsonObject { { QStringLiteral("role"), role }, { QStringLiteral("content"), content } };
}

void setBearer(QNetworkRequest &request, const QString &key)
{
    // Local servers run without a key; an empty bearer is no authentication either.
    if (!key.isEmpty())
        request.setRawHeader("Authorization", "Bearer " + key.toUtf8());
}

// The generic body's messages as the native APIs want them: the system texts joined apart,
// the rest as (is the model's turn, text).
QList<QPair<bool, QString>> conversation(const QJsonObject &generic, QString *system)
{
    QStringList systemTexts;
    QList<QPair<bool, QString>> turns;
    for (const QJsonValue &value : generic.value(QStringLiteral("messages")).toArray()) {
        const QJsonObject object = value.toObject();
        const QString role = object.value(QStringLiteral("role")).toString();
        const QString content = object.value(QStringLiteral("content")).toString();
        if (role == QLatin1String("system"))
            systemTexts << content;
        else
            turns.append({ role == QLatin1String("assistant"), content });
    }
    *system = systemTexts.join(QLatin1Char('\n'));
    return turns;
}

// Keeps the generic body's fields the model accepts, renaming the cap for reasoning models.
void applyProfile(const LLMServiceProfile &profile, QJsonObject &body)
{
    body.remove(QStringLiteral("max_tokens"));
    if (profile.outputCap)
        body.insert(profile.maxCompletionTokens ? QStringLiteral("max_completion_tokens")
                                                : QStringLiteral("max_tokens"),
            profile.outputTokens);
    if (!profile.temperature)
        body.remove(QStringLiteral("temperature"));
    if (!profile.topP)
        body.remove(QStringLiteral("top_p"));
    if (!profile.penalties) {
        body.remove(QStringLiteral("frequency_penalty"));
        body.remove(QStringLiteral("presence_penalty"));
    }
}

QJsonObject anthropicBody(
    const LLMServiceProfile &profile, const QString &model, const QJsonObject &generic)
{
    QJsonObject body;
    body.insert(QStringLiteral("model"), model);
    body.insert(QStringLiteral("max_tokens"), profile.outputTokens);
    if (profile.temperature)
        body.insert(QStringLiteral("temperature"), generic.value(QStringLiteral("temperature")));
    body.insert(QStringLiteral("stream"), generic.value(QStringLiteral("stream")));
    QString system;
    QJsonArray messages;
    for (const auto &[role, content] : conversation(generic, &system))
        messages.append(
            message(role ? QStringLiteral("assistant") : QStringLiteral("user"), content));
    if (!system.isEmpty())
        body.insert(QStringLiteral("system"), system);
    body.insert(QStringLiteral("messages"), messages);
    return body;
}

QJsonObject geminiBody(const LLMServiceProfile &profile, const QJsonObject &generic)
{
    QJsonObject config;
    config.insert(QStringLiteral("maxOutputTokens"), profile.outputTokens);
    if (profile.temperature)
        config.insert(QStringLiteral("temperature"), generic.value(QStringLiteral("temperature")));
    if (profile.topP)
        config.insert(QStringLiteral("topP"), generic.value(QStringLiteral("top_p")));

    QString system;
    QJsonArray contents;
    for (const auto &[role, content] : conversation(generic, &system)) {
        const QJsonArray parts { QJsonObject { { QStringLiteral("text"), content } } };
        contents.append(QJsonObject {
            { QStringLiteral("role"), role ? QStringLiteral("model") : QStringLiteral("user") },
            { QStringLiteral("parts"), parts } });
    }
    QJsonObject body;
    if (!system.isEmpty()) {
        const QJsonArray parts { QJsonObject { { QStringLiteral("text"), system } } };
        body.insert(QStringLiteral("systemInstruction"),
            QJsonObject { { QStringLiteral("parts"), parts } });
    }
    body.insert(QStringLiteral("contents"), contents);
    body.insert(QStringLiteral("generationConfig"), config);
    return body;
}

// Gemini's stored URLs carry "${model}" and end in "key=" waiting for the key; older ones
// write "models/<model>/generateContent" where the service wants a colon. The key moves to a
// header so that no URL (which error texts and logs quote) ever holds it.
QUrl geminiUrl(const LLMConfiguration &configuration, bool stream, bool native, QString *key)
{
    QString text = configuration.apiurl;
    text.replace(QLatin1String("${model}"), configuration.model);
    QUrl url = QUrl::fromUserInput(text.trimmed());
    QUrlQuery query(url);
    const QString keyInUrl = query.queryItemValue(QStringLiteral("key"), QUrl::FullyDecoded);
    query.removeAllQueryItems(QStringLiteral("key"));
    *key = configuration.apikey.isEmpty() ? keyInUrl : configuration.apikey;
    if (native) {
        static const QRegularExpression method(
            QStringLiteral("/models/([^/:]+)[/:](?:stream)?[gG]enerateContent$"));
        QString path = url.path();
        const QString methodName =
            stream ? QStringLiteral("streamGenerateContent") : QStringLiteral("generateContent");
        path.replace(method, QStringLiteral("/models/\\1:") + methodName);
        url.setPath(path);
        if (stream && !query.hasQueryItem(QStringLiteral("alt")))
            query.addQueryItem(QStringLiteral("alt"), QStringLiteral("sse"));
    }
    url.setQuery(query.isEmpty() ? QString() : query.query(QUrl::FullyEncoded), QUrl::StrictMode);
    return url;
}

} // namespace

LLMServiceRequestHelper::LLMServiceRequestHelper(QNetworkAccessManager *manager, QObject *parent)
    : QObject(parent)
    , manager(manager)
{
}

QString LLMServiceRequestHelper::fillPrompt(const QString &sourceLanguage,
    const QStringList &targetLanguages, const QStringList &texts, const QString &promptTemplate,
    const QStringList &notes)
{
    QString targets;
    if (targetLanguages.size() == 1) {
        targets = targetLanguages.first();
    } else if (!targetLanguages.isEmpty()) {
        targets = targetLanguages.mid(0, targetLanguages.size() - 1).join(QLatin1String(", "))
            + QLatin1String(" and ") + targetLanguages.last();
    }

    // Notes name the number of their text; texts without notes have no line. They do not
    // start like a numbered text, so that nobody takes them for one more text to translate.
    QStringList lines;
    QStringList noteLines;
    lines.reserve(texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        lines << QString::number(i + 1) + QLatin1String(". ") + texts.at(i);
        if (!notes.value(i).isEmpty())
            noteLines << QStringLiteral("Text %1: ").arg(i + 1) + notes.at(i);
    }

    // One pass over the template: a text or note that happens to hold a placeholder's
    // spelling goes out as written.
    const QHash<QString, QString> values {
        { QStringLiteral("{{source language}}"), sourceLanguage },
        { QStringLiteral("{{target language list}}"), targets },
        { QStringLiteral("{{note list}}"),
            noteLines.isEmpty() ? QStringLiteral("(none)") : noteLines.join(QLatin1Char('\n')) },
        { QStringLiteral("{{text list}}"), lines.join(QLatin1Char('\n')) },
    };
    static const QRegularExpression placeholder(
        QStringLiteral("\\{\\{(?:source language|target language list|note list|text list)\\}\\}"));
    QString result;
    qsizetype done = 0;
    for (QRegularExpressionMatchIterator it = placeholder.globalMatch(promptTemplate);
         it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(promptTemplate).mid(done, match.capturedStart() - done);
        result += values.value(match.captured());
        done = match.capturedEnd();
    }
    result += QStringView(promptTemplate).mid(done);
    return result;
}

QString LLMServiceRequestHelper::fillTestPrompt(const QString &promptTemplate)
{
    return fillPrompt(QStringLiteral("English"),
        { QStringLiteral("Simplified Chinese"), QStringLiteral("Traditional Chinese in Taiwan"),
            QStringLiteral("Traditional Chinese in Hong Kong") },
        { QStringLiteral("Hello, how are you?"), QStringLiteral("Fine, thank you! And you?"),
            QStringLiteral("I'm fine too.") },
        promptTemplate);
}

void LLMServiceRequestHelper::applyServiceSettings(
    const LLMConfiguration &configuration, QNetworkRequest &request, QJsonObject &body)
{
    const QString &service = configuration.service;
    const LLMServiceProfile profile = LLMServiceProfile::forConfiguration(configuration);
    const QByteArray key = configuration.apikey.toUtf8();

    if (service == QLatin1String("OpenAI") || service == QLatin1String("DeepSeek")) {
        body.insert(QStringLiteral("model"), configuration.model);
        applyProfile(profile, body);
        setBearer(request, configuration.apikey);
    } else if (service == QLatin1String("Azure")) {
        // The v1 API names the deployment in the body; the dated API has it in the path.
        if (!configuration.model.isEmpty()
            && !configuration.apiurl.contains(QLatin1String("/deployments/")))
            body.insert(QStringLiteral("model"), configuration.model);
        applyProfile(profile, body);
        request.setRawHeader("api-key", key);
    } else if (service == QLatin1String("Anthropic")) {
        if (profile.dialect == Dialect::OpenAIChat) {
            body.insert(QStringLiteral("model"), configuration.model);
            applyProfile(profile, body);
            setBearer(request, configuration.apikey);
        } else {
            body = anthropicBody(profile, configuration.model, body);
            request.setRawHeader("x-api-key", key);
            request.setRawHeader("anthropic-version", "2023-06-01");
        }
    } else if (service == QLatin1String("Gemini")) {
        const bool native = profile.dialect == Dialect::GeminiGenerateContent;
        QString geminiKey;
        request.setUrl(geminiUrl(
            configuration, body.value(QStringLiteral("stream")).toBool(), native, &geminiKey));
        if (native) {
            body = geminiBody(profile, body);
            if (!geminiKey.isEmpty())
                request.setRawHeader("x-goog-api-key", geminiKey.toUtf8());
        } else {
            body.insert(QStringLiteral("model"), configuration.model);
            applyProfile(profile, body);
            setBearer(request, geminiKey);
        }
    }
}

QNetworkRequest LLMServiceRequestHelper::buildRequest(const LLMConfiguration &configuration,
    const QString &systemPrompt, const QString &assistantPrompt, const QString &userPrompt,
    bool stream, QByteArray *body)
{
    QNetworkRequest request(QUrl::fromUserInput(configuration.apiurl.trimmed()));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));

    QJsonObject object {
        { QStringLiteral("max_tokens"), 2048 },
        { QStringLiteral("temperature"), 0.2 },
        { QStringLiteral("top_p"), 1 },
        { QStringLiteral("frequency_penalty"), 0 },
        { QStringLiteral("presence_penalty"), 0 },
        { QStringLiteral("stream"), stream },
    };
    QJsonArray messages;
    if (!systemPrompt.isEmpty())
        messages.append(message(QStringLiteral("system"), systemPrompt));
    if (!assistantPrompt.isEmpty())
        messages.append(message(QStringLiteral("assistant"), assistantPrompt));
    messages.append(message(QStringLiteral("user"), userPrompt));
    object.insert(QStringLiteral("messages"), messages);

    applyServiceSettings(configuration, request, object);
    if (body)
        *body = QJsonDocument(object).toJson();
    return request;
}

LLMServiceReplyHelper *LLMServiceRequestHelper::post(const LLMConfiguration &configuration,
    const QString &systemPrompt, const QString &assistantPrompt, const QString &userPrompt,
    bool stream)
{
    QByteArray body;
    const QNetworkRequest request =
        buildRequest(configuration, systemPrompt, assistantPrompt, userPrompt, stream, &body);
    auto *reply = new LLMServiceReplyHelper(manager->post(request, body));
    reply->setDialect(LLMServiceProfile::forConfiguration(configuration).dialect);
    reply->setSecret(configuration.apikey);
    reply->setProperty("isStream", stream);
    return reply;
}

LLMServiceReplyHelper *LLMServiceRequestHelper::requestTranslation(
    const LLMSetup &setup, const QString &userPrompt)
{
    return post(setup.configuration, setup.prompt.systemPrompt, setup.prompt.assistantPrompt,
        userPrompt, setup.stream);
}

LLMServiceReplyHelper *LLMServiceRequestHelper::validate(const LLMConfiguration &configuration)
{
    return post(configuration, QString(), QString(), QStringLiteral("Hello, who are you?"));
}

LLMServiceReplyHelper *LLMServiceRequestHelper::test(
    const LLMConfiguration &configuration, const PromptRecord &prompt)
{
    return post(configuration, prompt.systemPrompt, prompt.assistantPrompt,
        fillTestPrompt(prompt.userPrompt));
}
