#include "PaperSelection.h"

#include "XPPD.h"

#include <algorithm>
#include <cstring>

// The PPD is read through libcups' PPD interface.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

namespace {

std::vector<PaperChoice> ChoicesOf(ppd_file_t* ppd, const char* keyword, int& defaultIndex) {
    std::vector<PaperChoice> out;
    defaultIndex = -1;
    ppd_option_t* option = ppd && *keyword ? ppdFindOption(ppd, keyword) : nullptr;
    if (!option)
        return out;
    for (int i = 0; i < option->num_choices; ++i) {
        PaperChoice c{option->choices[i].choice, option->choices[i].text};
        if (c.text.empty())
            c.text = c.keyword;
        out.push_back(std::move(c));
        if (std::strcmp(option->choices[i].choice, option->defchoice) == 0)
            defaultIndex = i;
    }
    return out;
}

int IndexOf(const std::vector<PaperChoice>& choices, const char* keyword) {
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].keyword == keyword)
            return static_cast<int>(i);
    return -1;
}

bool InRange(int index, const std::vector<PaperChoice>& choices) {
    return index >= -1 && index < static_cast<int>(choices.size());
}

} // namespace

bool IsInterposerFinisher(const std::string& choice) {
    static const char* const kFinishers[] = {
        "FinisherTypeD3Holes",       "FinisherTypeD3HolesCZ",   "FinisherTypeD2and3Holes",
        "FinisherTypeD2and3HolesCZ", "FinisherTypeD2and4Holes", "FinisherTypeD2and4HolesCZ"};
    return std::any_of(std::begin(kFinishers), std::end(kFinishers),
                       [&](const char* f) { return choice == f; });
}

PaperChoices ReadPaperChoices(ppd_file_t* ppd) {
    PaperChoices c;
    if (!ppd)
        return c;
    char colorKey[PPD_MAX_NAME] = {};
    FixPPDKeywordAccordingToType(ppd, "KRMediaColor", colorKey, sizeof colorKey);
    c.colorOptionKeyword = colorKey;
    int ignored = -1;
    c.sizes = ChoicesOf(ppd, "PageSize", c.defaultSize);
    c.colors = ChoicesOf(ppd, colorKey, c.defaultColor);
    c.types = ChoicesOf(ppd, "MediaType", ignored);
    c.defaultType = IndexOf(c.types, "Stationary");
    for (int i = static_cast<int>(c.sizes.size()) - 1; i >= 0; --i)
        if (c.sizes[static_cast<std::size_t>(i)].keyword == "Custom") {
            c.customSizeIndex = i;
            break;
        }
    for (std::size_t i = 0; i < c.types.size(); ++i)
        if (c.types[i].keyword.rfind("TabbedPaper", 0) == 0)
            c.tabStockIndexes.push_back(static_cast<int>(i));
    c.transparencyIndex = IndexOf(c.types, "Transparency");
    c.clearColorIndex = IndexOf(c.colors, "Clear");
    char outputKey[PPD_MAX_NAME] = {};
    FixPPDKeywordAccordingToType(ppd, "KROutputOptions", outputKey, sizeof outputKey);
    if (ppd_choice_t* marked = ppdFindMarkedChoice(ppd, outputKey))
        c.interposerOffered = IsInterposerFinisher(marked->choice);
    return c;
}

PaperSelection PaperSelection::Defaults(const PaperChoices& choices) {
    PaperSelection s;
    s.selectedSizeIndex = choices.defaultSize;
    s.selectedColorIndex = choices.defaultColor;
    s.selectedTypeIndex = choices.defaultType;
    return s;
}

void PaperSelection::setDefaultCustomValue() {
    customPageWidth = kSPDefaultWidth;
    customPageLength = kSPDefaultLength;
    customPageSizeLongMeasure = 0;
}

void PaperSelection::ToRecord(SpecialPageRecord& r) const {
    r.Set("pagesize", std::to_string(selectedSizeIndex));
    r.Set("pagecolor", std::to_string(selectedColorIndex));
    r.Set("pagetype", std::to_string(selectedTypeIndex));
    r.Set("interposer", interposerValue ? "true" : "false");
    r.Set("width", customPageWidth);
    r.Set("length", customPageLength);
    r.Set("longmeasure", std::to_string(customPageSizeLongMeasure));
}

PaperSelection PaperSelection::FromRecord(const SpecialPageRecord& r) {
    PaperSelection s;
    s.selectedSizeIndex = r.IntField("pagesize");
    s.selectedColorIndex = r.IntField("pagecolor");
    s.selectedTypeIndex = r.IntField("pagetype");
    s.interposerValue = r.Get("interposer") == "true";
    if (IsMillimetreText(r.Get("width")))
        s.customPageWidth = r.Get("width");
    if (IsMillimetreText(r.Get("length")))
        s.customPageLength = r.Get("length");
    s.customPageSizeLongMeasure = r.Get("longmeasure") == "1" ? 1 : 0;
    return s;
}

void ApplyTransparencyRule(PaperSelection& s, const PaperChoices& choices) {
    if (choices.transparencyIndex >= 0 && choices.clearColorIndex >= 0 &&
        s.selectedTypeIndex == choices.transparencyIndex)
        s.selectedColorIndex = choices.clearColorIndex;
}

PaperChoiceEffect ChoosePaperItem(PaperSelection& s, const PaperChoices& choices, int item) {
    if (item == kPaperItemNoChange) {
        s.interposerValue = false;
        s.selectedSizeIndex = s.selectedColorIndex = s.selectedTypeIndex = -1;
        return PaperChoiceEffect::None;
    }
    if (item == kPaperItemInterposer) {
        s.interposerValue = true;
        s.selectedSizeIndex = choices.defaultSize;
        s.selectedColorIndex = choices.defaultColor;
        s.selectedTypeIndex = choices.defaultType;
        return PaperChoiceEffect::None;
    }
    if (item == kPaperItemAdvanced)
        return PaperChoiceEffect::OpenAdvanced;
    const int group = item / 1000;
    const int index = item - group * 1000 - 1;
    PaperChoiceEffect effect = PaperChoiceEffect::None;
    switch (group) {
    case kPaperSizeGroup:
        if (!InRange(index, choices.sizes))
            return effect;
        s.selectedSizeIndex = index;
        if (index >= 0 && index == choices.customSizeIndex)
            effect = PaperChoiceEffect::OpenCustomSize;
        break;
    case kPaperColorGroup:
        if (!InRange(index, choices.colors))
            return effect;
        s.selectedColorIndex = index;
        break;
    case kPaperTypeGroup:
        if (!InRange(index, choices.types))
            return effect;
        s.selectedTypeIndex = index;
        break;
    default:
        return effect;
    }
    s.interposerValue = false;
    ApplyTransparencyRule(s, choices);
    return effect;
}

PaperMenuVisibility GetPaperMenuVisibility(const PaperSelection& s, const PaperChoices& choices,
                                           bool recordsDiffer) {
    PaperMenuVisibility v;
    const int indexes[3] = {s.selectedSizeIndex, s.selectedColorIndex, s.selectedTypeIndex};
    bool allNoChange = !s.interposerValue;
    for (int g = 0; g < 3; ++g) {
        v.groupNoChange[g] = recordsDiffer || indexes[g] == -1;
        allNoChange = allNoChange && indexes[g] == -1;
    }
    v.noChange = recordsDiffer || allNoChange;
    v.firstType = s.selectedTypeIndex == 0;
    v.interposer = choices.interposerOffered;
    return v;
}

std::vector<PPDChoicePair> DuplexChoicesForSides(int windowType, int setting) {
    if (windowType == kSPException) {
        static const char* const kSides[4] = {nullptr, "None", "DuplexTumble", "DuplexNoTumble"};
        if (setting >= 1 && setting <= 3)
            return {{"Duplex", kSides[setting]}};
        return {};
    }
    if (windowType == kSPCover) {
        if (setting == 0 || setting == 1)
            return {{"Duplex", "None"}};
        if (setting == 2 || setting == 3)
            return {{"Duplex", "DuplexTumble"}, {"Duplex", "DuplexNoTumble"}};
    }
    return {};
}

std::vector<PPDChoicePair> PaperConstraintContext(ppd_file_t* ppd, const PaperChoices& choices,
                                                  const PaperSelection& s,
                                                  const std::vector<PPDChoicePair>& extra) {
    std::vector<PPDChoicePair> out = extra;
    const std::pair<const char*, const PaperChoice*> chosen[3] = {
        {"PageSize", InRange(s.selectedSizeIndex, choices.sizes) && s.selectedSizeIndex >= 0
                         ? &choices.sizes[static_cast<std::size_t>(s.selectedSizeIndex)]
                         : nullptr},
        {choices.colorOptionKeyword.c_str(),
         InRange(s.selectedColorIndex, choices.colors) && s.selectedColorIndex >= 0
             ? &choices.colors[static_cast<std::size_t>(s.selectedColorIndex)]
             : nullptr},
        {"MediaType", InRange(s.selectedTypeIndex, choices.types) && s.selectedTypeIndex >= 0
                          ? &choices.types[static_cast<std::size_t>(s.selectedTypeIndex)]
                          : nullptr}};
    for (const auto& [option, choice] : chosen)
        if (choice && !s.interposerValue)
            out.emplace_back(option, choice->keyword);
    if (ppd_choice_t* regional = ppd ? ppdFindMarkedChoice(ppd, "KRRegionalPaperSetting") : nullptr)
        out.emplace_back("KRRegionalPaperSetting", regional->choice);
    return out;
}

namespace {

bool ConstraintMatches(const char* option, const char* choice, const PPDChoicePair& value) {
    if (value.first != option)
        return false;
    if (choice && *choice)
        return value.second == choice;
    return value.second != "None" && value.second != "Off" && value.second != "False";
}

} // namespace

bool IsPaperChoiceConflicted(ppd_file_t* ppd, const PPDChoicePair& candidate,
                             const std::vector<PPDChoicePair>& others) {
    if (!ppd)
        return false;
    for (int i = 0; i < ppd->num_consts; ++i) {
        const ppd_const_t& c = ppd->consts[i];
        for (int side = 0; side < 2; ++side) {
            const char* option = side ? c.option2 : c.option1;
            const char* choice = side ? c.choice2 : c.choice1;
            const char* otherOption = side ? c.option1 : c.option2;
            const char* otherChoice = side ? c.choice1 : c.choice2;
            if (!ConstraintMatches(option, choice, candidate))
                continue;
            for (const PPDChoicePair& other : others)
                if (ConstraintMatches(otherOption, otherChoice, other))
                    return true;
        }
    }
    return false;
}

PaperSelection MergePaper(const PaperSelection& old, const PaperSelection& update) {
    PaperSelection out = old;
    if (update.selectedSizeIndex == -1 && update.selectedColorIndex == -1 &&
        update.selectedTypeIndex == -1 && !update.interposerValue)
        return out;
    if (update.selectedSizeIndex != -1) {
        out.selectedSizeIndex = update.selectedSizeIndex;
        out.customPageWidth = update.customPageWidth;
        out.customPageLength = update.customPageLength;
        out.customPageSizeLongMeasure = update.customPageSizeLongMeasure;
    }
    if (update.selectedColorIndex != -1)
        out.selectedColorIndex = update.selectedColorIndex;
    if (update.selectedTypeIndex != -1)
        out.selectedTypeIndex = update.selectedTypeIndex;
    out.interposerValue = update.interposerValue;
    return out;
}

PaperSelection CommonPaper(const SpecialPageRecords& records, const PaperChoices& choices) {
    if (records.empty())
        return PaperSelection::Defaults(choices);
    PaperSelection common = PaperSelection::FromRecord(records.front());
    bool interposerDiffers = false;
    for (const SpecialPageRecord& r : records) {
        const PaperSelection s = PaperSelection::FromRecord(r);
        if (s.selectedSizeIndex != common.selectedSizeIndex)
            common.selectedSizeIndex = -1;
        if (s.selectedColorIndex != common.selectedColorIndex)
            common.selectedColorIndex = -1;
        if (s.selectedTypeIndex != common.selectedTypeIndex)
            common.selectedTypeIndex = -1;
        if (s.interposerValue != common.interposerValue)
            interposerDiffers = true;
    }
    if (interposerDiffers) {
        common.selectedSizeIndex = common.selectedColorIndex = common.selectedTypeIndex = -1;
        common.interposerValue = false;
    }
    return common;
}

} // namespace KESTRANE_NS
