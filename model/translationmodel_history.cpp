#include "model/translationmodel.h"

#include <QUndoStack>

#include <utility>

// One undo step: the cells a command, an LLM answer or a typed edit changed, each as it was
// before and as the step left it.
class CellEditCommand final : public QUndoCommand
{
public:
    CellEditCommand(
        TranslationModel *model, const QString &name, QList<TranslationModel::CellChange> changes)
        : QUndoCommand(name)
        , model(model)
        , changes(std::move(changes))
    {
    }

    void undo() override { model->applyChanges(changes, false); }
    void redo() override
    {
        // The changes were made before the step was recorded.
        if (!std::exchange(firstRedo, false))
            model->applyChanges(changes, true);
    }

private:
    TranslationModel *model;
    QList<TranslationModel::CellChange> changes;
    bool firstRedo = true;
};

EditStep::EditStep(TranslationModel *model, const QString &name)
    : model(model)
{
    if (model)
        model->beginEditStep(name);
}

EditStep::~EditStep()
{
    if (model)
        model->endEditStep();
}

void TranslationModel::beginEditStep(const QString &name)
{
    if (stepDepth++ == 0)
        stepName = name;
}

void TranslationModel::endEditStep()
{
    if (stepDepth > 0 && --stepDepth == 0)
        pushPendingStep();
}

CellState TranslationModel::cellState(int row, int column) const
{
    const int position = languagePosition(column);
    const Translation *translation =
        position < 0 ? nullptr : findTranslation(row, languageAt(position));
    CellState state;
    if (translation)
        state = CellState { true, translation->finished, translation->text, {} };
    state.problem = cellProblems.value({ row, column });
    return state;
}

void TranslationModel::recordChange(
    const QModelIndex &index, const CellState &before, const char *name)
{
    // Columns of one language show one entry, so a cell is known by its row and language.
    const qint64 key = qint64(index.row()) * columns.size()
        + columns.indexOf(columns.at(languagePosition(index.column())));
    if (!pendingByCell.contains(key)) {
        pendingByCell.insert(key, int(pendingChanges.size()));
        pendingChanges.append(CellChange { index.row(), index.column(), before, {} });
    }
    if (stepDepth == 0) {
        stepName = tr(name);
        pushPendingStep();
    }
}

void TranslationModel::pushPendingStep()
{
    QList<CellChange> changes;
    changes.reserve(pendingChanges.size());
    bool contentChanged = false;
    for (CellChange &change : pendingChanges) {
        change.after = cellState(change.row, change.column);
        contentChanged = contentChanged || !change.after.sameContent(change.before);
        if (change.after != change.before)
            changes.append(std::move(change));
    }
    pendingChanges.clear();
    pendingByCell.clear();
    // Notes alone (a check that found problems) change nothing a file holds: no step, and the
    // set stays as unmodified as it was.
    if (contentChanged)
        history->push(new CellEditCommand(this, stepName, std::move(changes)));
}

void TranslationModel::applyChanges(const QList<CellChange> &changes, bool after)
{
    int top = messageCount, left = columnCount(), bottom = -1, right = -1;
    for (const CellChange &change : changes) {
        const CellState &state = after ? change.after : change.before;
        Translation *translation = entry(change.row, change.column, state.exists);
        if (state.exists) {
            translation->finished = state.finished;
            translation->text = state.text;
        } else if (translation) {
            // The step appended the entry: the first of its language is that one.
            QList<Translation> &translations = messages[change.row].translations;
            translations.removeAt(translation - translations.data());
        }
        if (state.problem.isEmpty())
            cellProblems.remove({ change.row, change.column });
        else
            cellProblems.insert({ change.row, change.column }, state.problem);
        top = qMin(top, change.row);
        bottom = qMax(bottom, change.row);
        left = qMin(left, change.column);
        right = qMax(right, change.column);
    }
    if (bottom >= 0)
        emit dataChanged(index(top, left), index(bottom, right), {});
}

bool TranslationModel::isModified() const
{
    return !history->isClean();
}

void TranslationModel::setUnmodified()
{
    history->setClean();
}

bool TranslationModel::isRowChangedSinceLoad(int row) const
{
    if (row < 0 || row >= messages.size())
        return false;
    const QList<Translation> &now = messages.at(row).translations;
    const QList<Translation> &loaded = loadedMessages.value(row).translations;
    // A row never written to still shares its entries with the messages as read.
    if (now.constData() == loaded.constData() && now.size() == loaded.size())
        return false;
    const auto stateIn = [](const QList<Translation> &translations, int language) {
        for (const Translation &translation : translations) {
            if (translation.language == language)
                return CellState { true, translation.finished, translation.text, {} };
        }
        return CellState();
    };
    for (int position = leadingColumnCount(); position < columns.size(); ++position) {
        if (!stateIn(now, languageAt(position)).sameContent(stateIn(loaded, languageAt(position))))
            return true;
    }
    return false;
}

ColumnProgress TranslationModel::columnProgress(int column) const
{
    ColumnProgress progress;
    const int position = languagePosition(column);
    if (position < 0)
        return progress;
    const int language = languageAt(position);
    progress.total = messageCount;
    for (int row = 0; row < messageCount; ++row) {
        const Translation *translation = findTranslation(row, language);
        if (!translation || translation->text.isEmpty())
            continue;
        ++progress.translated;
        if (!translation->finished)
            ++progress.unfinished;
    }
    return progress;
}

QString TranslationModel::columnProgressText(int column) const
{
    const ColumnProgress progress = columnProgress(column);
    QString text = tr("%L1 of %Ln translated", nullptr, progress.total).arg(progress.translated);
    if (hasFinishedState())
        text += tr(", %Ln unfinished", nullptr, progress.unfinished);
    return text;
}
