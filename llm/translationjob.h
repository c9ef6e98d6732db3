#pragma once

#include <QList>
#include <QModelIndex>
#include <QString>

// One queued request: the target cells in prompt order and the filled user prompt. A column
// job holds several cells of one column (one text per cell, one target language), a row job
// several cells of one row (one text, a target language per cell); a single cell is both.
struct TranslationJob
{
    QList<QModelIndex> cells;
    int rowCount = 0;
    int columnCount = 0;
    QString userPrompt;

    // What a retry or a split needs to build the same kind of prompt again.
    QString promptTemplate;
    // Failed answers so far; a job is given up (or split) after maxAttempts.
    int attempts = 0;
    // The cells' first answers lost or invented a placeholder: this is the one more try.
    bool placeholderRetry = false;
    // Not sent before this time of the queue's clock (a pause after a failure).
    qint64 notBefore = 0;

    static constexpr int maxAttempts = 3;

    // Several target languages for one text (a single cell counts as a column job).
    bool isRowJob() const { return rowCount == 1 && columnCount >= 2; }

    static TranslationJob make(const QList<QModelIndex> &cells, int rowCount, int columnCount,
        const QString &userPrompt = QString(), const QString &promptTemplate = QString())
    {
        TranslationJob job;
        job.cells = cells;
        job.rowCount = rowCount;
        job.columnCount = columnCount;
        job.userPrompt = userPrompt;
        job.promptTemplate = promptTemplate;
        return job;
    }

    // A text goes into the prompt as one numbered line: backslashes doubled, quotes doubled,
    // breaks and tabs as \r, \n and \t. Decoding reads the sequences left to right, so every
    // text comes back exactly; a backslash before any other character stays as it is.
    static QString escapeForPrompt(const QString &text);
    static QString unescapeFromAnswer(const QString &text);
};
