#include "PrintAccountPDEPlugIn.h"

#include "JBAPDEmtk.h"
#include "PrintTypePDEmtk.h"
#include "PrintTypeRules.h"

namespace KESTRANE_NS {

namespace {

std::unique_ptr<PDEPrintPanel> MakeJBAPanel(PDEPlugInCallbackProtocol* callback, const char*) {
    return std::make_unique<JBAPDEmtk>(callback);
}

std::unique_ptr<PDEPrintPanel> MakePrintTypePanel(PDEPlugInCallbackProtocol* callback,
                                                  const char*) {
    return std::make_unique<PrintTypePDEmtk>(callback);
}

// The job type panel's product types are the rows of its product table.
const PDEProductType kPrintTypeProducts[] = {
    {kPTProductInfo[0].productType, kPTProductInfo[0].name},
    {kPTProductInfo[1].productType, kPTProductInfo[1].name},
    {kPTProductInfo[2].productType, kPTProductInfo[2].name},
    {kPTProductInfo[3].productType, kPTProductInfo[3].name},
};

const PDEPanelOffer kAccountingOffer{"KRVAccountingSettings",
                                     "KRPrintJBA_",
                                     "JBA_",
                                     "com.kestrane.mtk.pde.AccountKind",
                                     false,
                                     nullptr,
                                     0,
                                     MakeJBAPanel};

const PDEPanelOffer kPrintTypeOffer{"KRVPrintTypeSettings",
                                    "KRPrintType_",
                                    "SelectJobType_",
                                    "com.kestrane.mtk.pde.PrintTypeKind",
                                    false,
                                    kPrintTypeProducts,
                                    static_cast<int>(std::size(kPrintTypeProducts)),
                                    MakePrintTypePanel};

} // namespace

PrintAccountPDEPlugInmtk::PrintAccountPDEPlugInmtk()
    : PDEPlugInEntry({&kAccountingOffer, &kPrintTypeOffer}) {}

JBAPDEPlugIn::JBAPDEPlugIn() : PDEPlugInEntry({&kAccountingOffer}) {}

PrintTypePDEPlugIn::PrintTypePDEPlugIn() : PDEPlugInEntry({&kPrintTypeOffer}) {}

// The copy's entry function makes these by name; the first is the principal
// class the bundle names.
KESTRANE_PDE_ENTRY_CLASS(PrintAccountPDEPlugInmtk);
KESTRANE_PDE_ENTRY_CLASS(JBAPDEPlugIn);
KESTRANE_PDE_ENTRY_CLASS(PrintTypePDEPlugIn);

} // namespace KESTRANE_NS
