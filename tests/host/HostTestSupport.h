// Surroundings of the dialog host's tests: a QApplication on the offscreen
// platform, private preference roots, the test PPD in variants, and the test
// plug-ins loaded once for the process.
#pragma once

#include "PlugInLoader.h"

#include <QTemporaryDir>

#include <string>

namespace hosttest {

std::string DataPath(const std::string& name);
std::string OutputPath(const std::string& name);

// The test PPD with its "KRVHostTestSettings" line replaced by `attributeLine`
// (empty: no such attribute), written into `dir`.
std::string WriteTestPPD(const QTemporaryDir& dir, const std::string& attributeLine,
                         const std::string& name = "hosttest.ppd");

// Both copies of the test plug-in, loaded once.
PlugInLoadReport& TestPlugIns();

// Points the preference roots into `dir` and forgets cached preferences.
void UsePrivatePreferences(const QTemporaryDir& dir);

inline std::string Ticket(const std::string& copy, const std::string& name) {
    return "com.kestrane.mtz.printsettings." + copy + "_" + name;
}

} // namespace hosttest
