#pragma once

#include <QHash>
#include <QMap>
#include <QString>

#include <functional>

typedef struct po_file *po_file_t;
typedef struct po_message_iterator *po_message_iterator_t;

// Reads the messages of a PO catalogue that the table represents: those without message
// context that are not obsolete; a plural message gives its first form. False when the file
// could not be read at all. `hadErrors` tells that the library skipped parts of the file.
bool readPoFile(const QString &path,
                const std::function<void(const QString &id, const QString &text)> &visit,
                bool *hadErrors = nullptr);

// Appends a message with the given msgid and msgstr at the end of the catalogue.
bool appendPoMessage(po_file_t catalogue, const QString &id, const QString &text);

// Merges the texts of one language into its PO catalogues: each group is written into the
// files it was read from, or into "<group>.po" in the target directory. Created for one write;
// the destructor flushes what is left.
class PoWriter final
{
public:
    explicit PoWriter(const QString &targetDirectory);
    ~PoWriter();
    PoWriter(const PoWriter &) = delete;
    PoWriter &operator=(const PoWriter &) = delete;

    // A file a group was read from; the first one added gets the messages none of them has.
    // A group without files goes to the target directory, or is refused when that is empty.
    void addGroupFile(const QString &group, const QString &path);
    // Language named in the header of catalogues this writer creates.
    void setLanguage(const QString &code) { language = code; }

    bool add(const QString &group, const QString &id, const QString &text);
    // Writes everything recorded and forgets it; false when some catalogue was not written.
    bool flush();

private:
    bool writeGroup(const QStringList &paths, const QMap<QString, QString> &texts);
    po_file_t openCatalogue(const QString &path) const;

    QString targetDirectory;
    QString language;
    QHash<QString, QStringList> groupFiles;
    QMap<QString, QMap<QString, QString>> items;
};
