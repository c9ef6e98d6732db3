#pragma once

#include <QMap>
#include <QString>

class TranslationModel;

namespace TestSupport {

// The first row whose message ID is `id`, or -1.
int rowOf(const TranslationModel &model, const QString &id);

// Each row's non-empty text in one language column, keyed by message ID.
QMap<QString, QString> columnTexts(const TranslationModel &model, int column);

} // namespace TestSupport
