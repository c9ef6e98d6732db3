#include "settings/preferencesdialog.h"
#include "settings/servicecatalog.h"
#include "settings/settings.h"
#include "views/messagebox.h"
#include "views/outputtextdialog.h"

#include "app/mainwindow.h"
#include "model/translationmodel.h"
#include "support/httpserver.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

namespace {

QStringList capturedLog;

void captureMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedLog.append(message);
}

// Collects every log line, of every category and level, while it lives.
struct LogCapture
{
    LogCapture()
        : previous(qInstallMessageHandler(captureMessage))
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=true"));
    }
    ~LogCapture()
    {
        QLoggingCategory::setFilterRules(QString());
        qInstallMessageHandler(previous);
    }
    QtMessageHandler previous;
};

LLMConfiguration configuration(const QString &name, const QString &apiurl, const QString &apikey,
    const QString &model = QString(), const QString &service = QStringLiteral("OpenAI"))
{
    LLMConfiguration c;
    c.name = name;
    c.apiurl = apiurl;
    c.apikey = apikey;
    c.model = model;
    c.service = service;
    return c;
}

PromptRecord prompt(const QString &name, const QString &user = QStringLiteral("user"))
{
    PromptRecord p;
    p.name = name;
    p.systemPrompt = name + QStringLiteral(" system");
    p.assistantPrompt = name + QStringLiteral(" assistant");
    p.userPrompt = user;
    return p;
}

QByteArray chatAnswer(const QString &text)
{
    return QByteArrayLiteral(R"({"choices":[{"index":0,"message":{"role":"assistant","content":")")
        + text.toUtf8() + QByteArrayLiteral(R"("},"finish_reason":"stop"}]})");
}

QByteArray serviceError(const QByteArray &message)
{
    return R"({"error":{"message":")" + message + R"(","type":"invalid_request_error"}})";
}

} // namespace

class tst_PreferencesDialog : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the desktop's browser.
    void openUrl(const QUrl &url) { openedUrls.append(url); }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void structure_data();
    void structure();
    void emptyStore();
    void serviceDefaults_data();
    void serviceDefaults();
    void addConfiguration_data();
    void addConfiguration();
    void rowChangeAfterEdit_data();
    void rowChangeAfterEdit();
    void everyFieldEditAsks_data();
    void everyFieldEditAsks();
    void removeConfiguration_data();
    void removeConfiguration();
    void applyAfterCancelledRowChange();
    void validateRows();
    void testPrompt_data();
    void testPrompt();
    void getApiKey_data();
    void getApiKey();
    void fetchModels_data();
    void fetchModels();
    void fetchModelsFailure_data();
    void fetchModelsFailure();

    void presets();
    void addPrompt_data();
    void addPrompt();
    void removePrompt_data();
    void removePrompt();
    void promptRowChange_data();
    void promptRowChange();

    void languageList();
    void territoryList();
    void setSourceLanguage_data();
    void setSourceLanguage();
    void sourceLanguageChosenByUser();
    void mainWindowStoresSourceLanguage();

private:
    template <typename T> T *widget(PreferencesDialog &dialog, const char *name)
    {
        T *found = dialog.findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }
    void click(PreferencesDialog &dialog, const char *name)
    {
        widget<QPushButton>(dialog, name)->click();
    }
    void store(const QList<LLMConfiguration> &configurations, int usedLLMId,
        const QList<PromptRecord> &prompts = {}, int usedPromptId = 0)
    {
        Settings settings;
        settings.saveLLMConfigurations(configurations);
        settings.setUsedLLMId(usedLLMId);
        settings.savePrompts(prompts);
        settings.setUsedPromptId(usedPromptId);
    }
    // Runs `action`, which ends in a modal OutputTextDialog, and returns the dialog's text.
    QString outputOf(const std::function<void()> &action);

    QTemporaryDir settingsDir;
    HttpServer server;
    QNetworkAccessManager network;
    QList<QUrl> openedUrls;
};

void tst_PreferencesDialog::initTestCase()
{
    QVERIFY(settingsDir.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    MessageBox::setTestMode(true);
    QVERIFY(server.start());
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
}

void tst_PreferencesDialog::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void tst_PreferencesDialog::init()
{
    QFile::remove(Settings().fileName());
    MessageBox::clear();
    server.clearRequests();
    server.setHandler(nullptr);
    openedUrls.clear();
}

void tst_PreferencesDialog::cleanup()
{
    // Every question or warning a test provoked must have been expected by it.
    MessageBox::clear();
}

QString tst_PreferencesDialog::outputOf(const std::function<void()> &action)
{
    QString text;
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *output = qobject_cast<OutputTextDialog *>(QApplication::activeModalWidget());
        if (!output)
            return;
        text = output->findChild<QTextEdit *>(QStringLiteral("textEdit"))->toPlainText();
        seen = true;
        output->reject();
    });
    poll.start();
    action();
    [&] { QTRY_VERIFY_WITH_TIMEOUT(seen, 10000); }();
    return text;
}

// ---------------------------------------------------------------------------------------

void tst_PreferencesDialog::structure_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<int>("stretchColumn");

    QTest::newRow("LLM configurations") << "tableLLMItems"
                                        << QStringList { "Name", "Service", "API Url", "Model",
                                               "API Key", "Used", "Status", "Validate" }
                                        << 2;
    QTest::newRow("prompts") << "tablePrompts" << QStringList { "Name", "Used", "Test" } << 0;
}

void tst_PreferencesDialog::structure()
{
    QFETCH(QString, table);
    QFETCH(QStringList, headers);
    QFETCH(int, stretchColumn);

    PreferencesDialog dialog(&network);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Preferences"));
    QCOMPARE(dialog.size(), QSize(847, 525));
    QCOMPARE(widget<QTabWidget>(dialog, "tabWidget")->currentWidget()->objectName(),
        QStringLiteral("tabLLM"));

    auto *tableWidget = dialog.findChild<QTableWidget *>(table);
    QVERIFY(tableWidget);
    QStringList actual;
    for (int column = 0; column < tableWidget->columnCount(); ++column)
        actual << tableWidget->horizontalHeaderItem(column)->text();
    QCOMPARE(actual, headers);
    QCOMPARE(
        tableWidget->horizontalHeader()->sectionResizeMode(stretchColumn), QHeaderView::Stretch);
    QCOMPARE(tableWidget->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(tableWidget->selectionMode(), QAbstractItemView::SingleSelection);

    QStringList services;
    auto *serviceList = widget<QComboBox>(dialog, "cbServicesList");
    for (int i = 0; i < serviceList->count(); ++i)
        services << serviceList->itemText(i);
    QCOMPARE(services, ServiceCatalog::services());
    QCOMPARE(widget<QLineEdit>(dialog, "edtAPIKey")->echoMode(), QLineEdit::Normal);
    QVERIFY(widget<QLabel>(dialog, "labelGetAPIKey")->text().contains("Get API Key"));
}

void tst_PreferencesDialog::emptyStore()
{
    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, "tableLLMItems");
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(table->currentRow(), -1);
    QCOMPARE(widget<QComboBox>(dialog, "cbServicesList")->currentText(), QStringLiteral("OpenAI"));
    const QString url = widget<QComboBox>(dialog, "cbAPIUrl")->currentText();
    QCOMPARE(url, QStringLiteral("https://api.openai.com/v1/chat/completions"));
    const QString model = widget<QComboBox>(dialog, "cbModel")->currentText();
    QCOMPARE(model, ServiceCatalog::models("OpenAI").constFirst());

    widget<QLineEdit>(dialog, "edtLLMItemName")->setText("Mine");
    widget<QLineEdit>(dialog, "edtAPIKey")->setText("sk-test");
    click(dialog, "btnApplyLLMItem");
    click(dialog, "btnRemoveLLMItem");
    click(dialog, "btnApplyPrompt");
    click(dialog, "btnRemovePrompt");
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(MessageBox::shown().isEmpty());

    click(dialog, "btnOK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    Settings settings;
    QVERIFY(!settings.hasLLMConfiguration());
    QVERIFY(settings.prompts().isEmpty());
}

void tst_PreferencesDialog::serviceDefaults_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("modelEnabled");

    QTest::newRow("OpenAI") << "OpenAI"
                            << "https://api.openai.com/v1/chat/completions" << true;
    QTest::newRow("Azure") << "Azure"
                           << "" << false;
    QTest::newRow("Anthropic") << "Anthropic"
                               << "https://api.anthropic.com/v1/messages" << true;
    QTest::newRow("Gemini")
        << "Gemini"
        << "https://generativelanguage.googleapis.com/v1beta/models/${model}:generateContent?key="
        << true;
    QTest::newRow("DeepSeek") << "DeepSeek"
                              << "https://api.deepseek.com/chat/completions" << true;
}

void tst_PreferencesDialog::serviceDefaults()
{
    QFETCH(QString, service);
    QFETCH(QString, url);
    QFETCH(bool, modelEnabled);

    // Names the services have shut down, or that never were model names.
    static const QStringList retired = {
        "gpt-3.5-turbo",
        "gpt-3.5-turbo-1205",
        "gpt-4",
        "gpt-4o",
        "o1-mini",
        "o3-mini",
        "claude-3-7-sonnet-thinking",
        "claude-3-5-sonnet",
        "gemini-1.5-pro",
        "gemini-2.0-flash",
        "deepseek-chat",
        "deepseek-reasoner",
    };

    PreferencesDialog dialog(&network);
    auto *serviceList = widget<QComboBox>(dialog, "cbServicesList");
    serviceList->setCurrentText(service == "OpenAI" ? "DeepSeek" : "OpenAI");
    auto *name = widget<QLineEdit>(dialog, "edtLLMItemName");
    auto *key = widget<QLineEdit>(dialog, "edtAPIKey");
    name->setText("typed");
    key->setText("typed");
    serviceList->setCurrentText(service);

    auto *urls = widget<QComboBox>(dialog, "cbAPIUrl");
    auto *models = widget<QComboBox>(dialog, "cbModel");
    QCOMPARE(urls->currentText(), url);
    QCOMPARE(urls->count(), url.isEmpty() ? 0 : 1);
    QCOMPARE(models->isEnabled(), modelEnabled);
    QCOMPARE(widget<QLabel>(dialog, "labelModel")->isEnabled(), modelEnabled);
    QCOMPARE(models->count() > 0, modelEnabled);
    QCOMPARE(models->currentText().isEmpty(), !modelEnabled);
    QVERIFY(models->isEditable());
    for (int i = 0; i < models->count(); ++i)
        QVERIFY2(!retired.contains(models->itemText(i)), qPrintable(models->itemText(i)));
    QVERIFY(name->text().isEmpty());
    QVERIFY(key->text().isEmpty());
}

void tst_PreferencesDialog::addConfiguration_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<int>("rows");

    const QString empty = "The LLM configuration name, API URL and API key cannot be empty.";
    const QString url = "https://api.openai.com/v1/chat/completions";
    QTest::newRow("empty name") << "" << url << "k2" << empty << 1;
    QTest::newRow("empty URL") << "First"
                               << ""
                               << "k2" << empty << 1;
    QTest::newRow("empty key") << "First" << url << "" << empty << 1;
    QTest::newRow("blank key") << "First" << url << "   " << empty << 1;
    QTest::newRow("exact duplicate") << "First" << url << "k1"
                                     << "The LLM configuration already exists." << 1;
    QTest::newRow("only the key differs") << "First" << url << "k2"
                                          << "" << 2;
}

void tst_PreferencesDialog::addConfiguration()
{
    QFETCH(QString, name);
    QFETCH(QString, url);
    QFETCH(QString, key);
    QFETCH(QString, warning);
    QFETCH(int, rows);

    store({ configuration("First", "https://api.openai.com/v1/chat/completions", "k1",
              ServiceCatalog::models("OpenAI").constFirst()) },
        0);
    PreferencesDialog dialog(&network);
    widget<QLineEdit>(dialog, "edtLLMItemName")->setText(name);
    widget<QComboBox>(dialog, "cbAPIUrl")->setEditText(url);
    widget<QLineEdit>(dialog, "edtAPIKey")->setText(key);
    click(dialog, "btnAddLLMItem");

    auto *table = widget<QTableWidget>(dialog, "tableLLMItems");
    QCOMPARE(table->rowCount(), rows);
    if (warning.isEmpty()) {
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(table->currentRow(), rows - 1);
        QCOMPARE(table->item(rows - 1, 4)->text(), key);
        QCOMPARE(table->item(rows - 1, 5)->text(), QStringLiteral("Yes"));
        QCOMPARE(table->item(0, 5)->text(), QStringLiteral("No"));
        QCOMPARE(table->item(rows - 1, 6)->text(), QStringLiteral("Unknown"));
        QVERIFY(qobject_cast<QPushButton *>(table->cellWidget(rows - 1, 7)));
    } else {
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().constFirst().title, QStringLiteral("Add LLM Configuration"));
        QCOMPARE(MessageBox::shown().constFirst().text, warning);
    }

    click(dialog, "btnOK");
    Settings settings;
    QCOMPARE(settings.llmConfigurations().size(), rows);
    QCOMPARE(settings.usedLLMId(), rows - 1);
}

void tst_PreferencesDialog::rowChangeAfterEdit_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("storedKey0");
    QTest::addColumn<QString>("editorKey");
    QTest::addColumn<int>("used");

    QTest::newRow("Yes applies to the row left") << int(QMessageBox::Yes) << "edited"
                                                 << "k1" << 1;
    QTest::newRow("No discards") << int(QMessageBox::No) << "k0"
                                 << "k1" << 1;
    QTest::newRow("Cancel keeps the edits") << int(QMessageBox::Cancel) << "k0"
                                            << "edited" << 0;
}

void tst_PreferencesDialog::rowChangeAfterEdit()
{
    QFETCH(int, answer);
    QFETCH(QString, storedKey0);
    QFETCH(QString, editorKey);
    QFETCH(int, used);

    const QString url = "https://api.openai.com/v1/chat/completions";
    store({ configuration("Zero", url, "k0", "m0"),
              configuration("One", url, "k1", "m1", "DeepSeek") },
        0);
    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, "tableLLMItems");
    auto *key = widget<QLineEdit>(dialog, "edtAPIKey");
    QCOMPARE(table->currentRow(), 0);
    QCOMPARE(key->text(), QStringLiteral("k0"));
    QCOMPARE(widget<QComboBox>(dialog, "cbModel")->currentText(), QStringLiteral("m0"));

    key->setText("edited");
    MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));
    table->setCurrentCell(1, 0);

    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().constFirst().title, QStringLiteral("Apply LLM Configuration"));
    QCOMPARE(table->currentRow(), 1);
    QCOMPARE(key->text(), editorKey);
    QCOMPARE(table->item(0, 4)->text(), storedKey0);
    QCOMPARE(table->item(used, 5)->text(), QStringLiteral("Yes"));
    if (answer != QMessageBox::Cancel)
        QCOMPARE(
            widget<QComboBox>(dialog, "cbServicesList")->currentText(), QStringLiteral("DeepSeek"));

    click(dialog, "btnOK");
    Settings settings;
    const QList<LLMConfiguration> stored = settings.llmConfigurations();
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.at(0).apikey, storedKey0);
    QCOMPARE(stored.at(1).apikey, QStringLiteral("k1"));
    QCOMPARE(settings.usedLLMId(), used);
}

void tst_PreferencesDialog::everyFieldEditAsks_data()
{
    QTest::addColumn<QString>("field");

    QTest::newRow("name") << "edtLLMItemName";
    QTest::newRow("URL") << "cbAPIUrl";
    QTest::newRow("model") << "cbModel";
    QTest::newRow("key") << "edtAPIKey";
}

void tst_PreferencesDialog::everyFieldEditAsks()
{
    QFETCH(QString, field);

    const QString url = "https://example.org/v1";
    store({ configuration("Zero", url, "k0", "m0"), configuration("One", url, "k1", "m1") }, 0);
    PreferencesDialog dialog(&network);
    QWidget *editor = dialog.findChild<QWidget *>(field);
    if (auto *comboBox = qobject_cast<QComboBox *>(editor))
        comboBox->setEditText("edited");
    else
        qobject_cast<QLineEdit *>(editor)->setText("edited");

    MessageBox::setNextAnswer(QMessageBox::Yes);
    widget<QTableWidget>(dialog, "tableLLMItems")->setCurrentCell(1, 0);
    QCOMPARE(MessageBox::shown().size(), 1);
    click(dialog, "btnOK");
    const LLMConfiguration stored = Settings().llmConfigurations().at(0);
    QVERIFY(QStringList({ stored.name, stored.apiurl, stored.model, stored.apikey })
                .contains("edited"));
}

void tst_PreferencesDialog::removeConfiguration_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("used");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<int>("storedUsed");
    QTest::addColumn<QString>("editorName");

    QTest::newRow("row 0 of three in use") << 3 << 0 << QStringList { "C1", "C2" } << 0 << "C1";
    QTest::newRow("row 2 of three in use") << 3 << 2 << QStringList { "C0", "C1" } << 1 << "C1";
    QTest::newRow("the only one") << 1 << 0 << QStringList {} << -1 << "C0";
}

void tst_PreferencesDialog::removeConfiguration()
{
    QFETCH(int, count);
    QFETCH(int, used);
    QFETCH(QStringList, remaining);
    QFETCH(int, storedUsed);
    QFETCH(QString, editorName);

    QList<LLMConfiguration> configurations;
    for (int i = 0; i < count; ++i)
        configurations << configuration(
            QStringLiteral("C%1").arg(i), "https://example.org/v1", QStringLiteral("key%1").arg(i));
    store(configurations, used);

    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, "tableLLMItems");
    QCOMPARE(table->currentRow(), used);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    click(dialog, "btnRemoveLLMItem");
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().constFirst().title, QStringLiteral("Remove LLM Configuration"));

    QCOMPARE(table->rowCount(), remaining.size());
    QCOMPARE(table->currentRow(), storedUsed);
    QCOMPARE(widget<QLineEdit>(dialog, "edtLLMItemName")->text(), editorName);
    if (storedUsed >= 0)
        QCOMPARE(table->item(storedUsed, 5)->text(), QStringLiteral("Yes"));

    click(dialog, "btnOK");
    Settings settings;
    QStringList names;
    for (const LLMConfiguration &c : settings.llmConfigurations())
        names << c.name;
    QCOMPARE(names, remaining);
    QCOMPARE(settings.usedLLMId(), storedUsed);
}

void tst_PreferencesDialog::applyAfterCancelledRowChange()
{
    // After Cancel the highlight is on row 1 while the editors still hold row 0: Apply must
    // not write row 0's edits over row 1.
    const QString url = "https://example.org/v1";
    store({ configuration("Zero", url, "k0"), configuration("One", url, "k1") }, 0);
    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, "tableLLMItems");
    widget<QLineEdit>(dialog, "edtAPIKey")->setText("edited");
    MessageBox::setNextAnswer(QMessageBox::Cancel);
    table->setCurrentCell(1, 0);
    click(dialog, "btnApplyLLMItem");

    QCOMPARE(table->item(0, 4)->text(), QStringLiteral("edited"));
    QCOMPARE(table->item(1, 4)->text(), QStringLiteral("k1"));
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("One"));
}

void tst_PreferencesDialog::validateRows()
{
    // The first request is answered last.
    server.setHandler([](const HttpServer::Request &request) {
        if (request.headers.value("authorization") == "Bearer good-key-1234") {
            HttpServer::Response response = HttpServer::Response::json(chatAnswer("I am a model"));
            response.delay = 400;
            return response;
        }
        return HttpServer::Response::json(serviceError("Incorrect API key provided"), 401);
    });
    const QString url = server.url("/v1/chat/completions");
    store({ configuration("Good", url, "good-key-1234", "m"),
              configuration("Bad", url, "bad-key-5678", "m") },
        0);

    capturedLog.clear();
    const LogCapture capture;
    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, "tableLLMItems");
    qobject_cast<QPushButton *>(table->cellWidget(0, 7))->click();
    qobject_cast<QPushButton *>(table->cellWidget(1, 7))->click();

    QTRY_COMPARE_WITH_TIMEOUT(table->item(1, 6)->text(), QStringLiteral("Error"), 10000);
    QCOMPARE(table->item(0, 6)->text(), QStringLiteral("Unknown"));
    QTRY_COMPARE_WITH_TIMEOUT(table->item(0, 6)->text(), QStringLiteral("OK"), 10000);

    QCOMPARE(server.requests().size(), 2);
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().constFirst().title, QStringLiteral("Validate LLM Service"));
    QVERIFY2(MessageBox::shown().constFirst().text.contains("Incorrect API key provided"),
        qPrintable(MessageBox::shown().constFirst().text));
    // The key is shown in the table, but never written to the log.
    for (const QString &line : std::as_const(capturedLog)) {
        QVERIFY2(
            !line.contains("good-key-1234") && !line.contains("bad-key-5678"), qPrintable(line));
    }
}

void tst_PreferencesDialog::testPrompt_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("shown");

    QTest::newRow("answer") << 200 << chatAnswer("[{\\\"id\\\":1}]") << "[{\"id\":1}]";
    QTest::newRow("service error")
        << 500 << serviceError("The server had an error") << "The server had an error";
}

void tst_PreferencesDialog::testPrompt()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, shown);

    server.enqueue(HttpServer::Response::json(body, status));
    store({ configuration("Local", server.url("/v1/chat/completions"), "key", "m") }, 0,
        { prompt("First"),
            prompt("Second", "Translate {{text list}} to {{target language list}}") },
        0);

    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, "tablePrompts");
    auto *test = qobject_cast<QPushButton *>(table->cellWidget(1, 2));
    QVERIFY(test);
    QCOMPARE(test->text(), QStringLiteral("Test"));
    const QString text = outputOf([test] { test->click(); });
    QVERIFY2(text.contains(shown), qPrintable(text));

    // The row's own prompt goes out, filled with the test texts.
    QCOMPARE(server.requests().size(), 1);
    const QByteArray sent = server.requests().constFirst().body;
    QVERIFY(sent.contains("Second system"));
    QVERIFY(sent.contains("Hello, how are you?"));
    QVERIFY(!sent.contains("First system"));
}

void tst_PreferencesDialog::getApiKey_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("host");

    QTest::newRow("OpenAI") << "OpenAI"
                            << "platform.openai.com";
    QTest::newRow("Azure") << "Azure"
                           << "portal.azure.com";
    QTest::newRow("Anthropic") << "Anthropic"
                               << "console.anthropic.com";
    QTest::newRow("Gemini") << "Gemini"
                            << "aistudio.google.com";
    QTest::newRow("DeepSeek") << "DeepSeek"
                              << "platform.deepseek.com";
}

void tst_PreferencesDialog::getApiKey()
{
    QFETCH(QString, service);
    QFETCH(QString, host);

    PreferencesDialog dialog(&network);
    widget<QComboBox>(dialog, "cbServicesList")->setCurrentText(service);
    auto *link = widget<QLabel>(dialog, "labelGetAPIKey");
    emit link->linkActivated(QStringLiteral("#"));
    QCOMPARE(openedUrls.size(), 1);
    QCOMPARE(openedUrls.constFirst().host(), host);
}

void tst_PreferencesDialog::fetchModels_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("chatPath");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("listTarget");
    QTest::addColumn<QByteArray>("keyHeader");
    QTest::addColumn<QByteArray>("keyValue");
    QTest::addColumn<QStringList>("models");

    QTest::newRow("OpenAI: sorted, chat models only")
        << "OpenAI"
        << "/v1/chat/completions"
        << QByteArray(R"({"object":"list","data":[{"id":"gpt-z"},{"id":"text-embedding-3-small"},
                      {"id":"gpt-a"},{"id":"whisper-1"}]})")
        << QByteArray("/v1/models") << QByteArray("authorization")
        << QByteArray("Bearer secret-key") << QStringList { "gpt-a", "gpt-z" };
    QTest::newRow("DeepSeek") << "DeepSeek"
                              << "/chat/completions"
                              << QByteArray(R"({"data":[{"id":"deepseek-flash"}]})")
                              << QByteArray("/models") << QByteArray("authorization")
                              << QByteArray("Bearer secret-key")
                              << QStringList { "deepseek-flash" };
    QTest::newRow("Anthropic: newest first kept")
        << "Anthropic"
        << "/v1/messages"
        << QByteArray(R"({"data":[{"id":"claude-b","type":"model"},{"id":"claude-a"}],
                      "has_more":false})")
        << QByteArray("/v1/models?limit=1000") << QByteArray("x-api-key")
        << QByteArray("secret-key") << QStringList { "claude-b", "claude-a" };
    QTest::newRow("Gemini: generateContent models, key in a header")
        << "Gemini"
        << "/v1beta/models/${model}:generateContent?key=" << QByteArray(R"({"models":[
               {"name":"models/gemini-x","supportedGenerationMethods":["generateContent"]},
               {"name":"models/embedding-001","supportedGenerationMethods":["embedContent"]}]})")
        << QByteArray("/v1beta/models?pageSize=1000") << QByteArray("x-goog-api-key")
        << QByteArray("secret-key") << QStringList { "gemini-x" };
}

void tst_PreferencesDialog::fetchModels()
{
    QFETCH(QString, service);
    QFETCH(QString, chatPath);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, listTarget);
    QFETCH(QByteArray, keyHeader);
    QFETCH(QByteArray, keyValue);
    QFETCH(QStringList, models);

    server.enqueue(HttpServer::Response::json(answer));
    PreferencesDialog dialog(&network);
    widget<QComboBox>(dialog, "cbServicesList")->setCurrentText(service);
    auto *fetch = widget<QPushButton>(dialog, "btnFetchModels");
    QVERIFY(!fetch->isEnabled()); // no key yet
    widget<QComboBox>(dialog, "cbAPIUrl")->setEditText(server.url(chatPath));
    widget<QLineEdit>(dialog, "edtAPIKey")->setText("secret-key");
    QVERIFY(fetch->isEnabled());
    fetch->click();

    auto *modelList = widget<QComboBox>(dialog, "cbModel");
    QTRY_COMPARE_WITH_TIMEOUT(modelList->count(), models.size(), 10000);
    QStringList listed;
    for (int i = 0; i < modelList->count(); ++i)
        listed << modelList->itemText(i);
    QCOMPARE(listed, models);
    // The built-in suggestion the service does not offer is replaced by the service's first.
    QCOMPARE(modelList->currentText(), models.constFirst());
    QVERIFY(MessageBox::shown().isEmpty());
    QVERIFY(fetch->isEnabled());

    const HttpServer::Request request = server.requests().constFirst();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.target, listTarget);
    QCOMPARE(request.headers.value(keyHeader), keyValue);
}

void tst_PreferencesDialog::fetchModelsFailure_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");

    QTest::newRow("refused key") << 401 << serviceError("Incorrect API key provided: secret-key")
                                 << "Incorrect API key provided: ***";
    QTest::newRow("not JSON") << 200 << QByteArray("<html>Bad gateway</html>")
                              << "The model list is not a JSON object";
    QTest::newRow("empty list") << 200 << QByteArray(R"({"data":[]})")
                                << "The service listed no models.";
}

void tst_PreferencesDialog::fetchModelsFailure()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, message);

    server.enqueue(HttpServer::Response::json(body, status));
    capturedLog.clear();
    const LogCapture capture;
    PreferencesDialog dialog(&network);
    auto *modelList = widget<QComboBox>(dialog, "cbModel");
    const int builtIn = modelList->count();
    modelList->setEditText("my-own-model");
    widget<QComboBox>(dialog, "cbAPIUrl")->setEditText(server.url("/v1/chat/completions"));
    widget<QLineEdit>(dialog, "edtAPIKey")->setText("secret-key");
    click(dialog, "btnFetchModels");

    QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 1, 10000);
    QCOMPARE(MessageBox::shown().constFirst().title, QStringLiteral("Fetch Models"));
    QVERIFY2(MessageBox::shown().constFirst().text.contains(message),
        qPrintable(MessageBox::shown().constFirst().text));
    QVERIFY(!capturedLog.join('\n').contains("secret-key"));
    QCOMPARE(modelList->count(), builtIn);
    QCOMPARE(modelList->currentText(), QStringLiteral("my-own-model"));

    // Azure names no model, so there is nothing to fetch.
    widget<QComboBox>(dialog, "cbServicesList")->setCurrentText("Azure");
    widget<QComboBox>(dialog, "cbAPIUrl")->setEditText(server.url("/openai/v1/chat/completions"));
    widget<QLineEdit>(dialog, "edtAPIKey")->setText("secret-key");
    QVERIFY(!widget<QPushButton>(dialog, "btnFetchModels")->isEnabled());
}

// ---------------------------------------------------------------------------------------

void tst_PreferencesDialog::presets()
{
    Settings settings;
    const QStringList roles = settings.roleNames();
    QVERIFY2(roles.contains("default") && roles.size() > 1, qPrintable(roles.join(',')));
    const PromptRecord defaults = settings.role("default");
    QVERIFY(!defaults.userPrompt.isEmpty());
    QVERIFY(settings.role(roles.constLast()).userPrompt
        != settings.role(roles.constFirst()).userPrompt);
    store({}, 0, { prompt("kept") }, 0);

    PreferencesDialog dialog(&network);
    auto *presetList = widget<QComboBox>(dialog, "cbPresets");
    QCOMPARE(presetList->count(), roles.size());
    auto *user = widget<QPlainTextEdit>(dialog, "edtUserPrompt");

    // A freshly loaded prompt is filled without a question; the name stays.
    click(dialog, "btnFillDefaultPrompt");
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(
        widget<QPlainTextEdit>(dialog, "edtSystemPrompt")->toPlainText(), defaults.systemPrompt);
    QCOMPARE(widget<QPlainTextEdit>(dialog, "edtAssistantPrompt")->toPlainText(),
        defaults.assistantPrompt);
    QCOMPARE(user->toPlainText(), defaults.userPrompt);
    QCOMPARE(widget<QLineEdit>(dialog, "edtPromptName")->text(), QStringLiteral("kept"));

    // The filling counts as an edit: the next one asks, and No leaves the editors alone.
    const QString other = roles.constLast() == "default" ? roles.constFirst() : roles.constLast();
    presetList->setCurrentText(other);
    click(dialog, "btnFillDefaultPrompt");
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().constFirst().title, QStringLiteral("Fill Default Prompt"));
    QCOMPARE(user->toPlainText(), defaults.userPrompt);

    // Yes fills the preset chosen in the list.
    MessageBox::setNextAnswer(QMessageBox::Yes);
    click(dialog, "btnFillDefaultPrompt");
    QCOMPARE(user->toPlainText(), settings.role(other).userPrompt);

    // Nothing reaches the prompt without Apply.
    click(dialog, "btnOK");
    QCOMPARE(Settings().prompts().constFirst().userPrompt, QStringLiteral("user"));
}

void tst_PreferencesDialog::addPrompt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("warning");

    QTest::newRow("empty name") << ""
                                << "The prompt name cannot be empty.";
    QTest::newRow("existing name") << "First"
                                   << "The prompt name already exists.";
    QTest::newRow("new name") << "Third"
                              << "";
}

void tst_PreferencesDialog::addPrompt()
{
    QFETCH(QString, name);
    QFETCH(QString, warning);

    store({}, 0, { prompt("First"), prompt("Second") }, 1);
    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, "tablePrompts");
    QCOMPARE(table->currentRow(), 1);
    QCOMPARE(widget<QLineEdit>(dialog, "edtPromptName")->text(), QStringLiteral("Second"));

    widget<QLineEdit>(dialog, "edtPromptName")->setText(name);
    widget<QPlainTextEdit>(dialog, "edtUserPrompt")->setPlainText("new user prompt");
    click(dialog, "btnAddPrompt");
    if (warning.isEmpty()) {
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->currentRow(), 2);
        QCOMPARE(table->item(2, 1)->text(), QStringLiteral("Yes"));
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("No"));
    } else {
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().constFirst().title, QStringLiteral("Add Prompt"));
        QCOMPARE(MessageBox::shown().constFirst().text, warning);
        QCOMPARE(table->rowCount(), 2);
    }

    click(dialog, "btnOK");
    Settings settings;
    const QList<PromptRecord> stored = settings.prompts();
    QCOMPARE(stored.size(), table->rowCount());
    if (warning.isEmpty()) {
        QCOMPARE(stored.at(2).name, name);
        QCOMPARE(stored.at(2).userPrompt, QStringLiteral("new user prompt"));
        QCOMPARE(settings.usedPromptId(), 2);
    }
    // The prompt in use was not applied, so it is stored as it was.
    QCOMPARE(stored.at(1).userPrompt, QStringLiteral("user"));
}

void tst_PreferencesDialog::removePrompt_data()
{
    QTest::addColumn<int>("used");
    QTest::addColumn<int>("selectAfter");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<int>("storedUsed");

    QTest::newRow("row 2 of three") << 2 << -1 << QStringList { "P0", "P1" } << 1;
    QTest::newRow("row 0 of three") << 0 << -1 << QStringList { "P1", "P2" } << 0;
    QTest::newRow("row 0, then the new last row") << 0 << 1 << QStringList { "P1", "P2" } << 1;
}

void tst_PreferencesDialog::removePrompt()
{
    QFETCH(int, used);
    QFETCH(int, selectAfter);
    QFETCH(QStringList, remaining);
    QFETCH(int, storedUsed);

    store({}, 0, { prompt("P0"), prompt("P1"), prompt("P2") }, used);
    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, "tablePrompts");
    MessageBox::setNextAnswer(QMessageBox::Yes);
    click(dialog, "btnRemovePrompt");
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().constFirst().title, QStringLiteral("Remove Prompt"));
    QCOMPARE(table->rowCount(), 2);
    if (selectAfter >= 0)
        table->setCurrentCell(selectAfter, 0);
    QCOMPARE(widget<QLineEdit>(dialog, "edtPromptName")->text(), remaining.at(storedUsed));
    QCOMPARE(table->item(storedUsed, 1)->text(), QStringLiteral("Yes"));

    click(dialog, "btnOK");
    Settings settings;
    QStringList names;
    for (const PromptRecord &p : settings.prompts())
        names << p.name;
    QCOMPARE(names, remaining);
    QCOMPARE(settings.usedPromptId(), storedUsed);
    QCOMPARE(settings.currentPrompt().name, remaining.at(storedUsed));
}

void tst_PreferencesDialog::promptRowChange_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("storedUser0");
    QTest::addColumn<QString>("editorUser");
    QTest::addColumn<int>("used");

    QTest::newRow("Yes") << int(QMessageBox::Yes) << "typed"
                         << "user1" << 1;
    QTest::newRow("No") << int(QMessageBox::No) << "user0"
                        << "user1" << 1;
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << "user0"
                            << "typed" << 0;
}

void tst_PreferencesDialog::promptRowChange()
{
    QFETCH(int, answer);
    QFETCH(QString, storedUser0);
    QFETCH(QString, editorUser);
    QFETCH(int, used);

    // Two prompts of the same name (Apply does not refuse one) are still told apart.
    store({}, 0, { prompt("Same", "user0"), prompt("Same", "user1") }, 0);
    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, "tablePrompts");
    auto *user = widget<QPlainTextEdit>(dialog, "edtUserPrompt");
    QCOMPARE(user->toPlainText(), QStringLiteral("user0"));

    user->setPlainText("typed");
    MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));
    table->setCurrentCell(1, 0);
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().constFirst().title, QStringLiteral("Apply Prompt"));
    QCOMPARE(user->toPlainText(), editorUser);

    click(dialog, "btnOK");
    Settings settings;
    QCOMPARE(settings.prompts().at(0).userPrompt, storedUser0);
    QCOMPARE(settings.prompts().at(1).userPrompt, QStringLiteral("user1"));
    QCOMPARE(settings.usedPromptId(), used);
}

// ---------------------------------------------------------------------------------------

void tst_PreferencesDialog::languageList()
{
    PreferencesDialog dialog(&network);
    auto *languages = widget<QComboBox>(dialog, "cbSourceLanguage");
    QCOMPARE(languages->itemText(0), QStringLiteral("POSIX"));
    QCOMPARE(languages->itemData(0).toInt(), int(QLocale::C));
    QVERIFY(languages->count() > 200);

    QSet<QString> seen;
    for (int i = 1; i < languages->count(); ++i) {
        const QString text = languages->itemText(i);
        const int code = languages->itemData(i).toInt();
        QVERIFY2(!text.isEmpty() && !text.startsWith("Unknown"), qPrintable(text));
        QVERIFY2(!seen.contains(text), qPrintable(text));
        seen.insert(text);
        QVERIFY(code > int(QLocale::C) && code <= int(QLocale::LastLanguage));
        QVERIFY(text.startsWith(QLocale::languageToString(QLocale::Language(code))));
        if (i > 1)
            QVERIFY2(languages->itemText(i - 1).compare(text, Qt::CaseInsensitive) <= 0,
                qPrintable(languages->itemText(i - 1) + " > " + text));
    }

    const int english = languages->findData(int(QLocale::English));
    QCOMPARE(languages->itemText(english), QStringLiteral("English"));
    const int german = languages->findData(int(QLocale::German));
    QCOMPARE(languages->itemText(german), QStringLiteral("German (Deutsch)"));
    // The toolkit's first language is shown until another is chosen.
    QCOMPARE(languages->currentIndex(), languages->findData(int(QLocale::Abkhazian)));
}

void tst_PreferencesDialog::territoryList()
{
    PreferencesDialog dialog(&network);
    auto *languages = widget<QComboBox>(dialog, "cbSourceLanguage");
    auto *territories = widget<QComboBox>(dialog, "cbSourceTerritory");

    languages->setCurrentIndex(languages->findData(int(QLocale::German)));
    QCOMPARE(territories->currentIndex(), 0);
    QCOMPARE(territories->itemText(0), QStringLiteral("Any Territory"));
    QCOMPARE(territories->itemData(0).toInt(), 0);
    QVERIFY(territories->findText("Germany (Deutschland)") > 0);
    QVERIFY(territories->findText("Switzerland (Schweiz)") > 0);
    for (int i = 2; i < territories->count(); ++i)
        QVERIFY(territories->itemText(i - 1).compare(territories->itemText(i), Qt::CaseInsensitive)
            <= 0);

    // English territories carry no native name.
    languages->setCurrentIndex(languages->findData(int(QLocale::English)));
    QVERIFY(territories->findText("United Kingdom") > 0);

    languages->setCurrentIndex(0);
    QCOMPARE(territories->count(), 1);
    QCOMPARE(territories->itemText(0), QStringLiteral("Any Territory"));
}

void tst_PreferencesDialog::setSourceLanguage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("territory");
    QTest::addColumn<QString>("result");

    QTest::newRow("language name") << "Chinese"
                                   << "Chinese (简体中文)"
                                   << "Any Territory"
                                   << "Chinese";
    QTest::newRow("exact item") << "German (Deutsch)"
                                << "German (Deutsch)"
                                << "Any Territory"
                                << "German";
    QTest::newRow("English") << "English"
                             << "English"
                             << "Any Territory"
                             << "English";
    QTest::newRow("empty") << ""
                           << "POSIX"
                           << "Any Territory"
                           << "POSIX";
    QTest::newRow("display name with territory kept") << "Chinese (Taiwan)"
                                                      << "Chinese (简体中文)"
                                                      << "Taiwan (台灣)"
                                                      << "Chinese (Taiwan)";
    // An empty `selected`: the selection stays on the toolkit's first language.
    QTest::newRow("unknown name kept") << "Klingon"
                                       << ""
                                       << "Any Territory"
                                       << "Klingon";
}

void tst_PreferencesDialog::setSourceLanguage()
{
    QFETCH(QString, name);
    QFETCH(QString, selected);
    QFETCH(QString, territory);
    QFETCH(QString, result);

    PreferencesDialog dialog(&network);
    auto *languages = widget<QComboBox>(dialog, "cbSourceLanguage");
    if (selected.isEmpty())
        selected = languages->itemText(languages->findData(int(QLocale::Abkhazian)));
    dialog.setSourceLanguage(name);
    QCOMPARE(languages->currentText(), selected);
    QCOMPARE(widget<QComboBox>(dialog, "cbSourceTerritory")->currentText(), territory);
    click(dialog, "btnOK");
    QCOMPARE(dialog.sourceLanguage(), result);
}

void tst_PreferencesDialog::sourceLanguageChosenByUser()
{
    PreferencesDialog dialog(&network);
    dialog.setSourceLanguage("Klingon");
    auto *languages = widget<QComboBox>(dialog, "cbSourceLanguage");
    languages->setCurrentIndex(languages->findData(int(QLocale::French)));
    auto *territories = widget<QComboBox>(dialog, "cbSourceTerritory");
    territories->setCurrentIndex(territories->findText("Canada (Canada)"));
    click(dialog, "btnOK");
    QCOMPARE(dialog.sourceLanguage(), QStringLiteral("French"));
    QCOMPARE(dialog.sourceTerritory(), QString::number(int(QLocale::Canada)));
}

void tst_PreferencesDialog::mainWindowStoresSourceLanguage()
{
    QTemporaryDir project;
    QVERIFY(project.isValid());
    const QString file = project.filePath("app_de.ts");
    QVERIFY(TestSupport::writeFile(file,
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
        "<TS version=\"2.1\" language=\"de\">\n<context>\n<name>Main</name>\n"
        "<message>\n<source>Hello</source>\n<translation>Hallo</translation>\n"
        "</message>\n</context>\n</TS>\n"));
    MainWindow window;
    QVERIFY(window.openTranslationFiles({ file }));
    QVERIFY(window.currentTranslationModel());
    QCOMPARE(window.currentTranslationModel()->sourceLanguageName(), QStringLiteral("English"));

    const auto runPreferences = [&window](const std::function<void(PreferencesDialog *)> &act) {
        bool ran = false;
        QTimer::singleShot(0, &window, [&] {
            auto *dialog = qobject_cast<PreferencesDialog *>(QApplication::activeModalWidget());
            if (dialog)
                act(dialog);
            ran = dialog != nullptr;
        });
        window.findChild<QAction *>("actionPreferences")->trigger();
        return ran;
    };

    // Cancel changes nothing; OK hands the chosen language to the set.
    QVERIFY(runPreferences([](PreferencesDialog *dialog) {
        auto *languages = dialog->findChild<QComboBox *>("cbSourceLanguage");
        QCOMPARE(languages->currentText(), QStringLiteral("English"));
        languages->setCurrentIndex(languages->findData(int(QLocale::French)));
        dialog->findChild<QPushButton *>("btnCancel")->click();
    }));
    QCOMPARE(window.currentTranslationModel()->sourceLanguageName(), QStringLiteral("English"));
    QVERIFY(runPreferences([](PreferencesDialog *dialog) {
        auto *languages = dialog->findChild<QComboBox *>("cbSourceLanguage");
        languages->setCurrentIndex(languages->findData(int(QLocale::French)));
        dialog->findChild<QPushButton *>("btnOK")->click();
    }));
    QCOMPARE(window.currentTranslationModel()->sourceLanguageName(), QStringLiteral("French"));
    QSettings project_settings(project.filePath(".parlonex.ini"), QSettings::IniFormat);
    QCOMPARE(project_settings.value("sourceLanguage").toString(), QStringLiteral("French"));
}

QTEST_MAIN(tst_PreferencesDialog)
#include "tst_preferencesdialog.moc"
