#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>

// The checkers the .strings and JSON ecosystems trust, run as their users run them.
namespace TestSupport {

// GNUstep's sfparse verdict on a .strings file: its number of entries, or -1 when rejected.
int sfparseEntries(const QString &file);

// The values GNUstep's plget reads for `keys` (missing keys are left out). plget takes UTF-8
// only, so a UTF-16 file is handed over converted through a copy in `scratchDir`.
QMap<QString, QString> gnustepValues(
    const QString &file, const QString &scratchDir, const QStringList &keys);

// What i18next's t() resolves for "namespace:key" in one language of a <root>/<lang>/<ns>.json
// layout; a missing key maps to a null value.
QJsonObject i18nextResolve(const QString &root, const QString &language, const QStringList &keys);

// i18next-check --all: the exit code (0 when every string leaf of every namespace comes back
// through t()) and what it printed.
int i18nextCheckAll(const QString &root, QString *output);

} // namespace TestSupport
