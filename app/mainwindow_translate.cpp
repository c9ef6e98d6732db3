#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::updateStopTranslatingAction()
{
    ui->actionStopTranslating->setEnabled(translating);
}

void MainWindow::dropTranslationJobs() { }

void MainWindow::onActionTranslateCurrentCellTriggered() { }
void MainWindow::onActionTranslateCurrentRowTriggered() { }
void MainWindow::onActionTranslateCurrentColumnTriggered() { }
void MainWindow::onActionTranslateAllTriggered() { }
void MainWindow::onActionTranslateSelectedCellsTriggered() { }
void MainWindow::onActionTranslateEmptyCellsInCurrentRowTriggered() { }
void MainWindow::onActionTranslateEmptyCellsInCurrentColumnTriggered() { }
void MainWindow::onActionTranslateAllEmptyCellsTriggered() { }
void MainWindow::onActionTranslateSelectedEmptyCellsTriggered() { }
void MainWindow::onEditorDelegateTranslate(QModelIndex) { }
void MainWindow::onTranslateCell() { }
void MainWindow::onTranslateCellWithPresetPrompt() { }
void MainWindow::onLLMServiceResponse() { }
void MainWindow::onActionStopTranslatingTriggered() { }
