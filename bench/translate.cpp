#include "bench/translate.h"

#include "bench/tabledump.h"
#include "llm/translationqueue.h"
#include "model/translationmodel.h"
#include "settings/settings.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QMap>
#include <QNetworkAccessManager>
#include <QSaveFile>
#include <QScopedPointer>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const char usage[] =
    "usage: parlonex-bench translate KIND (--import DIR | FILE...) --service NAME --url URL "
    "--key KEY --model MODEL [--parallel P] [--dump OUT.tsv]\n";

// "--name value" pairs; everything else is a file of the set.
bool readOptions(const QStringList &arguments, QMap<QString, QString> *options, QStringList *files)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (!arguments.at(i).startsWith(QLatin1String("--"))) {
            files->append(arguments.at(i));
            continue;
        }
        if (i + 1 == arguments.size())
            return false;
        options->insert(arguments.at(i).mid(2), arguments.at(i + 1));
        ++i;
    }
    return true;
}

} // namespace

int benchTranslate(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    static const QMap<QString, ModelKind> kinds { { QStringLiteral("ts"), ModelKind::Qt },
        { QStringLiteral("po"), ModelKind::Gnu }, { QStringLiteral("strings"), ModelKind::Apple },
        { QStringLiteral("json"), ModelKind::CommonJSON } };
    QMap<QString, QString> options;
    QStringList files;
    bool parallelOk = false;
    if (arguments.isEmpty() || !kinds.contains(arguments.first())
        || !readOptions(arguments.mid(1), &options, &files)
        || options.contains(QStringLiteral("import")) == !files.isEmpty()
        || !options.contains(QStringLiteral("service"))
        || !options.contains(QStringLiteral("url"))) {
        err << usage;
        return 2;
    }
    const int requests =
        options.value(QStringLiteral("parallel"), QStringLiteral("1")).toInt(&parallelOk);
    if (!parallelOk || requests < 1 || requests > Settings::maxRequestsAtATime) {
        err << usage;
        return 2;
    }

    // One debug line per prompt and answer would drown the figures.
    QLoggingCategory::setFilterRules(QStringLiteral("parlonex.llm.debug=false"));
    // The bench must never read or change the user's own configurations.
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    {
        Settings settings;
        settings.saveLLMConfigurations({ LLMConfiguration { 0, QStringLiteral("bench"),
            options.value(QStringLiteral("url")), options.value(QStringLiteral("key")),
            options.value(QStringLiteral("model")), options.value(QStringLiteral("service")) } });
        settings.setUsedLLMId(0);
        settings.setRequestsAtATime(requests);
    }

    QScopedPointer<TranslationModel> model(
        TranslationModel::create(kinds.value(arguments.first()), nullptr));
    const bool opened = options.contains(QStringLiteral("import"))
        ? model->importFromDirectory(options.value(QStringLiteral("import")))
        : model->openFiles(files);
    if (!opened) {
        err << "the set could not be opened\n";
        return 1;
    }

    QNetworkAccessManager manager;
    TranslationQueue queue(&manager);
    queue.setModel(model.get());
    queue.setSetup(Settings().llmSetup());
    QEventLoop loop;
    QObject::connect(&queue, &TranslationQueue::idle, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    for (int column = 0; column < model->columnCount(); ++column) {
        if (column != model->sourceColumn())
            queue.translateEmptyCellsInColumn(column);
    }
    if (queue.isTranslating())
        loop.exec();
    const qint64 elapsed = timer.elapsed();

    const TranslationQueue::Progress progress = queue.progress();
    out << "cells written " << progress.translated << "\ncells failed " << progress.failed
        << "\nrequests sent " << progress.requestsSent << "\ntokens " << progress.tokens
        << "\nelapsed ms " << elapsed << '\n';
    const QString dumpPath = options.value(QStringLiteral("dump"));
    if (dumpPath.isEmpty())
        return 0;
    QSaveFile dump(dumpPath);
    if (!dump.open(QIODevice::WriteOnly)
        || dump.write((dumpTable(*model).join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0
        || !dump.commit()) {
        err << "cannot write " << dumpPath << ": " << dump.errorString() << '\n';
        return 1;
    }
    return 0;
}
