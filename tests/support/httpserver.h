#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPair>
#include <QTcpServer>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for the network tests: it records every request and
// answers from a queue of scripted responses, which can be delayed, cut into timed pieces or
// stalled. The TLS variant uses a self-signed certificate made
// with openssl when the server starts.
class HttpServer final : public QTcpServer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HttpServer)

public:
    struct Request
    {
        QByteArray method;
        QByteArray target; // path and query, as sent
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;

        QByteArray path() const
        {
            const qsizetype query = target.indexOf('?');
            return query < 0 ? target : target.left(query);
        }
        QJsonObject json() const;
        // The lines of the last chat message's content (Gemini's last part included).
        QStringList promptLines() const;
    };

    struct Piece
    {
        int delay = 0; // ms after the previous piece
        QByteArray data;
    };

    struct Response
    {
        int status = 200;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        // When set, the body is sent in these pieces instead of at once.
        QList<Piece> pieces;
        int delay = 0; // ms before anything is sent
        // Sends the headers and the pieces, then nothing more: the connection stays open.
        bool stall = false;

        static Response json(const QByteArray &body, int status = 200);
        // `content` answered in the shape of the service the request went to (Anthropic's
        // /v1/messages, Gemini's generateContent, else OpenAI's), counting 10 tokens; with
        // `cutOff`, stopped at the output limit.
        static Response answer(const Request &request, const QString &content, bool cutOff = false);
        // A well-behaved translator for prompts of the form
        // "<source>|<target, target and target>\n1. text\n2. text": every text comes back as
        // "T:<text>" for every target language the first line names.
        static Response echoTranslation(const Request &request);
    };

    explicit HttpServer(bool tls = false, QObject *parent = nullptr)
        : QTcpServer(parent)
        , tls(tls)
    {
    }

    bool start();
    QString url(const QString &path = QString()) const;

    void enqueue(const Response &response) { responses.append(response); }
    // Answers requests once the queue is empty (a 200 with "{}" unless set).
    void setDefaultResponse(const Response &response) { fallback = response; }
    void setHandler(std::function<Response(const Request &)> handler) { responder = handler; }

    QList<Request> requests() const { return received; }
    void clearRequests() { received.clear(); }
    bool waitForRequests(int count, int timeout = 5000);

    static QByteArray gzip(const QByteArray &data, bool zlibHeader = false);

signals:
    void requestReceived();

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void onReadyRead(QTcpSocket *socket);
    void respond(QTcpSocket *socket, const Request &request);

    bool tls;
    std::unique_ptr<QTemporaryDir> certificateDir;
    QByteArray certificate;
    QByteArray privateKey;
    QList<Response> responses;
    Response fallback = Response::json("{}");
    std::function<Response(const Request &)> responder;
    QList<Request> received;
    QMap<QTcpSocket *, QByteArray> buffers;
};
