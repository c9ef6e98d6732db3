#pragma once

#include <QString>

struct LLMConfiguration;

// How one configuration talks to its service: the wire dialect and which request fields its
// model accepts. Every per-model decision of the request builder is made here and nowhere else.
struct LLMServiceProfile
{
    enum class Dialect { OpenAIChat, AnthropicMessages, GeminiGenerateContent };

    Dialect dialect = Dialect::OpenAIChat;
    // The output cap. Reasoning and thinking models spend part of it on hidden reasoning,
    // so theirs is larger.
    int outputTokens = 2048;
    // The output cap goes into "max_completion_tokens" instead of "max_tokens".
    bool maxCompletionTokens = false;
    bool temperature = true;
    bool topP = true;
    bool penalties = true;
    // False when the model refused both names of the cap: then it gets none.
    bool outputCap = true;

    static LLMServiceProfile forConfiguration(const LLMConfiguration &configuration);
    // Remembers, for the rest of the session, that the configuration's model refused a request
    // field (as an Azure deployment with a name of its own may). False when that was known
    // already or names no field the profile controls: sending again would not help.
    static bool rememberUnsupported(
        const LLMConfiguration &configuration, const QString &parameter);

    // OpenAI's reasoning models (o-series, gpt-5 and later) accept neither max_tokens nor the
    // sampling knobs.
    static bool isOpenAIReasoningModel(const QString &model);
    // Claude models from Opus 4.7 and the 5 generation on refuse any sampling parameter.
    static bool isAnthropicSamplingFree(const QString &model);
    // The model name an Azure configuration stands for: its model field, or the deployment
    // named in the URL.
    static QString azureModel(const LLMConfiguration &configuration);
    // True when the URL is an OpenAI-compatible chat endpoint (path ends in /chat/completions).
    static bool isChatCompletionsUrl(const QString &apiurl);
};
