#include "CupsQueue.h"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <cstdio>
#include <cstring>
#include <iterator>

// Queue PPDs come through the classic PPD request.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

std::vector<Destination> ListDestinations() {
    std::vector<Destination> out;
    cups_dest_t* dests = nullptr;
    int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& d = dests[i];
        Destination dest;
        dest.name = d.instance ? std::string(d.name) + "/" + d.instance : d.name;
        dest.isDefault = d.is_default != 0;
        for (int k = 0; k < d.num_options; ++k) {
            const cups_option_t& o = d.options[k];
            if (std::strcmp(o.name, "printer-info") == 0)
                dest.info = o.value;
            dest.options.emplace_back(o.name, o.value);
        }
        out.push_back(std::move(dest));
    }
    cupsFreeDests(count, dests);
    return out;
}

OptionList QueueStatusAttributes(const std::string& queue) {
    static const char* const kWanted[] = {"printer-state", "printer-state-message",
                                          "printer-location", "printer-is-accepting-jobs"};
    const std::string printer = queue.substr(0, queue.find('/'));
    char uri[1024];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", printer.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(kWanted)), nullptr, kWanted);
    OptionList out;
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response)
        return out;
    for (const char* name : kWanted) {
        ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ZERO);
        if (!a)
            continue;
        char value[1024];
        ippAttributeString(a, value, sizeof value);
        // printer-state comes as its keyword; the dialog keeps the IPP number.
        if (std::strcmp(name, "printer-state") == 0)
            std::snprintf(value, sizeof value, "%d", ippGetInteger(a, 0));
        out.emplace_back(name, value);
    }
    ippDelete(response);
    return out;
}

std::string FetchQueuePPD(const std::string& queue, std::string& error) {
    const std::string printer = queue.substr(0, queue.find('/'));
    const char* path = cupsGetPPD2(CUPS_HTTP_DEFAULT, printer.c_str());
    if (!path) {
        error = "no PPD for \"" + queue + "\": " + cupsLastErrorString();
        return {};
    }
    return path;
}

int SubmitJob(const std::string& queue, const std::string& file, const std::string& title,
              const OptionList& options, std::string& error) {
    const std::string printer = queue.substr(0, queue.find('/'));
    cups_option_t* cupsOptions = nullptr;
    int num = 0;
    for (const auto& [name, value] : options)
        num = cupsAddOption(name.c_str(), value.c_str(), num, &cupsOptions);
    int id = cupsPrintFile2(CUPS_HTTP_DEFAULT, printer.c_str(), file.c_str(), title.c_str(), num,
                            cupsOptions);
    cupsFreeOptions(num, cupsOptions);
    if (id <= 0) {
        error = cupsLastErrorString();
        return 0;
    }
    return id;
}
