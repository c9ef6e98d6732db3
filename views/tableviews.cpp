#include "views/sourcetableview.h"
#include "views/targettableview.h"

#include <QHeaderView>
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

} // namespace

SourceTableView::SourceTableView(QWidget *parent)
    : QTableView(parent)
{
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
