#include "app/aboutdialog.h"
#include "ui_aboutdialog.h"

#include "app/productinfo.h"
#include "app/webview2widget.h"

#include <QDesktopServices>

namespace {

QString link(const QString &target, const QString &text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(target.toHtmlEscaped(), text.toHtmlEscaped());
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::AboutDialog>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    ui->labelVersion->setText(ui->labelVersion->text() + ProductInfo::version());

    // The labels open the fixed addresses, whatever the link text says.
    const QString homePage = ProductInfo::homePage().toString();
    ui->labelHomepage->setText(
        ui->labelHomepage->text().toHtmlEscaped() + link(homePage, homePage));
    connect(ui->labelHomepage, &QLabel::linkActivated, this,
        [] { QDesktopServices::openUrl(ProductInfo::homePage()); });
    const QString support = QLatin1String(ProductInfo::supportAddress);
    ui->labelContactUs->setVisible(!support.isEmpty());
    ui->labelContactUs->setText(ui->labelContactUs->text().toHtmlEscaped()
        + link(QStringLiteral("mailto:") + support, support));
    connect(ui->labelContactUs, &QLabel::linkActivated, this,
        [support] { QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + support)); });

    ui->textEdit->setHtml(thirdPartyText());
}

AboutDialog::~AboutDialog() = default;

QString AboutDialog::thirdPartyText() const
{
    struct Party
    {
        QString name;
        QString terms;
        QString site;
    };
    QList<Party> parties {
        { QStringLiteral("Parlonex"), QStringLiteral("GPL-3.0-or-later"),
            QStringLiteral("https://www.gnu.org/licenses/gpl-3.0.html") },
        { QStringLiteral("Qt"), QStringLiteral("LGPL-3.0"), QStringLiteral("https://www.qt.io/") },
    };
    if (WebView2Widget::embedsBrowser())
        parties.append({ QStringLiteral("Qt WebEngine"), tr("LGPL-3.0 and the Chromium licences"),
            QStringLiteral("https://doc.qt.io/qt-6/qtwebengine-licensing.html") });
    parties.append({
        { QStringLiteral("OpenCC"), QStringLiteral("Apache-2.0"),
            QStringLiteral("https://github.com/BYVoid/OpenCC") },
        { QStringLiteral("libgettextpo"), QStringLiteral("GPL-3.0-or-later"),
            QStringLiteral("https://www.gnu.org/software/gettext/") },
        { QStringLiteral("zlib"), tr("zlib licence"), QStringLiteral("https://zlib.net/") },
        { tr("Oxygen icons"), QStringLiteral("LGPL-3.0-or-later"),
            QStringLiteral("https://invent.kde.org/frameworks/oxygen-icons5") },
        { tr("Flag icons by Mark James"), tr("public domain"),
            QStringLiteral("http://www.famfamfam.com/lab/icons/flags/") },
    });
    QString html = QStringLiteral("<body style=\"font-size:9pt\">");
    for (const Party &party : std::as_const(parties))
        html += QStringLiteral("<p><span style=\"font-size:12pt\">%1 (%2)</span><br/>"
                               "<a href=\"%3\" style=\"color:#254062; text-decoration:underline\">"
                               "%3</a></p>")
                    .arg(party.name.toHtmlEscaped(), party.terms.toHtmlEscaped(), party.site);
    return html + QStringLiteral("</body>");
}
