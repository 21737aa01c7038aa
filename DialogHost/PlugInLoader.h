// Finds the plug-in bundles of a directory, opens their libraries and asks
// each for its entry objects.
#pragma once

#include "PDEPluginInterface.h"

#include <memory>
#include <string>
#include <vector>

class PluginBundle;

struct LoadedPlugIn {
    std::string bundlePath;
    PluginBundle* bundle = nullptr; // kept by the platform
    void* library = nullptr;        // dlopen handle; stays open for the process
    std::vector<std::unique_ptr<PDEPlugIn>> entries;
};

struct PlugInLoadReport {
    std::vector<LoadedPlugIn> plugins;
    // One line per bundle that could not be used, for the log.
    std::vector<std::string> problems;
};

// The plug-in directory: $KESTRANE_PLUGIN_DIR, else the build tree's
// plug-ins when the program runs from the build tree, else the installed
// location.
std::string DefaultPlugInDirectory(const std::string& executablePath);

// Every "<name>.plugin" directory of `directory`, sorted by name. A bundle's
// Info.json names the library ("CFBundleExecutable", default "<name>.so")
// and its entry classes ("NSPrincipalClass", or the list "PDEEntryClasses");
// each entry object is made and given the bundle (initWithBundle).
PlugInLoadReport LoadPlugIns(const std::string& directory);

// Deletes the entry objects (after every panel they made is gone).
void UnloadPlugIns(std::vector<LoadedPlugIn>& plugins);
