#include "KPIFJobTicket.h"

#include "NumberUnit.h"
#include "XPPD.h"

#include <cstring>

// The PPD is read through libcups' PPD interface.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

namespace {

struct KeywordPair {
    const char* choice;
    const char* keyword;
};

const KeywordPair kMediaTypeKPIFComm[] = {
    {"ThinPaper", "THIN"},
    {"Stationary", "STATIONERY"},
    {"StationaryS1", "STATIONERY_S1"},
    {"ThickPaper", "THICK1"},
    {"ThickPaper2", "THICK2"},
    {"ThickPaperS1", "THICK1_S1"},
    {"ThickPaper2S1", "THICK2_S1"},
    {"StationaryBack", "USED"},
    {"StationaryBackS1", "USED_S1"},
    {"RecyclePaper", "RECYCLED"},
    {"RecyclePaperS1", "RECYCLED_S1"},
    {"CoatingPaper1", "COATING1"},
    {"CoatingPaper2", "COATING2"},
    {"CoatingPaper1A", "COATING1_A"},
    {"CoatingPaper1B", "COATING1_B"},
    {"LabelPaper1", "LABEL1"},
    {"LabelPaper2", "LABEL2"},
    {"TabbedPaper1", "TAB_THICK1"},
    {"TabbedPaper2", "TAB_THICK2"},
    {"Transparency", "TRANSPARENCY"},
    {"PrepunchedPaper", "PREPUNCHED"},
    {"CustomSizedPaper1", "USER1"},
    {"CustomSizedPaper2", "USER2"},
    {"CustomSizedPaper3", "USER3"},
    {"CustomSizedPaper4", "USER4"},
    {"CustomSizedPaper5", "USER5"},
};

const KeywordPair kMediaColorKPIFComm[] = {
    {"White", "white"},      {"Blue", "blue"},
    {"Buff", "buff"},        {"Goldenrod", "goldenrod"},
    {"Gray", "gray"},        {"Green", "green"},
    {"Ivory", "ivory"},      {"Orange", "orange"},
    {"Pink", "pink"},        {"Red", "red"},
    {"Yellow", "yellow"},    {"Clear", "no-color"},
    {"Custom1", "custom_1"}, {"Custom2", "custom_2"},
    {"Custom3", "custom_3"}, {"Custom4", "custom_4"},
    {"Custom5", "custom_5"}, {"Other", "other"},
};

struct MediaSize {
    const char* choice;
    int x;
    int y;
};

// The sizes the printer names by keyword, with their width and length in
// hundredths of a millimetre.
const MediaSize kMediaSizeKPIFComm[] = {
    {"A3", 29700, 42000},
    {"B4", 25700, 36400},
    {"A4", 21000, 29700},
    {"B5", 18200, 25700},
    {"A5", 14800, 21000},
    {"B6", 12800, 18200},
    {"A6", 10500, 14800},
    {"SRA3", 32000, 45000},
    {"8x10", 20320, 25400},
    {"9x11", 22860, 27940},
    {"Legal", 21590, 35560},
    {"Letter", 21590, 27940},
    {"Tabloid", 27940, 43180},
    {"Statement", 13970, 21590},
    {"Executive", 18420, 26670},
    {"TabloidExtra", 30480, 45720},
    {"FanFoldGermanLegal", 21590, 33020},
    {"DoublePostcardRotated", 14800, 20000},
    {"KV4x6", 10160, 15240},
    {"KV5x7", 12700, 17780},
    {"KV11x15", 27940, 38100},
    {"KV13x18", 33020, 45720},
    {"KV13x19", 33020, 48260},
    {"KV8-KAI", 26700, 38800},
    {"KV16-KAI", 19400, 26700},
    {"KV846x124", 21500, 31500},
    {"KV889x122", 22600, 31000},
    {"KV122x170", 31000, 43200},
    {"KV126x192", 32000, 48800},
    {"KVA4Cover", 22300, 29700},
    {"KVPostcard", 10000, 14800},
    {"KV8-KAI-GCO", 27000, 39000},
    {"KV16-KAI-GCO", 19500, 27000},
    {"KR4x6", 10160, 15240},
    {"KR5x7", 12700, 17780},
    {"KR11x15", 27940, 38100},
    {"KR13x18", 33020, 45720},
    {"KR13x19", 33020, 48260},
    {"KR8-KAI", 26700, 38800},
    {"KR16-KAI", 19400, 26700},
    {"KR846x124", 21500, 31500},
    {"KR889x122", 22600, 31000},
    {"KR122x170", 31000, 43200},
    {"KR126x192", 32000, 48800},
    {"KRA4Cover", 22300, 29700},
    {"KRPostcard", 10000, 14800},
    {"KR8-KAI-GCO", 27000, 39000},
    {"KR16-KAI-GCO", 19500, 27000},
};

constexpr const char* kTrayInterposer = "interposer";

template <std::size_t N>
void LookUp(const KeywordPair (&table)[N], const char* choice, std::string* out) {
    if (!choice || !out)
        return;
    out->clear();
    for (const KeywordPair& row : table)
        if (std::strcmp(row.choice, choice) == 0) {
            *out = row.keyword;
            return;
        }
}

const std::string& ChoiceAt(const std::vector<std::string>& choices, int index) {
    static const std::string kNone;
    if (index < 0 || index >= static_cast<int>(choices.size()))
        return kNone;
    return choices[static_cast<std::size_t>(index)];
}

std::vector<std::string> ChoicesOf(ppd_file_t* ppd, const char* keyword) {
    std::vector<std::string> out;
    ppd_option_t* option = ppd ? ppdFindOption(ppd, keyword) : nullptr;
    if (!option)
        return out;
    for (int i = 0; i < option->num_choices; ++i)
        out.emplace_back(option->choices[i].choice);
    return out;
}

// Appends one template line: indent spaces, the text with every "%s" taken
// in order from the values, a line feed.
class KPIFWriter {
public:
    void Line(int indent, const char* text, std::initializer_list<std::string> values = {}) {
        out.append(static_cast<std::size_t>(indent), ' ');
        auto value = values.begin();
        for (const char* p = text; *p; ++p) {
            if (p[0] == '%' && p[1] == 's' && value != values.end()) {
                out += *value++;
                ++p;
            } else {
                out += *p;
            }
        }
        out += '\n';
    }
    std::string out;
};

struct FullPaper {
    std::string type, color, x, y;
};

FullPaper PaperOf(const SpecialPageRecord& r, const KPIFJobPaper& paper) {
    FullPaper p;
    getMediaColorKPIFComm(ChoiceAt(paper.mediaColors, r.IntField("pagecolor")).c_str(), &p.color);
    getMediaTypeKPIFComm(ChoiceAt(paper.mediaTypes, r.IntField("pagetype")).c_str(), &p.type);
    const int size = r.IntField("pagesize");
    if (size < paper.PageSizeOptionCount()) {
        const std::string& choice = ChoiceAt(paper.pageSizes, size);
        if (choice == "Custom") {
            // Records hold validated millimetre texts, so tenths fit an int.
            p.x = std::to_string(GetMillimetreFromStr(r.Get("width")) * 10);
            p.y = std::to_string(GetMillimetreFromStr(r.Get("length")) * 10);
        } else {
            getMediaSizeKPIFComm(choice.c_str(), &p.x, &p.y);
        }
    } else {
        p.x = std::to_string(paper.JobPageWidth);
        p.y = std::to_string(paper.JobPageLength);
    }
    return p;
}

bool FromInterposer(const SpecialPageRecord& r) {
    return r.Get("interposer") == "true";
}

void insertCoverKPIFCommand(KPIFWriter& w, const SpecialPageRecords& records,
                            const KPIFJobPaper& paper) {
    for (const SpecialPageRecord& r : records) {
        if (r.Type() != kSPCover || !(r.IsFrontCover() || r.IsBackCover()))
            continue;
        const char* name = r.IsFrontCover() ? "cover-front" : "cover-back";
        const std::string coverType = CoverTypeKPIFComm(r.IntField("printingoptions"));
        w.Line(4, "<%s syntax=\"collection\">", {name});
        w.Line(8, "<cover-type syntax=\"keyword\">%s</cover-type>", {coverType});
        w.Line(8, "<media-col syntax=\"collection\">");
        if (FromInterposer(r)) {
            w.Line(12, "<media-type syntax=\"name\">%s</media-type>", {kTrayInterposer});
        } else {
            const FullPaper p = PaperOf(r, paper);
            w.Line(12, "<media-type syntax=\"keyword\">%s</media-type>", {p.type});
            w.Line(12, "<media-color syntax=\"keyword\">%s</media-color>", {p.color});
            w.Line(12, "<media-size syntax=\"collection\">");
            w.Line(16, "<x-dimension syntax=\"integer\">%s</x-dimension>", {p.x});
            w.Line(16, "<y-dimension syntax=\"integer\">%s</y-dimension>", {p.y});
            w.Line(12, "</media-size>");
        }
        w.Line(8, "</media-col>");
        w.Line(4, "</%s>", {name});
    }
}

void insertInsertionKPIFCommand(KPIFWriter& w, const SpecialPageRecords& records,
                                const KPIFJobPaper& paper) {
    bool opened = false;
    for (const SpecialPageRecord& r : records) {
        if (r.Type() != kSPInsert)
            continue;
        if (!opened) {
            w.Line(4, "<insert-sheet syntax=\"1setOf\">");
            opened = true;
        }
        w.Line(8, "<value syntax=\"collection\">");
        w.Line(16, "<insert-after-page-number syntax=\"integer\">%s</insert-after-page-number>",
               {std::to_string(r.IntField("page"))});
        w.Line(16, "<insert-count syntax=\"integer\">%s</insert-count>",
               {std::to_string(r.IntField("insertquantity"))});
        w.Line(16, "<media-col syntax=\"collection\">");
        if (FromInterposer(r)) {
            w.Line(20, "<media-type syntax=\"name\">%s</media-type>", {kTrayInterposer});
        } else {
            const FullPaper p = PaperOf(r, paper);
            w.Line(20, "<media-color syntax=\"keyword\">%s</media-color>", {p.color});
            w.Line(20, "<media-size syntax=\"collection\">");
            w.Line(24, "<x-dimension syntax=\"integer\">%s</x-dimension>", {p.x});
            w.Line(24, "<y-dimension syntax=\"integer\">%s</y-dimension>", {p.y});
            w.Line(20, "</media-size>");
            w.Line(20, "<media-type syntax=\"keyword\">%s</media-type>", {p.type});
        }
        w.Line(16, "</media-col>");
        w.Line(8, "</value>");
    }
    if (opened)
        w.Line(4, "</insert-sheet>");
}

void WriteRange(KPIFWriter& w, const char* name, int lower, int upper) {
    w.Line(12, "<%s syntax=\"1setOf\">", {name});
    w.Line(16, "<value syntax=\"rangeOfInteger\">");
    w.Line(20, "<lower-bound syntax=\"integer\">%s</lower-bound>", {std::to_string(lower)});
    w.Line(20, "<upper-bound syntax=\"integer\">%s</upper-bound>", {std::to_string(upper)});
    w.Line(16, "</value>");
    w.Line(12, "</%s>", {name});
}

void insertExceptionKPIFCommand(KPIFWriter& w, const SpecialPageRecords& records,
                                const KPIFJobPaper& paper) {
    bool opened = false;
    for (const SpecialPageRecord& r : records) {
        if (r.Type() != kSPException)
            continue;
        if (!opened) {
            w.Line(4, "<page-overrides syntax=\"1setOf\">");
            opened = true;
        }
        w.Line(8, "<value syntax=\"collection\">");
        WriteRange(w, "input-documents", 1, 1);
        WriteRange(w, "pages", r.FirstPage(), r.LastPage());
        // "No change" has no keyword: the page keeps the job's own sides.
        const std::string sides = SidesKPIFComm(r.IntField("twoSidePrint"));
        if (!sides.empty())
            w.Line(12, "<sides syntax=\"keyword\">%s</sides>", {sides});
        w.Line(12, "<media-col syntax=\"collection\">");
        if (FromInterposer(r)) {
            w.Line(16, "<media-type syntax=\"name\">%s</media-type>", {kTrayInterposer});
        } else {
            const FullPaper p = PaperOf(r, paper);
            w.Line(16, "<media-type syntax=\"name\">%s</media-type>", {p.type});
            w.Line(16, "<media-color syntax=\"keyword\">%s</media-color>", {p.color});
            w.Line(16, "<media-size syntax=\"collection\">");
            w.Line(20, "<x-dimension syntax=\"integer\">%s</x-dimension>", {p.x});
            w.Line(20, "<y-dimension syntax=\"integer\">%s</y-dimension>", {p.y});
            w.Line(16, "</media-size>");
        }
        w.Line(12, "</media-col>");
        w.Line(8, "</value>");
    }
    if (opened)
        w.Line(4, "</page-overrides>");
}

} // namespace

void getMediaColorKPIFComm(const char* choice, std::string* color) {
    LookUp(kMediaColorKPIFComm, choice, color);
}

void getMediaTypeKPIFComm(const char* choice, std::string* type) {
    LookUp(kMediaTypeKPIFComm, choice, type);
}

void getMediaSizeKPIFComm(const char* choice, std::string* x, std::string* y) {
    if (!choice || !x || !y)
        return;
    x->clear();
    y->clear();
    for (const MediaSize& row : kMediaSizeKPIFComm)
        if (std::strcmp(row.choice, choice) == 0) {
            *x = std::to_string(row.x);
            *y = std::to_string(row.y);
            return;
        }
}

std::string CoverTypeKPIFComm(int printingOptions) {
    static const char* const kCoverTypes[] = {"print-none", "print-front", "print-back",
                                              "print-both"};
    return printingOptions >= 0 && printingOptions < 4 ? kCoverTypes[printingOptions] : "";
}

std::string SidesKPIFComm(int twoSidePrint) {
    static const char* const kSides[] = {"one-sided", "two-sided-long-edge",
                                         "two-sided-short-edge"};
    return twoSidePrint >= 1 && twoSidePrint <= 3 ? kSides[twoSidePrint - 1] : "";
}

KPIFJobPaper GetCurrentSystemPrintingSetting(ppd_file_t* ppd, double paperWidthPoints,
                                             double paperLengthPoints) {
    KPIFJobPaper paper;
    char colorKey[PPD_MAX_NAME] = {};
    if (ppd)
        FixPPDKeywordAccordingToType(ppd, "KRMediaColor", colorKey, sizeof colorKey);
    paper.pageSizes = ChoicesOf(ppd, "PageSize");
    paper.mediaColors = ChoicesOf(ppd, colorKey);
    paper.mediaTypes = ChoicesOf(ppd, "MediaType");
    paper.JobPageWidth = static_cast<int>(paperWidthPoints / 2.54) * 90;
    paper.JobPageLength = static_cast<int>(paperLengthPoints / 2.54) * 90;
    return paper;
}

std::string BuildKPIFJobTicket(const SpecialPageRecords& records, const KPIFJobPaper& paper) {
    KPIFWriter w;
    w.Line(0, "<?xml version=\"%s\" encoding=\"%s\"?>", {"1.0", "UTF-8"});
    w.Line(0, "<!DOCTYPE kpif SYSTEM \"%s\">", {"kpif-v02030a.dtd"});
    w.Line(0, "<kpif version=\"%s\" cpss-version=\"%s\" xml:lang=\"%s\">",
           {"1.0", "2.01", "en-US"});
    w.Line(2, "<job-template-attributes>");
    insertCoverKPIFCommand(w, records, paper);
    insertInsertionKPIFCommand(w, records, paper);
    insertExceptionKPIFCommand(w, records, paper);
    w.Line(2, "</job-template-attributes>");
    w.Line(0, "</kpif>");
    return w.out;
}

} // namespace KESTRANE_NS
