#pragma once

#include "model/fileerror.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>

// One parsed namespace file: its top-level object and how it was stored.
struct JsonNamespace
{
    Q_DECLARE_TR_FUNCTIONS(JsonNamespace)

public:
    QJsonObject object;
    bool bom = false;
    // One level of indentation as the file had it (two spaces, a tab, ...).
    QByteArray indent = "    ";
    // The names of each object's members in file order, by the names leading to the
    // object; array elements count as names "[0]", "[1]", ... Writing keeps that order.
    QHash<QStringList, QStringList> memberOrder;
    QByteArray lineEnd = "\n";
    bool finalLineEnd = true;
    // Empty when the file held a JSON object.
    QString errorString;
    int errorLine = 0;

    bool isValid() const { return errorString.isEmpty(); }
    static JsonNamespace fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;
};

// Visits every member that is not an object, at any depth, with its dotted key and the
// names leading to it.
void walkJsonLeaves(const QJsonObject &object,
    const std::function<void(const QString &key, const QStringList &path, const QJsonValue &value)>
        &visit);

// Delivers every string member of a namespace file, nested ones under their dotted keys;
// `flat` becomes false when the file nests objects. Members of other types are not
// delivered. Returns false, with the reason in `errors`, when the file cannot be read or
// holds no JSON object.
bool readJsonFile(bool &flat, const QString &path,
    const std::function<void(const QString &, const QString &)> &callback, FileErrors &errors);
