#include "support/modeltexts.h"

#include "model/translationmodel.h"

namespace TestSupport {

int rowOf(const TranslationModel &model, const QString &id)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.messageAt(row).id == id)
            return row;
    }
    return -1;
}

QMap<QString, QString> columnTexts(const TranslationModel &model, int column)
{
    QMap<QString, QString> texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString text = model.cellText(model.index(row, column));
        if (!text.isEmpty())
            texts.insert(model.messageAt(row).id, text);
    }
    return texts;
}

} // namespace TestSupport
