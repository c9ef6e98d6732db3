#pragma once

#include <QStringList>

// The user's UI languages in underscore form (de_DE, zh_CN), each once, English names last.
QStringList preferredUiLanguages();

// Installs the program's and the toolkit's translations for the first preferred language
// that has a program translation in the translation folder beside the executable.
void installTranslators();

// The folder searched by installTranslators(): "translations" beside the executable, or the
// executable's own folder when that does not exist.
QString translationDirectory();

// Loads and installs the pair for one language name from `directory`; true when the
// program's own file was found.
bool installTranslatorPair(const QString &directory, const QString &language);
