#include "model/jsonfile.h"

#include "model/translationmodel.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");
// The indentation unit of QJsonDocument's indented format.
constexpr int serialiserIndent = 4;

// The white space before the first indented line: the first level of indentation.
QByteArray detectIndent(const QByteArray &text)
{
    for (qsizetype start = text.indexOf('\n'); start >= 0; start = text.indexOf('\n', start)) {
        ++start;
        qsizetype end = start;
        while (end < text.size() && (text.at(end) == ' ' || text.at(end) == '\t'))
            ++end;
        if (end > start && end < text.size() && text.at(end) != '\r' && text.at(end) != '\n')
            return text.mid(start, end - start);
    }
    return QByteArray(serialiserIndent, ' ');
}

void walk(const QJsonObject &object, QStringList &path,
    const std::function<void(const QString &, const QStringList &, const QJsonValue &)> &visit)
{
    for (auto member = object.constBegin(); member != object.constEnd(); ++member) {
        path.append(member.key());
        if (member.value().isObject())
            walk(member.value().toObject(), path, visit);
        else
            visit(path.join(u'.'), path, member.value());
        path.removeLast();
    }
}

} // namespace

JsonNamespace JsonNamespace::fromBytes(const QByteArray &bytes)
{
    JsonNamespace result;
    result.bom = bytes.startsWith(utf8Bom);
    const QByteArray text = result.bom ? bytes.mid(utf8Bom.size()) : bytes;
    // A namespace file created empty, to be filled, holds no members yet.
    if (text.trimmed().isEmpty())
        return result;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        // Offsets count from the start of the file, byte order mark included.
        const qsizetype offset = error.offset + (result.bom ? utf8Bom.size() : 0);
        const int line = int(bytes.left(offset).count('\n')) + 1;
        result.errorString = QStringLiteral("line %1: %2").arg(line).arg(error.errorString());
    } else if (!document.isObject()) {
        result.errorString = QStringLiteral("the top level is not an object");
    } else {
        result.object = document.object();
        result.indent = detectIndent(text);
    }
    return result;
}

QByteArray JsonNamespace::toBytes() const
{
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
    QByteArray result = bom ? utf8Bom : QByteArray();
    result.reserve(result.size() + text.size());
    // Line breaks occur only between members (strings escape theirs), so every line's
    // leading spaces are indentation and can be given the file's own unit.
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        qsizetype spaces = start;
        while (spaces < end && text.at(spaces) == ' ')
            ++spaces;
        result += indent.repeated((spaces - start) / serialiserIndent);
        result += QByteArrayView(text).sliced(spaces, end - spaces);
        start = end;
    }
    return result;
}

void walkJsonLeaves(const QJsonObject &object,
    const std::function<void(const QString &, const QStringList &, const QJsonValue &)> &visit)
{
    QStringList path;
    walk(object, path, visit);
}

bool readJsonFile(bool &flat, const QString &path,
    const std::function<void(const QString &, const QString &)> &callback)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcModel) << "Failed to open JSON file:" << path << file.errorString();
        return false;
    }
    const JsonNamespace space = JsonNamespace::fromBytes(file.readAll());
    if (!space.isValid()) {
        qCWarning(lcModel).noquote()
            << QStringLiteral("Failed to parse JSON file %1, %2").arg(path, space.errorString);
        return false;
    }
    for (const QJsonValue &value : space.object) {
        if (value.isObject())
            flat = false;
    }
    walkJsonLeaves(space.object,
        [&callback](const QString &key, const QStringList &, const QJsonValue &value) {
            if (value.isString())
                callback(key, value.toString());
        });
    return true;
}
