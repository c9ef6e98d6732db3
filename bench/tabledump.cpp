#include "bench/tabledump.h"

#include "model/translationmodel.h"

namespace {

// The characters a cell's text escapes, and the letters that stand for them after a backslash.
constexpr QStringView plainCharacters = u"\t\n\r\\";
constexpr QStringView escapeLetters = u"tnr\\";

} // namespace

QString escapeCell(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        const qsizetype special = plainCharacters.indexOf(c);
        if (special >= 0)
            escaped += QLatin1Char('\\');
        escaped += special >= 0 ? escapeLetters.at(special) : c;
    }
    return escaped;
}

QString unescapeCell(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype special =
            text.at(i) == u'\\' && i + 1 < text.size() ? escapeLetters.indexOf(text.at(i + 1)) : -1;
        if (special >= 0)
            ++i;
        plain += special >= 0 ? plainCharacters.at(special) : text.at(i);
    }
    return plain;
}

QStringList dumpTable(const TranslationModel &model)
{
    QStringList lines;
    const int rows = model.rowCount();
    const int columns = model.columnCount();
    for (int row = 0; row < rows; ++row) {
        const QString group = escapeCell(model.groupOf(row));
        const QString id = escapeCell(model.messageAt(row).id);
        for (int column = 0; column < columns; ++column) {
            const QModelIndex cell = model.index(row, column);
            const QString text = model.cellText(cell);
            if (text.isEmpty())
                continue;
            lines.append(group + QLatin1Char('\t') + id + QLatin1Char('\t')
                + model.columnLanguage(cell, true) + QLatin1Char('\t') + escapeCell(text));
        }
    }
    return lines;
}
