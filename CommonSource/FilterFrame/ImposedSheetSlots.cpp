#include "ImposedSheetSlots.h"

#include <cstring>

namespace {

// Indices 0..count-1 in the direction a layout letter pair names.
int Step(bool forward, int count, int k) {
    return forward ? k : count - 1 - k;
}

} // namespace

bool ImposedSheetFor(int numberUp, const char* layout, int orientation, ImposedSheet* sheet) {
    bool turned;
    switch (numberUp) {
    case 2:
        *sheet = ImposedSheet{1, 2, 0, {}};
        turned = true;
        break;
    case 6:
        *sheet = ImposedSheet{2, 3, 0, {}};
        turned = true;
        break;
    case 4:
    case 9:
    case 16: {
        const int side = numberUp == 4 ? 2 : numberUp == 9 ? 3 : 4;
        *sheet = ImposedSheet{side, side, 0, {}};
        turned = false;
        break;
    }
    default:
        return false;
    }
    // As pdftopdf lays pages out for portrait (3), landscape (4), reverse
    // landscape (5) and reverse portrait (6): the turn of each page in its
    // slot, and the turn of the frame in which the layout is read.
    static const int kPageTurn[2][4] = {{0, 180, 0, 180}, {90, 90, 270, 270}};
    static const int kReadingTurn[2][4] = {{0, 90, 270, 180}, {90, 0, 180, 270}};
    const int o = orientation >= 3 && orientation <= 6 ? orientation - 3 : 0;
    sheet->rotate = kPageTurn[turned][o];
    const int frame = kReadingTurn[turned][o];

    static const char* const kLayouts[] = {"lrtb", "lrbt", "rltb", "rlbt",
                                           "tblr", "tbrl", "btlr", "btrl"};
    const char* code = "lrtb";
    for (const char* known : kLayouts)
        if (layout && std::strcmp(layout, known) == 0)
            code = known;
    const bool acrossFirst = code[0] == 'l' || code[0] == 'r';
    const bool leftToRight = std::strchr(code, 'l') < std::strchr(code, 'r');
    const bool topToBottom = std::strchr(code, 't') < std::strchr(code, 'b');

    // The grid as the reader sees it, then turned onto the sheet.
    const bool sideways = frame == 90 || frame == 270;
    const int across = sideways ? sheet->rows : sheet->columns;
    const int down = sideways ? sheet->columns : sheet->rows;
    for (int outer = 0; outer < numberUp / (acrossFirst ? across : down); ++outer) {
        for (int inner = 0; inner < (acrossFirst ? across : down); ++inner) {
            const int i = Step(leftToRight, across, acrossFirst ? inner : outer);
            const int j = Step(topToBottom, down, acrossFirst ? outer : inner);
            const int x = i, y = down - 1 - j; // reader's column and row from the bottom
            ImposedSlot slot{x, y};
            if (frame == 90)
                slot = {sheet->columns - 1 - y, x};
            else if (frame == 180)
                slot = {sheet->columns - 1 - x, sheet->rows - 1 - y};
            else if (frame == 270)
                slot = {y, sheet->rows - 1 - x};
            sheet->order.push_back(slot);
        }
    }
    return true;
}
