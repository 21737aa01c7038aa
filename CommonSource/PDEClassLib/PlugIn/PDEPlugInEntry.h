// The entry object of a plug-in: which panels it offers and when. A panel is
// offered only to the print dialog, only when the PPD carries the plug-in's
// attribute, and only when the interface file and help page that the
// attribute's value names exist in the bundle.
#pragma once

#include "PDEPluginInterface.h"

#include <memory>
#include <string>
#include <vector>

namespace KESTRANE_NS {

class PDEPrintPanel;

// One (product number, product name) pair of a panel's product-type table.
struct PDEProductType {
    int productNumber;
    const char* productName;
};

// One row of a plug-in's entry table.
struct PDEPanelOffer {
    const char* ppdAttribute;    // "KRVWaterMarkSettings"
    const char* interfacePrefix; // prefix of the interface file, "KRWaterMark_"
    const char* helpPrefix;      // prefix of the help page, "WatermarkMain_"
    const char* panelKind;       // "com.kestrane.mtk.pde.WaterMarkKind"
    // The attribute's first two letters follow the PPD's manufacturer.
    bool adjustAttributeForType;
    const PDEProductType* productTypes;
    int productTypeCount;
    // initWithCallback: of the panel class.
    std::unique_ptr<PDEPrintPanel> (*makePanel)(PDEPlugInCallbackProtocol* callback,
                                                const char* kind);
};

// The interface file and help page that a resource-name value names.
struct PDEPanelResources {
    std::string productName;   // part 0
    std::string nibName;       // interface prefix + part 0
    std::string helpPage;      // help prefix + part 1 + ".htm"
    std::string interfacePath; // the ".ui" file in the bundle's resources
    std::string helpPath;      // the page in the bundle's "Help" folder
};

// Forms both names and looks them up; false when either is missing.
bool FindPanelResources(PluginBundle* bundle, const char* value, const PDEPanelOffer& offer,
                        PDEPanelResources& out);
// The product number whose name equals `productName`; -1 when none does.
int LookUpProductType(const PDEPanelOffer& offer, const std::string& productName);

// The plug-in's bundle, kept by the first initWithBundle:.
PluginBundle* GetPDEPlugInBundle();

class PDEPlugInEntry : public PDEPlugIn {
public:
    explicit PDEPlugInEntry(std::vector<const PDEPanelOffer*> offers);

    bool initWithBundle(PluginBundle* bundle) override;
    PDEPanelList PDEPanelsForType(const std::string& type,
                                  PDEPlugInCallbackProtocol* hostInfo) override;

protected:
    // Steps of one row: attribute, resources, panel, product type. Null when
    // the row offers nothing.
    virtual std::unique_ptr<PDEPrintPanel> OfferPanel(const PDEPanelOffer& offer, ppd_file_t* ppd,
                                                      PDEPlugInCallbackProtocol* hostInfo);
    // The row's attribute value in the PPD; empty optional when missing.
    virtual bool PanelAttributeValue(const PDEPanelOffer& offer, ppd_file_t* ppd,
                                     std::string& value);

    std::vector<const PDEPanelOffer*> m_offers;
};

// Entry classes of the plug-in copy, made by name for the exported entry
// function. The first registered class is the principal one.
using PDEEntryFactory = PDEPlugIn* (*)();
struct PDEEntryClassRegistration {
    PDEEntryClassRegistration(const char* className, PDEEntryFactory factory);
};
PDEPlugIn* CreatePDEEntryObject(const char* className);

} // namespace KESTRANE_NS

// Registers an entry class; put it in one source file of the plug-in.
#define KESTRANE_PDE_ENTRY_CLASS(Class)                                                            \
    static const KESTRANE_NS::PDEEntryClassRegistration kEntryClass##Class(                        \
        #Class, []() -> PDEPlugIn* { return new Class; })
