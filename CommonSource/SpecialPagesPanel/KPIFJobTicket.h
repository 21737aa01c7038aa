// The KPIF job ticket: the XML document the printer reads ahead of the PJL,
// built from the special-page records. Every value in it is a decimal number
// or a keyword of the tables below, so nothing needs escaping.
#pragma once

#include "SpecialPageRecord.h"

#include <cups/ppd.h>

#include <string>
#include <vector>

namespace KESTRANE_NS {

// The paper choices of the PPD and the job's own paper size
// (getCurrentSystemPrintingSetting), refreshed for every document.
struct KPIFJobPaper {
    std::vector<std::string> pageSizes;   // PageSize choices in PPD order
    std::vector<std::string> mediaColors; // the media colour option's choices
    std::vector<std::string> mediaTypes;  // MediaType choices
    int JobPageWidth = 0;
    int JobPageLength = 0;
    int PageSizeOptionCount() const { return static_cast<int>(pageSizes.size()); }
};

// Reads the three options from the PPD (the colour option's keyword after
// the manufacturer prefix fix); the job's size from the page format's paper
// rectangle in points.
KPIFJobPaper GetCurrentSystemPrintingSetting(ppd_file_t* ppd, double paperWidthPoints,
                                             double paperLengthPoints);

// Table lookups; an unknown keyword leaves the output empty, null arguments
// do nothing.
void getMediaColorKPIFComm(const char* choice, std::string* color);
void getMediaTypeKPIFComm(const char* choice, std::string* type);
void getMediaSizeKPIFComm(const char* choice, std::string* x, std::string* y);

// "print-none".."print-both" by printingoptions; empty outside 0..3.
std::string CoverTypeKPIFComm(int printingOptions);
// By twoSidePrint 1..3; empty for 0 (no change) and anything else.
std::string SidesKPIFComm(int twoSidePrint);

// The whole document: head, covers, insert sheets, page overrides, tail.
std::string BuildKPIFJobTicket(const SpecialPageRecords& records, const KPIFJobPaper& paper);

} // namespace KESTRANE_NS
