#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "model/sourcemodel.h"
#include "model/translationmodel.h"

void MainWindow::installTranslationModel(TranslationModel *model)
{
    dropTranslationJobs();
    auto *newSourceModel = new SourceModel(this);
    newSourceModel->setTranslationModel(model);
    model->setParent(this);
    ui->targetTableView->setModel(model);
    ui->sourceTableView->setModel(newSourceModel);
    delete sourceModel;
    delete translationModel;
    translationModel = model;
    sourceModel = newSourceModel;
    ui->sourceTableView->fitColumnsToViewport();
    connectSelectionModel();
}

bool MainWindow::openTranslationFiles(const QStringList &)
{
    return false;
}

bool MainWindow::importTranslationDirectory(int, const QString &)
{
    return false;
}

bool MainWindow::saveColumnToFile(int)
{
    return false;
}

void MainWindow::onActionOpenTranslationFilesTriggered() { }
void MainWindow::onActionImportApplei18nRootDirectoryTriggered() { }
void MainWindow::onActionImportQtTSFilesDirectoryTriggered() { }
void MainWindow::onActionImportGNUPOFilesDirectoryTriggered() { }
void MainWindow::onActionImportCommonJSONFilesDirectoryTriggered() { }
void MainWindow::onActionExportToDirectoryTriggered() { }
void MainWindow::onActionClearHistoryTriggered() { }
void MainWindow::rebuildRecentMenu() { }
void MainWindow::clearRecentMenu() { }
void MainWindow::chooseDirectoryAndImport(int) { }
