#include "app/webview2widget.h"

#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#ifdef PARLONEX_HAVE_WEBENGINE
#include <QDir>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <unistd.h>
#else
#include <QLabel>
#endif

namespace {

#ifdef PARLONEX_HAVE_WEBENGINE
class BrowserView final : public QWebEngineView
{
public:
    using QWebEngineView::QWebEngineView;

protected:
    // Links that ask for a new window open in the same tab.
    QWebEngineView *createWindow(QWebEnginePage::WebWindowType) override { return this; }
};

// One profile for all tabs, so that they share cookies and cache, kept on disk between runs.
QWebEngineProfile *sharedProfile()
{
    static QPointer<QWebEngineProfile> profile;
    if (profile)
        return profile;
    // Chromium cannot start its sandbox for the root user (as in containers and CI machines)
    // and then renders nothing; other users keep the sandbox. The variable is read when the
    // first profile starts the browser engine.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    profile = new QWebEngineProfile(QStringLiteral("Parlonex"), QCoreApplication::instance());
    const QString storage = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
        + QStringLiteral("/Cache");
    QDir().mkpath(storage);
    profile->setPersistentStoragePath(storage);
    profile->setCachePath(storage);
    profile->setHttpUserAgent(profile->httpUserAgent() + QStringLiteral("; Parlonex"));
    return profile;
}
#endif

} // namespace

WebView2Widget::WebView2Widget(QWidget *parent)
    : QWidget(parent)
{
#ifdef PARLONEX_HAVE_WEBENGINE
    auto *view = new BrowserView(this);
    view->setPage(new QWebEnginePage(sharedProfile(), view));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        view->setZoomFactor(zoomFactor(screen->devicePixelRatio()));
    webview = view;
#else
    auto *label = new QLabel(this);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    webview = label;
#endif
    setFocusProxy(webview);
}

WebView2Widget::~WebView2Widget() = default;

bool WebView2Widget::embedsBrowser()
{
#ifdef PARLONEX_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

qreal WebView2Widget::zoomFactor(qreal devicePixelRatio)
{
    return devicePixelRatio > 1.25 ? 1.4 / devicePixelRatio : 1.0;
}

void WebView2Widget::setUrl(const QString &url)
{
    address = url;
#ifdef PARLONEX_HAVE_WEBENGINE
    // Hand-written entries such as "www.example.org" name a web page too.
    static_cast<QWebEngineView *>(webview)->setUrl(QUrl::fromUserInput(url));
#else
    static_cast<QLabel *>(webview)->setText(
        tr("This page opens in your web browser:").toHtmlEscaped()
        + QStringLiteral("<br/><a href=\"%1\">%1</a>").arg(url.toHtmlEscaped()));
#endif
}

void WebView2Widget::setUrl(const QUrl &url)
{
    setUrl(url.toString());
}

void WebView2Widget::updateBrowserBounds()
{
    webview->setGeometry(rect());
}

void WebView2Widget::resizeEvent(QResizeEvent *event)
{
    updateBrowserBounds();
    QWidget::resizeEvent(event);
}
