#include "app/websitemenu.h"

#include <QAction>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QMap>
#include <QMenu>

#include <algorithm>

Q_LOGGING_CATEGORY(lcHelp, "parlonex.app.help")

namespace {

struct WebsiteEntry
{
    QString title;
    QString url;
};

// Categories in ascending order (QMap compares the UTF-16 strings, so "B" precedes "a").
QMap<QString, QList<WebsiteEntry>> readWebsiteFile(
    const QString &fileName, const QStringList &uiLanguages)
{
    QMap<QString, QList<WebsiteEntry>> categories;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcHelp) << "No website entries:" << fileName << file.errorString();
        return categories;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isArray()) {
        qCWarning(lcHelp) << "Website file" << fileName << "holds no JSON array:"
                          << (error.error == QJsonParseError::NoError ? QStringLiteral("object")
                                                                      : error.errorString());
        return categories;
    }
    for (const QJsonValue &value : document.array()) {
        const QJsonObject object = value.toObject();
        QString title = object.value(QLatin1String("name")).toString();
        for (const QString &language : uiLanguages) {
            // An empty translation would hide the entry; the untranslated title serves better.
            const QString translated = object.value(QStringLiteral("name_") + language).toString();
            if (!translated.isEmpty()) {
                title = translated;
                break;
            }
        }
        const QString url = object.value(QLatin1String("url")).toString();
        if (title.isEmpty() || url.isEmpty())
            continue;
        categories[object.value(QLatin1String("category")).toString()].append({ title, url });
    }
    return categories;
}

} // namespace

QString menuText(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

void addWebsiteEntries(QMenu *menu, const QString &fileName, const QStringList &uiLanguages,
    const std::function<void(const QString &url, const QString &title)> &open)
{
    auto categories = readWebsiteFile(fileName, uiLanguages);
    for (QList<WebsiteEntry> &entries : categories) {
        std::stable_sort(entries.begin(), entries.end(),
            [](const WebsiteEntry &a, const WebsiteEntry &b) { return a.title < b.title; });
        menu->addSeparator();
        for (const WebsiteEntry &entry : std::as_const(entries)) {
            QAction *action = menu->addAction(menuText(entry.title));
            QObject::connect(
                action, &QAction::triggered, menu, [open, entry] { open(entry.url, entry.title); });
        }
    }
}
