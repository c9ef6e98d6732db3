#include "model/stringswriter.h"

#include "model/stringsandjsonfiles.h"
#include "model/stringsfile.h"

#include <QDir>
#include <QHash>

bool StringsWriter::writeGroup(const QString &group, const Items &groupTexts)
{
    const QString path = QDir(targetDirectory).absoluteFilePath(group + QStringLiteral(".strings"));
    StringsDocument document;
    bool existed = false;
    const bool loaded = loadFileToEdit(
        path, &existed,
        [&document](const QByteArray &bytes) {
            document = StringsDocument::fromBytes(bytes);
            return document.isValid() ? FileError()
                                      : FileError { QString(), document.problems.first().first,
                                            document.problems.first().second };
        },
        errors);
    if (!loaded)
        return false;
    const bool latin1 = document.encoding.codec == StringsEncoding::Latin1;

    // A key may stand twice in a table. The table shows the first value, so a cell that
    // still holds it is unchanged; a changed cell replaces every occurrence, whichever one
    // the application reading the file takes.
    QHash<QString, QString> firstValue;
    QList<QString> keys; // each entry's, as apps see it
    keys.reserve(document.entries.size());
    for (const StringsEntry &entry : std::as_const(document.entries)) {
        keys.append(unescapeStringsText(entry.key));
        if (!firstValue.contains(keys.last()))
            firstValue.insert(keys.last(), unescapeStringsText(entry.value));
    }
    // The new text is the old one with the changed values swapped in, built in one pass.
    QString text;
    qsizetype copied = 0;
    bool changed = false;
    for (qsizetype i = 0; i < document.entries.size(); ++i) {
        const StringsEntry &entry = document.entries.at(i);
        const auto groupText = groupTexts.constFind(keys.at(i));
        if (groupText == groupTexts.cend() || groupText.value() == firstValue.value(keys.at(i)))
            continue;
        if (!changed)
            text.reserve(document.text.size() + document.text.size() / 8);
        changed = true;
        text += QStringView(document.text).mid(copied, entry.valueStart - copied);
        const QString quoted = u'"' + escapeStringsText(groupText.value(), latin1) + u'"';
        text += entry.valueLength == 0 ? QStringLiteral(" = ") + quoted : quoted;
        copied = entry.valueStart + entry.valueLength;
    }
    if (changed) {
        text += QStringView(document.text).mid(copied);
        document.text = text;
    }

    const QString lineEnd = document.text.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n")
                                                                          : QStringLiteral("\n");
    bool appended = false;
    for (auto text = groupTexts.cbegin(); text != groupTexts.cend(); ++text) {
        if (firstValue.contains(text.key()))
            continue;
        if (!document.text.isEmpty() && !document.text.endsWith(u'\n'))
            document.text += lineEnd;
        document.text +=
            QStringLiteral("\"%1\" = \"%2\";")
                .arg(escapeStringsText(text.key(), latin1), escapeStringsText(text.value(), latin1))
            + lineEnd;
        appended = true;
    }
    if (!changed && !appended && existed)
        return true;

    return replaceFile(path, document.toBytes(), errors);
}
