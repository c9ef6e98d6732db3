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

} // namespace

QStringList preferredUiLanguages()
{
    QStringList names;
    for (const QString &tag : QLocale::system().uiLanguages()) {
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

QString translationDirectory()
{
    QDir directory(QCoreApplication::applicationDirPath());
    directory.cd(QStringLiteral("translations"));
    return directory.absolutePath();
}

bool installTranslatorPair(const QString &directory, const QString &language)
{
    // The translators live as long as the application object, as its children.
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

void installTranslators()
{
    const QString directory = translationDirectory();
    const QStringList languages = preferredUiLanguages();
    for (const QString &language : languages) {
        if (installTranslatorPair(directory, language))
            return;
    }
    for (const QString &language : languages) {
        if (installTranslatorPair(directory, underscoreName(language)))
            return;
    }
}
