#include "llm/translationanswer.h"

#include "llm/networkreplyhelper.h"
#include "llm/placeholdercheck.h"
#include "model/translationmodel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

int idOf(const QJsonObject &object)
{
    const QJsonValue id = object.value(QLatin1String("id"));
    if (id.isDouble())
        return id.toInt();
    // Models now and then quote the number.
    return id.isString() ? id.toString().trimmed().toInt() : 0;
}

QString normalisedCode(const QString &code)
{
    QString result = code.trimmed().toLower();
    result.replace(QLatin1Char('-'), QLatin1Char('_'));
    return result;
}

} // namespace

QString TranslationAnswer::stripFence(const QString &answer)
{
    static const QLatin1String opener("```json\n");
    static const QLatin1String closer("\n```");
    QString text = answer;
    if (text.startsWith(opener)) {
        text.remove(0, opener.size());
        const qsizetype end = text.lastIndexOf(closer);
        if (end > 0)
            text.truncate(end);
        qCDebug(lcLLM).noquote() << "markdown token trimmed result:" << text;
    }
    return text.trimmed();
}

QModelIndex TranslationAnswer::cellForLanguage(
    const TranslationModel *model, const TranslationJob &job, const QString &key)
{
    // The prompt named the languages by display name, the files by code: either may come back.
    for (const QModelIndex &cell : job.cells) {
        if (key == model->columnLanguage(cell, true) || key == model->columnLanguage(cell, false))
            return cell;
    }
    const QString wanted = normalisedCode(key);
    for (const QModelIndex &cell : job.cells) {
        if (wanted == normalisedCode(model->columnLanguage(cell, true))
            || wanted == model->columnLanguage(cell, false).toLower())
            return cell;
    }
    return {};
}

bool TranslationAnswer::write(TranslationModel *model, const TranslationJob &job,
    const QModelIndex &cell, const QString &text, bool markForReview, QList<QModelIndex> *recheck)
{
    const QStringList problems = PlaceholderCheck::problems(
        model->sourceText(cell), text, PlaceholderCheck::usesAccelerators(model));
    if (!problems.isEmpty() && !job.placeholderRetry) {
        if (!recheck->contains(cell))
            recheck->append(cell);
        return false;
    }
    model->setData(cell, text, Qt::EditRole);
    if (model->cellText(cell) != text)
        return false; // a cell the model refuses
    recheck->removeAll(cell);
    if (markForReview || !problems.isEmpty())
        model->setFinished(cell, false);
    model->setCellProblem(cell, problems.join(QLatin1Char('\n')));
    return true;
}

void TranslationAnswer::applyTranslatedObject(TranslationModel *model, const TranslationJob &job,
    const QJsonObject &object, bool markForReview, QSet<QModelIndex> *written,
    QList<QModelIndex> *recheck)
{
    const int id = idOf(object);
    if (id < 1 || id > job.rowCount || id > job.cells.size()) {
        qCWarning(lcLLM) << "Invalid id" << id << "found";
        return;
    }

    QStringList keys = object.keys();
    keys.removeAll(QStringLiteral("id"));
    keys.removeAll(QStringLiteral("original_text"));
    const bool rowJob = job.isRowJob();
    if (!rowJob) {
        // A column job has one target: when a member names it, the other members (a copy of
        // the source, say) must not be written over it.
        const QModelIndex cell = job.cells.at(id - 1);
        for (const QString &key : std::as_const(keys)) {
            if (cellForLanguage(model, TranslationJob::make({ cell }, 1, 1), key).isValid()) {
                keys = QStringList { key };
                break;
            }
        }
    }

    for (const QString &key : std::as_const(keys)) {
        const QString text = TranslationJob::unescapeFromAnswer(object.value(key).toString());
        const QModelIndex cell = rowJob ? cellForLanguage(model, job, key) : job.cells.at(id - 1);
        if (!cell.isValid()) {
            qCWarning(lcLLM) << "No target language of the job matches" << key;
            continue;
        }
        if (!text.isEmpty() && write(model, job, cell, text, markForReview, recheck))
            written->insert(cell);
    }
}

TranslationAnswer::Result TranslationAnswer::apply(
    TranslationModel *model, const TranslationJob &job, const QString &answer, bool markForReview)
{
    Result result;
    const QString text = stripFence(answer);
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    QSet<QModelIndex> written;

    if (document.isArray()) {
        const QJsonArray array = document.array();
        if (array.size() != job.rowCount) {
            qCWarning(lcLLM) << "Invalid JSON document, row count mismatch";
            result.error = tr("Invalid JSON document, row count mismatch");
            result.unmatched = job.cells;
            return result;
        }
        for (const QJsonValue &element : array)
            applyTranslatedObject(
                model, job, element.toObject(), markForReview, &written, &result.recheck);
    } else if (document.isObject() && job.rowCount == 1) {
        applyTranslatedObject(
            model, job, document.object(), markForReview, &written, &result.recheck);
    } else {
        qCWarning(lcLLM) << "Invalid JSON document";
        result.error = tr("Invalid JSON document");
        result.unmatched = job.cells;
        return result;
    }

    result.valid = true;
    result.translated = int(written.size());
    for (const QModelIndex &cell : job.cells) {
        if (!written.contains(cell) && !result.recheck.contains(cell))
            result.unmatched << cell;
    }
    return result;
}
