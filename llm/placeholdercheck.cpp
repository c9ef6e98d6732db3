#include "llm/placeholdercheck.h"

#include "model/qttranslationmodel.h"

#include <QMap>
#include <QRegularExpression>

namespace {

// Counts per token. Named and numbered placeholders may appear once or several times (a
// plural form of one language may need fewer branches than another's); unnumbered printf
// specs and tags are consumed in order, so their number matters.
using Tokens = QMap<QString, int>;

Tokens tokensOf(const QString &text)
{
    // Alternatives in order of precedence: ICU arguments, {{i18next}}, ${template},
    // {name} / {0}, printf with position, Python named, Qt %1 / %L1 / %n, plain printf,
    // a literal %%, and markup tags.
    static const QRegularExpression pattern(QStringLiteral(
        R"((\{\s*[A-Za-z_]\w*\s*,\s*(?:plural|selectordinal|select)\s*,))"
        R"(|(\{\{\s*[A-Za-z_][\w.\-]*\s*(?:,[^{}]*)?\}\}))"
        R"(|(\$\{[A-Za-z_][\w.]*\}))"
        R"(|(\{(?:\d+|[A-Za-z_][\w.]*)(?:![rsa])?(?::[^{}]*)?\}))"
        R"(|(%\d+\$[-+#0]*\d*(?:\.\d+)?(?:hh|h|ll|l|L|q|j|z|t)?[diouxXeEfFgGaAcsp@]))"
        R"(|(%\([A-Za-z_]\w*\)[-+#0]*\d*(?:\.\d+)?[diouxXeEfFgGcrsa]))"
        R"(|(%L?(?:\d{1,2}|n)))"
        R"(|(%[-+#0]*(?:\d+|\*)?(?:\.(?:\d+|\*))?(?:hh|h|ll|l|L|q|j|z|t)?[diouxXeEfFgGaAcsp@]))"
        R"(|(%%))"
        R"(|(</?[A-Za-z][\w:\-]*)(?:\s[^<>]*?)?(/?)>)"));
    Tokens tokens;
    QRegularExpressionMatchIterator it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        if (match.capturedLength(9) > 0)
            continue;
        QString token;
        bool counted = false;
        if (match.capturedLength(1) > 0) {
            // An ICU argument: its name and type stay, its branches are the translator's.
            token = match.captured(1);
            token.remove(QLatin1Char(' '));
            token.chop(1);
            token.replace(QLatin1Char(','), QLatin1String(", "));
            token += QLatin1String(", ...}");
        } else if (match.capturedLength(10) > 0) {
            token = match.captured(10) + match.captured(11) + QLatin1Char('>');
            counted = true;
        } else {
            token = match.captured(0);
            counted = match.capturedLength(8) > 0;
            if (match.capturedLength(2) > 0)
                token.remove(QLatin1Char(' '));
        }
        int &count = tokens[token];
        count = counted ? count + 1 : 1;
    }
    return tokens;
}

int acceleratorCount(const QString &text)
{
    // "&&" is a literal ampersand, "&amp;" an entity, "& " plain text.
    static const QRegularExpression accelerator(
        QStringLiteral(R"(&&|&(?:[A-Za-z]+|#\d+|#x[0-9A-Fa-f]+);|&(?=[^\s&]))"));
    int count = 0;
    QRegularExpressionMatchIterator it = accelerator.globalMatch(text);
    while (it.hasNext()) {
        const QString match = it.next().captured(0);
        if (match.size() == 1)
            ++count;
    }
    return count;
}

// The line breaks among the white space at one end of a text.
int edgeBreaks(const QString &text, bool atEnd)
{
    int breaks = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(atEnd ? text.size() - 1 - i : i);
        if (!c.isSpace())
            break;
        if (c == QLatin1Char('\n'))
            ++breaks;
    }
    return breaks;
}

} // namespace

QStringList PlaceholderCheck::problems(
    const QString &source, const QString &translation, bool accelerators)
{
    const Tokens expected = tokensOf(source);
    const Tokens found = tokensOf(translation);
    QStringList missing;
    QStringList invented;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (found.value(it.key()) < it.value())
            missing << it.key();
    }
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        if (expected.value(it.key()) < it.value())
            invented << it.key();
    }

    QStringList result;
    if (!missing.isEmpty())
        result << tr("Missing: %1").arg(missing.join(QLatin1String(", ")));
    if (!invented.isEmpty())
        result << tr("Not in the source: %1").arg(invented.join(QLatin1String(", ")));
    if (accelerators) {
        const int sourceAccelerators = acceleratorCount(source);
        const int translationAccelerators = acceleratorCount(translation);
        if (sourceAccelerators > translationAccelerators)
            result << tr("The keyboard accelerator (&) is missing");
        else if (sourceAccelerators < translationAccelerators)
            result << tr("A keyboard accelerator (&) that is not in the source");
    }
    if (edgeBreaks(source, false) != edgeBreaks(translation, false))
        result << tr("The line breaks at the start differ from the source");
    if (edgeBreaks(source, true) != edgeBreaks(translation, true))
        result << tr("The line breaks at the end differ from the source");
    return result;
}

bool PlaceholderCheck::usesAccelerators(const TranslationModel *model)
{
    return qobject_cast<const QtTranslationModel *>(model) != nullptr;
}

int PlaceholderCheck::checkModel(TranslationModel *model)
{
    const bool accelerators = usesAccelerators(model);
    int offending = 0;
    for (int column = 0; column < model->columnCount(); ++column) {
        if (column == model->sourceColumn())
            continue;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex cell = model->index(row, column);
            const QString text = model->cellText(cell);
            if (text.isEmpty())
                continue;
            const QStringList found = problems(model->sourceText(cell), text, accelerators);
            // A cell that passes now loses the mark an earlier check or answer left, such as
            // after another column became the source.
            model->setCellProblem(cell, found.join(QLatin1Char('\n')));
            if (!found.isEmpty())
                ++offending;
        }
    }
    return offending;
}
