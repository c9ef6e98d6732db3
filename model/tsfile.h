#pragma once

#include "model/fileerror.h"
#include "model/translationmodel.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringConverter>

#include <optional>

// Language code taken from a TS file name (app_de.ts gives de, app_zh_CN.ts gives zh_CN),
// or an empty string when the name carries none.
QString tsFileLanguage(const QString &path);

// One message of a TS file as the table shows it, with the place of its translation in the
// file's text, so that a save can replace that alone.
struct TsMessage
{
    QString group;
    QString source;
    // context: the disambiguating comment.
    MessageNotes notes;
    // The text shown in the table: the first plural form, without padding and quotes.
    QString text;
    bool finished = true;
    bool numerus = false;

    // Positions in TsFile's text; `start` is -1 when the message has no translation element.
    qsizetype start = -1; // the translation's '<'
    qsizetype tagEnd = 0; // past the '>' of its start tag
    bool selfClosing = false;
    // Its type attribute: from the white space before it, and its value; -1 when absent.
    qsizetype typeStart = -1;
    qsizetype typeValueStart = 0;
    qsizetype typeValueEnd = 0;
    // The content of the element holding the shown text: the translation itself, its first
    // numerus form or its first length variant. When that is missing (a numerus translation
    // without forms) or an empty-element tag, the range is where a new element `wrapIn` goes.
    qsizetype contentStart = 0;
    qsizetype contentEnd = 0;
    QString wrapIn;
};

// A TS file read for showing or updating. The text is kept decoded in the encoding the file
// declares; a save replaces only the translations that changed and writes every other
// character back as it was, in the same encoding.
class XmlScanner;

class TsFile final
{
    Q_DECLARE_TR_FUNCTIONS(TsFile)

public:
    // False, with the reasons in `errors`, when the file cannot be read or is not
    // well-formed; the messages before the error are still there.
    bool read(const QString &path, FileErrors &errors);
    const QList<TsMessage> &messages() const { return all; }

    // Sets what was edited of a message: its text, its finished state or both.
    void update(int message, const QString &text, bool finished, bool textEdited, bool markEdited);
    // Writes the updates back, when there were any; false with a reason in `errors`.
    bool save(FileErrors &errors);

private:
    struct Edit
    {
        qsizetype start;
        qsizetype end;
        QString replacement;
    };

    bool decode(const QByteArray &bytes, FileErrors &errors);
    bool parse(FileErrors &errors);
    void readTranslation(XmlScanner &scanner, TsMessage &message) const;
    QString escaped(const QString &text) const;

    QString path;
    QString text;
    // None when the file names an encoding Qt has no converter of its own for.
    std::optional<QStringConverter::Encoding> encoding = QStringConverter::Utf8;
    QByteArray codecName;
    QByteArray bom;
    QList<TsMessage> all;
    QList<Edit> edits;
};
