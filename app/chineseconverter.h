#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace opencc {
class SimpleConverter;
}

// Converts texts between the Chinese scripts with one OpenCC profile. OpenCC reports a
// missing or broken profile or dictionary by throwing; this class keeps the exception inside
// and hands back its reason.
class ChineseConverter final
{
public:
    // The profile in the "opencc" folder of `directory`, or directly in `directory` when it
    // has no such folder.
    static QString profilePath(const QString &profile, const QString &directory);

    explicit ChineseConverter(const QString &profilePath);
    ~ChineseConverter();
    Q_DISABLE_COPY_MOVE(ChineseConverter)

    bool isValid() const { return converter != nullptr; }
    // Nothing when the profile could not be loaded or the text not converted; errorString()
    // then says why.
    std::optional<QString> convert(const QString &text);
    QString errorString() const { return error; }

private:
    std::unique_ptr<opencc::SimpleConverter> converter;
    QString error;
};
