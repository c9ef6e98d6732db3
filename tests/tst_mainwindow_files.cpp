#include "app/mainwindow.h"
#include "model/rowfilter.h"
#include "model/translationmodel.h"
#include "settings/settings.h"
#include "support/testsupport.h"
#include "views/filedialog.h"
#include "views/messagebox.h"

#include <QAction>
#include <QDir>
#include <QFile>
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

// Opening, importing, exporting and the Recent Opened history, driven through the window's
// own commands with real TS files in a temporary folder.
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
    void editImportExportEndToEnd_data();
    void editImportExportEndToEnd();
    void unexportedChanges_data();
    void unexportedChanges();
    void detailPane_data();
    void detailPane();

private:
    QString path(const QString &name) const { return workspace->filePath(name); }
    // Copies a sample from the test data into the workspace, as `target` if given.
    QString copyData(const QString &name, const QString &target = QString());
    QAction *action(const char *name) const
    {
        return window->findChild<QAction *>(QLatin1String(name));
    }
    QMenu *recentMenu() const
    {
        return window->findChild<QMenu *>(QStringLiteral("menuRecentOpened"));
    }
    QStringList menuShape() const;
    TranslationModel *model() const { return window->currentTranslationModel(); }
    QModelIndex cell(const QString &language) const;
    void importWorkspace();

    QTemporaryDir settingsHome;
    std::unique_ptr<QTemporaryDir> workspace;
    std::unique_ptr<MainWindow> window;
};

using Boxes = QList<QStringList>;

namespace {

const QStringList emptyMenu { "Clear history", "----", "----" };
const QString german = QStringLiteral("%1 \u00f6ffnen");

Boxes shownBoxes()
{
    Boxes boxes;
    for (const MessageBox::Shown &box : MessageBox::shown())
        boxes.append({ box.icon == QMessageBox::Warning ? QStringLiteral("warning")
                : box.icon == QMessageBox::Information  ? QStringLiteral("information")
                                                        : QStringLiteral("other"),
            box.title, box.text });
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
    const QByteArray content = TestSupport::readAll(TestSupport::dataPath("opening/" + name));
    if (content.isEmpty() || !TestSupport::writeFile(file, content))
        qWarning() << "cannot copy" << name;
    return file;
}

QStringList tst_MainWindowFiles::menuShape() const
{
    QStringList shape;
    const QList<QAction *> actions = recentMenu()->actions();
    for (const QAction *entry : actions)
        shape.append(entry->isSeparator() ? QStringLiteral("----") : entry->text());
    return shape;
}

// The cell of "Open %1" in the language's column.
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
    QAction *entry = recentMenu()->actions().at(2);
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
    QTest::newRow("ts and po")        << "open"    << "app_de.ts app_de.po"    << true  << "";
    QTest::newRow("with xcstrings")   << "open"    << "de.strings L.xcstrings" << true  << "";
    QTest::newRow("ts and TS")        << "open"    << "app_de.ts app_fr.TS"    << true  << "";
    QTest::newRow("X.TS: no model")   << "open"    << "X.TS"                   << true  << "";
    QTest::newRow("no suffix")        << "open"    << "README"                 << true  << "";
    QTest::newRow("open cancelled")   << "open"    << ""                       << false << "";
    QTest::newRow("missing file")     << "open"    << "gone_de.ts"             << false << gone;
    QTest::newRow("no language")      << "open"    << "app.ts"                 << true  << empty;
    QTest::newRow("import cancelled") << "import"  << ""                       << false << "";
    QTest::newRow("no such folder")   << "import"  << "nowhere"                << false << "";
    QTest::newRow("file as folder")   << "import"  << "app_de.ts"              << false << "";
    QTest::newRow("no translations")  << "import"  << "empty"                  << true  << empty;
    QTest::newRow("gone directory")   << "history" << "gone"                   << false << gone;
    QTest::newRow("binary file")      << "open"    << "binary_de.ts"           << true  << empty;
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
        if (name.startsWith("binary"))
            QVERIFY(TestSupport::writeFile(files.last(), QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)));
        else if (create && how == "open" && !QFile::exists(files.last()))
            QVERIFY(QFile::copy(path("app_de.ts"), files.last()));
        else if (create && how != "open")
            QVERIFY(QDir().mkdir(files.last()));
    }
    QVERIFY(window->openTranslationFiles({ path("app_de.ts") }));
    TranslationModel *before = model();
    QVERIFY(model()->setData(model()->index(0, 0), german));
    const QStringList menu = menuShape();

    if (how == "open") {
        FileDialog::setNextFileNames(files);
        action("actionOpenTranslationFiles")->trigger();
    } else if (how == "import") {
        FileDialog::setNextDirectory(files.value(0));
        action("actionImportQtTSFilesDirectory")->trigger();
    } else {
        QVERIFY(!window->importTranslationDirectory(2, files.first()));
    }
    const Boxes mixed { { "warning", "Warning", "All files must have the same type." } };
    const Boxes refused { { "warning", "Warning",
        message.arg(QDir::toNativeSeparators(files.value(0))) } };
    Boxes shown = shownBoxes();
    for (QStringList &box : shown)
        box[2] = box[2].section("\n\n", 0, 0); // the reasons follow
    QCOMPARE(shown, files.size() > 1 ? mixed : message.isEmpty() ? Boxes() : refused);
    QCOMPARE(model(), before);
    QCOMPARE(model()->cellText(model()->index(0, 0)), german);
    QCOMPARE(Settings().filesHistory(), QStringList({ path("app_de.ts") }));
    QVERIFY(Settings().directoryHistory().isEmpty());
    QCOMPARE(menuShape(), menu);
}

void tst_MainWindowFiles::recentOpenedMenu()
{
    // Separators frame the two sections even while both are empty.
    QCOMPARE(menuShape(), emptyMenu);

    // Two files open in the order given, above the older entry.
    const QString de = path("app_de.ts");
    const QString fr = path("app_fr.ts");
    Settings().addFilesHistory({ path("older.ts") });
    FileDialog::setNextFileNames({ de, fr });
    action("actionOpenTranslationFiles")->trigger();
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(model()->rowCount(), 4);
    QCOMPARE(window->rowFilter->model(), model());
    QCOMPARE(Settings().filesHistory(), QStringList({ de, fr, path("older.ts") }));
    const QStringList files { "----", "1. " + de, "2. " + fr, "3. " + path("older.ts") };
    QCOMPARE(menuShape(), QStringList({ "Clear history", "----" }) + files);

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
    QCOMPARE(menuShape(),
        QStringList({ "Clear history", "----", "1. " + secondText, "2. " + first }) + files);
    const QList<QAction *> actions = recentMenu()->actions();
    QCOMPARE(actions.at(2)->iconText(), "1. " + second);
    QVERIFY(actions.at(5)->icon().isNull());

    // An entry re-imports and moves to the top.
    actions.at(3)->trigger();
    QCOMPARE(model()->projectDirectory(), first);
    QCOMPARE(model()->columnCount(), 2);
    QCOMPARE(menuShape(),
        QStringList({ "Clear history", "----", "1. " + first, "2. " + secondText }) + files);

    // The removed actions go once their signal has returned; nothing else is left behind.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<QAction *> children =
        recentMenu()->findChildren<QAction *>(Qt::FindDirectChildrenOnly);
    for (QAction *child : children)
        QVERIFY(child == recentMenu()->menuAction() || recentMenu()->actions().contains(child));

    // A file entry opens alone and moves to the top.
    recentMenu()->actions().at(6)->trigger();
    QCOMPARE(model()->columnList().last(), QStringLiteral("fr"));
    QCOMPARE(model()->columnCount(), 1);
    QCOMPARE(Settings().filesHistory(), QStringList({ fr, de, path("older.ts") }));

    // An entry whose directory has gone changes nothing and stays.
    QVERIFY(QDir(second).removeRecursively());
    TranslationModel *before = model();
    recentMenu()->actions().at(3)->trigger();
    QCOMPARE(model(), before);
    QCOMPARE(Settings().directoryHistory().size(), 2);

    // Clearing leaves "Clear history" alone and the set open; the next open brings the
    // separators back.
    action("actionClearHistory")->trigger();
    QCOMPARE(menuShape(), QStringList({ "Clear history" }));
    QVERIFY(Settings().filesHistory().isEmpty());
    QCOMPARE(model(), before);
    QVERIFY(window->openTranslationFiles({ de }));
    QCOMPARE(menuShape(), emptyMenu + QStringList("1. " + de));

    // A new window shows the history that was written before it.
    Settings().addDirectoryHistory(QStringLiteral("/elsewhere"), 9);
    MainWindow other;
    QAction *entry = other.findChild<QMenu *>(QStringLiteral("menuRecentOpened"))->actions().at(2);
    QCOMPARE(entry->text(), QStringLiteral("1. /elsewhere"));
    QCOMPARE(entry->data().toInt(), 9);
}

void tst_MainWindowFiles::writeBack_data()
{
    QTest::addColumn<bool>("exportAll"); // or save one column
    QTest::addColumn<int>("column"); // -9: the German column
    QTest::addColumn<QString>("setup"); // "no set", "files removed", "folder in place"
    QTest::addColumn<QStringList>("box"); // empty: none

    const QStringList exported { "information", "Notice", "Exported to %1 successfully" };
    const QStringList notExported { "warning", "Warning", "Exporting to %1 failed" };
    const QStringList saved { "information", "Success", "Saving to file %1 successfully." };
    const QStringList notSaved { "warning", "Warning", "Failed to save to file %1." };
    // A folder in place of the file cannot be written, not even by root.
    // clang-format off
    QTest::newRow("export")                 << true  << -9 << ""                << exported;
    QTest::newRow("export, no file")        << true  << -9 << "files removed"   << notExported;
    QTest::newRow("save writes its file")   << false << -9 << ""                << saved;
    QTest::newRow("save, cannot write")     << false << -9 << "folder in place" << notSaved;
    QTest::newRow("save, no set open")      << false <<  0 << "no set"          << QStringList();
    QTest::newRow("save, negative column")  << false << -1 << ""                << QStringList();
    QTest::newRow("save, past the end")     << false <<  2 << ""                << QStringList();
    // clang-format on
}

void tst_MainWindowFiles::writeBack()
{
    QFETCH(bool, exportAll);
    QFETCH(int, column);
    QFETCH(QString, setup);
    QFETCH(QStringList, box);

    const QString french = QStringLiteral("Ouvrir %1 maintenant");
    if (setup != "no set") {
        importWorkspace();
        QVERIFY(model()->setData(cell("de"), german));
        QVERIFY(model()->setData(cell("fr"), french));
    }
    if (column == -9)
        column = cell("de").column();
    if (setup == "files removed")
        QVERIFY(QFile::remove(path("app_de.ts")) && QFile::remove(path("app_fr.ts")));
    if (setup == "folder in place")
        QVERIFY(QFile::remove(path("app_de.ts")) && QDir().mkdir(path("app_de.ts")));
    const QByteArray deBefore = TestSupport::readAll(path("app_de.ts"));
    const QByteArray frBefore = TestSupport::readAll(path("app_fr.ts"));

    const bool written = box.value(0) == "information";
    if (exportAll)
        action("actionExportToDirectory")->trigger();
    else
        QCOMPARE(window->saveColumnToFile(column), written);
    if (!box.isEmpty())
        box[2] =
            box[2].arg(exportAll ? QDir::toNativeSeparators(workspace->path()) : path("app_de.ts"));
    Boxes shown = shownBoxes();
    // A failure names the file and its reason below the message.
    if (!written && !shown.isEmpty()) {
        QVERIFY(shown[0][2].contains("\n\n" + (exportAll ? workspace->path() : path("app_de.ts"))));
        shown[0][2] = shown[0][2].section("\n\n", 0, 0);
    }
    QCOMPARE(shown, box.isEmpty() ? Boxes() : Boxes({ box }));

    const QByteArray de = TestSupport::readAll(path("app_de.ts"));
    const QByteArray fr = TestSupport::readAll(path("app_fr.ts"));
    // Saving a column writes that language's file only.
    if (written && exportAll)
        QVERIFY(fr.contains(french.toUtf8()));
    else
        QCOMPARE(fr, frBefore);
    if (written)
        QVERIFY(de.contains(german.toUtf8()));
    else if (setup == "folder in place")
        QVERIFY(QFileInfo(path("app_de.ts")).isDir());
    else
        QCOMPARE(de, deBefore);
}

void tst_MainWindowFiles::editImportExportEndToEnd_data()
{
    QTest::addColumn<bool>("pressReturn");

    QTest::newRow("editor closed with Return") << true;
    QTest::newRow("editor still open") << false;
}

void tst_MainWindowFiles::editImportExportEndToEnd()
{
    QFETCH(bool, pressReturn);

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
    if (pressReturn) {
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(model()->cellText(cell("de")), QStringLiteral("%1 \u00f6ffnen & \"mehr\""));
    }
    // An editor still open is committed by the export itself, which Ctrl+E reaches from it.
    QTRY_VERIFY(action("actionExportToDirectory")->isEnabled());
    if (pressReturn)
        action("actionExportToDirectory")->trigger();
    else
        QTest::keyClick(editor, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(shownBoxes().value(0).value(1), QStringLiteral("Notice"));

    // What the ecosystem's own tools read back from the written file.
    QString output;
    const QString po = path("check.po");
    QCOMPARE(TestSupport::run(
                 PARLONEX_LCONVERT, { "-i", path("app_de.ts"), "-of", "po", "-o", po }, &output),
        0);
    const QString converted = QString::fromUtf8(TestSupport::readAll(po));
    QVERIFY2(converted.contains("msgid \"Open %1\"\nmsgstr \"%1 \u00f6ffnen & \\\"mehr\\\"\""),
        qPrintable(converted));
    QVERIFY(converted.contains("msgid \"&File\"\nmsgstr \"&Datei\""));
    for (const char *language : { "de", "fr" }) {
        const QString qm = path(QStringLiteral("%1.qm").arg(language));
        QCOMPARE(TestSupport::run(PARLONEX_LRELEASE,
                     { path(QStringLiteral("app_%1.ts").arg(language)), "-qm", qm }, &output),
            0);
        QVERIFY2(QFileInfo(qm).size() > 0, qPrintable(output));
    }
}

void tst_MainWindowFiles::unexportedChanges_data()
{
    QTest::addColumn<QString>("how"); // "open", "quit"; "undone": the edit undone first
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question"); // the title of the question asked
    QTest::addColumn<bool>("proceeds"); // the other set opened, the window closed
    QTest::addColumn<bool>("exported");

    const int exportIt = QMessageBox::Save;
    const QString unexported = QStringLiteral("Unexported Changes");
    // clang-format off
    QTest::newRow("open, export")         << "open"        << exportIt                << unexported << true  << true;
    QTest::newRow("open, discard")        << "open"        << int(QMessageBox::Discard) << unexported << true  << false;
    QTest::newRow("open, cancel")         << "open"        << int(QMessageBox::Cancel)  << unexported << false << false;
    QTest::newRow("quit, export")         << "quit"        << exportIt                << unexported << true  << true;
    QTest::newRow("quit, discard")        << "quit"        << int(QMessageBox::Discard) << unexported << true  << false;
    QTest::newRow("quit, cancel")         << "quit"        << int(QMessageBox::Cancel)  << unexported << false << false;
    QTest::newRow("quit, export fails")   << "quit, fails" << exportIt                << unexported << false << false;
    QTest::newRow("open, edit undone")    << "open undone" << 0                       << QString()  << true  << false;
    QTest::newRow("quit, edit undone")    << "quit undone" << int(QMessageBox::Yes)   << "Confirm"  << true  << false;
    // clang-format on
}

void tst_MainWindowFiles::unexportedChanges()
{
    QFETCH(QString, how);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(bool, proceeds);
    QFETCH(bool, exported);
    importWorkspace();
    QVERIFY(model()->setData(cell("de"), german));
    // The title names the set's folder and marks the unexported change.
    QCOMPARE(window->windowTitle(),
        QDir(workspace->path()).dirName() + QStringLiteral("[*] - Parlonex v2025.07"));
    QVERIFY(window->isWindowModified());
    if (how.endsWith("undone"))
        action("actionUndo")->trigger();
    if (how.endsWith("fails"))
        QVERIFY(QFile::remove(path("app_de.ts")) && QFile::remove(path("app_fr.ts")));
    const TranslationModel *before = model();
    MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));
    if (how.startsWith("quit"))
        QCOMPARE(window->close(), proceeds);
    else
        QCOMPARE(window->openTranslationFiles({ path("app_fr.ts") }), proceeds);
    QCOMPARE(MessageBox::shown().value(0).title, question);
    if (how.startsWith("open"))
        QCOMPARE(model() != before, proceeds);
    QCOMPARE(TestSupport::readAll(path("app_de.ts")).contains(german.toUtf8()), exported);
}

void tst_MainWindowFiles::detailPane_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("notes");

    QTest::newRow("TS") << "app_de.ts"
                        << QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                      "<TS version=\"2.1\" language=\"de\"><context>"
                                      "<name>Menu</name><message><source>Open</source>"
                                      "<comment>verb</comment><extracomment>File menu entry"
                                      "</extracomment><translatorcomment>short!"
                                      "</translatorcomment><translation>Offnen</translation>"
                                      "</message></context></TS>\n")
                        << "Context: verb\nComment: File menu entry\nTranslator comment: short!";
    QTest::newRow("PO") << "de.po"
                        << QByteArray("msgid \"\"\nmsgstr \"Content-Type: text/plain; "
                                      "charset=UTF-8\\n\"\n\n# short!\n#. File menu entry\n"
                                      "msgctxt \"verb\"\nmsgid \"Open\"\nmsgstr \"Offnen\"\n")
                        << "Context: verb\nComment: File menu entry\nTranslator comment: short!";
}

void tst_MainWindowFiles::detailPane()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, notes);
    QVERIFY(TestSupport::writeFile(path(file), content));
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QVERIFY(window->openTranslationFiles({ path(file) }));
    // The first cell is current when a set is opened; the group comes first.
    QCOMPARE(window->findChild<QLabel *>("detailMessageId")->text(), QStringLiteral("Open"));
    QCOMPARE(window->findChild<QLabel *>("detailNotes")->text().section('\n', 1), notes);

    // A text of two lines (with a no-break space) goes into the cell as typed.
    const QString typed = QStringLiteral("Datei\n\u00f6ffnen\u00a0…");
    auto *editor = window->findChild<QPlainTextEdit *>("detailEditor");
    QCOMPARE(editor->toPlainText(), QStringLiteral("Offnen"));
    editor->setFocus();
    editor->selectAll();
    editor->insertPlainText(typed);
    window->findChild<QTableView *>("targetTableView")->setFocus();
    QTRY_COMPARE(model()->cellText(model()->index(0, 0)), typed);
    QCOMPARE(action("actionUndo")->text(), QStringLiteral("&Undo Edit Cell"));
}

QTEST_MAIN(tst_MainWindowFiles)
#include "tst_mainwindow_files.moc"
