#include "app/chineseconverter.h"
#include "app/mainwindow.h"

#include "model/translationmodel.h"
#include "views/messagebox.h"

#include <QCoreApplication>

namespace {

// The OpenCC profile for each direction between the three Chinese columns.
QString profileFor(const QString &fromCode, const QString &toCode)
{
    static const struct
    {
        const char *from;
        const char *to;
        const char *profile;
    } profiles[] = {
        { "zh_CN", "zh_TW", "s2twp.json" },
        { "zh_CN", "zh_HK", "s2hk.json" },
        { "zh_TW", "zh_CN", "tw2sp.json" },
        { "zh_HK", "zh_CN", "hk2s.json" },
        { "zh_HK", "zh_TW", "t2tw.json" },
        { "zh_TW", "zh_HK", "t2hk.json" },
    };
    for (const auto &entry : profiles) {
        if (fromCode == QLatin1String(entry.from) && toCode == QLatin1String(entry.to))
            return QString::fromLatin1(entry.profile);
    }
    return {};
}

QString profilePath(const QString &profile)
{
    return ChineseConverter::profilePath(profile, QCoreApplication::applicationDirPath());
}

} // namespace

void MainWindow::onActionzhCNTozhTWTriggered()
{
    convertColumn(QStringLiteral("zh_CN"), QStringLiteral("zh_TW"), QStringLiteral("s2twp.json"));
}

void MainWindow::onActionzhCNTozhHKTriggered()
{
    convertColumn(QStringLiteral("zh_CN"), QStringLiteral("zh_HK"), QStringLiteral("s2hk.json"));
}

void MainWindow::onActionzhTWTozhCNTriggered()
{
    convertColumn(QStringLiteral("zh_TW"), QStringLiteral("zh_CN"), QStringLiteral("tw2sp.json"));
}

void MainWindow::onActionzhHKTozhCNTriggered()
{
    convertColumn(QStringLiteral("zh_HK"), QStringLiteral("zh_CN"), QStringLiteral("hk2s.json"));
}

void MainWindow::onConvertFromZhCN(const QModelIndex &index)
{
    convertCellFrom(QStringLiteral("zh_CN"), index);
}

void MainWindow::onConvertFromZhTW(const QModelIndex &index)
{
    convertCellFrom(QStringLiteral("zh_TW"), index);
}

void MainWindow::onConvertFromZhHK(const QModelIndex &index)
{
    convertCellFrom(QStringLiteral("zh_HK"), index);
}

void MainWindow::convertCellFrom(const QString &fromCode, const QModelIndex &index)
{
    if (!translationModel)
        return;
    const QString profile = profileFor(fromCode, translationModel->columnLanguage(index, true));
    if (!profile.isEmpty())
        convertCell(fromCode, index, profile);
}

void MainWindow::convertColumn(
    const QString &fromCode, const QString &toCode, const QString &profile)
{
    if (!translationModel)
        return;
    const int fromColumn = findLanguageColumn(fromCode);
    const int toColumn = findLanguageColumn(toCode);
    if (fromColumn < 0 || toColumn < 0) {
        MessageBox::warning(this, tr("Warning"),
            tr("Can't find column with name %1").arg(fromColumn < 0 ? fromCode : toCode));
        return;
    }
    ChineseConverter converter(profilePath(profile));
    if (!converter.isValid()) {
        MessageBox::critical(this, tr("Error"), converter.errorString());
        return;
    }
    QList<CellText> texts;
    for (int row = 0; row < translationModel->rowCount(); ++row) {
        const QString text = translationModel->cellText(translationModel->index(row, fromColumn));
        if (text.isEmpty())
            continue;
        const std::optional<QString> converted = converter.convert(text);
        if (!converted) {
            MessageBox::critical(this, tr("Error"), converter.errorString());
            return;
        }
        texts.append(CellText { translationModel->index(row, toColumn), *converted });
    }
    writeColumnTexts(texts);
}

void MainWindow::convertCell(
    const QString &fromCode, const QModelIndex &index, const QString &profile)
{
    if (!translationModel)
        return;
    const int fromColumn = findLanguageColumn(fromCode);
    if (fromColumn < 0) {
        MessageBox::warning(
            this, tr("Warning"), tr("Can't find column with name %1").arg(fromCode));
        return;
    }
    const QString text =
        translationModel->cellText(translationModel->index(index.row(), fromColumn));
    if (text.isEmpty())
        return;
    ChineseConverter converter(profilePath(profile));
    const std::optional<QString> converted = converter.convert(text);
    if (!converted) {
        MessageBox::critical(this, tr("Error"), converter.errorString());
        return;
    }
    translationModel->setData(index, *converted, Qt::EditRole);
}
