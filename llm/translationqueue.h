#pragma once

#include "llm/translationjob.h"
#include "settings/llmrecords.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class LLMServiceReplyHelper;
class QNetworkAccessManager;
class TranslationModel;

// The translation jobs of the open set: cuts commands into jobs, keeps up to "Requests at a
// time" requests out, writes each answer into the table as it lands, retries what a retry can
// cure after a growing pause, and gives up on single jobs, not on the whole run.
class TranslationQueue final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TranslationQueue)

public:
    static constexpr int batchSize = 10;
    // A service that fails this many jobs in a row, or turns this many requests in a row away
    // as too busy, is down rather than stubborn about some texts: the run stops.
    static constexpr int maxJobsGivenUp = 3;
    static constexpr int maxThrottles = 8;

    // One run: from the first command after an idle queue until nothing is left.
    struct Progress
    {
        int total = 0; // cells the commands of the run asked for
        int translated = 0;
        int failed = 0;
        int requestsSent = 0;
        qint64 tokens = 0;
    };

    explicit TranslationQueue(QNetworkAccessManager *manager, QObject *parent = nullptr);
    ~TranslationQueue() override;

    // Jobs of another set are dropped: their cells point into a model that is going away.
    void setModel(TranslationModel *model);
    TranslationModel *model() const { return translationModel; }
    // The configuration and prompt to use from the next command or request on; a run takes
    // its number of requests at a time and its review marking when it starts.
    void setSetup(const LLMSetup &setup) { llmSetup = setup; }

    void translateColumn(int column);
    void translateRow(int row);
    void translateEmptyCellsInColumn(int column);
    void translateEmptyCellsInRow(int row);
    void translateColumnCells(const QList<QModelIndex> &cells, bool first = false);
    // Column jobs of at most batchSize cells each.
    void translateColumnCellsInBatches(const QList<QModelIndex> &cells);
    void translateRowCells(const QList<QModelIndex> &cells, bool first = false);
    void translateCell(const QModelIndex &index);
    // A single cell with another user prompt template (a preset's) than the setup's.
    void translateCellWithTemplate(const QModelIndex &index, const QString &promptTemplate);

    void enqueueTranslation(const TranslationJob &job);
    void enqueueTranslationFirst(const TranslationJob &job);
    // Sends what may go now; called again by every answer and when a pause ends.
    void processTranslationQueue();

    // Empties the queue and aborts the outstanding requests; their answers are not written.
    // The status shows `reason`, or that the user stopped the run.
    void stop(const QString &reason = QString());
    // The same, silently: used when the set is replaced.
    void drop();

    // A run is on: requests are out or jobs wait.
    bool isTranslating() const { return active; }
    // Jobs wait and none may be sent yet.
    bool isPaused() const { return pauseRemaining() > 0; }
    qint64 pauseRemaining() const;
    // Waiting jobs and cells, plus the outstanding ones.
    int jobsLeft() const;
    int cellsLeft() const;
    int requestsOut() const { return int(inFlight.size()); }
    const QList<TranslationJob> &waitingJobs() const { return queue; }
    Progress progress() const { return run; }

    void setWatchdogInterval(int msec) { watchdogInterval = msec; }
    // The clock pauses are measured on, in milliseconds; tests move it by hand.
    void setClock(std::function<qint64()> now) { clock = std::move(now); }

signals:
    void translatingChanged(bool translating);
    void statusMessage(const QString &message);
    void progressChanged();
    // Nothing outstanding, nothing waiting.
    void idle();

private slots:
    void onLLMServiceResponse();

private:
    struct Request
    {
        QPointer<LLMServiceReplyHelper> reply;
        TranslationJob job;
        LLMConfiguration configuration;
    };

    void sendTranslationRequest(const TranslationJob &job);
    // Queues a job of the run (new cells, sent at once when it may go) or one of its retries
    // (cells already counted).
    void enqueue(const TranslationJob &job, bool first, bool retry = false);
    void translateLine(int line, bool byRow, bool emptyOnly);
    void translateInBatches(const QList<QModelIndex> &cells, bool byRow);
    // What the files say about the cell's message, as one line for the prompt.
    QString notesOf(const QModelIndex &cell) const;
    TranslationJob columnJob(const QList<QModelIndex> &cells, const QString &promptTemplate) const;
    TranslationJob rowJob(const QList<QModelIndex> &cells, const QString &promptTemplate) const;
    // A job for some of a job's cells, of the same shape and prompt template.
    TranslationJob jobFor(const TranslationJob &job, const QList<QModelIndex> &cells) const;
    QList<QModelIndex> emptyCells(const QList<QModelIndex> &cells) const;

    void handleAnswer(const Request &request);
    void applyAnswer(const Request &request);
    void retryLater(TranslationJob job, const QString &reason, qint64 wait, bool answerProblem);
    // After the last try: a job whose answers were the problem is split in two; otherwise (or
    // when it holds one cell) its cells are marked as failed with the reason.
    void giveUp(const TranslationJob &job, const QString &reason, bool split);
    void failCells(const QList<QModelIndex> &cells, const QString &reason);
    void throttle(const Request &request);
    // Ends the run at once with the service's reason.
    void fail(const QString &reason);

    int limit(qint64 now);
    // The earliest clock time at which a waiting job may go, or -1 with none waiting.
    qint64 nextSendTime(qint64 now) const;
    void scheduleWake(qint64 now);
    void startRun();
    void finishRunIfDone();
    void abandonRequests();
    void reportProgress();

    QNetworkAccessManager *manager;
    QPointer<TranslationModel> translationModel;
    LLMSetup llmSetup;
    QList<TranslationJob> queue;
    qsizetype waitingCells = 0;
    QList<Request> inFlight;
    QTimer wakeTimer;
    QElapsedTimer monotonic;
    std::function<qint64()> clock;
    int watchdogInterval = 180000;

    bool active = false;
    Progress run;
    int parallel = 1;
    bool markForReview = true;
    // After a rate limit fewer requests go out until the pause is over (none from one).
    int throttledLimit = -1;
    qint64 throttleUntil = 0;
    int throttles = 0;
    int jobsGivenUp = 0;
};
