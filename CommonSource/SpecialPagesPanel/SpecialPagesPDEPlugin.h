// The special pages plug-in's entry: offers the panel when the PPD names
// KRVSpecialPagesSettings (maker prefix adjusted) and the bundle has the
// interface file and help page the value names.
#pragma once

#include "PDEPlugInEntry.h"

namespace KESTRANE_NS {

class SpecialPagesPDEPluginm14 : public PDEPlugInEntry {
public:
    SpecialPagesPDEPluginm14();
};

} // namespace KESTRANE_NS
