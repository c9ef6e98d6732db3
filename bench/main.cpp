// parlonex-bench: times loading, reading, converting and exporting translation sets.
//   parlonex-bench model N L
//   parlonex-bench load KIND (--import DIR | FILE...) [--dump OUT.tsv]
//   parlonex-bench roundtrip KIND (--import DIR | FILE...) [--fill TEXT] [--dump OUT.tsv]
//   parlonex-bench filter N L TEXT

#include "app/chineseconverter.h"
#include "bench/benchsupport.h"
#include "bench/tabledump.h"
#include "bench/translate.h"
#include "model/translationmodel.h"

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QScopedPointer>
#include <QTextStream>

namespace {

int benchModel(const QStringList &arguments)
{
    bool countOk = false;
    bool languagesOk = false;
    const int messages = arguments.value(0).toInt(&countOk);
    const int languages = arguments.value(1).toInt(&languagesOk);
    if (!countOk || !languagesOk || messages < 0 || languages < 1) {
        err() << "usage: parlonex-bench model N L\n";
        return 2;
    }
    const QStringList groups = SyntheticModel::texts(QStringLiteral("group%1"), 97);
    const QStringList ids = SyntheticModel::texts(QStringLiteral("Message number %1"), messages);
    const QStringList texts = SyntheticModel::texts(QStringLiteral("Text number %1"), messages);
    SyntheticModel model;
    Stopwatch timer;
    model.fill(groups, ids, texts, languages);
    const QString load = timer.report("load");
    timer.restart();
    qint64 characters = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column)
            characters += model.data(model.index(row, column)).toString().size();
    }
    const QString read = timer.report("read");
    // What a column command does: convert every text of one column, store them in another
    // in one edit.
    const QStringList chinese =
        SyntheticModel::texts(QStringLiteral("打开第%1个软件文件"), messages);
    timer.restart();
    ChineseConverter converter(ChineseConverter::profilePath(
        QStringLiteral("s2twp.json"), QCoreApplication::applicationDirPath()));
    QList<CellText> converted;
    for (int row = 0; row < model.rowCount(); ++row)
        converted.append(CellText {
            model.index(row, 0), converter.convert(chinese.at(row)).value_or(QString()) });
    const QString convert = timer.report("convert column");
    timer.restart();
    const int changed = model.setTexts(converted);
    const QString edit = timer.report("store column");
    out() << "messages " << model.rowCount() << "\nlanguages " << model.columnCount() << '\n'
          << load << read << "characters read " << characters << '\n'
          << convert << edit << "cells stored " << changed << "\npeak RSS KiB " << peakRssKiB()
          << '\n';
    return 0;
}

struct SetArguments
{
    ModelKind kind = ModelKind::Qt;
    QString importDirectory;
    QStringList files;
    QString dumpPath;
    QString fill;
    bool hasFill = false;
};

bool parseSetArguments(QStringList arguments, bool allowFill, SetArguments *set)
{
    static const QMap<QString, ModelKind> kinds {
        { QStringLiteral("ts"), ModelKind::Qt },
        { QStringLiteral("po"), ModelKind::Gnu },
        { QStringLiteral("strings"), ModelKind::Apple },
        { QStringLiteral("json"), ModelKind::CommonJSON },
    };
    if (arguments.isEmpty() || !kinds.contains(arguments.first()))
        return false;
    set->kind = kinds.value(arguments.takeFirst());
    while (!arguments.isEmpty()) {
        const QString argument = arguments.takeFirst();
        if (argument == QLatin1String("--import") && !arguments.isEmpty()) {
            set->importDirectory = arguments.takeFirst();
        } else if (argument == QLatin1String("--dump") && !arguments.isEmpty()) {
            set->dumpPath = arguments.takeFirst();
        } else if (allowFill && argument == QLatin1String("--fill") && !arguments.isEmpty()) {
            set->fill = unescapeCell(arguments.takeFirst());
            set->hasFill = true;
        } else if (argument.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            set->files.append(argument);
        }
    }
    return set->importDirectory.isEmpty() != set->files.isEmpty();
}

TranslationModel *openSet(const SetArguments &set)
{
    TranslationModel *model = TranslationModel::create(set.kind, nullptr);
    const bool opened = set.importDirectory.isEmpty()
        ? model->openFiles(set.files)
        : model->importFromDirectory(set.importDirectory);
    if (!opened) {
        delete model;
        return nullptr;
    }
    return model;
}

bool dump(const TranslationModel &model, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        err() << "cannot write " << path << ": " << file.errorString() << '\n';
        return false;
    }
    QTextStream stream(&file);
    const QStringList lines = dumpTable(model);
    for (const QString &line : lines)
        stream << line << '\n';
    stream.flush();
    return file.error() == QFileDevice::NoError;
}

int benchSet(const QStringList &arguments, bool roundTrip)
{
    SetArguments set;
    if (!parseSetArguments(arguments, roundTrip, &set)) {
        err() << "usage: parlonex-bench " << (roundTrip ? "roundtrip" : "load")
              << " KIND (--import DIR | FILE...)" << (roundTrip ? " [--fill TEXT]" : "")
              << " [--dump OUT.tsv]\n";
        return 2;
    }
    Stopwatch timer;
    QScopedPointer<TranslationModel> model(openSet(set));
    const QString load = timer.report("load");
    if (!model) {
        err() << "the set could not be opened\n";
        return 1;
    }
    out() << "messages " << model->rowCount() << "\nlanguages " << model->columnCount() << '\n'
          << load;
    if (!roundTrip) {
        out() << "peak RSS KiB " << peakRssKiB() << '\n';
        return set.dumpPath.isEmpty() || dump(*model, set.dumpPath) ? 0 : 1;
    }

    if (set.hasFill) {
        int filled = 0;
        for (int column = 0; column < model->columnCount(); ++column) {
            for (int row = 0; row < model->rowCount(); ++row) {
                const QModelIndex cell = model->index(row, column);
                if (model->cellText(cell).isEmpty() && model->setData(cell, set.fill))
                    ++filled;
            }
        }
        out() << "filled cells " << filled << '\n';
    }
    timer.restart();
    const bool exported = model->exportToDirectory();
    const QString exportTime = timer.report("export");
    model.reset();
    timer.restart();
    QScopedPointer<TranslationModel> reopened(openSet(set));
    out() << exportTime << "export succeeded " << (exported ? "yes" : "no") << '\n'
          << timer.report("reopen") << "peak RSS KiB " << peakRssKiB() << '\n';
    if (!reopened) {
        err() << "the exported set could not be reopened\n";
        return 1;
    }
    if (!set.dumpPath.isEmpty() && !dump(*reopened, set.dumpPath))
        return 1;
    return exported ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (command == QLatin1String("model"))
        return benchModel(arguments);
    if (command == QLatin1String("load"))
        return benchSet(arguments, false);
    if (command == QLatin1String("roundtrip"))
        return benchSet(arguments, true);
    if (command == QLatin1String("filter"))
        return benchFilter(arguments);
    if (command == QLatin1String("translate"))
        return benchTranslate(arguments);
    err() << "usage: parlonex-bench model N L\n"
             "       parlonex-bench load KIND (--import DIR | FILE...) [--dump OUT.tsv]\n"
             "       parlonex-bench roundtrip KIND (--import DIR | FILE...) [--fill TEXT] "
             "[--dump OUT.tsv]\n"
             "       parlonex-bench filter N L TEXT\n"
             "       parlonex-bench translate KIND (--import DIR | FILE...) --service NAME "
             "--url URL --key KEY --model MODEL [--parallel P] [--dump OUT.tsv]\n"
             "KIND: ts, po, strings, json\n";
    return 2;
}
