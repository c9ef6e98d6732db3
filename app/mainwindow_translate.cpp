#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "llm/networkreplyhelper.h"
#include "llm/placeholdercheck.h"
#include "llm/translationqueue.h"
#include "model/translationmodel.h"
#include "settings/settings.h"
#include "views/messagebox.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// A context-menu action carries its cell as data, either directly or as the first element
// of a list whose second element is a preset's name.
QModelIndex indexFromVariant(const QVariant &value)
{
    if (value.metaType().id() == qMetaTypeId<QPersistentModelIndex>())
        return value.value<QPersistentModelIndex>();
    if (value.metaType().id() == qMetaTypeId<QModelIndex>())
        return value.value<QModelIndex>();
    const QVariantList list = value.toList();
    return list.isEmpty() ? QModelIndex() : indexFromVariant(list.first());
}

} // namespace

TranslationQueue *MainWindow::translationJobs()
{
    if (!translationQueue) {
        translationQueue = new TranslationQueue(&networkAccessManager, this);
        connect(translationQueue, &TranslationQueue::translatingChanged, this,
            &MainWindow::setTranslating);
        connect(translationQueue, &TranslationQueue::statusMessage, this,
            [this](const QString &message) { statusBar()->showMessage(message); });
        connect(translationQueue, &TranslationQueue::progressChanged, this,
            &MainWindow::onTranslationProgress);
        translationProgress = new QLabel(this);
        translationProgress->setObjectName(QStringLiteral("translationProgress"));
        translationProgress->hide();
        statusBar()->addPermanentWidget(translationProgress);
    }
    translationQueue->setModel(translationModel);
    // Every command works with the preferences as they are now.
    translationQueue->setSetup(Settings().llmSetup());
    return translationQueue;
}

void MainWindow::onTranslationProgress()
{
    const TranslationQueue::Progress progress = translationQueue->progress();
    const qint64 pause = translationQueue->pauseRemaining();
    const QLocale locale;
    const QString done = locale.toString(progress.translated);
    const QString failed = locale.toString(progress.failed);
    translationProgress->setVisible(translationQueue->isTranslating());
    translationProgress->setText(pause > 0
            ? tr("%1 / %Ln cells, %2 failed, next request in %3 s", nullptr, progress.total)
                  .arg(done, failed)
                  .arg(std::ceil(pause / 1000.0))
            : tr("%1 / %Ln cells, %2 failed", nullptr, progress.total).arg(done, failed));
    rateLimited = pause > 0;
    scheduleCommandUpdate();
}

bool MainWindow::confirmOverwrite(const QModelIndexList &cells, bool *emptyOnly)
{
    const auto translated = std::count_if(cells.cbegin(), cells.cend(),
        [this](const QModelIndex &cell) { return !translationModel->cellText(cell).isEmpty(); });
    return confirmOverwrite(translated, emptyOnly);
}

void MainWindow::updateStopTranslatingAction()
{
    // Read without translationJobs(): a state update must not create the queue.
    const TranslationQueue *jobs = translationQueue;
    ui->actionStopTranslating->setEnabled(
        translating || (jobs && (jobs->jobsLeft() > 0 || jobs->isPaused())));
}

void MainWindow::dropTranslationJobs()
{
    if (translationQueue && translationQueue->isTranslating())
        translationQueue->stop(tr("Translation stopped: another set was opened."));
}

bool MainWindow::isLLMConfigured()
{
    Settings settings;
    if (settings.hasLLMConfiguration())
        return true;
    MessageBox::warning(
        this, tr("Warning"), tr("Please configure the LLM service first."), QMessageBox::Ok);
    return false;
}

void MainWindow::translateColumn(int column)
{
    translationJobs()->translateColumn(column);
}

void MainWindow::translateRow(int row)
{
    translationJobs()->translateRow(row);
}

void MainWindow::translateEmptyCellsInColumn(int column)
{
    translationJobs()->translateEmptyCellsInColumn(column);
}

void MainWindow::translateEmptyCellsInRow(int row)
{
    translationJobs()->translateEmptyCellsInRow(row);
}

void MainWindow::translateSelectedCells(bool emptyOnly)
{
    if (!translationModel || !isLLMConfigured())
        return;
    std::map<int, QList<QModelIndex>> byColumn;
    for (const QModelIndex &index : selectedCells()) {
        if (!emptyOnly || translationModel->cellText(index).isEmpty())
            byColumn[index.column()] << index;
    }
    TranslationQueue *jobs = translationJobs();
    for (auto &[column, cells] : byColumn) {
        std::sort(cells.begin(), cells.end(),
            [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
        // Batches of ten, as everywhere else: one prompt for hundreds of cells outgrows the
        // answer the service may give and would fail every time.
        jobs->translateColumnCellsInBatches(cells);
    }
}

void MainWindow::onActionTranslateCurrentCellTriggered()
{
    if (!translationModel || !isLLMConfigured())
        return;
    const QModelIndexList selected = selectedCells();
    if (!selected.isEmpty())
        onTranslateCell(selected.first());
}

void MainWindow::translateCurrentLine(bool byRow)
{
    const QModelIndex current = currentCell();
    if (!translationModel || !current.isValid() || !isLLMConfigured())
        return;
    const int line = byRow ? current.row() : current.column();
    QModelIndexList cells;
    if (byRow) {
        // The row's source text is what its other cells are translated from.
        translationModel->indexesOfRow(line, cells);
        cells.removeIf([this](const QModelIndex &cell) {
            return cell.column() == translationModel->sourceColumn();
        });
    } else {
        translationModel->indexesOfColumn(line, cells);
    }
    bool emptyOnly = false;
    if (!confirmOverwrite(cells, &emptyOnly))
        return;
    if (byRow)
        emptyOnly ? translateEmptyCellsInRow(line) : translateRow(line);
    else
        emptyOnly ? translateEmptyCellsInColumn(line) : translateColumn(line);
}

void MainWindow::onActionTranslateCurrentRowTriggered()
{
    translateCurrentLine(true);
}

void MainWindow::onActionTranslateCurrentColumnTriggered()
{
    translateCurrentLine(false);
}

void MainWindow::onActionTranslateAllTriggered()
{
    if (!translationModel || !isLLMConfigured())
        return;
    // The source column is what the others are translated from; rewriting it with a
    // translation of itself could only damage it.
    QModelIndexList cells;
    for (int column = 0; column < translationModel->columnCount(); ++column) {
        if (column != translationModel->sourceColumn())
            translationModel->indexesOfColumn(column, cells);
    }
    bool emptyOnly = false;
    if (!confirmOverwrite(cells, &emptyOnly))
        return;
    for (int column = 0; column < translationModel->columnCount(); ++column) {
        if (column == translationModel->sourceColumn())
            continue;
        if (emptyOnly)
            translateEmptyCellsInColumn(column);
        else
            translateColumn(column);
    }
}

void MainWindow::onActionTranslateSelectedCellsTriggered()
{
    translateSelectedCells(false);
}

void MainWindow::onActionTranslateSelectedEmptyCellsTriggered()
{
    translateSelectedCells(true);
}

void MainWindow::onActionTranslateEmptyCellsInCurrentRowTriggered()
{
    const QModelIndex current = currentCell();
    if (translationModel && current.isValid() && isLLMConfigured())
        translateEmptyCellsInRow(current.row());
}

void MainWindow::onActionTranslateEmptyCellsInCurrentColumnTriggered()
{
    const QModelIndex current = currentCell();
    if (translationModel && current.isValid() && isLLMConfigured())
        translateEmptyCellsInColumn(current.column());
}

void MainWindow::onActionTranslateAllEmptyCellsTriggered()
{
    if (!translationModel || !isLLMConfigured())
        return;
    for (int column = 0; column < translationModel->columnCount(); ++column) {
        if (column != translationModel->sourceColumn())
            translateEmptyCellsInColumn(column);
    }
}

void MainWindow::onEditorDelegateTranslate(QModelIndex index)
{
    if (isLLMConfigured())
        onTranslateCell(index);
}

void MainWindow::onTranslateCell()
{
    if (const auto *action = qobject_cast<QAction *>(sender()))
        onTranslateCell(indexFromVariant(action->data()));
}

void MainWindow::onTranslateCell(const QModelIndex &index)
{
    if (translationModel && index.model() == translationModel)
        translationJobs()->translateCell(index);
}

void MainWindow::onTranslateCellWithPresetPrompt()
{
    const auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const QVariantList data = action->data().toList();
    const QString role =
        data.size() > 1 ? data.at(1).toString() : action->property("role").toString();
    onTranslateCellWithPresetPrompt(indexFromVariant(action->data()), role);
}

void MainWindow::onTranslateCellWithPresetPrompt(const QModelIndex &index, const QString &role)
{
    if (!translationModel || index.model() != translationModel)
        return;
    Settings settings;
    QString promptTemplate = settings.role(role).userPrompt;
    if (promptTemplate.isEmpty()) {
        qCWarning(lcLLM) << "The preset" << role << "has no user prompt; using the prompt in use";
        promptTemplate = settings.currentPrompt().userPrompt;
    }
    translationJobs()->translateCellWithTemplate(index, promptTemplate);
}

void MainWindow::onLLMServiceResponse()
{
    // Answers are handled by the translation queue, which owns every outstanding reply.
}

void MainWindow::onActionStopTranslatingTriggered()
{
    translationJobs()->stop();
}

void MainWindow::onActionCheckPlaceholdersTriggered()
{
    if (!translationModel)
        return;
    const int found = PlaceholderCheck::checkModel(translationModel);
    MessageBox::information(this, tr("Notice"),
        found == 0 ? tr("Every translation keeps the placeholders, tags, accelerators and line "
                        "breaks of its source.")
                   : tr("%n cell(s) lose or add placeholders, tags, accelerators or line "
                        "breaks. They are marked; their tool tips say what differs.",
                       nullptr, found));
}
