#include "llm/networkreplyhelper.h"

#include <QEventLoop>
#include <QIODevice>
#include <QJsonDocument>
#include <QTimer>

#include <zlib.h>

Q_LOGGING_CATEGORY(lcLLM, "parlonex.llm")

NetworkReplyHelper::NetworkReplyHelper(QNetworkReply *reply, QByteArray *content, QObject *parent)
    : QObject(parent)
    , networkReply(reply)
    , contentBuffer(content)
{
    if (!contentBuffer) {
        contentBuffer = new QByteArray;
        ownsContent = true;
    }
    connectReply();
}

NetworkReplyHelper::NetworkReplyHelper(
    QNetworkReply *reply, QIODevice *outputDevice, QObject *parent)
    : QObject(parent)
    , networkReply(reply)
    , output(outputDevice)
    , contentBuffer(new QByteArray)
    , ownsContent(true)
{
    connectReply();
}

NetworkReplyHelper::~NetworkReplyHelper()
{
    if (networkReply) {
        networkReply->disconnect(this);
        networkReply->deleteLater();
        networkReply = nullptr;
    }
    if (timer) {
        timer->stop();
        delete timer;
    }
    if (ownsContent)
        delete contentBuffer;
}

void NetworkReplyHelper::connectReply()
{
    if (!networkReply)
        return;
    connect(networkReply, &QNetworkReply::downloadProgress, this,
        &NetworkReplyHelper::downloadProgress);
    connect(
        networkReply, &QNetworkReply::uploadProgress, this, &NetworkReplyHelper::uploadProgress);
    connect(networkReply, &QNetworkReply::errorOccurred, this, &NetworkReplyHelper::error);
    connect(networkReply, &QNetworkReply::sslErrors, this, &NetworkReplyHelper::sslErrors);
    connect(networkReply, &QNetworkReply::readyRead, this, &NetworkReplyHelper::readyRead);
    connect(networkReply, &QNetworkReply::finished, this, &NetworkReplyHelper::finished);
}

void NetworkReplyHelper::setTimeout(int msec)
{
    if (!networkReply || !networkReply->isRunning())
        return;
    if (!timer) {
        timer = new QTimer;
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &NetworkReplyHelper::timeout);
    }
    timer->start(msec);
}

QJsonDocument NetworkReplyHelper::json() const
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(*contentBuffer, &parseError);
    return parseError.error == QJsonParseError::NoError ? document : QJsonDocument();
}

void NetworkReplyHelper::waitForFinished()
{
    if (!networkReply || completed || networkReply->isFinished())
        return;
    QEventLoop loop;
    const QMetaObject::Connection connection =
        connect(networkReply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    disconnect(connection);
}

QString NetworkReplyHelper::errorMessage() const
{
    // A secret shorter than four characters is no key and would mask ordinary words.
    if (secretText.size() < 4)
        return errorText;
    QString masked = errorText;
    return masked.replace(secretText, QStringLiteral("***"));
}

void NetworkReplyHelper::postFinished()
{
    emit done();
}

QByteArray NetworkReplyHelper::preprocessChunk(const QByteArray &chunk)
{
    return chunk;
}

void NetworkReplyHelper::restartTimer()
{
    if (timer && timer->isActive())
        timer->start(timer->interval());
}

void NetworkReplyHelper::downloadProgress(qint64, qint64)
{
    restartTimer();
}

void NetworkReplyHelper::uploadProgress(qint64, qint64)
{
    restartTimer();
}

void NetworkReplyHelper::error(QNetworkReply::NetworkError code)
{
    errorCode = code;
    errorText += networkReply->errorString() + QLatin1Char('\n');
    emit errorMessage(code, errorMessage());
}

void NetworkReplyHelper::sslErrors(const QList<QSslError> &errors)
{
    for (const QSslError &sslError : errors)
        errorText += sslError.errorString() + QLatin1Char('\n');
}

bool NetworkReplyHelper::isEncoded(const QByteArray &contentEncoding)
{
    // Codings are named without regard to case.
    const QByteArray coding = contentEncoding.trimmed().toLower();
    return coding == "gzip" || coding == "deflate";
}

void NetworkReplyHelper::readyRead()
{
    if (!networkReply || !networkReply->isOpen())
        return;
    const QByteArray chunk = preprocessChunk(networkReply->readAll());
    if (!isEncoded(networkReply->rawHeader("Content-Encoding")) && output)
        output->write(chunk);
    contentBuffer->append(chunk);
}

void NetworkReplyHelper::finished()
{
    if (completed || !networkReply)
        return;
    if (timer)
        timer->stop();
    status = networkReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray contentEncoding = networkReply->rawHeader("Content-Encoding");
    readyRead();
    if (isEncoded(contentEncoding)) {
        bool tooLarge = false;
        const QByteArray inflated = gUncompress(*contentBuffer, &tooLarge);
        if (tooLarge)
            errorText += tr("The response is too large.") + QLatin1Char('\n');
        if (output)
            output->write(inflated);
        if (!inflated.isEmpty())
            *contentBuffer = inflated;
    }
    completed = true;
    postFinished();
}

void NetworkReplyHelper::timeout()
{
    if (networkReply && networkReply->isRunning()) {
        qCWarning(lcLLM) << "No data for" << (timer ? timer->interval() : 0)
                         << "ms, aborting the request";
        networkReply->abort();
    }
}

QByteArray NetworkReplyHelper::gUncompress(const QByteArray &input, bool *tooLarge)
{
    if (tooLarge)
        *tooLarge = false;
    if (input.size() <= 4) {
        qCWarning(lcLLM, "gUncompress: Input data is truncated");
        return input;
    }

    z_stream stream = {};
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.constData()));
    stream.avail_in = uInt(input.size());
    // 15 window bits plus 32: accept a zlib or a gzip header, whichever comes.
    if (inflateInit2(&stream, 15 + 32) != Z_OK)
        return input;

    constexpr int windowSize = 16 * 1024;
    char window[windowSize];
    QByteArray result;
    forever {
        stream.next_out = reinterpret_cast<Bytef *>(window);
        stream.avail_out = windowSize;
        const int ret = inflate(&stream, Z_NO_FLUSH);
        if (ret == Z_NEED_DICT || ret == Z_DATA_ERROR || ret == Z_MEM_ERROR) {
            inflateEnd(&stream);
            return input;
        }
        const int produced = windowSize - int(stream.avail_out);
        if (result.size() + produced > maxInflatedSize) {
            inflateEnd(&stream);
            qCWarning(lcLLM) << "gUncompress: inflated data exceeds" << maxInflatedSize
                             << "bytes, body left as received";
            if (tooLarge)
                *tooLarge = true;
            return input;
        }
        result.append(window, produced);
        if (stream.avail_out != 0 || ret == Z_STREAM_END) {
            inflateEnd(&stream);
            // Nothing inflated at all: this was no compressed stream, keep what came.
            return result.isEmpty() && ret != Z_STREAM_END ? input : result;
        }
    }
}
