#pragma once

#include <QTableView>

// The right-hand table, one column per language. It scrolls vertically in step with its peer
// and repaints the hovered cell so the delegate can show its translate button there.
class TargetTableView final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TargetTableView)

public:
    explicit TargetTableView(QWidget *parent = nullptr);
    ~TargetTableView() override;

    // Pairs the views; the peer takes this view's row height.
    void setPeerView(QTableView *view);
    using QTableView::edit;

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QTableView *peerView = nullptr;
};
