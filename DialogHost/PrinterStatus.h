// What the dialog says about the chosen printer: ready, printing or stopped,
// the printer's state message, its location, and whether it takes jobs.
#pragma once

#include "JobOptions.h"

#include <string>

struct PrinterStatus {
    std::string state; // "ready", "printing", "stopped" or "unknown"
    std::string message;
    std::string location;
    bool accepting = true;
};

// From a destination's attributes ("printer-state", "printer-state-message",
// "printer-location", "printer-is-accepting-jobs").
PrinterStatus ReadPrinterStatus(const OptionList& attributes);

// One line for the window: "Stopped — out of paper — Room 2.14 (not accepting jobs)".
std::string DescribePrinterStatus(const PrinterStatus& status);
