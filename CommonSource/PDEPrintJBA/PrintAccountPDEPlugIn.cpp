#include "PrintAccountPDEPlugIn.h"

#include "JBAPDEmtk.h"
#include "PDEPlugInEntry.h"
#include "PDEResourceAccess.h"
#include "PluginBundle.h"
#include "PrintTypePDEmtk.h"
#include "PrintTypeRules.h"

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

namespace {

PluginBundle* gAccountBundle = nullptr;

struct PanelResources {
    std::string productName;
    std::string nibName;
    std::string helpPage;
};

// Resource names from the attribute's value; false when the attribute or
// either resource is missing.
bool FindPanelResources(ppd_file_t* ppd, const char* attribute, const char* nibPrefix,
                        const char* helpPrefix, PanelResources& out) {
    ppd_attr_t* attr = ppdFindAttr(ppd, attribute, nullptr);
    if (!attr || !attr->value)
        return false;
    auto product = GetAppResourceName(attr->value, 0);
    auto help = GetAppResourceName(attr->value, 1);
    if (!product || !help)
        return false;
    auto nib = GetAppFullResourceName(product->c_str(), 0, nibPrefix, helpPrefix);
    auto page = GetAppFullResourceName(help->c_str(), 1, nibPrefix, helpPrefix);
    PluginBundle* bundle = GetAppBundleRef();
    if (!bundle || !nib || !page || bundle->PathForResource(*nib, "ui").empty() ||
        bundle->PathForResource(*page, "htm", "Help").empty())
        return false;
    out = {*product, *nib, *page + ".htm"};
    return true;
}

} // namespace

PrintAccountPDEPlugInmtk::PrintAccountPDEPlugInmtk(bool accounting, bool printType)
    : offerAccounting(accounting), offerPrintType(printType) {}

bool PrintAccountPDEPlugInmtk::initWithBundle(PluginBundle* bundle) {
    if (!gAccountBundle)
        gAccountBundle = bundle;
    return true;
}

PDEPanelList PrintAccountPDEPlugInmtk::PDEPanelsForType(const std::string& type,
                                                        PDEPlugInCallbackProtocol* hostInfo) {
    PDEPanelList panels;
    if (type != kPDEPrintDialogType || !hostInfo)
        return panels;
    ppd_file_t* ppd = hostInfo->ppdFile();
    if (!ppd)
        return panels;
    PanelResources resources;
    if (offerAccounting &&
        FindPanelResources(ppd, "KRVAccountingSettings", "KRPrintJBA_", "JBA_", resources)) {
        auto panel = std::make_unique<JBAPDEmtk>(hostInfo);
        panel->SetResourceNames(resources.nibName, resources.helpPage);
        panels.push_back(std::move(panel));
    }
    if (offerPrintType && FindPanelResources(ppd, "KRVPrintTypeSettings", "KRPrintType_",
                                             "SelectJobType_", resources)) {
        auto panel = std::make_unique<PrintTypePDEmtk>(hostInfo);
        panel->SetResourceNames(resources.nibName, resources.helpPage);
        if (const PTProductInfo* row = GetPTProductInfo(resources.productName))
            panel->SetProductType(row->productType);
        panels.push_back(std::move(panel));
    }
    return panels;
}

// The copy's entry function makes these by name; the first is the principal
// class the bundle names.
KESTRANE_PDE_ENTRY_CLASS(PrintAccountPDEPlugInmtk);
KESTRANE_PDE_ENTRY_CLASS(JBAPDEPlugIn);
KESTRANE_PDE_ENTRY_CLASS(PrintTypePDEPlugIn);

} // namespace KESTRANE_NS
