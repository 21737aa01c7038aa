#include "SpecialPageList.h"

#include <algorithm>

namespace KESTRANE_NS {

namespace {

// Whether `existing` must stand after the new insert `insert`.
bool FollowsInsert(const SpecialPageRecord& existing, const SpecialPageRecord& insert) {
    if (existing.IsBackCover())
        return true;
    return existing.Type() == kSPException && existing.FirstPage() > insert.FirstPage();
}

// Whether `existing` must stand after the new exception `exception`.
bool FollowsException(const SpecialPageRecord& existing, const SpecialPageRecord& exception) {
    if (existing.IsBackCover())
        return true;
    return existing.Type() == kSPInsert && !existing.IsBeforePageOneInsert() &&
           existing.FirstPage() >= exception.FirstPage();
}

template <typename Follows>
void MergeSorted(SpecialPageRecords& records, const SpecialPageRecords& batch, Follows follows) {
    std::size_t pos = 0;
    for (const SpecialPageRecord& record : batch) {
        while (pos < records.size() && !follows(records[pos], record))
            ++pos;
        records.insert(records.begin() + static_cast<std::ptrdiff_t>(pos), record);
        ++pos;
    }
}

bool IsMovableNeighbour(const SpecialPageRecord& a, const SpecialPageRecord& b) {
    return a.Type() == kSPInsert && b.Type() == kSPInsert &&
           a.Get("insertoption") == b.Get("insertoption") && a.Get("page") == b.Get("page");
}

} // namespace

void SortByFirstPage(SpecialPageRecords& records) {
    std::stable_sort(records.begin(), records.end(),
                     [](const SpecialPageRecord& a, const SpecialPageRecord& b) {
                         return a.FirstPage() < b.FirstPage();
                     });
}

const SpecialPageRecord* SpecialPageList::getRecordByIndex(int index) const {
    if (index < 0 || index >= allItemCount())
        return nullptr;
    return &records[static_cast<std::size_t>(index)];
}

SpecialPageRecords SpecialPageList::getArrayByType(int type) const {
    SpecialPageRecords out;
    for (const SpecialPageRecord& record : records)
        if (type == kSPAllTypes || record.Type() == type)
            out.push_back(record);
    return out;
}

int SpecialPageList::CountByType(int type) const {
    return static_cast<int>(std::count_if(records.begin(), records.end(),
                                          [type](const auto& r) { return r.Type() == type; }));
}

bool SpecialPageList::HasFrontCover() const {
    return std::any_of(records.begin(), records.end(),
                       [](const auto& r) { return r.IsFrontCover(); });
}

void SpecialPageList::deleteAllItemByType(int type) {
    std::erase_if(records, [type](const auto& r) { return r.Type() == type; });
}

void SpecialPageList::doDelectBeforePageOne() {
    std::erase_if(records, [](const auto& r) { return r.IsBeforePageOneInsert(); });
}

void SpecialPageList::updateRequest(int type, const SpecialPageRecords& batch) {
    if (type < kSPCover || type > kSPException)
        return;
    deleteAllItemByType(type);
    if (type == kSPCover)
        addCoverWndRecord(batch);
    else if (type == kSPInsert)
        addInsertWndRecord(batch);
    else
        addExceptionWndRecord(batch);
}

void SpecialPageList::addCoverWndRecord(const SpecialPageRecords& covers) {
    for (const SpecialPageRecord& cover : covers) {
        if (cover.IsFrontCover())
            records.insert(records.begin(), cover);
        else if (cover.IsBackCover())
            records.push_back(cover);
    }
}

void SpecialPageList::addInsertWndRecord(const SpecialPageRecords& inserts) {
    SpecialPageRecords batch = inserts;
    SortByFirstPage(batch);
    MergeSorted(records, batch, FollowsInsert);
}

void SpecialPageList::addExceptionWndRecord(const SpecialPageRecords& exceptions) {
    SpecialPageRecords batch = exceptions;
    SortByFirstPage(batch);
    MergeSorted(records, batch, FollowsException);
}

RowSet SpecialPageList::ExtendSelection(const RowSet& rows) const {
    RowSet out;
    for (int row : rows)
        if (row >= 0 && row < allItemCount())
            out.insert(row);
    if (out.empty())
        return out;
    const int last = allItemCount() - 1;
    if (records[static_cast<std::size_t>(*out.begin())].IsFrontCover() &&
        records.back().IsBackCover())
        out.insert(last);
    if (records[static_cast<std::size_t>(*out.rbegin())].IsBackCover() &&
        records.front().IsFrontCover())
        out.insert(0);
    return out;
}

bool SpecialPageList::CanEdit(const RowSet& rows) const {
    if (rows.empty())
        return false;
    const SpecialPageRecord* first = getRecordByIndex(*rows.begin());
    if (!first)
        return false;
    for (int row : rows) {
        const SpecialPageRecord* r = getRecordByIndex(row);
        if (!r || r->Type() != first->Type())
            return false;
    }
    return true;
}

bool SpecialPageList::CanMoveUp(const RowSet& rows) const {
    if (rows.empty())
        return false;
    for (int row : rows) {
        if (row <= 0 || row >= allItemCount())
            return false;
        if (!IsMovableNeighbour(records[static_cast<std::size_t>(row)],
                                records[static_cast<std::size_t>(row - 1)]))
            return false;
    }
    return true;
}

bool SpecialPageList::CanMoveDown(const RowSet& rows) const {
    if (rows.empty())
        return false;
    for (int row : rows) {
        if (row < 0 || row >= allItemCount() - 1)
            return false;
        if (!IsMovableNeighbour(records[static_cast<std::size_t>(row)],
                                records[static_cast<std::size_t>(row + 1)]))
            return false;
    }
    return true;
}

RowSet SpecialPageList::MoveUp(const RowSet& rows) {
    RowSet moved;
    if (!CanMoveUp(rows))
        return rows;
    for (int row : rows) {
        std::swap(records[static_cast<std::size_t>(row)],
                  records[static_cast<std::size_t>(row - 1)]);
        moved.insert(row - 1);
    }
    return moved;
}

RowSet SpecialPageList::MoveDown(const RowSet& rows) {
    RowSet moved;
    if (!CanMoveDown(rows))
        return rows;
    // From the bottom up, so that a run of selected rows moves as a block.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        std::swap(records[static_cast<std::size_t>(*it)],
                  records[static_cast<std::size_t>(*it + 1)]);
        moved.insert(*it + 1);
    }
    return moved;
}

void SpecialPageList::DeleteRows(const RowSet& rows) {
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const int row = *it;
        if (row < 0 || row >= allItemCount())
            continue;
        records.erase(records.begin() + row);
        if (records.empty())
            break;
        records[static_cast<std::size_t>(std::min(row, allItemCount() - 1))].SetSelected(true);
    }
}

RowSet SpecialPageList::MarkedRows() const {
    RowSet rows;
    for (int i = 0; i < allItemCount(); ++i)
        if (records[static_cast<std::size_t>(i)].IsSelected())
            rows.insert(i);
    return rows;
}

void SpecialPageList::MarkRows(const RowSet& rows) {
    for (int i = 0; i < allItemCount(); ++i)
        records[static_cast<std::size_t>(i)].SetSelected(rows.count(i) != 0);
}

std::vector<int> SpecialPageList::IndexesByType(const RowSet& rows, int type) const {
    std::vector<int> out;
    int index = 0;
    for (int i = 0; i < allItemCount(); ++i) {
        if (records[static_cast<std::size_t>(i)].Type() != type)
            continue;
        if (rows.count(i))
            out.push_back(index);
        ++index;
    }
    return out;
}

void SpecialPageUndo::Take(const SpecialPageList& list, const RowSet& rows) {
    copy = list.Records();
    selection = rows;
    enabled = true;
}

bool SpecialPageUndo::Restore(SpecialPageList& list, RowSet& rows) {
    if (!enabled)
        return false;
    list.Records() = copy;
    rows = selection;
    enabled = false;
    return true;
}

} // namespace KESTRANE_NS
