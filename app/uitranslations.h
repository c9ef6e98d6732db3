#pragma once

#include <QStringList>

// The user's UI languages in underscore form (de_DE, zh_CN), each once, English names last.
QStringList preferredUiLanguages();
// The same normalisation for a given list of language tags (de-DE, zh-Hans-CN, en-US).
QStringList normalizeUiLanguages(const QStringList &tags);

// Installs the program's and the toolkit's translations for the first preferred language
// that has a program translation in the translation folder beside the executable.
void installTranslators();
// The same search in `directory` over `languages`; returns the name whose files were
// installed. When none has any, the interface stays in English with the English plural forms
// ("en"), or without them (empty) when that catalogue is missing too.
QString installTranslators(const QString &directory, const QStringList &languages);

// "translations" inside `applicationDirectory`, or that folder itself when it has none.
QString translationDirectory(const QString &applicationDirectory);
