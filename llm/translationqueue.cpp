#include "llm/translationqueue.h"

#include "llm/llmservicereplyhelper.h"
#include "llm/llmservicerequesthelper.h"
#include "llm/translationanswer.h"
#include "model/translationmodel.h"
#include "settings/settings.h"

#include <algorithm>

namespace {

// An answer is one undo step, named after what was asked for: "Translate Column de".
TranslationAnswer::Result applyAnswer(
    TranslationModel *model, const TranslationJob &job, const QString &answer)
{
    const QModelIndex first = job.cells.value(0);
    const bool oneColumn = std::all_of(job.cells.cbegin(), job.cells.cend(),
        [&first](const QModelIndex &cell) { return cell.column() == first.column(); });
    const QString language = model->columnLanguage(first, true);
    const EditStep step(model,
        job.cells.size() == 1 ? TranslationQueue::tr("Translate Cell %1").arg(language)
            : oneColumn       ? TranslationQueue::tr("Translate Column %1").arg(language)
                              : TranslationQueue::tr("Translate Row %1").arg(first.row() + 1));
    return TranslationAnswer::apply(model, job, answer);
}

} // namespace

TranslationQueue::TranslationQueue(QNetworkAccessManager *manager, QObject *parent)
    : QObject(parent)
    , manager(manager)
{
    pauseTimer.setSingleShot(true);
    connect(&pauseTimer, &QTimer::timeout, this, &TranslationQueue::processTranslationQueue);
}

TranslationQueue::~TranslationQueue()
{
    abandonReply();
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
    return int(queue.size()) + (translating ? 1 : 0);
}

int TranslationQueue::cellsLeft() const
{
    return int(waitingCells) + (translating ? int(currentJob.cells.size()) : 0);
}

void TranslationQueue::reportProgress()
{
    emit progressChanged(jobsLeft(), cellsLeft());
    if (!translating && queue.isEmpty() && !pauseTimer.isActive())
        emit idle();
}

void TranslationQueue::setTranslating(bool value)
{
    if (translating == value)
        return;
    translating = value;
    emit translatingChanged(value);
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
    // One read of the prompt in use for the whole command, however many jobs it makes.
    const QString promptTemplate = Settings().currentPrompt().userPrompt;
    for (qsizetype start = 0; start < cells.size(); start += batchSize) {
        const QList<QModelIndex> slice = cells.mid(start, batchSize);
        enqueueTranslation(byRow ? rowJob(slice, promptTemplate)
                                 : columnJob(slice, promptTemplate));
    }
}

void TranslationQueue::translateLine(int line, bool byRow, bool emptyOnly)
{
    if (!translationModel)
        return;
    QModelIndexList cells;
    if (byRow)
        translationModel->indexesOfRow(line, cells);
    else
        translationModel->indexesOfColumn(line, cells);
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

TranslationJob TranslationQueue::columnJob(const QList<QModelIndex> &cells,
                                           const QString &promptTemplate) const
{
    QStringList texts;
    texts.reserve(cells.size());
    for (const QModelIndex &cell : cells)
        texts << TranslationJob::escapeForPrompt(translationModel->sourceText(cell));
    const QString prompt = LLMServiceRequestHelper::fillPrompt(
        translationModel->sourceLanguageName(),
        { translationModel->columnLanguage(cells.first(), false) }, texts, promptTemplate);
    return TranslationJob{ cells, int(cells.size()), 1, prompt };
}

TranslationJob TranslationQueue::rowJob(const QList<QModelIndex> &cells,
                                        const QString &promptTemplate) const
{
    QStringList targets;
    targets.reserve(cells.size());
    for (const QModelIndex &cell : cells)
        targets << translationModel->columnLanguage(cell, false);
    const QString prompt = LLMServiceRequestHelper::fillPrompt(
        translationModel->sourceLanguageName(), targets,
        { TranslationJob::escapeForPrompt(translationModel->sourceText(cells.first())) },
        promptTemplate);
    return TranslationJob{ cells, 1, int(cells.size()), prompt };
}

void TranslationQueue::translateColumnCells(const QList<QModelIndex> &cells, bool first)
{
    if (cells.isEmpty() || !translationModel)
        return;
    enqueue(columnJob(cells, Settings().currentPrompt().userPrompt), first);
}

void TranslationQueue::translateRowCells(const QList<QModelIndex> &cells, bool first)
{
    if (cells.isEmpty() || !translationModel)
        return;
    enqueue(rowJob(cells, Settings().currentPrompt().userPrompt), first);
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

void TranslationQueue::translateCellWithTemplate(const QModelIndex &index,
                                                 const QString &promptTemplate)
{
    if (!translationModel || !index.isValid())
        return;
    enqueueTranslation(rowJob({ index }, promptTemplate));
}

void TranslationQueue::enqueue(const TranslationJob &job, bool first)
{
    if (first)
        enqueueTranslationFirst(job);
    else
        enqueueTranslation(job);
}

void TranslationQueue::enqueueTranslation(const TranslationJob &job)
{
    if (!translating && queue.isEmpty() && !pauseTimer.isActive()) {
        sendTranslationRequest(job);
        return;
    }
    queue.append(job);
    waitingCells += job.cells.size();
    reportProgress();
}

void TranslationQueue::enqueueTranslationFirst(const TranslationJob &job)
{
    if (!translating && queue.isEmpty() && !pauseTimer.isActive()) {
        sendTranslationRequest(job);
        return;
    }
    queue.prepend(job);
    waitingCells += job.cells.size();
    reportProgress();
}

void TranslationQueue::processTranslationQueue()
{
    if (translating || pauseTimer.isActive())
        return;
    if (queue.isEmpty()) {
        reportProgress();
        return;
    }
    const TranslationJob job = queue.takeFirst();
    waitingCells -= job.cells.size();
    sendTranslationRequest(job);
}

void TranslationQueue::sendTranslationRequest(const TranslationJob &job)
{
    if (translating)
        return;
    emit statusMessage(tr("Translating..."));
    setTranslating(true);
    currentJob = job;
    qCDebug(lcLLM).noquote() << "user prompt:" << job.userPrompt;

    Settings settings;
    LLMServiceRequestHelper helper(manager);
    LLMServiceReplyHelper *reply = helper.requestTranslation(job.userPrompt);
    reply->setTimeout(watchdogInterval);
    reply->setCells(job.cells);
    reply->setProperty("rowCount", job.rowCount);
    reply->setProperty("columnCount", job.columnCount);
    reply->setProperty("isStream", settings.streamEnabled());
    connect(reply, &LLMServiceReplyHelper::done, this, &TranslationQueue::onLLMServiceResponse);
    currentReply = reply;
    reportProgress();
}

void TranslationQueue::retranslateCells(const QList<QModelIndex> &cells)
{
    if (cells.size() < 2 || cells.at(0).column() != cells.at(1).column())
        translateRowCells(cells, true);
    else
        translateColumnCells(cells, true);
}

bool TranslationQueue::recordFailure(const TranslationJob &job, const QString &reason)
{
    if (job.cells == lastFailedCells) {
        ++failureCount;
    } else {
        lastFailedCells = job.cells;
        failureCount = 1;
    }
    if (failureCount < maxConsecutiveFailures)
        return true;

    // A bad key, an unknown model or an exhausted quota fail the same way every time:
    // retrying them at once would loop for ever.
    qCWarning(lcLLM) << "The same cells failed" << failureCount << "times in a row; stopping";
    queue.clear();
    waitingCells = 0;
    pauseTimer.stop();
    rateLimited = false;
    lastFailedCells.clear();
    failureCount = 0;
    emit statusMessage(tr("Translation stopped after %1 failed attempts in a row: %2")
                           .arg(maxConsecutiveFailures)
                           .arg(reason.simplified()));
    return false;
}

void TranslationQueue::onLLMServiceResponse()
{
    auto *reply = qobject_cast<LLMServiceReplyHelper *>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    if (reply != currentReply)
        return; // an answer for jobs that were stopped or dropped
    currentReply = nullptr;
    const TranslationJob job = std::exchange(currentJob, TranslationJob());
    if (!translationModel) {
        finishRequest();
        return;
    }

    if (!reply->succeeded()) {
        const QString error = reply->errorMessage();
        qCDebug(lcLLM).noquote() << "Error message: " << error;
        // Network and TLS errors come one per line; the status bar has one.
        emit statusMessage(error.simplified());
        if (error.contains(QLatin1String("Rate limit reached"), Qt::CaseInsensitive)
            || reply->httpStatus() == 429) {
            qCDebug(lcLLM) << "Rate limit reached\n";
            rateLimited = true;
        }
        if (!error.contains(QLatin1String("The response was filtered"), Qt::CaseInsensitive)
            && recordFailure(job, error))
            retranslateCells(job.cells);
        finishRequest();
        return;
    }

    qCDebug(lcLLM).noquote() << "result:" << reply->answer();
    TranslationJob answered = job;
    answered.rowCount = reply->property("rowCount").toInt();
    answered.columnCount = reply->property("columnCount").toInt();
    const TranslationAnswer::Result result =
        applyAnswer(translationModel, answered, reply->answer());
    if (!result.valid) {
        emit statusMessage(result.error);
    } else if (result.translated == 0) {
        qCDebug(lcLLM) << "No cell has been translated.";
        emit statusMessage(tr("No cell has been translated."));
    } else {
        emit statusMessage(
            tr("Totally %1 cell(s) has/have been translated.").arg(result.translated));
    }

    if (result.translated > 0) {
        lastFailedCells.clear();
        failureCount = 0;
        if (!result.unmatched.isEmpty())
            retranslateCells(result.unmatched);
    } else if (recordFailure(job, result.valid ? tr("No cell has been translated.")
                                               : result.error)) {
        retranslateCells(result.unmatched);
    }
    finishRequest();
}

void TranslationQueue::finishRequest()
{
    setTranslating(false);
    if (rateLimited && !queue.isEmpty()) {
        rateLimited = false;
        pauseTimer.start(rateLimitPause);
        reportProgress();
        return;
    }
    rateLimited = false;
    processTranslationQueue();
}

void TranslationQueue::abandonReply()
{
    if (!currentReply)
        return;
    LLMServiceReplyHelper *reply = currentReply;
    currentReply = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    if (reply->reply() && reply->reply()->isRunning())
        reply->reply()->abort();
    reply->deleteLater();
}

void TranslationQueue::stop()
{
    drop();
    emit statusMessage(tr("Translation stopped."));
}

void TranslationQueue::drop()
{
    const bool hadWork = translating || !queue.isEmpty() || pauseTimer.isActive();
    abandonReply();
    queue.clear();
    waitingCells = 0;
    currentJob = TranslationJob();
    pauseTimer.stop();
    rateLimited = false;
    lastFailedCells.clear();
    failureCount = 0;
    setTranslating(false);
    if (hadWork)
        reportProgress();
}
