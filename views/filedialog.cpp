#include "views/filedialog.h"

#include <QFileDialog>

namespace {

struct TestState
{
    bool enabled = false;
    QList<QStringList> fileNames;
    QStringList directories;
    QString startDirectory;
};

TestState &testState()
{
    static TestState state;
    return state;
}

} // namespace

QStringList FileDialog::getOpenFileNames(
    QWidget *parent, const QString &caption, const QString &directory, const QString &filter)
{
    TestState &state = testState();
    state.startDirectory = directory;
    if (state.enabled)
        return state.fileNames.isEmpty() ? QStringList() : state.fileNames.takeFirst();
    return QFileDialog::getOpenFileNames(parent, caption, directory, filter);
}

QString FileDialog::getExistingDirectory(
    QWidget *parent, const QString &caption, const QString &directory)
{
    TestState &state = testState();
    state.startDirectory = directory;
    if (state.enabled)
        return state.directories.isEmpty() ? QString() : state.directories.takeFirst();
    return QFileDialog::getExistingDirectory(parent, caption, directory);
}

void FileDialog::setTestMode(bool enabled)
{
    testState().enabled = enabled;
}

void FileDialog::setNextFileNames(const QStringList &fileNames)
{
    testState().fileNames.append(fileNames);
}

void FileDialog::setNextDirectory(const QString &directory)
{
    testState().directories.append(directory);
}

QString FileDialog::lastStartDirectory()
{
    return testState().startDirectory;
}

void FileDialog::clear()
{
    testState().fileNames.clear();
    testState().directories.clear();
}
