#pragma once

#include "llm/llmserviceprofile.h"
#include "llm/networkreplyhelper.h"

#include <QModelIndex>

class QJsonObject;

// The reply to one chat request: leaves behind the model's answer text, or an error message
// that says why there is none, then emits done().
class LLMServiceReplyHelper final : public NetworkReplyHelper
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LLMServiceReplyHelper)

public:
    explicit LLMServiceReplyHelper(
        QNetworkReply *reply, QIODevice *outputDevice = nullptr, QObject *parent = nullptr);

    bool succeeded() const { return success; }
    QString answer() const { return answerText; }
    QList<QModelIndex> cells() const { return cellList; }
    void setCells(const QList<QModelIndex> &cells) { cellList = cells; }

    // The shape of answer to expect; set by the request builder.
    LLMServiceProfile::Dialect dialect() const { return serviceDialect; }
    void setDialect(LLMServiceProfile::Dialect dialect) { serviceDialect = dialect; }

    // What a failed (or cut-off) reply asks of its sender.
    enum class Failure {
        None,
        Retry, // a server error, a time-out, a malformed body: may work next time
        Throttle, // rate limited or overloaded: the service wants fewer requests for a while
        Fatal, // a bad key or model, a bad request, no quota left: no retry can cure it
        Filtered, // the service refused this text
        Truncated, // the answer was cut off at the output limit
        UnsupportedParameter, // the model refuses a request field; unsupportedParameter() names it
    };
    Failure failure() const { return failureKind; }
    QString unsupportedParameter() const { return refusedParameter; }
    // The wait the service asked for (a Retry-After header or the like), or -1.
    qint64 retryAfterMs() const { return retryAfter; }
    // The tokens the service counted for this request, 0 when it did not say.
    qint64 tokensUsed() const { return tokens; }

    // Parses a whole (not streamed) answer document; on failure returns false and sets
    // `error`. Public so the preferences and tests can read documents the same way.
    static bool parseAnswer(LLMServiceProfile::Dialect dialect, const QByteArray &body,
        QString *answer, QString *error);
    // The message of a service error document of any of the services, or an empty string.
    static QString serviceError(const QByteArray &body);

protected:
    void postFinished() override;
    QByteArray preprocessChunk(const QByteArray &chunk) override;

private:
    bool isStream() const;
    QString eventText(const QJsonObject &event) const;
    void processEventLine(QByteArray line, QByteArray *text);
    void classify(const QByteArray &body);

    QList<QModelIndex> cellList;
    QString answerText;
    LLMServiceProfile::Dialect serviceDialect = LLMServiceProfile::Dialect::OpenAIChat;
    bool success = false;
    Failure failureKind = Failure::None;
    QString refusedParameter;
    qint64 retryAfter = -1;
    qint64 tokens = 0;
    // Streaming: an event line cut by a network read waits here for its end, and the raw
    // bytes are kept so that an error document sent instead of events can still be read.
    QByteArray pendingLine;
    QByteArray rawBody;
    bool sawEvent = false;
    bool truncated = false;
};
