#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/aboutdialog.h"
#include "app/productinfo.h"
#include "app/uitranslations.h"
#include "app/websitemenu.h"
#include "app/webview2widget.h"

#include <QCoreApplication>
#include <QDesktopServices>

void MainWindow::onActionContentTriggered()
{
    QDesktopServices::openUrl(ProductInfo::featuresPage());
}

void MainWindow::onActionHomepageTriggered()
{
    QDesktopServices::openUrl(ProductInfo::homePage());
}

void MainWindow::onActionAboutTriggered()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::buildWebsiteMenu()
{
    addWebsiteEntries(ui->menuView,
        QCoreApplication::applicationDirPath() + QStringLiteral("/website.json"),
        preferredUiLanguages(),
        [this](const QString &url, const QString &title) { openWebPage(url, title); });
}

void MainWindow::openWebPage(const QString &url, const QString &title)
{
    QTabWidget *tabs = ui->tabWidget;
    for (int index = 1; index < tabs->count(); ++index) {
        const auto *page = qobject_cast<WebView2Widget *>(tabs->widget(index));
        if (page && page->url() == url) {
            tabs->setCurrentIndex(index);
            return;
        }
    }
    auto *page = new WebView2Widget(tabs);
    const int index = tabs->addTab(page, title);
    tabs->setCurrentIndex(index);
    page->setUrl(url);
    page->updateBrowserBounds();
    // Passing through the table makes the tab change fit the browser once more, now that
    // the page has its final size.
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(index);
}

void MainWindow::onTabWidgetCurrentIndexChanged(int index)
{
    if (index == 0)
        return;
    if (auto *page = qobject_cast<WebView2Widget *>(ui->tabWidget->widget(index)))
        page->updateBrowserBounds();
}
