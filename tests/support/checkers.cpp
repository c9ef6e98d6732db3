#include "support/checkers.h"

#include "support/testsupport.h"

#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>

namespace TestSupport {

int sfparseEntries(const QString &file)
{
    QString output;
    run(QStringLiteral(PARLONEX_SFPARSE), { file }, &output);
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("seems ok \\((\\d+) entries\\)")).match(output);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QMap<QString, QString> gnustepValues(
    const QString &file, const QString &scratchDir, const QStringList &keys)
{
    const QByteArray bytes = readAll(file);
    QStringDecoder decoder(
        QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8));
    const QString input = scratchDir + QStringLiteral("/plget-input.strings");
    writeFile(input, QString(decoder.decode(bytes)).toUtf8());
    QMap<QString, QString> values;
    for (const QString &key : keys) {
        QProcess plget;
        plget.setStandardInputFile(input);
        plget.start(QStringLiteral(PARLONEX_PLGET), { key });
        plget.waitForFinished(60000);
        if (plget.exitStatus() == QProcess::NormalExit && plget.exitCode() == 0)
            values.insert(key, QString::fromUtf8(plget.readAllStandardOutput()));
    }
    return values;
}

QJsonObject i18nextResolve(const QString &root, const QString &language, const QStringList &keys)
{
    QString output;
    run(QStringLiteral(PARLONEX_NODE),
        QStringList { QStringLiteral(PARLONEX_I18NEXT_CHECK), QStringLiteral("--prefix"),
            QStringLiteral(PARLONEX_I18NEXT_PREFIX), QStringLiteral("--json"), root, language }
            + keys,
        &output);
    // Warnings about folder names go to the same channel, before the JSON.
    const qsizetype start = output.indexOf(u'{');
    const QJsonDocument document =
        QJsonDocument::fromJson(output.mid(start, output.lastIndexOf(u'}') + 1 - start).toUtf8());
    return document.object().value(QStringLiteral("values")).toObject();
}

int i18nextCheckAll(const QString &root, QString *output)
{
    return run(QStringLiteral(PARLONEX_NODE),
        { QStringLiteral(PARLONEX_I18NEXT_CHECK), QStringLiteral("--prefix"),
            QStringLiteral(PARLONEX_I18NEXT_PREFIX), QStringLiteral("--all"), root },
        output);
}

} // namespace TestSupport
