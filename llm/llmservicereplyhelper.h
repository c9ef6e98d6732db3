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
    explicit LLMServiceReplyHelper(QNetworkReply *reply, QIODevice *outputDevice = nullptr,
                                   QObject *parent = nullptr);

    bool succeeded() const { return success; }
    QString answer() const { return answerText; }
    QList<QModelIndex> cells() const { return cellList; }
    void setCells(const QList<QModelIndex> &cells) { cellList = cells; }

    // The shape of answer to expect; set by the request builder.
    LLMServiceProfile::Dialect dialect() const { return serviceDialect; }
    void setDialect(LLMServiceProfile::Dialect dialect) { serviceDialect = dialect; }
    // A text (the API key) that must never appear in an error message.
    void setSecret(const QString &secret) { secretText = secret; }

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
    QString redacted(const QString &text) const;

    QList<QModelIndex> cellList;
    QString answerText;
    QString secretText;
    LLMServiceProfile::Dialect serviceDialect = LLMServiceProfile::Dialect::OpenAIChat;
    bool success = false;
    // Streaming: an event line cut by a network read waits here for its end, and the raw
    // bytes are kept so that an error document sent instead of events can still be read.
    QByteArray pendingLine;
    QByteArray rawBody;
    bool sawEvent = false;
};
