#include "settings/preferencesdialog.h"

#include "llm/llmserviceprofile.h"
#include "llm/llmservicereplyhelper.h"
#include "llm/llmservicerequesthelper.h"
#include "llm/servicecatalog.h"
#include "views/messagebox.h"
#include "views/outputtextdialog.h"

#include "ui_preferencesdialog.h"

#include <QDesktopServices>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPersistentModelIndex>
#include <QPushButton>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

enum LLMColumn {
    LLMName,
    LLMService,
    LLMApiUrl,
    LLMModel,
    LLMApiKey,
    LLMUsed,
    LLMStatus,
    LLMValidate
};
enum PromptColumn { PromptName, PromptUsed, PromptTest };

const QString rightIcon = QStringLiteral(":/rc/icons/right.png");
const QString wrongIcon = QStringLiteral(":/rc/icons/wrong.png");
const QString questionIcon = QStringLiteral(":/rc/icons/question-mark.png");
const QString azureService = QStringLiteral("Azure");
const QString defaultRole = QStringLiteral("default");
// Validation and prompt tests give up after as long a silence as a translation does.
constexpr int replySilenceTimeoutMs = 180000;

QTableWidgetItem *readOnlyItem(const QString &text, bool centred = false)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (centred)
        item->setTextAlignment(Qt::AlignCenter);
    return item;
}

// The table shows that a key is there, and its last characters to tell two keys apart, but
// never enough of it to be read off the screen.
QString maskedKey(const QString &key)
{
    const QString dots(8, QChar(0x2022));
    return key.isEmpty() ? QString() : key.size() < 16 ? dots : dots + key.right(4);
}

void setMark(QTableWidgetItem *item, const QString &icon, const QString &text)
{
    if (!item)
        return;
    item->setIcon(QIcon(icon));
    item->setText(text);
}

} // namespace

PreferencesDialog::PreferencesDialog(QNetworkAccessManager *networkAccessManager, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::PreferencesDialog>())
    , settings(std::make_unique<Settings>())
    , networkAccessManager(networkAccessManager)
{
    ui->setupUi(this);

    connect(ui->cbSourceLanguage, &QComboBox::currentIndexChanged, this,
        &PreferencesDialog::onComboBoxSourceLanguageIndexChanged);
    fillLanguageList();

    ui->tableLLMItems->horizontalHeader()->setSectionResizeMode(LLMApiUrl, QHeaderView::Stretch);
    ui->tablePrompts->horizontalHeader()->setSectionResizeMode(PromptName, QHeaderView::Stretch);

    connect(ui->btnOK, &QPushButton::clicked, this, &PreferencesDialog::onBtnOKClicked);
    connect(ui->btnCancel, &QPushButton::clicked, this, &PreferencesDialog::onBtnCancelClicked);
    connect(
        ui->btnAddLLMItem, &QPushButton::clicked, this, &PreferencesDialog::onBtnAddLLMItemClicked);
    connect(ui->btnRemoveLLMItem, &QPushButton::clicked, this,
        &PreferencesDialog::onBtnRemoveLLMItemClicked);
    connect(ui->btnApplyLLMItem, &QPushButton::clicked, this,
        &PreferencesDialog::onBtnApplyLLMItemClicked);
    connect(ui->tableLLMItems, &QTableWidget::currentCellChanged, this,
        &PreferencesDialog::onTableLLMItemsCurrentRowChanged);
    connect(
        ui->btnAddPrompt, &QPushButton::clicked, this, &PreferencesDialog::onBtnAddPromptClicked);
    connect(ui->btnRemovePrompt, &QPushButton::clicked, this,
        &PreferencesDialog::onBtnRemovePromptClicked);
    connect(ui->btnApplyPrompt, &QPushButton::clicked, this,
        &PreferencesDialog::onBtnApplyPromptClicked);
    connect(ui->tablePrompts, &QTableWidget::currentCellChanged, this,
        &PreferencesDialog::onTablePromptsCurrentCellChanged);
    connect(ui->btnFillDefaultPrompt, &QPushButton::clicked, this,
        &PreferencesDialog::onBtnFillDefaultPromptClicked);
    connect(ui->cbPresets, &QComboBox::currentTextChanged, this,
        &PreferencesDialog::onPresetTextChanged);
    connect(ui->labelGetAPIKey, &QLabel::linkActivated, this,
        &PreferencesDialog::onGetAPIKeyLinkActivated);
    connect(ui->btnFetchModels, &QPushButton::clicked, this,
        &PreferencesDialog::onBtnFetchModelsClicked);
    // The fetch button follows the fields it needs whether or not the edits are watched.
    connect(ui->cbServicesList, &QComboBox::currentTextChanged, this,
        &PreferencesDialog::updateFetchModelsButton);
    connect(ui->cbAPIUrl, &QComboBox::currentTextChanged, this,
        &PreferencesDialog::updateFetchModelsButton);
    connect(
        ui->edtAPIKey, &QLineEdit::textChanged, this, &PreferencesDialog::updateFetchModelsButton);

    ui->cbAPIUrl->lineEdit()->setClearButtonEnabled(true);
    ui->cbModel->lineEdit()->setClearButtonEnabled(true);
    ui->edtAPIKey->setClearButtonEnabled(true);
    // The key is shown only on request: a screen may be shared or recorded.
    connect(ui->chkShowAPIKey, &QCheckBox::toggled, this, [this](bool show) {
        ui->edtAPIKey->setEchoMode(show ? QLineEdit::Normal : QLineEdit::Password);
    });
    ui->cbAPIUrl->lineEdit()->setPlaceholderText(
        ServiceCatalog::defaultApiUrls(ServiceCatalog::services().constFirst()).value(0));

    onServicesListCurrentTextChanged(ServiceCatalog::services().constFirst());
    promptModified = false;
    llmModified = false;

    loadSettings();
    connectEditWatchers();
    ui->tabWidget->setCurrentWidget(ui->tabLLM);
}

PreferencesDialog::~PreferencesDialog() = default;

void PreferencesDialog::loadSettings()
{
    prompts = settings->prompts();
    for (int i = 0; i < prompts.size(); ++i)
        prompts[i].id = i;
    for (const PromptRecord &prompt : std::as_const(prompts))
        appendPromptRow(prompt);

    llmConfigurations = settings->llmConfigurations();
    for (int i = 0; i < llmConfigurations.size(); ++i)
        llmConfigurations[i].id = i;
    for (const LLMConfiguration &configuration : std::as_const(llmConfigurations))
        appendLLMRow(configuration);

    usedLLMId = settings->usedLLMId();
    if (usedLLMId >= 0 && usedLLMId < ui->tableLLMItems->rowCount()) {
        markUsedRow(ui->tableLLMItems, LLMUsed, usedLLMId);
        ui->tableLLMItems->setCurrentCell(usedLLMId, 0);
    }

    usedPromptId = settings->usedPromptId();
    if (usedPromptId >= 0 && usedPromptId < ui->tablePrompts->rowCount()) {
        markUsedRow(ui->tablePrompts, PromptUsed, usedPromptId);
        ui->tablePrompts->setCurrentCell(usedPromptId, 0);
    }

    ui->spinRequestsAtATime->setValue(settings->requestsAtATime());
    ui->chkMarkLLMTranslations->setChecked(settings->markLLMTranslations());

    const QStringList roles = settings->roleNames();
    ui->cbPresets->addItems(roles);
    // "Use Preset" with the list untouched gives the default prompt texts.
    const int defaultIndex = roles.indexOf(defaultRole);
    ui->cbPresets->setCurrentIndex(defaultIndex >= 0 ? defaultIndex : 0);
}

void PreferencesDialog::connectEditWatchers()
{
    if (!editWatchers.isEmpty())
        return;
    const auto prompt = &PreferencesDialog::onPromptTextChanged;
    const auto llm = &PreferencesDialog::onLLMItemTextChanged;
    editWatchers = {
        connect(ui->cbServicesList, &QComboBox::currentTextChanged, this,
            &PreferencesDialog::onServicesListCurrentTextChanged),
        connect(ui->edtSystemPrompt, &QPlainTextEdit::textChanged, this, prompt),
        connect(ui->edtAssistantPrompt, &QPlainTextEdit::textChanged, this, prompt),
        connect(ui->edtUserPrompt, &QPlainTextEdit::textChanged, this, prompt),
        connect(ui->edtPromptName, &QLineEdit::textChanged, this, prompt),
        connect(ui->cbAPIUrl, &QComboBox::currentTextChanged, this, llm),
        connect(ui->edtAPIKey, &QLineEdit::textChanged, this, llm),
        // A renamed configuration or another model is as much an edit as a new key: leaving
        // the row must not drop it without the apply question.
        connect(ui->edtLLMItemName, &QLineEdit::textChanged, this, llm),
        connect(ui->cbModel, &QComboBox::currentTextChanged, this, llm),
    };
}

void PreferencesDialog::disconnectEditWatchers()
{
    for (const QMetaObject::Connection &watcher : std::exchange(editWatchers, {}))
        disconnect(watcher);
}

void PreferencesDialog::onBtnOKClicked()
{
    if (!keepGivenSourceLanguage)
        sourceLanguageName = languageOfEntry(ui->cbSourceLanguage->currentText());
    sourceTerritoryCode = QString::number(ui->cbSourceTerritory->currentData().toInt());

    settings->savePrompts(prompts);
    settings->saveLLMConfigurations(llmConfigurations);
    settings->setUsedLLMId(usedLLMId);
    settings->setUsedPromptId(usedPromptId);
    settings->setRequestsAtATime(ui->spinRequestsAtATime->value());
    settings->setMarkLLMTranslations(ui->chkMarkLLMTranslations->isChecked());
    accept();
}

void PreferencesDialog::onBtnCancelClicked()
{
    reject();
}

// ---------------------------------------------------------------------------------------
// LLM configurations

void PreferencesDialog::onServicesListCurrentTextChanged(const QString &text)
{
    // A model list still on its way belongs to the service being left.
    delete modelListFetcher;
    modelListFetcher = nullptr;

    // Azure names the model by the deployment: the v1 URLs carry no deployment and need the
    // name in this field, and it tells a reasoning deployment from a classic one.
    ui->cbModel->lineEdit()->setPlaceholderText(
        text == azureService ? tr("Deployment name") : QString());

    ui->cbModel->clear();
    ui->cbModel->addItems(ServiceCatalog::models(text));
    if (ui->cbModel->count() > 0)
        ui->cbModel->setCurrentIndex(0);
    else
        ui->cbModel->setEditText(QString());

    ui->cbAPIUrl->clear();
    ui->cbAPIUrl->addItems(ServiceCatalog::defaultApiUrls(text));
    if (ui->cbAPIUrl->count() > 0)
        ui->cbAPIUrl->setCurrentIndex(0);
    else
        ui->cbAPIUrl->setEditText(QString());

    ui->edtAPIKey->clear();
    ui->edtLLMItemName->clear();
    llmModified = true;
    updateFetchModelsButton();
}

bool PreferencesDialog::editorsIncomplete() const
{
    const LLMConfiguration editors = configurationFromEditors();
    return editors.apikey.isEmpty() || editors.apiurl.isEmpty() || editors.name.isEmpty();
}

LLMConfiguration PreferencesDialog::configurationFromEditors() const
{
    LLMConfiguration configuration;
    configuration.name = ui->edtLLMItemName->text();
    // Blanks around a pasted URL or key are invisible in the field and break every request.
    configuration.apiurl = ui->cbAPIUrl->currentText().trimmed();
    configuration.apikey = ui->edtAPIKey->text().trimmed();
    configuration.model = ui->cbModel->currentText().trimmed();
    configuration.service = ui->cbServicesList->currentText();
    return configuration;
}

void PreferencesDialog::onBtnAddLLMItemClicked()
{
    if (editorsIncomplete()) {
        MessageBox::warning(this, tr("Add LLM Configuration"),
            tr("The LLM configuration name, API URL and API key cannot be "
               "empty."));
        return;
    }
    LLMConfiguration configuration = configurationFromEditors();
    const bool exists = std::any_of(llmConfigurations.cbegin(), llmConfigurations.cend(),
        [&configuration](const LLMConfiguration &c) {
            return c.name == configuration.name && c.apikey == configuration.apikey
                && c.apiurl == configuration.apiurl && c.model == configuration.model
                && c.service == configuration.service;
        });
    if (exists) {
        MessageBox::warning(
            this, tr("Add LLM Configuration"), tr("The LLM configuration already exists."));
        return;
    }

    llmModified = false;
    configuration.id = int(llmConfigurations.size());
    llmConfigurations.append(configuration);
    appendLLMRow(configuration);
    ui->tableLLMItems->setCurrentCell(configuration.id, 0);
}

void PreferencesDialog::onBtnRemoveLLMItemClicked()
{
    const int row = ui->tableLLMItems->currentRow();
    if (row < 0 || row >= llmConfigurations.size())
        return;
    if (MessageBox::question(this, tr("Remove LLM Configuration"),
            tr("Are you sure you want to remove this LLM configuration?\nThis "
               "operation cannot be undone."))
        != QMessageBox::Yes)
        return;

    // Taking the row away moves the current row, and the row change makes that
    // configuration the one in use (in the numbering before the removal).
    ui->tableLLMItems->removeRow(row);
    llmConfigurations.removeAt(row);
    for (int i = row; i < llmConfigurations.size(); ++i)
        llmConfigurations[i].id = i;
    if (usedLLMId == row)
        usedLLMId = -1; // the removed one stayed in use: no other row was loaded
    else if (row < usedLLMId)
        --usedLLMId;
}

void PreferencesDialog::onBtnApplyLLMItemClicked()
{
    applyLLMItem(usedLLMId);
}

// The editors hold the configuration loaded last, which is the one in use: that is the row
// they are applied to, even when the highlight has moved on after a cancelled row change.
bool PreferencesDialog::applyLLMItem(int row)
{
    if (row < 0 || row >= llmConfigurations.size())
        return true;
    if (editorsIncomplete()) {
        MessageBox::warning(this, tr("Apply LLM Configuration"),
            tr("The LLM configuration name, API URL and API key cannot be "
               "empty."));
        return false;
    }
    LLMConfiguration configuration = configurationFromEditors();
    configuration.id = row;
    llmConfigurations[row] = configuration;
    setLLMRow(row, configuration);
    return true;
}

void PreferencesDialog::onTableLLMItemsCurrentRowChanged(
    int currentRow, int currentColumn, int previousRow, int previousColumn)
{
    Q_UNUSED(currentColumn)
    Q_UNUSED(previousColumn)
    // Another cell of the same row selects nothing new.
    if (currentRow < 0 || currentRow >= ui->tableLLMItems->rowCount()
        || currentRow >= llmConfigurations.size() || currentRow == previousRow)
        return;

    if (llmModified) {
        const auto answer = MessageBox::question(this, tr("Apply LLM Configuration"),
            tr("The LLM configuration has been modified. Are you sure you want to apply "
               "the LLM configuration?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer != QMessageBox::Yes && answer != QMessageBox::No)
            return;
        // A refused apply keeps the edits in the editors, as Cancel does.
        if (answer == QMessageBox::Yes && !applyLLMItem(usedLLMId))
            return;
        llmModified = false;
    }

    disconnectEditWatchers();
    const LLMConfiguration configuration = llmConfigurations.at(currentRow);
    ui->cbServicesList->setCurrentText(configuration.service);
    onServicesListCurrentTextChanged(configuration.service);
    llmModified = false;
    ui->edtLLMItemName->setText(configuration.name);
    ui->cbAPIUrl->setEditText(configuration.apiurl);
    ui->edtAPIKey->setText(configuration.apikey);
    ui->cbModel->setEditText(configuration.model);
    usedLLMId = currentRow;
    connectEditWatchers();
    markUsedRow(ui->tableLLMItems, LLMUsed, currentRow);
}

void PreferencesDialog::onLLMItemTextChanged()
{
    llmModified = true;
}

void PreferencesDialog::setLLMRow(int row, const LLMConfiguration &configuration)
{
    QTableWidget *table = ui->tableLLMItems;
    table->setItem(row, LLMName, readOnlyItem(configuration.name));
    table->setItem(row, LLMService, readOnlyItem(configuration.service, true));
    table->setItem(row, LLMApiUrl, readOnlyItem(configuration.apiurl));
    table->setItem(row, LLMModel, readOnlyItem(configuration.model, true));
    table->setItem(row, LLMApiKey, readOnlyItem(maskedKey(configuration.apikey)));
}

void PreferencesDialog::appendLLMRow(const LLMConfiguration &configuration)
{
    QTableWidget *table = ui->tableLLMItems;
    const int row = table->rowCount();
    table->insertRow(row);
    setLLMRow(row, configuration);

    QTableWidgetItem *used = readOnlyItem(QString(), true);
    setMark(used, wrongIcon, tr("No"));
    table->setItem(row, LLMUsed, used);
    QTableWidgetItem *status = readOnlyItem(QString(), true);
    setMark(status, questionIcon, tr("Unknown"));
    table->setItem(row, LLMStatus, status);

    auto *validate = new QPushButton(tr("Validate"), table);
    connect(validate, &QPushButton::clicked, this, &PreferencesDialog::onBtnValidateClicked);
    table->setCellWidget(row, LLMValidate, validate);
}

void PreferencesDialog::markUsedRow(QTableWidget *table, int usedColumn, int row)
{
    for (int r = 0; r < table->rowCount(); ++r)
        setMark(table->item(r, usedColumn), wrongIcon, tr("No"));
    setMark(table->item(row, usedColumn), rightIcon, tr("Yes"));
}

int PreferencesDialog::rowOfCellWidget(QTableWidget *table, int column, const QObject *widget) const
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->cellWidget(row, column) == widget)
            return row;
    }
    return -1;
}

void PreferencesDialog::onBtnValidateClicked()
{
    validateRow(rowOfCellWidget(ui->tableLLMItems, LLMValidate, sender()));
}

void PreferencesDialog::validateRow(int row)
{
    if (row < 0 || row >= llmConfigurations.size())
        return;

    LLMServiceRequestHelper helper(networkAccessManager);
    LLMServiceReplyHelper *reply = helper.validate(llmConfigurations.at(row));
    // Closing the dialog abandons the request rather than leaking it.
    reply->setParent(this);
    reply->setTimeout(replySilenceTimeoutMs);
    // A persistent index follows the row when rows above it are removed meanwhile, and
    // becomes invalid when the row itself goes.
    reply->setData(QVariant::fromValue(
        QPersistentModelIndex(ui->tableLLMItems->model()->index(row, LLMStatus))));
    connect(reply, &LLMServiceReplyHelper::done, this, &PreferencesDialog::onValidateFinished);
}

void PreferencesDialog::onValidateFinished()
{
    auto *reply = qobject_cast<LLMServiceReplyHelper *>(sender());
    if (!reply)
        return;
    const QPersistentModelIndex status = reply->data().value<QPersistentModelIndex>();
    const bool succeeded = reply->succeeded();
    QString errorMessage = reply->errorMessage();
    reply->deleteLater();

    if (!status.isValid())
        return;
    // A model that refuses a field of the request is asked again without it.
    if (reply->failure() == LLMServiceReplyHelper::Failure::UnsupportedParameter
        && status.row() < llmConfigurations.size()
        && LLMServiceProfile::rememberUnsupported(
            llmConfigurations.at(status.row()), reply->unsupportedParameter())) {
        validateRow(status.row());
        return;
    }
    QTableWidgetItem *item = ui->tableLLMItems->item(status.row(), LLMStatus);
    if (!item)
        return;
    if (succeeded) {
        setMark(item, rightIcon, tr("OK"));
        return;
    }
    setMark(item, wrongIcon, tr("Error"));
    if (errorMessage.isEmpty())
        errorMessage = tr("The service gave no answer.");
    MessageBox::warning(this, tr("Validate LLM Service"), errorMessage);
}

void PreferencesDialog::onGetAPIKeyLinkActivated(const QString &link)
{
    Q_UNUSED(link)
    const QString page = ServiceCatalog::apiKeyPage(ui->cbServicesList->currentText());
    if (!page.isEmpty())
        QDesktopServices::openUrl(QUrl(page));
}

void PreferencesDialog::updateFetchModelsButton()
{
    const LLMConfiguration editors = configurationFromEditors();
    ui->btnFetchModels->setEnabled(ServiceCatalog::canListModels(editors.service)
        && !editors.apiurl.isEmpty() && !editors.apikey.isEmpty()
        && !(modelListFetcher && modelListFetcher->isRunning()));
}

void PreferencesDialog::onBtnFetchModelsClicked()
{
    if (!modelListFetcher) {
        modelListFetcher = new ModelListFetcher(networkAccessManager, this);
        connect(modelListFetcher, &ModelListFetcher::finished, this,
            &PreferencesDialog::onModelListFetched);
    }
    const LLMConfiguration editors = configurationFromEditors();
    if (!modelListFetcher->fetch(editors.service, editors.apiurl, editors.apikey)) {
        MessageBox::warning(this, tr("Fetch Models"),
            tr("The API URL \"%1\" offers no model list.").arg(editors.apiurl));
        return;
    }
    updateFetchModelsButton();
}

void PreferencesDialog::onModelListFetched(const QStringList &models, const QString &errorMessage)
{
    updateFetchModelsButton();
    if (models.isEmpty()) {
        MessageBox::warning(this, tr("Fetch Models"),
            tr("The list of models could not be fetched: %1").arg(errorMessage));
        return;
    }
    const QString service = ui->cbServicesList->currentText();
    const QString typed = ui->cbModel->currentText();
    ui->cbModel->clear();
    ui->cbModel->addItems(models);
    // A name the user typed stays; a built-in suggestion the service does not offer goes.
    if (models.contains(typed)
        || (!typed.isEmpty() && !ServiceCatalog::models(service).contains(typed)))
        ui->cbModel->setEditText(typed);
    else
        ui->cbModel->setCurrentIndex(0);
}

// ---------------------------------------------------------------------------------------
// Prompts

void PreferencesDialog::appendPromptRow(const PromptRecord &prompt)
{
    QTableWidget *table = ui->tablePrompts;
    const int row = table->rowCount();
    table->insertRow(row);
    table->setItem(row, PromptName, readOnlyItem(prompt.name));
    QTableWidgetItem *used = readOnlyItem(QString());
    setMark(used, wrongIcon, tr("No"));
    table->setItem(row, PromptUsed, used);

    auto *test = new QPushButton(tr("Test"), table);
    connect(test, &QPushButton::clicked, this, &PreferencesDialog::onBtnTestPromptClicked);
    table->setCellWidget(row, PromptTest, test);
}

void PreferencesDialog::onTablePromptsCurrentCellChanged(
    int currentRow, int currentColumn, int previousRow, int previousColumn)
{
    Q_UNUSED(currentColumn)
    Q_UNUSED(previousColumn)
    if (currentRow < 0 || currentRow >= ui->tablePrompts->rowCount() || currentRow >= prompts.size()
        || currentRow == previousRow)
        return;

    if (promptModified) {
        const auto answer = MessageBox::question(this, tr("Apply Prompt"),
            tr("The prompt has been modified. Are you sure you want to apply the prompt?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer != QMessageBox::Yes && answer != QMessageBox::No)
            return;
        // Applies to the prompt being left: usedPromptId still names it.
        if (answer == QMessageBox::Yes)
            onBtnApplyPromptClicked();
        promptModified = false;
    }

    // The row's position names its prompt; names need not be unique after an Apply.
    const PromptRecord prompt = prompts.at(currentRow);
    disconnectEditWatchers();
    ui->edtPromptName->setText(prompt.name);
    ui->edtSystemPrompt->setPlainText(prompt.systemPrompt);
    ui->edtAssistantPrompt->setPlainText(prompt.assistantPrompt);
    ui->edtUserPrompt->setPlainText(prompt.userPrompt);
    usedPromptId = currentRow;
    promptModified = false;
    connectEditWatchers();
    markUsedRow(ui->tablePrompts, PromptUsed, currentRow);
}

void PreferencesDialog::onBtnAddPromptClicked()
{
    const QString name = ui->edtPromptName->text();
    if (name.isEmpty()) {
        MessageBox::warning(this, tr("Add Prompt"), tr("The prompt name cannot be empty."));
        return;
    }
    if (std::any_of(prompts.cbegin(), prompts.cend(),
            [&name](const PromptRecord &prompt) { return prompt.name == name; })) {
        MessageBox::warning(this, tr("Add Prompt"), tr("The prompt name already exists."));
        return;
    }

    promptModified = false;
    PromptRecord prompt;
    prompt.id = int(prompts.size());
    prompt.name = name;
    prompt.systemPrompt = ui->edtSystemPrompt->toPlainText();
    prompt.assistantPrompt = ui->edtAssistantPrompt->toPlainText();
    prompt.userPrompt = ui->edtUserPrompt->toPlainText();
    prompts.append(prompt);
    appendPromptRow(prompt);
    ui->tablePrompts->setCurrentCell(prompt.id, 0);
}

void PreferencesDialog::onBtnRemovePromptClicked()
{
    const int row = ui->tablePrompts->currentRow();
    if (row < 0 || row >= prompts.size())
        return;
    if (MessageBox::question(
            this, tr("Remove Prompt"), tr("Are you sure you want to remove this prompt?"))
        != QMessageBox::Yes)
        return;

    // The selected row is the prompt removed: the one in use may differ from it after a
    // cancelled row change, and removing that one instead would take the wrong prompt.
    ui->tablePrompts->removeRow(row);
    prompts.removeAt(row);
    for (int i = row; i < prompts.size(); ++i)
        prompts[i].id = i;
    if (usedPromptId == row)
        usedPromptId = -1;
    else if (row < usedPromptId)
        --usedPromptId;
}

void PreferencesDialog::onBtnApplyPromptClicked()
{
    if (usedPromptId < 0 || usedPromptId >= prompts.size())
        return;
    PromptRecord &prompt = prompts[usedPromptId];
    prompt.systemPrompt = ui->edtSystemPrompt->toPlainText();
    prompt.assistantPrompt = ui->edtAssistantPrompt->toPlainText();
    prompt.userPrompt = ui->edtUserPrompt->toPlainText();
    prompt.name = ui->edtPromptName->text();
    if (QTableWidgetItem *item = ui->tablePrompts->item(usedPromptId, PromptName))
        item->setText(prompt.name);
}

void PreferencesDialog::onBtnFillDefaultPromptClicked()
{
    // The preset chosen in the list; without a choice, the default role.
    QString roleName = ui->cbPresets->currentText();
    if (roleName.isEmpty())
        roleName = defaultRole;
    if (promptModified
        && MessageBox::question(this, tr("Use Preset"),
               tr("The prompt has been modified. Are you sure you want to replace it with the "
                  "preset %1?")
                   .arg(roleName))
            != QMessageBox::Yes)
        return;
    const PromptRecord preset = settings->role(roleName);
    ui->edtAssistantPrompt->setPlainText(preset.assistantPrompt);
    ui->edtUserPrompt->setPlainText(preset.userPrompt);
    ui->edtSystemPrompt->setPlainText(preset.systemPrompt);
}

void PreferencesDialog::onPromptTextChanged()
{
    promptModified = true;
}

void PreferencesDialog::onPresetTextChanged(const QString &text)
{
    Q_UNUSED(text)
}

void PreferencesDialog::onBtnTestPromptClicked()
{
    const int row = rowOfCellWidget(ui->tablePrompts, PromptTest, sender());
    if (row < 0 || row >= prompts.size())
        return;

    LLMServiceRequestHelper helper(networkAccessManager);
    // The configuration in use as stored: unsaved choices in the dialog are not tried out.
    LLMServiceReplyHelper *reply =
        helper.test(settings->currentLLMConfiguration(), prompts.at(row));
    reply->setParent(this);
    reply->setTimeout(replySilenceTimeoutMs);
    reply->setData(row);
    connect(reply, &LLMServiceReplyHelper::done, this, &PreferencesDialog::onTestPromptFinished);
}

void PreferencesDialog::onTestPromptFinished()
{
    auto *reply = qobject_cast<LLMServiceReplyHelper *>(sender());
    if (!reply)
        return;
    const QString text = reply->succeeded() ? reply->answer() : reply->errorMessage();
    reply->deleteLater();

    OutputTextDialog dialog(this);
    dialog.setText(text);
    dialog.exec();
}

// ---------------------------------------------------------------------------------------
// Source language
