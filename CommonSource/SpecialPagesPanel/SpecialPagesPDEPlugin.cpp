#include "SpecialPagesPDEPlugin.h"

#include "SpecialPagesPDEm14.h"

namespace KESTRANE_NS {

namespace {

std::unique_ptr<PDEPrintPanel> MakeSpecialPagesPanel(PDEPlugInCallbackProtocol* callback,
                                                     const char*) {
    return std::make_unique<SpecialPagesPDEm14>(callback);
}

const PDEPanelOffer kSpecialPagesOffer{"KRVSpecialPagesSettings",
                                       "KRSpecialPages_",
                                       "SpecialPagesMain_",
                                       "com.kestrane.mtk.pde.SpecialPagesKind",
                                       true,
                                       nullptr,
                                       0,
                                       MakeSpecialPagesPanel};

} // namespace

SpecialPagesPDEPluginm14::SpecialPagesPDEPluginm14() : PDEPlugInEntry({&kSpecialPagesOffer}) {}

KESTRANE_PDE_ENTRY_CLASS(SpecialPagesPDEPluginm14);

} // namespace KESTRANE_NS
