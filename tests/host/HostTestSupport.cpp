#include "HostTestSupport.h"

#include "PreferenceStore.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace hosttest {

std::string DataPath(const std::string& name) {
    return std::string(HOST_TEST_DATA_DIR) + "/" + name;
}

std::string OutputPath(const std::string& name) {
    return std::string(HOST_TEST_OUTPUT_DIR) + "/" + name;
}

std::string WriteTestPPD(const QTemporaryDir& dir, const std::string& attributeLine,
                         const std::string& name) {
    std::ifstream in(DataPath("hosttest.ppd"));
    std::stringstream text;
    text << in.rdbuf();
    std::string ppd = text.str();
    const std::string line = "*KRVHostTestSettings: \"Default01-Main\"\n";
    const size_t at = ppd.find(line);
    if (at != std::string::npos)
        ppd.replace(at, line.size(), attributeLine.empty() ? "" : attributeLine + "\n");
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path) << ppd;
    return path;
}

PlugInLoadReport& TestPlugIns() {
    static PlugInLoadReport report = LoadPlugIns(HOST_TEST_PLUGIN_DIR);
    return report;
}

void UsePrivatePreferences(const QTemporaryDir& dir) {
    setenv("KESTRANE_PREFS_USER_ROOT", (dir.path() + "/user").toUtf8().constData(), 1);
    setenv("KESTRANE_PREFS_SYSTEM_ROOT", (dir.path() + "/system").toUtf8().constData(), 1);
    PreferenceStore::Shared().Reset();
}

} // namespace hosttest
