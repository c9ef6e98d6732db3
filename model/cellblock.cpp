#include "model/cellblock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeData>

namespace {

const QString cellsFormat = QStringLiteral("application/x-parlonex-cells");

QList<QStringList> fromPlainText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (!text.contains(QLatin1Char('\t')))
        return {};
    QList<QStringList> rows;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        rows.append(line.split(QLatin1Char('\t')));
        if (rows.last().size() != rows.first().size())
            return {};
    }
    return rows;
}

} // namespace

QMimeData *CellBlock::toMimeData(const QList<QStringList> &rows)
{
    QJsonArray table;
    QStringList lines;
    for (const QStringList &row : rows) {
        table.append(QJsonArray::fromStringList(row));
        lines.append(row.join(QLatin1Char('\t')));
    }
    auto *data = new QMimeData;
    data->setText(lines.join(QLatin1Char('\n')));
    data->setData(cellsFormat, QJsonDocument(table).toJson(QJsonDocument::Compact));
    return data;
}

QList<QStringList> CellBlock::fromMimeData(const QMimeData *data)
{
    if (!data)
        return {};
    if (!data->hasFormat(cellsFormat))
        return fromPlainText(data->text());
    QList<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(data->data(cellsFormat)).array()) {
        QStringList texts;
        for (const QJsonValue &text : row.toArray())
            texts.append(text.toString());
        rows.append(texts);
    }
    return rows;
}
