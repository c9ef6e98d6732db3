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
    Q_DECLARE_TR_FUNCTIONS(StringsParser)

public:
    explicit StringsParser(const QString &text)
        : text(text)
    {
    }

    QList<StringsEntry> entries;
    QList<QPair<int, QString>> problems;

    void parse()
    {
        skipSpace();
        // A table may also be written as one braced dictionary.
        const bool braced = !atEnd() && peek() == u'{';
        if (braced) {
            ++position;
            skipSpace();
        }
        forever {
            skipSpace();
            if (atEnd()) {
                if (braced)
                    fail(tr("missing '}'"));
                break;
            }
            if (braced && peek() == u'}') {
                ++position;
                skipSpace();
                if (!atEnd())
                    fail(tr("text after the closing '}'"));
                break;
            }
            if (!parseEntry()) {
                // Whatever follows the bad line is read on, so the table shows all it can.
                while (!atEnd() && peek() != u'\n')
                    advance();
            }
        }
    }

private:
    const QString &text;
    qsizetype position = 0;
    int line = 1;
    // The last comment since the previous entry, unless it began on that entry's line.
    QString comment;
    int entryEndLine = 0;

    bool atEnd() const { return position >= text.size(); }
    QChar peek() const { return text.at(position); }

    bool fail(const QString &reason, int at = 0)
    {
        problems.append({ at > 0 ? at : line, reason });
        return false;
    }

    void advance()
    {
        if (text.at(position) == u'\n')
            ++line;
        ++position;
    }

    void skipSpace()
    {
        while (!atEnd()) {
            const QChar c = peek();
            const bool lineComment =
                c == u'/' && position + 1 < text.size() && text.at(position + 1) == u'/';
            const bool blockComment =
                c == u'/' && position + 1 < text.size() && text.at(position + 1) == u'*';
            if (c.isSpace()) {
                advance();
                continue;
            }
            if (!lineComment && !blockComment)
                return;
            const int startLine = line;
            const qsizetype start = position + 2;
            position += 2;
            qsizetype end = 0;
            if (lineComment) {
                while (!atEnd() && peek() != u'\n')
                    advance();
                end = position;
            } else {
                while (!atEnd()
                    && !(peek() == u'*' && position + 1 < text.size()
                        && text.at(position + 1) == u'/'))
                    advance();
                if (atEnd()) {
                    // The rest of the file is read as if the comment had ended on its line.
                    position = start;
                    line = startLine;
                    fail(tr("unterminated comment"));
                    continue;
                }
                end = position;
                position += 2;
            }
            if (startLine != entryEndLine)
                comment = text.mid(start, end - start).trimmed();
        }
    }

    // Reads a quoted or unquoted string; `raw` gets its characters without the quotes.
    bool parseString(QString *raw, qsizetype *start, qsizetype *length)
    {
        *start = position;
        if (atEnd())
            return fail(tr("unexpected end of file"));
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
                position = first;
                line = startLine;
                return fail(tr("unterminated quoted string"));
            }
            *raw = text.mid(first, position - first);
            advance();
        } else {
            while (!atEnd() && isUnquotedChar(peek()))
                advance();
            if (position == *start)
                return fail(tr("unexpected character '%1'").arg(peek()));
            *raw = text.mid(*start, position - *start);
        }
        *length = position - *start;
        return true;
    }

    bool parseEntry()
    {
        StringsEntry entry;
        entry.line = line;
        entry.comment = comment;
        comment.clear();
        qsizetype keyStart = 0;
        qsizetype keyLength = 0;
        if (!parseString(&entry.key, &keyStart, &keyLength))
            return false;
        skipSpace();
        if (!atEnd() && peek() == u';') {
            entry.value = entry.key;
            entry.valueStart = position;
            ++position;
            entries.append(entry);
            entryEndLine = line;
            return true;
        }
        if (atEnd() || peek() != u'=')
            return fail(tr("expected '=' after \"%1\"").arg(entry.key));
        ++position;
        skipSpace();
        if (!parseString(&entry.value, &entry.valueStart, &entry.valueLength))
            return false;
        entryEndLine = line;
        skipSpace();
        entries.append(entry);
        if (atEnd() || peek() != u';') {
            // The entry itself is whole: it is shown, and reading goes on where it stopped.
            fail(tr("missing ';' after \"%1\"").arg(entry.key), entryEndLine);
            return true;
        }
        ++position;
        return true;
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
        document.problems.append({ 1, StringsParser::tr("not a text in its encoding") });
        return document;
    }

    StringsParser parser(document.text);
    parser.parse();
    document.entries = parser.entries;
    document.problems = parser.problems;
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
    for (const QChar c : text) {
        if (c == u'\\') {
            result += QLatin1String("\\\\");
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

QString unescapeStringsText(const QString &raw)
{
    if (!raw.contains(u'\\'))
        return raw;
    QString text;
    text.reserve(raw.size());
    const qsizetype size = raw.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = raw.at(i);
        if (c != u'\\' || i + 1 == size) {
            text += c;
            continue;
        }
        const QChar next = raw.at(++i);
        const qsizetype control = QStringView(u"abfnrtv").indexOf(next);
        if (control >= 0) {
            text += QChar(u"\a\b\f\n\r\t\v"[control]);
        } else if (next == u'U' || next == u'u' || (next >= u'0' && next <= u'7')) {
            // \U with up to four hex digits, or up to three octal ones.
            const bool hex = !next.isDigit();
            const qsizetype first = hex ? i + 1 : i;
            qsizetype end = first;
            while (end < size && end - first < (hex ? 4 : 3)
                && (hex ? isHex(raw.at(end)) : raw.at(end) >= u'0' && raw.at(end) <= u'7'))
                ++end;
            if (end == first)
                text += next;
            else
                text += QChar(char16_t(raw.mid(first, end - first).toUInt(nullptr, hex ? 16 : 8)));
            i = qMax(i, end - 1);
        } else {
            text += next;
        }
    }
    return text;
}

bool readStringsFile(const QString &path,
    const std::function<void(const QString &, const QString &, const QString &)> &callback,
    FileErrors &errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors.add(path, FileErrors::cannotRead(file.errorString()));
        return false;
    }
    const StringsDocument document = StringsDocument::fromBytes(file.readAll());
    for (const StringsEntry &entry : document.entries)
        callback(unescapeStringsText(entry.key), unescapeStringsText(entry.value), entry.comment);
    for (const auto &problem : document.problems)
        errors.add(path, problem.first, StringsParser::tr("Syntax error: %1").arg(problem.second));
    return document.isValid();
}
