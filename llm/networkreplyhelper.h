#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QSslError>
#include <QVariant>

Q_DECLARE_LOGGING_CATEGORY(lcLLM)

class QIODevice;
class QJsonDocument;
class QTimer;

// Takes charge of one network reply from the moment its request is posted until its body is
// complete: collects the body chunk by chunk, gathers network and TLS error texts, aborts the
// reply after a stretch of silence, and emits done() exactly once.
class NetworkReplyHelper : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NetworkReplyHelper)

public:
    // A compressed body that inflates to more than this is refused: a broken or hostile server
    // must not be able to exhaust memory.
    static constexpr qsizetype maxInflatedSize = 64 * 1024 * 1024;

    NetworkReplyHelper(QNetworkReply *reply, QByteArray *content, QObject *parent = nullptr);
    explicit NetworkReplyHelper(
        QNetworkReply *reply, QIODevice *outputDevice = nullptr, QObject *parent = nullptr);
    ~NetworkReplyHelper() override;

    // Starts (or restarts) the watchdog; every progress report restarts it again, so the limit
    // applies to silence, not to the total duration. Does nothing once the reply has finished.
    void setTimeout(int msec);

    QByteArray *content() const { return contentBuffer; }
    QIODevice *outputDevice() const { return output; }
    QNetworkReply *reply() const { return networkReply; }
    // The collected error texts, with the secret masked.
    QString errorMessage() const;
    void setErrorMessage(const QString &message) { errorText = message; }
    // A text (the API key) that must never appear in an error message: services and the
    // network layer quote keys and URLs, and error texts reach message boxes and the log.
    void setSecret(const QString &secret) { secretText = secret; }
    bool isOk() const { return errorCode == QNetworkReply::NoError; }
    QNetworkReply::NetworkError networkError() const { return errorCode; }
    // The HTTP status of the finished reply (0 when none was received).
    int httpStatus() const { return status; }
    QJsonDocument json() const;
    QVariant data() const { return userData; }
    void setData(const QVariant &value) { userData = value; }
    bool isFinished() const { return completed; }
    void waitForFinished();

    // Inflates a zlib or gzip stream. Anything that is not one (in particular a body the
    // network layer already decoded) comes back unchanged, as does a stream that would
    // inflate beyond maxInflatedSize.
    static QByteArray gUncompress(const QByteArray &input, bool *tooLarge = nullptr);

signals:
    void done();
    void errorMessage(QNetworkReply::NetworkError code, const QString &message);
    void cancel();

protected:
    virtual void postFinished();
    virtual QByteArray preprocessChunk(const QByteArray &chunk);

private slots:
    void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);
    void uploadProgress(qint64 bytesSent, qint64 bytesTotal);
    void error(QNetworkReply::NetworkError code);
    void sslErrors(const QList<QSslError> &errors);
    void readyRead();
    void finished();
    void timeout();

private:
    void connectReply();
    void restartTimer();
    static bool isEncoded(const QByteArray &contentEncoding);

    // The reply is a child of its network access manager, which may go first.
    QPointer<QNetworkReply> networkReply;
    QIODevice *output = nullptr;
    QByteArray *contentBuffer = nullptr;
    QTimer *timer = nullptr;
    QNetworkReply::NetworkError errorCode = QNetworkReply::NoError;
    QVariant userData;
    QString errorText;
    QString secretText;
    bool ownsContent = false;
    bool completed = false;
    int status = 0;
};
