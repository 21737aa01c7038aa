#include "PageLayout.h"

#include "PrintSettings.h"

#include <algorithm>
#include <string>

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

// A direction's name in scripts and options, and its CUPS number-up layout.
// Anything else reads as the first.
struct DirectionNames {
    LayoutDirection code;
    const char* name;
    const char* numberUp;
};
constexpr DirectionNames kDirectionNames[] = {
    {kLayoutLeftRightTopBottom, "z", "lrtb"},
    {kLayoutRightLeftTopBottom, "reverse-z", "rltb"},
    {kLayoutTopBottomLeftRight, "n", "tblr"},
    {kLayoutTopBottomRightLeft, "reverse-n", "tbrl"},
};

const DirectionNames& NamesFor(LayoutDirection direction) {
    for (const DirectionNames& d : kDirectionNames)
        if (d.code == direction)
            return d;
    return kDirectionNames[0];
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
    for (const DirectionNames& d : kDirectionNames)
        if (text == d.name || text == std::to_string(static_cast<int>(d.code)))
            return d.code;
    return std::nullopt;
}

const char* LayoutDirectionName(LayoutDirection direction) {
    return NamesFor(direction).name;
}

const char* NumberUpLayoutValue(LayoutDirection direction) {
    return NamesFor(direction).numberUp;
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
