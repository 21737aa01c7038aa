#include "PrinterStatus.h"

namespace {

const std::string* Find(const OptionList& attributes, const char* name) {
    for (const auto& [key, value] : attributes)
        if (key == name)
            return &value;
    return nullptr;
}

} // namespace

PrinterStatus ReadPrinterStatus(const OptionList& attributes) {
    PrinterStatus out;
    const std::string* state = Find(attributes, "printer-state");
    // IPP printer-state: 3 idle, 4 processing, 5 stopped.
    out.state = !state          ? "unknown"
                : *state == "3" ? "ready"
                : *state == "4" ? "printing"
                : *state == "5" ? "stopped"
                                : "unknown";
    if (const std::string* m = Find(attributes, "printer-state-message"))
        out.message = *m;
    if (const std::string* l = Find(attributes, "printer-location"))
        out.location = *l;
    if (const std::string* a = Find(attributes, "printer-is-accepting-jobs"))
        out.accepting = *a != "false" && *a != "0";
    return out;
}

std::string DescribePrinterStatus(const PrinterStatus& status) {
    std::string text = status.state == "ready"      ? "Ready"
                       : status.state == "printing" ? "Printing"
                       : status.state == "stopped"  ? "Stopped"
                                                    : "State unknown";
    if (!status.message.empty())
        text += " \u2014 " + status.message;
    if (!status.location.empty())
        text += " \u2014 " + status.location;
    if (!status.accepting)
        text += " (not accepting jobs)";
    return text;
}
