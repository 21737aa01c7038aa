#include "PageLayout.h"

#include "PrintSettings.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Sheet grid of a portrait sheet: columns x rows. Two and six pages are laid
// on their side, so they sit next to each other.
struct Grid {
    int n, columns, rows;
};
constexpr Grid kGrids[] = {{1, 1, 1}, {2, 2, 1}, {4, 2, 2}, {6, 3, 2}, {9, 3, 3}, {16, 4, 4}};

const Grid& GridFor(int n) {
    for (const Grid& g : kGrids)
        if (g.n == n)
            return g;
    return kGrids[0];
}

} // namespace

int PageLayout::Rows() const {
    const Grid& g = GridFor(pagesPerSheet);
    return landscape ? g.columns : g.rows;
}

int PageLayout::Columns() const {
    const Grid& g = GridFor(pagesPerSheet);
    return landscape ? g.rows : g.columns;
}

bool IsPagesPerSheetChoice(int n) {
    return std::find(std::begin(kPagesPerSheetChoices), std::end(kPagesPerSheetChoices), n) !=
           std::end(kPagesPerSheetChoices);
}

std::optional<LayoutDirection> ParseLayoutDirection(const std::string& text) {
    if (text == "z" || text == "1")
        return kLayoutLeftRightTopBottom;
    if (text == "reverse-z" || text == "3")
        return kLayoutRightLeftTopBottom;
    if (text == "n" || text == "5")
        return kLayoutTopBottomLeftRight;
    if (text == "reverse-n" || text == "6")
        return kLayoutTopBottomRightLeft;
    return std::nullopt;
}

const char* LayoutDirectionName(LayoutDirection direction) {
    switch (direction) {
    case kLayoutRightLeftTopBottom:
        return "reverse-z";
    case kLayoutTopBottomLeftRight:
        return "n";
    case kLayoutTopBottomRightLeft:
        return "reverse-n";
    default:
        return "z";
    }
}

const char* NumberUpLayoutValue(LayoutDirection direction) {
    switch (direction) {
    case kLayoutRightLeftTopBottom:
        return "rltb";
    case kLayoutTopBottomLeftRight:
        return "tblr";
    case kLayoutTopBottomRightLeft:
        return "tbrl";
    default:
        return "lrtb";
    }
}

bool WritePageLayout(const PageLayout& layout, PrintSettings& settings) {
    const int n = IsPagesPerSheetChoice(layout.pagesPerSheet) ? layout.pagesPerSheet : 1;
    PageLayout effective = layout;
    effective.pagesPerSheet = n;
    bool ok = settings.SetText(kNumberUpKey, std::to_string(n)) == 0;
    ok = settings.SetText(kLayoutDirectionKey,
                          std::to_string(static_cast<int>(layout.direction))) == 0 &&
         ok;
    ok = settings.SetText(kLayoutRowsKey, std::to_string(effective.Rows())) == 0 && ok;
    ok = settings.SetText(kLayoutColumnsKey, std::to_string(effective.Columns())) == 0 && ok;
    return ok;
}
