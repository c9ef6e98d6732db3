#include "model/tsfile.h"

#include "model/savefile.h"
#include "model/xmlscanner.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace {

const QString unfinishedType = QStringLiteral("unfinished");

// Translations of LLM answers sometimes arrive padded or wrapped in quotes; the table shows
// them without. A translation of white space alone is meant as it stands (a separator, say),
// unless it holds a line break: then it is the layout of an element without text.
QString shownText(const QString &raw)
{
    QString text = raw.trimmed();
    if (text.isEmpty())
        return raw.contains(QLatin1Char('\n')) ? QString() : raw;
    if (text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'))) {
        text.chop(1);
        text.remove(0, 1);
    }
    return text;
}

// The character a <byte value="x41"/> element stands for: TS files write control characters
// that way, as XML cannot hold them.
QString byteValue(const XmlScanner &scanner)
{
    const QString value = scanner.attribute(QLatin1String("value"));
    bool ok = false;
    const uint code = value.startsWith(u'x') ? value.mid(1).toUInt(&ok, 16) : value.toUInt(&ok);
    return ok ? QString(QChar(char16_t(code))) : QString();
}

// The text of the element whose start tag the scanner gave last, up to its end tag.
QString elementText(XmlScanner &scanner)
{
    QString text;
    for (int depth = 1; depth > 0;) {
        switch (scanner.next()) {
        case XmlScanner::StartTag:
            ++depth;
            if (scanner.name() == QLatin1String("byte"))
                text += byteValue(scanner);
            break;
        case XmlScanner::EndTag:
            --depth;
            break;
        case XmlScanner::Text:
            scanner.appendText(text);
            break;
        default:
            return text;
        }
    }
    return text;
}

} // namespace

QString tsFileLanguage(const QString &path)
{
    static const QRegularExpression languageSuffix(QStringLiteral("_([a-z]{2}(_[A-Z]{2})?)$"));
    const QRegularExpressionMatch match = languageSuffix.match(QFileInfo(path).baseName());
    return match.hasMatch() ? match.captured(1) : QString();
}

bool TsFile::read(const QString &filePath, FileErrors &errors)
{
    path = filePath;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors.add(path, FileErrors::cannotRead(file.errorString()));
        return false;
    }
    return decode(file.readAll(), errors) && parse(errors);
}

bool TsFile::decode(const QByteArray &bytes, FileErrors &errors)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bom = bytes.left(3);
    } else if (bytes.startsWith("\xFF\xFE")) {
        encoding = QStringConverter::Utf16LE;
        bom = bytes.left(2);
    } else if (bytes.startsWith("\xFE\xFF")) {
        encoding = QStringConverter::Utf16BE;
        bom = bytes.left(2);
    } else if (bytes.size() > 1 && bytes.at(0) == '<' && !bytes.at(1)) {
        encoding = QStringConverter::Utf16LE;
    } else if (bytes.size() > 1 && !bytes.at(0) && bytes.at(1) == '<') {
        encoding = QStringConverter::Utf16BE;
    } else {
        // Files in an ASCII-based encoding name it in their XML declaration.
        static const QRegularExpression declaration(
            QStringLiteral("^<\\?xml[^>]*encoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
        const QByteArray name =
            declaration.match(QString::fromLatin1(bytes.left(bytes.indexOf('>') + 1)))
                .captured(1)
                .toLatin1();
        const auto known = QStringConverter::encodingForName(name.constData());
        if (known == QStringConverter::Latin1) {
            encoding = QStringConverter::Latin1;
        } else if (!name.isEmpty() && !known) {
            // Other encodings go through the names the system's converters know.
            encoding.reset();
            codecName = name;
            if (!QStringDecoder(name.constData()).isValid()) {
                errors.add(path,
                    tr("The file's encoding %1 is not supported.").arg(QString::fromLatin1(name)));
                return false;
            }
        }
    }
    const QByteArrayView body = QByteArrayView(bytes).sliced(bom.size());
    QStringDecoder decoder = encoding
        ? QStringDecoder(*encoding, QStringConverter::Flag::Stateless)
        : QStringDecoder(codecName.constData(), QStringConverter::Flag::Stateless);
    text = decoder.decode(body);
    if (decoder.hasError()) {
        errors.add(path, tr("The file is not a text in its encoding."));
        return false;
    }
    return true;
}

bool TsFile::parse(FileErrors &errors)
{
    XmlScanner scanner(text);
    QString group;
    TsMessage message;
    bool inMessage = false;
    for (XmlScanner::Token token = scanner.next(); token != XmlScanner::End;
         token = scanner.next()) {
        if (token == XmlScanner::Invalid) {
            errors.add(path, scanner.errorLine(),
                tr("The file is not well-formed XML: %1.").arg(scanner.errorString()));
            return false;
        }
        if (token == XmlScanner::EndTag && inMessage
            && scanner.name() == QLatin1String("message")) {
            all.append(message);
            inMessage = false;
        }
        if (token != XmlScanner::StartTag)
            continue;
        const QStringView name = scanner.name();
        if (name == QLatin1String("context")) {
            group.clear();
        } else if (name == QLatin1String("message")) {
            message = TsMessage();
            message.group = group;
            message.numerus = scanner.attribute(QLatin1String("numerus")) == QLatin1String("yes");
            inMessage = !scanner.isEmptyElement();
        } else if (!inMessage && name == QLatin1String("name")) {
            group = elementText(scanner);
        } else if (!inMessage) {
            continue;
        } else if (name == QLatin1String("source")) {
            message.source = elementText(scanner);
        } else if (name == QLatin1String("comment")) {
            message.notes.context = elementText(scanner);
        } else if (name == QLatin1String("extracomment")) {
            message.notes.comment = elementText(scanner);
        } else if (name == QLatin1String("translatorcomment")) {
            message.notes.translatorComment = elementText(scanner);
        } else if (name == QLatin1String("translation") && message.start < 0) {
            readTranslation(scanner, message);
        }
    }
    return true;
}

void TsFile::readTranslation(XmlScanner &scanner, TsMessage &message) const
{
    message.start = scanner.start();
    message.tagEnd = scanner.end();
    message.selfClosing = scanner.isEmptyElement();
    for (const XmlScanner::Attribute &attribute : scanner.attributes()) {
        if (attribute.name == QLatin1String("type")) {
            message.typeStart = attribute.spanStart;
            message.typeValueStart = attribute.valueStart;
            message.typeValueEnd = attribute.valueEnd;
            message.finished = scanner.attribute(QLatin1String("type")) != unfinishedType;
        }
    }
    // The shown text is the translation's own, or that of its first numerus form, or of the
    // first length variant of either.
    struct Element
    {
        QString text;
        qsizetype start = -1;
        qsizetype end = -1;
        QString emptyTag; // the name, when written as an empty-element tag
    } translation, form, variant;
    translation.start = translation.end = message.tagEnd;
    int formDepth = 0; // the depth of the first numerus form while inside it
    int variantDepth = 0;
    for (int depth = 1; depth > 0;) {
        switch (scanner.next()) {
        case XmlScanner::StartTag: {
            ++depth;
            const QStringView name = scanner.name();
            Element *opened = nullptr;
            if (name == QLatin1String("byte")) {
                const QString value = byteValue(scanner);
                translation.text += value;
                form.text += formDepth ? value : QString();
                variant.text += variantDepth ? value : QString();
            } else if (name == QLatin1String("numerusform") && depth == 2 && form.start < 0) {
                opened = &form;
                formDepth = depth;
            } else if (name == QLatin1String("lengthvariant") && variant.start < 0
                && (depth == 2 ? form.start < 0 : depth == 3 && formDepth)) {
                opened = &variant;
                variantDepth = depth;
            }
            if (opened && scanner.isEmptyElement()) {
                opened->emptyTag = name.toString();
                opened->start = scanner.start();
                opened->end = scanner.end();
            } else if (opened) {
                opened->start = scanner.end();
            }
            break;
        }
        case XmlScanner::EndTag: {
            Element *closed = depth == formDepth ? &form
                : depth == variantDepth          ? &variant
                : depth == 1                     ? &translation
                                                 : nullptr;
            if (closed && !scanner.isEmptyElement())
                closed->end = scanner.start();
            formDepth = depth == formDepth ? 0 : formDepth;
            variantDepth = depth == variantDepth ? 0 : variantDepth;
            --depth;
            break;
        }
        case XmlScanner::Text:
            scanner.appendText(translation.text);
            if (formDepth)
                scanner.appendText(form.text);
            if (variantDepth)
                scanner.appendText(variant.text);
            break;
        default:
            return; // the caller's next token reports the error
        }
    }
    const Element &shown = variant.end >= 0 ? variant : form.end >= 0 ? form : translation;
    message.contentStart = shown.start;
    message.contentEnd = shown.end;
    message.wrapIn = &shown == &translation
        ? (message.numerus ? QStringLiteral("numerusform") : QString())
        : shown.emptyTag;
    message.text = shownText(shown.text);
}

QString TsFile::escaped(const QString &value) const
{
    QString result;
    result.reserve(value.size() + 16);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        switch (c.unicode()) {
        case '&':
            result += QLatin1String("&amp;");
            continue;
        case '<':
            result += QLatin1String("&lt;");
            continue;
        case '>':
            result += QLatin1String("&gt;");
            continue;
        case '"':
            result += QLatin1String("&quot;");
            continue;
        case '\'':
            result += QLatin1String("&apos;");
            continue;
        case '\r':
            // Texts are stored with line feeds alone, as lupdate writes them.
            continue;
        default:
            break;
        }
        if (c.unicode() < 0x20 && c != u'\n' && c != u'\t') {
            result += QStringLiteral("<byte value=\"x%1\"/>").arg(c.unicode(), 0, 16);
            continue;
        }
        // Characters the encoding cannot hold become references.
        const bool fits = encoding == QStringConverter::Latin1 ? c.unicode() <= 0xFF
            : !encoding                                        ? c.unicode() < 0x80
                                                               : true;
        if (fits) {
            result += c;
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate())
            code = QChar::surrogateToUcs4(c, value.at(++i));
        result += QStringLiteral("&#x%1;").arg(uint(code), 0, 16);
    }
    return result;
}

void TsFile::update(
    int index, const QString &value, bool finished, bool textEdited, bool markEdited)
{
    const TsMessage &message = all.at(index);
    if (message.start < 0)
        return;
    // A cell that still shows what the file holds leaves the file's text alone, so padding
    // and quotes the table does not show survive.
    const bool newText = textEdited && value != message.text;
    // vanished and obsolete are lupdate's marks for messages no longer in the sources;
    // finishing a translation must not bring them back.
    const bool unfinished = !message.finished;
    const bool known = message.typeStart < 0 || unfinished
        || QStringView(text)
               .mid(message.typeValueStart, message.typeValueEnd - message.typeValueStart)
               .isEmpty();
    if ((textEdited || markEdited) && known && unfinished != !finished) {
        if (finished)
            edits.append({ message.typeStart, message.typeValueEnd + 1, QString() });
        else if (message.typeStart >= 0)
            edits.append({ message.typeValueStart, message.typeValueEnd, unfinishedType });
        else
            edits.append({ message.start + 12, message.start + 12, // after "<translation"
                QStringLiteral(" type=\"%1\"").arg(unfinishedType) });
    }
    if (!newText)
        return;
    QString content = escaped(value);
    if (!message.wrapIn.isEmpty())
        content = QStringLiteral("<%1>%2</%1>").arg(message.wrapIn, content);
    if (message.selfClosing)
        edits.append({ message.tagEnd - 2, message.tagEnd, // "/>"
            QLatin1Char('>') + content + QStringLiteral("</translation>") });
    else
        edits.append({ message.contentStart, message.contentEnd, content });
}

bool TsFile::save(FileErrors &errors)
{
    if (edits.isEmpty())
        return true;
    std::sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) {
        return std::pair(a.start, a.end) < std::pair(b.start, b.end);
    });
    QString updated;
    updated.reserve(text.size() + text.size() / 8);
    qsizetype copied = 0;
    for (const Edit &edit : std::as_const(edits)) {
        updated += QStringView(text).mid(copied, edit.start - copied);
        updated += edit.replacement;
        copied = edit.end;
    }
    updated += QStringView(text).mid(copied);

    QStringEncoder encoder = encoding
        ? QStringEncoder(*encoding, QStringConverter::Flag::Stateless)
        : QStringEncoder(codecName.constData(), QStringConverter::Flag::Stateless);
    const QByteArray bytes = bom + QByteArray(encoder.encode(updated));
    QString error;
    if (!saveFileAtomically(path, bytes, &error)) {
        errors.add(path, FileErrors::cannotWrite(error));
        return false;
    }
    edits.clear();
    return true;
}
