#pragma once

#include "model/fileerror.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// How a .strings file was stored, so that it is written back the same way.
struct StringsEncoding
{
    enum Codec { Utf8, Utf16LE, Utf16BE, Latin1 };
    Codec codec = Utf8;
    bool bom = false;
};

// One `key = value;` assignment. Keys and values are kept as they stand in the file,
// escapes included; the positions locate the value so that a writer can replace it alone.
struct StringsEntry
{
    QString key;
    QString value;
    QString comment; // the comment right before the entry, without its delimiters
    qsizetype valueStart = 0; // the value token with its quotes, or where `= value` would go
    qsizetype valueLength = 0; // 0 for the `"key";` short form, whose value is the key
    int line = 0;
};

// A decoded .strings file: its text and the entries parsed from it.
struct StringsDocument
{
    StringsEncoding encoding;
    QString text;
    QList<StringsEntry> entries;
    // What did not parse, by line; `entries` then holds what could be read around it.
    QList<QPair<int, QString>> problems;

    bool isValid() const { return problems.isEmpty(); }
    static StringsDocument fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;
};

// Text for a place between double quotes, as apps read it back: line breaks, quotes,
// backslashes and control characters become escapes. With `latin1` every character above
// U+00FF is written as \Uxxxx too (UTF-16 units).
QString escapeStringsText(const QString &text, bool latin1 = false);

// The text apps see for a quoted string as it stands in a file: its escapes resolved.
QString unescapeStringsText(const QString &raw);

// Reads every entry of a .strings file (UTF-8 or UTF-16, with or without byte order mark,
// or Latin-1), with keys and values as apps see them. Returns false, with the reasons in
// `errors`, when the file cannot be opened or does not parse; the entries around a syntax
// error are still delivered.
bool readStringsFile(const QString &path,
    const std::function<void(const QString &key, const QString &value, const QString &comment)>
        &callback,
    FileErrors &errors);
