#pragma once

#include <QMainWindow>
#include <QModelIndex>
#include <QNetworkAccessManager>
#include <QPoint>

#include <functional>
#include <memory>

namespace Ui {
class MainWindow;
}

class EditorDelegate;
class QMenu;
class QTimer;
class SourceModel;
class TranslationModel;
struct CellText;

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
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

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
    void onCopySource(const QModelIndex &index);
    void onCopyZhCN(const QModelIndex &index);
    void onCopyZhTW(const QModelIndex &index);
    void onCopyZhHK(const QModelIndex &index);
    void onConvertFromZhCN(const QModelIndex &index);
    void onConvertFromZhTW(const QModelIndex &index);
    void onConvertFromZhHK(const QModelIndex &index);
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
    void onActionUndoTriggered();
    void onActionRedoTriggered();
    void onActionFindTriggered();
    void onActionFindNextTriggered();
    void onActionFindPreviousTriggered();
    void onActionNextUntranslatedTriggered();

private:
    friend class tst_MainWindow;
    friend class tst_MainWindowCells;
    friend class tst_MainWindowFiles;

    // Enabled states are recomputed once after the events that can change them (selection,
    // a set installed, the clipboard, the translating flag) instead of on every idle pass.
    void scheduleCommandUpdate();
    void setTranslating(bool value);
    void connectSelectionModel();

    // --- Opening, importing, exporting and history (mainwindow_files.cpp) -----------------
    void rebuildRecentMenu();
    void clearRecentMenu();
    void chooseDirectoryAndImport(const QString &caption, int kind);
    // Opens files chosen together, refusing a mix of types as the open command does.
    void openChosenFiles(const QStringList &files);
    // Text typed into a still open cell editor or the detail pane belongs in what is written
    // out, and is an edit of its own before the command that follows.
    void commitOpenEditor();
    // Installs a model that has just read `source`; otherwise drops it, keeping the current set.
    bool installIfRead(TranslationModel *model, bool read, const QString &source);
    void reportNotOpened(const QString &message);

    // --- Finding, filtering and the views' indexes (mainwindow_find.cpp) -------------------
    // The views show the model through row filters: every command that reads a view's
    // current index or selection turns it into the model's here, and only here.
    QModelIndex currentCell() const;
    QModelIndex toModelIndex(const QModelIndex &viewIndex) const;
    QModelIndex toViewIndex(const QModelIndex &cell) const;
    void applyFilter();
    void findMatch(bool forward);
    void goToCell(const QModelIndex &cell);
    void scheduleStatusUpdate();
    void updateStatus();

    // --- Edit history, unexported changes and the window's state (mainwindow_session.cpp) --
    void connectHistory();
    // Runs a command as one undo step, named as the command reads in its menu.
    void runAsStep(const QAction *command, const std::function<void()> &run);
    void updateHistoryActions();
    void updateWindowTitle();
    // Asks what becomes of unexported changes before they would be lost; false: keep them
    // and stop.
    bool settleUnexportedChanges();
    bool exportSet(bool announceSuccess);
    void restoreWindowState();
    void saveWindowState();
    void openDropped(const QList<class QUrl> &urls);
    void showCurrentCellDetails();
    // Says what was opened, after what the status bar said before when that still matters.
    void reportOpened(const QString &before);

    // --- Help entries and web pages (mainwindow_help.cpp) ---------------------------------
    void buildWebsiteMenu();
    // Shows the page in its tab, opening a tab for it if none shows it yet.
    void openWebPage(const QString &url, const QString &title);

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
    // Asks once before a command replaces `translated` cells that hold text: true to go on,
    // with `*emptyOnly` set when only the empty cells are to be written.
    bool confirmOverwrite(qsizetype translated, bool *emptyOnly);

    // --- Cell, row and column commands (mainwindow_cells.cpp) ------------------------------
    void columnCopySourceText(int column);
    void rowCopySourceText(int row);
    void columnCopyFromColumn(int column);
    void rowCopyFromRow(int row);
    void copyFromNamedColumn(const QString &name, const QModelIndex &index);
    void useColumnAsSource(int column);
    void setCellsFinished(const QModelIndex &index, bool finished);
    // Every cell of a row (Qt::Vertical) or of a column (Qt::Horizontal).
    void setCellsFinished(Qt::Orientation orientation, int section, bool finished);
    // The first column whose header reads `code` exactly (so never the marked source
    // column); -1 when there is none.
    int findLanguageColumn(const QString &code) const;
    // The 0-based row or column the user picks in the row/column dialog; -1 when cancelled.
    int chooseRowOrColumn(bool rowMode, int count);
    // Stores a column command's texts, asking once first when cells that hold text would
    // change.
    void writeColumnTexts(QList<CellText> texts);
    // The selected cells of the model (see currentCell).
    QModelIndexList selectedCells() const;
    void copyCells(const QModelIndexList &cells);
    void pasteBlock(const QModelIndex &start, const QList<QStringList> &rows);

    // --- Context menus (mainwindow_menus.cpp): parentless, shown and deleted by the slots --
    QMenu *createCellMenu(const QModelIndex &index);
    QMenu *createSourceRowMenu(int row);
    QMenu *createColumnHeaderMenu(int column);
    // An entry whose command is one undo step named after the entry.
    QAction *addEntry(QMenu *menu, const QString &text, const std::function<void()> &run);
    void addMarkEntries(QMenu *menu, const QString &finishedText, const QString &unfinishedText,
        const std::function<void(bool)> &mark);
    // An entry whose command needs the LLM service: it warns instead while none is set up.
    void addTranslateEntry(QMenu *menu, const QString &text, const std::function<void()> &run);

    // --- Chinese script conversion (mainwindow_chinese.cpp) -------------------------------
    void convertColumn(const QString &fromCode, const QString &toCode, const QString &profile);
    void convertCell(const QString &fromCode, const QModelIndex &index, const QString &profile);
    void convertCellFrom(const QString &fromCode, const QModelIndex &index);

    class TranslationQueue *translationQueue = nullptr;
    class QLabel *translationProgress = nullptr;
    class RowFilter *rowFilter = nullptr;
    class RowFilterModel *targetRows = nullptr;
    class RowFilterModel *sourceRows = nullptr;
    class QLabel *rowCountLabel = nullptr;
    class QLabel *columnProgressLabel = nullptr;
    QTimer *statusTimer = nullptr;
    QString baseTitle;

    std::unique_ptr<Ui::MainWindow> ui;
    QTimer *idleTimer = nullptr;
    TranslationModel *translationModel = nullptr;
    SourceModel *sourceModel = nullptr;
    QNetworkAccessManager networkAccessManager;
    EditorDelegate *editorDelegate = nullptr;
    bool translating = false;
    bool rateLimited = false;
};
