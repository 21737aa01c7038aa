#include "PDEResourceAccess.h"

#include "PDETextUnits.h"

#include "HelpSystem.h"
#include "PlatformStatus.h"
#include "PluginBundle.h"
#include "UserGroups.h"

#include <string_view>

#define KESTRANE_NS_TEXT2(ns) #ns
#define KESTRANE_NS_TEXT(ns) KESTRANE_NS_TEXT2(ns)

namespace KESTRANE_NS {

namespace {

struct Identity {
    std::string_view ns;
    const char* clientID;
    const char* bundleID;
};

// One row per plug-in copy, chosen by the namespace the copy is built in.
constexpr Identity kIdentities[] = {
    {"MNFeatures", "com.kestrane.mtk.PrintFeaturesKind", "com.kestrane.mtk.pde.Features"},
    {"MNSpecialPages", "com.kestrane.e14.SpecialPagesKind", "com.kestrane.mtk.pde.SpecialPages"},
    {"MNWatermark", "com.kestrane.mtk.WaterMarkKind", "com.kestrane.mtk.pde.Watermark"},
    {"MNAccount", "com.kestrane.mtk.AccountKind", "com.kestrane.mtk.pde.Account"},
    // Two copies of the dialog host's test plug-in, loaded side by side.
    {"MNHostTestA", "com.kestrane.mtk.HostTestAKind", "com.kestrane.mtk.pde.HostTestA"},
    {"MNHostTestB", "com.kestrane.mtk.HostTestBKind", "com.kestrane.mtk.pde.HostTestB"},
    {"MNTest", "com.kestrane.mtk.TestKind", "com.kestrane.mtk.pde.Test"},
};

constexpr const Identity& ThisIdentity() {
    constexpr std::string_view ns = KESTRANE_NS_TEXT(KESTRANE_NS);
    for (const Identity& id : kIdentities)
        if (id.ns == ns)
            return id;
    return kIdentities[std::size(kIdentities) - 1];
}

static_assert(ThisIdentity().ns == KESTRANE_NS_TEXT(KESTRANE_NS),
              "every plug-in copy needs a row of identities");

} // namespace

const char* GetAppClientID() {
    return ThisIdentity().clientID;
}

const char* GetAppBundleID() {
    return ThisIdentity().bundleID;
}

PluginBundle* GetAppBundleRef() {
    return PluginBundle::WithIdentifier(GetAppBundleID());
}

std::unique_ptr<std::string> GetAppResourceName(const char* value, int part) {
    if (!value || (part != 0 && part != 1))
        return nullptr;
    const std::string text = value;
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos)
        return std::make_unique<std::string>(part == 0 ? text : std::string());
    return std::make_unique<std::string>(part == 0 ? text.substr(0, dash) : text.substr(dash + 1));
}

std::unique_ptr<std::string> GetAppFullResourceName(const char* name, int mode, const char* prefixA,
                                                    const char* prefixB) {
    if (!name)
        return nullptr;
    if (mode == 0)
        return prefixA ? std::make_unique<std::string>(std::string(prefixA) + name) : nullptr;
    if (mode == 1)
        return prefixB ? std::make_unique<std::string>(std::string(prefixB) + name) : nullptr;
    return std::make_unique<std::string>(name);
}

void ReleaseCFString(std::unique_ptr<std::string>* string) {
    if (string)
        string->reset();
}

int RegisterMyHelpBook() {
    PluginBundle* bundle = GetAppBundleRef();
    if (!bundle)
        return kStatusFileNotFound;
    return HelpRegisterBook(bundle);
}

int GotoHelpPage(PluginBundle* bundle, const char* pagePath, const char* anchor,
                 const char* helpBookNameKey) {
    if (!bundle || !helpBookNameKey)
        return kStatusFileNotFound;
    if (!pagePath)
        return kStatusParamErr;
    const std::string key = CutUtf8ToBytes(helpBookNameKey, 255);
    const std::string bookName = bundle->LocalizedString(key, "no translation");
    return HelpGotoPage(bookName, pagePath, anchor ? anchor : "");
}

bool IsUserAdmin() {
    return ::IsUserAdmin();
}

bool CheckUserGroups(const char* userName, const char* groupName) {
    return ::CheckUserGroups(userName, groupName);
}

} // namespace KESTRANE_NS
