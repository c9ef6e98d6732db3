#include "bench/tabledump.h"

#include "model/translationmodel.h"

QString escapeCell(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\t':
            escaped += QLatin1String("\\t");
            break;
        case '\n':
            escaped += QLatin1String("\\n");
            break;
        case '\r':
            escaped += QLatin1String("\\r");
            break;
        case '\\':
            escaped += QLatin1String("\\\\");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QString unescapeCell(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            plain += c;
            continue;
        }
        switch (text.at(++i).unicode()) {
        case 't':
            plain += QLatin1Char('\t');
            break;
        case 'n':
            plain += QLatin1Char('\n');
            break;
        case 'r':
            plain += QLatin1Char('\r');
            break;
        case '\\':
            plain += QLatin1Char('\\');
            break;
        default:
            plain += c;
            plain += text.at(i);
        }
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
