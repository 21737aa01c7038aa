#include "FinishingKeys.h"

#include "FinishingUnits.h"

#include <algorithm>

namespace KESTRANE_NS {

const KeyList KKVCoverSepGroupKeyArray = {"KRIntCoverSheet", "KRIntBackCoverSheet", "KRIntSheet",
                                          "KRIntSheetMediaType"};
const KeyList KKVLayoutGroupKeyArray = {"KRSignature", "KRSigDrawOutline", "KRSigSize", "KRSigVol"};
const KeyList kKVMailboxConstrainArray = {"KRMixSizePrint",      "KRMSILeadingEdge",
                                          "KRSubPaperSelection", "Jog",
                                          "KRSlipSheetPrint",    "KRSlipSheetMediaType",
                                          "KRIntTabbedPaper",    "Smoothing",
                                          "KRMediaColor",        "KRJog"};
const KeyList kKVMailboxConstrainandRestoreDefaultArray = {
    "MediaType",        "OutputBin",
    "KRSignature",      "KRSigSize",
    "KRSigVol",         "KRSigDrawOutline",
    "KRTabMarginShift", "KRTabMarginShiftEx",
    "KRStaple",         "KRPunch",
    "KRNumPunchHoles",  "KRSlipSheet",
    "KRIntCoverSheet",  "KRIntBackCoverSheet",
    "KRIntSheet",       "KRIntSheetMediaType",
    "KRTwoRepeatPrint", "KRUncollateSeparator",
    "KROutputMode"};
const KeyList kKVSpecialPageConstrainandRestoreDefaultArray = {
    "KRSignature",      "KRSigSize",
    "KRSigVol",         "KRSigDrawOutline",
    "KRSlipSheet",      "KRSlipSheetMediaType",
    "KRSlipSheetPrint", "KRSaveBlankSheet",
    "KRTwoRepeatPrint", "KRJog"};
const KeyList kKVAdvancedFeatureKeyArray = {"KRTabMarginShiftEx", "KRTabNumberInSequence", "KRJog",
                                            "KRTrimming"};

namespace {

// The run of keys every product mode ends with.
const KeyList kCommonRun = {"OutputBin",
                            "KRGrayBalance",
                            "KRHalftone",
                            "Smoothing",
                            "KRTonerSaver",
                            "KRSaveBlankSheet",
                            "KRSlipSheet",
                            "KRSlipSheetMediaType",
                            "KRSlipSheetPrint",
                            "KRStaple",
                            "KRPunch",
                            "KRNumPunchHoles",
                            "KRIntCoverSheet",
                            "KRIntCoverSheetPrint",
                            "KRIntBackCoverSheet",
                            "KRIntSheetMediaType",
                            "KRFold",
                            "KRIntTabbedPaper",
                            "Jog",
                            "KRCustomPageSizeCorrection",
                            "KRMSILeadingEdge",
                            "KRSubPaperSelection",
                            "KRTwoRepeatPrint",
                            "KRMixSizePrint",
                            "KRTabMarginShift",
                            "KRTabMarginShiftEx",
                            "KRTrimming",
                            "KRMTF",
                            "KRFType",
                            "KRIntSheet",
                            "KRMediaColor",
                            "KRInvalidateColorProfile",
                            "KRUncollateSeparator",
                            "KRForcedMediaType",
                            "KRTabNumberInSequence",
                            "KRJog",
                            "KRSquareFold",
                            "KRIgnoreTimeout"};

KeyList WithCommonRun(KeyList head) {
    head.insert(head.end(), kCommonRun.begin(), kCommonRun.end());
    return head;
}

const KeyList ppdKeyArrayByMode00 =
    WithCommonRun({"KRSignature", "KRSigDrawOutline", "KRSigSize", "KRSigVol", "KRSharpness",
                   "KRMonochromePriority", "MediaType"});
const KeyList ppdKeyArrayByMode01 = WithCommonRun(
    {"KROutputMode", "KRSignature", "KRSigDrawOutline", "KRSigSize", "KRSigVol", "MediaType"});
const KeyList ppdKeyArrayByMode02 = WithCommonRun({"MediaType"});
const KeyList ppdKeyArrayByMode03 = WithCommonRun({"KROutputMode", "MediaType"});

struct ProductModePPDKeyInfo {
    const char* mode;
    const KeyList* keys;
};
const ProductModePPDKeyInfo productModePPDKeyInfo[] = {
    {kPRODUCTMODE00, &ppdKeyArrayByMode00},
    {kPRODUCTMODE01, &ppdKeyArrayByMode01},
    {kPRODUCTMODE02, &ppdKeyArrayByMode02},
    {kPRODUCTMODE03, &ppdKeyArrayByMode03},
};

} // namespace

const KeyList& PPDKeysForProductMode(const std::string& mode) {
    static const KeyList none;
    for (const ProductModePPDKeyInfo& info : productModePPDKeyInfo)
        if (mode == info.mode)
            return *info.keys;
    return none;
}

bool IsKeyInList(const KeyList& list, const std::string& key) {
    return std::find(list.begin(), list.end(), key) != list.end();
}

FeaturesJobRule JobRuleForKey(const std::string& key, bool saveToMailbox, bool specialPages) {
    FeaturesJobRule rule;
    rule.restore =
        (saveToMailbox && IsKeyInList(kKVMailboxConstrainandRestoreDefaultArray, key)) ||
        (specialPages && IsKeyInList(kKVSpecialPageConstrainandRestoreDefaultArray, key));
    rule.disable = rule.restore || (saveToMailbox && IsKeyInList(kKVMailboxConstrainArray, key));
    return rule;
}

int FeaturesTagForPPDKey(const std::string& key) {
    auto it = std::find(ppdKeyArrayByMode00.begin(), ppdKeyArrayByMode00.end(), key);
    if (it == ppdKeyArrayByMode00.end())
        return -1;
    return 7100 + static_cast<int>(it - ppdKeyArrayByMode00.begin());
}

std::string ResourceModePart(const std::string& value) {
    return value.substr(0, value.find('-'));
}

std::string ResourceHelpPart(const std::string& value) {
    size_t dash = value.find('-');
    return dash == std::string::npos ? std::string() : value.substr(dash + 1);
}

bool IsOptionCounted(const std::string& keyword, const KeyList& supported,
                     const KeyList& excluded) {
    return IsKeyInList(supported, keyword) && !IsKeyInList(excluded, keyword);
}

std::vector<std::string> GroupPageNames(const std::string& name, int count, bool generalGroup) {
    std::vector<std::string> pages;
    if (count <= 0)
        return pages;
    const bool numbered = generalGroup || count > kMaxControlInPanel;
    const int pageCount = (count + kMaxControlInPanel - 1) / kMaxControlInPanel;
    for (int i = 1; i <= pageCount; ++i)
        pages.push_back(numbered ? name + " " + std::to_string(i) : name);
    return pages;
}

bool IsMailboxJobTypeText(const std::string& text) {
    auto value = ParseFieldNumber(text, 0);
    return value && *value == 5;
}

bool HasSpecialPagesText(const std::string& text) {
    auto value = ParseFieldNumber(text, 0);
    return value && *value > 0;
}

} // namespace KESTRANE_NS
