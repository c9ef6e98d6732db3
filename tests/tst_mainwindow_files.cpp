#include "app/mainwindow.h"
#include "model/qttranslationmodel.h"
#include "model/translationmodel.h"
#include "settings/settings.h"
#include "support/testsupport.h"
#include "views/filedialog.h"
#include "views/messagebox.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
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

    void openTwoFiles();
    void everyFormat_data();
    void everyFormat();
    void openIsRefused_data();
    void openIsRefused();
    void importDialogGivesNoFolder_data();
    void importDialogGivesNoFolder();
    void failedOpenKeepsTheSet_data();
    void failedOpenKeepsTheSet();
    void importTwiceKeepsOneEntry();
    void recentMenuStructure();
    void directoryEntryReimportsAndMovesToTop();
    void fileEntryReopens();
    void pathWithAmpersandReadsAsTyped();
    void exportReportsTheDirectory_data();
    void exportReportsTheDirectory();
    void saveColumnWritesOnlyItsFile();
    void saveColumnWithoutFileDoesNothing_data();
    void saveColumnWithoutFileDoesNothing();
    void saveColumnFailure();
    void editImportExportEndToEnd_data();
    void editImportExportEndToEnd();

private:
    QString path(const QString &name) const { return workspace->filePath(name); }
    QString copyData(const QString &name, const QString &folder = QString());
    QAction *action(const char *name) const;
    QMenu *recentMenu() const;
    QStringList menuShape() const;
    TranslationModel *model() const { return window->currentTranslationModel(); }
    QModelIndex cell(const QString &source, const QString &language) const;
    void importWorkspace();

    QTemporaryDir settingsHome;
    std::unique_ptr<QTemporaryDir> workspace;
    std::unique_ptr<MainWindow> window;
};

using Boxes = QList<QStringList>;

namespace {

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

QString tst_MainWindowFiles::copyData(const QString &name, const QString &folder)
{
    const QString target = folder.isEmpty() ? path(name) : folder + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(target).absolutePath());
    const QByteArray content = TestSupport::readAll(TestSupport::dataPath("opening/" + name));
    if (content.isEmpty() || !TestSupport::writeFile(target, content))
        qWarning() << "cannot copy" << name;
    return target;
}

QAction *tst_MainWindowFiles::action(const char *name) const
{
    return window->findChild<QAction *>(QLatin1String(name));
}

QMenu *tst_MainWindowFiles::recentMenu() const
{
    return window->findChild<QMenu *>(QStringLiteral("menuRecentOpened"));
}

QStringList tst_MainWindowFiles::menuShape() const
{
    QStringList shape;
    const QList<QAction *> actions = recentMenu()->actions();
    for (const QAction *entry : actions)
        shape.append(entry->isSeparator() ? QStringLiteral("----") : entry->text());
    return shape;
}

QModelIndex tst_MainWindowFiles::cell(const QString &source, const QString &language) const
{
    for (int row = 0; row < model()->rowCount(); ++row) {
        const QModelIndex index = model()->indexForLanguage(row, language);
        if (model()->messageId(index) == source)
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

void tst_MainWindowFiles::openTwoFiles()
{
    const QStringList files { path("app_de.ts"), path("app_fr.ts") };
    Settings().addFilesHistory({ path("older.ts") });
    FileDialog::setNextFileNames(files);
    action("actionOpenTranslationFiles")->trigger();

    QVERIFY(qobject_cast<QtTranslationModel *>(model()));
    QCOMPARE(model()->parent(), window.get());
    QCOMPARE(model()->columnCount(), 2);
    QCOMPARE(model()->rowCount(), 4);
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(window->findChild<QTableView *>(QStringLiteral("targetTableView"))->model(), model());
    QVERIFY(window->findChild<QTableView *>(QStringLiteral("sourceTableView"))->model());

    QCOMPARE(
        Settings().filesHistory(), QStringList({ files.at(0), files.at(1), path("older.ts") }));
    QCOMPARE(menuShape(),
        QStringList({ "Clear history", "----", "----", "1. " + files.at(0), "2. " + files.at(1),
            "3. " + path("older.ts") }));
}

void tst_MainWindowFiles::everyFormat_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("modelClass");

    QTest::newRow("Apple") << "actionImportApplei18nRootDirectory" << 1 << "apple"
                           << QStringList { "apple/de.lproj/Localizable.strings",
                                  "apple/fr.lproj/Localizable.strings" }
                           << "AppleTranslationModel";
    QTest::newRow("Qt") << "actionImportQtTSFilesDirectory" << 2 << "qt"
                        << QStringList { "qt/app_de.ts", "qt/app_fr.ts" } << "QtTranslationModel";
    QTest::newRow("GNU") << "actionImportGNUPOFilesDirectory" << 3 << "po"
                         << QStringList { "po/de.po", "po/fr.po" } << "GnuTranslationModel";
    QTest::newRow("JSON") << "actionImportCommonJSONFilesDirectory" << 4 << "json"
                          << QStringList { "json/de/common.json", "json/fr/common.json" }
                          << "CommonJSONTranslationModel";
}

void tst_MainWindowFiles::everyFormat()
{
    QFETCH(QString, command);
    QFETCH(int, kind);
    QFETCH(QString, folder);
    QFETCH(QStringList, files);
    QFETCH(QString, modelClass);

    QStringList copies;
    for (const QString &file : files) {
        const QString source = file.startsWith("qt/") ? file.mid(3) : file;
        copies.append(path(file));
        QVERIFY(TestSupport::writeFile(
            copies.last(), TestSupport::readAll(TestSupport::dataPath("opening/" + source))));
    }

    FileDialog::setNextDirectory(path(folder));
    action(qPrintable(command))->trigger();
    QVERIFY(model());
    QCOMPARE(QString::fromLatin1(model()->metaObject()->className()), modelClass);
    QCOMPARE(model()->columnCount(), 2);
    QVERIFY(model()->rowCount() >= 2);
    QAction *entry = recentMenu()->actions().at(2);
    QCOMPARE(entry->data().toInt(), kind);
    QVERIFY(!entry->icon().isNull());

    FileDialog::setNextFileNames(copies);
    action("actionOpenTranslationFiles")->trigger();
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(QString::fromLatin1(model()->metaObject()->className()), modelClass);
    QCOMPARE(model()->columnCount(), 2);
    QCOMPARE(Settings().filesHistory(), copies);
}

void tst_MainWindowFiles::openIsRefused_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Boxes>("boxes");

    const Boxes mixed { { "warning", "Warning", "All files must have the same type." } };
    QTest::newRow("ts and po") << QStringList { "app_de.ts", "app_de.po" } << mixed;
    QTest::newRow("strings and xcstrings")
        << QStringList { "de.strings", "Localizable.xcstrings" } << mixed;
    QTest::newRow("ts and TS") << QStringList { "app_de.ts", "app_fr.TS" } << mixed;
    QTest::newRow("upper-case suffix matches no model") << QStringList { "X.TS" } << Boxes {};
    QTest::newRow("no suffix") << QStringList { "README" } << Boxes {};
    QTest::newRow("dialog cancelled") << QStringList {} << Boxes {};
}

void tst_MainWindowFiles::openIsRefused()
{
    QFETCH(QStringList, names);
    QFETCH(Boxes, boxes);

    QStringList files;
    for (const QString &name : names) {
        files.append(path(name));
        if (!QFile::exists(files.last()))
            QVERIFY(TestSupport::writeFile(files.last(), TestSupport::readAll(path("app_de.ts"))));
    }
    FileDialog::setNextFileNames(files);
    action("actionOpenTranslationFiles")->trigger();

    QCOMPARE(shownBoxes(), boxes);
    QVERIFY(!model());
    QVERIFY(Settings().filesHistory().isEmpty());
    QCOMPARE(menuShape(), QStringList({ "Clear history", "----", "----" }));
}

void tst_MainWindowFiles::importDialogGivesNoFolder_data()
{
    QTest::addColumn<QString>("answer");

    QTest::newRow("cancelled") << QString();
    QTest::newRow("folder that does not exist") << "nowhere";
    QTest::newRow("a file") << "app_de.ts";
}

void tst_MainWindowFiles::importDialogGivesNoFolder()
{
    QFETCH(QString, answer);

    FileDialog::setNextDirectory(answer.isEmpty() ? answer : path(answer));
    action("actionImportQtTSFilesDirectory")->trigger();
    QVERIFY(!model());
    QVERIFY(Settings().directoryHistory().isEmpty());
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    QVERIFY(MessageBox::shown().isEmpty());
}

void tst_MainWindowFiles::failedOpenKeepsTheSet_data()
{
    QTest::addColumn<bool>("asFiles");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("create");
    QTest::addColumn<QString>("status");

    QTest::newRow("missing file") << true << "gone_de.ts" << false << "%1 does not exist.";
    QTest::newRow("missing directory") << false << "gone" << false << "%1 does not exist.";
    QTest::newRow("file name without a language")
        << true << "app.ts" << true << "No translations found in %1.";
    QTest::newRow("directory without translations")
        << false << "empty" << true << "No translations found in %1.";
}

void tst_MainWindowFiles::failedOpenKeepsTheSet()
{
    QFETCH(bool, asFiles);
    QFETCH(QString, name);
    QFETCH(bool, create);
    QFETCH(QString, status);

    if (create) {
        QVERIFY(asFiles ? QFile::copy(path("app_de.ts"), path(name)) : QDir().mkdir(path(name)));
    }
    QVERIFY(window->openTranslationFiles({ path("app_de.ts") }));
    TranslationModel *before = model();
    const QStringList menu = menuShape();
    QCOMPARE(menu.size(), 4);

    const bool opened = asFiles ? window->openTranslationFiles({ path(name) })
                                : window->importTranslationDirectory(2, path(name));
    QVERIFY(!opened);
    QCOMPARE(model(), before);
    QCOMPARE(model()->rowCount(), 4);
    QCOMPARE(Settings().filesHistory(), QStringList({ path("app_de.ts") }));
    QVERIFY(Settings().directoryHistory().isEmpty());
    QCOMPARE(menuShape(), menu);
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(
        window->statusBar()->currentMessage(), status.arg(QDir::toNativeSeparators(path(name))));
}

void tst_MainWindowFiles::importTwiceKeepsOneEntry()
{
    importWorkspace();
    TranslationModel *first = model();
    QPointer<TranslationModel> firstGuard(first);
    importWorkspace();
    QVERIFY(model() != first);
    QVERIFY(firstGuard.isNull());
    QCOMPARE(model()->columnCount(), 2);

    QList<DirectoryHistoryEntry> history = Settings().directoryHistory();
    QCOMPARE(history.size(), 1);
    QCOMPARE(history.at(0).type, 2);
    QCOMPARE(history.at(0).directory, workspace->path());

    // The same folder as GNU PO is another entry.
    QVERIFY(TestSupport::writeFile(
        path("de.po"), TestSupport::readAll(TestSupport::dataPath("opening/po/de.po"))));
    QVERIFY(window->importTranslationDirectory(3, workspace->path()));
    history = Settings().directoryHistory();
    QCOMPARE(history.size(), 2);
    QCOMPARE(history.at(0).type, 3);
    QCOMPARE(history.at(1).type, 2);
}

void tst_MainWindowFiles::recentMenuStructure()
{
    QCOMPARE(menuShape(), QStringList({ "Clear history", "----", "----" }));

    importWorkspace();
    QVERIFY(window->openTranslationFiles({ path("app_fr.ts") }));
    QCOMPARE(menuShape(),
        QStringList({ "Clear history", "----", "1. " + workspace->path(), "----",
            "1. " + path("app_fr.ts") }));
    const QList<QAction *> actions = recentMenu()->actions();
    QCOMPARE(actions.at(2)->data().toInt(), 2);
    QVERIFY(!actions.at(2)->icon().isNull());
    QVERIFY(actions.at(4)->icon().isNull());
    QVERIFY(!actions.at(4)->data().isValid());

    action("actionClearHistory")->trigger();
    QCOMPARE(menuShape(), QStringList({ "Clear history" }));
    QVERIFY(Settings().directoryHistory().isEmpty());
    QVERIFY(Settings().filesHistory().isEmpty());
    QVERIFY(model());

    // The next open brings the separators back, with only the new entry.
    QVERIFY(window->openTranslationFiles({ path("app_de.ts") }));
    QCOMPARE(
        menuShape(), QStringList({ "Clear history", "----", "----", "1. " + path("app_de.ts") }));

    // The history written by another window or an earlier run is what a new window shows.
    Settings().addDirectoryHistory(QStringLiteral("/elsewhere"), 9);
    MainWindow other;
    const QList<QAction *> otherActions =
        other.findChild<QMenu *>(QStringLiteral("menuRecentOpened"))->actions();
    QCOMPARE(otherActions.size(), 5);
    QCOMPARE(otherActions.at(2)->text(), QStringLiteral("1. /elsewhere"));
    QVERIFY(otherActions.at(2)->icon().isNull());
    QCOMPARE(otherActions.at(2)->data().toInt(), 9);
}

void tst_MainWindowFiles::directoryEntryReimportsAndMovesToTop()
{
    const QString second = workspace->path() + QStringLiteral("/second");
    copyData(QStringLiteral("app_de.ts"), second);
    QVERIFY(window->importTranslationDirectory(2, workspace->path()));
    QVERIFY(window->importTranslationDirectory(2, second));
    QCOMPARE(menuShape().mid(2, 2), QStringList({ "1. " + second, "2. " + workspace->path() }));

    recentMenu()->actions().at(3)->trigger();
    QCOMPARE(model()->projectDirectory(), workspace->path());
    QCOMPARE(model()->columnCount(), 2);
    QCOMPARE(menuShape().mid(2, 2), QStringList({ "1. " + workspace->path(), "2. " + second }));

    // The removed actions go once their signal has returned; nothing else is left behind.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<QAction *> children =
        recentMenu()->findChildren<QAction *>(Qt::FindDirectChildrenOnly);
    for (QAction *child : children)
        QVERIFY(child == recentMenu()->menuAction() || recentMenu()->actions().contains(child));

    // An entry whose directory has gone changes nothing and stays.
    QVERIFY(QDir(second).removeRecursively());
    TranslationModel *before = model();
    recentMenu()->actions().at(3)->trigger();
    QCOMPARE(model(), before);
    QCOMPARE(Settings().directoryHistory().size(), 2);
}

void tst_MainWindowFiles::fileEntryReopens()
{
    QVERIFY(window->openTranslationFiles({ path("app_de.ts"), path("app_fr.ts") }));
    QCOMPARE(model()->columnCount(), 2);
    // Entry 2 is app_fr.ts; it opens alone and moves to the top.
    recentMenu()->actions().at(4)->trigger();
    QCOMPARE(model()->columnCount(), 1);
    QCOMPARE(model()->columnList().last(), QStringLiteral("fr"));
    QCOMPARE(Settings().filesHistory(), QStringList({ path("app_fr.ts"), path("app_de.ts") }));
}

void tst_MainWindowFiles::pathWithAmpersandReadsAsTyped()
{
    const QString folder = workspace->path() + QStringLiteral("/R&D");
    const QString file = copyData(QStringLiteral("app_de.ts"), folder);
    QVERIFY(window->openTranslationFiles({ file }));
    QAction *entry = recentMenu()->actions().at(3);
    QCOMPARE(entry->text(), "1. " + QString(file).replace("&", "&&"));
    QCOMPARE(entry->iconText(), "1. " + file);
}

void tst_MainWindowFiles::exportReportsTheDirectory_data()
{
    QTest::addColumn<bool>("filesPresent");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("success") << true << "information"
                             << "Notice"
                             << "Exported to %1 successfully";
    QTest::newRow("no file to write") << false << "warning"
                                      << "Warning"
                                      << "Exporting to %1 failed";
}

void tst_MainWindowFiles::exportReportsTheDirectory()
{
    QFETCH(bool, filesPresent);
    QFETCH(QString, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);

    importWorkspace();
    const QModelIndex index = cell(QStringLiteral("Open %1"), QStringLiteral("de"));
    QVERIFY(index.isValid());
    QVERIFY(model()->setData(index, QStringLiteral("%1 \u00f6ffnen")));
    if (!filesPresent) {
        QVERIFY(QFile::remove(path("app_de.ts")));
        QVERIFY(QFile::remove(path("app_fr.ts")));
    }
    action("actionExportToDirectory")->trigger();

    QCOMPARE(shownBoxes(),
        Boxes({ { icon, title, text.arg(QDir::toNativeSeparators(workspace->path())) } }));
    QCOMPARE(model()->rowCount(), 4);
    if (filesPresent)
        QVERIFY(TestSupport::readAll(path("app_de.ts"))
                    .contains("%1 \xc3\xb6"
                              "ffnen"));
}

void tst_MainWindowFiles::saveColumnWritesOnlyItsFile()
{
    importWorkspace();
    const QByteArray french = TestSupport::readAll(path("app_fr.ts"));
    const QModelIndex german = cell(QStringLiteral("Open %1"), QStringLiteral("de"));
    const QModelIndex frenchCell = cell(QStringLiteral("Open %1"), QStringLiteral("fr"));
    QVERIFY(model()->setData(german, QStringLiteral("%1 \u00f6ffnen")));
    QVERIFY(model()->setData(frenchCell, QStringLiteral("Ouvrir %1 maintenant")));

    QVERIFY(window->saveColumnToFile(german.column()));
    QCOMPARE(shownBoxes(),
        Boxes({ { "information", "Success",
            "Saving to file " + path("app_de.ts") + " successfully." } }));
    QVERIFY(TestSupport::readAll(path("app_de.ts"))
                .contains("%1 \xc3\xb6"
                          "ffnen"));
    QCOMPARE(TestSupport::readAll(path("app_fr.ts")), french);
}

void tst_MainWindowFiles::saveColumnWithoutFileDoesNothing_data()
{
    QTest::addColumn<bool>("withSet");
    QTest::addColumn<int>("column");

    QTest::newRow("no set open") << false << 0;
    QTest::newRow("negative column") << true << -1;
    QTest::newRow("column past the end") << true << 2;
}

void tst_MainWindowFiles::saveColumnWithoutFileDoesNothing()
{
    QFETCH(bool, withSet);
    QFETCH(int, column);

    if (withSet)
        importWorkspace();
    const QByteArray german = TestSupport::readAll(path("app_de.ts"));
    QVERIFY(!window->saveColumnToFile(column));
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(TestSupport::readAll(path("app_de.ts")), german);
}

void tst_MainWindowFiles::saveColumnFailure()
{
    importWorkspace();
    const QModelIndex german = cell(QStringLiteral("Open %1"), QStringLiteral("de"));
    QVERIFY(model()->setData(german, QStringLiteral("%1 \u00f6ffnen")));
    // A folder in place of the file cannot be written, not even by root.
    QVERIFY(QFile::remove(path("app_de.ts")));
    QVERIFY(QDir().mkdir(path("app_de.ts")));

    QVERIFY(!window->saveColumnToFile(german.column()));
    QCOMPARE(shownBoxes(),
        Boxes({ { "warning", "Warning", "Failed to save to file " + path("app_de.ts") + "." } }));
    QVERIFY(QFileInfo(path("app_de.ts")).isDir());
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
    const QModelIndex index = cell(QStringLiteral("Open %1"), QStringLiteral("de"));
    QVERIFY(index.isValid());
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
        QTRY_COMPARE(model()->cellText(index), QStringLiteral("%1 \u00f6ffnen & \"mehr\""));
    } else {
        QVERIFY(model()->cellText(index).isEmpty());
    }
    QTRY_VERIFY(action("actionExportToDirectory")->isEnabled());
    action("actionExportToDirectory")->trigger();
    QCOMPARE(shownBoxes().size(), 1);
    QCOMPARE(shownBoxes().first().at(1), QStringLiteral("Notice"));

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
    QCOMPARE(
        TestSupport::run(PARLONEX_LRELEASE, { path("app_de.ts"), "-qm", path("de.qm") }, &output),
        0);
    QVERIFY2(QFileInfo(path("de.qm")).size() > 0, qPrintable(output));
    QCOMPARE(
        TestSupport::run(PARLONEX_LRELEASE, { path("app_fr.ts"), "-qm", path("fr.qm") }, &output),
        0);
}

QTEST_MAIN(tst_MainWindowFiles)
#include "tst_mainwindow_files.moc"
