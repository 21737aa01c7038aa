// The plug-in's identity, the names of its resources, its help and the
// user checks behind administrator settings.
#pragma once

#include <memory>
#include <string>

class PluginBundle;

namespace KESTRANE_NS {

// The plug-in's client identifier ("com.kestrane.mtk.WaterMarkKind", ...).
const char* GetAppClientID();
// The plug-in's bundle identifier ("com.kestrane.mtk.pde.Watermark", ...).
const char* GetAppBundleID();
// The plug-in's bundle, found by its bundle identifier among the opened
// bundles; null when it has not been opened.
PluginBundle* GetAppBundleRef();

// A resource-name value "<interface part>-<help part>". Part 0: the text
// before the first "-"; part 1: the text after it. A value without "-" is
// all first part, with an empty second part. Null for a null value or a
// part other than 0 or 1.
std::unique_ptr<std::string> GetAppResourceName(const char* value, int part);

// Mode 0: prefixA + name; mode 1: prefixB + name; other modes: name alone.
// Null when an argument the mode needs is null.
std::unique_ptr<std::string> GetAppFullResourceName(const char* name, int mode, const char* prefixA,
                                                    const char* prefixB);

// Releases the string, if any, and leaves the reference null.
void ReleaseCFString(std::unique_ptr<std::string>* string);

// Registers the plug-in bundle's help book. -43 when the bundle or its help
// folder cannot be found; otherwise the help system's status.
int RegisterMyHelpBook();

// Opens the help page (and anchor, may be null) of the book whose name is
// the bundle's localised text for the key (default table, "no translation"
// when missing; key read as at most 255 bytes). -43 for a null bundle or
// key, -50 for a null page; otherwise the help system's status.
int GotoHelpPage(PluginBundle* bundle, const char* pagePath, const char* anchor,
                 const char* helpBookNameKey);

// Administrator check: the login name in the administrators' group.
bool IsUserAdmin();
// True when the group's id is the user's primary group or the user is a
// listed member; an unknown user writes "groups: no such user.\n" to
// standard error and gives false.
bool CheckUserGroups(const char* userName, const char* groupName);

} // namespace KESTRANE_NS
