#include "support/httpserver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTimer>

#include <zlib.h>

QJsonObject HttpServer::Request::json() const
{
    return QJsonDocument::fromJson(body).object();
}

QStringList HttpServer::Request::promptLines() const
{
    const QJsonObject last = json().contains(QLatin1String("contents"))
        ? json()["contents"].toArray().last()["parts"].toArray().first().toObject()
        : json()["messages"].toArray().last().toObject();
    const QString key =
        last.contains(QLatin1String("text")) ? QStringLiteral("text") : QStringLiteral("content");
    return last.value(key).toString().split(QLatin1Char('\n'));
}

HttpServer::Response HttpServer::Response::answer(
    const Request &request, const QString &content, bool cutOff)
{
    QJsonObject body;
    if (request.path().endsWith("/v1/messages")) {
        const QJsonObject text { { "type", "text" }, { "text", content } };
        body = QJsonObject { { "content", QJsonArray { text } },
            { "stop_reason", cutOff ? "max_tokens" : "end_turn" },
            { "usage", QJsonObject { { "input_tokens", 7 }, { "output_tokens", 3 } } } };
    } else if (request.path().contains("generateContent")) {
        const QJsonObject parts { { "parts", QJsonArray { QJsonObject { { "text", content } } } } };
        const QJsonObject candidate { { "content", parts },
            { "finishReason", cutOff ? "MAX_TOKENS" : "STOP" } };
        body = QJsonObject { { "candidates", QJsonArray { candidate } },
            { "usageMetadata", QJsonObject { { "totalTokenCount", 10 } } } };
    } else {
        const QJsonObject message { { "role", "assistant" }, { "content", content } };
        const QJsonObject choice { { "message", message },
            { "finish_reason", cutOff ? "length" : "stop" } };
        body = QJsonObject { { "choices", QJsonArray { choice } },
            { "usage", QJsonObject { { "total_tokens", 10 } } } };
    }
    return json(QJsonDocument(body).toJson(QJsonDocument::Compact));
}

HttpServer::Response HttpServer::Response::echoTranslation(const Request &request)
{
    const QStringList lines = request.promptLines();
    QString targets = lines.first().section(QLatin1Char('|'), 1);
    targets.replace(QLatin1String(" and "), QLatin1String(", "));
    QJsonArray answer;
    for (const QString &line : lines.mid(1)) {
        QJsonObject object { { QStringLiteral("id"),
            line.section(QLatin1Char('.'), 0, 0).toInt() } };
        for (const QString &target : targets.split(QLatin1String(", ")))
            object.insert(target, QStringLiteral("T:") + line.section(QLatin1String(". "), 1));
        answer.append(object);
    }
    return Response::answer(
        request, QString::fromUtf8(QJsonDocument(answer).toJson(QJsonDocument::Compact)));
}

HttpServer::Response HttpServer::Response::json(const QByteArray &body, int status)
{
    Response response;
    response.status = status;
    response.headers << qMakePair(QByteArray("Content-Type"), QByteArray("application/json"));
    response.body = body;
    return response;
}

QByteArray HttpServer::gzip(const QByteArray &data, bool zlibHeader)
{
    z_stream stream = {};
    deflateInit2(
        &stream, Z_BEST_COMPRESSION, Z_DEFLATED, zlibHeader ? 15 : 15 + 16, 9, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

bool HttpServer::start()
{
    if (tls) {
        certificateDir = std::make_unique<QTemporaryDir>();
        const QString key = certificateDir->filePath(QStringLiteral("key.pem"));
        const QString cert = certificateDir->filePath(QStringLiteral("cert.pem"));
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
            { QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                key, QStringLiteral("-out"), cert, QStringLiteral("-days"), QStringLiteral("1"),
                QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1") });
        if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
            return false;
        QFile keyFile(key);
        QFile certFile(cert);
        if (!keyFile.open(QIODevice::ReadOnly) || !certFile.open(QIODevice::ReadOnly))
            return false;
        privateKey = keyFile.readAll();
        certificate = certFile.readAll();
    }
    return listen(QHostAddress::LocalHost, 0);
}

QString HttpServer::url(const QString &path) const
{
    return QStringLiteral("%1://127.0.0.1:%2%3")
        .arg(tls ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(serverPort())
        .arg(path);
}

bool HttpServer::waitForRequests(int count, int timeout)
{
    QSignalSpy spy(this, &HttpServer::requestReceived);
    QElapsedTimer timer;
    timer.start();
    while (received.size() < count && timer.elapsed() < timeout)
        spy.wait(int(qMax<qint64>(1, timeout - timer.elapsed())));
    return received.size() >= count;
}

void HttpServer::incomingConnection(qintptr descriptor)
{
    QTcpSocket *socket = nullptr;
    if (tls) {
        auto *sslSocket = new QSslSocket(this);
        sslSocket->setSocketDescriptor(descriptor);
        sslSocket->setLocalCertificate(QSslCertificate(certificate));
        sslSocket->setPrivateKey(QSslKey(privateKey, QSsl::Rsa));
        sslSocket->startServerEncryption();
        socket = sslSocket;
    } else {
        socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
    }
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        buffers.remove(socket);
        socket->deleteLater();
    });
}

void HttpServer::onReadyRead(QTcpSocket *socket)
{
    QByteArray &buffer = buffers[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;

    Request request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    request.method = requestLine.value(0);
    request.target = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0)
            request.headers.insert(
                lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed());
    }
    const qsizetype length = request.headers.value("content-length").toLongLong();
    if (buffer.size() < headerEnd + 4 + length)
        return;
    request.body = buffer.mid(headerEnd + 4, length);
    buffer.remove(0, headerEnd + 4 + length);
    received.append(request);
    emit requestReceived();
    respond(socket, request);
}

void HttpServer::respond(QTcpSocket *socket, const Request &request)
{
    Response response = responder ? responder(request)
        : responses.isEmpty()     ? fallback
                                  : responses.takeFirst();

    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
    for (const auto &[name, value] : std::as_const(response.headers))
        head += name + ": " + value + "\r\n";
    QByteArray wholeBody = response.body;
    if (!response.pieces.isEmpty()) {
        wholeBody.clear();
        for (const Piece &piece : std::as_const(response.pieces))
            wholeBody += piece.data;
    }
    head += "Content-Length: " + QByteArray::number(wholeBody.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";

    QList<Piece> pieces = response.pieces;
    if (pieces.isEmpty())
        pieces << Piece { 0, response.body };
    if (response.stall)
        pieces.removeLast(); // the last piece never comes

    QPointer<QTcpSocket> target(socket);
    int at = response.delay;
    QTimer::singleShot(at, this, [target, head] {
        if (target)
            target->write(head);
    });
    for (const Piece &piece : std::as_const(pieces)) {
        at += piece.delay;
        QTimer::singleShot(at, this, [target, data = piece.data] {
            if (target)
                target->write(data);
        });
    }
    if (response.stall)
        return;
    QTimer::singleShot(at, this, [target] {
        if (target)
            target->disconnectFromHost();
    });
}
