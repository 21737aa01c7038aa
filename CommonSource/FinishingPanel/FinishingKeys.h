// The PPD keywords, key lists and ticket keys of the finishing panel, and the
// rules over them that need no widgets: which PPD keys a product mode claims,
// which option a group counts, and how a group is cut into pages.
#pragma once

#include <string>
#include <vector>

namespace KESTRANE_NS {

// PPD main keywords (without the asterisk) and attributes the panel names.
inline constexpr const char* kKVTabMarginExKey = "KRTabMarginShiftEx";
inline constexpr const char* kKVTrimmerKey = "KRTrimming";
inline constexpr const char* KPPDIntSheet = "KRIntSheet";
inline constexpr const char* KPPDKVJog = "KRJog";
inline constexpr const char* KPPDNumberInSequence = "KRTabNumberInSequence";
inline constexpr const char* KPPDSignatureKey = "KRSignature";
inline constexpr const char* KPPDSigSizeKey = "KRSigSize";
inline constexpr const char* KPPDIntCoverSheet = "KRIntCoverSheet";
inline constexpr const char* KPPDIntBackCoverSheet = "KRIntBackCoverSheet";
inline constexpr const char* KPPDIntSheetMediaType = "KRIntSheetMediaType";
inline constexpr const char* kKVProductType = "KRVFeaturesSettings";
inline constexpr const char* kKVLayoutSettings = "KRVLayoutSettings";
inline constexpr const char* kKVPPDKeySupported = "PMPPDKeysSupported";
inline constexpr const char* kKVRegionalPaperKey = "KRRegionalPaperSetting";

inline constexpr const char* kPRODUCTMODE00 = "Default00";
inline constexpr const char* kPRODUCTMODE01 = "Default01";
inline constexpr const char* kPRODUCTMODE02 = "Default02";
inline constexpr const char* kPRODUCTMODE03 = "Default03";
inline constexpr const char* kPRODUCTMODEDISABLED = "Disabled";

inline constexpr const char* kFeaturesPanelKind = "com.kestrane.mtk.pde.PrintFeaturesKind";
// Section base name of the panel's part of the constraint cache file.
inline constexpr const char* kFeaturesCDFSection = "PrintFeaturePDE";
// Building found no option to show.
inline constexpr int kFeaturesNoOptionError = -9530;

// Ticket keys (the prefix is added by FeaturesTicketKey).
inline constexpr const char* kTicketPrefix = "com.kestrane.mtz.printsettings.";
inline constexpr const char* kPrintTypeReferenceKey =
    "com.kestrane.mtz.printsettings.PrintTypeReference";
inline constexpr const char* kSpecialPageCountKey =
    "com.kestrane.mtz.printsettings.SpecialPageRecordCountTicket";

using KeyList = std::vector<std::string>;

extern const KeyList KKVCoverSepGroupKeyArray;
extern const KeyList KKVLayoutGroupKeyArray;
extern const KeyList kKVMailboxConstrainArray;
extern const KeyList kKVMailboxConstrainandRestoreDefaultArray;
extern const KeyList kKVSpecialPageConstrainandRestoreDefaultArray;
// Keys that have an option window or switch of their own in the advanced
// features group, in the order they are shown.
extern const KeyList kKVAdvancedFeatureKeyArray;

// The PPD keys a product mode claims from the dialog; empty for any other
// mode (including "Disabled").
const KeyList& PPDKeysForProductMode(const std::string& mode);
bool IsKeyInList(const KeyList& list, const std::string& key);

// What the job type and the special pages do to a PPD option's control.
struct FeaturesJobRule {
    bool disable = false; // greyed out
    bool restore = false; // and held at the PPD default
};
FeaturesJobRule JobRuleForKey(const std::string& key, bool saveToMailbox, bool specialPages);

// Tag of the control bound to a PPD keyword: 7100 + its position in the
// "Default00" list; -1 for a keyword outside it.
int FeaturesTagForPPDKey(const std::string& key);

// Text before the first "-" of a resource-name value (all of it without one).
std::string ResourceModePart(const std::string& value);
// Text after the first "-" (empty without one).
std::string ResourceHelpPart(const std::string& value);

// An option is counted for a group when the plug-in supports it and the
// product mode does not exclude it.
bool IsOptionCounted(const std::string& keyword, const KeyList& supported, const KeyList& excluded);

// Page names of a group of `count` controls: a group that is the general
// group or holds more than six is numbered from " 1"; each page holds at
// most six controls.
inline constexpr int kMaxControlInPanel = 6;
std::vector<std::string> GroupPageNames(const std::string& name, int count, bool generalGroup);

// True for a kept job type of save-to-mailbox (decimal 5); anything
// unreadable counts as another job type.
bool IsMailboxJobTypeText(const std::string& text);
// A special-page count text above 0.
bool HasSpecialPagesText(const std::string& text);

} // namespace KESTRANE_NS
