#pragma once

#include <QKeySequence>
#include <QList>
#include <QPixmap>
#include <QStyledItemDelegate>

// Whether `event` asks for one of `shortcuts` while an editor has the focus. Editors claim
// keys of their own that are window shortcuts too (a line editor reads Ctrl+E as "end of
// line"), so those that must reach the window are let through.
bool isWindowShortcut(const QEvent *event, const QList<QKeySequence> &shortcuts);

// Edits target cells in a frameless line editor and shows a translate button at the right
// edge of the hovered cell.
class EditorDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditorDelegate)

public:
    explicit EditorDelegate(QObject *parent = nullptr);
    ~EditorDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(
        QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
        const QModelIndex &index) override;

    // The translate button's area in a cell rectangle.
    static QRect iconRect(const QRect &cell);

    // Window shortcuts that reach the window while a cell editor is open.
    void setWindowShortcuts(const QList<QKeySequence> &shortcuts) { windowShortcuts = shortcuts; }

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

signals:
    void translate(QModelIndex index);

private:
    QPixmap translateIcon;
    QList<QKeySequence> windowShortcuts;
};
