#pragma once

#include "settings/llmrecords.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

class LLMServiceReplyHelper;
class QJsonObject;
class QNetworkAccessManager;
class QNetworkRequest;

// Turns an LLM configuration, a prompt and the user text into one chat request, posts it and
// hands back the reply object, which the caller owns and deletes after its done() signal.
class LLMServiceRequestHelper final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LLMServiceRequestHelper)

public:
    explicit LLMServiceRequestHelper(QNetworkAccessManager *manager, QObject *parent = nullptr);

    // The setup's configuration with its system and assistant prompts and the given user text.
    LLMServiceReplyHelper *requestTranslation(const LLMSetup &setup, const QString &userPrompt);
    // A greeting to the given configuration: answers whether URL, key and model work.
    LLMServiceReplyHelper *validate(const LLMConfiguration &configuration);
    // The tested prompt, filled with fixed sample texts, sent to the given configuration.
    LLMServiceReplyHelper *test(const LLMConfiguration &configuration, const PromptRecord &prompt);

    // `notes` holds what the files say about each text (empty where nothing), in the order of
    // `texts`; a template without "{{note list}}" leaves them out.
    static QString fillPrompt(const QString &sourceLanguage, const QStringList &targetLanguages,
        const QStringList &texts, const QString &promptTemplate,
        const QStringList &notes = QStringList());
    static QString fillTestPrompt(const QString &promptTemplate);

    // Turns the generic chat body (model-less, with "messages") into what the configured
    // service accepts, and sets the request's URL and authentication.
    static void applyServiceSettings(
        const LLMConfiguration &configuration, QNetworkRequest &request, QJsonObject &body);

    // The request and body that would be posted, without posting them.
    static QNetworkRequest buildRequest(const LLMConfiguration &configuration,
        const QString &systemPrompt, const QString &assistantPrompt, const QString &userPrompt,
        bool stream, QByteArray *body);

private:
    LLMServiceReplyHelper *post(const LLMConfiguration &configuration, const QString &systemPrompt,
        const QString &assistantPrompt, const QString &userPrompt, bool stream = false);

    QNetworkAccessManager *manager;
};
