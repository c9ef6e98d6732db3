#pragma once

#include "model/translationmodel.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>

#include <sys/resource.h>

inline QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

inline QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// Wall and processor time of one phase; the processor time is what to compare while other
// work shares the machine.
class Stopwatch final
{
public:
    Stopwatch() { restart(); }
    void restart()
    {
        wall.start();
        cpuStart = cpuMs();
    }
    qint64 elapsed() const { return wall.elapsed(); }
    QString report(const char *phase) const
    {
        return QStringLiteral("%1 ms %2\n%1 cpu ms %3\n")
            .arg(QLatin1String(phase))
            .arg(wall.elapsed())
            .arg(cpuMs() - cpuStart);
    }

private:
    static qint64 cpuMs()
    {
        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000
            + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
    }

    QElapsedTimer wall;
    qint64 cpuStart = 0;
};

inline long peakRssKiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A table filled straight through addTranslation, without files.
class SyntheticModel final : public TranslationModel
{
public:
    // Texts are made beforehand, so that only the table's own work is timed.
    static QStringList texts(const QString &pattern, int count)
    {
        QStringList list;
        list.reserve(count);
        for (int i = 0; i < count; ++i)
            list.append(pattern.arg(i));
        return list;
    }
    SyntheticModel()
        : TranslationModel(nullptr, { QStringLiteral("Message ID"), QStringLiteral("Group") })
    {
    }
    void fill(
        const QStringList &groups, const QStringList &ids, const QStringList &texts, int languages)
    {
        beginLoad();
        QStringList codes;
        for (int language = 0; language < languages; ++language) {
            codes.append(QStringLiteral("l%1").arg(language));
            addLanguage(codes.last());
        }
        reserveRows(int(ids.size()));
        for (const QString &code : std::as_const(codes)) {
            for (int message = 0; message < ids.size(); ++message)
                addTranslation(groups.at(message % groups.size()), code, ids.at(message),
                    texts.at(message), true);
        }
        endLoad(QString());
    }
    bool importFromDirectory(const QString &) override { return false; }
    bool openFiles(const QStringList &) override { return false; }
    bool exportToDirectory() override { return false; }
    bool saveColumn(int) override { return false; }
    int leadingColumnCount() const override { return 2; }
};

// parlonex-bench filter N L TEXT
int benchFilter(const QStringList &arguments);
