#pragma once

#include <QString>
#include <QUrl>

// Where the product's pages and its support live. While no web host is set, the manual
// installed beside the program stands in for the web site.
namespace ProductInfo {

// The web host that serves the manual folder as "/parlonex/", such as "https://example.org".
inline constexpr char webHost[] = "";
// The mailbox behind "Contact us" in the about box; the line is hidden while this is empty.
inline constexpr char supportAddress[] = "";

// The version the build was configured with, as users see it: "v2025.07".
QString version();
QUrl homePage();
// The manual's list of features and commands.
QUrl featuresPage();

} // namespace ProductInfo
