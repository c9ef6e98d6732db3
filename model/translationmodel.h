#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QLoggingCategory>
#include <QMap>
#include <QPointer>
#include <QStringList>

#include "model/fileerror.h"

#include <functional>

Q_DECLARE_LOGGING_CATEGORY(lcModel)

// One language's entry of a message. The language is the position in the model's columns of
// the first column showing it, which keeps entries small and their lookups a comparison of ints.
struct Translation
{
    QString text;
    int language = -1;
    bool finished = true;
};

struct Message
{
    int row = -1;
    QString id;
    QList<Translation> translations;
};

// Both hold only implicitly shared members, so lists of them may grow by moving memory.
Q_DECLARE_TYPEINFO(Translation, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(Message, Q_RELOCATABLE_TYPE);

enum class ModelKind : int { Apple = 1, Qt = 2, Gnu = 3, CommonJSON = 4 };

// One cell's new text in an edit of many cells (TranslationModel::setTexts).
struct CellText
{
    QModelIndex index;
    QString text;
};

// One cell as an undo step puts it back: whether it has an entry, the entry's text and mark,
// and its problem note.
struct CellState
{
    bool exists = false;
    bool finished = true;
    QString text;
    // Why the cell needs a look (TranslationModel::setCellProblem); never written to files.
    QString problem;
    bool sameContent(const CellState &other) const
    {
        return exists == other.exists && finished == other.finished && text == other.text;
    }
    bool operator==(const CellState &other) const
    {
        return sameContent(other) && problem == other.problem;
    }
    bool operator!=(const CellState &other) const { return !(*this == other); }
};

// How far one language column has come: cells with text, and those of them still unfinished.
struct ColumnProgress
{
    int total = 0;
    int translated = 0;
    int unfinished = 0;
};

class QUndoStack;

// One cell handed to a writer by columnWalk.
struct CellItem
{
    QString group;
    QString context;
    QString id;
    QString text;
    bool finished = true;
    int row = -1;
};

// What the files say about a message besides its texts.
struct MessageNotes
{
    // PO msgctxt or the TS disambiguating comment: with the group and the ID it names the row.
    QString context;
    // The developers' note: TS extracomment, PO "#." comments, the .strings comment before
    // the entry.
    QString comment;
    // TS translatorcomment, PO "# " comments.
    QString translatorComment;

    bool isEmpty() const
    {
        return context.isEmpty() && comment.isEmpty() && translatorComment.isEmpty();
    }
};

// The in-memory table of one translation set: a row per message, a column per language.
// Format subclasses fill it through addTranslation and write it back through columnWalk.
class TranslationModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TranslationModel)

public:
    // `headerLabels` name the left-hand view's columns, one per leading column.
    explicit TranslationModel(QObject *parent = nullptr, const QStringList &headerLabels = {});
    ~TranslationModel() override;

    static TranslationModel *create(ModelKind kind, QObject *parent);

    QModelIndex index(
        int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Many cells in one edit, each under the rules of setData, announced by one dataChanged
    // over the range the changed cells span. Returns the number of cells changed.
    int setTexts(const QList<CellText> &texts);

    virtual void cut(const QModelIndex &index);
    virtual void copy(const QModelIndex &index);
    virtual void paste(const QModelIndex &index);
    virtual void indexesOfRow(int row, QModelIndexList &indexes) const;
    virtual void indexesOfColumn(int column, QModelIndexList &indexes) const;
    virtual void setFinished(const QModelIndex &index, bool finished);
    virtual bool importFromDirectory(const QString &directory) = 0;
    virtual bool openFiles(const QStringList &files) = 0;
    virtual bool exportToDirectory() = 0;
    virtual bool saveColumn(int column) = 0;
    virtual QString messageId(const QModelIndex &index) const;
    virtual QString sourceText(const QModelIndex &index) const;
    virtual QString sourceLanguageName() const;
    virtual QString columnLanguage(const QModelIndex &index, bool asCode) const;
    virtual QString cellText(const QModelIndex &index) const;
    virtual bool hasFinishedState() const;
    virtual bool isFinished(const QModelIndex &index) const;
    virtual int leadingColumnCount() const;
    virtual QString columnFilePath(int column) const;

    Message messageAt(int row) const;
    QString groupOf(int row) const;
    MessageNotes messageNotes(int row) const { return notes.value(row); }
    // What went wrong in the last open, import, export or column save, or needs the user's
    // review (such as translations written as fuzzy); empty when nothing did.
    const QList<FileError> &errors() const { return problems.list(); }
    QModelIndex indexForLanguage(int row, const QString &code) const;
    static QString languageDisplayName(const QString &code);
    // U+1F4F0 NEWSPAPER: marks the source column in the headers.
    static QString sourceMark() { return QStringLiteral(u"\U0001F4F0"); }
    QString nativeDirectory() const;
    QString projectDirectory() const { return directory; }

    // The header labels first, then one language code per loaded file, as in the column list.
    QStringList columnList() const { return columns; }
    // The language folder a column was read from, for formats that keep one per language;
    // empty when there is none.
    QString columnFolder(int column) const;
    // The language code of a view column; empty outside the table.
    QString languageCode(int column) const;
    // The language a column's entries carry (see Translation); -1 outside the table.
    int languageOfColumn(int column) const { return languageAt(languagePosition(column)); }

    void loadProjectSettings();
    void saveProjectSettings();
    void setSourceColumn(int column);
    void setSourceLanguage(const QString &name);
    int sourceColumn() const { return currentSourceColumn; }

    // Visits the non-empty cells of one view column in row order: the write-back walk
    // every format's writer shares.
    void columnWalk(int column, const std::function<void(const CellItem &)> &visit) const;

    // --- Review marks and cell problems ---------------------------------------------------
    // setFinished and isFinished keep the review mark of every format: only TS stores it in
    // its files, but the table shows it for all. A problem is why a cell needs a look (its
    // translation failed, it lost a placeholder): shown as its tool tip and colour until an
    // edit of the cell or an empty reason clears it. Most cells have none.
    void setCellProblem(const QModelIndex &index, const QString &reason);
    QString cellProblem(const QModelIndex &index) const;
    int cellProblemCount() const { return int(cellProblems.size()); }

    // --- Edit history, unexported changes and progress -----------------------------------
    // Every change setData, setTexts and setFinished make can be undone. Outside an open step
    // each call is a step of its own; between beginEditStep and endEditStep (nested pairs
    // count once) all changes are one step with the outermost name, problem notes included.
    // Reading a set starts an empty history.
    QUndoStack *undoStack() const { return history; }
    void beginEditStep(const QString &name);
    void endEditStep();
    // Cells differ from what was read or last exported; undoing back to that state counts.
    bool isModified() const;
    void setUnmodified();
    // Some cell of the row differs from what the set held when it was read.
    bool isRowChangedSinceLoad(int row) const;
    ColumnProgress columnProgress(int column) const;
    // "1,234 of 2,066 translated", with the unfinished count where the format keeps one.
    QString columnProgressText(int column) const;
    // The row's message without a copy, for scans over the whole table; the row must exist.
    const Message &messageOfRow(int row) const { return messages.at(row); }

protected:
    // --- Loading -----------------------------------------------------------------------------
    // A load replaces the whole set: beginLoad empties it, the format adds its language columns
    // and then its messages, and endLoad publishes both to attached views in one model reset,
    // with the project settings of `directory` and an empty edit history. Nothing else changes
    // the rows or columns.
    void beginLoad();
    void addLanguage(const QString &language);
    // The file columnFilePath gives for a language; when several are read the last one wins.
    void setLanguageFile(const QString &language, const QString &file);
    // Room for `count` rows, for a format that knows or can estimate them before adding.
    void reserveRows(int count);
    // Rows are told apart by group, context and ID; the other notes are taken from the first
    // file that has them.
    void addTranslation(const QString &group, const QString &language, const QString &id,
        const QString &text, bool finished, const MessageNotes &messageNotes = {});
    void endLoad(const QString &directory);

    // The language code of a language folder, recorded so that its column goes back there:
    // the name without ".lproj", dots as underscores, so that pt.BR and pt.PT stay apart as
    // pt_BR and pt_PT. A folder whose code another folder has already keeps its own name.
    QString languageOfFolder(const QString &folderPath);

    // Calls `write` once for each language, with its first column: columns of one language
    // show the same texts. False when there is no column or some call failed.
    bool writeEachLanguage(const std::function<bool(int column)> &write) const;

    // Where a format reports what its last open, import, export or save met.
    FileErrors &fileErrors() { return problems; }
    // The entry a cell has in the files of its language, as read or as last written; null when
    // it has none. A format marks a column written once every file of its language holds it.
    const Translation *writtenEntry(int row, int column) const;
    void markColumnWritten(int column);

private:
    // Position in `columns` of a view column, or -1 when there is none.
    int languagePosition(int column) const;
    int languageAt(int position) const
    {
        return position >= 0 && position < languageOfPosition.size()
            ? languageOfPosition.at(position)
            : -1;
    }
    const Translation *findTranslation(int row, int language) const;
    bool isInTable(const QModelIndex &index) const;
    void storeText(const QModelIndex &index, const QString &text);

    friend class CellEditCommand;
    struct CellChange
    {
        int row = 0;
        int column = 0;
        CellState before;
        CellState after;
    };
    CellState cellState(int row, int column) const;
    void recordChange(const QModelIndex &index, const CellState &before, const char *name);
    void pushPendingStep();
    // Puts the cells of a step back as they were before it, or as it left them.
    void applyChanges(const QList<CellChange> &changes, bool after);

    QUndoStack *history = nullptr;
    int stepDepth = 0;
    QString stepName;
    QList<CellChange> pendingChanges;
    QHash<qint64, int> pendingByCell;
    // The messages as read: rows never changed share their translations with them.
    QList<Message> loadedMessages;
    // The messages as the files hold them, after the last write of each language.
    QList<Message> writtenMessages;

    struct GroupKey
    {
        QString group;
        QString context;
        QString id;
        bool operator==(const GroupKey &other) const
        {
            return group == other.group && context == other.context && id == other.id;
        }
    };
    friend size_t qHash(const GroupKey &key, size_t seed) noexcept
    {
        return qHashMulti(seed, key.group, key.context, key.id);
    }

    FileErrors problems;
    int messageCount = 0;
    QStringList columns;
    // For each position in `columns`, the language its entries carry; -1 for leading columns.
    QList<int> languageOfPosition;
    QHash<QString, int> positionOfLanguage;
    // The language met last while loading: files give one language to all their entries.
    QString lastLanguage;
    int lastLanguageId = -1;
    QMap<QString, QString> languageFiles;
    QHash<QString, QString> languageFolders;
    QString directory;
    int currentSourceColumn = -1;
    QString sourceLanguage;

    // Only the few rows that have notes are kept here.
    QHash<int, MessageNotes> notes;
    // Messages in row order; row numbers are positions in this list. The group and context
    // of each row and a (group, context, id) index keep addTranslation, messageAt and groupOf
    // in constant time.
    QList<Message> messages;
    QList<QString> messageGroups;
    QList<QString> messageContexts;
    QHash<GroupKey, int> rowOfKey;
    bool loading = false;
    // The row addTranslation tries first: the one after the row it met last.
    int nextRow = 0;
    // The cell's entry; with `create`, a new unfinished one when it has none.
    Translation *entry(int row, int column, bool create);
    QHash<QPair<int, int>, QString> cellProblems;
};

// Makes the edits of one command a single undo step named after it, for as long as it lives.
class EditStep final
{
public:
    EditStep(TranslationModel *model, const QString &name);
    ~EditStep();
    Q_DISABLE_COPY_MOVE(EditStep)

private:
    QPointer<TranslationModel> model;
};
