#include "model/sourcemodel.h"

#include "model/translationmodel.h"

SourceModel::SourceModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

QModelIndex SourceModel::index(int row, int column, const QModelIndex &parent) const
{
    return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
}

int SourceModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !targetModel)
        return 0;
    return targetModel->rowCount(QModelIndex());
}

int SourceModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant SourceModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.column() < 0 || index.row() >= rowCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case 0: {
        // Messages that differ only by their context would look the same without it.
        const QString id = targetModel->messageAt(index.row()).id;
        const QString context = targetModel->messageNotes(index.row()).context;
        return context.isEmpty() ? id : tr("%1 [%2]", "message ID [context]").arg(id, context);
    }
    case 1:
        return targetModel->groupOf(index.row());
    default:
        return {};
    }
}

QVariant SourceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return QString::number(section + 1);
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (section) {
    case 0: {
        const QStringList columns = targetModel ? targetModel->columnList() : QStringList();
        return (columns.isEmpty() ? QString() : columns.first()) + TranslationModel::sourceMark();
    }
    case 1:
        return tr("Group");
    default:
        return {};
    }
}

Qt::ItemFlags SourceModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? QAbstractTableModel::flags(index) : Qt::NoItemFlags;
}

void SourceModel::setTranslationModel(TranslationModel *model)
{
    beginResetModel();
    targetModel = model;
    endResetModel();
}
