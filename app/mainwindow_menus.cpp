#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/websitemenu.h"
#include "model/translationmodel.h"
#include "settings/settings.h"

#include <QCursor>
#include <QDir>
#include <QMenu>

#include <functional>
#include <memory>

namespace {

void showAtCursor(QMenu *menu)
{
    const std::unique_ptr<QMenu> owned(menu);
    if (owned)
        owned->exec(QCursor::pos());
}

} // namespace

QAction *MainWindow::addEntry(QMenu *menu, const QString &text, const std::function<void()> &run)
{
    QAction *action = menu->addAction(text);
    connect(action, &QAction::triggered, menu, [this, action, run] { runAsStep(action, run); });
    return action;
}

void MainWindow::addMarkEntries(QMenu *menu, const QString &finishedText,
    const QString &unfinishedText, const std::function<void(bool)> &mark)
{
    menu->addSeparator();
    addEntry(menu, finishedText, [=] { mark(true); });
    addEntry(menu, unfinishedText, [=] { mark(false); });
}

void MainWindow::onTargetTableViewCustomContextMenuRequested(QPoint)
{
    showAtCursor(createCellMenu(currentCell()));
}

void MainWindow::onSourceTableViewCustomContextMenuRequested(QPoint)
{
    const QModelIndex current = toModelIndex(ui->sourceTableView->currentIndex());
    if (current.isValid())
        showAtCursor(createSourceRowMenu(current.row()));
}

void MainWindow::onTargetTableViewHorizontalHeaderCustomContextMenuRequested(QPoint pos)
{
    const int column = ui->targetTableView->horizontalHeader()->logicalIndexAt(pos);
    if (column >= 0)
        showAtCursor(createColumnHeaderMenu(column));
}

void MainWindow::addTranslateEntry(
    QMenu *menu, const QString &text, const std::function<void()> &run)
{
    addEntry(menu, text, [this, run] {
        if (isLLMConfigured())
            run();
    });
}

QMenu *MainWindow::createCellMenu(const QModelIndex &index)
{
    if (!translationModel || !index.isValid() || index.model() != translationModel)
        return nullptr;
    const int row = index.row();
    const int column = index.column();
    const QString lang = translationModel->columnLanguage(index, true);
    auto *menu = new QMenu;
    addTranslateEntry(menu, tr("Translate[Default Prompt]"), [=] { onTranslateCell(index); });
    QMenu *presets = menu->addMenu(tr("Translate[Preset Prompts]"));
    for (const QString &name : Settings().roleNames())
        addTranslateEntry(
            presets, menuText(name), [=] { onTranslateCellWithPresetPrompt(index, name); });
    addEntry(menu, tr("Copy Source"), [=] { onCopySource(index); });
    const bool cn = lang == QLatin1String("zh_CN");
    const bool tw = lang == QLatin1String("zh_TW");
    const bool hk = lang == QLatin1String("zh_HK");
    const std::pair<bool, QString> chinese[] = { { tw || hk, QStringLiteral("zh_CN") },
        { cn || hk, QStringLiteral("zh_TW") }, { tw || cn, QStringLiteral("zh_HK") } };
    for (const auto &[offered, code] : chinese) {
        if (!offered)
            continue;
        addEntry(menu, tr("Copy %1").arg(code), [=] { copyFromNamedColumn(code, index); });
        addEntry(menu, tr("Convert From %1").arg(code), [=] { convertCellFrom(code, index); });
    }
    menu->addSeparator();
    addTranslateEntry(
        menu, tr("Translate All Cells In This Column"), [=] { translateColumn(column); });
    addTranslateEntry(menu, tr("Translate All Cells In This Row"), [=] { translateRow(row); });
    addTranslateEntry(menu, tr("Translate All Empty Cells In This Column"),
        [=] { translateEmptyCellsInColumn(column); });
    addTranslateEntry(
        menu, tr("Translate All Empty Cells In This Row"), [=] { translateEmptyCellsInRow(row); });
    menu->addSeparator();
    addEntry(menu, tr("All Cells In This Column Copy Source Text"),
        [=] { columnCopySourceText(column); });
    addEntry(menu, tr("All Cells In This Row Copy Source Text"), [=] { rowCopySourceText(row); });
    addEntry(menu, tr("All Cells In This Column Copy From Column..."),
        [=] { columnCopyFromColumn(column); });
    addEntry(menu, tr("All Cells In This Row Copy From Row..."), [=] { rowCopyFromRow(row); });
    menu->addSeparator();
    addEntry(menu, tr("Use This Column As Source"), [=] { useColumnAsSource(column); });
    if (!translationModel->hasFinishedState())
        return menu;
    for (const bool finished : { true, false }) {
        menu->addSeparator();
        addEntry(menu,
            finished ? tr("Mark All Cells In This Column As Finished")
                     : tr("Mark All Cells In This Column As Unfinished"),
            [=] { setCellsFinished(Qt::Horizontal, column, finished); });
        addEntry(menu,
            finished ? tr("Mark All Cells In This Row As Finished")
                     : tr("Mark All Cells In This Row As Unfinished"),
            [=] { setCellsFinished(Qt::Vertical, row, finished); });
        addEntry(menu,
            finished ? tr("Mark This Cell As Finished") : tr("Mark This Cell As Unfinished"),
            [=] { setCellsFinished(index, finished); });
    }
    return menu;
}

QMenu *MainWindow::createSourceRowMenu(int row)
{
    if (!translationModel || row < 0 || row >= translationModel->rowCount())
        return nullptr;
    auto *menu = new QMenu;
    addTranslateEntry(menu, tr("Translate All Cells In This Row"), [=] { translateRow(row); });
    addTranslateEntry(
        menu, tr("Translate All Empty Cells In This Row"), [=] { translateEmptyCellsInRow(row); });
    addEntry(menu, tr("All Cells In This Row Copy Source Text"), [=] { rowCopySourceText(row); });
    addEntry(menu, tr("All Cells In This Row Copy From Row..."), [=] { rowCopyFromRow(row); });
    if (translationModel->hasFinishedState())
        addMarkEntries(menu, tr("Mark All Cells In This Row As Finished"),
            tr("Mark All Cells In This Row As Unfinished"),
            [=](bool finished) { setCellsFinished(Qt::Vertical, row, finished); });
    return menu;
}

QMenu *MainWindow::createColumnHeaderMenu(int column)
{
    if (!translationModel || column < 0 || column >= translationModel->columnCount())
        return nullptr;
    auto *menu = new QMenu;
    addTranslateEntry(
        menu, tr("Translate All Cells In This Column"), [=] { translateColumn(column); });
    addTranslateEntry(menu, tr("Translate All Empty Cells In This Column"),
        [=] { translateEmptyCellsInColumn(column); });
    menu->addSeparator();
    addEntry(menu, tr("All Cells In This Column Copy Source Text"),
        [=] { columnCopySourceText(column); });
    addEntry(menu, tr("All Cells In This Column Copy From Column..."),
        [=] { columnCopyFromColumn(column); });
    menu->addSeparator();
    addEntry(menu, tr("Use This Column As Source"), [=] { useColumnAsSource(column); });
    if (translationModel->hasFinishedState())
        addMarkEntries(menu, tr("Mark All Cells In This Column As Finished"),
            tr("Mark All Cells In This Column As Unfinished"),
            [=](bool finished) { setCellsFinished(Qt::Horizontal, column, finished); });
    menu->addSeparator();
    const QString path = QDir::toNativeSeparators(translationModel->columnFilePath(column));
    // A column read from no file (a language folder without files) has nothing to save to.
    addEntry(menu, tr("Save Current Column To File") + QLatin1Char(' ') + menuText(path), [=] {
        saveColumnToFile(column);
    })->setEnabled(!path.isEmpty());
    return menu;
}
