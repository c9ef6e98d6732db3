#include "llm/translationjob.h"

QString TranslationJob::escapeForPrompt(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char('"'), QLatin1String("\"\""));
    result.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    result.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return result;
}

QString TranslationJob::unescapeFromAnswer(const QString &text)
{
    QString result = text;
    result.replace(QLatin1String("\"\""), QLatin1String("\""));
    result.replace(QLatin1String("\\r"), QLatin1String("\r"));
    result.replace(QLatin1String("\\n"), QLatin1String("\n"));
    return result;
}
