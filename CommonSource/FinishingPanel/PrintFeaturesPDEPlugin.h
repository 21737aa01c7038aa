// The entry object of the finishing plug-in: it offers the finishing panel
// for a PPD whose product mode is not "Disabled", when the bundle holds the
// panel's interface file and the help pages the panel opens.
#pragma once

#include "PDEPlugInEntry.h"

namespace KESTRANE_NS {

class PrintFeaturesPDEPluginmtk : public PDEPlugInEntry {
public:
    PrintFeaturesPDEPluginmtk();

protected:
    std::unique_ptr<PDEPrintPanel> OfferPanel(const PDEPanelOffer& offer, ppd_file_t* ppd,
                                              PDEPlugInCallbackProtocol* hostInfo) override;
};

// The names of the help pages the offer needs ("SpecifyPosition",
// "TabMarginShift", and "Margins_<help part>" of the layout attribute).
std::vector<std::string> FeaturesRequiredHelpPages(const char* layoutValue);

} // namespace KESTRANE_NS
