// The dialog's own layout section: pages per sheet and the order in which the
// pages fill a sheet. It writes "number-up" and the three layout keys into the
// print settings, under the names the filter reads them by.
#pragma once

#include <optional>
#include <string>

class PrintSettings;

inline constexpr const char* kNumberUpKey = "number-up";
inline constexpr const char* kLayoutDirectionKey =
    "com.apple.print.PrintSettings.PMLayoutDirection..n.";
inline constexpr const char* kLayoutRowsKey = "com.apple.print.PrintSettings.PMLayoutRows..n.";
inline constexpr const char* kLayoutColumnsKey =
    "com.apple.print.PrintSettings.PMLayoutColumns..n.";

// Direction codes as the filter's geometry reads them.
enum LayoutDirection {
    kLayoutLeftRightTopBottom = 1, // Z
    kLayoutRightLeftTopBottom = 3, // mirrored Z
    kLayoutTopBottomLeftRight = 5, // N
    kLayoutTopBottomRightLeft = 6, // mirrored N
};

struct PageLayout {
    int pagesPerSheet = 1;
    LayoutDirection direction = kLayoutLeftRightTopBottom;
    bool landscape = false; // the page format's orientation is landscape
    int Rows() const;
    int Columns() const;
};

// Pages per sheet the dialog offers.
inline constexpr int kPagesPerSheetChoices[] = {1, 2, 4, 6, 9, 16};
bool IsPagesPerSheetChoice(int n);

// "z", "reverse-z", "n", "reverse-n" or the code as a number.
std::optional<LayoutDirection> ParseLayoutDirection(const std::string& text);
const char* LayoutDirectionName(LayoutDirection direction);
// The CUPS "number-up-layout" value that lays the pages out the same way.
const char* NumberUpLayoutValue(LayoutDirection direction);

// Writes "number-up" and the three layout keys as text; false when a key is
// locked against the change.
bool WritePageLayout(const PageLayout& layout, PrintSettings& settings);
