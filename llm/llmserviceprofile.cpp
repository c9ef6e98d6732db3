#include "llm/llmserviceprofile.h"

#include "settings/llmrecords.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

namespace {

QHash<QString, QSet<QString>> &refusedFields()
{
    static QHash<QString, QSet<QString>> fields;
    return fields;
}

QString configurationKey(const LLMConfiguration &configuration)
{
    return configuration.service + QLatin1Char('\n') + configuration.apiurl.trimmed()
        + QLatin1Char('\n') + configuration.model.trimmed();
}

void applyRefusedFields(const QSet<QString> &refused, LLMServiceProfile &profile)
{
    const bool maxTokens = refused.contains(QStringLiteral("max_tokens"));
    const bool maxCompletionTokens = refused.contains(QStringLiteral("max_completion_tokens"));
    if (maxTokens != maxCompletionTokens)
        profile.maxCompletionTokens = maxTokens;
    profile.outputCap = !(maxTokens && maxCompletionTokens);
    if (refused.contains(QStringLiteral("temperature")))
        profile.temperature = false;
    if (refused.contains(QStringLiteral("top_p")))
        profile.topP = false;
    if (refused.contains(QStringLiteral("frequency_penalty"))
        || refused.contains(QStringLiteral("presence_penalty")))
        profile.penalties = false;
}

// "openai/gpt-5" and "models/gemini-3.5-flash" name the same models as their last segment.
QString bareModelName(const QString &model)
{
    return model.section(QLatin1Char('/'), -1).trimmed().toLower();
}

} // namespace

bool LLMServiceProfile::isChatCompletionsUrl(const QString &apiurl)
{
    const QUrl url = QUrl::fromUserInput(apiurl.trimmed());
    QString path = url.path();
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path.endsWith(QLatin1String("/chat/completions"));
}

bool LLMServiceProfile::isOpenAIReasoningModel(const QString &model)
{
    static const QRegularExpression oSeries(QStringLiteral("^o\\d+(-|$)"));
    static const QRegularExpression gpt(QStringLiteral("^gpt-(\\d+)"));
    const QString name = bareModelName(model);
    if (oSeries.match(name).hasMatch())
        return true;
    const QRegularExpressionMatch match = gpt.match(name);
    return match.hasMatch() && match.captured(1).toInt() >= 5;
}

bool LLMServiceProfile::isAnthropicSamplingFree(const QString &model)
{
    // Current ids read claude-<family>-<major>[-<minor>][-<date>]; the old ones
    // claude-<major>[-<minor>]-<family>[-<date>] all predate the change.
    static const QRegularExpression current(
        QStringLiteral("^claude-([a-z]+)-(\\d+)(?:-(\\d{1,2}))?(?:-\\d{8})?(?:$|-)"));
    const QString name = bareModelName(model);
    const QRegularExpressionMatch match = current.match(name);
    if (!match.hasMatch())
        // Unknown names get the restrictive choice: nothing the model might refuse.
        return !name.startsWith(QLatin1String("claude-3"))
            && !name.startsWith(QLatin1String("claude-2"));
    const QString family = match.captured(1);
    const int major = match.captured(2).toInt();
    const int minor = match.captured(3).toInt();
    if (major >= 5)
        return true;
    return family == QLatin1String("opus") && major == 4 && minor >= 7;
}

QString LLMServiceProfile::azureModel(const LLMConfiguration &configuration)
{
    if (!configuration.model.trimmed().isEmpty())
        return configuration.model;
    static const QRegularExpression deployment(QStringLiteral("/deployments/([^/?#]+)"));
    const QRegularExpressionMatch match = deployment.match(configuration.apiurl);
    return match.hasMatch() ? QUrl::fromPercentEncoding(match.captured(1).toUtf8()) : QString();
}

LLMServiceProfile LLMServiceProfile::forConfiguration(const LLMConfiguration &configuration)
{
    LLMServiceProfile profile;
    const QString &service = configuration.service;
    const bool compatible = isChatCompletionsUrl(configuration.apiurl);

    if (service == QLatin1String("OpenAI") || service == QLatin1String("Azure")) {
        const QString model =
            service == QLatin1String("Azure") ? azureModel(configuration) : configuration.model;
        if (isOpenAIReasoningModel(model)) {
            profile.maxCompletionTokens = true;
            profile.outputTokens = 16384;
            profile.temperature = false;
            profile.topP = false;
            profile.penalties = false;
        }
    } else if (service == QLatin1String("Anthropic")) {
        profile.dialect = compatible ? Dialect::OpenAIChat : Dialect::AnthropicMessages;
        // temperature and top_p together are refused since the 4.1 generation; top_p = 1 is the
        // default anyway, and the penalties are no Messages field.
        profile.topP = false;
        profile.penalties = false;
        profile.temperature = !isAnthropicSamplingFree(configuration.model);
    } else if (service == QLatin1String("Gemini")) {
        profile.dialect = compatible ? Dialect::OpenAIChat : Dialect::GeminiGenerateContent;
        // Several Gemini models refuse the penalties ("Penalty is not enabled"), and the
        // OpenAI-compatible endpoint rejects them as unknown names; zero is their default.
        profile.penalties = false;
        profile.topP = !compatible;
        profile.outputTokens = 8192;
    }
    applyRefusedFields(refusedFields().value(configurationKey(configuration)), profile);
    return profile;
}

bool LLMServiceProfile::rememberUnsupported(
    const LLMConfiguration &configuration, const QString &parameter)
{
    const LLMServiceProfile before = forConfiguration(configuration);
    QSet<QString> &refused = refusedFields()[configurationKey(configuration)];
    if (refused.contains(parameter))
        return false;
    refused.insert(parameter);
    const LLMServiceProfile after = forConfiguration(configuration);
    return after.maxCompletionTokens != before.maxCompletionTokens
        || after.outputCap != before.outputCap || after.temperature != before.temperature
        || after.topP != before.topP || after.penalties != before.penalties;
}
