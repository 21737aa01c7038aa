#include "PDEPlugInEntry.h"

#include "PDEPrintPanel.h"
#include "PDEResourceAccess.h"
#include "PDESettingsAccess.h"
#include "XPPD.h"

#include "PluginBundle.h"

#include <cups/ppd.h>

#include <cstring>
#include <utility>

// The PPD is read through libcups' PPD interface.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

namespace {

PluginBundle* gPDEBundle = nullptr;

struct EntryClass {
    const char* name;
    PDEEntryFactory factory;
};

std::vector<EntryClass>& EntryClasses() {
    static std::vector<EntryClass> classes;
    return classes;
}

} // namespace

PluginBundle* GetPDEPlugInBundle() {
    return gPDEBundle;
}

bool FindPanelResources(PluginBundle* bundle, const char* value, const PDEPanelOffer& offer,
                        PDEPanelResources& out) {
    if (!bundle || !value)
        return false;
    auto product = GetAppResourceName(value, 0);
    auto help = GetAppResourceName(value, 1);
    if (!product || !help)
        return false;
    auto nib = GetAppFullResourceName(product->c_str(), 0, offer.interfacePrefix, nullptr);
    auto page = GetAppFullResourceName(help->c_str(), 1, nullptr, offer.helpPrefix);
    if (!nib || !page)
        return false;
    out.productName = *product;
    out.nibName = *nib;
    out.helpPage = *page + ".htm";
    out.interfacePath = bundle->PathForResource(*nib, "ui");
    out.helpPath = bundle->PathForResource(*page, "htm", "Help");
    return !out.interfacePath.empty() && !out.helpPath.empty();
}

int LookUpProductType(const PDEPanelOffer& offer, const std::string& productName) {
    for (int i = 0; i < offer.productTypeCount; ++i) {
        if (offer.productTypes[i].productName && productName == offer.productTypes[i].productName)
            return offer.productTypes[i].productNumber;
    }
    return -1;
}

PDEPlugInEntry::PDEPlugInEntry(std::vector<const PDEPanelOffer*> offers)
    : m_offers(std::move(offers)) {}

bool PDEPlugInEntry::initWithBundle(PluginBundle* bundle) {
    if (!gPDEBundle)
        gPDEBundle = bundle;
    return true;
}

bool PDEPlugInEntry::PanelAttributeValue(const PDEPanelOffer& offer, ppd_file_t* ppd,
                                         std::string& value) {
    char keyword[PPD_MAX_NAME] = {};
    if (offer.adjustAttributeForType)
        FixPPDKeywordAccordingToType(ppd, offer.ppdAttribute, keyword, sizeof keyword);
    else
        std::strncpy(keyword, offer.ppdAttribute, sizeof keyword - 1);
    ppd_attr_t* attr = ppdFindAttr(ppd, keyword, nullptr);
    if (!attr || !attr->value)
        return false;
    value = attr->value;
    return true;
}

std::unique_ptr<PDEPrintPanel> PDEPlugInEntry::OfferPanel(const PDEPanelOffer& offer,
                                                          ppd_file_t* ppd,
                                                          PDEPlugInCallbackProtocol* hostInfo) {
    std::string value;
    if (!PanelAttributeValue(offer, ppd, value))
        return nullptr;
    PDEPanelResources resources;
    if (!FindPanelResources(gPDEBundle, value.c_str(), offer, resources))
        return nullptr;
    std::unique_ptr<PDEPrintPanel> panel = offer.makePanel(hostInfo, offer.panelKind);
    if (!panel)
        return nullptr;
    panel->SetPanelResources(resources.interfacePath, resources.nibName, resources.helpPage);
    if (int type = LookUpProductType(offer, resources.productName); type >= 0)
        panel->SetProductType(type);
    return panel;
}

PDEPanelList PDEPlugInEntry::PDEPanelsForType(const std::string& type,
                                              PDEPlugInCallbackProtocol* hostInfo) {
    PDEPanelList panels;
    if (type != kPDEPrintDialogType || !hostInfo)
        return panels;
    ppd_file_t* ppd = hostInfo->ppdFile();
    if (!ppd)
        GetPPDRefFromSession(hostInfo->printSession(), &ppd);
    if (!ppd)
        return panels;
    for (const PDEPanelOffer* offer : m_offers) {
        if (auto panel = OfferPanel(*offer, ppd, hostInfo))
            panels.push_back(std::move(panel));
    }
    return panels;
}

PDEEntryClassRegistration::PDEEntryClassRegistration(const char* className,
                                                     PDEEntryFactory factory) {
    EntryClasses().push_back({className, factory});
}

PDEPlugIn* CreatePDEEntryObject(const char* className) {
    const std::vector<EntryClass>& classes = EntryClasses();
    if (classes.empty())
        return nullptr;
    if (!className || !*className)
        return classes.front().factory();
    for (const EntryClass& c : classes)
        if (std::strcmp(c.name, className) == 0)
            return c.factory();
    return nullptr;
}

} // namespace KESTRANE_NS

// The copy's default entry function makes the registered entry classes. It
// is weak, so a plug-in may define its own instead.
extern "C" __attribute__((visibility("default"), weak)) PDEPlugIn*
KestranePDEPlugInCreate(const char* className) {
    return KESTRANE_NS::CreatePDEEntryObject(className);
}
