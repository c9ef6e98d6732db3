#include "llm/networkreplyhelper.h"
#include "support/httpserver.h"

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
    void reply_data();
    void reply();
    void managerGoneFirst();

private:
    QNetworkAccessManager manager;
    HttpServer server;
    const QByteArray text = QByteArray("{\"answer\": \"") + QByteArray(3000, 'x') + "\"}";
};

void tst_LLMTransport::initTestCase()
{
    QVERIFY(server.start());
}

void tst_LLMTransport::gUncompress_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected"); // what comes out, or what it is a prefix of
    QTest::addColumn<bool>("partial");

    // Whole streams and the cap are met through replies; these are what no reply row reaches.
    const QByteArray garbage("\x1f\x8b\x08\x00garbage", 11);
    const QByteArray megabyte(1024 * 1024, 'a');
    QByteArray varied;
    for (int i = 0; i < 20000; ++i)
        varied += QByteArray::number(i * 7919 % 10007) + ',';
    const QByteArray cut = HttpServer::gzip(varied).left(HttpServer::gzip(varied).size() / 2);

    // clang-format off
    QTest::newRow("random bytes stay intact")     << garbage                    << garbage  << false;
    QTest::newRow("a megabyte, many windows")     << HttpServer::gzip(megabyte) << megabyte << false;
    QTest::newRow("truncated stream: its prefix") << cut                        << varied   << true;
    // clang-format on
}

void tst_LLMTransport::gUncompress()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    QFETCH(bool, partial);

    const QByteArray result = NetworkReplyHelper::gUncompress(input);
    if (partial) {
        QVERIFY(!result.isEmpty() && result.size() < expected.size());
        QVERIFY(expected.startsWith(result));
    } else {
        QCOMPARE(result, expected);
    }
}

void tst_LLMTransport::reply_data()
{
    QTest::addColumn<QString>("answer"); // how the server answers
    QTest::addColumn<QByteArray>("acceptEncoding"); // asked for by us: the network layer leaves it
    QTest::addColumn<QByteArray>("content"); // the body kept, when the reply succeeds
    QTest::addColumn<int>("lines"); // error lines at least; 0: the reply succeeds

    const QByteArray gzipped = HttpServer::gzip(text);
    // clang-format off
    QTest::newRow("gzip in three pieces, inflated at the end") << "gzip"         << QByteArray("gzip")    << text    << 0;
    QTest::newRow("deflate")                                   << "deflate"      << QByteArray("deflate") << text    << 0;
    QTest::newRow("a coding named in capitals")                << "GZIP"         << QByteArray("gzip")    << text    << 0;
    QTest::newRow("gzip decoded by the network layer")         << "gzip"         << QByteArray()          << text    << 0;
    QTest::newRow("an unknown coding stays as it came")        << "br"           << QByteArray("gzip")    << gzipped << 0;
    QTest::newRow("a bomb is refused with a reason")           << "bomb"         << QByteArray("gzip")    << QByteArray() << 1;
    QTest::newRow("slow but steady data: no abort")            << "steady"       << QByteArray() << QByteArray(8 * 64, 'a') << 0;
    QTest::newRow("stalled reply: the watchdog aborts it")     << "stall"        << QByteArray()          << QByteArray() << 1;
    QTest::newRow("HTTP error status: one line")               << "404"          << QByteArray()          << QByteArray() << 1;
    QTest::newRow("self-signed TLS: TLS errors, then the network error") << "tls" << QByteArray()         << QByteArray() << 2;
    // clang-format on
}

void tst_LLMTransport::reply()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, acceptEncoding);
    QFETCH(QByteArray, content);
    QFETCH(int, lines);

    HttpServer tlsServer(true);
    QString url = server.url(QStringLiteral("/reply"));
    HttpServer::Response response = HttpServer::Response::json(QByteArray());
    if (answer == QLatin1String("tls")) {
        QVERIFY(tlsServer.start());
        url = tlsServer.url(QStringLiteral("/secure"));
    } else if (answer == QLatin1String("404")) {
        response = HttpServer::Response::json("not found", 404);
    } else if (answer == QLatin1String("bomb")) {
        // Inflates to one byte more than the cap.
        response = HttpServer::Response::json(
            HttpServer::gzip(QByteArray(NetworkReplyHelper::maxInflatedSize + 1, '\0')));
        response.headers << qMakePair(QByteArray("Content-Encoding"), QByteArray("gzip"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("exceeds"));
    } else if (answer == QLatin1String("steady") || answer == QLatin1String("stall")) {
        // Eight pieces 100 ms apart pass a watchdog of 400 ms; a stall after the first does not.
        response.stall = answer == QLatin1String("stall");
        for (int i = 0; i < 8; ++i)
            response.pieces << HttpServer::Piece { response.stall && i > 0 ? 0 : 100,
                QByteArray(64, 'a') };
        if (response.stall)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("aborting the request"));
    } else {
        const QByteArray compressed = HttpServer::gzip(text, answer == QLatin1String("deflate"));
        response.headers << qMakePair(QByteArray("Content-Encoding"), answer.toUtf8());
        const qsizetype step = compressed.size() / 3 + 1;
        for (qsizetype start = 0; start < compressed.size(); start += step)
            response.pieces << HttpServer::Piece { 30, compressed.mid(start, step) };
    }
    server.enqueue(response);

    QNetworkRequest request { QUrl(url) };
    if (!acceptEncoding.isEmpty())
        request.setRawHeader("Accept-Encoding", acceptEncoding);
    NetworkReplyHelper reply(manager.get(request));
    reply.setTimeout(400);
    QSignalSpy done(&reply, &NetworkReplyHelper::done);
    QSignalSpy errors(&reply,
        qOverload<QNetworkReply::NetworkError, const QString &>(&NetworkReplyHelper::errorMessage));
    QVERIFY(done.wait(10000));
    QCOMPARE(done.size(), 1);
    const QString message = reply.errorMessage();
    if (lines == 0) {
        QVERIFY2(message.isEmpty(), qPrintable(message));
        QCOMPARE(*reply.content(), content);
        return;
    }
    if (answer == QLatin1String("stall"))
        QCOMPARE(reply.networkError(), QNetworkReply::OperationCanceledError);
    // Each error is one line ending in a line feed.
    const QStringList found = message.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(found.size() >= lines, qPrintable(message));
    QCOMPARE(message.count(QLatin1Char('\n')), found.size());
    if (answer == QLatin1String("bomb"))
        QCOMPARE(message, QStringLiteral("The response is too large.\n"));
    else
        QCOMPARE(errors.last().at(1).toString(), message);
}

void tst_LLMTransport::managerGoneFirst()
{
    // The window's network access manager goes before the objects still holding replies.
    HttpServer::Response response = HttpServer::Response::json("{}");
    response.stall = true;
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
