#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "model/cellblock.h"
#include "model/rowfilter.h"
#include "model/translationmodel.h"
#include "views/inputrowcolumndialog.h"
#include "views/messagebox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSet>

#include <map>
#include <set>

namespace {

QList<CellText> sameText(const QModelIndexList &cells, const QString &text)
{
    QList<CellText> texts;
    texts.reserve(cells.size());
    for (const QModelIndex &cell : cells)
        texts.append(CellText { cell, text });
    return texts;
}

} // namespace

void MainWindow::onActionCopyTriggered()
{
    const QModelIndexList cells = selectedCells();
    if (cells.size() > 1)
        copyCells(cells);
    else if (translationModel && currentCell().isValid())
        translationModel->copy(currentCell());
}

void MainWindow::onActionCutTriggered()
{
    const QModelIndexList cells = selectedCells();
    if (cells.size() <= 1) {
        if (translationModel && currentCell().isValid())
            translationModel->cut(currentCell());
        return;
    }
    copyCells(cells);
    translationModel->setTexts(sameText(cells, QString()));
}

void MainWindow::copyCells(const QModelIndexList &cells)
{
    // The block spans the rows and columns that hold a selected cell, in the order the
    // table shows them; unselected cells inside it travel as empty texts.
    const QHeaderView *header = ui->targetTableView->horizontalHeader();
    std::map<int, int> columnsByPosition;
    std::set<int> rows;
    for (const QModelIndex &cell : cells) {
        columnsByPosition[header->visualIndex(cell.column())] = cell.column();
        rows.insert(cell.row());
    }
    const QSet<QModelIndex> selected(cells.begin(), cells.end());
    QList<QStringList> block;
    for (const int row : rows) {
        QStringList texts;
        for (const auto &[position, column] : columnsByPosition) {
            const QModelIndex cell = translationModel->index(row, column);
            texts.append(selected.contains(cell) ? translationModel->cellText(cell) : QString());
        }
        block.append(texts);
    }
    QGuiApplication::clipboard()->setMimeData(CellBlock::toMimeData(block));
}

void MainWindow::onActionPasteTriggered()
{
    const QModelIndex current = currentCell();
    if (!translationModel || !current.isValid())
        return;
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QList<QStringList> block = CellBlock::fromMimeData(clipboard->mimeData());
    if (block.size() > 1 || (block.size() == 1 && block.first().size() > 1)) {
        pasteBlock(current, block);
        return;
    }
    const QString text = clipboard->text();
    const QModelIndexList cells = selectedCells();
    if (cells.size() > 1 && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r'))) {
        translationModel->setTexts(sameText(cells, text));
        return;
    }
    translationModel->paste(current);
}

void MainWindow::pasteBlock(const QModelIndex &start, const QList<QStringList> &rows)
{
    // Filled downwards as the rows and rightwards as the columns are shown; nothing is
    // written beyond the table or into rows the filter hides.
    const QHeaderView *header = ui->targetTableView->horizontalHeader();
    const int firstPosition = header->visualIndex(start.column());
    const int firstRow = toViewIndex(start).row();
    QList<CellText> texts;
    for (int i = 0; i < rows.size() && firstRow + i < targetRows->rowCount(); ++i) {
        const QStringList &row = rows.at(i);
        for (int j = 0; j < row.size() && firstPosition + j < header->count(); ++j) {
            const int column = header->logicalIndex(firstPosition + j);
            texts.append(
                CellText { toModelIndex(targetRows->index(firstRow + i, column)), row.at(j) });
        }
    }
    translationModel->setTexts(texts);
}

void MainWindow::onActionDeleteTriggered()
{
    const QModelIndexList cells = selectedCells();
    if (cells.isEmpty())
        return;
    if (cells.size() > 1
        && MessageBox::question(this, tr("Confirm"),
               tr("Do you want to delete these cells' value?"), QMessageBox::Yes | QMessageBox::No,
               QMessageBox::No)
            != QMessageBox::Yes)
        return;
    translationModel->setTexts(sameText(cells, QString()));
}

void MainWindow::onActionSelectAllTriggered()
{
    ui->targetTableView->selectAll();
}

void MainWindow::onActionAllCellsInCurrentRowCopySourceTextTriggered()
{
    const QModelIndex current = currentCell();
    if (current.isValid())
        rowCopySourceText(current.row());
}

void MainWindow::onActionAllCellsInCurrentRowCopyTextFromRowTriggered()
{
    const QModelIndex current = currentCell();
    if (current.isValid())
        rowCopyFromRow(current.row());
}

void MainWindow::onActionAllCellsInCurrentColumnCopySourceTextTriggered()
{
    const QModelIndex current = currentCell();
    if (current.isValid())
        columnCopySourceText(current.column());
}

void MainWindow::onActionAllCellsInCurrentColumnCopyTextFromColumnTriggered()
{
    const QModelIndex current = currentCell();
    if (current.isValid())
        columnCopyFromColumn(current.column());
}

void MainWindow::onActionUseCurrentColumnAsSourceTriggered()
{
    const QModelIndex current = currentCell();
    if (current.isValid())
        useColumnAsSource(current.column());
}

void MainWindow::columnCopySourceText(int column)
{
    if (!translationModel)
        return;
    if (column == translationModel->sourceColumn()) {
        MessageBox::warning(this, tr("Warning"), tr("Current column is the source column"));
        return;
    }
    QModelIndexList cells;
    translationModel->indexesOfColumn(column, cells);
    QList<CellText> texts;
    for (const QModelIndex &cell : cells)
        texts.append(CellText { cell, translationModel->sourceText(cell) });
    writeColumnTexts(texts);
}

void MainWindow::rowCopySourceText(int row)
{
    if (!translationModel)
        return;
    QModelIndexList cells;
    translationModel->indexesOfRow(row, cells);
    if (cells.isEmpty())
        return;
    translationModel->setTexts(sameText(cells, translationModel->sourceText(cells.first())));
}

int MainWindow::chooseRowOrColumn(bool rowMode, int count)
{
    InputRowColumnDialog dialog(translationModel, this);
    dialog.setRowMode(rowMode);
    dialog.setRange(1, count);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return dialog.value() - 1;
}

void MainWindow::columnCopyFromColumn(int column)
{
    if (!translationModel)
        return;
    const int source = chooseRowOrColumn(false, translationModel->columnCount());
    if (source < 0)
        return;
    if (source == column) {
        MessageBox::warning(
            this, tr("Warning"), tr("The source column and the target column are identical."));
        return;
    }
    QModelIndexList cells;
    translationModel->indexesOfColumn(column, cells);
    QList<CellText> texts;
    for (const QModelIndex &cell : cells) {
        const QString text =
            translationModel->cellText(translationModel->index(cell.row(), source));
        if (!text.isEmpty())
            texts.append(CellText { cell, text });
    }
    writeColumnTexts(texts);
}

void MainWindow::rowCopyFromRow(int row)
{
    if (!translationModel)
        return;
    const int source = chooseRowOrColumn(true, translationModel->rowCount());
    if (source < 0)
        return;
    QModelIndexList cells;
    translationModel->indexesOfRow(row, cells);
    QList<CellText> texts;
    for (const QModelIndex &cell : cells) {
        const QString text =
            translationModel->cellText(translationModel->index(source, cell.column()));
        if (!text.isEmpty())
            texts.append(CellText { cell, text });
    }
    translationModel->setTexts(texts);
}

bool MainWindow::confirmOverwrite(qsizetype translated, bool *emptyOnly)
{
    *emptyOnly = false;
    if (translated == 0)
        return true;
    const QMessageBox::StandardButton answer = MessageBox::choose(this, tr("Confirm"),
        tr("Overwrite %n translated cells?", nullptr, int(translated)),
        { { QMessageBox::Yes, tr("Overwrite") }, { QMessageBox::Ignore, tr("Only Empty Cells") },
            { QMessageBox::Cancel, tr("Cancel") } },
        QMessageBox::Cancel);
    *emptyOnly = answer == QMessageBox::Ignore;
    return answer == QMessageBox::Yes || *emptyOnly;
}

void MainWindow::writeColumnTexts(QList<CellText> texts)
{
    const auto translated =
        std::count_if(texts.cbegin(), texts.cend(), [this](const CellText &cell) {
            const QString current = translationModel->cellText(cell.index);
            return !current.isEmpty() && current != cell.text;
        });
    bool emptyOnly = false;
    if (!confirmOverwrite(translated, &emptyOnly))
        return;
    if (emptyOnly)
        texts.removeIf([this](const CellText &cell) {
            return !translationModel->cellText(cell.index).isEmpty();
        });
    translationModel->setTexts(texts);
}

int MainWindow::findLanguageColumn(const QString &code) const
{
    const int count = translationModel ? translationModel->columnCount() : 0;
    for (int column = 0; column < count; ++column) {
        if (translationModel->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()
            == code)
            return column;
    }
    return -1;
}

void MainWindow::copyFromNamedColumn(const QString &name, const QModelIndex &index)
{
    if (!translationModel)
        return;
    const int column = findLanguageColumn(name);
    if (column < 0) {
        MessageBox::warning(this, tr("Warning"), tr("Can't find %1 column").arg(name));
        return;
    }
    const QString text = translationModel->cellText(translationModel->index(index.row(), column));
    if (!text.isEmpty())
        translationModel->setData(index, text, Qt::EditRole);
}

void MainWindow::onCopySource(const QModelIndex &index)
{
    if (!translationModel)
        return;
    const QString text = translationModel->sourceText(index);
    if (!text.isEmpty())
        translationModel->setData(index, text, Qt::EditRole);
}

void MainWindow::onCopyZhCN(const QModelIndex &index)
{
    copyFromNamedColumn(QStringLiteral("zh_CN"), index);
}

void MainWindow::onCopyZhTW(const QModelIndex &index)
{
    copyFromNamedColumn(QStringLiteral("zh_TW"), index);
}

void MainWindow::onCopyZhHK(const QModelIndex &index)
{
    copyFromNamedColumn(QStringLiteral("zh_HK"), index);
}

void MainWindow::useColumnAsSource(int column)
{
    // The model announces the moved mark as a header change, so the views repaint it.
    if (translationModel)
        translationModel->setSourceColumn(column);
}

void MainWindow::setCellsFinished(const QModelIndex &index, bool finished)
{
    if (translationModel)
        translationModel->setFinished(index, finished);
}

void MainWindow::setCellsFinished(Qt::Orientation orientation, int section, bool finished)
{
    if (!translationModel)
        return;
    QModelIndexList cells;
    if (orientation == Qt::Vertical)
        translationModel->indexesOfRow(section, cells);
    else
        translationModel->indexesOfColumn(section, cells);
    for (const QModelIndex &cell : cells)
        translationModel->setFinished(cell, finished);
}
