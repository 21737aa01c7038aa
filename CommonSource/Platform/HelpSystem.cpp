#include "HelpSystem.h"

#include "PlatformServices.h"
#include "PlatformStatus.h"
#include "PluginBundle.h"

#include <QUrl>

#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {
std::map<std::string, std::string>& Books() { // book name -> help folder
    static std::map<std::string, std::string> books;
    return books;
}
} // namespace

int HelpRegisterBook(const PluginBundle* bundle) {
    if (!bundle)
        return kStatusFileNotFound;
    const std::string name =
        bundle->InfoString("CFBundleHelpBookName").value_or(bundle->Identifier());
    const std::string folder = bundle->InfoString("CFBundleHelpBookFolder").value_or("Help");
    const fs::path dir = fs::path(bundle->Path()) / folder;
    std::error_code ec;
    if (name.empty() || !fs::is_directory(dir, ec))
        return kStatusFileNotFound;
    Books()[name] = dir.string();
    return kStatusNoErr;
}

int HelpGotoPage(const std::string& bookName, const std::string& pagePath,
                 const std::string& anchor) {
    auto it = Books().find(bookName);
    if (it == Books().end())
        return kStatusFileNotFound;
    const fs::path rel(pagePath);
    for (const auto& part : rel)
        if (part == "..")
            return kStatusFileNotFound;
    const fs::path page = fs::path(it->second) / rel;
    std::error_code ec;
    if (pagePath.empty() || !fs::is_regular_file(page, ec))
        return kStatusFileNotFound;
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(page.string()));
    if (!anchor.empty())
        url.setFragment(QString::fromStdString(anchor));
    return Services().OpenHelpPage(url.toString(QUrl::FullyEncoded).toStdString());
}

void HelpUnregisterAll() {
    Books().clear();
}
