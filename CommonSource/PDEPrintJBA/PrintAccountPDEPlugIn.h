// Entry objects of the job type and accounting plug-in: one offering both
// panels, and one for each panel alone.
#pragma once

#include "PDEPluginInterface.h"

namespace KESTRANE_NS {

class PrintAccountPDEPlugInmtk : public PDEPlugIn {
public:
    PrintAccountPDEPlugInmtk(bool offerAccounting = true, bool offerPrintType = true);
    bool initWithBundle(PluginBundle* bundle) override;
    PDEPanelList PDEPanelsForType(const std::string& type,
                                  PDEPlugInCallbackProtocol* hostInfo) override;

private:
    bool offerAccounting;
    bool offerPrintType;
};

class JBAPDEPlugIn : public PrintAccountPDEPlugInmtk {
public:
    JBAPDEPlugIn() : PrintAccountPDEPlugInmtk(true, false) {}
};

class PrintTypePDEPlugIn : public PrintAccountPDEPlugInmtk {
public:
    PrintTypePDEPlugIn() : PrintAccountPDEPlugInmtk(false, true) {}
};

} // namespace KESTRANE_NS
