#pragma once

#include <QStringList>

class QWidget;

// File and folder choosers of the program. In test mode nothing is shown: each call takes
// the next queued answer, and an empty queue answers like a cancelled dialog.
class FileDialog final
{
public:
    static QStringList getOpenFileNames(
        QWidget *parent, const QString &caption, const QString &directory, const QString &filter);
    static QString getExistingDirectory(
        QWidget *parent, const QString &caption, const QString &directory);

    static void setTestMode(bool enabled);
    static void setNextFileNames(const QStringList &fileNames);
    static void setNextDirectory(const QString &directory);
    // The folder the last chooser was asked to start in.
    static QString lastStartDirectory();
    static void clear();
};
