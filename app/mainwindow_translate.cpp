#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "llm/networkreplyhelper.h"
#include "llm/translationqueue.h"
#include "model/translationmodel.h"
#include "settings/settings.h"
#include "views/messagebox.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include <algorithm>
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
    return translationQueue;
}

void MainWindow::onTranslationProgress(int jobs, int cells)
{
    translationProgress->setVisible(jobs > 0);
    translationProgress->setText(tr("%1 job(s), %2 cell(s) left").arg(jobs).arg(cells));
    rateLimited = translationQueue->isPaused();
    scheduleCommandUpdate();
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
    if (translationQueue)
        translationQueue->drop();
}

bool MainWindow::isLLMConfigured()
{
    Settings settings;
    if (settings.hasLLMConfiguration())
        return true;
    MessageBox::warning(this, tr("Warning"), tr("Please configure the LLM service first."),
                        QMessageBox::Ok);
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

void MainWindow::onActionTranslateCurrentRowTriggered()
{
    const QModelIndex current = currentCell();
    if (translationModel && current.isValid() && isLLMConfigured())
        translateRow(current.row());
}

void MainWindow::onActionTranslateCurrentColumnTriggered()
{
    const QModelIndex current = currentCell();
    if (translationModel && current.isValid() && isLLMConfigured())
        translateColumn(current.column());
}

void MainWindow::onActionTranslateAllTriggered()
{
    if (!translationModel || !isLLMConfigured())
        return;
    // The source column is what the others are translated from; rewriting it with a
    // translation of itself could only damage it.
    for (int column = 0; column < translationModel->columnCount(); ++column) {
        if (column != translationModel->sourceColumn())
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
    const QString role = data.size() > 1 ? data.at(1).toString()
                                         : action->property("role").toString();
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
