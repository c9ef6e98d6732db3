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

    // A text goes into the prompt as one numbered line: quotes doubled, breaks as \r and \n.
    static QString escapeForPrompt(const QString &text);
    static QString unescapeFromAnswer(const QString &text);
};
