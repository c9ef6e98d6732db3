#pragma once

#include <QCoreApplication>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class NetworkReplyHelper;
class QNetworkAccessManager;

// What the program knows about each LLM service before asking it: the default chat
// endpoints, a fallback list of models and the page where a user gets a key.
class ServiceCatalog final
{
    Q_DECLARE_TR_FUNCTIONS(ServiceCatalog)

public:
    static QStringList services();
    static QStringList defaultApiUrls(const QString &service);
    // Built-in model names, used until (or when) the service's own list cannot be fetched.
    // Services go through model generations within months, so keep these to current ones.
    static QStringList models(const QString &service);
    static QString apiKeyPage(const QString &service);

    static bool canListModels(const QString &service);
    // The request that lists the service's models, derived from its chat endpoint. An
    // invalid URL in the result means the service has no such endpoint.
    static QNetworkRequest modelListRequest(
        const QString &service, const QString &apiUrl, const QString &apiKey);
    // Model ids from a model-list answer. On a malformed answer returns an empty list and
    // sets `errorMessage`.
    static QStringList parseModelList(
        const QString &service, const QByteArray &body, QString *errorMessage);
};

// One model-list request. Emits `finished` once, then the caller deletes the object.
class ModelListFetcher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ModelListFetcher)

public:
    explicit ModelListFetcher(
        QNetworkAccessManager *networkAccessManager, QObject *parent = nullptr);
    ~ModelListFetcher() override;

    // False (and no signal) when the service offers no model list for this URL.
    bool fetch(const QString &service, const QString &apiUrl, const QString &apiKey);
    bool isRunning() const { return !reply.isNull(); }
    // How long the service may stay silent before the request is given up.
    void setTimeout(int msec) { timeoutMs = msec; }

signals:
    // An empty list comes with a non-empty error message.
    void finished(const QStringList &models, const QString &errorMessage);

private:
    void onReplyDone();

    QNetworkAccessManager *networkAccessManager;
    // Owned while it runs; the wrapper watches for silence, caps the body and masks the key.
    QPointer<NetworkReplyHelper> reply;
    QString service;
    // Fetched on a click: a silent service is reported instead of leaving the button
    // disabled for minutes.
    int timeoutMs = 30000;
};
