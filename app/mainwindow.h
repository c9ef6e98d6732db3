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

    // Shows `model` (parented to the window) in place of the current set, which is deleted.
    void installTranslationModel(TranslationModel *model);

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
    void onActionCheckPlaceholdersTriggered();

private:
    friend class tst_MainWindow;

    // Enabled states are recomputed once after the events that can change them (selection,
    // a set installed, the clipboard, the translating flag) instead of on every idle pass.
    void scheduleCommandUpdate();
    void setTranslating(bool value);
    void connectSelectionModel();

    // --- Opening, importing, exporting and history (mainwindow_files.cpp) -----------------
    void rebuildRecentMenu();
    void clearRecentMenu();
    void chooseDirectoryAndImport(const QString &caption, int kind);
    // Text typed into a still open cell editor belongs in what is written out.
    void commitOpenEditor();
    // Installs a model that has just read `source`; otherwise drops it, keeping the current set.
    bool installIfRead(TranslationModel *model, bool read, const QString &source);
    void reportNotOpened(const QString &message);

    // --- Translation jobs (mainwindow_translate.cpp) --------------------------------------
    void updateStopTranslatingAction();
    // Forgets waiting jobs and outstanding answers: their cells belong to a replaced set.
    void dropTranslationJobs();
    class TranslationQueue *translationJobs();
    bool isLLMConfigured();
    void translateColumn(int column);
    void translateRow(int row);
    void translateEmptyCellsInColumn(int column);
    void translateEmptyCellsInRow(int row);
    void translateSelectedCells(bool emptyOnly);
    // The current row or column, after asking whether to overwrite its translated cells.
    void translateCurrentLine(bool byRow);
    // The argument-less slots of the same names read their cell (and the preset's name)
    // from the data of the action that sent them; these take them directly.
    void onTranslateCell(const QModelIndex &index);
    void onTranslateCellWithPresetPrompt(const QModelIndex &index, const QString &role);
    void onTranslationProgress();
    // For commands that would overwrite translated cells: false when the user cancels, and
    // `emptyOnly` set when only the empty ones are to be translated.
    bool confirmOverwrite(const QModelIndexList &cells, bool *emptyOnly);

    class TranslationQueue *translationQueue = nullptr;
    class QLabel *translationProgress = nullptr;

    std::unique_ptr<Ui::MainWindow> ui;
    QTimer *idleTimer = nullptr;
    TranslationModel *translationModel = nullptr;
    SourceModel *sourceModel = nullptr;
    QNetworkAccessManager networkAccessManager;
    EditorDelegate *editorDelegate = nullptr;
    bool translating = false;
    bool rateLimited = false;
};
