#pragma once

#include "model/groupwriter.h"
#include "model/translationmodel.h"

// Collects the cells of one language and writes them into the namespace files of one
// language directory. An existing file keeps its shape: a member found in it is changed
// where it stands, at any depth, and members the table cannot show (numbers, booleans,
// null, arrays, emptied cells) stay. New keys go flat into a flat file and are nested at
// their dots into a nested one, wherever i18next finds them; a file that does not exist yet
// takes the shape `add` got. A file where some key has no such place is not written.
class JsonWriter final : public GroupWriter<QString, QString>
{
    Q_DECLARE_TR_FUNCTIONS(JsonWriter)

public:
    using GroupWriter::GroupWriter;

    // `flat`: whether a file of the item's group that does not exist yet is to be flat.
    void add(const CellItem &item, bool flat);

private:
    bool writeGroup(const QString &group, const Items &texts) override;

    QMap<QString, bool> flatFlags;
};
