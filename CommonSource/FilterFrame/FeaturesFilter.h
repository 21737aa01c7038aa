// Finishing: PJL job attributes and the separator-page and booklet PostScript
// fragments.
#pragma once

#include <cstdint>

struct kpjlOptionFeatures_t {
    int32_t TabMarginSwitch;
    int32_t TrimmerSwitch;
    int32_t BookletMarginSwitch;
    char TabMarginShift[5];
    char TrimmerCuttingSize[5];
    int32_t SeparatorPageList;
    char SeparatorPage[100];
    int32_t AutoFitSwitch;
    char BookletMarginShift[5];
    int32_t NumInSequenceSwitch;
    char NumInSequenceStart[5];
    int32_t OffsetStackingList;
    char OffsetStackingPages[6];
    char OffsetStackingUnits[6];
};
extern kpjlOptionFeatures_t kpjlOptionFeatures;

class PPDJobOptions;

// Reads the ticket; each finishing value whose switch key is absent may come
// from the job's PPD options.
int FeaturesGetTicketFromPDE(char* const argv[]);
void FeaturesGetFromPPDOptions(const PPDJobOptions& job);
void FeaturesInializeDescriptionTableFromFilter();
int FeaturesOutputKPJLCommandFromFilter(char* const argv[]);

// Number of logical pages per sheet: layout rows times columns, 0 when either
// is absent.
long long FeaturesLogicalPageCount();
// Writes the finishing fragments that belong to the injection point.
void FeaturesOutputPSCommandFromFilter(int pointCode);
void FeaturesOutputSeparatorPages();
void FeaturesOutputAutoFit();
