#pragma once

#include <QStringList>

class TranslationModel;

// Tab, line feed, carriage return and backslash as \t \n \r \\, so a cell stays on one line.
QString escapeCell(const QString &text);
QString unescapeCell(const QString &text);

// One line per non-empty cell, in row then column order: group, message ID, language code
// and text, tab-separated and escaped.
QStringList dumpTable(const TranslationModel &model);
