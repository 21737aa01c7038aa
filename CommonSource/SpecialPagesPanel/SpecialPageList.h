// The ordered list of special-page records that the summary table shows: a
// front cover first, a back cover last, before-page-one inserts after the
// front cover, then inserts and exceptions by page (an exception starting at
// page M before an insert after page N when M <= N). The merges keep that
// order; the row commands (delete, up, down, undo) and their enabling rules
// work on row indexes.
#pragma once

#include "SpecialPageRecord.h"

#include <set>
#include <string>
#include <vector>

namespace KESTRANE_NS {

using RowSet = std::set<int>;

class SpecialPageList {
public:
    const SpecialPageRecords& Records() const { return records; }
    SpecialPageRecords& Records() { return records; }
    int allItemCount() const { return static_cast<int>(records.size()); }
    const SpecialPageRecord* getRecordByIndex(int index) const;

    // Records of one type in list order (kSPAllTypes: all).
    SpecialPageRecords getArrayByType(int type) const;
    int CountByType(int type) const;
    bool HasFrontCover() const;

    void deleteAllItemByType(int type);
    void deleteAllItem() { records.clear(); }
    // Removes every insert before page one (a front cover takes its place).
    void doDelectBeforePageOne();
    // Replaces all records of the type by the batch: covers go first/last,
    // inserts and exceptions (sorted by page) are merged in by page.
    void updateRequest(int type, const SpecialPageRecords& batch);
    void addCoverWndRecord(const SpecialPageRecords& covers);
    void addInsertWndRecord(const SpecialPageRecords& inserts);
    void addExceptionWndRecord(const SpecialPageRecords& exceptions);

    // A front cover and a back cover are selected together.
    RowSet ExtendSelection(const RowSet& rows) const;
    bool CanEdit(const RowSet& rows) const;
    bool CanDelete(const RowSet& rows) const { return !rows.empty(); }
    bool CanDeleteAll() const { return !records.empty(); }
    bool CanMoveUp(const RowSet& rows) const;
    bool CanMoveDown(const RowSet& rows) const;
    // Both answer the rows the moved records now stand at.
    RowSet MoveUp(const RowSet& rows);
    RowSet MoveDown(const RowSet& rows);
    // Removes the rows; the record that takes a removed row's place (or the
    // new last one) is marked selected.
    void DeleteRows(const RowSet& rows);
    // Rows whose record is marked selected.
    RowSet MarkedRows() const;
    void MarkRows(const RowSet& rows);

    // Selected rows as indexes among the records of one type.
    std::vector<int> IndexesByType(const RowSet& rows, int type) const;

private:
    SpecialPageRecords records;
};

// One level of undo: the whole list and the rows selected before a change.
class SpecialPageUndo {
public:
    void Take(const SpecialPageList& list, const RowSet& rows);
    bool IsEnabled() const { return enabled; }
    // Puts the copy back and disables itself; false when there is none.
    bool Restore(SpecialPageList& list, RowSet& rows);

private:
    SpecialPageRecords copy;
    RowSet selection;
    bool enabled = false;
};

// Inserts sorted by page; records after the same page keep their order.
void SortByFirstPage(SpecialPageRecords& records);

} // namespace KESTRANE_NS
