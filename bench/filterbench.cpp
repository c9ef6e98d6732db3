// parlonex-bench filter N L TEXT: how long the filter bar takes to narrow a set of N messages
// in L languages, typed one character at a time, as a regular expression, and by each quick
// filter. Both tables' row mappings are rebuilt each time, as in the window.

#include "bench/benchsupport.h"
#include "model/rowfilter.h"
#include "model/sourcemodel.h"

int benchFilter(const QStringList &arguments)
{
    bool countOk = false;
    bool languagesOk = false;
    const int messages = arguments.value(0).toInt(&countOk);
    const int languages = arguments.value(1).toInt(&languagesOk);
    const QString text = arguments.value(2);
    if (!countOk || !languagesOk || messages < 1 || languages < 1 || text.isEmpty()) {
        err() << "usage: parlonex-bench filter N L TEXT\n";
        return 2;
    }
    SyntheticModel model;
    model.fill(SyntheticModel::texts(QStringLiteral("group%1"), 97),
        SyntheticModel::texts(QStringLiteral("Message number %1"), messages),
        SyntheticModel::texts(QStringLiteral("Text number %1, with a few words more"), messages),
        languages);
    SourceModel sourceModel;
    sourceModel.setTranslationModel(&model);
    RowFilter filter;
    RowFilterModel targetRows(&filter);
    RowFilterModel sourceRows(&filter);
    filter.setModel(&model);
    targetRows.setSourceModel(&model);
    sourceRows.setSourceModel(&sourceModel);
    out() << "messages " << model.rowCount() << "\nlanguages " << model.columnCount() << '\n';

    const auto apply = [&filter, &targetRows](
                           const RowFilterCriteria &criteria, const QString &label) {
        Stopwatch timer;
        filter.setCriteria(criteria);
        const qint64 elapsed = timer.elapsed();
        out() << timer.report(qPrintable(label)) << label << " rows shown " << targetRows.rowCount()
              << '\n';
        return elapsed;
    };
    qint64 slowest = 0;
    for (int length = 1; length <= text.size(); ++length) {
        RowFilterCriteria typed;
        typed.text = text.left(length);
        slowest = qMax(slowest, apply(typed, QStringLiteral("filter \"%1\"").arg(typed.text)));
    }
    out() << "slowest keystroke ms " << slowest << '\n';
    // The whole text at once, with nothing shown before to narrow: every cell is searched.
    filter.setCriteria(RowFilterCriteria());
    RowFilterCriteria whole;
    whole.text = text;
    apply(whole, QStringLiteral("whole text at once"));
    RowFilterCriteria pattern;
    pattern.text = text;
    pattern.regularExpression = true;
    apply(pattern, QStringLiteral("regular expression"));
    const std::pair<RowFilterCriteria::Quick, const char *> quickFilters[] = {
        { RowFilterCriteria::Quick::EmptyInAnyColumn, "empty in any column" },
        { RowFilterCriteria::Quick::EmptyInColumn, "empty in column 1" },
        { RowFilterCriteria::Quick::UnfinishedOrReview, "unfinished" },
        { RowFilterCriteria::Quick::ChangedSinceOpened, "changed since opened" },
        { RowFilterCriteria::Quick::ProblemNoted, "problem noted" },
    };
    for (const auto &[quick, label] : quickFilters) {
        RowFilterCriteria criteria;
        criteria.quick = quick;
        criteria.column = 0;
        apply(criteria, QString::fromLatin1(label));
    }
    out() << "peak RSS KiB " << peakRssKiB() << '\n';
    return 0;
}
