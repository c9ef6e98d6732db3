#include "llm/networkreplyhelper.h"
#include "support/httpserver.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QTest>

class tst_LLMTransport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void gUncompress_data();
    void gUncompress();
    void encodedBody_data();
    void encodedBody();
    void replyEnds_data();
    void replyEnds();
    void waitForFinished();
    void managerGoneFirst();

private:
    NetworkReplyHelper *get(const QString &url, const QByteArray &acceptEncoding = QByteArray(),
        QIODevice *output = nullptr);

    QNetworkAccessManager manager;
    HttpServer server;
    const QByteArray text = QByteArray("{\"answer\": \"") + QByteArray(3000, 'x') + "\"}";
};

void tst_LLMTransport::initTestCase()
{
    QVERIFY(server.start());
}

NetworkReplyHelper *tst_LLMTransport::get(
    const QString &url, const QByteArray &acceptEncoding, QIODevice *output)
{
    QNetworkRequest request { QUrl(url) };
    // Asking for an encoding ourselves stops the network layer from decoding it for us.
    if (!acceptEncoding.isEmpty())
        request.setRawHeader("Accept-Encoding", acceptEncoding);
    return new NetworkReplyHelper(manager.get(request), output);
}

void tst_LLMTransport::gUncompress_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected"); // what comes out, or what it is a prefix of
    QTest::addColumn<bool>("partial");
    QTest::addColumn<bool>("tooLarge");
    QTest::addColumn<QString>("warning"); // a pattern of the logged warning

    const QByteArray garbage("\x1f\x8b\x08\x00garbage", 11);
    const QByteArray tiny("\x1f\x8b\x08\x00", 4);
    const QByteArray megabyte(1024 * 1024, 'a');
    QByteArray varied;
    for (int i = 0; i < 20000; ++i)
        varied += QByteArray::number(i * 7919 % 10007) + ',';
    const QByteArray cut = HttpServer::gzip(varied).left(HttpServer::gzip(varied).size() / 2);
    const QByteArray bomb =
        HttpServer::gzip(QByteArray(NetworkReplyHelper::maxInflatedSize + 1, '\0'));

    // clang-format off
    QTest::newRow("gzip")                         << HttpServer::gzip(text)       << text     << false << false << "";
    QTest::newRow("zlib (deflate)")               << HttpServer::gzip(text, true) << text     << false << false << "";
    QTest::newRow("already decoded JSON")         << text                         << text     << false << false << "";
    QTest::newRow("random bytes stay intact")     << garbage                      << garbage  << false << false << "";
    QTest::newRow("a megabyte")                   << HttpServer::gzip(megabyte)   << megabyte << false << false << "";
    QTest::newRow("four bytes: truncated")        << tiny                         << tiny     << false << false << "Input data is truncated";
    QTest::newRow("truncated stream: its prefix") << cut                          << varied   << true  << false << "";
    QTest::newRow("bomb above the cap: refused")  << bomb                         << bomb     << false << true  << "exceeds";
    // clang-format on
}

void tst_LLMTransport::gUncompress()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    QFETCH(bool, partial);
    QFETCH(bool, tooLarge);
    QFETCH(QString, warning);

    QVERIFY(input.size() < 1024 * 1024);
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    bool refused = !tooLarge;
    const QByteArray result = NetworkReplyHelper::gUncompress(input, &refused);
    QCOMPARE(refused, tooLarge);
    if (partial) {
        QVERIFY(!result.isEmpty());
        QVERIFY(result.size() < expected.size());
        QVERIFY(expected.startsWith(result));
    } else {
        QCOMPARE(result, expected);
    }
}

void tst_LLMTransport::encodedBody_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("acceptEncoding");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<bool>("inflated");

    // clang-format off
    QTest::newRow("gzip in three pieces, inflated by us") << QByteArray("gzip") << QByteArray("gzip") << 3 << true;
    QTest::newRow("deflate, inflated by us") << QByteArray("deflate") << QByteArray("deflate") << 1 << true;
    QTest::newRow("gzip decoded by the network layer") << QByteArray("gzip") << QByteArray() << 2 << true;
    QTest::newRow("capitals are not recognised") << QByteArray("GZIP") << QByteArray("gzip") << 1 << false;
    QTest::newRow("two codings are not recognised") << QByteArray("gzip, identity") << QByteArray("gzip") << 1 << false;
    // clang-format on
}

void tst_LLMTransport::encodedBody()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArray, acceptEncoding);
    QFETCH(int, pieces);
    QFETCH(bool, inflated);

    const QByteArray compressed = HttpServer::gzip(text, encoding == "deflate");
    HttpServer::Response response = HttpServer::Response::json(compressed);
    response.headers << qMakePair(QByteArray("Content-Encoding"), encoding);
    const qsizetype step = compressed.size() / pieces + 1;
    for (qsizetype start = 0; start < compressed.size(); start += step)
        response.pieces << HttpServer::Piece { 30, compressed.mid(start, step) };
    server.enqueue(response);

    QBuffer output;
    output.open(QIODevice::WriteOnly);
    std::unique_ptr<NetworkReplyHelper> reply(
        get(server.url(QStringLiteral("/encoded")), acceptEncoding, &output));
    QSignalSpy done(reply.get(), &NetworkReplyHelper::done);
    QVERIFY(done.wait(5000));
    QCOMPARE(done.size(), 1);
    QVERIFY(reply->isOk());
    const QByteArray expected = inflated ? text : compressed;
    QCOMPARE(*reply->content(), expected);
    // Encoded chunks never reach the output device; the inflated body does, once.
    if (!acceptEncoding.isEmpty())
        QCOMPARE(output.data(), expected);
}

void tst_LLMTransport::replyEnds_data()
{
    QTest::addColumn<QString>("answer"); // how the server answers
    QTest::addColumn<int>("lines"); // error lines at least; 0: the reply succeeds

    // clang-format off
    QTest::newRow("stalled reply: the watchdog aborts it") << "stall" << 1;
    QTest::newRow("slow but steady data: no abort") << "steady" << 0;
    QTest::newRow("HTTP error status: one line") << "404" << 1;
    QTest::newRow("self-signed TLS server: TLS errors, then the network error") << "tls" << 2;
    // clang-format on
}

void tst_LLMTransport::replyEnds()
{
    QFETCH(QString, answer);
    QFETCH(int, lines);

    HttpServer tlsServer(true);
    QString url = server.url(QLatin1Char('/') + answer);
    if (answer == QLatin1String("tls")) {
        QVERIFY(tlsServer.start());
        url = tlsServer.url(QStringLiteral("/secure"));
    } else if (answer == QLatin1String("404")) {
        server.enqueue(HttpServer::Response::json("not found", 404));
    } else {
        const bool stall = answer == QLatin1String("stall");
        HttpServer::Response response = HttpServer::Response::json(QByteArray());
        response.stall = stall;
        for (int i = 0; i < 8; ++i)
            response.pieces << HttpServer::Piece { stall && i > 0 ? 0 : 100,
                QByteArray(64, 'a' + i) };
        if (stall)
            response.pieces << HttpServer::Piece { 0, "never sent" };
        server.enqueue(response);
    }
    std::unique_ptr<NetworkReplyHelper> reply(get(url));
    reply->setTimeout(400);
    QSignalSpy done(reply.get(), &NetworkReplyHelper::done);
    QSignalSpy errors(reply.get(),
        qOverload<QNetworkReply::NetworkError, const QString &>(&NetworkReplyHelper::errorMessage));
    QVERIFY(done.wait(10000));
    if (lines == 0) {
        QVERIFY2(reply->isOk(), qPrintable(reply->errorMessage()));
        QCOMPARE(reply->content()->size(), 8 * 64);
        return;
    }
    QVERIFY(!reply->isOk());
    if (answer == QLatin1String("stall"))
        QCOMPARE(reply->networkError(), QNetworkReply::OperationCanceledError);
    const QString message = reply->errorMessage();
    QVERIFY(message.endsWith(QLatin1Char('\n')));
    const QStringList found = message.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(found.size() >= lines, qPrintable(message));
    QCOMPARE(message.count(QLatin1Char('\n')), found.size());
    QVERIFY(!errors.isEmpty());
    QCOMPARE(errors.last().at(1).toString(), message);
}

void tst_LLMTransport::waitForFinished()
{
    HttpServer::Response response = HttpServer::Response::json("{\"a\":1}");
    response.delay = 100;
    server.enqueue(response);
    std::unique_ptr<NetworkReplyHelper> reply(get(server.url(QStringLiteral("/wait"))));
    QSignalSpy done(reply.get(), &NetworkReplyHelper::done);
    reply->waitForFinished();
    QVERIFY(reply->reply()->isFinished());
    reply->waitForFinished(); // already finished: returns at once
    // A watchdog set after the end has nothing left to abort.
    reply->setTimeout(1);
    QTest::qWait(20);
    QVERIFY(reply->isOk());
    QCOMPARE(reply->json().object().value(QLatin1String("a")).toInt(), 1);
    QCOMPARE(done.size(), 1);
}

void tst_LLMTransport::managerGoneFirst()
{
    // The window's network access manager goes before the objects still holding replies.
    HttpServer::Response response = HttpServer::Response::json("{}");
    response.delay = 2000;
    server.enqueue(response);
    auto *owner = new QNetworkAccessManager;
    auto *reply = new NetworkReplyHelper(
        owner->get(QNetworkRequest(QUrl(server.url(QStringLiteral("/late"))))));
    QVERIFY(server.waitForRequests(int(server.requests().size()) + 1));
    QSignalSpy done(reply, &NetworkReplyHelper::done);
    delete owner;
    QVERIFY(!reply->reply());
    delete reply;
    QVERIFY(done.isEmpty());
}

QTEST_GUILESS_MAIN(tst_LLMTransport)
#include "tst_llmtransport.moc"
