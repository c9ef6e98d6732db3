#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

// Something a read or write of one file went wrong with, or left for the user to review.
struct FileError
{
    QString file;
    int line = 0; // 0 when the problem has no line of its own
    QString reason;
};

// The problems one open, import, export or save met, in the order met. Each is logged as it
// is added; the window shows the list to the user.
class FileErrors final
{
    Q_DECLARE_TR_FUNCTIONS(FileErrors)

public:
    void add(const QString &file, int line, const QString &reason);
    void add(const QString &file, const QString &reason) { add(file, 0, reason); }
    void clear() { errors.clear(); }
    const QList<FileError> &list() const { return errors; }

    // One line per problem, "file:line: reason", the first `limit` of them and a count of
    // the rest.
    static QString summary(const QList<FileError> &errors, int limit = 10);

    // The reasons shared by every format.
    static QString cannotRead(const QString &detail)
    {
        return tr("Cannot read the file: %1").arg(detail);
    }
    static QString cannotWrite(const QString &detail)
    {
        return tr("Cannot write the file: %1").arg(detail);
    }
    static QString notWrittenUnreadable()
    {
        return tr("Not written: the file could not be read completely, and writing it would lose "
                  "what was not understood.");
    }

private:
    QList<FileError> errors;
};
