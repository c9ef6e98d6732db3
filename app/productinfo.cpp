#include "app/productinfo.h"

#include <QCoreApplication>

namespace {

QUrl manualPage(const QString &webPath, const QString &fragment)
{
    QUrl page = QLatin1String(ProductInfo::webHost).isEmpty()
        ? QUrl::fromLocalFile(
            QCoreApplication::applicationDirPath() + QStringLiteral("/manual/index.html"))
        : QUrl(QLatin1String(ProductInfo::webHost) + webPath);
    if (!fragment.isEmpty())
        page.setFragment(fragment);
    return page;
}

} // namespace

QString ProductInfo::version()
{
    // The minor part is the month of the release, always shown with two digits.
    return QStringLiteral("v%1.%2")
        .arg(PARLONEX_VERSION_MAJOR)
        .arg(PARLONEX_VERSION_MINOR, 2, 10, QLatin1Char('0'));
}

QUrl ProductInfo::homePage()
{
    return manualPage(QStringLiteral("/parlonex/"), QString());
}

QUrl ProductInfo::featuresPage()
{
    return manualPage(QStringLiteral("/parlonex/index.html"), QStringLiteral("features"));
}
