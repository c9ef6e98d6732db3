#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/websitemenu.h"
#include "model/translationmodel.h"
#include "settings/settings.h"
#include "views/messagebox.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QUndoStack>
#include <QUrl>

namespace {

bool containsEntry(const QDir &directory, const QString &pattern, QDir::Filters filters)
{
    return !directory.entryList({ pattern }, filters).isEmpty();
}

// The kind of set a dropped folder holds, found as each import command looks for its files;
// 0 when none of them would find any.
int kindOfDirectory(const QString &path)
{
    const QDir directory(path);
    const QDir::Filters folders = QDir::Dirs | QDir::NoDotAndDotDot;
    if (containsEntry(directory, QStringLiteral("*.lproj"), folders))
        return int(ModelKind::Apple);
    if (containsEntry(directory, QStringLiteral("*.ts"), QDir::Files))
        return int(ModelKind::Qt);
    if (containsEntry(directory, QStringLiteral("*.po"), QDir::Files))
        return int(ModelKind::Gnu);
    const QStringList languages = directory.entryList(folders);
    for (const QString &language : languages) {
        const QDir folder(directory.filePath(language));
        if (containsEntry(folder, QStringLiteral("*.po"), QDir::Files)
            || containsEntry(QDir(folder.filePath(QStringLiteral("LC_MESSAGES"))),
                QStringLiteral("*.po"), QDir::Files))
            return int(ModelKind::Gnu);
        if (containsEntry(folder, QStringLiteral("*.json"), QDir::Files))
            return int(ModelKind::CommonJSON);
    }
    return 0;
}

} // namespace

void MainWindow::connectHistory()
{
    const QUndoStack *history = translationModel->undoStack();
    connect(history, &QUndoStack::indexChanged, this, &MainWindow::updateHistoryActions);
    connect(history, &QUndoStack::cleanChanged, this, &MainWindow::updateWindowTitle);
    connect(translationModel, &QAbstractItemModel::dataChanged, this,
        &MainWindow::scheduleStatusUpdate);
    updateHistoryActions();
    updateWindowTitle();
}

void MainWindow::runAsStep(const QAction *command, const std::function<void()> &run)
{
    // What was typed before the command is a step of its own.
    commitOpenEditor();
    const EditStep step(translationModel, command->iconText());
    run();
}

void MainWindow::updateHistoryActions()
{
    const QUndoStack *history = translationModel ? translationModel->undoStack() : nullptr;
    const bool canUndo = history && history->canUndo();
    const bool canRedo = history && history->canRedo();
    ui->actionUndo->setEnabled(canUndo);
    ui->actionRedo->setEnabled(canRedo);
    ui->actionUndo->setText(
        canUndo ? tr("&Undo %1").arg(menuText(history->undoText())) : tr("&Undo"));
    ui->actionRedo->setText(
        canRedo ? tr("&Redo %1").arg(menuText(history->redoText())) : tr("&Redo"));
}

void MainWindow::onActionUndoTriggered()
{
    // What was typed is a step of its own, so undo takes it back first.
    commitOpenEditor();
    if (translationModel)
        translationModel->undoStack()->undo();
}

void MainWindow::onActionRedoTriggered()
{
    commitOpenEditor();
    if (translationModel)
        translationModel->undoStack()->redo();
}

void MainWindow::updateWindowTitle()
{
    if (!translationModel) {
        setWindowTitle(baseTitle);
        return;
    }
    const QString directory = translationModel->projectDirectory();
    const QString name = directory.isEmpty() ? QString() : QDir(directory).dirName();
    setWindowTitle(name.isEmpty() ? baseTitle + QStringLiteral("[*]")
                                  : QStringLiteral("%1[*] - %2").arg(name, baseTitle));
    setWindowModified(translationModel->isModified());
}

bool MainWindow::settleUnexportedChanges()
{
    commitOpenEditor();
    if (!translationModel || !translationModel->isModified())
        return true;
    const QMessageBox::StandardButton answer = MessageBox::choose(this, tr("Unexported Changes"),
        tr("The translations in %1 have changes that are not exported.")
            .arg(translationModel->nativeDirectory()),
        { { QMessageBox::Save, tr("Export") }, { QMessageBox::Discard, tr("Discard") },
            { QMessageBox::Cancel, tr("Cancel") } },
        QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return exportSet(false);
    return answer == QMessageBox::Discard;
}

void MainWindow::reportOpened(const QString &before)
{
    //: "2,066 messages in 28 languages from /home/me/app/translations"
    const QString opened = tr("%1 in %2 from %3")
                               .arg(tr("%Ln messages", nullptr, translationModel->rowCount()),
                                   tr("%Ln languages", nullptr, translationModel->columnCount()),
                                   translationModel->nativeDirectory());
    statusBar()->showMessage(before.isEmpty() ? opened : before + QLatin1Char(' ') + opened);
}

void MainWindow::showCurrentCellDetails()
{
    ui->detailPane->showCell(translationModel, currentCell());
}

void MainWindow::restoreWindowState()
{
    Settings settings;
    if (!restoreGeometry(settings.uiState(QStringLiteral("geometry")).toByteArray())) {
        // A first start fills most of the screen, wherever the window system puts it.
        const QRect available = screen()->availableGeometry();
        resize(available.size() * 4 / 5);
        move(available.center() - rect().center());
    }
    restoreState(settings.uiState(QStringLiteral("state")).toByteArray());
    ui->splitter->restoreState(settings.uiState(QStringLiteral("splitter")).toByteArray());
    if (!ui->detailSplitter->restoreState(
            settings.uiState(QStringLiteral("detailSplitter")).toByteArray()))
        ui->detailSplitter->setSizes({ 3 * height(), height() });
    ui->actionDetailPane->setChecked(settings.uiState(QStringLiteral("detailPane"), true).toBool());
}

void MainWindow::saveWindowState()
{
    Settings settings;
    settings.setUiState(QStringLiteral("geometry"), saveGeometry());
    settings.setUiState(QStringLiteral("state"), saveState());
    settings.setUiState(QStringLiteral("splitter"), ui->splitter->saveState());
    settings.setUiState(QStringLiteral("detailSplitter"), ui->detailSplitter->saveState());
    settings.setUiState(QStringLiteral("detailPane"), ui->actionDetailPane->isChecked());
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && std::all_of(urls.cbegin(), urls.cend(), [](const QUrl &url) {
            return url.isLocalFile();
        }))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    openDropped(event->mimeData()->urls());
}

void MainWindow::openDropped(const QList<QUrl> &urls)
{
    QStringList files;
    QStringList folders;
    for (const QUrl &url : urls)
        (QFileInfo(url.toLocalFile()).isDir() ? folders : files).append(url.toLocalFile());
    if (folders.isEmpty() && !files.isEmpty()) {
        openChosenFiles(files);
        return;
    }
    if (folders.size() != 1 || !files.isEmpty()) {
        reportNotOpened(tr("Drop one folder, or translation files of one type."));
        return;
    }
    const int kind = kindOfDirectory(folders.first());
    if (kind == 0)
        reportNotOpened(
            tr("No translations found in %1.").arg(QDir::toNativeSeparators(folders.first())));
    else
        importTranslationDirectory(kind, folders.first());
}
