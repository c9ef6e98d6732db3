#include "llm/servicecatalog.h"
#include "settings/preferencesdialog.h"
#include "settings/settings.h"
#include "views/messagebox.h"
#include "views/outputtextdialog.h"

#include "app/mainwindow.h"
#include "model/translationmodel.h"
#include "support/httpserver.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

// Every log line, of every category and level, so that a leaked key is caught wherever it goes.
QStringList capturedLog;
QtMessageHandler testLogHandler = nullptr;

void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    capturedLog.append(message);
    if (type != QtDebugMsg && type != QtInfoMsg)
        testLogHandler(type, context, message);
}

const QString openAIUrl = QStringLiteral("https://api.openai.com/v1/chat/completions");

LLMConfiguration configuration(const QString &name, const QString &apiurl, const QString &apikey,
    const QString &model = QString(), const QString &service = QStringLiteral("OpenAI"))
{
    return { 0, name, apiurl, apikey, model, service };
}

PromptRecord prompt(const QString &name, const QString &user = QStringLiteral("user"))
{
    return { 0, name, name + QStringLiteral(" system"), name + QStringLiteral(" assistant"), user };
}

QByteArray serviceError(const QByteArray &message)
{
    return R"({"error":{"message":")" + message + R"(","type":"invalid_request_error"}})";
}

// The stored values, one per row, of what the editor `field` shows.
QStringList stored(const QString &field)
{
    QStringList values;
    if (field == u"edtPromptName" || field == u"edtUserPrompt") {
        for (const PromptRecord &p : Settings().prompts())
            values << (field == u"edtPromptName" ? p.name : p.userPrompt);
        return values;
    }
    for (const LLMConfiguration &c : Settings().llmConfigurations()) {
        values << (field == u"edtLLMItemName" ? c.name
                : field == u"cbAPIUrl"        ? c.apiurl
                : field == u"cbModel"         ? c.model
                                              : c.apikey);
    }
    return values;
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
    void init();

    void serviceDefaults_data();
    void serviceDefaults();
    void add_data();
    void add();
    void rowChangeAfterEdit_data();
    void rowChangeAfterEdit();
    void remove_data();
    void remove();
    void validateRows();
    void testPrompt_data();
    void testPrompt();
    void fetchModels_data();
    void fetchModels();
    void presets();

    void languageLists();
    void setSourceLanguage_data();
    void setSourceLanguage();
    void mainWindowStoresSourceLanguage();

private:
    template <typename T = QWidget> T *widget(QWidget &dialog, const QString &name)
    {
        T *found = dialog.findChild<T *>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    void click(QWidget &dialog, const char *name)
    {
        widget<QPushButton>(dialog, QLatin1String(name))->click();
    }
    QStringList shownTitles() const
    {
        QStringList titles;
        for (const MessageBox::Shown &box : MessageBox::shown())
            titles << box.title;
        return titles;
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
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=true"));
    testLogHandler = qInstallMessageHandler(captureMessage);
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
}

void tst_PreferencesDialog::init()
{
    QFile::remove(Settings().fileName());
    MessageBox::clear();
    server.clearRequests();
    server.setHandler(nullptr);
    openedUrls.clear();
    capturedLog.clear();
}

void tst_PreferencesDialog::serviceDefaults_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("url"); // the chat endpoint offered first

    // clang-format off
    QTest::newRow("OpenAI")    << "OpenAI"    << openAIUrl;
    QTest::newRow("Azure")     << "Azure"     << ""; // every deployment has a URL of its own
    QTest::newRow("Anthropic") << "Anthropic" << "https://api.anthropic.com/v1/messages";
    QTest::newRow("Gemini")    << "Gemini"    << "https://generativelanguage.googleapis.com/v1beta/models/${model}:generateContent?key=";
    QTest::newRow("DeepSeek")  << "DeepSeek"  << "https://api.deepseek.com/chat/completions";
    // clang-format on
}

void tst_PreferencesDialog::serviceDefaults()
{
    QFETCH(QString, service);
    QFETCH(QString, url);

    // No configuration or prompt: nothing to apply or remove, no question asked.
    Settings().setRequestsAtATime(6);
    Settings().setMarkLLMTranslations(false);
    PreferencesDialog dialog(&network);
    auto *name = widget<QLineEdit>(dialog, "edtLLMItemName");
    auto *key = widget<QLineEdit>(dialog, "edtAPIKey");
    name->setText("typed");
    key->setText("typed");
    for (const char *button :
        { "btnApplyLLMItem", "btnRemoveLLMItem", "btnApplyPrompt", "btnRemovePrompt" })
        click(dialog, button);
    QCOMPARE(widget<QTableWidget>(dialog, "tableLLMItems")->rowCount(), 0);
    QVERIFY(MessageBox::shown().isEmpty());
    auto *serviceList = widget<QComboBox>(dialog, "cbServicesList");
    serviceList->setCurrentText(service == "OpenAI" ? "DeepSeek" : "OpenAI");
    serviceList->setCurrentText(service);

    // Another service starts a new configuration: its defaults, no name, no key.
    auto *urls = widget<QComboBox>(dialog, "cbAPIUrl");
    QCOMPARE(urls->currentText(), url);
    QCOMPARE(widget<QComboBox>(dialog, "cbModel")->currentText(),
        ServiceCatalog::models(service).value(0));
    QVERIFY(name->text().isEmpty() && key->text().isEmpty());

    // Azure names no model, so there is no list to fetch.
    QVERIFY(!widget<QPushButton>(dialog, "btnFetchModels")->isEnabled());
    urls->setEditText(server.url("/openai/v1/chat/completions"));
    key->setText("secret-key");
    QCOMPARE(widget<QPushButton>(dialog, "btnFetchModels")->isEnabled(), service != "Azure");

    emit widget<QLabel>(dialog, "labelGetAPIKey")->linkActivated(QStringLiteral("#"));
    QCOMPARE(openedUrls, QList<QUrl> { QUrl(ServiceCatalog::apiKeyPage(service)) });

    // The run choices show as stored and are stored on OK.
    auto *requests = widget<QSpinBox>(dialog, "spinRequestsAtATime");
    auto *mark = widget<QCheckBox>(dialog, "chkMarkLLMTranslations");
    QVERIFY(requests->value() == 6 && !mark->isChecked());
    requests->setValue(3);
    mark->setChecked(true);
    click(dialog, "btnOK");
    QVERIFY(!Settings().hasLLMConfiguration() && Settings().prompts().isEmpty());
    QVERIFY(Settings().requestsAtATime() == 3 && Settings().markLLMTranslations());
}

void tst_PreferencesDialog::add_data()
{
    QTest::addColumn<bool>("prompts");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<int>("rows");

    const QString empty = "The LLM configuration name, API URL and API key cannot be empty.";
    const QString url = openAIUrl;
    // clang-format off
    QTest::newRow("LLM: empty name")      << false << ""      << url << "k2"  << empty << 1;
    QTest::newRow("LLM: empty URL")       << false << "First" << ""  << "k2"  << empty << 1;
    QTest::newRow("LLM: blank key")       << false << "First" << url << "   " << empty << 1;
    QTest::newRow("LLM: exact duplicate") << false << "First" << url << "k1"
                                          << "The LLM configuration already exists."   << 1;
    QTest::newRow("LLM: only the key differs")
                                          << false << "First" << url << "k2"  << ""    << 2;
    QTest::newRow("prompt: empty name")   << true  << ""      << ""  << ""
                                          << "The prompt name cannot be empty."        << 2;
    QTest::newRow("prompt: existing name") << true << "First" << ""  << ""
                                          << "The prompt name already exists."         << 2;
    QTest::newRow("prompt: new name")     << true  << "Third" << ""  << ""    << ""    << 3;
    // clang-format on
}

void tst_PreferencesDialog::add()
{
    QFETCH(bool, prompts);
    QFETCH(QString, name);
    QFETCH(QString, url);
    QFETCH(QString, key);
    QFETCH(QString, warning);
    QFETCH(int, rows);

    store({ configuration("First", openAIUrl, "k1", ServiceCatalog::models("OpenAI").first()) }, 0,
        { prompt("First"), prompt("Second") }, 1);
    PreferencesDialog dialog(&network);
    if (prompts) {
        widget<QLineEdit>(dialog, "edtPromptName")->setText(name);
        widget<QPlainTextEdit>(dialog, "edtUserPrompt")->setPlainText("new user prompt");
        click(dialog, "btnAddPrompt");
    } else {
        widget<QLineEdit>(dialog, "edtLLMItemName")->setText(name);
        widget<QComboBox>(dialog, "cbAPIUrl")->setEditText(url);
        widget<QLineEdit>(dialog, "edtAPIKey")->setText(key);
        click(dialog, "btnAddLLMItem");
    }

    // The new entry becomes the one in use.
    auto *table = widget<QTableWidget>(dialog, prompts ? "tablePrompts" : "tableLLMItems");
    const int usedColumn = prompts ? 1 : 5;
    QCOMPARE(table->rowCount(), rows);
    if (warning.isEmpty()) {
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(table->item(rows - 1, usedColumn)->text(), QStringLiteral("Yes"));
        QCOMPARE(table->item(rows - 2, usedColumn)->text(), QStringLiteral("No"));
    } else {
        QCOMPARE(shownTitles(), QStringList(prompts ? "Add Prompt" : "Add LLM Configuration"));
        QCOMPARE(MessageBox::shown().constFirst().text, warning);
    }

    click(dialog, "btnOK");
    const QStringList values = stored(prompts ? "edtUserPrompt" : "edtAPIKey");
    QCOMPARE(values.size(), rows);
    QCOMPARE(prompts ? Settings().usedPromptId() : Settings().usedLLMId(), rows - 1);
    if (warning.isEmpty())
        QCOMPARE(values.last(), prompts ? QStringLiteral("new user prompt") : key);
    // The prompt in use was not applied, so it is stored as it was.
    if (prompts)
        QCOMPARE(values.at(1), QStringLiteral("user"));
}

void tst_PreferencesDialog::rowChangeAfterEdit_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("storedFirst");
    QTest::addColumn<QString>("editorAfter");
    QTest::addColumn<int>("used");

    const int yes = QMessageBox::Yes;
    const int no = QMessageBox::No;
    const int cancel = QMessageBox::Cancel;
    const QString key = "edtAPIKey";
    const QString user = "edtUserPrompt";
    // After Cancel the test presses Apply: the edits belong to the row left, not to the
    // highlighted one.
    // clang-format off
    QTest::newRow("LLM: Yes applies to the row left") << key << yes << "edited" << "k1" << 1;
    QTest::newRow("LLM: No discards")            << key    << no     << "k0"     << "k1"      << 1;
    QTest::newRow("LLM: Cancel keeps the edits") << key    << cancel << "edited" << "edited"  << 0;
    QTest::newRow("LLM: name")      << "edtLLMItemName" << yes    << "edited" << "One"     << 1;
    QTest::newRow("LLM: URL")       << "cbAPIUrl"       << yes    << "edited" << openAIUrl << 1;
    QTest::newRow("LLM: model")     << "cbModel"        << yes    << "edited" << "m1"      << 1;
    QTest::newRow("prompt: Yes")    << user             << yes    << "edited" << "user1"   << 1;
    QTest::newRow("prompt: No")     << user             << no     << "user0"  << "user1"   << 1;
    QTest::newRow("prompt: Cancel") << user             << cancel << "edited" << "edited"  << 0;
    // clang-format on
}

void tst_PreferencesDialog::rowChangeAfterEdit()
{
    QFETCH(QString, field);
    QFETCH(int, answer);
    QFETCH(QString, storedFirst);
    QFETCH(QString, editorAfter);
    QFETCH(int, used);

    // Two prompts of the same name (Apply does not refuse one) are still told apart.
    store({ configuration("Zero", openAIUrl, "k0", "m0"),
              configuration("One", openAIUrl, "k1", "m1", "DeepSeek") },
        0, { prompt("Same", "user0"), prompt("Same", "user1") }, 0);
    const bool prompts = field == QLatin1String("edtUserPrompt");
    const QStringList before = stored(field);
    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, prompts ? "tablePrompts" : "tableLLMItems");
    QWidget *editor = widget(dialog, field);
    // Every editor has the text it edits as its user property, as item delegates rely on.
    const QMetaProperty text = editor->metaObject()->userProperty();
    QCOMPARE(text.read(editor).toString(), before.at(0));

    text.write(editor, QStringLiteral("edited"));
    MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));
    table->setCurrentCell(1, 0);
    QCOMPARE(shownTitles(), QStringList(prompts ? "Apply Prompt" : "Apply LLM Configuration"));
    QCOMPARE(table->currentRow(), 1);
    QCOMPARE(text.read(editor).toString(), editorAfter);
    if (!prompts && answer != QMessageBox::Cancel)
        QCOMPARE(widget<QComboBox>(dialog, "cbServicesList")->currentText(), "DeepSeek");
    if (answer == QMessageBox::Cancel)
        click(dialog, prompts ? "btnApplyPrompt" : "btnApplyLLMItem");
    QCOMPARE(table->item(used, prompts ? 1 : 5)->text(), QStringLiteral("Yes"));

    click(dialog, "btnOK");
    QCOMPARE(stored(field), QStringList({ storedFirst, before.at(1) }));
    QCOMPARE(prompts ? Settings().usedPromptId() : Settings().usedLLMId(), used);
}

void tst_PreferencesDialog::remove_data()
{
    QTest::addColumn<bool>("prompts");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("used");
    QTest::addColumn<int>("selectAfter");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<int>("storedUsed");
    QTest::addColumn<QString>("editorName");

    const QStringList first { "N1", "N2" };
    const QStringList last { "N0", "N1" };
    // clang-format off
    QTest::newRow("LLM: row 0 in use")  << false << 3 << 0 << -1 << first         <<  0 << "N1";
    QTest::newRow("LLM: row 2 in use")  << false << 3 << 2 << -1 << last          <<  1 << "N1";
    QTest::newRow("LLM: the only one")  << false << 1 << 0 << -1 << QStringList() << -1 << "N0";
    QTest::newRow("prompt: row 2")      << true  << 3 << 2 << -1 << last          <<  1 << "N1";
    QTest::newRow("prompt: row 0")      << true  << 3 << 0 << -1 << first         <<  0 << "N1";
    QTest::newRow("prompt: row 0, then row 1 chosen")
                                        << true  << 3 << 0 <<  1 << first         <<  1 << "N2";
    // clang-format on
}

void tst_PreferencesDialog::remove()
{
    QFETCH(bool, prompts);
    QFETCH(int, count);
    QFETCH(int, used);
    QFETCH(int, selectAfter);
    QFETCH(QStringList, remaining);
    QFETCH(int, storedUsed);
    QFETCH(QString, editorName);

    QList<LLMConfiguration> configurations;
    QList<PromptRecord> records;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("N%1").arg(i);
        if (prompts)
            records << prompt(name);
        else
            configurations << configuration(name, "https://example.org/v1", "key" + name);
    }
    store(configurations, prompts ? 0 : used, records, prompts ? used : 0);

    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, prompts ? "tablePrompts" : "tableLLMItems");
    MessageBox::setNextAnswer(QMessageBox::Yes);
    click(dialog, prompts ? "btnRemovePrompt" : "btnRemoveLLMItem");
    QCOMPARE(shownTitles(), QStringList(prompts ? "Remove Prompt" : "Remove LLM Configuration"));
    QCOMPARE(table->rowCount(), remaining.size());
    if (selectAfter >= 0)
        table->setCurrentCell(selectAfter, 0);
    const QString nameField = prompts ? "edtPromptName" : "edtLLMItemName";
    QCOMPARE(widget<QLineEdit>(dialog, nameField)->text(), editorName);
    if (storedUsed >= 0)
        QCOMPARE(table->item(storedUsed, prompts ? 1 : 5)->text(), QStringLiteral("Yes"));

    click(dialog, "btnOK");
    QCOMPARE(stored(nameField), remaining);
    QCOMPARE(prompts ? Settings().usedPromptId() : Settings().usedLLMId(), storedUsed);
}

void tst_PreferencesDialog::validateRows()
{
    // The first request is answered last.
    server.setHandler([](const HttpServer::Request &request) {
        if (request.headers.value("authorization") == "Bearer good-key-1234") {
            HttpServer::Response response = HttpServer::Response::answer({}, "I am a model");
            response.delay = 400;
            return response;
        }
        return HttpServer::Response::json(serviceError("Incorrect API key provided"), 401);
    });
    const QString url = server.url("/v1/chat/completions");
    store({ configuration("Good", url, "good-key-1234", "m"),
              configuration("Bad", url, "bad-key-5678", "m") },
        0, { prompt("In use") });

    PreferencesDialog dialog(&network);
    auto *table = widget<QTableWidget>(dialog, "tableLLMItems");
    // The key shows masked in the table, and in its editor until the user asks to see it.
    QCOMPARE(table->item(0, 4)->text(), QString(8, QChar(0x2022)));
    auto *keyEditor = widget<QLineEdit>(dialog, "edtAPIKey");
    QCOMPARE(keyEditor->echoMode(), QLineEdit::Password);
    widget<QCheckBox>(dialog, "chkShowAPIKey")->setChecked(true);
    QCOMPARE(keyEditor->echoMode(), QLineEdit::Normal);
    qobject_cast<QPushButton *>(table->cellWidget(0, 7))->click();
    qobject_cast<QPushButton *>(table->cellWidget(1, 7))->click();

    QTRY_COMPARE_WITH_TIMEOUT(table->item(1, 6)->text(), QStringLiteral("Error"), 10000);
    QCOMPARE(table->item(0, 6)->text(), QStringLiteral("Unknown"));
    QTRY_COMPARE_WITH_TIMEOUT(table->item(0, 6)->text(), QStringLiteral("OK"), 10000);

    // Each configuration gets the greeting alone, whatever prompt is in use.
    QCOMPARE(server.requests().size(), 2);
    QCOMPARE(server.requests().constFirst().promptLines(), QStringList("Hello, who are you?"));
    QCOMPARE(server.requests().constFirst().json().value("messages").toArray().size(), 1);
    QCOMPARE(shownTitles(), QStringList("Validate LLM Service"));
    QVERIFY2(MessageBox::shown().constFirst().text.contains("Incorrect API key provided"),
        qPrintable(MessageBox::shown().constFirst().text));
    // Nor is it ever written to the log.
    QVERIFY(!capturedLog.isEmpty());
    for (const QString &line : std::as_const(capturedLog))
        QVERIFY2(
            !line.contains("good-key-1234") && !line.contains("bad-key-5678"), qPrintable(line));
}

void tst_PreferencesDialog::testPrompt_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("shown");

    QTest::newRow("answer") << 200 << "[{\"id\":1}]";
    QTest::newRow("service error") << 500 << "The server had an error";
}

void tst_PreferencesDialog::testPrompt()
{
    QFETCH(int, status);
    QFETCH(QString, shown);

    server.enqueue(status == 200
            ? HttpServer::Response::answer({}, shown)
            : HttpServer::Response::json(serviceError(shown.toUtf8()), status));
    store({ configuration("Local", server.url("/v1/chat/completions"), "key", "m") }, 0,
        { prompt("First"),
            prompt("Second", "Translate {{text list}} to {{target language list}}") },
        0);

    PreferencesDialog dialog(&network);
    auto *test =
        qobject_cast<QPushButton *>(widget<QTableWidget>(dialog, "tablePrompts")->cellWidget(1, 2));
    // The answer arrives in a modal dialog, closed here once its text has been read.
    QString text;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&text] {
        if (auto *output = qobject_cast<OutputTextDialog *>(QApplication::activeModalWidget())) {
            text = output->findChild<QTextEdit *>(QStringLiteral("textEdit"))->toPlainText();
            output->reject();
        }
    });
    poll.start(10);
    test->click();
    QTRY_VERIFY2_WITH_TIMEOUT(text.contains(shown), qPrintable(text), 10000);

    // The row's own prompt goes out, filled with the test texts.
    QCOMPARE(server.requests().size(), 1);
    const QByteArray sent = server.requests().constFirst().body;
    QVERIFY(sent.contains("Second system"));
    QVERIFY(sent.contains("Hello, how are you?"));
    QVERIFY(!sent.contains("First system"));
}

void tst_PreferencesDialog::fetchModels_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("chatPath");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("request"); // the list's target, then the header with the key
    QTest::addColumn<QStringList>("models");
    QTest::addColumn<QString>("failure");

    const QString chat = "/v1/chat/completions";
    const QByteArray openAI = "/v1/models authorization: Bearer secret-key";
    // clang-format off
    QTest::newRow("OpenAI: sorted, chat models only") << "OpenAI" << chat << 200
        << QByteArray(R"({"object":"list","data":[{"id":"gpt-z"},{"id":"text-embedding-3-small"},
                         {"id":"gpt-a"},{"id":"whisper-1"}]})")
        << openAI << QStringList { "gpt-a", "gpt-z" } << "";
    QTest::newRow("Anthropic: newest first kept") << "Anthropic" << "/v1/messages" << 200
        << QByteArray(R"({"data":[{"id":"claude-b","type":"model"},{"id":"claude-a"}],"has_more":false})")
        << QByteArray("/v1/models?limit=1000 x-api-key: secret-key") << QStringList { "claude-b", "claude-a" } << "";
    QTest::newRow("Anthropic, OpenAI-compatible URL") << "Anthropic" << chat << 200 << QByteArray(R"({"data":[{"id":"claude-a"}]})")
        << QByteArray("/v1/models?limit=1000 x-api-key: secret-key") << QStringList { "claude-a" } << "";
    QTest::newRow("Gemini: generateContent models, key in a header")
        << "Gemini" << "/v1beta/models/${model}:generateContent?key=" << 200
        << QByteArray(R"({"models":[
               {"name":"models/gemini-x","supportedGenerationMethods":["generateContent"]},
               {"name":"models/embedding-001","supportedGenerationMethods":["embedContent"]}]})")
        << QByteArray("/v1beta/models?pageSize=1000 x-goog-api-key: secret-key") << QStringList { "gemini-x" } << "";
    // A failure keeps the list and the model typed; the key in the service's message is masked.
    QTest::newRow("refused key") << "OpenAI" << chat << 401 << serviceError("Incorrect API key provided: secret-key")
                                 << openAI << QStringList() << "Incorrect API key provided: ***";
    QTest::newRow("not JSON")    << "OpenAI" << chat << 200 << QByteArray("<html>Bad gateway</html>")
                                 << openAI << QStringList() << "The model list is not a JSON object";
    QTest::newRow("empty list")  << "OpenAI" << chat << 200 << QByteArray(R"({"data":[]})")
                                 << openAI << QStringList() << "The service listed no models.";
    // clang-format on
}

void tst_PreferencesDialog::fetchModels()
{
    QFETCH(QString, service);
    QFETCH(QString, chatPath);
    QFETCH(int, status);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, request);
    QFETCH(QStringList, models);
    QFETCH(QString, failure);

    server.enqueue(HttpServer::Response::json(answer, status));
    PreferencesDialog dialog(&network);
    widget<QComboBox>(dialog, "cbServicesList")->setCurrentText(service);
    auto *fetch = widget<QPushButton>(dialog, "btnFetchModels");
    auto *modelList = widget<QComboBox>(dialog, "cbModel");
    if (!failure.isEmpty())
        modelList->setEditText("my-own-model");
    widget<QComboBox>(dialog, "cbAPIUrl")->setEditText(server.url(chatPath));
    widget<QLineEdit>(dialog, "edtAPIKey")->setText("secret-key");
    fetch->click();

    if (failure.isEmpty()) {
        QTRY_COMPARE_WITH_TIMEOUT(modelList->count(), models.size(), 10000);
        QVERIFY(MessageBox::shown().isEmpty());
        // The built-in suggestion the service does not offer gives way to the service's first.
        QCOMPARE(modelList->currentText(), models.constFirst());
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(shownTitles(), QStringList("Fetch Models"), 10000);
        QVERIFY2(MessageBox::shown().constFirst().text.contains(failure),
            qPrintable(MessageBox::shown().constFirst().text));
        models = ServiceCatalog::models(service);
        QCOMPARE(modelList->currentText(), QStringLiteral("my-own-model"));
    }
    QStringList listed;
    for (int i = 0; i < modelList->count(); ++i)
        listed << modelList->itemText(i);
    QCOMPARE(listed, models);
    QVERIFY(fetch->isEnabled());
    QVERIFY(!capturedLog.join('\n').contains("secret-key"));

    const HttpServer::Request sent = server.requests().constFirst();
    const QList<QByteArray> parts = request.split(' ');
    QCOMPARE(sent.method + ' ' + sent.target, "GET " + parts.at(0));
    QCOMPARE(sent.headers.value(parts.at(1).chopped(1)), parts.mid(2).join(' '));
}

void tst_PreferencesDialog::presets()
{
    Settings settings;
    const QStringList roles = settings.roleNames();
    const PromptRecord defaults = settings.role("default");
    const QString other = roles.constLast() == "default" ? roles.constFirst() : roles.constLast();
    QVERIFY(settings.role(other).userPrompt != defaults.userPrompt);
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
    QCOMPARE(user->toPlainText(), defaults.userPrompt);
    QCOMPARE(widget<QLineEdit>(dialog, "edtPromptName")->text(), QStringLiteral("kept"));

    // The filling counts as an edit: the next one asks, and No leaves the editors alone.
    presetList->setCurrentText(other);
    click(dialog, "btnFillDefaultPrompt");
    QCOMPARE(shownTitles(), QStringList("Use Preset"));
    QCOMPARE(user->toPlainText(), defaults.userPrompt);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    click(dialog, "btnFillDefaultPrompt");
    QCOMPARE(user->toPlainText(), settings.role(other).userPrompt);
}

void tst_PreferencesDialog::languageLists()
{
    PreferencesDialog dialog(&network);
    auto *languages = widget<QComboBox>(dialog, "cbSourceLanguage");
    auto *territories = widget<QComboBox>(dialog, "cbSourceTerritory");
    const auto sortedFrom = [](QComboBox *list, int from) {
        for (int i = from + 1; i < list->count(); ++i) {
            if (list->itemText(i - 1).compare(list->itemText(i), Qt::CaseInsensitive) >= 0)
                return false;
        }
        return true;
    };
    // "POSIX" first, then the toolkit's real languages, each once and sorted, with native names
    // but for English.
    QCOMPARE(languages->itemData(0).toInt(), int(QLocale::C));
    QVERIFY(languages->count() > 200 && sortedFrom(languages, 1));
    QVERIFY(languages->findText("Unknown", Qt::MatchStartsWith) < 0);
    QCOMPARE(languages->itemText(languages->findData(int(QLocale::English))), "English");
    QCOMPARE(languages->itemText(languages->findData(int(QLocale::German))), "German (Deutsch)");

    // Territories: "Any Territory" first, then sorted; POSIX has no other.
    languages->setCurrentIndex(languages->findData(int(QLocale::German)));
    QCOMPARE(territories->currentData().toInt(), 0);
    QVERIFY(territories->findText("Germany (Deutschland)") > 0 && sortedFrom(territories, 1));
    languages->setCurrentIndex(0);
    QCOMPARE(territories->count(), 1);
    QCOMPARE(territories->itemText(0), QStringLiteral("Any Territory"));

    // A name kept because it matched no item gives way to the user's own choice.
    dialog.setSourceLanguage("Klingon");
    languages->setCurrentIndex(languages->findData(int(QLocale::French)));
    territories->setCurrentIndex(territories->findText("Canada (Canada)"));
    click(dialog, "btnOK");
    QCOMPARE(dialog.sourceLanguage(), QStringLiteral("French"));
    QCOMPARE(dialog.sourceTerritory(), QString::number(int(QLocale::Canada)));
}

void tst_PreferencesDialog::setSourceLanguage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("selected"); // empty: the toolkit's first language
    QTest::addColumn<QString>("territory");
    QTest::addColumn<QString>("result");

    const QString any = "Any Territory";
    // clang-format off
    QTest::newRow("language name") << "Chinese" << "Chinese (简体中文)" << any << "Chinese";
    QTest::newRow("empty")         << ""        << "POSIX"             << any << "POSIX";
    QTest::newRow("unknown name kept") << "Klingon" << ""              << any << "Klingon";
    QTest::newRow("display name with territory kept")
        << "Chinese (Taiwan)" << "Chinese (简体中文)" << "Taiwan (台灣)" << "Chinese (Taiwan)";
    // clang-format on
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

void tst_PreferencesDialog::mainWindowStoresSourceLanguage()
{
    QTemporaryDir project;
    const QString file = project.filePath("app_de.ts");
    QVERIFY(QFile::copy(TestSupport::dataPath("opening/app_de.ts"), file));
    MainWindow window;
    QVERIFY(window.openTranslationFiles({ file }));
    TranslationModel *model = window.currentTranslationModel();
    // Cancel keeps the language the dialog showed; OK hands French to the model.
    for (const char *button : { "btnCancel", "btnOK" }) {
        QString shown;
        QTimer::singleShot(0, &window, [button, &shown] {
            auto *dialog = qobject_cast<PreferencesDialog *>(QApplication::activeModalWidget());
            auto *languages = dialog->findChild<QComboBox *>("cbSourceLanguage");
            shown = languages->currentText();
            languages->setCurrentIndex(languages->findData(int(QLocale::French)));
            dialog->findChild<QPushButton *>(QLatin1String(button))->click();
        });
        window.findChild<QAction *>("actionPreferences")->trigger();
        QCOMPARE(shown, QStringLiteral("English"));
    }
    QCOMPARE(model->sourceLanguageName(), QStringLiteral("French"));
}

QTEST_MAIN(tst_PreferencesDialog)
#include "tst_preferencesdialog.moc"
