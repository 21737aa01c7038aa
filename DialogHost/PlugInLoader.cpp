#include "PlugInLoader.h"

#include "PluginBundle.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> SplitList(const std::string& text) {
    // "A, B" or "A B": the entry classes listed in Info.json.
    std::vector<std::string> out;
    std::string word;
    for (char c : text + ",") {
        if (c == ',' || c == ' ') {
            if (!word.empty())
                out.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return out;
}

void LoadOne(const fs::path& dir, PlugInLoadReport& report) {
    const std::string name = dir.stem().string();
    PluginBundle* bundle = PluginBundle::Open(dir.string());
    if (!bundle) {
        report.problems.push_back(dir.string() + ": no readable Info.json");
        return;
    }
    const std::string executable = bundle->InfoString("CFBundleExecutable").value_or(name + ".so");
    const fs::path library = fs::absolute(dir / executable);
    // Each plug-in keeps its own symbols, so same-named classes stay apart.
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        report.problems.push_back(library.string() + ": " + (why ? why : "cannot be opened"));
        return;
    }
    auto entry = reinterpret_cast<PDEPlugInEntryFunction>(dlsym(handle, KESTRANE_PDE_ENTRY_NAME));
    if (!entry) {
        report.problems.push_back(library.string() + ": no " KESTRANE_PDE_ENTRY_NAME);
        dlclose(handle);
        return;
    }
    std::vector<std::string> classes =
        SplitList(bundle->InfoString("PDEEntryClasses").value_or(std::string()));
    if (classes.empty())
        classes.push_back(bundle->InfoString("NSPrincipalClass").value_or(std::string()));

    LoadedPlugIn loaded;
    loaded.bundlePath = dir.string();
    loaded.bundle = bundle;
    loaded.library = handle;
    for (const std::string& cls : classes) {
        std::unique_ptr<PDEPlugIn> object(entry(cls.empty() ? nullptr : cls.c_str()));
        if (!object) {
            report.problems.push_back(dir.string() + ": no entry class \"" + cls + "\"");
            continue;
        }
        if (!object->initWithBundle(bundle)) {
            report.problems.push_back(dir.string() + ": entry class \"" + cls +
                                      "\" refused its bundle");
            continue;
        }
        loaded.entries.push_back(std::move(object));
    }
    report.plugins.push_back(std::move(loaded));
}

} // namespace

std::string DefaultPlugInDirectory(const std::string& executablePath) {
    if (const char* env = std::getenv("KESTRANE_PLUGIN_DIR"); env && *env)
        return env;
    std::error_code ec;
    const fs::path exeDir = fs::canonical(executablePath, ec).parent_path();
    const fs::path buildBin = fs::weakly_canonical(KESTRANE_BUILD_BIN_DIR, ec);
    if (!exeDir.empty() && exeDir == buildBin)
        return KESTRANE_BUILD_PLUGIN_DIR;
    // Installed: <prefix>/bin/printdialog and <prefix>/<plug-in dir>.
    return (exeDir.parent_path() / KESTRANE_INSTALL_PLUGIN_SUBDIR).string();
}

PlugInLoadReport LoadPlugIns(const std::string& directory) {
    PlugInLoadReport report;
    std::error_code ec;
    std::vector<fs::path> bundles;
    for (const auto& item : fs::directory_iterator(directory, ec)) {
        if (item.is_directory() && item.path().extension() == ".plugin")
            bundles.push_back(item.path());
    }
    if (ec)
        report.problems.push_back(directory + ": " + ec.message());
    std::sort(bundles.begin(), bundles.end());
    for (const fs::path& dir : bundles)
        LoadOne(dir, report);
    return report;
}

void UnloadPlugIns(std::vector<LoadedPlugIn>& plugins) {
    // The libraries stay mapped: Qt keeps meta-objects of their classes until
    // the application ends.
    for (LoadedPlugIn& p : plugins)
        p.entries.clear();
    plugins.clear();
}
