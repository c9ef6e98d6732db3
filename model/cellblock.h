#pragma once

#include <QList>
#include <QStringList>

class QMimeData;

// Blocks of cell texts on the clipboard, as spreadsheets exchange them: one line per row,
// a tab between the cells of a row.
namespace CellBlock {

// Tab-separated lines for other programs, plus the exact texts (which may hold tabs and line
// breaks themselves) for pasting back into this program.
QMimeData *toMimeData(const QList<QStringList> &rows);

// The rows of cell texts that `data` holds. Text from elsewhere is a block only when it is
// laid out as one: tabs between cells and as many cells on every line. Anything else is the
// text of one cell and gives no rows.
QList<QStringList> fromMimeData(const QMimeData *data);

} // namespace CellBlock
