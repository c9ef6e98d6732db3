#pragma once

#include <QAbstractItemModelTester>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

class TranslationModel;

// A scratch folder of translation files, and the checkers their ecosystems trust.
namespace FormatFiles {

// Writes `content` to `name` under `folder`, creating subfolders; aborts the test run if it
// cannot, since every later check would be meaningless.
QString write(const QTemporaryDir &folder, const QString &name, const QByteArray &content);

// Opens the files named relative to `folder` in `model`.
bool openFiles(TranslationModel *model, const QTemporaryDir &folder, const QStringList &names);

// A new `Model` holding those files, watched by a model tester; aborts when it refuses them.
template <class Model>
Model *open(QObject *parent, const QTemporaryDir &folder, const QStringList &names)
{
    auto *model = new Model(parent);
    new QAbstractItemModelTester(
        model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
    if (!openFiles(model, folder, names))
        qFatal("openFiles failed");
    return model;
}

// The first row whose message ID is `id`, or -1.
int rowOf(const TranslationModel &model, const QString &id);
// Each row's non-empty text in one language column, keyed by message ID.
QMap<QString, QString> columnTexts(const TranslationModel &model, int column);

// Expects one message of `type` matching `pattern` to be logged next.
inline void expectLog(QtMsgType type, const char *pattern)
{
    QTest::ignoreMessage(type, QRegularExpression(QString::fromUtf8(pattern)));
}

// Each returns an empty string when the checker accepts the file, otherwise what it printed.
QString toolFailure(const QString &program, const QStringList &arguments);
QString lreleaseFailure(const QString &file);
QString msgfmtFailure(const QString &file);
// Whether both catalogues hold the same msgids (msgcmp, both ways).
QString msgcmpFailure(const QString &written, const QString &original);

} // namespace FormatFiles
