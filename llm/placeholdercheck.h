#pragma once

#include <QCoreApplication>
#include <QStringList>

class TranslationModel;

// What a program needs of a text besides its words: placeholders, markup tags, keyboard
// accelerators and the line breaks around it. A translation must keep all of them, in any
// order.
class PlaceholderCheck final
{
    Q_DECLARE_TR_FUNCTIONS(PlaceholderCheck)

public:
    // What the translation lost or invented, a line each; empty when it keeps everything.
    static QStringList problems(
        const QString &source, const QString &translation, bool accelerators);
    // TS texts mark keyboard accelerators with "&"; the other formats use it as a character.
    static bool usesAccelerators(const TranslationModel *model);
    // Checks every translated cell against its source text, records the problems of those
    // that fail as cell problems and answers how many failed.
    static int checkModel(TranslationModel *model);
};
