#include "model/tsdocument.h"

#include "model/savefile.h"
#include "model/translationmodel.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>

namespace {

const QString contextTag = QStringLiteral("context");
const QString nameTag = QStringLiteral("name");
const QString messageTag = QStringLiteral("message");
const QString sourceTag = QStringLiteral("source");
const QString translationTag = QStringLiteral("translation");
const QString numerusFormTag = QStringLiteral("numerusform");
const QString lengthVariantTag = QStringLiteral("lengthvariant");
const QString typeAttribute = QStringLiteral("type");
const QString unfinishedType = QStringLiteral("unfinished");

// Translations of LLM answers sometimes arrive padded or wrapped in quotes; the table shows
// them without.
QString shownText(const QString &raw)
{
    QString text = raw.trimmed();
    if (text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'))) {
        text.chop(1);
        text.remove(0, 1);
    }
    return text;
}

// The element holding the text of a translation. A numerus translation keeps one form per
// plural rule and the table shows and edits the first; the other forms are left as they are.
QDomElement textElement(const QDomElement &translation)
{
    QDomElement element = translation;
    const QDomElement form = element.firstChildElement(numerusFormTag);
    if (!form.isNull())
        element = form;
    const QDomElement variant = element.firstChildElement(lengthVariantTag);
    return variant.isNull() ? element : variant;
}

bool isFinishedTranslation(const QDomElement &translation)
{
    return translation.attribute(typeAttribute) != unfinishedType;
}

} // namespace

QString tsFileLanguage(const QString &path)
{
    static const QRegularExpression languageSuffix(QStringLiteral("_([a-z]{2}(_[A-Z]{2})?)$"));
    const QRegularExpressionMatch match = languageSuffix.match(QFileInfo(path).baseName());
    return match.hasMatch() ? match.captured(1) : QString();
}

TsDocument::TsDocument(const QString &path)
    : path(path)
    , dom(QStringLiteral("ts"))
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCCritical(lcModel) << "Failed to open file" << path;
        return;
    }
    readable = true;
    QString error;
    int line = 0;
    int column = 0;
    if (!dom.setContent(file.readAll(), &error, &line, &column)) {
        qCWarning(lcModel).nospace() << "Failed to parse TS file " << path << ":" << line << ":"
                                     << column << ": " << error;
        return;
    }
    opened = true;
}

void TsDocument::buildIndex()
{
    indexed = true;
    const QDomElement root = dom.documentElement();
    for (QDomElement context = root.firstChildElement(contextTag); !context.isNull();
         context = context.nextSiblingElement(contextTag)) {
        QHash<QString, QDomElement> &messages =
            messagesByContext[context.firstChildElement(nameTag).text()];
        for (QDomElement message = context.firstChildElement(messageTag); !message.isNull();
             message = message.nextSiblingElement(messageTag)) {
            const QString source = message.firstChildElement(sourceTag).text();
            if (!messages.contains(source))
                messages.insert(source, message);
        }
    }
}

QDomElement TsDocument::findMessage(const QString &group, const QString &source)
{
    if (!opened)
        return {};
    if (!indexed)
        buildIndex();
    const auto context = messagesByContext.constFind(group);
    return context == messagesByContext.constEnd() ? QDomElement() : context->value(source);
}

bool TsDocument::save()
{
    if (!opened) {
        // Writing a document that did not parse would replace the file by whatever part of
        // it was understood.
        if (readable)
            qCCritical(lcModel) << "Failed to save file, it could not be read as TS:" << path;
        return false;
    }
    if (!modified)
        return true;
    const QByteArray bytes = dom.toByteArray(1);
    QString error;
    // QSaveFile commits even after its buffer failed to reach the disk (a full disk, a file
    // size limit), so the flush is checked here.
    if (!saveFileAtomically(path, [&bytes](QIODevice &device) {
            auto *file = qobject_cast<QFileDevice *>(&device);
            return device.write(bytes) == bytes.size() && (!file || file->flush());
        }, &error)) {
        qCCritical(lcModel) << "Failed to open file" << path << error;
        return false;
    }
    return true;
}

bool readTsFile(const QString &path,
                const std::function<void(const QString &, const QString &, const QString &, bool)>
                    &visit)
{
    TsDocument document(path);
    if (!document.isOpen())
        return false;
    const QDomElement root = document.document().documentElement();
    for (QDomElement context = root.firstChildElement(contextTag); !context.isNull();
         context = context.nextSiblingElement(contextTag)) {
        const QString group = context.firstChildElement(nameTag).text();
        for (QDomElement message = context.firstChildElement(messageTag); !message.isNull();
             message = message.nextSiblingElement(messageTag)) {
            const QDomElement translation = message.firstChildElement(translationTag);
            visit(group, message.firstChildElement(sourceTag).text(),
                  shownText(textElement(translation).text()),
                  translation.isNull() || isFinishedTranslation(translation));
        }
    }
    return true;
}

bool updateTsMessage(TsDocument &document, const QString &group, const QString &source,
                     const QString &text, bool finished, bool edited)
{
    QDomElement message = document.findMessage(group, source);
    if (message.isNull())
        return false;
    QDomElement translation = message.firstChildElement(translationTag);
    if (translation.isNull())
        return true;

    QDomElement target = textElement(translation);
    // A cell that still shows what the file holds leaves the file's text alone, so padding
    // and quotes the table does not show survive an export. Texts typed into the table are
    // stored without carriage returns.
    if (edited && shownText(target.text()) != text) {
        if (target == translation
            && message.attribute(QStringLiteral("numerus")) == QLatin1String("yes")) {
            target = document.document().createElement(numerusFormTag);
            translation.appendChild(target);
        }
        while (!target.firstChild().isNull())
            target.removeChild(target.firstChild());
        target.appendChild(document.document().createTextNode(QString(text).remove(QLatin1Char('\r'))));
        document.setModified();
    }

    // vanished and obsolete are lupdate's marks for messages no longer in the sources;
    // finishing a translation must not bring them back.
    const QString type = translation.attribute(typeAttribute);
    if (type.isEmpty() && !finished) {
        translation.setAttribute(typeAttribute, unfinishedType);
        document.setModified();
    } else if (type == unfinishedType && finished) {
        translation.removeAttribute(typeAttribute);
        document.setModified();
    }
    return true;
}
