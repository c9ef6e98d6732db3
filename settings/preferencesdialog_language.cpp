#include "settings/preferencesdialog.h"

#include "ui_preferencesdialog.h"

#include <QLocale>

#include <algorithm>

// The source language tab: the language and territory lists.

namespace {

struct ListEntry
{
    QString text;
    int code;
};

void sortEntries(QList<ListEntry> &entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const ListEntry &a, const ListEntry &b) {
        const int order = a.text.compare(b.text, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.text < b.text;
    });
}

int findStartingWith(const QComboBox *comboBox, const QString &prefix)
{
    for (int i = 0; i < comboBox->count(); ++i) {
        if (comboBox->itemText(i).startsWith(prefix))
            return i;
    }
    return -1;
}

} // namespace

QString PreferencesDialog::languageOfEntry(const QString &entry)
{
    // The part before the bracketed native name: "Chinese (中文)" -> "Chinese".
    const int bracket = entry.indexOf(QLatin1String(" ("));
    return bracket < 0 ? entry : entry.left(bracket);
}

void PreferencesDialog::fillLanguageList()
{
    QList<ListEntry> entries;
    QSet<QString> seen;
    // The toolkit numbers its languages up to LastLanguage; later codes name no language.
    for (int code = QLocale::Abkhazian; code <= QLocale::LastLanguage; ++code) {
        const auto language = static_cast<QLocale::Language>(code);
        QString text = QLocale::languageToString(language);
        if (text.isEmpty() || text == QLatin1String("Unknown"))
            continue;
        const QLocale locale(language);
        if (locale.language() == language && language != QLocale::English) {
            const QString native = locale.nativeLanguageName();
            if (!native.isEmpty())
                text += QStringLiteral(" (%1)").arg(native);
        }
        if (seen.contains(text))
            continue;
        seen.insert(text);
        entries.append({ text, code });
    }
    sortEntries(entries);

    {
        // The territory list is built once at the end, not once per inserted item.
        const QSignalBlocker blocker(ui->cbSourceLanguage);
        ui->cbSourceLanguage->clear();
        ui->cbSourceLanguage->addItem(QStringLiteral("POSIX"), int(QLocale::C));
        for (const ListEntry &entry : std::as_const(entries))
            ui->cbSourceLanguage->addItem(entry.text, entry.code);
        // The first language of the toolkit's numbering is shown until another is chosen.
        ui->cbSourceLanguage->setCurrentIndex(
            std::max(0, ui->cbSourceLanguage->findData(int(QLocale::Abkhazian))));
    }
    onComboBoxSourceLanguageIndexChanged(ui->cbSourceLanguage->currentIndex());
}

void PreferencesDialog::onComboBoxSourceLanguageIndexChanged(int index)
{
    keepGivenSourceLanguage = false;
    ui->cbSourceTerritory->clear();

    const int code = ui->cbSourceLanguage->itemData(index).toInt();
    QList<ListEntry> entries;
    if (index >= 0 && code != int(QLocale::C)) {
        const auto language = static_cast<QLocale::Language>(code);
        QSet<QString> seen;
        const QList<QLocale> locales =
            QLocale::matchingLocales(language, QLocale::AnyScript, QLocale::AnyTerritory);
        for (const QLocale &locale : locales) {
            if (locale.territory() == QLocale::AnyTerritory)
                continue;
            QString text = QLocale::territoryToString(locale.territory());
            if (locale.language() != QLocale::English) {
                const QString native = locale.nativeTerritoryName();
                if (!native.isEmpty())
                    text = QStringLiteral("%1 (%2)").arg(text, native);
            }
            // Locales differing only in script name the same territory the same way.
            const QString key = text + QChar(0) + QString::number(int(locale.territory()));
            if (seen.contains(key))
                continue;
            seen.insert(key);
            entries.append({ text, int(locale.territory()) });
        }
        sortEntries(entries);
    }
    for (const ListEntry &entry : std::as_const(entries))
        ui->cbSourceTerritory->addItem(entry.text, entry.code);
    ui->cbSourceTerritory->insertItem(0, tr("Any Territory"), 0);
    ui->cbSourceTerritory->setCurrentIndex(0);
}

void PreferencesDialog::setSourceLanguage(const QString &name)
{
    QComboBox *languages = ui->cbSourceLanguage;
    int index = languages->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        index = findStartingWith(languages, name);

    // A display name such as "Chinese (Taiwan)" names a language and a territory.
    bool matched = index >= 0;
    QString territory;
    if (!matched) {
        const QString language = languageOfEntry(name);
        if (language != name && !language.isEmpty()) {
            index = languages->findText(language, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (index < 0)
                index = findStartingWith(languages, language + QLatin1String(" ("));
            territory = name.mid(language.size() + 2);
            territory.chop(territory.endsWith(QLatin1Char(')')) ? 1 : 0);
        }
    }

    if (index >= 0)
        languages->setCurrentIndex(index);
    if (!territory.isEmpty()) {
        const int territoryIndex = findStartingWith(ui->cbSourceTerritory, territory);
        if (territoryIndex >= 0)
            ui->cbSourceTerritory->setCurrentIndex(territoryIndex);
    }
    sourceLanguageName = name;
    // Set after the selection: selecting an item clears it.
    keepGivenSourceLanguage = !matched;
}
