#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QMenu;

// `text` as a menu entry shows it: a lone "&" would mark a shortcut key instead of being shown,
// and names, paths and titles must read as written.
QString menuText(QString text);

// Appends the entries of a website file (a JSON array of objects with "category", "name",
// "name_<language>" and "url") to `menu`. Each category, in ascending order, begins with a
// separator and lists its entries sorted by title; the title is the entry's "name_<language>"
// for the first of `uiLanguages` it has, otherwise its "name". Entries without a title or an
// address are left out, and a missing or malformed file adds nothing. Triggering an entry
// calls `open` with its address and title.
void addWebsiteEntries(QMenu *menu, const QString &fileName, const QStringList &uiLanguages,
    const std::function<void(const QString &url, const QString &title)> &open);
