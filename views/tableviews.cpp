#include "views/columnheaderview.h"
#include "views/sourcetableview.h"
#include "views/targettableview.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

// Setting a scroll bar to the value it already has emits nothing, so the peer's echo ends
// the exchange at once.
void followVertically(QTableView *self, QTableView *peer)
{
    if (peer)
        peer->verticalScrollBar()->setValue(self->verticalScrollBar()->value());
}

// The two tables show one message per row side by side: a row dragged taller in one would
// put other messages next to each other, so rows keep one fixed height in both. Column
// headers may carry the source mark.
void setUpHeaders(QTableView *view)
{
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setHorizontalHeader(new ColumnHeaderView(view));
}

void matchRowHeights(QTableView *self, QTableView *peer)
{
    if (peer)
        peer->verticalHeader()->setDefaultSectionSize(self->verticalHeader()->defaultSectionSize());
}

} // namespace

SourceTableView::SourceTableView(QWidget *parent)
    : QTableView(parent)
{
    setUpHeaders(this);
}

void SourceTableView::setPeerView(QTableView *view)
{
    peerView = view;
    matchRowHeights(this, view);
}

SourceTableView::~SourceTableView() = default;

void SourceTableView::fitColumnsToViewport()
{
    QHeaderView *header = horizontalHeader();
    const int count = header->count();
    if (count <= 0)
        return;
    header->setSectionResizeMode(QHeaderView::Interactive);
    const int width = viewport()->width();
    if (count == 1) {
        header->resizeSection(0, width);
        return;
    }
    const int first = (2 * width) / 3;
    header->resizeSection(0, first);
    header->resizeSection(1, width - first);
}

void SourceTableView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    fitColumnsToViewport();
}

void SourceTableView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    followVertically(this, peerView);
}

TargetTableView::TargetTableView(QWidget *parent)
    : QTableView(parent)
{
    setUpHeaders(this);
}

void TargetTableView::setPeerView(QTableView *view)
{
    peerView = view;
    matchRowHeights(this, view);
}

bool TargetTableView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (trigger != AnyKeyPressed || !event || event->type() != QEvent::KeyPress)
        return QTableView::edit(index, trigger, event);
    // The view selects an opened line editor's whole text, so the first key typed would
    // replace a translation; typed into the cell, it goes after the text instead.
    if (!QTableView::edit(index, trigger, nullptr))
        return false;
    QWidget *editor = indexWidget(index);
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->end(false);
    if (editor)
        QCoreApplication::sendEvent(editor, event);
    return true;
}

TargetTableView::~TargetTableView() = default;

void TargetTableView::mouseMoveEvent(QMouseEvent *event)
{
    QTableView::mouseMoveEvent(event);
    update(indexAt(event->position().toPoint()));
}

void TargetTableView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    followVertically(this, peerView);
}
