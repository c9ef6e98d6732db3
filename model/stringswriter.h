#pragma once

#include "model/groupwriter.h"
#include "model/translationmodel.h"

// Writes the cells of one language (texts as apps see them) into the .strings tables of one
// .lproj directory. Existing tables are edited in place: only the values that changed are
// replaced, escaped, and new keys are appended, so comments, order, encoding and entries the
// table does not show all survive. A table is created when it does not exist yet.
class StringsWriter final : public GroupWriter<QString, QString>
{
public:
    using GroupWriter::GroupWriter;

    void add(const CellItem &item) { groups[item.group].insert(item.id, item.text); }

private:
    bool writeGroup(const QString &group, const Items &texts) override;
};
