// The help viewer: bundles register their help book; pages open through the
// platform services.
#pragma once

#include "PlatformExport.h"

#include <string>

class PluginBundle;

// Registers the bundle's help book: its name is the information dictionary's
// "CFBundleHelpBookName" (else the bundle identifier), its pages live in
// "CFBundleHelpBookFolder" (else "Help"). 0, or kStatusFileNotFound when the
// bundle is null or has no help folder.
KESTRANE_PLATFORM_EXPORT int HelpRegisterBook(const PluginBundle* bundle);

// Opens a page (relative to the book's folder) at an anchor (may be empty).
// kStatusFileNotFound when the book is not registered or the page is
// missing; otherwise the status of the services' OpenHelpPage.
KESTRANE_PLATFORM_EXPORT int HelpGotoPage(const std::string& bookName, const std::string& pagePath,
                                          const std::string& anchor);

// Forgets every registered book (for tests).
KESTRANE_PLATFORM_EXPORT void HelpUnregisterAll();
