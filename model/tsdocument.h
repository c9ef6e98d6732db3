#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QHash>
#include <QString>

#include <functional>

// Language code taken from a TS file name (app_de.ts gives de, app_zh_CN.ts gives zh_CN),
// or an empty string when the name carries none.
QString tsFileLanguage(const QString &path);

// Reads every message of a TS file; `visit` receives context name, source text, the text
// shown in the table and whether the translation is finished. False when the file cannot
// be read or is not well-formed XML (whatever parsed before the error is still visited).
bool readTsFile(const QString &path,
                const std::function<void(const QString &group, const QString &source,
                                         const QString &text, bool finished)> &visit);

// A TS file held in memory for updating. Only the translations of messages it already
// contains change; a save writes the whole document back atomically.
class TsDocument final
{
public:
    explicit TsDocument(const QString &path);

    // The file was read and parsed; nothing else is ever written back.
    bool isOpen() const { return opened; }
    const QString &filePath() const { return path; }
    const QDomDocument &document() const { return dom; }
    QDomDocument &document() { return dom; }

    // The "message" element of (context, source); the first one in document order wins.
    QDomElement findMessage(const QString &group, const QString &source);

    // Writes the document back when an update changed it; an unchanged file is left as it is.
    bool save();
    void setModified() { modified = true; }

private:
    void buildIndex();

    QString path;
    QDomDocument dom;
    bool readable = false;
    bool opened = false;
    bool modified = false;
    bool indexed = false;
    QHash<QString, QHash<QString, QDomElement>> messagesByContext;
};

// Writes one cell into the document; false when (group, source) is not in the file. A text
// that was not `edited` since the set was read leaves the file's own text alone.
bool updateTsMessage(TsDocument &document, const QString &group, const QString &source,
                     const QString &text, bool finished, bool edited = true);
