#pragma once

#include "settings/settings.h"

#include <QSettings>
#include <QTemporaryDir>

namespace TestSupport {

// Points the settings at a folder of this test run's own, so that every suite starts empty.
inline bool usePrivateSettings()
{
    static QTemporaryDir folder;
    if (!folder.isValid())
        return false;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    return true;
}

// Stores `configuration` and `prompt` as the only ones and the ones in use.
inline void useLLM(const LLMConfiguration &configuration, const PromptRecord &prompt)
{
    Settings settings;
    settings.saveLLMConfigurations({ configuration });
    settings.setUsedLLMId(configuration.id);
    settings.savePrompts({ prompt });
    settings.setUsedPromptId(prompt.id);
}

} // namespace TestSupport
