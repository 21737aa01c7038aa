// Turns what the dialog collected into the options of the CUPS job: every
// text value of the print settings under its own key, the dialog's own job
// attributes, and the PPD choices the panels reported, as PPD options.
#pragma once

#include <string>
#include <utility>
#include <vector>

using OptionList = std::vector<std::pair<std::string, std::string>>;

struct JobRequest {
    OptionList settingsText; // print settings' text values (key, value)
    OptionList ppdChoices;   // (option keyword, choice keyword) in the order chosen
    int copies = 1;
    bool collate = true;    // copies of the whole document one after the other
    std::string pageRanges; // CUPS form ("1-3,5"); empty for every page
    int orientation = 1;    // 1 portrait, 2 landscape, 3 reverse portrait, 4 reverse landscape
    int pagesPerSheet = 1;
    int layoutDirection = 1; // direction code of the layout section
};

struct JobOptions {
    OptionList options;
    // Keys that cannot travel as a job option (empty, blanks, '=' or quotes
    // in the name); the dialog tells the person instead of losing them quietly.
    std::vector<std::string> rejectedKeys;
};

// An option name CUPS carries unchanged.
bool IsUsableOptionName(const std::string& name);

// Settings first (sorted by key, as given), then "copies" and "collate"
// above 1 copy, "page-ranges" when not every page is printed,
// "orientation-requested" when not portrait, "number-up-layout" for more than
// one page per sheet, then one entry per PPD option (its last choice wins, in
// the order options were first chosen). A settings key that is also a PPD
// option reported by a panel gives way to the PPD choice.
JobOptions MakeJobOptions(const JobRequest& request);

// "name=value" lines, one per option.
std::string FormatJobOptions(const OptionList& options);
