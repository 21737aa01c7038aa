// The values behind the finishing option windows and the ticket keys they
// travel in. The windows edit one record; the panel writes it into the print
// settings and the per-printer preferences under the same keys, and reads it
// back from either.
#pragma once

#include "TrimmerGeometry.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace KESTRANE_NS {

enum class FinishingWindow {
    Trimmer,
    BookletMargin,
    TabMargin,
    Separator,
    OffsetPages,
    OffsetCopies,
    NumberInSequence
};

struct FinishingWindowValues {
    // Tab margin shift: tenths of a millimetre and hundredths of an inch.
    bool tabInchUnit = true;
    int tabMM = kTabMarginMMDefault;
    int tabInch = kTabMarginInchDefault;
    // Booklet margin: millimetres and tenths of an inch.
    bool bookletInchUnit = true;
    int bookletMM = 0;
    int bookletInch = 0;
    bool autoFit = true;
    // Trimmer: the trim amount in tenths of a millimetre and hundredths of
    // an inch; the cutting size shown follows from the paper.
    bool trimInchUnit = true;
    int trimMM = kTrimmerMMDefault;
    int trimInch = kTrimmerInchDefault;
    // Separator pages in their stored form ("3 5 10").
    std::string separatorPages;
    int offsetPages = kOffsetPagesDefault;
    int offsetCopies = kOffsetCopiesDefault;
    int numberStart = kNumberInSequenceDefault;

    // The window's own values back to their defaults.
    void RestoreDefaults(FinishingWindow window);
};

using TicketEntries = std::vector<std::pair<std::string, std::string>>;

// Every key (without the common prefix) and its text. The trimmer's cutting
// size follows from the paper's half length; a cutting size that would not
// be positive is left out.
TicketEntries FinishingTicketEntries(const FinishingWindowValues& values,
                                     const TrimmerValues& trimmer);

// Reads the values back from a key lookup (key without prefix -> text, false
// when absent). A value that is unreadable or out of its range keeps what the
// record holds.
void ReadFinishingTicketEntries(
    FinishingWindowValues& values,
    const std::function<bool(const std::string&, std::string&)>& lookup);

} // namespace KESTRANE_NS
