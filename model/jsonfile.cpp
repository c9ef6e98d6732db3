#include "model/jsonfile.h"

#include "model/translationmodel.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSet>

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");
constexpr int defaultIndent = 4;

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
    return QByteArray(defaultIndent, ' ');
}

QString elementName(int index)
{
    return QStringLiteral("[%1]").arg(index);
}

// Notes the order of every object's members in a text that parsed as JSON, which
// QJsonObject forgets.
QHash<QStringList, QStringList> scanMemberOrder(const QByteArray &text)
{
    struct Level
    {
        bool object;
        QStringList path;
        int index = 0;
    };
    QHash<QStringList, QStringList> order;
    QList<Level> stack;
    QString name;
    bool expectName = false;
    const auto childPath = [&stack, &name]() {
        if (stack.isEmpty())
            return QStringList();
        QStringList path = stack.last().path;
        path.append(stack.last().object ? name : elementName(stack.last().index));
        return path;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        switch (text.at(i)) {
        case '{':
            stack.append({ true, childPath() });
            expectName = true;
            break;
        case '[':
            stack.append({ false, childPath() });
            break;
        case '}':
        case ']':
            stack.removeLast();
            expectName = false;
            break;
        case ',':
            if (stack.last().object)
                expectName = true;
            else
                ++stack.last().index;
            break;
        case '"': {
            qsizetype end = i + 1;
            while (end < text.size() && text.at(end) != '"')
                end += text.at(end) == '\\' ? 2 : 1;
            if (expectName && stack.last().object) {
                const QByteArray literal = text.mid(i, end + 1 - i);
                name = literal.contains('\\')
                    ? QJsonDocument::fromJson('[' + literal + ']').array().at(0).toString()
                    : QString::fromUtf8(literal.mid(1, literal.size() - 2));
                order[stack.last().path].append(name);
                expectName = false;
            }
            i = end;
            break;
        }
        default:
            break;
        }
    }
    return order;
}

void writeString(QByteArray &out, const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            escaped += QLatin1String("\\\"");
            break;
        case '\\':
            escaped += QLatin1String("\\\\");
            break;
        case '\b':
            escaped += QLatin1String("\\b");
            break;
        case '\f':
            escaped += QLatin1String("\\f");
            break;
        case '\n':
            escaped += QLatin1String("\\n");
            break;
        case '\r':
            escaped += QLatin1String("\\r");
            break;
        case '\t':
            escaped += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                escaped += c;
        }
    }
    escaped += u'"';
    out += escaped.toUtf8();
}

// The indented layout of QJsonDocument, with the file's own indentation and member order;
// members the file did not have follow in ascending order.
class Serialiser
{
public:
    explicit Serialiser(const JsonNamespace &space)
        : space(space)
    {
    }

    void write(QByteArray &out, const QJsonValue &value, QStringList &path, int level)
    {
        if (value.isObject())
            writeObject(out, value.toObject(), path, level);
        else if (value.isArray())
            writeArray(out, value.toArray(), path, level);
        else if (value.isString())
            writeString(out, value.toString());
        else
            out += QJsonDocument(QJsonArray { value })
                       .toJson(QJsonDocument::Compact)
                       .chopped(1)
                       .mid(1);
    }

private:
    const JsonNamespace &space;

    void newLine(QByteArray &out, int level)
    {
        out += space.lineEnd;
        out += space.indent.repeated(level);
    }

    void writeObject(QByteArray &out, const QJsonObject &object, QStringList &path, int level)
    {
        if (object.isEmpty()) {
            out += "{}";
            return;
        }
        QStringList names;
        QSet<QString> seen;
        for (const QString &name : space.memberOrder.value(path)) {
            if (object.contains(name) && !seen.contains(name)) {
                names.append(name);
                seen.insert(name);
            }
        }
        for (const QString &name : object.keys()) {
            if (!seen.contains(name))
                names.append(name);
        }
        out += '{';
        for (qsizetype i = 0; i < names.size(); ++i) {
            newLine(out, level + 1);
            writeString(out, names.at(i));
            out += ": ";
            path.append(names.at(i));
            write(out, object.value(names.at(i)), path, level + 1);
            path.removeLast();
            if (i + 1 < names.size())
                out += ',';
        }
        newLine(out, level);
        out += '}';
    }

    void writeArray(QByteArray &out, const QJsonArray &array, QStringList &path, int level)
    {
        if (array.isEmpty()) {
            out += "[]";
            return;
        }
        out += '[';
        for (qsizetype i = 0; i < array.size(); ++i) {
            newLine(out, level + 1);
            path.append(elementName(int(i)));
            write(out, array.at(i), path, level + 1);
            path.removeLast();
            if (i + 1 < array.size())
                out += ',';
        }
        newLine(out, level);
        out += ']';
    }
};

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
        result.errorLine = int(bytes.left(offset).count('\n')) + 1;
        result.errorString = tr("Not valid JSON: %1").arg(error.errorString());
    } else if (!document.isObject()) {
        result.errorString = tr("The file holds no JSON object.");
    } else {
        result.object = document.object();
        result.indent = detectIndent(text);
        result.memberOrder = scanMemberOrder(text);
        if (text.contains("\r\n"))
            result.lineEnd = "\r\n";
        result.finalLineEnd = text.endsWith('\n');
    }
    return result;
}

QByteArray JsonNamespace::toBytes() const
{
    QByteArray result = bom ? utf8Bom : QByteArray();
    QStringList path;
    Serialiser(*this).write(result, object, path, 0);
    if (finalLineEnd)
        result += lineEnd;
    return result;
}

void walkJsonLeaves(const QJsonObject &object,
    const std::function<void(const QString &, const QStringList &, const QJsonValue &)> &visit)
{
    QStringList path;
    walk(object, path, visit);
}

bool readJsonFile(bool &flat, const QString &path,
    const std::function<void(const QString &, const QString &)> &callback, FileErrors &errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors.add(path, FileErrors::cannotRead(file.errorString()));
        return false;
    }
    const JsonNamespace space = JsonNamespace::fromBytes(file.readAll());
    if (!space.isValid()) {
        errors.add(path, space.errorLine, space.errorString);
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
