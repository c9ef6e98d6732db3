#pragma once

#include <QAbstractTableModel>
#include <QPointer>

class TranslationModel;

// The left-hand table: each row's message ID and group, read through the translation model.
class SourceModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SourceModel)

public:
    explicit SourceModel(QObject *parent = nullptr);

    QModelIndex index(
        int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void setTranslationModel(TranslationModel *model);

private:
    TranslationModel *targetModel = nullptr;
};
