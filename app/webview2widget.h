#pragma once

#include <QWidget>

class QUrl;

// A web page shown in a tab of the main window. With Qt WebEngine an embedded browser shows
// it; every tab shares one persistent browser profile. A build without Qt WebEngine shows the
// address as a link that opens the desktop's browser.
class WebView2Widget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebView2Widget)

public:
    explicit WebView2Widget(QWidget *parent = nullptr);
    ~WebView2Widget() override;

    // False in builds without Qt WebEngine.
    static bool embedsBrowser();
    // The page zoom on a screen of this device pixel ratio: on dense screens pages are shown
    // a little smaller than the toolkit's scaling alone would make them.
    static qreal zoomFactor(qreal devicePixelRatio);

    void setUrl(const QString &url);
    void setUrl(const QUrl &url);
    QString url() const { return address; }
    // Fits the browser to the widget.
    void updateBrowserBounds();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QString address;
    // The browser, or the link label of a build without one.
    QWidget *webview = nullptr;
};
