#pragma once

#include <QTableView>

// The left-hand table (message IDs and groups). It scrolls vertically in step with its peer
// and splits its width between its two columns.
class SourceTableView final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SourceTableView)

public:
    explicit SourceTableView(QWidget *parent = nullptr);
    ~SourceTableView() override;

    // Pairs the views; the peer takes this view's row height.
    void setPeerView(QTableView *view);
    void fitColumnsToViewport();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QTableView *peerView = nullptr;
};
