#include "llm/translationqueue.h"

#include "llm/llmserviceprofile.h"
#include "llm/llmservicereplyhelper.h"
#include "llm/llmservicerequesthelper.h"
#include "llm/translationanswer.h"
#include "model/translationmodel.h"

#include <QLocale>

#include <algorithm>

namespace {

// An answer is one undo step, named after what was asked for: "Translate Column de".
TranslationAnswer::Result applyAsOneStep(
    TranslationModel *model, const TranslationJob &job, const QString &answer, bool markForReview)
{
    const QModelIndex first = job.cells.value(0);
    const bool oneColumn = std::all_of(job.cells.cbegin(), job.cells.cend(),
        [&first](const QModelIndex &cell) { return cell.column() == first.column(); });
    const QString language = model->columnLanguage(first, true);
    const EditStep step(model,
        job.cells.size() == 1 ? TranslationQueue::tr("Translate Cell %1").arg(language)
            : oneColumn       ? TranslationQueue::tr("Translate Column %1").arg(language)
                              : TranslationQueue::tr("Translate Row %1").arg(first.row() + 1));
    return TranslationAnswer::apply(model, job, answer, markForReview);
}

using Failure = LLMServiceReplyHelper::Failure;

// About 2, 4, 8 s... after the first, second, third failure, never more than a minute.
qint64 backoff(int failures)
{
    return qMin<qint64>(60000, qint64(2000) << qBound(0, failures - 1, 5));
}

} // namespace

TranslationQueue::TranslationQueue(QNetworkAccessManager *manager, QObject *parent)
    : QObject(parent)
    , manager(manager)
{
    monotonic.start();
    clock = [this] { return monotonic.elapsed(); };
    wakeTimer.setSingleShot(true);
    connect(&wakeTimer, &QTimer::timeout, this, &TranslationQueue::processTranslationQueue);
}

TranslationQueue::~TranslationQueue()
{
    abandonRequests();
}

void TranslationQueue::setModel(TranslationModel *model)
{
    if (model == translationModel)
        return;
    drop();
    translationModel = model;
}

int TranslationQueue::jobsLeft() const
{
    return int(queue.size() + inFlight.size());
}

int TranslationQueue::cellsLeft() const
{
    qsizetype cells = waitingCells;
    for (const Request &request : inFlight)
        cells += request.job.cells.size();
    return int(cells);
}

qint64 TranslationQueue::pauseRemaining() const
{
    const qint64 now = clock();
    const qint64 next = nextSendTime(now);
    return next > now ? next - now : 0;
}

qint64 TranslationQueue::nextSendTime(qint64 now) const
{
    if (queue.isEmpty())
        return -1;
    qint64 next = queue.first().notBefore;
    for (const TranslationJob &job : queue)
        next = qMin(next, job.notBefore);
    if (throttledLimit == 0 && throttleUntil > now)
        next = qMax(next, throttleUntil);
    return next;
}

int TranslationQueue::limit(qint64 now)
{
    if (throttledLimit >= 0 && now >= throttleUntil)
        throttledLimit = -1;
    return throttledLimit >= 0 ? throttledLimit : parallel;
}

void TranslationQueue::reportProgress()
{
    emit progressChanged();
}

void TranslationQueue::startRun()
{
    parallel = qMax(1, llmSetup.requestsAtATime);
    markForReview = llmSetup.markForReview;
    run = Progress();
    throttles = 0;
    jobsGivenUp = 0;
    active = true;
    emit statusMessage(tr("Translating..."));
    emit translatingChanged(true);
}

void TranslationQueue::finishRunIfDone()
{
    if (!active || !queue.isEmpty() || !inFlight.isEmpty())
        return;
    active = false;
    wakeTimer.stop();
    throttledLimit = -1;
    const QLocale locale;
    const QString failed = locale.toString(run.failed);
    emit statusMessage(run.tokens > 0
            ? tr("%Ln cell(s) translated, %1 failed, %2 tokens", nullptr, run.translated)
                  .arg(failed, locale.toString(run.tokens))
            : tr("%Ln cell(s) translated, %1 failed", nullptr, run.translated).arg(failed));
    emit translatingChanged(false);
    reportProgress();
    emit idle();
}

QList<QModelIndex> TranslationQueue::emptyCells(const QList<QModelIndex> &cells) const
{
    QList<QModelIndex> result;
    for (const QModelIndex &cell : cells) {
        if (translationModel->cellText(cell).isEmpty())
            result << cell;
    }
    return result;
}

void TranslationQueue::translateInBatches(const QList<QModelIndex> &cells, bool byRow)
{
    const QString promptTemplate = llmSetup.prompt.userPrompt;
    for (qsizetype start = 0; start < cells.size(); start += batchSize) {
        const QList<QModelIndex> slice = cells.mid(start, batchSize);
        enqueueTranslation(
            byRow ? rowJob(slice, promptTemplate) : columnJob(slice, promptTemplate));
    }
}

void TranslationQueue::translateLine(int line, bool byRow, bool emptyOnly)
{
    if (!translationModel)
        return;
    QModelIndexList cells;
    if (byRow) {
        translationModel->indexesOfRow(line, cells);
        // The row's source text is what the other cells are translated from.
        const int source = translationModel->sourceColumn();
        cells.removeIf([source](const QModelIndex &cell) { return cell.column() == source; });
    } else {
        translationModel->indexesOfColumn(line, cells);
    }
    translateInBatches(emptyOnly ? emptyCells(cells) : cells, byRow);
}

void TranslationQueue::translateColumn(int column)
{
    translateLine(column, false, false);
}

void TranslationQueue::translateRow(int row)
{
    translateLine(row, true, false);
}

void TranslationQueue::translateEmptyCellsInColumn(int column)
{
    translateLine(column, false, true);
}

void TranslationQueue::translateEmptyCellsInRow(int row)
{
    translateLine(row, true, true);
}

QString TranslationQueue::notesOf(const QModelIndex &cell) const
{
    const MessageNotes notes = translationModel->messageNotes(cell.row());
    QStringList parts;
    for (const auto &[label, text] :
        { std::pair { "context", notes.context }, std::pair { "developer comment", notes.comment },
            std::pair { "translator comment", notes.translatorComment } }) {
        if (!text.isEmpty())
            parts << QLatin1String(label) + QLatin1String(": ")
                    + TranslationJob::escapeForPrompt(text);
    }
    return parts.join(QLatin1String("; "));
}

TranslationJob TranslationQueue::columnJob(
    const QList<QModelIndex> &cells, const QString &promptTemplate) const
{
    QStringList texts;
    QStringList notes;
    texts.reserve(cells.size());
    for (const QModelIndex &cell : cells) {
        texts << TranslationJob::escapeForPrompt(translationModel->sourceText(cell));
        notes << notesOf(cell);
    }
    const QString prompt = LLMServiceRequestHelper::fillPrompt(
        translationModel->sourceLanguageName(),
        { translationModel->columnLanguage(cells.first(), false) }, texts, promptTemplate, notes);
    return TranslationJob::make(cells, int(cells.size()), 1, prompt, promptTemplate);
}

TranslationJob TranslationQueue::rowJob(
    const QList<QModelIndex> &cells, const QString &promptTemplate) const
{
    QStringList targets;
    targets.reserve(cells.size());
    for (const QModelIndex &cell : cells)
        targets << translationModel->columnLanguage(cell, false);
    const QString prompt =
        LLMServiceRequestHelper::fillPrompt(translationModel->sourceLanguageName(), targets,
            { TranslationJob::escapeForPrompt(translationModel->sourceText(cells.first())) },
            promptTemplate, { notesOf(cells.first()) });
    return TranslationJob::make(cells, 1, int(cells.size()), prompt, promptTemplate);
}

TranslationJob TranslationQueue::jobFor(
    const TranslationJob &job, const QList<QModelIndex> &cells) const
{
    const bool byRow = cells.size() < 2 || job.isRowJob();
    TranslationJob part =
        byRow ? rowJob(cells, job.promptTemplate) : columnJob(cells, job.promptTemplate);
    part.attempts = job.attempts;
    part.placeholderRetry = job.placeholderRetry;
    return part;
}

void TranslationQueue::translateColumnCells(const QList<QModelIndex> &cells, bool first)
{
    if (cells.isEmpty() || !translationModel)
        return;
    enqueue(columnJob(cells, llmSetup.prompt.userPrompt), first);
}

void TranslationQueue::translateRowCells(const QList<QModelIndex> &cells, bool first)
{
    if (cells.isEmpty() || !translationModel)
        return;
    enqueue(rowJob(cells, llmSetup.prompt.userPrompt), first);
}

void TranslationQueue::translateColumnCellsInBatches(const QList<QModelIndex> &cells)
{
    if (translationModel)
        translateInBatches(cells, false);
}

void TranslationQueue::translateCell(const QModelIndex &index)
{
    if (!translationModel || !index.isValid())
        return;
    translateRowCells({ index });
}

void TranslationQueue::translateCellWithTemplate(
    const QModelIndex &index, const QString &promptTemplate)
{
    if (!translationModel || !index.isValid())
        return;
    enqueueTranslation(rowJob({ index }, promptTemplate));
}

void TranslationQueue::enqueue(const TranslationJob &job, bool first, bool retry)
{
    if (retry && !active)
        return; // the run it belonged to was stopped meanwhile
    if (!active)
        startRun();
    if (!retry)
        run.total += int(job.cells.size());
    if (first)
        queue.prepend(job);
    else
        queue.append(job);
    waitingCells += job.cells.size();
    // Retries come from an answer, whose handling sends what may go once it is done.
    if (!retry)
        processTranslationQueue();
}

void TranslationQueue::enqueueTranslation(const TranslationJob &job)
{
    enqueue(job, false);
}

void TranslationQueue::enqueueTranslationFirst(const TranslationJob &job)
{
    enqueue(job, true);
}

void TranslationQueue::processTranslationQueue()
{
    if (!translationModel) {
        reportProgress();
        return;
    }
    const qint64 now = clock();
    while (inFlight.size() < limit(now)) {
        const auto due = std::find_if(queue.begin(), queue.end(),
            [now](const TranslationJob &job) { return job.notBefore <= now; });
        if (due == queue.end())
            break;
        const TranslationJob job = *due;
        queue.erase(due);
        waitingCells -= job.cells.size();
        sendTranslationRequest(job);
    }
    scheduleWake(now);
    reportProgress();
    finishRunIfDone();
}

void TranslationQueue::scheduleWake(qint64 now)
{
    // Wakes when a pause ends, and at least every second meanwhile for the countdown.
    qint64 wakeAt = nextSendTime(now);
    if (throttleUntil > now && throttledLimit >= 0)
        wakeAt = wakeAt < 0 ? throttleUntil : qMin(wakeAt, throttleUntil);
    if (wakeAt > now)
        wakeTimer.start(int(qMin<qint64>(wakeAt - now, 1000)));
    else
        wakeTimer.stop();
}

void TranslationQueue::sendTranslationRequest(const TranslationJob &job)
{
    qCDebug(lcLLM).noquote() << "user prompt:" << job.userPrompt;
    LLMServiceRequestHelper helper(manager);
    LLMServiceReplyHelper *reply = helper.requestTranslation(llmSetup, job.userPrompt);
    reply->setTimeout(watchdogInterval);
    reply->setCells(job.cells);
    reply->setProperty("rowCount", job.rowCount);
    reply->setProperty("columnCount", job.columnCount);
    connect(reply, &LLMServiceReplyHelper::done, this, &TranslationQueue::onLLMServiceResponse);
    inFlight.append(Request { reply, job, llmSetup.configuration });
    ++run.requestsSent;
}

void TranslationQueue::onLLMServiceResponse()
{
    auto *reply = qobject_cast<LLMServiceReplyHelper *>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    const auto found = std::find_if(inFlight.begin(), inFlight.end(),
        [reply](const Request &request) { return request.reply == reply; });
    if (found == inFlight.end())
        return; // an answer for jobs that were stopped or dropped
    const Request request = *found;
    inFlight.erase(found);
    if (translationModel)
        handleAnswer(request);
    processTranslationQueue();
}

void TranslationQueue::handleAnswer(const Request &request)
{
    LLMServiceReplyHelper *reply = request.reply;
    run.tokens += reply->tokensUsed();
    const QString error = reply->errorMessage().simplified();
    if (reply->failure() != Failure::None) {
        qCDebug(lcLLM).noquote() << "Error message: " << reply->errorMessage();
        if (reply->failure() != Failure::Truncated)
            emit statusMessage(error);
    }

    switch (reply->failure()) {
    case Failure::None:
        applyAnswer(request);
        break;
    case Failure::Truncated:
        giveUp(request.job, tr("The answer was cut off at the service's output limit."), true);
        break;
    case Failure::Filtered:
        failCells(request.job.cells, error);
        break;
    case Failure::UnsupportedParameter:
        // The request goes again at once without the refused field, with its tries intact.
        if (LLMServiceProfile::rememberUnsupported(
                request.configuration, reply->unsupportedParameter())) {
            qCDebug(lcLLM) << "Sending again without" << reply->unsupportedParameter();
            enqueue(request.job, true, true);
        } else {
            fail(error);
        }
        break;
    case Failure::Fatal:
        fail(error);
        break;
    case Failure::Throttle:
        throttle(request);
        break;
    case Failure::Retry:
        retryLater(request.job, error, reply->retryAfterMs(), false);
        break;
    }
}

void TranslationQueue::applyAnswer(const Request &request)
{
    LLMServiceReplyHelper *reply = request.reply;
    qCDebug(lcLLM).noquote() << "result:" << reply->answer();
    const TranslationJob &job = request.job;
    const TranslationAnswer::Result result =
        applyAsOneStep(translationModel, job, reply->answer(), markForReview);
    throttles = 0;
    if (!result.valid) {
        emit statusMessage(result.error);
        retryLater(job, result.error, -1, true);
        return;
    }
    run.translated += result.translated;
    if (result.translated > 0) {
        jobsGivenUp = 0;
        emit statusMessage(
            tr("Totally %n cell(s) has/have been translated.", nullptr, result.translated));
    } else {
        qCDebug(lcLLM) << "No cell has been translated.";
        emit statusMessage(tr("No cell has been translated."));
    }
    if (!result.recheck.isEmpty()) {
        TranslationJob again = jobFor(job, result.recheck);
        again.placeholderRetry = true;
        enqueue(again, true, true);
    }
    if (!result.unmatched.isEmpty()) {
        TranslationJob rest = jobFor(job, result.unmatched);
        if (++rest.attempts < TranslationJob::maxAttempts)
            enqueue(rest, true, true);
        else
            giveUp(rest, tr("The service gave no translation for this text."), false);
    }
}

void TranslationQueue::retryLater(
    TranslationJob job, const QString &reason, qint64 wait, bool answerProblem)
{
    if (++job.attempts >= TranslationJob::maxAttempts) {
        giveUp(job, reason, answerProblem);
        return;
    }
    job.notBefore = clock() + (wait >= 0 ? wait : backoff(job.attempts));
    enqueue(job, true, true);
}

void TranslationQueue::giveUp(const TranslationJob &job, const QString &reason, bool split)
{
    if (split && job.cells.size() > 1) {
        // Smaller pieces make shorter answers, which fit the output limit and go wrong less.
        const qsizetype half = job.cells.size() / 2;
        TranslationJob second = jobFor(job, job.cells.mid(half));
        TranslationJob first = jobFor(job, job.cells.mid(0, half));
        second.attempts = first.attempts = 0;
        enqueue(second, true, true);
        enqueue(first, true, true);
        return;
    }
    qCWarning(lcLLM).noquote() << "Giving up on" << job.cells.size() << "cell(s):" << reason;
    failCells(job.cells, reason);
    if (++jobsGivenUp >= maxJobsGivenUp)
        fail(tr("%n job(s) in a row failed: %1", nullptr, jobsGivenUp).arg(reason));
}

void TranslationQueue::failCells(const QList<QModelIndex> &cells, const QString &reason)
{
    for (const QModelIndex &cell : cells)
        translationModel->setCellProblem(cell, tr("Not translated: %1").arg(reason));
    run.failed += int(cells.size());
}

void TranslationQueue::throttle(const Request &request)
{
    LLMServiceReplyHelper *reply = request.reply;
    if (++throttles > maxThrottles) {
        fail(reply->errorMessage().simplified());
        return;
    }
    qCDebug(lcLLM) << "Rate limit reached\n";
    const qint64 now = clock();
    const qint64 pause = reply->retryAfterMs() >= 0 ? reply->retryAfterMs() : backoff(throttles);
    throttleUntil = qMax(throttleUntil, now + pause);
    throttledLimit = limit(now) / 2;
    TranslationJob job = request.job;
    job.notBefore = now + pause;
    enqueue(job, true, true);
}

void TranslationQueue::fail(const QString &reason)
{
    stop(tr("Translation stopped: %1").arg(reason));
}

void TranslationQueue::abandonRequests()
{
    const QList<Request> requests = std::exchange(inFlight, {});
    for (const Request &request : requests) {
        LLMServiceReplyHelper *reply = request.reply;
        if (!reply)
            continue;
        disconnect(reply, nullptr, this, nullptr);
        if (reply->reply() && reply->reply()->isRunning())
            reply->reply()->abort();
        reply->deleteLater();
    }
}

void TranslationQueue::stop(const QString &reason)
{
    drop();
    emit statusMessage(reason.isEmpty() ? tr("Translation stopped.") : reason);
}

void TranslationQueue::drop()
{
    const bool hadWork = active;
    abandonRequests();
    queue.clear();
    waitingCells = 0;
    wakeTimer.stop();
    throttledLimit = -1;
    throttleUntil = 0;
    active = false;
    if (hadWork) {
        emit translatingChanged(false);
        reportProgress();
        emit idle();
    }
}
