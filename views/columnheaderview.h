#pragma once

#include <QHeaderView>

// A column header that draws the source column's mark (U+1F4F0) as a small picture when no
// installed font has that character: a minimal system would show a box in its place.
class ColumnHeaderView final : public QHeaderView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColumnHeaderView)

public:
    explicit ColumnHeaderView(QWidget *parent = nullptr);

    // Whether some font can draw every character of `text` in `font`'s family or a fallback.
    static bool canShow(const QString &text, const QFont &font);
    QSize sizeHint() const override;

protected:
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    bool drawsMark(int logicalIndex) const;
};
