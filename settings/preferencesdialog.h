#pragma once

#include "settings/settings.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>

namespace Ui {
class PreferencesDialog;
}

class ModelListFetcher;
class QNetworkAccessManager;
class QTableWidget;

// Edits working copies of the LLM configurations and prompts; the settings store sees them
// only when the user presses OK. Also chooses the source language of the open set.
class PreferencesDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreferencesDialog)

public:
    explicit PreferencesDialog(
        QNetworkAccessManager *networkAccessManager, QWidget *parent = nullptr);
    ~PreferencesDialog() override;

    void setSourceLanguage(const QString &name);
    // Valid after OK.
    QString sourceLanguage() const { return sourceLanguageName; }
    QString sourceTerritory() const { return sourceTerritoryCode; }

private slots:
    void onBtnOKClicked();
    void onBtnCancelClicked();
    void onServicesListCurrentTextChanged(const QString &text);
    void onBtnAddLLMItemClicked();
    void onBtnRemoveLLMItemClicked();
    void onBtnApplyLLMItemClicked();
    void onTableLLMItemsCurrentRowChanged(
        int currentRow, int currentColumn, int previousRow, int previousColumn);
    void onBtnAddPromptClicked();
    void onBtnRemovePromptClicked();
    void onBtnApplyPromptClicked();
    void onTablePromptsCurrentCellChanged(
        int currentRow, int currentColumn, int previousRow, int previousColumn);
    void onBtnFillDefaultPromptClicked();
    void onPromptTextChanged();
    void onLLMItemTextChanged();
    void onPresetTextChanged(const QString &text);
    void onComboBoxSourceLanguageIndexChanged(int index);
    void onBtnValidateClicked();
    void onBtnTestPromptClicked();
    void onValidateFinished();
    void onTestPromptFinished();
    void onGetAPIKeyLinkActivated(const QString &link);
    void onBtnFetchModelsClicked();
    void onModelListFetched(const QStringList &models, const QString &errorMessage);
    void updateFetchModelsButton();

private:
    void loadSettings();
    void validateRow(int row);
    void connectEditWatchers();
    void disconnectEditWatchers();
    void fillLanguageList();
    static QString languageOfEntry(const QString &entry);

    bool editorsIncomplete() const;
    LLMConfiguration configurationFromEditors() const;
    bool applyLLMItem(int row);
    void setLLMRow(int row, const LLMConfiguration &configuration);
    void appendLLMRow(const LLMConfiguration &configuration);
    void appendPromptRow(const PromptRecord &prompt);
    void markUsedRow(QTableWidget *table, int usedColumn, int row);
    int rowOfCellWidget(QTableWidget *table, int column, const QObject *widget) const;

    std::unique_ptr<Ui::PreferencesDialog> ui;
    std::unique_ptr<Settings> settings;
    QNetworkAccessManager *networkAccessManager;
    // The result of the Translate tab; named apart from the accessors that return them.
    QString sourceLanguageName;
    QString sourceTerritoryCode;
    bool promptModified = false;
    bool llmModified = false;
    int usedPromptId = -1;
    int usedLLMId = -1;
    QList<PromptRecord> prompts;
    QList<LLMConfiguration> llmConfigurations;

    // The connections that count the user's edits; cut while the dialog fills the editors.
    QList<QMetaObject::Connection> editWatchers;
    ModelListFetcher *modelListFetcher = nullptr;
    // Set while the language list shows a guess for a name that matched no item: OK then
    // keeps that name rather than the guess, unless the user picks a language.
    bool keepGivenSourceLanguage = false;
};
