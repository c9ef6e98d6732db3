#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/productinfo.h"
#include "model/rowfilter.h"
#include "model/sourcemodel.h"
#include "model/translationmodel.h"
#include "views/editordelegate.h"
#include "views/messagebox.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QUndoStack>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::MainWindow>())
    , idleTimer(new QTimer)
{
    ui->setupUi(this);
    baseTitle = windowTitle() + QStringLiteral(" %1").arg(ProductInfo::version());
    setWindowTitle(baseTitle);

    const std::pair<QAction *, void (MainWindow::*)()> actions[] = {
        { ui->actionOpenTranslationFiles, &MainWindow::onActionOpenTranslationFilesTriggered },
        { ui->actionImportApplei18nRootDirectory,
            &MainWindow::onActionImportApplei18nRootDirectoryTriggered },
        { ui->actionImportQtTSFilesDirectory,
            &MainWindow::onActionImportQtTSFilesDirectoryTriggered },
        { ui->actionImportGNUPOFilesDirectory,
            &MainWindow::onActionImportGNUPOFilesDirectoryTriggered },
        { ui->actionImportCommonJSONFilesDirectory,
            &MainWindow::onActionImportCommonJSONFilesDirectoryTriggered },
        { ui->actionExportToDirectory, &MainWindow::onActionExportToDirectoryTriggered },
        { ui->actionClearHistory, &MainWindow::onActionClearHistoryTriggered },
        { ui->actionExit, &MainWindow::onActionExitTriggered },
        { ui->actionCut, &MainWindow::onActionCutTriggered },
        { ui->actionCopy, &MainWindow::onActionCopyTriggered },
        { ui->actionPaste, &MainWindow::onActionPasteTriggered },
        { ui->actionDelete, &MainWindow::onActionDeleteTriggered },
        { ui->actionSelectAll, &MainWindow::onActionSelectAllTriggered },
        { ui->actionPreferences, &MainWindow::onActionPreferencesTriggered },
        { ui->actionTranslateCurrentCell, &MainWindow::onActionTranslateCurrentCellTriggered },
        { ui->actionTranslateSelectedCells, &MainWindow::onActionTranslateSelectedCellsTriggered },
        { ui->actionTranslateSelectedEmptyCells,
            &MainWindow::onActionTranslateSelectedEmptyCellsTriggered },
        { ui->actionTranslateCurrentRow, &MainWindow::onActionTranslateCurrentRowTriggered },
        { ui->actionTranslateEmptyCellsInCurrentRow,
            &MainWindow::onActionTranslateEmptyCellsInCurrentRowTriggered },
        { ui->actionTranslateCurrentColumn, &MainWindow::onActionTranslateCurrentColumnTriggered },
        { ui->actionTranslateEmptyCellsInCurrentColumn,
            &MainWindow::onActionTranslateEmptyCellsInCurrentColumnTriggered },
        { ui->actionTranslateAll, &MainWindow::onActionTranslateAllTriggered },
        { ui->actionTranslateAllEmptyCells, &MainWindow::onActionTranslateAllEmptyCellsTriggered },
        { ui->actionzhCNTozhTW, &MainWindow::onActionzhCNTozhTWTriggered },
        { ui->actionzhCNTozhHK, &MainWindow::onActionzhCNTozhHKTriggered },
        { ui->actionzhTWTozhCN, &MainWindow::onActionzhTWTozhCNTriggered },
        { ui->actionzhHKTozhCN, &MainWindow::onActionzhHKTozhCNTriggered },
        { ui->actionAllCellsInCurrentRowCopySourceText,
            &MainWindow::onActionAllCellsInCurrentRowCopySourceTextTriggered },
        { ui->actionAllCellsInCurrentColumnCopySourceText,
            &MainWindow::onActionAllCellsInCurrentColumnCopySourceTextTriggered },
        { ui->actionAllCellsInCurrentRowCopyTextFromRow,
            &MainWindow::onActionAllCellsInCurrentRowCopyTextFromRowTriggered },
        { ui->actionAllCellsInCurrentColumnCopyTextFromColumn,
            &MainWindow::onActionAllCellsInCurrentColumnCopyTextFromColumnTriggered },
        { ui->actionUseCurrentColumnAsSource,
            &MainWindow::onActionUseCurrentColumnAsSourceTriggered },
        { ui->actionContent, &MainWindow::onActionContentTriggered },
        { ui->actionHomepage, &MainWindow::onActionHomepageTriggered },
        { ui->actionAbout, &MainWindow::onActionAboutTriggered },
        { ui->actionStopTranslating, &MainWindow::onActionStopTranslatingTriggered },
        { ui->actionCheckPlaceholders, &MainWindow::onActionCheckPlaceholdersTriggered },
    };
    for (const auto &[action, slot] : actions)
        connect(action, &QAction::triggered, this, [this, action = action, slot = slot] {
            runAsStep(action, [this, slot] { (this->*slot)(); });
        });
    const std::pair<QAction *, void (MainWindow::*)()> navigation[] = {
        { ui->actionUndo, &MainWindow::onActionUndoTriggered },
        { ui->actionRedo, &MainWindow::onActionRedoTriggered },
        { ui->actionFind, &MainWindow::onActionFindTriggered },
        { ui->actionFindNext, &MainWindow::onActionFindNextTriggered },
        { ui->actionFindPrevious, &MainWindow::onActionFindPreviousTriggered },
        { ui->actionNextUntranslated, &MainWindow::onActionNextUntranslatedTriggered },
    };
    for (const auto &[action, slot] : navigation)
        connect(action, &QAction::triggered, this, slot);
    connect(ui->tabWidget, &QTabWidget::currentChanged, this,
        &MainWindow::onTabWidgetCurrentIndexChanged);

    ui->splitter->setSizes({ 400, 1000 });

    // Both views show the rows the one filter lets through, in the same order.
    rowFilter = new RowFilter(this);
    targetRows = new RowFilterModel(rowFilter, this);
    sourceRows = new RowFilterModel(rowFilter, this);
    ui->targetTableView->setModel(targetRows);
    ui->sourceTableView->setModel(sourceRows);
    connect(ui->filterBar, &FilterBar::criteriaChanged, this, &MainWindow::applyFilter);
    connect(
        ui->filterBar, &FilterBar::findNextRequested, this, &MainWindow::onActionFindNextTriggered);
    connect(ui->targetTableView->selectionModel(), &QItemSelectionModel::currentChanged, this,
        &MainWindow::showCurrentCellDetails);
    connect(ui->actionDetailPane, &QAction::toggled, ui->detailPane, &QWidget::setVisible);
    ui->tableStack->setCurrentWidget(ui->emptyPage);
    setAcceptDrops(true);

    ui->targetTableView->setPeerView(ui->sourceTableView);
    ui->sourceTableView->setPeerView(ui->targetTableView);
    editorDelegate = new EditorDelegate(this);
    ui->targetTableView->setItemDelegate(editorDelegate);
    connect(editorDelegate, &EditorDelegate::translate, this,
        [this](const QModelIndex &index) { onEditorDelegateTranslate(toModelIndex(index)); });
    // An editor would keep Ctrl+E (end of line) from the export command.
    editorDelegate->setWindowShortcuts({ ui->actionExportToDirectory->shortcut() });
    ui->detailPane->setWindowShortcuts({ ui->actionExportToDirectory->shortcut() });
    ui->targetTableView->horizontalHeader()->setSectionsMovable(true);
    ui->targetTableView->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->targetTableView, &QWidget::customContextMenuRequested, this,
        &MainWindow::onTargetTableViewCustomContextMenuRequested);
    connect(ui->targetTableView->horizontalHeader(), &QWidget::customContextMenuRequested, this,
        &MainWindow::onTargetTableViewHorizontalHeaderCustomContextMenuRequested);
    connect(ui->sourceTableView, &QWidget::customContextMenuRequested, this,
        &MainWindow::onSourceTableViewCustomContextMenuRequested);

    connect(ui->actionTableView, &QAction::triggered, this,
        [this] { ui->tabWidget->setCurrentIndex(0); });
    ui->menuView->insertAction(ui->actionTableView, ui->toolBar->toggleViewAction());
    ui->menuView->insertSeparator(ui->actionTableView);
    buildWebsiteMenu();

    connect(ui->tabWidget, &QTabWidget::tabCloseRequested, this, &MainWindow::onTabCloseRequested);
    ui->tabWidget->setTabsClosable(true);
    // The table cannot be closed, so its tab offers no close button.
    ui->tabWidget->tabBar()->setTabButton(0,
        QTabBar::ButtonPosition(style()->styleHint(QStyle::SH_TabBar_CloseButtonPosition)),
        nullptr);
    ui->tabWidget->tabBar()->setAutoHide(true);

    idleTimer->setSingleShot(true);
    idleTimer->setInterval(0);
    connect(idleTimer, &QTimer::timeout, this, &MainWindow::onIdle);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
        &MainWindow::scheduleCommandUpdate);

    rowCountLabel = new QLabel(this);
    rowCountLabel->setObjectName(QStringLiteral("rowCountLabel"));
    columnProgressLabel = new QLabel(this);
    columnProgressLabel->setObjectName(QStringLiteral("columnProgressLabel"));
    statusBar()->addPermanentWidget(columnProgressLabel);
    statusBar()->addPermanentWidget(rowCountLabel);
    statusTimer = new QTimer(this);
    statusTimer->setSingleShot(true);
    statusTimer->setInterval(0);
    connect(statusTimer, &QTimer::timeout, this, &MainWindow::updateStatus);
    connect(ui->targetTableView->selectionModel(), &QItemSelectionModel::currentChanged, this,
        &MainWindow::scheduleStatusUpdate);

    rebuildRecentMenu();
    restoreWindowState();
    updateHistoryActions();
    scheduleCommandUpdate();
    scheduleStatusUpdate();
}

MainWindow::~MainWindow()
{
    idleTimer->stop();
    delete idleTimer;
    // The set goes after `ui`; what it announces on the way must not reach the window.
    if (translationModel) {
        disconnect(translationModel->undoStack(), nullptr, this, nullptr);
        disconnect(translationModel, nullptr, this, nullptr);
    }
}

void MainWindow::scheduleCommandUpdate()
{
    idleTimer->start();
}

void MainWindow::setTranslating(bool value)
{
    translating = value;
    scheduleCommandUpdate();
}

void MainWindow::connectSelectionModel()
{
    if (QItemSelectionModel *selection = ui->targetTableView->selectionModel())
        connect(selection, &QItemSelectionModel::selectionChanged, this,
            &MainWindow::scheduleCommandUpdate, Qt::UniqueConnection);
    if (translationModel) {
        connect(translationModel, &QAbstractItemModel::modelReset, this,
            &MainWindow::scheduleCommandUpdate);
        connect(translationModel, &QAbstractItemModel::rowsInserted, this,
            &MainWindow::scheduleCommandUpdate);
        connect(translationModel, &QAbstractItemModel::rowsRemoved, this,
            &MainWindow::scheduleCommandUpdate);
    }
    scheduleCommandUpdate();
}

void MainWindow::onIdle()
{
    const bool hasRows = translationModel && translationModel->rowCount(QModelIndex()) != 0;
    const QItemSelectionModel *selection = ui->targetTableView->selectionModel();
    const bool hasSelection = selection && !selection->selectedIndexes().isEmpty();
    const bool canPaste = hasSelection && !QGuiApplication::clipboard()->text().isEmpty();

    for (QAction *action : { ui->actionExportToDirectory, ui->actionSelectAll, ui->actionzhCNTozhTW,
             ui->actionzhCNTozhHK, ui->actionzhTWTozhCN, ui->actionzhHKTozhCN,
             ui->actionCheckPlaceholders, ui->actionFind, ui->actionFindNext,
             ui->actionFindPrevious, ui->actionNextUntranslated })
        action->setEnabled(hasRows);
    for (QAction *action : { ui->actionCut, ui->actionCopy, ui->actionDelete,
             ui->actionAllCellsInCurrentRowCopySourceText,
             ui->actionAllCellsInCurrentColumnCopySourceText,
             ui->actionAllCellsInCurrentRowCopyTextFromRow,
             ui->actionAllCellsInCurrentColumnCopyTextFromColumn,
             ui->actionUseCurrentColumnAsSource })
        action->setEnabled(hasSelection);
    ui->actionPaste->setEnabled(canPaste);
    for (QAction *action : { ui->actionTranslateCurrentCell, ui->actionTranslateSelectedCells,
             ui->actionTranslateSelectedEmptyCells, ui->actionTranslateCurrentRow,
             ui->actionTranslateEmptyCellsInCurrentRow, ui->actionTranslateCurrentColumn,
             ui->actionTranslateEmptyCellsInCurrentColumn })
        action->setEnabled(hasSelection && !translating);
    for (QAction *action : { ui->actionTranslateAll, ui->actionTranslateAllEmptyCells })
        action->setEnabled(hasRows && !translating);
    updateStopTranslatingAction();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    commitOpenEditor();
    const bool modified = translationModel && translationModel->isModified();
    // Unexported changes get their own question; without any the plain one is asked.
    if (modified ? !settleUnexportedChanges()
                 : translationModel && translationModel->rowCount(QModelIndex()) > 0
                && MessageBox::question(this, tr("Confirm"),
                       tr("Do you want to quit the application?"),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                    != QMessageBox::Yes) {
        event->ignore();
        return;
    }
    saveWindowState();
    event->accept();
}

void MainWindow::onActionExitTriggered()
{
    close();
}

void MainWindow::onTabCloseRequested(int index)
{
    if (index == 0)
        return;
    QWidget *page = ui->tabWidget->widget(index);
    ui->tabWidget->removeTab(index);
    if (page)
        page->deleteLater();
}
