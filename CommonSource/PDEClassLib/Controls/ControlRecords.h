// Static records that describe a control: access information, constraint
// table and the initial-data records of the standard controls. Panels keep
// them in static tables; controls keep a pointer (or a copy where they change
// a field at run time).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <cstddef>
#include <vector>

namespace KESTRANE_NS {

// Four-character value types carried in the access information.
constexpr uint32_t kControlValueTypeCFString = 0x63667374; // 'cfst'
constexpr uint32_t kControlValueTypePassword = 0x70776366; // 'pwcf'
constexpr uint32_t kControlValueTypeDate = 0x64617465;     // 'date'
constexpr uint32_t kControlValueTypeInteger = 0;

struct ControlDataAccessInfo {
    uint32_t ticketValueType = 0;
    uint32_t preferenceValueType = 0;
    const char* ticketKey = nullptr;     // null: the control writes no ticket
    const char* preferenceKey = nullptr; // null: the control keeps no preference
};

// Tags of the controls one list affects.
using ControlTagList = std::vector<int>;
// One list per value index; a missing element affects nothing.
using ControlConstrainSet = std::vector<ControlTagList>;

struct ControlConstrainTable {
    ControlConstrainSet disableLists;
    ControlConstrainSet hideLists;
    ControlConstrainSet updateLists;
    ControlConstrainSet fourthSet; // carried for the panels, not read here
};

// The list of a set for a value index, or null when the index has none.
const ControlTagList* GetConstrainList(const ControlConstrainSet& set, int valueIndex);

struct CheckBoxIniData {
    uint32_t firstField = 0;
    uint32_t defaultValue = 0;
    int32_t initialValue = 0;
    const char* titleKey = nullptr;
};

struct RadioButtonIniData {
    uint32_t firstField = 0;
    uint32_t defaultValue = 0;
    int32_t initialValue = 0;
    const char* titleKey = nullptr;
    const char* secondString = nullptr;
};

struct PopupIniData {
    uint32_t firstField = 0;
    uint32_t defaultValue = 0; // item index + 1
    int32_t initialValue = 0;
    const char* const* itemKeys = nullptr; // ended by a null entry
};

struct LittleArrayOlvarIniData {
    int32_t firstField = 0;
    int32_t defaultValue = 0;
    int32_t initialValue = 0;
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t sixthField = 0;
};

constexpr int kTextEditBlockSize = 256;

struct TextEditIniData {
    char initialText[kTextEditBlockSize] = {};
    char defaultText[kTextEditBlockSize] = {};
    uint32_t minimumWidth = 0;
    uint32_t maximumWidth = 0;
};

// Placement of a run-time PPD control inside its group box.
struct ControlPositionData {
    int32_t p0 = 0;
    int32_t p1 = 0;
    int32_t p2 = 0;
    int32_t p3 = 0;
};

// Vertical origin of the control with the given index and height: controls
// with higher indexes sit lower in a box whose origin is at its bottom.
int GetControlPositionY(const ControlPositionData& pos, int indexInPanel, int controlHeight);

} // namespace KESTRANE_NS
