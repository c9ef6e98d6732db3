#pragma once

#include "model/fileerror.h"

#include <QMap>
#include <QString>

class QJsonObject;

// Collects the cells of one language and writes them into the namespace files of one
// language directory. An existing file keeps its shape: a member found in it is changed
// where it stands, at any depth, and members the table cannot show (numbers, booleans,
// null, arrays, emptied cells) stay. New keys go flat into a flat file and are nested at
// their dots into a nested one, wherever i18next finds them; a file that does not exist yet
// takes the shape `add` got. A file where some key has no such place is not written.
class JsonWriter final
{
    Q_DISABLE_COPY_MOVE(JsonWriter)
    Q_DECLARE_TR_FUNCTIONS(JsonWriter)

public:
    JsonWriter(const QString &targetDirectory, FileErrors &errors);
    ~JsonWriter();

    bool add(const QString &group, const QString &key, const QString &text, bool flat);
    // Writes everything recorded and forgets it; false when any file or member could not
    // be written.
    bool flush();

private:
    bool writeGroup(const QString &group, const QMap<QString, QString> &texts, bool flat) const;

    QString targetDirectory;
    FileErrors &errors;
    QMap<QString, QMap<QString, QString>> texts;
    QMap<QString, bool> flatFlags;
};
