#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>

class LLMServiceReplyHelper;
class QJsonObject;
class QNetworkAccessManager;
class QNetworkRequest;
struct LLMConfiguration;
struct PromptRecord;

// Turns an LLM configuration, a prompt and the user text into one chat request, posts it and
// hands back the reply object, which the caller owns and deletes after its done() signal.
class LLMServiceRequestHelper final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LLMServiceRequestHelper)

public:
    explicit LLMServiceRequestHelper(QNetworkAccessManager *manager, QObject *parent = nullptr);

    // The configuration and the system and assistant prompts in use, with the given user text.
    LLMServiceReplyHelper *requestTranslation(const QString &userPrompt);
    // A greeting to the given configuration: answers whether URL, key and model work.
    LLMServiceReplyHelper *validate(const LLMConfiguration &configuration);
    // The configuration in use with the tested prompt, filled with fixed sample texts.
    LLMServiceReplyHelper *test(const PromptRecord &prompt);

    static QString fillPrompt(const QString &sourceLanguage, const QStringList &targetLanguages,
                              const QStringList &texts, const QString &promptTemplate);
    // fillPrompt on the user prompt of the prompt in use.
    static QString fillUserPrompt(const QString &sourceLanguage,
                                  const QStringList &targetLanguages, const QStringList &texts);
    static QString fillTestPrompt(const QString &promptTemplate);

    // Turns the generic chat body (model-less, with "messages") into what the configured
    // service accepts, and sets the request's URL and authentication.
    static void applyServiceSettings(const LLMConfiguration &configuration,
                                     QNetworkRequest &request, QJsonObject &body);

    // The request and body that would be posted, without posting them.
    static QNetworkRequest buildRequest(const LLMConfiguration &configuration,
                                        const QString &systemPrompt,
                                        const QString &assistantPrompt,
                                        const QString &userPrompt, bool stream,
                                        QByteArray *body);

private:
    LLMServiceReplyHelper *post(const LLMConfiguration &configuration, const QString &systemPrompt,
                                const QString &assistantPrompt, const QString &userPrompt);

    QNetworkAccessManager *manager;
};
