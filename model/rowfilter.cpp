#include "model/rowfilter.h"

#include "model/translationmodel.h"

#include <QHash>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <tuple>

namespace {

// The entry a cell shows: the first of its language. Rows are mostly read language by
// language, so the entry at the column's own position is tried first.
const Translation *entryOf(const Message &message, int hint, int language)
{
    const QList<Translation> &translations = message.translations;
    if (hint < translations.size() && translations.at(hint).language == language) {
        const auto earlier = std::find_if(translations.cbegin(), translations.cbegin() + hint,
            [language](const Translation &t) { return t.language == language; });
        if (earlier == translations.cbegin() + hint)
            return &translations.at(hint);
    }
    for (const Translation &translation : translations) {
        if (translation.language == language)
            return &translation;
    }
    return nullptr;
}

// Whether the entry is the first of its language, the one its column shows.
bool isShown(const QList<Translation> &translations, qsizetype entry)
{
    const int language = translations.at(entry).language;
    return std::none_of(translations.cbegin(), translations.cbegin() + entry,
        [language](const Translation &t) { return t.language == language; });
}

// Lookarounds, absolute anchors, verbs and inline options can see past a text's own ends or
// change what ends a line: such a pattern could tell texts joined by line breaks from the
// texts alone, so it is matched text by text.
bool seesBeyondItsText(const QString &pattern)
{
    static const QRegularExpression construct(
        QStringLiteral(R"(\(\?[=!<imnsxJU^-]|\(\*|\\[AzZGK])"));
    return construct.match(pattern).hasMatch();
}

bool hasSurrogate(QStringView text)
{
    // Four UTF-16 units at a time: a unit is a surrogate when its top five bits are 11011.
    const char16_t *units = text.utf16();
    qsizetype i = 0;
    for (; i + 4 <= text.size(); i += 4) {
        quint64 word;
        std::memcpy(&word, units + i, sizeof word);
        const quint64 x = (word & 0xF800F800F800F800ULL) ^ 0xD800D800D800D800ULL;
        if ((x - 0x0001000100010001ULL) & ~x & 0x8000800080008000ULL)
            return true;
    }
    for (; i < text.size(); ++i) {
        if ((units[i] & 0xF800) == 0xD800)
            return true;
    }
    return false;
}

} // namespace

// A row's texts (message ID, group, entries), each ended by a line break, so that one match
// serves the whole row: a regular expression costs most to start, and copying the texts into
// one buffer sized once costs less than matching them one by one.
class JoinedTexts final
{
public:
    void assign(const Message &message, const QString &group)
    {
        const QList<Translation> &translations = message.translations;
        qsizetype length = message.id.size() + group.size() + 2;
        for (const Translation &translation : translations)
            length += translation.text.size() + 1;
        joined.resize(length);
        ends.clear();
        char16_t *out = reinterpret_cast<char16_t *>(joined.data());
        const auto append = [this, &out](const QString &text) {
            std::memcpy(out, text.utf16(), size_t(text.size()) * sizeof(char16_t));
            out += text.size();
            ends.append(out - reinterpret_cast<const char16_t *>(joined.constData()));
            *out++ = u'\n';
        };
        append(message.id);
        append(group);
        for (const Translation &translation : translations)
            append(translation.text);
    }
    // Unchecked matching needs well-formed UTF-16; unpaired surrogates are rare.
    bool isWellFormed() const
    {
        return !hasSurrogate(joined) || QStringView(joined).isValidUtf16();
    }
    const QString &text() const { return joined; }
    // The text a match lies in (0: the ID, 1: the group, 2 on: the entries); -1 when it runs
    // past a text's end.
    int textOf(const QRegularExpressionMatch &match) const
    {
        const auto end = std::lower_bound(ends.cbegin(), ends.cend(), match.capturedStart());
        return end != ends.cend() && match.capturedEnd() <= *end ? int(end - ends.cbegin()) : -1;
    }

private:
    QString joined;
    QVarLengthArray<qsizetype, 32> ends;
};

RowFilter::RowFilter(QObject *parent)
    : QObject(parent)
{
}

void RowFilter::setModel(TranslationModel *model)
{
    emit aboutToChange();
    if (translationModel)
        disconnect(translationModel, nullptr, this, nullptr);
    translationModel = model;
    current = RowFilterCriteria();
    if (model) {
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &RowFilter::aboutToChange);
        connect(model, &QAbstractItemModel::modelReset, this, [this] {
            recompute();
            emit changed();
        });
        connect(model, &QAbstractItemModel::dataChanged, this, [this] { edited = true; });
    }
    recompute();
    emit changed();
}

TranslationModel *RowFilter::model() const
{
    return translationModel;
}

void RowFilter::setCriteria(const RowFilterCriteria &criteria)
{
    // Typing on can only narrow what is shown, unless a cell changed since it was found.
    const bool narrows = filtering && !edited && !current.text.isEmpty()
        && !current.regularExpression && !criteria.regularExpression
        && criteria.quick == current.quick && criteria.column == current.column
        && criteria.text.contains(current.text, Qt::CaseInsensitive);
    const QList<int> shown = visibleRows;
    emit aboutToChange();
    current = criteria;
    recompute(narrows ? &shown : nullptr);
    emit changed();
}

QString RowFilter::errorString() const
{
    return current.regularExpression && !expression.isValid() ? expression.errorString()
                                                              : QString();
}

int RowFilter::totalCount() const
{
    return translationModel ? translationModel->rowCount() : 0;
}

int RowFilter::visibleCount() const
{
    return filtering ? int(visibleRows.size()) : totalCount();
}

int RowFilter::sourceRow(int visibleRow) const
{
    return filtering ? visibleRows.value(visibleRow, -1) : visibleRow;
}

int RowFilter::visibleRow(int sourceRow) const
{
    return filtering ? positions.value(sourceRow, -1) : sourceRow;
}

std::pair<int, int> RowFilter::visibleRange(int firstSourceRow, int lastSourceRow) const
{
    if (!filtering)
        return { firstSourceRow, lastSourceRow };
    const auto first = std::lower_bound(visibleRows.cbegin(), visibleRows.cend(), firstSourceRow);
    const auto end = std::upper_bound(first, visibleRows.cend(), lastSourceRow);
    return { int(first - visibleRows.cbegin()), int(end - visibleRows.cbegin()) - 1 };
}

bool RowFilter::matches(QStringView text) const
{
    if (current.text.isEmpty())
        return false;
    if (current.regularExpression)
        return expression.isValid() && expression.match(text).hasMatch();
    return anchor.offset >= 0 ? containsCaseless(text) : matcher.indexIn(text) >= 0;
}

// The first character of `text` that case folding ties to no more than one other character.
RowFilter::Anchor RowFilter::anchorOf(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSurrogate())
            continue;
        const char32_t folded = QChar::toCaseFolded(c.unicode());
        Anchor anchor { i, 0, {} };
        for (char32_t u = 0; u <= 0xFFFF && anchor.count <= 2; ++u) {
            if (!QChar::isSurrogate(u) && QChar::toCaseFolded(u) == folded) {
                if (anchor.count < 2)
                    anchor.variants[anchor.count] = char16_t(u);
                ++anchor.count;
            }
        }
        if (anchor.count <= 2)
            return anchor;
    }
    return {};
}

bool RowFilter::containsCaseless(QStringView text) const
{
    const qsizetype length = current.text.size();
    const qsizetype offset = anchor.offset;
    const qsizetype last = text.size() - length + offset;
    qsizetype next[2] = { -1, -1 };
    for (int k = 0; k < anchor.count; ++k)
        next[k] = text.indexOf(QChar(anchor.variants[k]), offset);
    for (;;) {
        qsizetype at = -1;
        for (int k = 0; k < anchor.count; ++k) {
            if (next[k] >= 0 && (at < 0 || next[k] < at))
                at = next[k];
        }
        if (at < 0 || at > last)
            return false;
        if (text.sliced(at - offset, length).compare(current.text, Qt::CaseInsensitive) == 0)
            return true;
        for (int k = 0; k < anchor.count; ++k) {
            if (next[k] == at)
                next[k] = text.indexOf(QChar(anchor.variants[k]), at + 1);
        }
    }
}

bool RowFilter::keyMatches(int row) const
{
    return translationModel && row >= 0 && row < translationModel->rowCount()
        && (matches(translationModel->messageOfRow(row).id)
            || matches(translationModel->groupOf(row)));
}

bool RowFilter::isUntranslated(const QModelIndex &index) const
{
    if (!translationModel || index.row() < 0 || index.row() >= translationModel->rowCount())
        return false;
    const Translation *entry = entryOf(translationModel->messageOfRow(index.row()), index.column(),
        translationModel->languageOfColumn(index.column()));
    return !entry || entry->text.isEmpty() || !entry->finished;
}

// The entry each column of a row shows (the first of its language), found in one pass over
// the row's entries.
class ShownEntries final
{
public:
    explicit ShownEntries(const TranslationModel &model)
        : lead(model.leadingColumnCount())
    {
        for (int column = 0; column < model.columnCount(); ++column)
            firstColumn.append(model.languageOfColumn(column) - lead);
        entries.resize(firstColumn.size());
    }

    // An entry's language is the position of the first column showing it.
    void fill(const Message &message)
    {
        std::fill(entries.begin(), entries.end(), nullptr);
        for (const Translation &translation : message.translations) {
            const int column = translation.language - lead;
            if (column >= 0 && column < entries.size() && !entries.at(column))
                entries[column] = &translation;
        }
    }
    int count() const { return int(firstColumn.size()); }
    const Translation *at(int column) const { return entries.at(firstColumn.at(column)); }

private:
    int lead;
    QList<int> firstColumn;
    QVarLengthArray<const Translation *, 32> entries;
};

bool RowFilter::quickKeeps(const ShownEntries &entries, int row) const
{
    const int columns = entries.count();
    switch (current.quick) {
    case RowFilterCriteria::Quick::None:
        return true;
    case RowFilterCriteria::Quick::EmptyInColumn:
        return current.column >= 0 && current.column < columns
            && (!entries.at(current.column) || entries.at(current.column)->text.isEmpty());
    case RowFilterCriteria::Quick::EmptyInAnyColumn:
        for (int column = 0; column < columns; ++column) {
            const Translation *entry = entries.at(column);
            // The source column is what the others are translated from, never a gap.
            if (column != translationModel->sourceColumn() && (!entry || entry->text.isEmpty()))
                return true;
        }
        return false;
    case RowFilterCriteria::Quick::UnfinishedOrReview:
        for (int column = 0; column < columns; ++column) {
            if (entries.at(column) && !entries.at(column)->finished)
                return true;
        }
        return false;
    case RowFilterCriteria::Quick::ChangedSinceOpened:
        return translationModel->isRowChangedSinceLoad(row);
    case RowFilterCriteria::Quick::ProblemNoted:
        for (int column = 0; column < columns && translationModel->cellProblemCount() > 0;
             ++column) {
            if (!translationModel->cellProblem(translationModel->index(row, column)).isEmpty())
                return true;
        }
        return false;
    }
    return false;
}

bool RowFilter::anyTextMatches(const Message &message, const QString &group) const
{
    if (matches(message.id) || matches(group))
        return true;
    // Most texts do not match: the entry is checked for being the one shown only then.
    const QList<Translation> &translations = message.translations;
    for (qsizetype i = 0; i < translations.size(); ++i) {
        if (matches(translations.at(i).text) && isShown(translations, i))
            return true;
    }
    return false;
}

bool RowFilter::textKeeps(int row, JoinedTexts *joined) const
{
    if (current.text.isEmpty())
        return true;
    const Message &message = translationModel->messageOfRow(row);
    const QString group = translationModel->groupOf(row);
    if (current.regularExpression && joinable) {
        joined->assign(message, group);
        if (joined->isWellFormed()) {
            const QRegularExpressionMatch match =
                expression.match(joined->text(), 0, QRegularExpression::NormalMatch,
                    QRegularExpression::DontCheckSubjectStringMatchOption);
            if (!match.hasMatch())
                return false;
            // Where one text by itself holds a match, the joined texts hold it too. The
            // reverse fails only where a match runs into the next text or meets a text's own
            // last line break, so the text the match lies in decides.
            const int found = joined->textOf(match);
            const QList<Translation> &translations = message.translations;
            if ((found == 0 && matches(message.id)) || (found == 1 && matches(group))
                || (found > 1 && isShown(translations, found - 2)
                    && matches(translations.at(found - 2).text)))
                return true;
        }
    }
    return anyTextMatches(message, group);
}

void RowFilter::recompute(const QList<int> *candidates)
{
    visibleRows.clear();
    positions.clear();
    edited = false;
    matcher = QStringMatcher(current.text, Qt::CaseInsensitive);
    anchor = current.regularExpression ? Anchor() : anchorOf(current.text);
    expression = QRegularExpression(current.regularExpression ? current.text : QString(),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    filtering = translationModel
        && (!current.text.isEmpty() || current.quick != RowFilterCriteria::Quick::None);
    if (!filtering)
        return;
    const int rows = totalCount();
    positions.fill(-1, rows);
    // A pattern that does not compile shows nothing rather than everything.
    if (!errorString().isEmpty())
        return;
    ShownEntries entries(*translationModel);
    JoinedTexts joined;
    joinable = !seesBeyondItsText(current.text);
    const bool needsEntries = current.quick != RowFilterCriteria::Quick::None;
    const int count = candidates ? int(candidates->size()) : rows;
    for (int i = 0; i < count; ++i) {
        const int row = candidates ? candidates->at(i) : i;
        if (needsEntries)
            entries.fill(translationModel->messageOfRow(row));
        if (quickKeeps(entries, row) && textKeeps(row, &joined)) {
            positions[row] = int(visibleRows.size());
            visibleRows.append(row);
        }
    }
}

RowFilterModel::RowFilterModel(RowFilter *filter, QObject *parent)
    : QAbstractProxyModel(parent)
    , filter(filter)
{
    connect(filter, &RowFilter::aboutToChange, this, &RowFilterModel::beginResetModel);
    connect(filter, &RowFilter::changed, this, &RowFilterModel::endResetModel);
}

void RowFilterModel::setSourceModel(QAbstractItemModel *model)
{
    beginResetModel();
    if (sourceModel())
        disconnect(sourceModel(), nullptr, this, nullptr);
    QAbstractProxyModel::setSourceModel(model);
    // Resets of the source come through the filter, which recomputes its rows first.
    if (model) {
        connect(
            model, &QAbstractItemModel::dataChanged, this, &RowFilterModel::onSourceDataChanged);
        connect(model, &QAbstractItemModel::headerDataChanged, this,
            [this](Qt::Orientation orientation, int first, int last) {
                if (orientation == Qt::Horizontal)
                    emit headerDataChanged(orientation, first, last);
                else if (rowCount() > 0)
                    emit headerDataChanged(orientation, 0, rowCount() - 1);
            });
    }
    endResetModel();
}

QModelIndex RowFilterModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex RowFilterModel::parent(const QModelIndex &) const
{
    return {};
}

QModelIndex RowFilterModel::sibling(int row, int column, const QModelIndex &) const
{
    return index(row, column);
}

bool RowFilterModel::hasChildren(const QModelIndex &parent) const
{
    return !parent.isValid() && rowCount() > 0;
}

int RowFilterModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !sourceModel())
        return 0;
    return filter->isFiltering() ? filter->visibleCount() : sourceModel()->rowCount();
}

int RowFilterModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !sourceModel() ? 0 : sourceModel()->columnCount();
}

QModelIndex RowFilterModel::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid() || proxyIndex.model() != this || !sourceModel())
        return {};
    return sourceModel()->index(filter->sourceRow(proxyIndex.row()), proxyIndex.column());
}

QModelIndex RowFilterModel::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.model() != sourceModel())
        return {};
    return index(filter->visibleRow(sourceIndex.row()), sourceIndex.column());
}

QVariant RowFilterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!sourceModel())
        return {};
    // Column headers stay while no row is shown; row headers keep the message's number.
    return sourceModel()->headerData(
        orientation == Qt::Horizontal ? section : filter->sourceRow(section), orientation, role);
}

void RowFilterModel::onSourceDataChanged(
    const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    int first = topLeft.row();
    int last = bottomRight.row();
    if (filter->isFiltering())
        std::tie(first, last) = filter->visibleRange(first, last);
    if (first <= last)
        emit dataChanged(index(first, topLeft.column()), index(last, bottomRight.column()), roles);
}
