#include "llm/translationjob.h"

#include <algorithm>
#include <utility>

namespace {

// The characters a prompt line cannot hold as they are, and the two characters standing for
// each. Every sequence is two characters long.
constexpr std::pair<char16_t, QLatin1StringView> sequences[] = {
    { u'\\', QLatin1StringView("\\\\") },
    { u'"', QLatin1StringView("\"\"") },
    { u'\r', QLatin1StringView("\\r") },
    { u'\n', QLatin1StringView("\\n") },
    { u'\t', QLatin1StringView("\\t") },
};

} // namespace

QString TranslationJob::escapeForPrompt(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        const auto *found = std::find_if(std::begin(sequences), std::end(sequences),
            [c](const auto &sequence) { return sequence.first == c; });
        if (found != std::end(sequences))
            result += found->second;
        else
            result += c;
    }
    return result;
}

QString TranslationJob::unescapeFromAnswer(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QStringView rest = QStringView(text).mid(i);
        const auto *found = std::find_if(std::begin(sequences), std::end(sequences),
            [rest](const auto &sequence) { return rest.startsWith(sequence.second); });
        if (found != std::end(sequences)) {
            result += QChar(found->first);
            ++i;
        } else {
            result += text.at(i);
        }
    }
    return result;
}
