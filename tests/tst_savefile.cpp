#include "model/savefile.h"
#include "support/testsupport.h"

#include <QDir>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

class tst_SaveFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void save_data();
    void save();
};

void tst_SaveFile::initTestCase()
{
    // Past the size limit the kernel sends SIGXFSZ; ignored, the write fails with EFBIG.
    std::signal(SIGXFSZ, SIG_IGN);
}

void tst_SaveFile::save_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("writerSucceeds");
    QTest::addColumn<bool>("saved");
    QTest::newRow("written") << 1000 << 0 << true << true;
    // Smaller than the device's buffer: the bytes only reach the disk on the final flush.
    QTest::newRow("disk full at the last flush") << 1000 << 100 << true << false;
    QTest::newRow("disk full while writing") << 100000 << 100 << true << false;
    QTest::newRow("writer gives up") << 1000 << 0 << false << false;
}

void tst_SaveFile::save()
{
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(bool, writerSucceeds);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("messages.ts"));
    const QByteArray original("original content\n");
    QVERIFY(TestSupport::writeFile(path, original));
    const QByteArray content(size, 'x');

    rlimit previous {};
    getrlimit(RLIMIT_FSIZE, &previous);
    if (limit > 0) {
        rlimit limited = previous;
        limited.rlim_cur = rlim_t(limit);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    QString error;
    const bool result = saveFileAtomically(
        path,
        [&](QIODevice &device) {
            return device.write(content) == content.size() && writerSucceeds;
        },
        &error);
    setrlimit(RLIMIT_FSIZE, &previous);

    QCOMPARE(result, saved);
    QCOMPARE(TestSupport::readAll(path), saved ? content : original);
    QCOMPARE(error.isEmpty(), saved);
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "messages.ts" });
}

QTEST_GUILESS_MAIN(tst_SaveFile)
#include "tst_savefile.moc"
