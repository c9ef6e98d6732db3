#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "support/testconfig.h"

namespace TestSupport {

// Runs a program to completion; returns its exit code (-1 when it could not start) and
// stores what it printed on both channels in `output`.
int run(const QString &program, const QStringList &arguments, QString *output = nullptr,
    const QString &workingDirectory = QString());

QByteArray readAll(const QString &path);
bool writeFile(const QString &path, const QByteArray &content);

// Path of a file under tests/data.
QString dataPath(const QString &relative);

} // namespace TestSupport
