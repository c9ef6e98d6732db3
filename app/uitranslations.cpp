#include "app/uitranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

namespace {

QString underscoreName(const QString &tag)
{
    return QLocale(tag).name();
}

QString qmFileName(const QString &pattern, const QString &language)
{
    return pattern.arg(language).replace(QLatin1Char('-'), QLatin1Char('_'));
}

// Loads and installs the pair for one language; true when the program's own file was found.
// The translators stay installed for the life of the application object, their parent.
bool installTranslatorPair(const QString &directory, const QString &language)
{
    auto *program = new QTranslator(QCoreApplication::instance());
    if (!program->load(qmFileName(QStringLiteral("Parlonex_%1.qm"), language), directory)) {
        delete program;
        return false;
    }
    QCoreApplication::installTranslator(program);
    auto *toolkit = new QTranslator(QCoreApplication::instance());
    if (toolkit->load(qmFileName(QStringLiteral("qt_%1.qm"), language), directory))
        QCoreApplication::installTranslator(toolkit);
    else
        delete toolkit;
    return true;
}

} // namespace

QStringList normalizeUiLanguages(const QStringList &tags)
{
    QStringList names;
    for (const QString &tag : tags) {
        const QString name = underscoreName(tag);
        if (!names.contains(name))
            names.append(name);
    }
    QStringList others;
    QStringList english;
    for (const QString &name : std::as_const(names))
        (name.startsWith(QLatin1String("en")) ? english : others).append(name);
    return others + english;
}

QStringList preferredUiLanguages()
{
    return normalizeUiLanguages(QLocale::system().uiLanguages());
}

QString translationDirectory(const QString &applicationDirectory)
{
    QDir directory(applicationDirectory);
    directory.cd(QStringLiteral("translations"));
    return directory.absolutePath();
}

QString installTranslators(const QString &directory, const QStringList &languages)
{
    for (const QString &language : languages) {
        if (installTranslatorPair(directory, language))
            return language;
    }
    for (const QString &language : languages) {
        const QString normalized = underscoreName(language);
        if (installTranslatorPair(directory, normalized))
            return normalized;
    }
    // The interface stays in English, whose catalogue holds only the plural forms: without it
    // a count of one would read "1 messages".
    const QString english = QStringLiteral("en");
    return installTranslatorPair(directory, english) ? english : QString();
}

void installTranslators()
{
    installTranslators(
        translationDirectory(QCoreApplication::applicationDirPath()), preferredUiLanguages());
}
