#pragma once

#include <QAbstractProxyModel>
#include <QList>
#include <QPointer>
#include <QRegularExpression>
#include <QStringMatcher>

#include <utility>

class JoinedTexts;
class ShownEntries;
struct Message;
class TranslationModel;

struct RowFilterCriteria
{
    enum class Quick {
        None,
        EmptyInAnyColumn,
        EmptyInColumn,
        UnfinishedOrReview,
        ChangedSinceOpened,
        // A failed placeholder check or a failed translation noted on a cell.
        ProblemNoted,
    };

    QString text;
    bool regularExpression = false;
    Quick quick = Quick::None;
    // The column of EmptyInColumn.
    int column = -1;
};

// The rows both table views show: those whose message ID, group or any cell holds the text
// (case-insensitive), narrowed by a quick filter. Worked out when the criteria change, not on
// every edit, so that the row being worked on stays where it is.
class RowFilter final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RowFilter)

public:
    explicit RowFilter(QObject *parent = nullptr);

    // Shows every row of the new model, whatever the criteria were.
    void setModel(TranslationModel *model);
    TranslationModel *model() const;
    void setCriteria(const RowFilterCriteria &criteria);
    const RowFilterCriteria &criteria() const { return current; }
    // Why the regular expression cannot be used; empty when it can.
    QString errorString() const;

    bool isFiltering() const { return filtering; }
    int visibleCount() const;
    int totalCount() const;
    // Rows are numbered as the views show them ("visible") or as the model holds them.
    int sourceRow(int visibleRow) const;
    int visibleRow(int sourceRow) const;
    // The shown rows from the first to the last of a range of model rows (empty: last < first).
    std::pair<int, int> visibleRange(int firstSourceRow, int lastSourceRow) const;

    // Whether a text holds the filter text; false while there is none.
    bool matches(QStringView text) const;
    // Whether the row's message ID or group holds the filter text.
    bool keyMatches(int row) const;
    // A cell "Next Untranslated" stops at: no text, or an entry still unfinished.
    bool isUntranslated(const QModelIndex &index) const;

signals:
    void aboutToChange();
    void changed();

private:
    // Works out the shown rows among `candidates`, or among all rows.
    void recompute(const QList<int> *candidates = nullptr);
    bool quickKeeps(const ShownEntries &entries, int row) const;
    bool textKeeps(int row, JoinedTexts *joined) const;
    bool anyTextMatches(const Message &message, const QString &group) const;

    bool containsCaseless(QStringView text) const;

    QPointer<TranslationModel> translationModel;
    RowFilterCriteria current;
    QStringMatcher matcher;
    // A character of the filter text whose case variants are at most two, so that a text is
    // searched for them with the library's vectorised search, and only the places that hold
    // one are compared without regard to case. Offset -1: the matcher does all the work.
    struct Anchor
    {
        qsizetype offset = -1;
        int count = 0;
        char16_t variants[2] {};
    };
    Anchor anchor;
    static Anchor anchorOf(const QString &text);
    QRegularExpression expression;
    bool filtering = false;
    // Whether a regular expression may be matched once over a row's texts joined.
    bool joinable = false;
    bool edited = false;
    QList<int> visibleRows;
    QList<int> positions;
};

// One table's rows as a RowFilter lets them through, in model order. Every proxy over one
// filter shows the same rows, so views over them stay row by row side by side.
class RowFilterModel final : public QAbstractProxyModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RowFilterModel)

public:
    explicit RowFilterModel(RowFilter *filter, QObject *parent = nullptr);

    void setSourceModel(QAbstractItemModel *model) override;
    QModelIndex index(
        int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex &index) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void onSourceDataChanged(
        const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles);

    RowFilter *filter;
};
