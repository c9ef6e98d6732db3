#pragma once

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
    // Empty when the whole text parsed; otherwise "line N: reason", and `entries` holds the
    // entries before the error.
    QString errorString;

    bool isValid() const { return errorString.isEmpty(); }
    static StringsDocument fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;
};

// Text for a place between double quotes: real line breaks, quotes, lone backslashes and
// control characters become escapes, while escapes already present (\" \\ \n \U00E9 ...)
// are kept, so a text read from a file comes out byte for byte. With `latin1` every
// character above U+00FF is written as \Uxxxx too.
QString escapeStringsText(const QString &text, bool latin1 = false);

// Reads every entry of a .strings file (UTF-8 or UTF-16, with or without byte order mark,
// or Latin-1). Returns false when the file cannot be opened or does not parse; the entries
// before a syntax error are still delivered.
bool readStringsFile(
    const QString &path, const std::function<void(const QString &, const QString &)> &callback);
