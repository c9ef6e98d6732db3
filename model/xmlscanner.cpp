#include "model/xmlscanner.h"

namespace {

bool isNameStart(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return isNameStart(c) || (u >= '0' && u <= '9') || u == '-' || u == '.';
}

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\n' || c == u'\t' || c == u'\r';
}

// The characters XML 1.0 allows in a document or a character reference.
bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
        || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The character a reference "&...;" between `from` and `to` (exclusive) stands for, or 0.
char32_t referenced(QStringView reference)
{
    if (reference == QLatin1String("amp"))
        return '&';
    if (reference == QLatin1String("lt"))
        return '<';
    if (reference == QLatin1String("gt"))
        return '>';
    if (reference == QLatin1String("quot"))
        return '"';
    if (reference == QLatin1String("apos"))
        return '\'';
    if (!reference.startsWith(u'#') || reference.size() < 2)
        return 0;
    bool ok = false;
    const uint code = reference.at(1) == u'x' ? reference.mid(2).toUInt(&ok, 16)
                                              : reference.mid(1).toUInt(&ok, 10);
    return ok && isXmlChar(code) ? code : 0;
}

} // namespace

XmlScanner::XmlScanner(const QString &text)
    : text(text)
{
    // Control characters are not allowed anywhere; checking them once keeps the scan simple.
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0xFFFE || c == 0xFFFF) {
            fail(tr("the character U+%1 is not allowed in XML")
                     .arg(QString::number(c, 16).toUpper().rightJustified(4, u'0')),
                i);
            break;
        }
    }
}

XmlScanner::Token XmlScanner::fail(const QString &reason, qsizetype at)
{
    if (error.isEmpty()) {
        error = reason;
        errorPosition = at;
    }
    return Invalid;
}

int XmlScanner::errorLine() const
{
    return int(QStringView(text).left(errorPosition).count(u'\n')) + 1;
}

bool XmlScanner::skipPast(QLatin1String terminator)
{
    const qsizetype found = text.indexOf(terminator, position);
    if (found < 0)
        return false;
    position = found + terminator.size();
    return true;
}

bool XmlScanner::checkReferences(qsizetype from, qsizetype to)
{
    const QStringView range = QStringView(text).mid(from, to - from);
    for (qsizetype found = range.indexOf(u'&'); found >= 0;
         found = range.indexOf(u'&', found + 1)) {
        const qsizetype at = from + found;
        const qsizetype semicolon = from + range.indexOf(u';', found);
        if (semicolon < from || !referenced(QStringView(text).mid(at + 1, semicolon - at - 1))) {
            fail(tr("a malformed reference starting with '&'"), at);
            return false;
        }
    }
    return true;
}

void XmlScanner::appendResolved(QString &out, qsizetype from, qsizetype to) const
{
    while (from < to) {
        const qsizetype found = QStringView(text).mid(from, to - from).indexOf(u'&');
        if (found < 0) {
            out += QStringView(text).mid(from, to - from);
            return;
        }
        const qsizetype at = from + found;
        out += QStringView(text).mid(from, at - from);
        const qsizetype semicolon = text.indexOf(u';', at);
        const char32_t c = referenced(QStringView(text).mid(at + 1, semicolon - at - 1));
        if (QChar::requiresSurrogates(c)) {
            out += QChar(QChar::highSurrogate(c));
            out += QChar(QChar::lowSurrogate(c));
        } else {
            out += QChar(char16_t(c));
        }
        from = semicolon + 1;
    }
}

QString XmlScanner::attribute(QLatin1String attributeName) const
{
    for (const Attribute &attribute : tagAttributes) {
        if (attribute.name == attributeName) {
            QString value = QStringLiteral("");
            appendResolved(value, attribute.valueStart, attribute.valueEnd);
            return value;
        }
    }
    return {};
}

void XmlScanner::appendText(QString &out) const
{
    if (cdata)
        out += QStringView(text).mid(tokenStart + 9, tokenEnd - tokenStart - 12); // <![CDATA[ ]]>
    else
        appendResolved(out, tokenStart, tokenEnd);
}

XmlScanner::Token XmlScanner::next()
{
    if (!error.isEmpty())
        return Invalid;
    if (pendingEnd) {
        pendingEnd = false;
        tagName = open.takeLast();
        return EndTag;
    }
    const qsizetype size = text.size();
    while (position < size) {
        tokenStart = position;
        cdata = false;
        if (text.at(position) != u'<') {
            position = text.indexOf(u'<', position);
            if (position < 0)
                position = size;
            tokenEnd = position;
            if (open.isEmpty()) {
                // Only white space may stand around the root element.
                for (qsizetype i = tokenStart; i < tokenEnd; ++i) {
                    if (!isSpace(text.at(i)))
                        return fail(tr("text outside the root element"), i);
                }
                continue;
            }
            return checkReferences(tokenStart, tokenEnd) ? Text : Invalid;
        }
        const QChar second = position + 1 < size ? text.at(position + 1) : QChar();
        if (second == u'/')
            return scanEndTag();
        if (second != u'!' && second != u'?')
            return scanStartTag();
        const QStringView rest = QStringView(text).mid(position);
        if (rest.startsWith(QLatin1String("<!--"))) {
            if (!skipPast(QLatin1String("-->")))
                return fail(tr("a comment without its end"), tokenStart);
        } else if (rest.startsWith(QLatin1String("<?"))) {
            if (!skipPast(QLatin1String("?>")))
                return fail(tr("a processing instruction without its end"), tokenStart);
        } else if (rest.startsWith(QLatin1String("<![CDATA["))) {
            if (open.isEmpty() || !skipPast(QLatin1String("]]>")))
                return fail(tr("a misplaced or unfinished CDATA section"), tokenStart);
            tokenEnd = position;
            cdata = true;
            return Text;
        } else if (rest.startsWith(QLatin1String("<!DOCTYPE"))) {
            // A document type may hold declarations in brackets, which hold '>' themselves.
            const qsizetype bracket = text.indexOf(u'[', position);
            const qsizetype close = text.indexOf(u'>', position);
            if (rootSeen
                || !(bracket >= 0 && bracket < close ? skipPast(QLatin1String("]>"))
                                                     : skipPast(QLatin1String(">"))))
                return fail(tr("a misplaced or unfinished document type"), tokenStart);
        } else {
            return fail(tr("a malformed tag"), tokenStart);
        }
    }
    if (!open.isEmpty())
        return fail(tr("the file ends before </%1>").arg(open.last()), size);
    if (!rootSeen)
        return fail(tr("the file holds no XML element"), size);
    return End;
}

XmlScanner::Token XmlScanner::scanStartTag()
{
    const qsizetype size = text.size();
    ++position;
    const qsizetype nameStart = position;
    if (position >= size || !isNameStart(text.at(position)))
        return fail(tr("a malformed tag"), tokenStart);
    while (position < size && isNameChar(text.at(position)))
        ++position;
    tagName = QStringView(text).mid(nameStart, position - nameStart);
    if (open.isEmpty() && rootSeen)
        return fail(tr("a second root element"), tokenStart);
    tagAttributes.clear();
    forever {
        const qsizetype spanStart = position;
        while (position < size && isSpace(text.at(position)))
            ++position;
        if (position >= size)
            return fail(tr("a malformed tag"), tokenStart);
        const QChar c = text.at(position);
        if (c == u'>' || (c == u'/' && position + 1 < size && text.at(position + 1) == u'>')) {
            position += c == u'>' ? 1 : 2;
            emptyElement = c == u'/';
            break;
        }
        // Attributes are separated from the name and each other by white space.
        if (position == spanStart || !isNameStart(c))
            return fail(tr("a malformed tag"), tokenStart);
        const qsizetype attributeStart = position;
        while (position < size && isNameChar(text.at(position)))
            ++position;
        const QStringView attributeName =
            QStringView(text).mid(attributeStart, position - attributeStart);
        while (position < size && isSpace(text.at(position)))
            ++position;
        if (position >= size || text.at(position) != u'=')
            return fail(tr("a malformed tag"), tokenStart);
        ++position;
        while (position < size && isSpace(text.at(position)))
            ++position;
        if (position >= size || (text.at(position) != u'"' && text.at(position) != u'\''))
            return fail(tr("a malformed tag"), tokenStart);
        const QChar quote = text.at(position);
        const qsizetype valueStart = ++position;
        const qsizetype valueEnd = text.indexOf(quote, position);
        if (valueEnd < 0 || QStringView(text).mid(valueStart, valueEnd - valueStart).contains(u'<')
            || !checkReferences(valueStart, valueEnd))
            return fail(tr("a malformed tag"), tokenStart);
        for (const Attribute &other : std::as_const(tagAttributes)) {
            if (other.name == attributeName)
                return fail(tr("a malformed tag"), tokenStart);
        }
        tagAttributes.append({ attributeName, spanStart, valueStart, valueEnd });
        position = valueEnd + 1;
    }
    tokenEnd = position;
    rootSeen = true;
    open.append(tagName);
    pendingEnd = emptyElement;
    return StartTag;
}

XmlScanner::Token XmlScanner::scanEndTag()
{
    const qsizetype size = text.size();
    position += 2;
    const qsizetype nameStart = position;
    while (position < size && isNameChar(text.at(position)))
        ++position;
    tagName = QStringView(text).mid(nameStart, position - nameStart);
    while (position < size && isSpace(text.at(position)))
        ++position;
    if (position >= size || text.at(position) != u'>')
        return fail(tr("a malformed tag"), tokenStart);
    ++position;
    tokenEnd = position;
    if (open.isEmpty() || open.last() != tagName)
        return fail(tr("</%1> does not close the open element").arg(tagName), tokenStart);
    open.removeLast();
    emptyElement = false;
    return EndTag;
}
