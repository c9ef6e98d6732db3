#include "llm/networkreplyhelper.h"
#include "support/httpserver.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
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
    void gUncompressWarnsOnTinyInput();
    void gUncompressKeepsTruncatedStreamPrefix();
    void gUncompressRefusesBomb();
    void encodedBody_data();
    void encodedBody();
    void watchdog_data();
    void watchdog();
    void setTimeoutAfterFinishIsHarmless();
    void errorsMakeOneLineEach_data();
    void errorsMakeOneLineEach();
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

NetworkReplyHelper *tst_LLMTransport::get(const QString &url, const QByteArray &acceptEncoding,
                                          QIODevice *output)
{
    QNetworkRequest request{ QUrl(url) };
    // Asking for an encoding ourselves stops the network layer from decoding it for us.
    if (!acceptEncoding.isEmpty())
        request.setRawHeader("Accept-Encoding", acceptEncoding);
    return new NetworkReplyHelper(manager.get(request), output);
}

void tst_LLMTransport::gUncompress_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("tooLarge");

    QTest::newRow("gzip") << HttpServer::gzip(text) << text << false;
    QTest::newRow("zlib (deflate)") << HttpServer::gzip(text, true) << text << false;
    QTest::newRow("already decoded JSON stays intact") << text << text << false;
    QTest::newRow("random bytes stay intact") << QByteArray("\x1f\x8b\x08\x00garbage", 11)
                                              << QByteArray("\x1f\x8b\x08\x00garbage", 11) << false;
    const QByteArray justBelow(1024 * 1024, 'a');
    QTest::newRow("a megabyte") << HttpServer::gzip(justBelow) << justBelow << false;
}

void tst_LLMTransport::gUncompress()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    QFETCH(bool, tooLarge);
    bool refused = !tooLarge;
    QCOMPARE(NetworkReplyHelper::gUncompress(input, &refused), expected);
    QCOMPARE(refused, tooLarge);
}

void tst_LLMTransport::gUncompressWarnsOnTinyInput()
{
    const QByteArray tiny("\x1f\x8b\x08\x00", 4);
    QTest::ignoreMessage(QtWarningMsg, "gUncompress: Input data is truncated");
    QCOMPARE(NetworkReplyHelper::gUncompress(tiny), tiny);
}

void tst_LLMTransport::gUncompressKeepsTruncatedStreamPrefix()
{
    QByteArray varied;
    for (int i = 0; i < 20000; ++i)
        varied += QByteArray::number(i * 7919 % 10007) + ',';
    const QByteArray compressed = HttpServer::gzip(varied);
    const QByteArray result = NetworkReplyHelper::gUncompress(compressed.left(compressed.size() / 2));
    QVERIFY(!result.isEmpty());
    QVERIFY(result.size() < varied.size());
    QVERIFY(varied.startsWith(result));
}

void tst_LLMTransport::gUncompressRefusesBomb()
{
    const QByteArray bomb =
        HttpServer::gzip(QByteArray(NetworkReplyHelper::maxInflatedSize + 1, '\0'));
    QVERIFY(bomb.size() < 1024 * 1024);
    bool tooLarge = false;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("exceeds")));
    QCOMPARE(NetworkReplyHelper::gUncompress(bomb, &tooLarge), bomb);
    QVERIFY(tooLarge);
}

void tst_LLMTransport::encodedBody_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("acceptEncoding");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<bool>("inflated");

    QTest::newRow("gzip in three pieces, inflated by us") << QByteArray("gzip") << QByteArray("gzip") << 3 << true;
    QTest::newRow("deflate, inflated by us") << QByteArray("deflate") << QByteArray("deflate") << 1 << true;
    QTest::newRow("gzip decoded by the network layer") << QByteArray("gzip") << QByteArray() << 2 << true;
    QTest::newRow("capitals are not recognised") << QByteArray("GZIP") << QByteArray("gzip") << 1 << false;
    QTest::newRow("two codings are not recognised") << QByteArray("gzip, identity") << QByteArray("gzip") << 1 << false;
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
        response.pieces << HttpServer::Piece{ 30, compressed.mid(start, step) };
    server.enqueue(response);

    QBuffer output;
    output.open(QIODevice::WriteOnly);
    std::unique_ptr<NetworkReplyHelper> reply(get(server.url(QStringLiteral("/encoded")), acceptEncoding, &output));
    QSignalSpy done(reply.get(), &NetworkReplyHelper::done);
    QByteArray whileArriving;
    connect(reply->reply(), &QNetworkReply::readyRead, this, [&] {
        // The wrapper reads first; what it holds so far is still the raw body.
        QTimer::singleShot(0, this, [&] { if (whileArriving.isEmpty()) whileArriving = *reply->content(); });
    });
    QVERIFY(done.wait(5000));
    QCOMPARE(done.size(), 1);
    QVERIFY(reply->isOk());
    if (inflated) {
        QCOMPARE(*reply->content(), text);
    } else {
        QCOMPARE(*reply->content(), compressed);
        QCOMPARE(output.data(), compressed);
    }
    if (inflated && !acceptEncoding.isEmpty()) {
        // Encoded chunks never reach the output device; the inflated body does, once.
        QCOMPARE(output.data(), text);
        if (pieces > 1 && !whileArriving.isEmpty())
            QVERIFY(compressed.startsWith(whileArriving));
    }
}

void tst_LLMTransport::watchdog_data()
{
    QTest::addColumn<bool>("stall");
    QTest::addColumn<bool>("aborted");

    QTest::newRow("stalled reply is aborted") << true << true;
    QTest::newRow("slow but steady reply is not") << false << false;
}

void tst_LLMTransport::watchdog()
{
    QFETCH(bool, stall);
    QFETCH(bool, aborted);

    HttpServer::Response response = HttpServer::Response::json(QByteArray());
    response.stall = stall;
    for (int i = 0; i < 8; ++i)
        response.pieces << HttpServer::Piece{ stall && i > 0 ? 0 : 100, QByteArray(64, 'a' + i) };
    if (stall)
        response.pieces << HttpServer::Piece{ 0, "never sent" };
    server.enqueue(response);

    std::unique_ptr<NetworkReplyHelper> reply(get(server.url(QStringLiteral("/slow"))));
    reply->setTimeout(400);
    QSignalSpy done(reply.get(), &NetworkReplyHelper::done);
    QVERIFY(done.wait(10000));
    if (aborted) {
        QCOMPARE(reply->networkError(), QNetworkReply::OperationCanceledError);
        QVERIFY(reply->errorMessage().endsWith(QLatin1Char('\n')));
    } else {
        QVERIFY2(reply->isOk(), qPrintable(reply->errorMessage()));
        QCOMPARE(reply->content()->size(), 8 * 64);
    }
}

void tst_LLMTransport::setTimeoutAfterFinishIsHarmless()
{
    server.enqueue(HttpServer::Response::json("{\"a\":1}"));
    std::unique_ptr<NetworkReplyHelper> reply(get(server.url(QStringLiteral("/quick"))));
    QSignalSpy done(reply.get(), &NetworkReplyHelper::done);
    QVERIFY(done.wait(5000));
    reply->setTimeout(1);
    QTest::qWait(20);
    QVERIFY(reply->isOk());
    QCOMPARE(reply->json().object().value(QLatin1String("a")).toInt(), 1);
    QCOMPARE(done.size(), 1);
}

void tst_LLMTransport::errorsMakeOneLineEach_data()
{
    QTest::addColumn<bool>("tls");
    QTest::addColumn<int>("minimumLines");

    QTest::newRow("HTTP error status") << false << 1;
    QTest::newRow("self-signed TLS server: TLS errors then the network error") << true << 2;
}

void tst_LLMTransport::errorsMakeOneLineEach()
{
    QFETCH(bool, tls);
    QFETCH(int, minimumLines);

    HttpServer tlsServer(true);
    QString url;
    if (tls) {
        QVERIFY(tlsServer.start());
        url = tlsServer.url(QStringLiteral("/secure"));
    } else {
        server.enqueue(HttpServer::Response::json("not found", 404));
        url = server.url(QStringLiteral("/missing"));
    }
    std::unique_ptr<NetworkReplyHelper> reply(get(url));
    QSignalSpy done(reply.get(), &NetworkReplyHelper::done);
    QSignalSpy errors(reply.get(), qOverload<QNetworkReply::NetworkError, const QString &>(
                                       &NetworkReplyHelper::errorMessage));
    QVERIFY(done.wait(10000));
    QVERIFY(!reply->isOk());
    const QString message = reply->errorMessage();
    QVERIFY(message.endsWith(QLatin1Char('\n')));
    const QStringList lines = message.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(lines.size() >= minimumLines, qPrintable(message));
    QCOMPARE(message.count(QLatin1Char('\n')), lines.size());
    QVERIFY(!errors.isEmpty());
    QCOMPARE(errors.last().at(1).toString(), message);
}

void tst_LLMTransport::waitForFinished()
{
    HttpServer::Response response = HttpServer::Response::json("{}");
    response.delay = 100;
    server.enqueue(response);
    std::unique_ptr<NetworkReplyHelper> reply(get(server.url(QStringLiteral("/wait"))));
    reply->waitForFinished();
    QVERIFY(reply->reply()->isFinished());
    reply->waitForFinished(); // already finished: returns at once
    QCOMPARE(*reply->content(), QByteArray("{}"));
}

void tst_LLMTransport::managerGoneFirst()
{
    // The window's network access manager goes before the objects still holding replies.
    HttpServer::Response response = HttpServer::Response::json("{}");
    response.delay = 2000;
    server.enqueue(response);
    auto *owner = new QNetworkAccessManager;
    auto *reply = new NetworkReplyHelper(owner->get(QNetworkRequest(QUrl(server.url(QStringLiteral("/late"))))));
    QVERIFY(server.waitForRequests(int(server.requests().size()) + 1));
    QSignalSpy done(reply, &NetworkReplyHelper::done);
    delete owner;
    QVERIFY(!reply->reply());
    delete reply;
    QVERIFY(done.isEmpty());
}

QTEST_GUILESS_MAIN(tst_LLMTransport)
#include "tst_llmtransport.moc"
