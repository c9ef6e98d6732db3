#include "llm/llmservicereplyhelper.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

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
    const QJsonValue parts =
        candidate.value(QLatin1String("content")).toObject().value(QLatin1String("parts"));
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
            QStringLiteral("BLOCKLIST"), QStringLiteral("PROHIBITED_CONTENT"),
            QStringLiteral("SPII") };
        *error = blocked.contains(finishReason)
            ? filteredText(finishReason)
            : LLMServiceReplyHelper::tr("Unexpected response, content field is missing");
        return false;
    }
    *answer = text;
    return true;
}

// Why the model stopped, in any service's words: OpenAI's choice, Anthropic's message (or a
// streamed message_delta) and Gemini's candidate each carry it elsewhere.
QString stopReason(const QJsonObject &object)
{
    const QJsonObject choice = object.value(QLatin1String("choices")).toArray().first().toObject();
    const QJsonObject candidate =
        object.value(QLatin1String("candidates")).toArray().first().toObject();
    for (const QJsonValue &reason :
        { choice.value(QLatin1String("finish_reason")), object.value(QLatin1String("stop_reason")),
            object.value(QLatin1String("delta")).toObject().value(QLatin1String("stop_reason")),
            candidate.value(QLatin1String("finishReason")) }) {
        if (reason.isString())
            return reason.toString();
    }
    return {};
}

bool isCutOff(const QJsonObject &object)
{
    const QString reason = stopReason(object);
    return reason == QLatin1String("length") || reason == QLatin1String("max_tokens")
        || reason == QLatin1String("MAX_TOKENS");
}

qint64 usageOf(const QJsonObject &object)
{
    const QJsonObject usage = object.value(QLatin1String("usage")).toObject();
    if (usage.contains(QLatin1String("total_tokens")))
        return usage.value(QLatin1String("total_tokens")).toInteger();
    if (!usage.isEmpty())
        return usage.value(QLatin1String("input_tokens")).toInteger()
            + usage.value(QLatin1String("output_tokens")).toInteger();
    return object.value(QLatin1String("usageMetadata"))
        .toObject()
        .value(QLatin1String("totalTokenCount"))
        .toInteger();
}

// The request fields a model may refuse; an error naming one is cured by leaving it out.
QString refusedField(const QJsonObject &body, const QString &message)
{
    static const QStringList fields = { QStringLiteral("max_tokens"),
        QStringLiteral("max_completion_tokens"), QStringLiteral("temperature"),
        QStringLiteral("top_p"), QStringLiteral("frequency_penalty"),
        QStringLiteral("presence_penalty") };
    static const QRegularExpression refusal(
        QStringLiteral("unsupported|not supported|unrecognized request argument|extra inputs"
                       "|unknown name|deprecated|not allowed|not permitted"),
        QRegularExpression::CaseInsensitiveOption);
    const QString param =
        body.value(QLatin1String("error")).toObject().value(QLatin1String("param")).toString();
    if (fields.contains(param))
        return param;
    if (!refusal.match(message).hasMatch())
        return {};
    // "Unsupported parameter: 'max_tokens' ... Use 'max_completion_tokens' instead." names
    // the refused field first.
    QString first;
    qsizetype firstAt = -1;
    for (const QString &field : fields) {
        const QRegularExpression word(QStringLiteral("\\b%1\\b").arg(field));
        const QRegularExpressionMatch match = word.match(message);
        if (match.hasMatch() && (firstAt < 0 || match.capturedStart() < firstAt)) {
            first = field;
            firstAt = match.capturedStart();
        }
    }
    return first;
}

// A wait the service asked for: the retry headers, Gemini's RetryInfo, or OpenAI's "Please try
// again in 9.816s" in the message.
qint64 requestedWait(const QNetworkReply *reply, const QJsonObject &body, const QString &message)
{
    if (reply) {
        bool ok = false;
        const double ms = reply->rawHeader("retry-after-ms").toDouble(&ok);
        if (ok && ms >= 0)
            return qint64(ms);
        const QByteArray header = reply->rawHeader("retry-after").trimmed();
        const double seconds = header.toDouble(&ok);
        if (ok && seconds >= 0)
            return qint64(seconds * 1000);
        const QDateTime date = QDateTime::fromString(QString::fromLatin1(header), Qt::RFC2822Date);
        if (date.isValid())
            return qMax<qint64>(0, QDateTime::currentDateTimeUtc().msecsTo(date));
    }
    static const QRegularExpression delay(QStringLiteral("^(\\d+(?:\\.\\d+)?)s$"));
    for (const QJsonValue &detail :
        body.value(QLatin1String("error")).toObject().value(QLatin1String("details")).toArray()) {
        const QRegularExpressionMatch match =
            delay.match(detail.toObject().value(QLatin1String("retryDelay")).toString());
        if (match.hasMatch())
            return qint64(match.captured(1).toDouble() * 1000);
    }
    static const QRegularExpression again(
        QStringLiteral("try again in (\\d+(?:\\.\\d+)?)(ms|s)\\b"));
    const QRegularExpressionMatch match = again.match(message);
    if (match.hasMatch())
        return qint64(
            match.captured(1).toDouble() * (match.captured(2) == QLatin1String("s") ? 1000 : 1));
    return -1;
}

} // namespace

LLMServiceReplyHelper::LLMServiceReplyHelper(
    QNetworkReply *reply, QIODevice *outputDevice, QObject *parent)
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

bool LLMServiceReplyHelper::parseAnswer(
    Dialect dialect, const QByteArray &body, QString *answer, QString *error)
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
    classify(isStream() ? rawBody : *content());
    NetworkReplyHelper::postFinished();
}

void LLMServiceReplyHelper::classify(const QByteArray &body)
{
    const QJsonObject object = topLevelObject(body);
    if (!isStream()) {
        truncated = truncated || isCutOff(object);
        tokens = usageOf(object);
    }
    const QString message = errorMessage();
    retryAfter = requestedWait(reply(), object, message);
    const int status = httpStatus();
    if (truncated) {
        failureKind = Failure::Truncated;
    } else if (success) {
        failureKind = Failure::None;
    } else if (message.contains(QLatin1String("The response was filtered"), Qt::CaseInsensitive)) {
        failureKind = Failure::Filtered;
    } else if (status == 400 && !(refusedParameter = refusedField(object, message)).isEmpty()) {
        failureKind = Failure::UnsupportedParameter;
    } else if (status == 429) {
        // An empty account stays empty however long one waits.
        static const QRegularExpression quota(
            QStringLiteral("insufficient_quota|exceeded your current quota|billing"),
            QRegularExpression::CaseInsensitiveOption);
        failureKind = quota.match(message + QString::fromUtf8(body)).hasMatch() ? Failure::Fatal
                                                                                : Failure::Throttle;
    } else if (status == 503 || status == 529) {
        failureKind = Failure::Throttle;
    } else if (status >= 500 || status == 408 || status == 409 || status == 425) {
        failureKind = Failure::Retry;
    } else if (status >= 400) {
        failureKind = Failure::Fatal;
    } else if (status == 0) {
        switch (networkError()) {
        case QNetworkReply::HostNotFoundError:
        case QNetworkReply::SslHandshakeFailedError:
        case QNetworkReply::ProtocolUnknownError:
        case QNetworkReply::ProtocolInvalidOperationError:
            failureKind = Failure::Fatal;
            break;
        default:
            failureKind = Failure::Retry;
        }
    } else {
        failureKind = Failure::Retry;
    }
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
    truncated = truncated || isCutOff(event);
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
