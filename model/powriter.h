#pragma once

#include "model/fileerror.h"
#include "model/groupwriter.h"
#include "model/translationmodel.h"

#include <QHash>
#include <QString>

#include <functional>

// One message of a PO catalogue as the table shows it, decoded from the catalogue's
// character set.
struct PoEntry
{
    QString id;
    QString text; // a plural message shows its first form
    bool fuzzy = false;
    MessageNotes notes; // context: the msgctxt
};

// What a catalogue's header says that other catalogues of its language can use.
struct PoHeader
{
    QString pluralForms;
};

// Reads the messages of a PO catalogue that the table represents: every one that is neither
// the header nor obsolete. False, with the reasons in `errors`, when the catalogue cannot be
// read completely (the messages the library understood are still visited); such a catalogue
// must never be written back.
bool readPoFile(const QString &path, const std::function<void(const PoEntry &)> &visit,
    PoHeader *header, FileErrors &errors);

struct PoItem
{
    QString text;
    bool finished;
};

// Merges the texts of one language into its PO catalogues: each group is written into the
// files it was read from, or into "<group>.po" in the target directory. Catalogues are read
// and written in their own character set, and a catalogue whose messages all kept their
// texts and marks is not rewritten.
class PoWriter final : public GroupWriter<QPair<QString, QString>, PoItem>
{
    Q_DECLARE_TR_FUNCTIONS(PoWriter)

public:
    using GroupWriter::GroupWriter;

    // A file a group was read from; the first one added gets the messages none of them has.
    // A group without files goes to the target directory, or is refused when that is empty.
    void addGroupFile(const QString &group, const QString &path);
    // What the header of a catalogue this writer creates names.
    void setLanguage(const QString &code, const PoHeader &header)
    {
        language = code;
        languageHeader = header;
    }

    // `finished` false writes the message as fuzzy, true clears that mark.
    void add(const CellItem &item)
    {
        groups[item.group].insert({ item.context, item.id }, PoItem { item.text, item.finished });
    }

private:
    using Key = QPair<QString, QString>; // context, message ID
    struct Catalogue;

    bool writeGroup(const QString &group, const Items &texts) override;
    bool writeCatalogues(const QStringList &paths, const Items &texts);
    bool openCatalogue(Catalogue &catalogue);

    QString language;
    PoHeader languageHeader;
    QHash<QString, QStringList> groupFiles;
};
