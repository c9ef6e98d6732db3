#include "app/chineseconverter.h"

#include <QDir>
#include <QLoggingCategory>

#include <opencc/SimpleConverter.hpp>

#include <exception>

Q_LOGGING_CATEGORY(lcChinese, "parlonex.app.chinese")

namespace {

QString reason(const std::exception &exception)
{
    // OpenCC composes its messages from file paths, which are in the local encoding.
    const QString text = QString::fromLocal8Bit(exception.what());
    qCDebug(lcChinese).noquote() << text;
    return text;
}

} // namespace

QString ChineseConverter::profilePath(const QString &profile, const QString &directory)
{
    QDir folder(directory);
    folder.cd(QStringLiteral("opencc"));
    return folder.absoluteFilePath(profile);
}

ChineseConverter::ChineseConverter(const QString &profilePath)
{
    try {
        converter = std::make_unique<opencc::SimpleConverter>(profilePath.toStdString());
    } catch (const std::exception &exception) {
        error = reason(exception);
    }
}

ChineseConverter::~ChineseConverter() = default;

std::optional<QString> ChineseConverter::convert(const QString &text)
{
    if (!converter)
        return std::nullopt;
    try {
        const QByteArray utf8 = text.toUtf8();
        return QString::fromStdString(converter->Convert(utf8.constData(), size_t(utf8.size())));
    } catch (const std::exception &exception) {
        error = reason(exception);
        return std::nullopt;
    }
}
