// Entry objects of the job type and accounting plug-in: one offering both
// panels, and one for each panel alone.
#pragma once

#include "PDEPlugInEntry.h"

namespace KESTRANE_NS {

class PrintAccountPDEPlugInmtk : public PDEPlugInEntry {
public:
    PrintAccountPDEPlugInmtk();
};

class JBAPDEPlugIn : public PDEPlugInEntry {
public:
    JBAPDEPlugIn();
};

class PrintTypePDEPlugIn : public PDEPlugInEntry {
public:
    PrintTypePDEPlugIn();
};

} // namespace KESTRANE_NS
