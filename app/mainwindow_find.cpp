#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "model/rowfilter.h"
#include "model/translationmodel.h"

#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

QModelIndex MainWindow::toModelIndex(const QModelIndex &viewIndex) const
{
    if (viewIndex.model() == targetRows)
        return targetRows->mapToSource(viewIndex);
    if (viewIndex.model() == sourceRows && translationModel) {
        const QModelIndex row = sourceRows->mapToSource(viewIndex);
        return row.isValid() ? translationModel->index(row.row(), 0) : QModelIndex();
    }
    return {};
}

QModelIndex MainWindow::toViewIndex(const QModelIndex &cell) const
{
    return cell.model() == translationModel ? targetRows->mapFromSource(cell) : QModelIndex();
}

QModelIndex MainWindow::currentCell() const
{
    return toModelIndex(ui->targetTableView->currentIndex());
}

QModelIndexList MainWindow::selectedCells() const
{
    const QItemSelectionModel *selection = ui->targetTableView->selectionModel();
    QModelIndexList cells;
    if (!translationModel || !selection)
        return cells;
    const QModelIndexList selected = selection->selectedIndexes();
    cells.reserve(selected.size());
    for (const QModelIndex &index : selected)
        cells.append(toModelIndex(index));
    return cells;
}

void MainWindow::goToCell(const QModelIndex &cell)
{
    const QModelIndex index = toViewIndex(cell);
    if (!index.isValid())
        return;
    ui->targetTableView->setCurrentIndex(index);
    ui->targetTableView->scrollTo(index);
}

void MainWindow::applyFilter()
{
    if (!translationModel)
        return;
    commitOpenEditor();
    const QModelIndex current = currentCell();
    RowFilterCriteria criteria;
    criteria.text = ui->filterBar->text();
    criteria.regularExpression = ui->filterBar->isRegularExpression();
    criteria.quick = ui->filterBar->quickFilter();
    // "Current column" is the one current when the quick filter was chosen.
    if (criteria.quick == RowFilterCriteria::Quick::EmptyInColumn)
        criteria.column = rowFilter->criteria().quick == criteria.quick
            ? rowFilter->criteria().column
            : qMax(0, current.column());
    rowFilter->setCriteria(criteria);
    ui->filterBar->setError(rowFilter->errorString());
    // The cell worked on stays current while its row is shown.
    const QModelIndex shown = toViewIndex(current).isValid()
        ? toViewIndex(current)
        : targetRows->index(0, qMax(0, current.column()));
    ui->targetTableView->selectionModel()->setCurrentIndex(shown, QItemSelectionModel::NoUpdate);
    ui->targetTableView->scrollTo(shown);
    showCurrentCellDetails();
    scheduleStatusUpdate();
    scheduleCommandUpdate();
}

void MainWindow::onActionFindTriggered()
{
    ui->tabWidget->setCurrentIndex(0);
    if (translationModel)
        ui->filterBar->focusText();
}

void MainWindow::onActionFindNextTriggered()
{
    findMatch(true);
}

void MainWindow::onActionFindPreviousTriggered()
{
    findMatch(false);
}

void MainWindow::findMatch(bool forward)
{
    const int rows = targetRows->rowCount();
    const int columns = targetRows->columnCount();
    if (!translationModel || ui->filterBar->text().isEmpty() || rows == 0 || columns == 0)
        return;
    // Cells are visited row by row in the order the columns are shown, from the current one
    // on, around the end. In the current column a row's message ID or group counts as well.
    const QHeaderView *header = ui->targetTableView->horizontalHeader();
    const QModelIndex current = ui->targetTableView->currentIndex();
    const qint64 total = qint64(rows) * columns;
    const qint64 start = current.isValid()
        ? qint64(current.row()) * columns + header->visualIndex(current.column())
        : (forward ? total - 1 : 0);
    for (qint64 step = 1; step <= total; ++step) {
        const qint64 position = ((start + (forward ? step : -step)) % total + total) % total;
        const int column = header->logicalIndex(int(position % columns));
        const QModelIndex cell = toModelIndex(targetRows->index(int(position / columns), column));
        if (rowFilter->matches(translationModel->cellText(cell))
            || (column == current.column() && rowFilter->keyMatches(cell.row()))) {
            goToCell(cell);
            return;
        }
    }
    statusBar()->showMessage(tr("No cell holds \"%1\".").arg(ui->filterBar->text()), 5000);
}

void MainWindow::onActionNextUntranslatedTriggered()
{
    const int rows = targetRows->rowCount();
    if (!translationModel || rows == 0)
        return;
    const QModelIndex current = ui->targetTableView->currentIndex();
    const int column = qMax(0, current.column());
    const int start = current.isValid() ? current.row() : -1;
    for (int step = 1; step <= rows; ++step) {
        const QModelIndex cell =
            toModelIndex(targetRows->index((start + step + rows) % rows, column));
        if (rowFilter->isUntranslated(cell)) {
            goToCell(cell);
            return;
        }
    }
    statusBar()->showMessage(
        tr("No cell of %1 is empty or unfinished.")
            .arg(translationModel->columnLanguage(translationModel->index(0, column), true)),
        5000);
}

void MainWindow::scheduleStatusUpdate()
{
    statusTimer->start();
}

void MainWindow::updateStatus()
{
    rowCountLabel->setVisible(translationModel);
    rowCountLabel->setText(tr("%1 of %Ln rows", nullptr, rowFilter->totalCount())
                               .arg(QLocale().toString(rowFilter->visibleCount())));
    const QModelIndex current = currentCell();
    columnProgressLabel->setVisible(current.isValid());
    if (current.isValid())
        columnProgressLabel->setText(
            //: The current column's language and how much of it is translated
            tr("%1: %2").arg(translationModel->columnLanguage(current, true),
                translationModel->columnProgressText(current.column())));
}
