#pragma once

#include "model/fileerror.h"

#include <QMap>
#include <QString>

// What the writers share: the cells of one language collected by group, and each group's
// file written when flushed. A writer serves one export step or one column save.
template <typename Key, typename Value> class GroupWriter
{
    Q_DISABLE_COPY_MOVE(GroupWriter)

public:
    GroupWriter(const QString &targetDirectory, FileErrors &errors)
        : targetDirectory(targetDirectory)
        , errors(errors)
    {
    }
    virtual ~GroupWriter() = default;

    // Writes every group recorded, in the order of their names, and forgets them; false when
    // some file was not written. The reasons are in the errors.
    bool flush()
    {
        bool written = true;
        for (auto group = groups.cbegin(); group != groups.cend(); ++group)
            written = writeGroup(group.key(), group.value()) && written;
        groups.clear();
        return written;
    }

protected:
    using Items = QMap<Key, Value>;
    virtual bool writeGroup(const QString &group, const Items &items) = 0;

    const QString targetDirectory;
    FileErrors &errors;
    QMap<QString, Items> groups;
};
