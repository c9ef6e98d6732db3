#include "app/mainwindow.h"

// Cell, row and column commands and the context menus come with their own change; until
// then the commands exist and do nothing.
void MainWindow::onActionCutTriggered() { }
void MainWindow::onActionCopyTriggered() { }
void MainWindow::onActionPasteTriggered() { }
void MainWindow::onActionSelectAllTriggered() { }
void MainWindow::onActionDeleteTriggered() { }
void MainWindow::onActionUseCurrentColumnAsSourceTriggered() { }
void MainWindow::onCopySource() { }
void MainWindow::onCopyZhCN() { }
void MainWindow::onCopyZhTW() { }
void MainWindow::onCopyZhHK() { }
void MainWindow::onActionAllCellsInCurrentRowCopySourceTextTriggered() { }
void MainWindow::onActionAllCellsInCurrentRowCopyTextFromRowTriggered() { }
void MainWindow::onActionAllCellsInCurrentColumnCopyTextFromColumnTriggered() { }
void MainWindow::onActionAllCellsInCurrentColumnCopySourceTextTriggered() { }
void MainWindow::onTargetTableViewCustomContextMenuRequested(QPoint) { }
void MainWindow::onTargetTableViewHorizontalHeaderCustomContextMenuRequested(QPoint) { }
void MainWindow::onSourceTableViewCustomContextMenuRequested(QPoint) { }

// Chinese script conversion.
void MainWindow::onActionzhCNTozhTWTriggered() { }
void MainWindow::onActionzhCNTozhHKTriggered() { }
void MainWindow::onActionzhTWTozhCNTriggered() { }
void MainWindow::onActionzhHKTozhCNTriggered() { }
void MainWindow::onConvertFromZhCN() { }
void MainWindow::onConvertFromZhTW() { }
void MainWindow::onConvertFromZhHK() { }
