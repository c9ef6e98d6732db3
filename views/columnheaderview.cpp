#include "views/columnheaderview.h"

#include <QGlyphRun>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTextLayout>

#include <algorithm>

namespace {

const QString sourceMark = QString::fromUtf8("\xF0\x9F\x93\xB0"); // U+1F4F0 NEWSPAPER

int markSize(const QFont &font)
{
    return QFontMetrics(font).height() - 2;
}

// A folded newspaper: a page with a headline and three lines of text.
void drawMark(QPainter *painter, const QRect &area, const QColor &color)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(color, 1));
    const QRectF page = QRectF(area).adjusted(0.5, 1.5, -0.5, -1.5);
    painter->drawRect(page);
    const qreal step = page.height() / 5;
    painter->fillRect(
        QRectF(page.left() + 2, page.top() + step - 1, page.width() - 4, step), color);
    for (int line = 2; line < 5; ++line) {
        const qreal y = page.top() + step * line + step / 2;
        painter->drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
    }
    painter->restore();
}

} // namespace

ColumnHeaderView::ColumnHeaderView(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    // As the table's own header: a click selects the column.
    setSectionsClickable(true);
    setHighlightSections(true);
}

bool ColumnHeaderView::canShow(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    // Glyph 0 is what a font draws for a character it does not have.
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return !runs.isEmpty() && std::none_of(runs.cbegin(), runs.cend(), [](const QGlyphRun &run) {
        return run.glyphIndexes().contains(0u);
    });
}

bool ColumnHeaderView::drawsMark(int logicalIndex) const
{
    static const bool markShown = canShow(sourceMark, font());
    return !markShown && model()
        && model()->headerData(logicalIndex, orientation()).toString().endsWith(sourceMark);
}

void ColumnHeaderView::initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    if (drawsMark(logicalIndex))
        option->text.chop(sourceMark.size());
}

void ColumnHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    // The style leaves the painter clipped to nothing after drawing a section.
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    if (!drawsMark(logicalIndex))
        return;
    const int size = markSize(font());
    const QRect area(rect.right() - size - 4, rect.center().y() - size / 2, size, size);
    drawMark(painter, area, palette().color(QPalette::ButtonText));
}

QSize ColumnHeaderView::sizeHint() const
{
    // Headers with and without flags are equally high, so that the rows of two tables side by
    // side line up.
    QSize size = QHeaderView::sizeHint();
    QStyleOptionHeader option;
    initStyleOption(&option);
    QPixmap flag(option.fontMetrics.height(), option.fontMetrics.height());
    flag.fill(Qt::transparent);
    option.icon = QIcon(flag);
    option.text = QStringLiteral("Xg");
    size.setHeight(qMax(size.height(),
        style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this).height()));
    return size;
}

QSize ColumnHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    if (drawsMark(logicalIndex))
        size.rwidth() += markSize(font()) + 4;
    return size;
}
