// The printer's own options that no plug-in panel owns, read from the PPD as
// the printer-options page shows them: grouped as the PPD groups them, with
// their translated texts, the parameters of custom options, and which other
// options a choice conflicts with.
#pragma once

#include <cups/ppd.h>

#include <set>
#include <string>
#include <vector>

struct PrinterChoice {
    std::string keyword;
    std::string text;
};

struct CustomParam {
    std::string name;
    std::string text;
    ppd_cptype_t type = PPD_CUSTOM_UNKNOWN;
    double minimum = 0, maximum = 0; // value range, or length range of texts
};

struct PrinterOption {
    std::string keyword;
    std::string text;
    ppd_ui_t ui = PPD_UI_PICKONE;
    std::vector<PrinterChoice> choices;
    std::vector<CustomParam> customParams; // empty: no custom value
};

struct PrinterOptionGroup {
    std::string name;
    std::string text;
    std::vector<PrinterOption> options;
};

// Options the dialog itself sets (paper) and the installable options of the
// queue are never on the page.
bool IsDialogOwnedOption(const std::string& keyword);

// Every option of the PPD that is not in `owned`, in the PPD's group order;
// groups left empty are dropped. Texts are translated for `language` ("de_DE",
// falls back to "de") where the PPD has translations.
std::vector<PrinterOptionGroup> UnownedPrinterOptions(ppd_file_t* ppd,
                                                      const std::set<std::string>& owned,
                                                      const std::string& language);

// The other options whose marked choices forbid `option`=`choice`.
std::vector<std::string> ConflictingOptions(ppd_file_t* ppd, const std::string& option,
                                            const std::string& choice);

// The job-option value of a custom option from its parameter values (in
// parameter order): "Custom.V" for one parameter, "{P1=V1 P2=V2}" for more.
// False with a message naming the parameter when a value is out of range.
bool MakeCustomValue(const PrinterOption& option, const std::vector<std::string>& values,
                     std::string& out, std::string& message);

// True when `value` is a custom value ("Custom." or "{...}"); fills the
// parameter values it names.
bool ParseCustomValue(const PrinterOption& option, const std::string& value,
                      std::vector<std::string>& values);
