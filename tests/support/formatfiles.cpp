#include "support/formatfiles.h"

#include "model/translationmodel.h"
#include "support/testsupport.h"

#include <QFileInfo>

namespace FormatFiles {

QString toolFailure(const QString &program, const QStringList &arguments)
{
    QString output;
    const int code = TestSupport::run(program, arguments, &output);
    return code == 0 ? QString()
                     : QStringLiteral("%1 %2 exited with %3: %4")
                           .arg(QFileInfo(program).fileName(), arguments.join(QLatin1Char(' ')))
                           .arg(code)
                           .arg(output);
}

QString write(const QTemporaryDir &folder, const QString &name, const QByteArray &content)
{
    const QString path = folder.filePath(name);
    if (!TestSupport::writeFile(path, content))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

bool openFiles(TranslationModel *model, const QTemporaryDir &folder, const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths.append(folder.filePath(name));
    return model->openFiles(paths);
}

int rowOf(const TranslationModel &model, const QString &id)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.messageAt(row).id == id)
            return row;
    }
    return -1;
}

QMap<QString, QString> columnTexts(const TranslationModel &model, int column)
{
    QMap<QString, QString> texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString text = model.cellText(model.index(row, column));
        if (!text.isEmpty())
            texts.insert(model.messageAt(row).id, text);
    }
    return texts;
}

QString lreleaseFailure(const QString &file)
{
    QTemporaryDir out;
    return toolFailure(QStringLiteral(PARLONEX_LRELEASE),
        { QStringLiteral("-silent"), file, QStringLiteral("-qm"),
            out.filePath(QStringLiteral("out.qm")) });
}

QString msgfmtFailure(const QString &file)
{
    return toolFailure(QStringLiteral(PARLONEX_MSGFMT),
        { QStringLiteral("-c"), QStringLiteral("--check-format"), QStringLiteral("-o"),
            QStringLiteral("/dev/null"), file });
}

QString msgcmpFailure(const QString &written, const QString &original)
{
    const QStringList options { QStringLiteral("--use-fuzzy"),
        QStringLiteral("--use-untranslated") };
    QString failure =
        toolFailure(QStringLiteral(PARLONEX_MSGCMP), options + QStringList { written, original });
    if (failure.isEmpty())
        failure = toolFailure(
            QStringLiteral(PARLONEX_MSGCMP), options + QStringList { original, written });
    return failure;
}

} // namespace FormatFiles
