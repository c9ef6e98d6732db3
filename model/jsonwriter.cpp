#include "model/jsonwriter.h"

#include "model/jsonfile.h"
#include "model/stringsandjsonfiles.h"

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

// Places a text under the objects `names` takes up to `split`, its remaining names joined
// with dots as the member's name, creating the objects that are missing. False when a name
// on the way is taken by something that is no object, or the member would replace an object.
bool placeAt(QJsonObject &object, const QStringList &names, qsizetype split, const QString &text)
{
    if (split == 0) {
        const QString rest = names.join(u'.');
        if (object.value(rest).isObject())
            return false;
        object.insert(rest, text);
        return true;
    }
    const QJsonValue current = object.value(names.first());
    if (!current.isUndefined() && !current.isObject())
        return false;
    QJsonObject child = current.toObject();
    if (!placeAt(child, names.mid(1), split - 1, text))
        return false;
    object.insert(names.first(), child);
    return true;
}

bool isTruthy(const QJsonValue &value)
{
    return value.isObject() || value.isArray() || (value.isBool() && value.toBool())
        || (value.isDouble() && value.toDouble() != 0)
        || (value.isString() && !value.toString().isEmpty());
}

// What i18next's t() finds for a key in a namespace: the path its dots name first, then its
// search that also takes dotted member names, greedily preferring objects on the way.
QJsonValue i18nextValue(const QJsonObject &space, const QString &key)
{
    const QStringList tokens = key.split(u'.');
    QJsonValue found = space;
    for (const QString &token : tokens) {
        found =
            found.isString() ? QJsonValue(QJsonValue::Undefined) : found.toObject().value(token);
        if (found.isUndefined())
            break;
    }
    if (isTruthy(found))
        return found;
    if (isTruthy(space.value(key)))
        return space.value(key);
    QJsonValue current = space;
    for (qsizetype i = 0; i < tokens.size();) {
        if (!current.isObject())
            return QJsonValue::Undefined;
        QJsonValue next;
        QString path;
        for (qsizetype j = i; j < tokens.size(); ++j) {
            path += (j == i ? QString() : QStringLiteral(".")) + tokens.at(j);
            next = current.toObject().value(path);
            if (next.isUndefined())
                continue;
            if ((next.isString() || next.isDouble() || next.isBool()) && j < tokens.size() - 1)
                continue;
            i = j + 1;
            break;
        }
        if (next.isUndefined())
            return next;
        current = next;
    }
    return current;
}

} // namespace

void JsonWriter::add(const CellItem &item, bool flat)
{
    Items &groupTexts = groups[item.group];
    if (!groupTexts.contains(item.id))
        flatFlags.insert(item.group, flat);
    groupTexts.insert(item.id, item.text);
}

bool JsonWriter::writeGroup(const QString &group, const Items &groupTexts)
{
    const bool flat = flatFlags.value(group, true);
    const QString path = QDir(targetDirectory).absoluteFilePath(group + QStringLiteral(".json"));
    JsonNamespace space;
    bool existed = false;
    const bool loaded = loadFileToEdit(
        path, &existed,
        [&space](const QByteArray &bytes) {
            space = JsonNamespace::fromBytes(bytes);
            return FileError { QString(), space.errorLine, space.errorString };
        },
        errors);
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
        // A new key goes where i18next finds it: as deep as its dots allow in a nested
        // file, at the top in a flat one, so that the file keeps its shape.
        const QStringList names = text.key().split(u'.');
        const bool topFirst = flatShape || names.contains(QString());
        bool placed = false;
        for (qsizetype step = 0; step < names.size() && !placed; ++step) {
            const qsizetype split = topFirst ? step : names.size() - 1 - step;
            QJsonObject candidate = object;
            placed = placeAt(candidate, names, split, text.value())
                && i18nextValue(candidate, text.key()) == QJsonValue(text.value());
            if (placed)
                object = candidate;
        }
        if (!placed) {
            errors.add(path,
                tr("Not written: no place in the file lets i18next find \"%1\", as "
                   "other members take parts of that key.")
                    .arg(text.key()));
            ok = false;
        }
    }
    if (!ok)
        return false;
    if (existed && object == space.object)
        return true;

    space.object = object;
    return replaceFile(path, space.toBytes(), errors);
}
