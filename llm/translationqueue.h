#pragma once

#include "llm/translationjob.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class LLMServiceReplyHelper;
class QNetworkAccessManager;
class TranslationModel;

// The translation jobs of the open set: cuts commands into jobs, sends one request at a time,
// writes each answer into the table and re-queues, first, the cells that got no text.
class TranslationQueue final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TranslationQueue)

public:
    static constexpr int batchSize = 10;

    explicit TranslationQueue(QNetworkAccessManager *manager, QObject *parent = nullptr);
    ~TranslationQueue() override;

    // Jobs of another set are dropped: their cells point into a model that is going away.
    void setModel(TranslationModel *model);
    TranslationModel *model() const { return translationModel; }

    void translateColumn(int column);
    void translateRow(int row);
    void translateEmptyCellsInColumn(int column);
    void translateEmptyCellsInRow(int row);
    void translateColumnCells(const QList<QModelIndex> &cells, bool first = false);
    // Column jobs of at most batchSize cells each.
    void translateColumnCellsInBatches(const QList<QModelIndex> &cells);
    void translateRowCells(const QList<QModelIndex> &cells, bool first = false);
    void translateCell(const QModelIndex &index);
    // A single cell with another user prompt template (a preset's) than the one in use.
    void translateCellWithTemplate(const QModelIndex &index, const QString &promptTemplate);

    void enqueueTranslation(const TranslationJob &job);
    void enqueueTranslationFirst(const TranslationJob &job);
    void processTranslationQueue();
    void retranslateCells(const QList<QModelIndex> &cells);

    // Empties the queue and aborts the outstanding request; its answer is not written.
    void stop();
    // The same, silently: used when the set is replaced.
    void drop();

    bool isTranslating() const { return translating; }
    bool isPaused() const { return pauseTimer.isActive(); }
    // Waiting jobs and cells, plus the outstanding one.
    int jobsLeft() const;
    int cellsLeft() const;
    const QList<TranslationJob> &waitingJobs() const { return queue; }

    void setWatchdogInterval(int msec) { watchdogInterval = msec; }
    void setRateLimitPause(int msec) { rateLimitPause = msec; }
    void setMaxConsecutiveFailures(int count) { maxConsecutiveFailures = count; }

signals:
    void translatingChanged(bool translating);
    void statusMessage(const QString &message);
    void progressChanged(int jobs, int cells);
    // Nothing outstanding, nothing waiting.
    void idle();

private slots:
    void onLLMServiceResponse();

private:
    void sendTranslationRequest(const TranslationJob &job);
    void enqueue(const TranslationJob &job, bool first);
    void translateLine(int line, bool byRow, bool emptyOnly);
    void translateInBatches(const QList<QModelIndex> &cells, bool byRow);
    TranslationJob columnJob(const QList<QModelIndex> &cells, const QString &promptTemplate) const;
    TranslationJob rowJob(const QList<QModelIndex> &cells, const QString &promptTemplate) const;
    QList<QModelIndex> emptyCells(const QList<QModelIndex> &cells) const;
    void setTranslating(bool value);
    void finishRequest();
    // Counts a failed answer; answers false (and stops everything) when the same cells
    // have failed too often in a row.
    bool recordFailure(const TranslationJob &job, const QString &reason);
    void abandonReply();
    void reportProgress();

    QNetworkAccessManager *manager;
    QPointer<TranslationModel> translationModel;
    QList<TranslationJob> queue;
    qsizetype waitingCells = 0;
    QPointer<LLMServiceReplyHelper> currentReply;
    TranslationJob currentJob;
    QTimer pauseTimer;
    bool translating = false;
    bool rateLimited = false;
    int watchdogInterval = 180000;
    int rateLimitPause = 30000;
    int maxConsecutiveFailures = 3;
    QList<QModelIndex> lastFailedCells;
    int failureCount = 0;
};
