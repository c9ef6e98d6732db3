#include "model/stringswriter.h"

#include "model/savefile.h"
#include "model/stringsfile.h"
#include "model/translationmodel.h"

#include <QDir>
#include <QFile>
#include <QHash>

StringsWriter::StringsWriter(const QString &targetDirectory)
    : targetDirectory(targetDirectory)
{
}

StringsWriter::~StringsWriter()
{
    flush();
}

bool StringsWriter::add(const QString &group, const QString &key, const QString &text)
{
    texts[group].insert(key, text);
    return true;
}

bool StringsWriter::flush()
{
    bool ok = true;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        ok = writeGroup(it.key(), it.value()) && ok;
    texts.clear();
    return ok;
}

bool StringsWriter::writeGroup(const QString &group, const QMap<QString, QString> &groupTexts) const
{
    const QString path = QDir(targetDirectory).absoluteFilePath(group + QStringLiteral(".strings"));
    StringsDocument document;
    const bool existed = QFile::exists(path);
    if (existed) {
        QFile current(path);
        if (!current.open(QIODevice::ReadOnly)) {
            qCCritical(lcModel) << "Failed to open file for writing:" << path
                                << current.errorString();
            return false;
        }
        document = StringsDocument::fromBytes(current.readAll());
        if (!document.isValid()) {
            // Editing a table we cannot fully read would lose whatever follows the error.
            qCCritical(lcModel).noquote()
                << QStringLiteral("Failed to open file for writing: %1 does not parse (%2); "
                                  "left unchanged")
                       .arg(path, document.errorString);
            return false;
        }
    }
    const bool latin1 = document.encoding.codec == StringsEncoding::Latin1;

    // A key may stand twice in a table. The table shows the first value, so a cell that
    // still holds it is unchanged; a changed cell replaces every occurrence, whichever one
    // the application reading the file takes.
    QHash<QString, QString> firstValue;
    for (const StringsEntry &entry : std::as_const(document.entries)) {
        if (!firstValue.contains(entry.key))
            firstValue.insert(entry.key, entry.value);
    }
    // The new text is the old one with the changed values swapped in, built in one pass.
    QString text;
    qsizetype copied = 0;
    bool changed = false;
    for (const StringsEntry &entry : std::as_const(document.entries)) {
        const auto groupText = groupTexts.constFind(entry.key);
        if (groupText == groupTexts.cend() || groupText.value() == firstValue.value(entry.key))
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

    const QByteArray bytes = document.toBytes();
    QString error;
    // QSaveFile commits a file whose buffered bytes hit a full disk (or size limit) on the
    // final flush, so the write is only complete once that flush succeeded.
    const auto write = [&bytes](QIODevice &device) {
        auto *file = qobject_cast<QFileDevice *>(&device);
        return device.write(bytes) == bytes.size() && file && file->flush();
    };
    if (!saveFileAtomically(path, write, &error)) {
        qCCritical(lcModel) << "Failed to open file for writing:" << path << error;
        return false;
    }
    return true;
}
