#pragma once

#include "model/fileerror.h"

#include <QMap>
#include <QString>

// Collects the cells of one language (texts as apps see them) and writes them into the
// .strings tables of one .lproj directory. Existing tables are edited in place: only the
// values that changed are replaced, escaped, and new keys are appended, so comments, order, encoding and entries the table
// does not show all survive. A table is created when it does not exist yet.
class StringsWriter final
{
    Q_DISABLE_COPY_MOVE(StringsWriter)

public:
    StringsWriter(const QString &targetDirectory, FileErrors &errors);
    ~StringsWriter();

    bool add(const QString &group, const QString &key, const QString &text);
    // Writes everything recorded and forgets it; false when any table could not be written.
    bool flush();

private:
    bool writeGroup(const QString &group, const QMap<QString, QString> &texts) const;

    QString targetDirectory;
    FileErrors &errors;
    QMap<QString, QMap<QString, QString>> texts;
};
