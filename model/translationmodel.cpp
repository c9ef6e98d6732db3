#include "model/translationmodel.h"

#include "model/appletranslationmodel.h"
#include "model/cellblock.h"
#include "model/commonjsontranslationmodel.h"
#include "model/gnutranslationmodel.h"
#include "model/qttranslationmodel.h"

#include <QBrush>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QUndoStack>

#include <utility>

Q_LOGGING_CATEGORY(lcModel, "parlonex.model")

namespace {

const QRegularExpression &languageSeparator()
{
    static const QRegularExpression separator(QStringLiteral("[_-]"));
    return separator;
}

const QColor problemColour(255, 160, 160);

} // namespace

TranslationModel::TranslationModel(QObject *parent, const QStringList &headerLabels)
    : QAbstractTableModel(parent)
    , history(new QUndoStack(this))
    , columns(headerLabels)
    , languageOfPosition(headerLabels.size(), -1)
{
}

TranslationModel::~TranslationModel() = default;

TranslationModel *TranslationModel::create(ModelKind kind, QObject *parent)
{
    switch (kind) {
    case ModelKind::Apple:
        return new AppleTranslationModel(parent);
    case ModelKind::Qt:
        return new QtTranslationModel(parent);
    case ModelKind::Gnu:
        return new GnuTranslationModel(parent);
    case ModelKind::CommonJSON:
        return new CommonJSONTranslationModel(parent);
    }
    return nullptr;
}

QModelIndex TranslationModel::index(int row, int column, const QModelIndex &parent) const
{
    return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
}

int TranslationModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : messageCount;
}

int TranslationModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : qMax(0, int(columns.size()) - leadingColumnCount());
}

int TranslationModel::languagePosition(int column) const
{
    const int position = leadingColumnCount() + column;
    return column >= 0 && position < columns.size() ? position : -1;
}

const Translation *TranslationModel::findTranslation(int row, int language) const
{
    if (row < 0 || row >= messages.size())
        return nullptr;
    for (const Translation &translation : messages.at(row).translations) {
        if (translation.language == language)
            return &translation;
    }
    return nullptr;
}

QVariant TranslationModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.model() != this || index.row() < 0 || index.column() < 0
        || index.row() >= messageCount)
        return {};
    const int position = languagePosition(index.column());
    switch (role) {
    case Qt::ToolTipRole:
        if (const auto problem = cellProblems.constFind({ index.row(), index.column() });
            problem != cellProblems.constEnd())
            return problem.value();
        Q_FALLTHROUGH();
    case Qt::DisplayRole:
    case Qt::EditRole: {
        if (position < 0)
            return {};
        const Translation *translation = findTranslation(index.row(), languageAt(position));
        return translation ? QVariant(translation->text) : QVariant();
    }
    case Qt::BackgroundRole: {
        if (cellProblems.contains({ index.row(), index.column() }))
            return QBrush(problemColour, Qt::SolidPattern);
        const Translation *translation =
            position < 0 ? nullptr : findTranslation(index.row(), languageAt(position));
        if (!translation || translation->text.isEmpty())
            return {};
        // Formats without a stored state show only the cells that wait for a review.
        if (translation->finished && !hasFinishedState())
            return {};
        return QBrush(translation->finished ? Qt::green : Qt::yellow, Qt::SolidPattern);
    }
    case Qt::ForegroundRole:
        if (!hasFinishedState() && !data(index, Qt::BackgroundRole).isValid())
            return {};
        return QBrush(Qt::black, Qt::SolidPattern);
    default:
        return {};
    }
}

bool TranslationModel::isInTable(const QModelIndex &index) const
{
    if (index.row() >= 0 && index.row() < messageCount && index.column() >= 0
        && index.column() < columnCount())
        return true;
    qCDebug(lcModel) << "row:" << index.row() << ", column:" << index.column();
    return false;
}

void TranslationModel::storeText(const QModelIndex &index, const QString &text)
{
    Translation *target = entry(index.row(), index.column(), true);
    target->text = text;
    // Formats without a stored state have only the review mark: the user's edit is the review.
    if (!hasFinishedState())
        target->finished = true;
    cellProblems.remove({ index.row(), index.column() });
}

bool TranslationModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!isInTable(index))
        return false;
    // Only the text can be changed; other roles are derived from it.
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return false;
    if (data(index, role) == value) {
        // Without a stored state, confirming a marked cell unchanged is its review.
        if (hasFinishedState() || isFinished(index))
            return false;
        setFinished(index, true);
        return true;
    }
    const CellState before = cellState(index.row(), index.column());
    storeText(index, value.toString());
    recordChange(index, before, QT_TR_NOOP("Edit Cell"));
    emit dataChanged(index, index, {});
    return true;
}

int TranslationModel::setTexts(const QList<CellText> &texts)
{
    int changed = 0;
    int top = messageCount, left = columnCount(), bottom = -1, right = -1;
    const EditStep step(this, tr("Edit Cells"));
    for (const CellText &cell : texts) {
        // An empty text for a cell without an entry changes nothing a user or a file sees.
        if (!isInTable(cell.index) || cellText(cell.index) == cell.text)
            continue;
        const CellState before = cellState(cell.index.row(), cell.index.column());
        storeText(cell.index, cell.text);
        recordChange(cell.index, before, nullptr);
        ++changed;
        top = qMin(top, cell.index.row());
        bottom = qMax(bottom, cell.index.row());
        left = qMin(left, cell.index.column());
        right = qMax(right, cell.index.column());
    }
    if (changed > 0)
        emit dataChanged(index(top, left), index(bottom, right), {});
    return changed;
}

Translation *TranslationModel::entry(int row, int column, bool create)
{
    const int position = languagePosition(column);
    if (position < 0 || row < 0 || row >= messages.size())
        return nullptr;
    const int language = languageAt(position);
    for (Translation &translation : messages[row].translations) {
        if (translation.language == language)
            return &translation;
    }
    if (!create)
        return nullptr;
    messages[row].translations.append(Translation { QString(), language, false });
    return &messages[row].translations.last();
}

QVariant TranslationModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    const int position = languagePosition(section);
    if (position < 0)
        return {};
    const QString &code = columns.at(position);
    switch (role) {
    case Qt::DisplayRole:
        return section == currentSourceColumn ? code + sourceMark() : code;
    case Qt::ToolTipRole:
        return languageDisplayName(code) + QLatin1Char('\n') + columnProgressText(section);
    case Qt::DecorationRole:
        return QIcon(QStringLiteral(":/rc/flags/%1.png").arg(code));
    default:
        return {};
    }
}

Qt::ItemFlags TranslationModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

void TranslationModel::cut(const QModelIndex &index)
{
    copy(index);
    setData(index, QVariant(), Qt::EditRole);
}

void TranslationModel::copy(const QModelIndex &index)
{
    // Marked as one cell, so that a text holding tabs and line breaks is pasted back whole.
    QGuiApplication::clipboard()->setMimeData(
        CellBlock::toMimeData({ { data(index, Qt::DisplayRole).toString() } }));
}

void TranslationModel::paste(const QModelIndex &index)
{
    setData(index, QGuiApplication::clipboard()->text(), Qt::EditRole);
}

void TranslationModel::indexesOfRow(int row, QModelIndexList &indexes) const
{
    const int count = columnCount();
    for (int column = 0; column < count; ++column)
        indexes.append(index(row, column));
}

void TranslationModel::indexesOfColumn(int column, QModelIndexList &indexes) const
{
    for (int row = 0; row < messageCount; ++row)
        indexes.append(index(row, column));
}

void TranslationModel::setFinished(const QModelIndex &index, bool finished)
{
    Translation *translation = entry(index.row(), index.column(), false);
    if (!translation || translation->finished == finished)
        return;
    const CellState before = cellState(index.row(), index.column());
    translation->finished = finished;
    recordChange(index, before, QT_TR_NOOP("Mark Cell"));
    emit dataChanged(index, index, { Qt::BackgroundRole, Qt::ForegroundRole });
}

void TranslationModel::setCellProblem(const QModelIndex &index, const QString &reason)
{
    if (!index.isValid() || index.model() != this)
        return;
    const QPair<int, int> cell { index.row(), index.column() };
    if (cellProblems.value(cell) == reason)
        return;
    const CellState before = cellState(index.row(), index.column());
    if (reason.isEmpty())
        cellProblems.remove(cell);
    else
        cellProblems.insert(cell, reason);
    // Within a command or an LLM answer the note is part of its step; a lone note (a request
    // that failed) is no step of its own.
    if (stepDepth > 0)
        recordChange(index, before, nullptr);
    emit dataChanged(index, index, { Qt::ToolTipRole, Qt::BackgroundRole, Qt::ForegroundRole });
}

QString TranslationModel::cellProblem(const QModelIndex &index) const
{
    return cellProblems.value({ index.row(), index.column() });
}

QString TranslationModel::messageId(const QModelIndex &index) const
{
    return messageAt(index.row()).id;
}

QString TranslationModel::sourceText(const QModelIndex &index) const
{
    if (currentSourceColumn >= 0)
        return data(this->index(index.row(), currentSourceColumn), Qt::DisplayRole).toString();
    return messageId(index);
}

QString TranslationModel::sourceLanguageName() const
{
    if (!sourceLanguage.isEmpty())
        return sourceLanguage;
    if (currentSourceColumn < 0)
        return QStringLiteral("English");
    const int position = languagePosition(currentSourceColumn);
    return position < 0 ? QString() : languageDisplayName(columns.at(position));
}

QString TranslationModel::columnLanguage(const QModelIndex &index, bool asCode) const
{
    const int position = languagePosition(index.column());
    if (position < 0)
        return {};
    return asCode ? columns.at(position) : languageDisplayName(columns.at(position));
}

QString TranslationModel::cellText(const QModelIndex &index) const
{
    return index.isValid() ? data(index, Qt::DisplayRole).toString() : QString();
}

bool TranslationModel::hasFinishedState() const
{
    return false;
}

bool TranslationModel::isFinished(const QModelIndex &index) const
{
    const int position = languagePosition(index.column());
    const Translation *translation =
        position < 0 ? nullptr : findTranslation(index.row(), languageAt(position));
    return translation && translation->finished;
}

int TranslationModel::leadingColumnCount() const
{
    return 0;
}

QString TranslationModel::columnFilePath(int column) const
{
    const int position = languagePosition(column);
    return position < 0 ? QString() : languageFiles.value(columns.at(position));
}

QString TranslationModel::columnFolder(int column) const
{
    const int position = languagePosition(column);
    return position < 0 ? QString() : languageFolders.value(columns.at(position));
}

QString TranslationModel::languageCode(int column) const
{
    const int position = languagePosition(column);
    return position < 0 ? QString() : columns.at(position);
}

QString TranslationModel::languageOfFolder(const QString &folderPath)
{
    const QString name = QFileInfo(folderPath).fileName();
    QString code = name;
    if (code.endsWith(QLatin1String(".lproj"), Qt::CaseInsensitive))
        code.chop(6);
    code.replace(u'.', u'_');
    const QString folder = QFileInfo(folderPath).absoluteFilePath();
    if (languageFolders.value(code, folder) != folder)
        code = name;
    languageFolders.insert(code, folder);
    return code;
}

Message TranslationModel::messageAt(int row) const
{
    return row >= 0 && row < messages.size() ? messages.at(row) : Message();
}

QString TranslationModel::groupOf(int row) const
{
    return row >= 0 && row < messageGroups.size() ? messageGroups.at(row) : QString();
}

QModelIndex TranslationModel::indexForLanguage(int row, const QString &code) const
{
    const int lead = leadingColumnCount();
    const int exact = columns.indexOf(code, lead);
    if (exact >= 0)
        return index(row, exact - lead);
    const QStringList parts = code.split(languageSeparator());
    if (parts.size() == 2) {
        const int position = columns.indexOf(parts.first(), lead);
        return position < 0 ? QModelIndex() : index(row, position - lead);
    }
    for (int position = lead; position < columns.size(); ++position) {
        if (columns.at(position).startsWith(code))
            return index(row, position - lead);
    }
    return {};
}

QString TranslationModel::languageDisplayName(const QString &code)
{
    const QLocale locale(code);
    const QString name = QLocale::languageToString(locale.language());
    if (code.contains(languageSeparator()))
        return QStringLiteral("%1 (%2)").arg(name, QLocale::territoryToString(locale.territory()));
    return name;
}

QString TranslationModel::nativeDirectory() const
{
    return QDir::toNativeSeparators(directory);
}

void TranslationModel::loadProjectSettings()
{
    const QString path = directory + QStringLiteral("/.parlonex.ini");
    if (!QFile::exists(path))
        return;
    QSettings settings(path, QSettings::IniFormat);
    sourceLanguage =
        settings.value(QStringLiteral("sourceLanguage"), QStringLiteral("English")).toString();
    currentSourceColumn = settings.value(QStringLiteral("sourceColumn"), -1).toInt();
}

void TranslationModel::saveProjectSettings()
{
    QSettings settings(directory + QStringLiteral("/.parlonex.ini"), QSettings::IniFormat);
    settings.setValue(QStringLiteral("sourceLanguage"), sourceLanguage);
    settings.setValue(QStringLiteral("sourceColumn"), currentSourceColumn);
    settings.sync();
}

void TranslationModel::setSourceColumn(int column)
{
    const int previous = currentSourceColumn;
    currentSourceColumn = column;
    sourceLanguage.clear();
    saveProjectSettings();
    // Both the old and the new source column change their header mark.
    const int last = columnCount() - 1;
    if (last >= 0)
        emit headerDataChanged(Qt::Horizontal, qBound(0, qMin(previous, column), last),
            qBound(0, qMax(previous, column), last));
}

void TranslationModel::setSourceLanguage(const QString &name)
{
    sourceLanguage = name;
    saveProjectSettings();
}

void TranslationModel::columnWalk(
    int column, const std::function<void(const CellItem &)> &visit) const
{
    for (int row = 0; row < messageCount; ++row) {
        const QModelIndex cell = index(row, column);
        const QString text = cellText(cell);
        if (text.isEmpty())
            continue;
        visit(CellItem { messageGroups.at(row), messageContexts.at(row), messages.at(row).id, text,
            isFinished(cell), row });
    }
}

void TranslationModel::beginLoad()
{
    Q_ASSERT(!loading);
    loading = true;
    beginResetModel();
    problems.clear();
    messageCount = 0;
    columns = columns.mid(0, leadingColumnCount());
    languageOfPosition = QList<int>(columns.size(), -1);
    positionOfLanguage.clear();
    lastLanguage.clear();
    lastLanguageId = -1;
    languageFiles.clear();
    languageFolders.clear();
    directory.clear();
    currentSourceColumn = -1;
    sourceLanguage.clear();
    notes.clear();
    messages.clear();
    messageGroups.clear();
    messageContexts.clear();
    rowOfKey.clear();
    loadedMessages.clear();
    writtenMessages.clear();
    cellProblems.clear();
    nextRow = 0;
}

void TranslationModel::addLanguage(const QString &language)
{
    Q_ASSERT(loading);
    columns.append(language);
    const int position = int(columns.size()) - 1;
    auto known = positionOfLanguage.constFind(language);
    if (known == positionOfLanguage.cend())
        known = positionOfLanguage.insert(language, position);
    languageOfPosition.append(known.value());
}

void TranslationModel::setLanguageFile(const QString &language, const QString &file)
{
    Q_ASSERT(loading);
    languageFiles.insert(language, file);
}

void TranslationModel::reserveRows(int count)
{
    if (count <= messages.size())
        return;
    messages.reserve(count);
    messageGroups.reserve(count);
    messageContexts.reserve(count);
    rowOfKey.reserve(count);
}

void TranslationModel::addTranslation(const QString &group, const QString &language,
    const QString &id, const QString &text, bool finished, const MessageNotes &messageNotes)
{
    Q_ASSERT(loading);
    if (lastLanguageId < 0 || language != lastLanguage) {
        lastLanguage = language;
        lastLanguageId = positionOfLanguage.value(language, -1);
    }
    const int languageId = lastLanguageId;
    // The files of a set mostly list their messages in one order: the row after the one met
    // last is tried before the index, which saves hashing the key and a miss in a large table.
    int row = -1;
    if (nextRow < messages.size() && messages.at(nextRow).id == id
        && messageGroups.at(nextRow) == group
        && messageContexts.at(nextRow) == messageNotes.context) {
        row = nextRow;
    } else {
        // One probe finds a known message or claims the slot of a new one; slots hold the row
        // plus one, so that a fresh slot's zero means "not met before".
        int &slot = rowOfKey[GroupKey { group, messageNotes.context, id }];
        if (slot > 0)
            row = slot - 1;
        else
            slot = int(messages.size()) + 1;
    }
    if (row >= 0) {
        messages[row].translations.append(Translation { text, languageId, finished });
        if (!messageNotes.isEmpty()) {
            MessageNotes &kept = notes[row];
            if (kept.comment.isEmpty())
                kept.comment = messageNotes.comment;
            if (kept.translatorComment.isEmpty())
                kept.translatorComment = messageNotes.translatorComment;
        }
        nextRow = row + 1;
        return;
    }
    row = int(messages.size());
    Message message { row, id, {} };
    // Most messages get a text in every language: one allocation, not several.
    message.translations.reserve(qMax(1, int(columns.size()) - leadingColumnCount()));
    message.translations.append(Translation { text, languageId, finished });
    messages.append(std::move(message));
    messageGroups.append(group);
    messageContexts.append(messageNotes.context);
    if (!messageNotes.isEmpty())
        notes.insert(row, messageNotes);
    nextRow = row + 1;
}

void TranslationModel::endLoad(const QString &path)
{
    Q_ASSERT(loading);
    messageCount = int(messages.size());
    loadedMessages = messages;
    writtenMessages = messages;
    directory = path;
    loadProjectSettings();
    history->clear();
    loading = false;
    endResetModel();
}

bool TranslationModel::writeEachLanguage(const std::function<bool(int)> &write) const
{
    const int count = columnCount();
    bool written = count > 0;
    QSet<QString> done;
    for (int column = 0; column < count; ++column) {
        const QString language = languageCode(column);
        if (done.contains(language))
            continue;
        done.insert(language);
        written = write(column) && written;
    }
    return written;
}

const Translation *TranslationModel::writtenEntry(int row, int column) const
{
    const int position = languagePosition(column);
    if (position < 0 || row < 0 || row >= writtenMessages.size())
        return nullptr;
    for (const Translation &translation : writtenMessages.at(row).translations) {
        if (translation.language == languageAt(position))
            return &translation;
    }
    return nullptr;
}

void TranslationModel::markColumnWritten(int column)
{
    const int position = languagePosition(column);
    if (position < 0)
        return;
    const int language = languageAt(position);
    for (int row = 0; row < messages.size(); ++row) {
        const Translation *now = findTranslation(row, language);
        const Translation *was = writtenEntry(row, column);
        if (now == was || (now && was && now->text == was->text && now->finished == was->finished))
            continue;
        // Only rows that differ are touched, so the others stay shared with the table.
        QList<Translation> &written = writtenMessages[row].translations;
        written.removeIf([language](const Translation &t) { return t.language == language; });
        if (now)
            written.append(*now);
    }
}
