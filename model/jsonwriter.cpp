#include "model/jsonwriter.h"

#include "model/jsonfile.h"
#include "model/stringsandjsonfiles.h"
#include "model/translationmodel.h"

#include <QDir>
#include <QHash>
#include <QJsonObject>

namespace {

void setAt(QJsonObject &object, const QStringList &names, qsizetype from, const QString &text)
{
    const QString &name = names.at(from);
    if (from == names.size() - 1) {
        object.insert(name, text);
        return;
    }
    QJsonObject child = object.value(name).toObject();
    setAt(child, names, from + 1, text);
    object.insert(name, child);
}

// Places a new key below the objects its dots name, creating the missing ones. Where a
// name is taken by a member that is no object, the rest of the key stays dotted at that
// level. False when even that place holds an object: writing there would drop a subtree.
bool insertNested(
    QJsonObject &object, const QStringList &names, qsizetype from, const QString &text)
{
    const QString &name = names.at(from);
    if (from < names.size() - 1) {
        const QJsonValue current = object.value(name);
        if (current.isUndefined() || current.isObject()) {
            QJsonObject child = current.toObject();
            if (insertNested(child, names, from + 1, text)) {
                object.insert(name, child);
                return true;
            }
        }
    }
    const QString rest = names.mid(from).join(u'.');
    if (object.value(rest).isObject())
        return false;
    object.insert(rest, text);
    return true;
}

} // namespace

JsonWriter::JsonWriter(const QString &targetDirectory)
    : targetDirectory(targetDirectory)
{
}

JsonWriter::~JsonWriter()
{
    flush();
}

bool JsonWriter::add(const QString &group, const QString &key, const QString &text, bool flat)
{
    QMap<QString, QString> &groupTexts = texts[group];
    if (!groupTexts.contains(key))
        flatFlags.insert(group, flat);
    groupTexts.insert(key, text);
    return true;
}

bool JsonWriter::flush()
{
    bool ok = true;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        ok = writeGroup(it.key(), it.value(), flatFlags.value(it.key(), true)) && ok;
    texts.clear();
    flatFlags.clear();
    return ok;
}

bool JsonWriter::writeGroup(
    const QString &group, const QMap<QString, QString> &groupTexts, bool flat) const
{
    const QString path = QDir(targetDirectory).absoluteFilePath(group + QStringLiteral(".json"));
    JsonNamespace space;
    bool existed = false;
    const bool loaded = loadFileToEdit(path, &existed, [&space](const QByteArray &bytes) {
        space = JsonNamespace::fromBytes(bytes);
        return space.errorString;
    });
    if (!loaded)
        return false;

    QHash<QString, QStringList> pathOfKey;
    walkJsonLeaves(space.object,
        [&pathOfKey](const QString &key, const QStringList &names, const QJsonValue &) {
            if (!pathOfKey.contains(key))
                pathOfKey.insert(key, names);
        });
    bool nested = false;
    for (const QJsonValue &value : std::as_const(space.object))
        nested = nested || value.isObject();
    // A file without members has no shape of its own yet.
    const bool flatShape = space.object.isEmpty() ? flat : !nested;

    bool ok = true;
    QJsonObject object = space.object;
    for (auto text = groupTexts.cbegin(); text != groupTexts.cend(); ++text) {
        const auto known = pathOfKey.constFind(text.key());
        if (known != pathOfKey.cend()) {
            setAt(object, known.value(), 0, text.value());
            continue;
        }
        const QStringList names = text.key().split(u'.');
        const bool placed = flatShape || names.contains(QString())
            ? insertNested(object, { text.key() }, 0, text.value())
            : insertNested(object, names, 0, text.value());
        if (!placed) {
            qCWarning(lcModel) << "Not written, an object of that name holds other keys:" << path
                               << text.key();
            ok = false;
        }
    }
    if (existed && object == space.object)
        return ok;

    space.object = object;
    return replaceFile(path, space.toBytes()) && ok;
}
