#include "ControlRecords.h"

namespace KESTRANE_NS {

const ControlTagList* GetConstrainList(const ControlConstrainSet& set, int valueIndex) {
    if (valueIndex < 0 || static_cast<size_t>(valueIndex) >= set.size())
        return nullptr;
    const ControlTagList& list = set[static_cast<size_t>(valueIndex)];
    return list.empty() ? nullptr : &list;
}

int GetControlPositionY(const ControlPositionData& pos, int indexInPanel, int controlHeight) {
    return (pos.p3 - indexInPanel) * (pos.p1 + controlHeight) + pos.p2;
}

} // namespace KESTRANE_NS
