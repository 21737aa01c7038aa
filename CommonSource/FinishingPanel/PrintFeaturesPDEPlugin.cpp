#include "PrintFeaturesPDEPlugin.h"

#include "FinishingKeys.h"
#include "PrintFeaturesPDEmtk.h"

#include "PluginBundle.h"

#include <cups/ppd.h>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

namespace {

constexpr const char* kFeaturesInterfaceFile = "KRPrintFeature";
constexpr const char* kFeaturesHelpPage = "Finishing.htm";

std::unique_ptr<PDEPrintPanel> MakeFeaturesPanel(PDEPlugInCallbackProtocol* callback, const char*) {
    return std::make_unique<PrintFeaturesPDEmtk>(callback);
}

const PDEPanelOffer kFeaturesOffer{
    kKVProductType,   kFeaturesInterfaceFile, "", kFeaturesPanelKind, true, nullptr, 0,
    MakeFeaturesPanel};

} // namespace

std::vector<std::string> FeaturesRequiredHelpPages(const char* layoutValue) {
    std::vector<std::string> pages = {"SpecifyPosition", "TabMarginShift"};
    if (layoutValue)
        pages.push_back("Margins_" + ResourceHelpPart(layoutValue));
    return pages;
}

PrintFeaturesPDEPluginmtk::PrintFeaturesPDEPluginmtk() : PDEPlugInEntry({&kFeaturesOffer}) {}

std::unique_ptr<PDEPrintPanel>
PrintFeaturesPDEPluginmtk::OfferPanel(const PDEPanelOffer& offer, ppd_file_t* ppd,
                                      PDEPlugInCallbackProtocol* hostInfo) {
    std::string mode;
    if (!PanelAttributeValue(offer, ppd, mode) || mode == kPRODUCTMODEDISABLED)
        return nullptr;
    PluginBundle* bundle = GetPDEPlugInBundle();
    if (!bundle)
        return nullptr;
    ppd_attr_t* layout = ppdFindAttr(ppd, kKVLayoutSettings, nullptr);
    for (const std::string& page :
         FeaturesRequiredHelpPages(layout && layout->value ? layout->value : nullptr))
        if (bundle->PathForResource(page, "htm", "Help").empty())
            return nullptr;
    const std::string interfacePath = bundle->PathForResource(kFeaturesInterfaceFile, "ui");
    if (interfacePath.empty())
        return nullptr;
    std::unique_ptr<PDEPrintPanel> panel = offer.makePanel(hostInfo, offer.panelKind);
    panel->SetPanelResources(interfacePath, kFeaturesInterfaceFile, kFeaturesHelpPage);
    return panel;
}

// The copy's entry function makes this by name.
KESTRANE_PDE_ENTRY_CLASS(PrintFeaturesPDEPluginmtk);

} // namespace KESTRANE_NS
