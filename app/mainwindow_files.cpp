#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/websitemenu.h"
#include "model/rowfilter.h"
#include "model/sourcemodel.h"
#include "model/translationmodel.h"
#include "settings/settings.h"
#include "views/filedialog.h"
#include "views/messagebox.h"

#include <QAbstractItemDelegate>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcFiles, "parlonex.app.files")

namespace {

// The model kind for a file suffix, compared exactly (0: no model reads it).
int kindForSuffix(const QString &suffix)
{
    if (suffix == QLatin1String("strings") || suffix == QLatin1String("xcstrings"))
        return int(ModelKind::Apple);
    if (suffix == QLatin1String("ts"))
        return int(ModelKind::Qt);
    if (suffix == QLatin1String("po"))
        return int(ModelKind::Gnu);
    if (suffix == QLatin1String("json"))
        return int(ModelKind::CommonJSON);
    return 0;
}

QString iconForKind(int kind)
{
    switch (kind) {
    case int(ModelKind::Apple):
        return QStringLiteral(":/rc/icons/apple.png");
    case int(ModelKind::Qt):
        return QStringLiteral(":/rc/icons/qt.png");
    case int(ModelKind::Gnu):
        return QStringLiteral(":/rc/icons/gnu.png");
    case int(ModelKind::CommonJSON):
        return QStringLiteral(":/rc/icons/json.png");
    }
    return {};
}

// A message followed by the problems the model met, if any.
QString withProblems(const QString &message, const QList<FileError> &errors)
{
    return errors.isEmpty() ? message
                            : message + QLatin1String("\n\n") + FileErrors::summary(errors);
}

QString historyText(int number, const QString &path)
{
    return QStringLiteral("%1. %2").arg(number).arg(menuText(QDir::toNativeSeparators(path)));
}

} // namespace

void MainWindow::installTranslationModel(TranslationModel *model)
{
    dropTranslationJobs();
    ui->detailPane->showCell(nullptr, {});
    auto *newSourceModel = new SourceModel(this);
    newSourceModel->setTranslationModel(model);
    model->setParent(this);
    ui->filterBar->clear();
    rowFilter->setModel(model);
    targetRows->setSourceModel(model);
    sourceRows->setSourceModel(newSourceModel);
    delete sourceModel;
    delete translationModel;
    translationModel = model;
    sourceModel = newSourceModel;
    ui->tableStack->setCurrentWidget(ui->workPage);
    ui->sourceTableView->fitColumnsToViewport();
    connectSelectionModel();
    connectHistory();
    // The first cell is current, not selected: the detail pane has a message to show.
    ui->targetTableView->selectionModel()->setCurrentIndex(
        targetRows->index(0, 0), QItemSelectionModel::NoUpdate);
    showCurrentCellDetails();
    scheduleStatusUpdate();
}

void MainWindow::onActionOpenTranslationFilesTriggered()
{
    const QStringList files = FileDialog::getOpenFileNames(this, tr("Open Translation Files"),
        Settings()
            .uiState(QStringLiteral("lastDirectory"),
                QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .toString(),
        tr("All Supported Files (*.strings *.xcstrings *.ts *.po *.json);;"
           "Apple Strings Files (*.strings *.xcstrings);;Qt TS Files (*.ts);;"
           "GNU Po Files (*.po);;Common JSON Files (*.json)"));
    if (files.isEmpty())
        return;
    Settings().setUiState(QStringLiteral("lastDirectory"), QFileInfo(files.first()).absolutePath());
    openChosenFiles(files);
}

void MainWindow::openChosenFiles(const QStringList &files)
{
    const QString suffix = QFileInfo(files.first()).suffix();
    for (const QString &file : files) {
        if (QFileInfo(file).suffix() != suffix) {
            MessageBox::warning(this, tr("Warning"), tr("All files must have the same type."));
            return;
        }
    }
    openTranslationFiles(files);
}

bool MainWindow::openTranslationFiles(const QStringList &files)
{
    if (files.isEmpty())
        return false;
    const int kind = kindForSuffix(QFileInfo(files.first()).suffix());
    if (kind == 0) {
        qCDebug(lcFiles) << "No model reads files like" << files.first();
        return false;
    }
    // Some formats read a missing file as an empty language; a history entry whose file has
    // gone must not replace the current set by that.
    for (const QString &file : files) {
        if (!QFileInfo(file).isFile()) {
            reportNotOpened(tr("%1 does not exist.").arg(QDir::toNativeSeparators(file)));
            return false;
        }
    }
    TranslationModel *model = TranslationModel::create(ModelKind(kind), this);
    if (!model || !installIfRead(model, model->openFiles(files), files.first()))
        return false;
    Settings().addFilesHistory(files);
    rebuildRecentMenu();
    return true;
}

void MainWindow::onActionImportApplei18nRootDirectoryTriggered()
{
    chooseDirectoryAndImport(
        tr("Find directory contains Apple .lproj directories"), int(ModelKind::Apple));
}

void MainWindow::onActionImportQtTSFilesDirectoryTriggered()
{
    chooseDirectoryAndImport(tr("Find directory contains Qt .ts files"), int(ModelKind::Qt));
}

void MainWindow::onActionImportGNUPOFilesDirectoryTriggered()
{
    chooseDirectoryAndImport(tr("Find directory contains GNU .po files"), int(ModelKind::Gnu));
}

void MainWindow::onActionImportCommonJSONFilesDirectoryTriggered()
{
    chooseDirectoryAndImport(
        tr("Find directory contains common .json files"), int(ModelKind::CommonJSON));
}

void MainWindow::chooseDirectoryAndImport(const QString &caption, int kind)
{
    const QString directory = FileDialog::getExistingDirectory(
        this, caption, Settings().uiState(QStringLiteral("lastDirectory")).toString());
    if (directory.isEmpty() || !QFileInfo(directory).isDir())
        return;
    Settings().setUiState(QStringLiteral("lastDirectory"), directory);
    importTranslationDirectory(kind, directory);
}

bool MainWindow::importTranslationDirectory(int kind, const QString &directory)
{
    if (!QFileInfo(directory).isDir()) {
        reportNotOpened(tr("%1 does not exist.").arg(QDir::toNativeSeparators(directory)));
        return false;
    }
    TranslationModel *model = TranslationModel::create(ModelKind(kind), this);
    if (!model) {
        qCWarning(lcFiles) << "No model for the kind" << kind << "of" << directory;
        return false;
    }
    if (!installIfRead(model, model->importFromDirectory(directory), directory))
        return false;
    Settings().addDirectoryHistory(directory, kind);
    rebuildRecentMenu();
    return true;
}

bool MainWindow::installIfRead(TranslationModel *model, bool read, const QString &source)
{
    // A set without a single message (a wrong folder, files named without a language,
    // broken or binary files) would only replace the current set, and its unexported edits,
    // by an empty table.
    const QString shown = QDir::toNativeSeparators(source);
    const QList<FileError> errors = model->errors();
    if (read && model->rowCount() > 0) {
        if (!settleUnexportedChanges()) {
            delete model;
            return false;
        }
        // Opening stops a translation run; the status bar tells both.
        const bool stopsTranslation = translating;
        installTranslationModel(model);
        reportOpened(stopsTranslation ? statusBar()->currentMessage() : QString());
        if (!errors.isEmpty())
            MessageBox::warning(this, tr("Warning"),
                withProblems(
                    tr("Some files of %1 could not be read completely.").arg(shown), errors));
        return true;
    }
    delete model;
    reportNotOpened(withProblems(
        read ? tr("No translations found in %1.").arg(shown) : tr("Could not read %1.").arg(shown),
        errors));
    return false;
}

void MainWindow::reportNotOpened(const QString &message)
{
    qCWarning(lcFiles).noquote() << message << "The current set stays.";
    MessageBox::warning(this, tr("Warning"), message);
}

void MainWindow::commitOpenEditor()
{
    ui->detailPane->commit();
    QWidget *editor = ui->targetTableView->indexWidget(ui->targetTableView->currentIndex());
    QAbstractItemDelegate *delegate = ui->targetTableView->itemDelegate();
    if (!editor || !delegate)
        return;
    emit delegate->commitData(editor);
    // Left open, the editor would write its text back over what the command does next.
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void MainWindow::onActionExportToDirectoryTriggered()
{
    exportSet(true);
}

bool MainWindow::exportSet(bool announceSuccess)
{
    if (!translationModel)
        return false;
    commitOpenEditor();
    const QString directory = translationModel->nativeDirectory();
    if (!translationModel->exportToDirectory()) {
        MessageBox::warning(this, tr("Warning"),
            withProblems(tr("Exporting to %1 failed").arg(directory), translationModel->errors()));
        return false;
    }
    translationModel->setUnmodified();
    // What the written files leave for review is told even when the success is not.
    if (announceSuccess || !translationModel->errors().isEmpty())
        MessageBox::information(this, tr("Notice"),
            withProblems(
                tr("Exported to %1 successfully").arg(directory), translationModel->errors()));
    return true;
}

bool MainWindow::saveColumnToFile(int column)
{
    if (!translationModel)
        return false;
    const QString path = translationModel->columnFilePath(column);
    if (path.isEmpty())
        return false;
    commitOpenEditor();
    if (translationModel->saveColumn(column)) {
        MessageBox::information(this, tr("Success"),
            withProblems(
                tr("Saving to file %1 successfully.").arg(path), translationModel->errors()));
        return true;
    }
    MessageBox::warning(this, tr("Warning"),
        withProblems(tr("Failed to save to file %1.").arg(path), translationModel->errors()));
    return false;
}

void MainWindow::onActionClearHistoryTriggered()
{
    Settings().clearHistory();
    clearRecentMenu();
}

void MainWindow::rebuildRecentMenu()
{
    clearRecentMenu();
    Settings settings;
    const QList<DirectoryHistoryEntry> directories = settings.directoryHistory();
    const QStringList files = settings.filesHistory();
    QMenu *menu = ui->menuRecentOpened;

    menu->addSeparator();
    for (int i = 0; i < directories.size(); ++i) {
        const DirectoryHistoryEntry entry = directories.at(i);
        QAction *action =
            menu->addAction(QIcon(iconForKind(entry.type)), historyText(i + 1, entry.directory));
        action->setData(entry.type);
        connect(action, &QAction::triggered, this,
            [this, entry] { importTranslationDirectory(entry.type, entry.directory); });
    }
    menu->addSeparator();
    for (int i = 0; i < files.size(); ++i) {
        const QString file = files.at(i);
        QAction *action = menu->addAction(historyText(i + 1, file));
        connect(
            action, &QAction::triggered, this, [this, file] { openTranslationFiles({ file }); });
    }
}

void MainWindow::clearRecentMenu()
{
    QMenu *menu = ui->menuRecentOpened;
    const QList<QAction *> actions = menu->actions();
    for (QAction *action : actions) {
        if (action == ui->actionClearHistory)
            continue;
        menu->removeAction(action);
        // A history entry rebuilds the menu from inside its own triggered signal, so the
        // actions may only go once that signal has returned.
        if (action->parent() == menu)
            action->deleteLater();
    }
}
