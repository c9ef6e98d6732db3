#include "views/editordelegate.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

bool isWindowShortcut(const QEvent *event, const QList<QKeySequence> &shortcuts)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const QKeySequence pressed(static_cast<const QKeyEvent *>(event)->keyCombination());
    return std::any_of(shortcuts.cbegin(), shortcuts.cend(), [&pressed](const QKeySequence &key) {
        return key.matches(pressed) == QKeySequence::ExactMatch;
    });
}

EditorDelegate::EditorDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
    , translateIcon(QStringLiteral(":/rc/translate.png"))
{
}

EditorDelegate::~EditorDelegate() = default;

QRect EditorDelegate::iconRect(const QRect &cell)
{
    QRect area = cell;
    const int inset = (cell.height() - 16) / 2;
    area.setLeft(cell.right() - 16);
    area.setTop(cell.top() + inset);
    area.setBottom(cell.bottom() - inset);
    return area;
}

void EditorDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (option.state.testFlag(QStyle::State_MouseOver) && !translateIcon.isNull())
        painter->drawPixmap(iconRect(option.rect), translateIcon);
}

QWidget *EditorDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    return editor;
}

void EditorDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<QLineEdit *>(editor)->setText(index.data(Qt::EditRole).toString());
}

void EditorDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    model->setData(index, static_cast<QLineEdit *>(editor)->text(), Qt::EditRole);
}

void EditorDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

bool EditorDelegate::eventFilter(QObject *object, QEvent *event)
{
    // Left unaccepted, the key goes on to the window's shortcut.
    if (isWindowShortcut(event, windowShortcuts))
        return true;
    return QStyledItemDelegate::eventFilter(object, event);
}

bool EditorDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
    const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton
            && iconRect(option.rect).contains(mouse->position().toPoint())) {
            emit translate(index);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
