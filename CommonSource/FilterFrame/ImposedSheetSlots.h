// Where pdftopdf puts the logical pages of an n-up PDF job on each sheet
// before Ghostscript and pstops pass it on as one page per sheet: a grid of
// slots, the pages turned in them by the job's orientation, filled in the
// order `number-up-layout` names as read by someone holding the sheet the
// way the pages stand.
#pragma once

#include <vector>

struct ImposedSlot {
    int column; // from the sheet's left
    int row;    // from the sheet's bottom
};

struct ImposedSheet {
    int columns = 1;
    int rows = 1;
    int rotate = 0;                 // degrees each page is turned (counter-clockwise) in its slot
    std::vector<ImposedSlot> order; // slot of the first, second, ... page
};

// The sheet for `numberUp` 2, 4, 6, 9 or 16 with the job's `number-up-layout`
// (lrtb when empty or unknown) and `orientation-requested` (3 to 6; others
// count as 3). False for any other number-up.
bool ImposedSheetFor(int numberUp, const char* layout, int orientation, ImposedSheet* sheet);
