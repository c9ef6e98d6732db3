#pragma once

#include <QMainWindow>
#include <QModelIndex>
#include <QNetworkAccessManager>
#include <QPoint>

#include <memory>

namespace Ui {
class MainWindow;
}

class EditorDelegate;
class QTimer;
class SourceModel;
class TranslationModel;

// The program's only window and the hub every command ends in. The work behind each group
// of commands lives in its own file (mainwindow_files.cpp, mainwindow_translate.cpp, ...).
class MainWindow : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    TranslationModel *currentTranslationModel() const { return translationModel; }
    bool isTranslating() const { return translating; }

    // --- Opening, importing, exporting and history ---------------------------------------
    bool openTranslationFiles(const QStringList &files);
    bool importTranslationDirectory(int kind, const QString &directory);
    bool saveColumnToFile(int column);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void onIdle();
    void onActionContentTriggered();
    void onActionHomepageTriggered();
    void onActionAboutTriggered();
    void onActionOpenTranslationFilesTriggered();
    void onActionImportApplei18nRootDirectoryTriggered();
    void onActionImportQtTSFilesDirectoryTriggered();
    void onActionImportGNUPOFilesDirectoryTriggered();
    void onActionImportCommonJSONFilesDirectoryTriggered();
    void onActionCutTriggered();
    void onActionCopyTriggered();
    void onActionPasteTriggered();
    void onActionSelectAllTriggered();
    void onActionTranslateCurrentCellTriggered();
    void onActionTranslateCurrentRowTriggered();
    void onActionTranslateCurrentColumnTriggered();
    void onActionTranslateAllTriggered();
    void onActionPreferencesTriggered();
    void onActionExitTriggered();
    void onActionExportToDirectoryTriggered();
    void onActionUseCurrentColumnAsSourceTriggered();
    void onActionTranslateSelectedCellsTriggered();
    void onActionTranslateEmptyCellsInCurrentRowTriggered();
    void onActionTranslateEmptyCellsInCurrentColumnTriggered();
    void onActionTranslateAllEmptyCellsTriggered();
    void onActionTranslateSelectedEmptyCellsTriggered();
    void onActionDeleteTriggered();
    void onActionzhCNTozhTWTriggered();
    void onActionzhCNTozhHKTriggered();
    void onActionzhTWTozhCNTriggered();
    void onActionzhHKTozhCNTriggered();
    void onEditorDelegateTranslate(QModelIndex index);
    void onTranslateCell();
    void onTranslateCellWithPresetPrompt();
    void onCopySource();
    void onCopyZhCN();
    void onCopyZhTW();
    void onCopyZhHK();
    void onConvertFromZhCN();
    void onConvertFromZhTW();
    void onConvertFromZhHK();
    void onLLMServiceResponse();
    void onActionAllCellsInCurrentRowCopySourceTextTriggered();
    void onActionAllCellsInCurrentRowCopyTextFromRowTriggered();
    void onActionAllCellsInCurrentColumnCopyTextFromColumnTriggered();
    void onActionAllCellsInCurrentColumnCopySourceTextTriggered();
    void onTargetTableViewCustomContextMenuRequested(QPoint pos);
    void onTargetTableViewHorizontalHeaderCustomContextMenuRequested(QPoint pos);
    void onSourceTableViewCustomContextMenuRequested(QPoint pos);
    void onTabCloseRequested(int index);
    void onTabWidgetCurrentIndexChanged(int index);
    void onActionClearHistoryTriggered();
    void onActionStopTranslatingTriggered();

private:
    // Enabled states are recomputed once after the events that can change them (selection,
    // a set installed, the clipboard, the translating flag) instead of on every idle pass.
    void scheduleCommandUpdate();
    void setTranslating(bool value);
    void connectSelectionModel();

    // --- Opening, importing, exporting and history (mainwindow_files.cpp) -----------------
    void installTranslationModel(TranslationModel *model);
    void rebuildRecentMenu();
    void clearRecentMenu();
    void chooseDirectoryAndImport(int kind);

    // --- Translation jobs (mainwindow_translate.cpp) --------------------------------------
    void updateStopTranslatingAction();
    // Forgets waiting jobs and outstanding answers: their cells belong to a replaced set.
    void dropTranslationJobs();

    std::unique_ptr<Ui::MainWindow> ui;
    QTimer *idleTimer = nullptr;
    TranslationModel *translationModel = nullptr;
    SourceModel *sourceModel = nullptr;
    QNetworkAccessManager networkAccessManager;
    EditorDelegate *editorDelegate = nullptr;
    bool translating = false;
    bool rateLimited = false;
};
