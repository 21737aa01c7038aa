// The watermark plug-in's entry: one panel, offered for a PPD with
// "KRVWaterMarkSettings" whose interface file and help page exist.
#include "LayoutPDEmtk.h"
#include "PDEPlugInEntry.h"

namespace KESTRANE_NS {

namespace {

std::unique_ptr<PDEPrintPanel> MakeLayoutPanel(PDEPlugInCallbackProtocol* callback, const char*) {
    return std::make_unique<LayoutPDEmtk>(callback);
}

// "Default00" prints text watermarks only; "Default01" pictures too.
const PDEProductType kWatermarkProducts[] = {{0, "Default00"}, {1, "Default01"}};

const PDEPanelOffer kWatermarkOffer{"KRVWaterMarkSettings",
                                    "KRWaterMark_",
                                    "WatermarkMain_",
                                    "com.kestrane.mtk.pde.WaterMarkKind",
                                    false,
                                    kWatermarkProducts,
                                    2,
                                    MakeLayoutPanel};

} // namespace

class LayoutPlugInmtk : public PDEPlugInEntry {
public:
    LayoutPlugInmtk() : PDEPlugInEntry({&kWatermarkOffer}) {}
};

KESTRANE_PDE_ENTRY_CLASS(LayoutPlugInmtk);

} // namespace KESTRANE_NS
