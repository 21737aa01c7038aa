#include "PlatformServices.h"

#include "QtPlatformServices.h"

namespace {
PlatformServices* g_installed = nullptr;
}

PlatformServices::~PlatformServices() = default;

std::optional<ChosenColor> PlatformServices::ChooseColor(const ColorChooserRequest&) {
    return std::nullopt;
}

PlatformServices& Services() {
    if (g_installed)
        return *g_installed;
    static QtPlatformServices qtServices;
    return qtServices;
}

PlatformServices* InstallPlatformServices(PlatformServices* services) {
    PlatformServices* previous = g_installed;
    g_installed = services;
    return previous;
}
