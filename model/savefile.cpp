#include "model/savefile.h"

#include <QSaveFile>

bool saveFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                        QString *errorString)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    if (!write(file)) {
        if (errorString)
            *errorString = file.error() != QFileDevice::NoError ? file.errorString()
                                                                 : QStringLiteral("write abandoned");
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    return true;
}
