#pragma once

#include "llm/translationjob.h"

#include <QCoreApplication>
#include <QSet>

class QJsonObject;
class TranslationModel;

// Checks a model's answer against the contract (a JSON array with one object per text, keyed
// by "id" and by target language) and writes its translations into the job's cells.
class TranslationAnswer final
{
    Q_DECLARE_TR_FUNCTIONS(TranslationAnswer)

public:
    struct Result
    {
        bool valid = false; // the answer had the contract's shape
        QString error; // why not, when it had not
        int translated = 0; // cells that now hold a translation from this answer
        QList<QModelIndex> unmatched; // job cells the answer gave no text for, in job order
        // Cells whose text lost or invented a placeholder, left as they were: worth asking
        // once more. On that second try a wrong text is written, marked and explained.
        QList<QModelIndex> recheck;
    };

    // Drops a ```json code fence around the answer, then white space at both ends.
    static QString stripFence(const QString &answer);
    // With `markForReview` every cell written is marked as unfinished.
    static Result apply(TranslationModel *model, const TranslationJob &job, const QString &answer,
        bool markForReview = false);

private:
    // Writes one object of the answer; `written` collects the cells it filled.
    static void applyTranslatedObject(TranslationModel *model, const TranslationJob &job,
        const QJsonObject &object, bool markForReview, QSet<QModelIndex> *written,
        QList<QModelIndex> *recheck);
    static bool write(TranslationModel *model, const TranslationJob &job, const QModelIndex &cell,
        const QString &text, bool markForReview, QList<QModelIndex> *recheck);
    static QModelIndex cellForLanguage(
        const TranslationModel *model, const TranslationJob &job, const QString &key);
};
