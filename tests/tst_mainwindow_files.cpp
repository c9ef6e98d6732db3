#include "app/mainwindow.h"
#include "model/translationmodel.h"
#include "settings/settings.h"
#include "support/testsupport.h"
#include "views/filedialog.h"
#include "views/messagebox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Opening, importing, exporting, the Recent Opened history and what becomes of unexported
// changes, driven through the window's own commands with real files in a temporary folder.
class tst_MainWindowFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyFormat_data();
    void everyFormat();
    void failedOpenKeepsTheSet_data();
    void failedOpenKeepsTheSet();
    void recentOpenedMenu();
    void writeBack_data();
    void writeBack();
    void exportFromOpenEditor();
    void unexportedChanges_data();
    void unexportedChanges();
    void detailPane_data();
    void detailPane();

private:
    QString path(const QString &name) const { return workspace->filePath(name); }
    // Copies a sample of the test data into the workspace, as `target` if given.
    QString copyData(const QString &name, const QString &target = QString());
    QAction *action(const char *name) const { return window->findChild<QAction *>(name); }
    QStringList recentMenu() const;
    TranslationModel *model() const { return window->currentTranslationModel(); }
    // The cell of "Open %1" in the language's column.
    QModelIndex cell(const QString &language) const;
    void importWorkspace();

    QTemporaryDir settingsHome;
    std::unique_ptr<QTemporaryDir> workspace;
    std::unique_ptr<MainWindow> window;
};

namespace {

const QString german = QStringLiteral("%1 \u00f6ffnen");

// "Title: text" of each message box, without the reasons that follow a blank line.
QStringList shownBoxes()
{
    QStringList boxes;
    for (const MessageBox::Shown &box : MessageBox::shown())
        boxes << box.title + ": " + box.text.section("\n\n", 0, 0);
    return boxes;
}

} // namespace

void tst_MainWindowFiles::initTestCase()
{
    QVERIFY(settingsHome.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsHome.path());
    MessageBox::setTestMode(true);
    FileDialog::setTestMode(true);
}

void tst_MainWindowFiles::init()
{
    Settings settings;
    QVERIFY(settings.fileName().startsWith(settingsHome.path()));
    settings.clear();
    settings.sync();
    MessageBox::clear();
    FileDialog::clear();
    workspace = std::make_unique<QTemporaryDir>();
    QVERIFY(workspace->isValid());
    copyData(QStringLiteral("app_de.ts"));
    copyData(QStringLiteral("app_fr.ts"));
    window = std::make_unique<MainWindow>();
}

void tst_MainWindowFiles::cleanup()
{
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    workspace.reset();
}

QString tst_MainWindowFiles::copyData(const QString &name, const QString &target)
{
    const QString file = path(target.isEmpty() ? name : target);
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (!QFile::copy(TestSupport::dataPath("opening/" + name), file))
        qWarning() << "cannot copy" << name;
    return file;
}

QStringList tst_MainWindowFiles::recentMenu() const
{
    QStringList shape;
    for (const QAction *entry : window->findChild<QMenu *>("menuRecentOpened")->actions())
        shape.append(entry->isSeparator() ? QStringLiteral("----") : entry->text());
    return shape;
}

QModelIndex tst_MainWindowFiles::cell(const QString &language) const
{
    for (int row = 0; row < model()->rowCount(); ++row) {
        const QModelIndex index = model()->indexForLanguage(row, language);
        if (model()->messageId(index) == QLatin1String("Open %1"))
            return index;
    }
    return {};
}

void tst_MainWindowFiles::importWorkspace()
{
    FileDialog::setNextDirectory(workspace->path());
    action("actionImportQtTSFilesDirectory")->trigger();
    QVERIFY(model());
    QCOMPARE(model()->projectDirectory(), workspace->path());
}

void tst_MainWindowFiles::everyFormat_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("pattern"); // a file of the samples, %1 for its language

    // The row name is the model class's, less "TranslationModel".
    // clang-format off
    QTest::newRow("Apple")      << "actionImportApplei18nRootDirectory"   << 1
                                << "apple/%1.lproj/Localizable.strings";
    QTest::newRow("Qt")         << "actionImportQtTSFilesDirectory"       << 2 << "app_%1.ts";
    QTest::newRow("Gnu")        << "actionImportGNUPOFilesDirectory"      << 3 << "po/%1.po";
    QTest::newRow("CommonJSON") << "actionImportCommonJSONFilesDirectory" << 4
                                << "json/%1/common.json";
    // clang-format on
}

void tst_MainWindowFiles::everyFormat()
{
    QFETCH(QString, command);
    QFETCH(int, kind);
    QFETCH(QString, pattern);

    const QStringList copies { copyData(pattern.arg("de")), copyData(pattern.arg("fr")) };
    const QString modelClass = QTest::currentDataTag() + QStringLiteral("TranslationModel");
    FileDialog::setNextDirectory(
        pattern.contains('/') ? path(pattern.section('/', 0, 0)) : workspace->path());
    action(qPrintable(command))->trigger();
    QVERIFY(model());
    QCOMPARE(QString::fromLatin1(model()->metaObject()->className()), modelClass);
    QCOMPARE(model()->columnCount(), 2);
    QAction *entry = window->findChild<QMenu *>("menuRecentOpened")->actions().at(2);
    QCOMPARE(entry->data().toInt(), kind);
    QVERIFY(!entry->icon().isNull());

    // Dropped on the window, the folder is imported as its kind's command does.
    const TranslationModel *imported = model();
    QMimeData dropped;
    dropped.setUrls({ QUrl::fromLocalFile(Settings().directoryHistory().first().directory) });
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    QVERIFY(model() != imported);
    QCOMPARE(QString::fromLatin1(model()->metaObject()->className()), modelClass);

    FileDialog::setNextFileNames(copies);
    action("actionOpenTranslationFiles")->trigger();
    // The open dialog starts in the folder the import chose.
    QCOMPARE(FileDialog::lastStartDirectory(), Settings().directoryHistory().first().directory);
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(QString::fromLatin1(model()->metaObject()->className()), modelClass);
    QCOMPARE(model()->columnCount(), 2);
    QCOMPARE(Settings().filesHistory(), copies);
}

void tst_MainWindowFiles::failedOpenKeepsTheSet_data()
{
    QTest::addColumn<QString>("how"); // "open" or "import" through the dialogs, or "history"
    // What the dialog gives, in the workspace; each pair mixes types.
    QTest::addColumn<QString>("names");
    QTest::addColumn<bool>("create");
    QTest::addColumn<QString>("message"); // the warning's first line, with %1 for the file

    const QString gone = "%1 does not exist.";
    const QString empty = "No translations found in %1.";
    // clang-format off
    QTest::newRow("ts and po")       << "open"    << "app_de.ts app_de.po"    << true  << "";
    QTest::newRow("with xcstrings")  << "open"    << "de.strings L.xcstrings" << true  << "";
    QTest::newRow("ts and TS")       << "open"    << "app_de.ts app_fr.TS"    << true  << "";
    QTest::newRow("X.TS: no model")  << "open"    << "X.TS"                   << true  << "";
    QTest::newRow("open cancelled")  << "open"    << ""                       << false << "";
    QTest::newRow("missing file")    << "open"    << "gone_de.ts"             << false << gone;
    QTest::newRow("no language")     << "open"    << "app.ts"                 << true  << empty;
    QTest::newRow("no translations") << "import"  << "empty"                  << true  << empty;
    QTest::newRow("gone directory")  << "history" << "gone"                   << false << gone;
    // clang-format on
}

void tst_MainWindowFiles::failedOpenKeepsTheSet()
{
    QFETCH(QString, how);
    QFETCH(QString, names);
    QFETCH(bool, create);
    QFETCH(QString, message);

    QStringList files;
    for (const QString &name : names.split(' ', Qt::SkipEmptyParts)) {
        files.append(path(name));
        if (create && how == "open" && !QFile::exists(files.last()))
            QVERIFY(QFile::copy(path("app_de.ts"), files.last()));
        else if (create && how != "open")
            QVERIFY(QDir().mkdir(files.last()));
    }
    QVERIFY(window->openTranslationFiles({ path("app_de.ts") }));
    TranslationModel *before = model();
    QVERIFY(model()->setData(model()->index(0, 0), german));
    const QStringList menu = recentMenu();

    if (how == "open") {
        FileDialog::setNextFileNames(files);
        action("actionOpenTranslationFiles")->trigger();
    } else if (how == "import") {
        FileDialog::setNextDirectory(files.value(0));
        action("actionImportQtTSFilesDirectory")->trigger();
    } else {
        QVERIFY(!window->importTranslationDirectory(2, files.first()));
    }
    const QString refused = "Warning: " + message.arg(QDir::toNativeSeparators(files.value(0)));
    QCOMPARE(shownBoxes(),
        files.size() > 1        ? QStringList { "Warning: All files must have the same type." }
            : message.isEmpty() ? QStringList()
                                : QStringList { refused });
    QCOMPARE(model(), before);
    QCOMPARE(model()->cellText(model()->index(0, 0)), german);
    QCOMPARE(Settings().filesHistory(), QStringList({ path("app_de.ts") }));
    QVERIFY(Settings().directoryHistory().isEmpty());
    QCOMPARE(recentMenu(), menu);
}

void tst_MainWindowFiles::recentOpenedMenu()
{
    // Separators frame the two sections even while both are empty.
    const QStringList emptyMenu { "Clear history", "----", "----" };
    QCOMPARE(recentMenu(), emptyMenu);

    // Two files open in the order given, above the older entry.
    const QString de = path("app_de.ts");
    const QString fr = path("app_fr.ts");
    Settings().addFilesHistory({ path("older.ts") });
    FileDialog::setNextFileNames({ de, fr });
    action("actionOpenTranslationFiles")->trigger();
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(Settings().filesHistory(), QStringList({ de, fr, path("older.ts") }));
    const QStringList files { "----", "1. " + de, "2. " + fr, "3. " + path("older.ts") };
    QCOMPARE(recentMenu(), QStringList({ "Clear history", "----" }) + files);

    // Importing a folder twice keeps one entry and deletes the replaced set. A path with "&"
    // reads as typed, not as a shortcut mark.
    const QString first = workspace->path();
    const QString second = path("R&D");
    const QString secondText = QString(second).replace("&", "&&");
    copyData(QStringLiteral("app_de.ts"), QStringLiteral("R&D/app_de.ts"));
    importWorkspace();
    QPointer<TranslationModel> replaced(model());
    importWorkspace();
    QVERIFY(replaced.isNull());
    QVERIFY(window->importTranslationDirectory(2, second));
    QCOMPARE(recentMenu(),
        QStringList({ "Clear history", "----", "1. " + secondText, "2. " + first }) + files);

    // An entry re-imports and moves to the top.
    window->findChild<QMenu *>("menuRecentOpened")->actions().at(3)->trigger();
    QCOMPARE(model()->projectDirectory(), first);
    QCOMPARE(model()->columnCount(), 2);
    QCOMPARE(recentMenu(),
        QStringList({ "Clear history", "----", "1. " + first, "2. " + secondText }) + files);

    // A file entry opens alone and moves to the top.
    window->findChild<QMenu *>("menuRecentOpened")->actions().at(6)->trigger();
    QCOMPARE(model()->columnList().last(), QStringLiteral("fr"));
    QCOMPARE(model()->columnCount(), 1);
    QCOMPARE(Settings().filesHistory(), QStringList({ fr, de, path("older.ts") }));

    // Clearing leaves "Clear history" alone and the set open; the next open brings the
    // separators back.
    const TranslationModel *before = model();
    action("actionClearHistory")->trigger();
    QCOMPARE(recentMenu(), QStringList({ "Clear history" }));
    QVERIFY(Settings().filesHistory().isEmpty());
    QCOMPARE(model(), before);
    QVERIFY(window->openTranslationFiles({ de }));
    QCOMPARE(recentMenu(), emptyMenu + QStringList("1. " + de));

    // A new window shows the history that was written before it.
    Settings().addDirectoryHistory(QStringLiteral("/elsewhere"), 9);
    MainWindow other;
    QAction *entry = other.findChild<QMenu *>(QStringLiteral("menuRecentOpened"))->actions().at(2);
    QCOMPARE(entry->text(), QStringLiteral("1. /elsewhere"));
}

void tst_MainWindowFiles::writeBack_data()
{
    QTest::addColumn<bool>("exportAll"); // or save the German column
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("box"); // %1: the folder or the file
    // A folder in place of the file cannot be written, not even by root.
    // clang-format off
    QTest::newRow("export")               << true  << ""                << "Notice: Exported to %1 successfully";
    QTest::newRow("export, no file")      << true  << "files removed"   << "Warning: Exporting to %1 failed";
    QTest::newRow("save writes its file") << false << ""                << "Success: Saving to file %1 successfully.";
    QTest::newRow("save, cannot write")   << false << "folder in place" << "Warning: Failed to save to file %1.";
    // clang-format on
}

void tst_MainWindowFiles::writeBack()
{
    QFETCH(bool, exportAll);
    QFETCH(QString, setup);
    QFETCH(QString, box);
    const QString french = QStringLiteral("Ouvrir %1 maintenant");
    importWorkspace();
    QVERIFY(model()->setData(cell("de"), german));
    QVERIFY(model()->setData(cell("fr"), french));
    if (setup == "files removed")
        QVERIFY(QFile::remove(path("app_de.ts")) && QFile::remove(path("app_fr.ts")));
    if (setup == "folder in place")
        QVERIFY(QFile::remove(path("app_de.ts")) && QDir().mkdir(path("app_de.ts")));
    const QByteArray frBefore = TestSupport::readAll(path("app_fr.ts"));

    const bool written = !box.startsWith("Warning");
    if (exportAll)
        action("actionExportToDirectory")->trigger();
    else
        QCOMPARE(window->saveColumnToFile(cell("de").column()), written);
    const QString target = exportAll ? workspace->path() : path("app_de.ts");
    QCOMPARE(shownBoxes(), QStringList { box.arg(QDir::toNativeSeparators(target)) });
    // A failure names the file and its reason below the message.
    QVERIFY(written || MessageBox::shown().first().text.contains("\n\n" + target));
    // Saving a column writes that language's file only.
    const QByteArray fr = TestSupport::readAll(path("app_fr.ts"));
    QVERIFY(written && exportAll ? fr.contains(french.toUtf8()) : fr == frBefore);
    QCOMPARE(TestSupport::readAll(path("app_de.ts")).contains(german.toUtf8()), written);
    // Only an export writes every change: the title's mark goes, and quitting does not ask.
    QCOMPARE(window->isWindowModified(), !written || !exportAll);
}

void tst_MainWindowFiles::exportFromOpenEditor()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    importWorkspace();
    auto *view = window->findChild<QTableView *>(QStringLiteral("targetTableView"));
    const QModelIndex index = view->model()->index(cell("de").row(), cell("de").column());
    view->setCurrentIndex(index);
    view->edit(index);
    auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(index));
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("%1 "));
    editor->insert(QStringLiteral("\u00f6"));
    QTest::keyClicks(editor, QStringLiteral("ffnen & \"mehr\""));
    // Ctrl+E reaches the export from the open editor, and the export commits it first.
    QTRY_VERIFY(action("actionExportToDirectory")->isEnabled());
    QTest::keyClick(editor, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(shownBoxes().value(0).startsWith("Notice: "));

    // What the ecosystem's own tools read back from the written file.
    const QString po = path("check.po");
    QString output;
    QCOMPARE(TestSupport::run(
                 PARLONEX_LCONVERT, { "-i", path("app_de.ts"), "-of", "po", "-o", po }, &output),
        0);
    const QString converted = QString::fromUtf8(TestSupport::readAll(po));
    QVERIFY2(converted.contains("msgid \"Open %1\"\nmsgstr \"%1 \u00f6ffnen & \\\"mehr\\\"\""),
        qPrintable(converted));
}

void tst_MainWindowFiles::unexportedChanges_data()
{
    QTest::addColumn<bool>("quit"); // or open another set
    QTest::addColumn<QString>("state"); // of the set: edited, undone, unchanged, unwritable, none
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question"); // the title of the question asked
    QTest::addColumn<bool>("proceeds"); // the other set opened, the window closed
    QTest::addColumn<bool>("exported");

    const int exportIt = QMessageBox::Save;
    const int discard = QMessageBox::Discard;
    const int cancel = QMessageBox::Cancel;
    const QString unexported = QStringLiteral("Unexported Changes");
    // clang-format off
    QTest::newRow("open, export")       << false << "edited"     << exportIt << unexported << true  << true;
    QTest::newRow("open, discard")      << false << "edited"     << discard  << unexported << true  << false;
    QTest::newRow("open, cancel")       << false << "edited"     << cancel   << unexported << false << false;
    QTest::newRow("quit, export")       << true  << "edited"     << exportIt << unexported << true  << true;
    QTest::newRow("quit, discard")      << true  << "edited"     << discard  << unexported << true  << false;
    QTest::newRow("quit, cancel")       << true  << "edited"     << cancel   << unexported << false << false;
    QTest::newRow("quit, export fails") << true  << "unwritable" << exportIt << unexported << false << false;
    QTest::newRow("open, edit undone")  << false << "undone"     << 0        << QString()  << true  << false;
    QTest::newRow("quit, edit undone")  << true  << "undone"     << int(QMessageBox::Yes) << "Confirm" << true << false;
    QTest::newRow("quit, no changes")   << true  << "unchanged"  << int(QMessageBox::No)  << "Confirm" << false << false;
    QTest::newRow("quit, no set")       << true  << "none"       << 0        << QString()  << true  << false;
    // clang-format on
}

void tst_MainWindowFiles::unexportedChanges()
{
    QFETCH(bool, quit);
    QFETCH(QString, state);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(bool, proceeds);
    QFETCH(bool, exported);
    if (state != "none")
        importWorkspace();
    if (state == "edited" || state == "undone" || state == "unwritable") {
        QVERIFY(model()->setData(cell("de"), german));
        // The title names the set's folder and marks the unexported change.
        QCOMPARE(window->windowTitle(),
            QDir(workspace->path()).dirName() + QStringLiteral("[*] - Parlonex v2025.07"));
        QVERIFY(window->isWindowModified());
    }
    if (state == "undone")
        action("actionUndo")->trigger();
    if (state == "unwritable")
        QVERIFY(QFile::remove(path("app_de.ts")) && QFile::remove(path("app_fr.ts")));
    const TranslationModel *before = model();
    window->setGeometry(window->geometry().adjusted(10, 20, -30, -40));
    MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));
    if (quit) {
        QCOMPARE(window->close(), proceeds);
        // The next window comes back where this one was closed.
        QCOMPARE(MainWindow().geometry() == window->geometry(), proceeds);
    } else {
        QCOMPARE(window->openTranslationFiles({ path("app_fr.ts") }), proceeds);
        QCOMPARE(model() != before, proceeds);
    }
    QCOMPARE(MessageBox::shown().value(0).title, question);
    QCOMPARE(TestSupport::readAll(path("app_de.ts")).contains(german.toUtf8()), exported);
}

void tst_MainWindowFiles::detailPane_data()
{
    QTest::addColumn<QString>("file"); // its first message has notes
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("notes");
    QTest::newRow("TS") << "app_de.ts"
                        << "&File"
                        << "&Datei"
                        << "Context: menu\nComment: The first menu of the window\n"
                           "Translator comment: kurz!";
    QTest::newRow("PO") << "po/de.po"
                        << "Open %s"
                        << "%s \u00f6ffnen"
                        << "Context: verb\nComment: Opens a file\nTranslator comment: kurz!";
}

void tst_MainWindowFiles::detailPane()
{
    QFETCH(QString, file);
    QFETCH(QString, id);
    QFETCH(QString, text);
    QFETCH(QString, notes);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QVERIFY(window->openTranslationFiles({ copyData(file) }));
    // The first cell is current when a set is opened; the group comes first.
    QCOMPARE(window->findChild<QLabel *>("detailMessageId")->text(), id);
    QCOMPARE(window->findChild<QLabel *>("detailNotes")->text().section('\n', 1), notes);

    // A text of two lines (with a no-break space) goes into the cell as typed.
    const QString typed = QStringLiteral("Datei\n\u00f6ffnen\u00a0…");
    auto *editor = window->findChild<QPlainTextEdit *>("detailEditor");
    QCOMPARE(editor->toPlainText(), text);
    editor->setFocus();
    editor->selectAll();
    editor->insertPlainText(typed);
    window->findChild<QTableView *>("targetTableView")->setFocus();
    QTRY_COMPARE(model()->cellText(model()->index(0, 0)), typed);
    QCOMPARE(action("actionUndo")->text(), QStringLiteral("&Undo Edit Cell"));
}

QTEST_MAIN(tst_MainWindowFiles)
#include "tst_mainwindow_files.moc"
