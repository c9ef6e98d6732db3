#include "model/stringsfile.h"

#include "model/translationmodel.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

bool isUnquotedChar(QChar c)
{
    // The characters an old-style property list allows in a string without quotes.
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'+' || c == u'/' || c == u':'
        || c == u'.' || c == u'-';
}

bool isHex(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// UTF-16 without a byte order mark shows itself by a zero byte in every other position
// of ASCII text.
StringsEncoding::Codec guessUtf16(const QByteArray &bytes)
{
    const qsizetype sample = qMin<qsizetype>(bytes.size(), 1024) & ~qsizetype(1);
    if (sample < 2)
        return StringsEncoding::Utf8;
    int evenZeros = 0;
    int oddZeros = 0;
    for (qsizetype i = 0; i < sample; i += 2) {
        evenZeros += bytes.at(i) == 0;
        oddZeros += bytes.at(i + 1) == 0;
    }
    const int pairs = int(sample / 2);
    if (oddZeros * 2 > pairs && evenZeros * 10 < pairs)
        return StringsEncoding::Utf16LE;
    if (evenZeros * 2 > pairs && oddZeros * 10 < pairs)
        return StringsEncoding::Utf16BE;
    return StringsEncoding::Utf8;
}

QStringConverter::Encoding converterEncoding(StringsEncoding::Codec codec)
{
    switch (codec) {
    case StringsEncoding::Utf16LE:
        return QStringConverter::Utf16LE;
    case StringsEncoding::Utf16BE:
        return QStringConverter::Utf16BE;
    case StringsEncoding::Latin1:
        return QStringConverter::Latin1;
    case StringsEncoding::Utf8:
        break;
    }
    return QStringConverter::Utf8;
}

class StringsParser
{
public:
    explicit StringsParser(const QString &text)
        : text(text)
    {
    }

    QList<StringsEntry> entries;
    QString error;

    bool parse()
    {
        skipSpace();
        // A table may also be written as one braced dictionary.
        const bool braced = !atEnd() && peek() == u'{';
        if (braced) {
            ++position;
            skipSpace();
        }
        while (error.isEmpty()) {
            skipSpace();
            if (atEnd()) {
                if (braced)
                    fail(QStringLiteral("missing '}'"));
                break;
            }
            if (braced && peek() == u'}') {
                ++position;
                skipSpace();
                if (!atEnd())
                    fail(QStringLiteral("text after the closing '}'"));
                break;
            }
            parseEntry();
        }
        return error.isEmpty();
    }

private:
    const QString &text;
    qsizetype position = 0;
    int line = 1;

    bool atEnd() const { return position >= text.size(); }
    QChar peek() const { return text.at(position); }

    void fail(const QString &reason)
    {
        if (error.isEmpty())
            error = QStringLiteral("line %1: %2").arg(line).arg(reason);
    }

    void advance()
    {
        if (text.at(position) == u'\n')
            ++line;
        ++position;
    }

    void skipSpace()
    {
        while (!atEnd() && error.isEmpty()) {
            const QChar c = peek();
            if (c.isSpace()) {
                advance();
            } else if (c == u'/' && position + 1 < text.size() && text.at(position + 1) == u'/') {
                while (!atEnd() && peek() != u'\n')
                    advance();
            } else if (c == u'/' && position + 1 < text.size() && text.at(position + 1) == u'*') {
                const int start = line;
                position += 2;
                while (!atEnd()
                    && !(peek() == u'*' && position + 1 < text.size()
                        && text.at(position + 1) == u'/'))
                    advance();
                if (atEnd()) {
                    line = start;
                    fail(QStringLiteral("unterminated comment"));
                    return;
                }
                position += 2;
            } else {
                return;
            }
        }
    }

    // Reads a quoted or unquoted string; `raw` gets its characters without the quotes.
    bool parseString(QString *raw, qsizetype *start, qsizetype *length)
    {
        *start = position;
        if (atEnd()) {
            fail(QStringLiteral("unexpected end of file"));
            return false;
        }
        if (peek() == u'"') {
            const int startLine = line;
            advance();
            const qsizetype first = position;
            while (!atEnd() && peek() != u'"') {
                if (peek() == u'\\' && position + 1 < text.size())
                    advance();
                advance();
            }
            if (atEnd()) {
                line = startLine;
                fail(QStringLiteral("unterminated quoted string"));
                return false;
            }
            *raw = text.mid(first, position - first);
            advance();
        } else {
            while (!atEnd() && isUnquotedChar(peek()))
                advance();
            if (position == *start) {
                fail(QStringLiteral("unexpected character '%1'").arg(peek()));
                return false;
            }
            *raw = text.mid(*start, position - *start);
        }
        *length = position - *start;
        return true;
    }

    void parseEntry()
    {
        StringsEntry entry;
        entry.line = line;
        qsizetype keyStart = 0;
        qsizetype keyLength = 0;
        if (!parseString(&entry.key, &keyStart, &keyLength))
            return;
        skipSpace();
        if (atEnd()) {
            fail(QStringLiteral("missing ';' after \"%1\"").arg(entry.key));
            return;
        }
        if (peek() == u';') {
            entry.value = entry.key;
            entry.valueStart = position;
            ++position;
            entries.append(entry);
            return;
        }
        if (peek() != u'=') {
            fail(QStringLiteral("expected '=' after \"%1\"").arg(entry.key));
            return;
        }
        ++position;
        skipSpace();
        if (!parseString(&entry.value, &entry.valueStart, &entry.valueLength))
            return;
        skipSpace();
        if (atEnd() || peek() != u';') {
            fail(QStringLiteral("missing ';' after \"%1\"").arg(entry.key));
            return;
        }
        ++position;
        entries.append(entry);
    }
};

} // namespace

StringsDocument StringsDocument::fromBytes(const QByteArray &bytes)
{
    StringsDocument document;
    StringsEncoding &encoding = document.encoding;
    qsizetype skip = 0;
    if (bytes.startsWith("\xFF\xFE")) {
        encoding = { StringsEncoding::Utf16LE, true };
        skip = 2;
    } else if (bytes.startsWith("\xFE\xFF")) {
        encoding = { StringsEncoding::Utf16BE, true };
        skip = 2;
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        encoding = { StringsEncoding::Utf8, true };
        skip = 3;
    } else {
        encoding = { guessUtf16(bytes), false };
    }

    const QByteArrayView body = QByteArrayView(bytes).sliced(skip);
    QStringDecoder decoder(converterEncoding(encoding.codec), QStringConverter::Flag::Stateless);
    document.text = decoder.decode(body);
    if (decoder.hasError() && encoding.codec == StringsEncoding::Utf8 && !encoding.bom) {
        // Older tools wrote ISO-8859-1; decoding it as such keeps every byte, so a rewrite
        // in the same encoding leaves the untouched parts identical.
        encoding.codec = StringsEncoding::Latin1;
        document.text = QString::fromLatin1(body);
    } else if (decoder.hasError()) {
        document.errorString = QStringLiteral("line 1: invalid byte sequence for the encoding");
        return document;
    }

    StringsParser parser(document.text);
    parser.parse();
    document.entries = parser.entries;
    document.errorString = parser.error;
    return document;
}

QByteArray StringsDocument::toBytes() const
{
    QByteArray bytes;
    switch (encoding.codec) {
    case StringsEncoding::Utf8:
        if (encoding.bom)
            bytes = "\xEF\xBB\xBF";
        break;
    case StringsEncoding::Utf16LE:
        if (encoding.bom)
            bytes = "\xFF\xFE";
        break;
    case StringsEncoding::Utf16BE:
        if (encoding.bom)
            bytes = "\xFE\xFF";
        break;
    case StringsEncoding::Latin1:
        // Writers escape what Latin-1 cannot hold, so nothing is lost here.
        return text.toLatin1();
    }
    QStringEncoder encoder(converterEncoding(encoding.codec), QStringConverter::Flag::Stateless);
    bytes += QByteArray(encoder.encode(text));
    return bytes;
}

QString escapeStringsText(const QString &text, bool latin1)
{
    QString result;
    result.reserve(text.size() + 8);
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == u'\\') {
            const QChar next = i + 1 < size ? text.at(i + 1) : QChar();
            bool kept = !next.isNull() && QStringLiteral("\"\\'abfnrtv01234567").contains(next);
            qsizetype length = 2;
            if (next == u'U' || next == u'u') {
                kept = i + 5 < size && isHex(text.at(i + 2)) && isHex(text.at(i + 3))
                    && isHex(text.at(i + 4)) && isHex(text.at(i + 5));
                length = 6;
            }
            if (kept) {
                result += QStringView(text).mid(i, length);
                i += length - 1;
            } else {
                result += QLatin1String("\\\\");
            }
        } else if (c == u'"') {
            result += QLatin1String("\\\"");
        } else if (c == u'\n') {
            result += QLatin1String("\\n");
        } else if (c == u'\r') {
            result += QLatin1String("\\r");
        } else if ((c.unicode() < 0x20 && c != u'\t') || (latin1 && c.unicode() > 0xFF)) {
            result += QLatin1String("\\U")
                + QString::number(c.unicode(), 16).rightJustified(4, u'0').toUpper();
        } else {
            result += c;
        }
    }
    return result;
}

bool readStringsFile(
    const QString &path, const std::function<void(const QString &, const QString &)> &callback)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcModel) << "Failed to open strings file:" << path << file.errorString();
        return false;
    }
    const StringsDocument document = StringsDocument::fromBytes(file.readAll());
    for (const StringsEntry &entry : document.entries)
        callback(entry.key, entry.value);
    if (!document.isValid()) {
        qCWarning(lcModel).noquote() << QStringLiteral("Failed to parse strings file %1, %2")
                                            .arg(path, document.errorString);
        return false;
    }
    return true;
}
