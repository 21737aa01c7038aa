// The paper of a special page as its paper selection list keeps it: size,
// colour and type as indexes into the PPD's choices (-1 no change), or the
// tray interposer, plus the custom size. The rules of the list's items that
// need no widgets live here.
#pragma once

#include "SpecialPageRecord.h"

#include <cups/ppd.h>

#include <string>
#include <utility>
#include <vector>

namespace KESTRANE_NS {

// Item groups of the paper menu's submenus; an item's tag is the group times
// 1000 plus 1 + the choice index (the group's "No Change" is the group * 1000).
enum PaperMenuGroup { kPaperSizeGroup = 2, kPaperColorGroup = 3, kPaperTypeGroup = 4 };

// Top-level items by position from 1.
enum PaperMenuItem {
    kPaperItemTitle = 0,
    kPaperItemNoChange = 1,
    kPaperItemSize = 2,
    kPaperItemColor = 3,
    kPaperItemType = 4,
    kPaperItemInterposer = 5,
    kPaperItemAdvanced = 6,
};

struct PaperChoice {
    std::string keyword;
    std::string text; // the PPD's translation text
};

// What the PPD offers, read once when the list is initialised.
struct PaperChoices {
    std::vector<PaperChoice> sizes, colors, types;
    int defaultSize = -1;
    int defaultColor = -1;
    int defaultType = -1; // "Stationary"
    int customSizeIndex = -1;
    int transparencyIndex = -1;
    int clearColorIndex = -1;
    std::vector<int> tabStockIndexes;
    bool interposerOffered = false;
    std::string colorOptionKeyword; // KRMediaColor after the prefix fix
};

PaperChoices ReadPaperChoices(ppd_file_t* ppd);

// The output options choices whose finisher has a post-process inserter.
bool IsInterposerFinisher(const std::string& outputOptionChoice);

struct PaperSelection {
    int selectedSizeIndex = -1;
    int selectedColorIndex = -1;
    int selectedTypeIndex = -1;
    bool interposerValue = false;
    std::string customPageWidth = kSPDefaultWidth;
    std::string customPageLength = kSPDefaultLength;
    int customPageSizeLongMeasure = 0;

    static PaperSelection Defaults(const PaperChoices& choices);
    void setDefaultCustomValue();
    // The record fields of the paper (pagesize ... longmeasure).
    void ToRecord(SpecialPageRecord& record) const;
    static PaperSelection FromRecord(const SpecialPageRecord& record);
    bool operator==(const PaperSelection&) const = default;
};

enum class PaperChoiceEffect { None, OpenAdvanced, OpenCustomSize };

// A top-level item (1 No Change, 5 interposer, 6 advanced) or a submenu tag.
// Changes the selection and says which window the choice opens.
PaperChoiceEffect ChoosePaperItem(PaperSelection& s, const PaperChoices& choices, int item);
// Choosing the "Transparency" type takes the "Clear" colour along.
void ApplyTransparencyRule(PaperSelection& s, const PaperChoices& choices);

// Which items of the paper menu show. "No Change" items show when the records
// being edited differ, and also whenever they are the current value, as does
// the first type item (hidden otherwise): a list never starts on a hidden item.
struct PaperMenuVisibility {
    bool noChange = false;      // top level
    bool groupNoChange[3] = {}; // size, colour, type submenus
    bool firstType = false;
    bool interposer = false;
};
PaperMenuVisibility GetPaperMenuVisibility(const PaperSelection& s, const PaperChoices& choices,
                                           bool recordsDiffer);

using PPDChoicePair = std::pair<std::string, std::string>; // option, choice

// The Duplex choices a window's sides setting stands for: exceptions 1 "None",
// 2 (long edge) "DuplexTumble", 3 (short edge) "DuplexNoTumble", 0 none;
// covers printing 0 and 1 "None", 2 and 3 both duplex choices.
std::vector<PPDChoicePair> DuplexChoicesForSides(int windowType, int setting);

// The choices a candidate is tested against: the other chosen paper options,
// the marked regional paper setting and the extra (duplex) choices.
std::vector<PPDChoicePair> PaperConstraintContext(ppd_file_t* ppd, const PaperChoices& choices,
                                                  const PaperSelection& s,
                                                  const std::vector<PPDChoicePair>& extra);

// True when a UIConstraints line of the PPD forbids the choice together with
// one of the others (a constraint without a choice stands for every choice
// but None, Off and False).
bool IsPaperChoiceConflicted(ppd_file_t* ppd, const PPDChoicePair& candidate,
                             const std::vector<PPDChoicePair>& others);

// The paper of an edited record: with every new value "no change" (and no
// interposer) the old paper stays; otherwise each new value that is not
// "no change" replaces the old one (a size with its custom values).
PaperSelection MergePaper(const PaperSelection& old, const PaperSelection& update);

// The common paper of several records: -1 where they differ (size, colour and
// type also when they differ in the interposer); the interposer only when all
// use it; custom values of the first record.
PaperSelection CommonPaper(const SpecialPageRecords& records, const PaperChoices& choices);

} // namespace KESTRANE_NS
