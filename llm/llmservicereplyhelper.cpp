#include "llm/llmservicereplyhelper.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <utility>

namespace {

using Dialect = LLMServiceProfile::Dialect;

QJsonObject topLevelObject(const QByteArray &body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (document.isObject())
        return document.object();
    // Gemini's OpenAI-compatible endpoint wraps some errors in an array.
    if (document.isArray() && document.array().first().isObject())
        return document.array().first().toObject();
    return {};
}

QString errorMessageOf(const QJsonObject &object)
{
    const QJsonValue error = object.value(QLatin1String("error"));
    if (!error.isObject())
        return {};
    const QJsonValue message = error.toObject().value(QLatin1String("message"));
    return message.isString() ? message.toString() : QString();
}

QString filteredText(const QString &reason)
{
    return LLMServiceReplyHelper::tr("The response was filtered (%1).").arg(reason);
}

// Gemini's candidate text: every part's text except the model's thoughts.
bool geminiCandidateText(const QJsonObject &candidate, QString *text)
{
    const QJsonValue parts = candidate.value(QLatin1String("content"))
                                 .toObject()
                                 .value(QLatin1String("parts"));
    if (!parts.isArray())
        return false;
    for (const QJsonValue &part : parts.toArray()) {
        const QJsonObject object = part.toObject();
        if (object.value(QLatin1String("thought")).toBool())
            continue;
        text->append(object.value(QLatin1String("text")).toString());
    }
    return true;
}

bool parseOpenAI(const QJsonObject &object, QString *answer, QString *error)
{
    const QJsonArray choices = object.value(QLatin1String("choices")).toArray();
    if (choices.isEmpty() || !choices.first().isObject()) {
        *error = LLMServiceReplyHelper::tr("Unexpected response, choices field is missing");
        return false;
    }
    const QJsonObject choice = choices.first().toObject();
    const QJsonValue message = choice.value(QLatin1String("message"));
    if (!message.isObject()) {
        *error = LLMServiceReplyHelper::tr("Unexpected response, message field is missing");
        return false;
    }
    const QJsonValue role = message.toObject().value(QLatin1String("role"));
    const QJsonValue content = message.toObject().value(QLatin1String("content"));
    if (!role.isString() || !content.isString()) {
        const QString finishReason = choice.value(QLatin1String("finish_reason")).toString();
        *error = finishReason == QLatin1String("content_filter")
            ? filteredText(finishReason)
            : LLMServiceReplyHelper::tr("Unexpected response, role or content field is missing");
        return false;
    }
    *answer = content.toString();
    return true;
}

bool parseAnthropic(const QJsonObject &object, QString *answer, QString *error)
{
    const QJsonValue content = object.value(QLatin1String("content"));
    if (!content.isArray()) {
        *error = LLMServiceReplyHelper::tr("Unexpected response, content field is missing");
        return false;
    }
    if (object.value(QLatin1String("stop_reason")).toString() == QLatin1String("refusal")) {
        *error = filteredText(QStringLiteral("refusal"));
        return false;
    }
    QString text;
    for (const QJsonValue &block : content.toArray()) {
        const QJsonObject blockObject = block.toObject();
        if (blockObject.value(QLatin1String("type")).toString() == QLatin1String("text"))
            text += blockObject.value(QLatin1String("text")).toString();
    }
    *answer = text;
    return true;
}

bool parseGemini(const QJsonObject &object, QString *answer, QString *error)
{
    const QJsonArray candidates = object.value(QLatin1String("candidates")).toArray();
    if (candidates.isEmpty() || !candidates.first().isObject()) {
        const QString blockReason = object.value(QLatin1String("promptFeedback"))
                                        .toObject()
                                        .value(QLatin1String("blockReason"))
                                        .toString();
        *error = blockReason.isEmpty()
            ? LLMServiceReplyHelper::tr("Unexpected response, candidates field is missing")
            : filteredText(blockReason);
        return false;
    }
    const QJsonObject candidate = candidates.first().toObject();
    QString text;
    if (!geminiCandidateText(candidate, &text)) {
        const QString finishReason = candidate.value(QLatin1String("finishReason")).toString();
        static const QStringList blocked = { QStringLiteral("SAFETY"), QStringLiteral("RECITATION"),
                                             QStringLiteral("BLOCKLIST"),
                                             QStringLiteral("PROHIBITED_CONTENT"),
                                             QStringLiteral("SPII") };
        *error = blocked.contains(finishReason)
            ? filteredText(finishReason)
            : LLMServiceReplyHelper::tr("Unexpected response, content field is missing");
        return false;
    }
    *answer = text;
    return true;
}

} // namespace

LLMServiceReplyHelper::LLMServiceReplyHelper(QNetworkReply *reply, QIODevice *outputDevice,
                                             QObject *parent)
    : NetworkReplyHelper(reply, outputDevice, parent)
{
}

bool LLMServiceReplyHelper::isStream() const
{
    return property("isStream").toBool();
}

QString LLMServiceReplyHelper::serviceError(const QByteArray &body)
{
    return errorMessageOf(topLevelObject(body));
}

bool LLMServiceReplyHelper::parseAnswer(Dialect dialect, const QByteArray &body, QString *answer,
                                        QString *error)
{
    const QJsonObject object = topLevelObject(body);
    const QLatin1String field = dialect == Dialect::AnthropicMessages ? QLatin1String("content")
        : dialect == Dialect::GeminiGenerateContent                   ? QLatin1String("candidates")
                                                                      : QLatin1String("choices");
    if (!object.value(field).isArray()) {
        const QString message = errorMessageOf(object);
        if (!message.isEmpty()) {
            *error = message;
            return false;
        }
    }
    switch (dialect) {
    case Dialect::AnthropicMessages:
        return parseAnthropic(object, answer, error);
    case Dialect::GeminiGenerateContent:
        return parseGemini(object, answer, error);
    case Dialect::OpenAIChat:
        break;
    }
    return parseOpenAI(object, answer, error);
}

QString LLMServiceReplyHelper::redacted(const QString &text) const
{
    if (secretText.size() < 4)
        return text;
    QString result = text;
    return result.replace(secretText, QStringLiteral("***"));
}

void LLMServiceReplyHelper::postFinished()
{
    success = false;
    QString error;
    if (isStream()) {
        if (!pendingLine.isEmpty()) {
            QByteArray text;
            processEventLine(std::exchange(pendingLine, {}), &text);
            content()->append(text);
        }
        const QString streamError = serviceError(rawBody);
        if (sawEvent && streamError.isEmpty()) {
            answerText = QString::fromUtf8(*content());
            success = true;
        } else if (!streamError.isEmpty()) {
            error = streamError;
        } else {
            // No event at all: the server answered with one whole document instead.
            success = parseAnswer(serviceDialect, rawBody, &answerText, &error);
        }
    } else {
        success = parseAnswer(serviceDialect, *content(), &answerText, &error);
    }
    // With nothing received the network's own text (refused, timed out, TLS) says more
    // than any complaint about the missing body.
    if (!success && !(content()->isEmpty() && rawBody.isEmpty() && !isOk()))
        setErrorMessage(error);
    setErrorMessage(redacted(errorMessage()));
    NetworkReplyHelper::postFinished();
}

QString LLMServiceReplyHelper::eventText(const QJsonObject &event) const
{
    QString text;
    switch (serviceDialect) {
    case Dialect::AnthropicMessages: {
        const QJsonObject delta = event.value(QLatin1String("delta")).toObject();
        if (event.value(QLatin1String("type")).toString() == QLatin1String("content_block_delta")
            && delta.value(QLatin1String("type")).toString() == QLatin1String("text_delta"))
            text = delta.value(QLatin1String("text")).toString();
        break;
    }
    case Dialect::GeminiGenerateContent:
        geminiCandidateText(
            event.value(QLatin1String("candidates")).toArray().first().toObject(), &text);
        break;
    case Dialect::OpenAIChat:
        // Some local servers repeat the role in every delta, so the content is taken
        // whether or not a role comes with it.
        for (const QJsonValue &choice : event.value(QLatin1String("choices")).toArray()) {
            const QJsonValue content = choice.toObject()
                                           .value(QLatin1String("delta"))
                                           .toObject()
                                           .value(QLatin1String("content"));
            if (content.isString())
                text += content.toString();
        }
        break;
    }
    return text;
}

void LLMServiceReplyHelper::processEventLine(QByteArray line, QByteArray *text)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (!line.startsWith("data:"))
        return; // blank separators, "event:" names and ":" keep-alive comments
    const QByteArray payload = line.mid(5).trimmed();
    if (payload == "[DONE]")
        return;
    const QJsonDocument document = QJsonDocument::fromJson(payload);
    if (!document.isObject())
        return;
    const QJsonObject event = document.object();
    if (event.contains(QLatin1String("error"))) {
        // An error inside an answered stream (Anthropic's "overloaded_error", for one).
        rawBody = payload;
        return;
    }
    sawEvent = true;
    text->append(eventText(event).toUtf8());
}

QByteArray LLMServiceReplyHelper::preprocessChunk(const QByteArray &chunk)
{
    if (!isStream())
        return chunk;
    if (!serviceError(rawBody).isEmpty())
        return {};
    rawBody.append(chunk);
    pendingLine.append(chunk);
    QByteArray text;
    qsizetype start = 0;
    for (qsizetype end = pendingLine.indexOf('\n'); end >= 0;
         end = pendingLine.indexOf('\n', start)) {
        processEventLine(pendingLine.mid(start, end - start), &text);
        start = end + 1;
    }
    pendingLine.remove(0, start);
    return text;
}
