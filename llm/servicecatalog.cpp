#include "llm/servicecatalog.h"

#include "llm/llmservicereplyhelper.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrlQuery>

#include <algorithm>

namespace {

const QString openAI = QStringLiteral("OpenAI");
const QString azure = QStringLiteral("Azure");
const QString anthropic = QStringLiteral("Anthropic");
const QString gemini = QStringLiteral("Gemini");
const QString deepSeek = QStringLiteral("DeepSeek");

// OpenAI's list holds every model of the account: embeddings, speech, images and
// moderation cannot answer a chat request.
bool isChatModel(const QString &id)
{
    static const QStringList nonChat = {
        QStringLiteral("embedding"),
        QStringLiteral("tts"),
        QStringLiteral("whisper"),
        QStringLiteral("dall-e"),
        QStringLiteral("moderation"),
        QStringLiteral("gpt-image"),
        QStringLiteral("davinci"),
        QStringLiteral("babbage"),
        QStringLiteral("sora"),
        QStringLiteral("transcribe"),
        QStringLiteral("realtime"),
        QStringLiteral("audio"),
        QStringLiteral("search"),
    };
    return std::none_of(
        nonChat.cbegin(), nonChat.cend(), [&id](const QString &part) { return id.contains(part); });
}

// The chat endpoint up to its query, without the operation the chat request names.
QString endpointBase(const QString &apiUrl)
{
    QString base = apiUrl.trimmed();
    const int query = base.indexOf(QLatin1Char('?'));
    if (query >= 0)
        base.truncate(query);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

QString stripSuffix(QString text, const QStringList &suffixes)
{
    for (const QString &suffix : suffixes) {
        if (text.endsWith(suffix))
            return text.left(text.size() - suffix.size());
    }
    return text;
}

} // namespace

QStringList ServiceCatalog::services()
{
    return { openAI, azure, anthropic, gemini, deepSeek };
}

QStringList ServiceCatalog::defaultApiUrls(const QString &service)
{
    if (service == openAI)
        return { QStringLiteral("https://api.openai.com/v1/chat/completions") };
    if (service == anthropic)
        return { QStringLiteral("https://api.anthropic.com/v1/messages") };
    if (service == gemini)
        return { QStringLiteral("https://generativelanguage.googleapis.com/v1beta/models/"
                                "${model}:generateContent?key=") };
    if (service == deepSeek)
        return { QStringLiteral("https://api.deepseek.com/chat/completions") };
    // Azure: every deployment has its own URL.
    return {};
}

QStringList ServiceCatalog::models(const QString &service)
{
    if (service == openAI)
        return { QStringLiteral("gpt-6.2-sol"), QStringLiteral("gpt-6.1-terra"),
            QStringLiteral("gpt-6-luna"), QStringLiteral("gpt-5.6-terra"),
            QStringLiteral("gpt-5.6-luna") };
    if (service == anthropic)
        return { QStringLiteral("claude-sonnet-4-6"), QStringLiteral("claude-haiku-4-5"),
            QStringLiteral("claude-sonnet-5-5"), QStringLiteral("claude-haiku-5-5"),
            QStringLiteral("claude-opus-5-5") };
    if (service == gemini)
        return { QStringLiteral("gemini-3.8-flash"), QStringLiteral("gemini-3.7-flash"),
            QStringLiteral("gemini-3.6-flash"), QStringLiteral("gemini-3.5-flash"),
            QStringLiteral("gemini-3.5-flash-lite"), QStringLiteral("gemini-3.1-flash-lite") };
    if (service == deepSeek)
        return { QStringLiteral("deepseek-flash"), QStringLiteral("deepseek-v4-pro") };
    // Azure requests name no model: the deployment in the URL chooses it.
    return {};
}

QString ServiceCatalog::apiKeyPage(const QString &service)
{
    if (service == openAI)
        return QStringLiteral("https://platform.openai.com/api-keys");
    if (service == azure)
        return QStringLiteral("https://portal.azure.com/#settings/user");
    if (service == anthropic)
        return QStringLiteral("https://console.anthropic.com/settings/keys");
    if (service == gemini)
        return QStringLiteral("https://aistudio.google.com/app/apikey");
    if (service == deepSeek)
        return QStringLiteral("https://platform.deepseek.com/api_keys");
    return {};
}

bool ServiceCatalog::canListModels(const QString &service)
{
    return service == openAI || service == anthropic || service == gemini || service == deepSeek;
}

QNetworkRequest ServiceCatalog::modelListRequest(
    const QString &service, const QString &apiUrl, const QString &apiKey)
{
    QString base = endpointBase(apiUrl);
    if (!canListModels(service) || base.isEmpty())
        return QNetworkRequest();

    QUrlQuery query;
    if (service == gemini) {
        // The chat URL names the model: ".../v1beta/models/${model}:generateContent".
        const int models = base.lastIndexOf(QLatin1String("/models"));
        base = (models >= 0 ? base.left(models) : base) + QLatin1String("/models");
        query.addQueryItem(QStringLiteral("pageSize"), QStringLiteral("1000"));
    } else if (service == anthropic) {
        // Its OpenAI-compatible endpoint lists the models at the same place.
        base =
            stripSuffix(base, { QStringLiteral("/messages"), QStringLiteral("/chat/completions") })
            + QLatin1String("/models");
        query.addQueryItem(QStringLiteral("limit"), QStringLiteral("1000"));
    } else {
        base = stripSuffix(base,
                   { QStringLiteral("/chat/completions"), QStringLiteral("/completions"),
                       QStringLiteral("/responses") })
            + QLatin1String("/models");
    }

    QUrl url = QUrl::fromUserInput(base);
    if (!url.isValid() || url.scheme().isEmpty())
        return QNetworkRequest();
    if (!query.isEmpty())
        url.setQuery(query);

    QNetworkRequest request(url);
    const QByteArray key = apiKey.toUtf8();
    if (service == anthropic) {
        request.setRawHeader("x-api-key", key);
        request.setRawHeader("anthropic-version", "2023-06-01");
    } else if (service == gemini) {
        // In a header rather than in the query, so the key stays out of URLs that get logged.
        request.setRawHeader("x-goog-api-key", key);
    } else {
        request.setRawHeader("Authorization", "Bearer " + key);
    }
    return request;
}

QStringList ServiceCatalog::parseModelList(
    const QString &service, const QByteArray &body, QString *errorMessage)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    const auto fail = [errorMessage](const QString &message) {
        if (errorMessage)
            *errorMessage = message;
        return QStringList();
    };
    if (!document.isObject())
        return fail(
            tr("The model list is not a JSON object: %1")
                .arg(parseError.error == QJsonParseError::NoError ? tr("unexpected document")
                                                                  : parseError.errorString()));

    const QJsonObject root = document.object();
    QStringList result;
    if (service == gemini) {
        const QJsonArray models = root.value(QLatin1String("models")).toArray();
        for (const QJsonValue &value : models) {
            const QJsonObject model = value.toObject();
            const QJsonValue methods = model.value(QLatin1String("supportedGenerationMethods"));
            if (methods.isArray()
                && !methods.toArray().contains(QJsonValue(QStringLiteral("generateContent"))))
                continue;
            QString name = model.value(QLatin1String("name")).toString();
            if (name.startsWith(QLatin1String("models/")))
                name.remove(0, 7);
            if (!name.isEmpty())
                result.append(name);
        }
    } else {
        const QJsonArray data = root.value(QLatin1String("data")).toArray();
        for (const QJsonValue &value : data) {
            const QString id = value.toObject().value(QLatin1String("id")).toString();
            if (!id.isEmpty() && (service != openAI || isChatModel(id)))
                result.append(id);
        }
        // Anthropic lists newest first, which is the order worth keeping; the others list
        // in no particular order.
        if (service != anthropic)
            result.sort();
    }
    result.removeDuplicates();
    if (result.isEmpty())
        return fail(tr("The service listed no models."));
    return result;
}

ModelListFetcher::ModelListFetcher(QNetworkAccessManager *networkAccessManager, QObject *parent)
    : QObject(parent)
    , networkAccessManager(networkAccessManager)
{
}

ModelListFetcher::~ModelListFetcher()
{
    delete reply;
}

bool ModelListFetcher::fetch(const QString &service, const QString &apiUrl, const QString &apiKey)
{
    if (reply || !networkAccessManager)
        return false;
    const QNetworkRequest request = ServiceCatalog::modelListRequest(service, apiUrl, apiKey);
    if (!request.url().isValid())
        return false;
    this->service = service;
    reply = new NetworkReplyHelper(networkAccessManager->get(request));
    reply->setSecret(apiKey);
    reply->setTimeout(timeoutMs);
    connect(reply.data(), &NetworkReplyHelper::done, this, &ModelListFetcher::onReplyDone);
    return true;
}

void ModelListFetcher::onReplyDone()
{
    NetworkReplyHelper *finished = reply.data();
    reply.clear();
    if (!finished)
        return;
    finished->deleteLater();

    const QByteArray body = *finished->content();
    QStringList models;
    QString error;
    if (!finished->isOk())
        error = LLMServiceReplyHelper::serviceError(body);
    else
        models = ServiceCatalog::parseModelList(service, body, &error);
    // Through the wrapper, which masks the key some services quote.
    if (!error.isEmpty())
        finished->setErrorMessage(error);
    const QString errorMessage = models.isEmpty() ? finished->errorMessage().trimmed() : QString();
    if (!errorMessage.isEmpty()) {
        // The URL is logged without its query: a chat URL may carry the key there.
        const QUrl url = finished->reply() ? finished->reply()->url() : QUrl();
        qCWarning(lcLLM).noquote()
            << "Failed to fetch the model list of" << service << "from"
            << url.toString(QUrl::RemoveQuery | QUrl::RemoveUserInfo) << ":" << errorMessage;
    }
    emit this->finished(models, errorMessage);
}
