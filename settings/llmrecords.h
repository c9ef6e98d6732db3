#pragma once

#include <QString>

// The records the settings store keeps for the LLM layer. They live apart from the store so
// that the LLM code, which gets them from its callers, needs nothing of the store itself.

// One LLM service account. `id` is the position in the stored list when it was read.
struct LLMConfiguration
{
    int id = 0;
    QString name;
    QString apiurl;
    QString apikey;
    QString model;
    QString service;
};

// One named set of prompts. The user prompt is a template for the request builder.
struct PromptRecord
{
    int id = 0;
    QString name;
    QString systemPrompt;
    QString assistantPrompt;
    QString userPrompt;
};

// What a translation run works with: the configuration and prompt in use and the choices
// that shape the run.
struct LLMSetup
{
    LLMConfiguration configuration;
    PromptRecord prompt;
    int requestsAtATime = 1;
    bool markForReview = true;
    bool stream = false;
};
