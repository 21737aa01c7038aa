#include "SpecialPageRecord.h"

#include <cstdlib>

namespace KESTRANE_NS {

namespace {

const std::string kEmpty;

const std::vector<std::string> kCoverOrder = {
    "type",       "page",         "printingoptions", "pagesize", "pagecolor",  "pagetype",
    "interposer", "coversoption", "width",           "length",   "longmeasure"};
const std::vector<std::string> kInsertOrder = {
    "type",     "page",       "insertoption", "insertquantity", "pagesize",   "pagecolor",
    "pagetype", "interposer", "width",        "length",         "longmeasure"};
const std::vector<std::string> kExceptionOrder = {
    "type",       "page",         "pagesize", "pagetype", "pagecolor",
    "interposer", "twoSidePrint", "width",    "length",   "longmeasure"};
const std::vector<std::string> kNoOrder;

// A PPD option has far fewer choices; anything beyond is not an index.
constexpr int kMaxChoiceIndex = 9999;

bool InRange(const std::string& value, int low, int high) {
    int n = 0;
    return ParseBoundedInt(value, low, high, n);
}

bool IsPageRange(const std::string& value) {
    const auto dash = value.find('-');
    if (dash == std::string::npos)
        return InRange(value, 1, kSPMaxPage);
    int first = 0, last = 0;
    return ParseBoundedInt(value.substr(0, dash), 1, kSPMaxPage, first) &&
           ParseBoundedInt(value.substr(dash + 1), 1, kSPMaxPage, last) && first <= last;
}

} // namespace

bool ParseBoundedInt(const std::string& text, int low, int high, int& out) {
    if (text.empty() || text.size() > 10)
        return false;
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size())
        return false;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9')
            return false;
    const long long n = std::strtoll(text.c_str(), nullptr, 10);
    if (n < low || n > high)
        return false;
    out = static_cast<int>(n);
    return true;
}

bool IsMillimetreText(const std::string& text) {
    const auto point = text.find('.');
    const std::string whole = text.substr(0, point);
    if (whole.empty() || whole.size() > 5)
        return false;
    for (char c : whole)
        if (c < '0' || c > '9')
            return false;
    if (point == std::string::npos)
        return true;
    const std::string fraction = text.substr(point + 1);
    return fraction.size() == 1 && fraction[0] >= '0' && fraction[0] <= '9';
}

const std::string& SpecialPageRecord::Get(const std::string& field) const {
    auto it = fields.find(field);
    return it == fields.end() ? kEmpty : it->second;
}

int SpecialPageRecord::Type() const {
    int type = -1;
    return ParseBoundedInt(Get("type"), 0, 2, type) ? type : -1;
}

int SpecialPageRecord::IntField(const std::string& field) const {
    return std::atoi(Get(field).c_str());
}

int SpecialPageRecord::FirstPage() const {
    return std::atoi(Get("page").c_str());
}

int SpecialPageRecord::LastPage() const {
    const std::string& page = Get("page");
    const auto dash = page.find('-');
    return dash == std::string::npos ? FirstPage() : std::atoi(page.c_str() + dash + 1);
}

const std::vector<std::string>& StoredFieldOrder(int type) {
    switch (type) {
    case kSPCover:
        return kCoverOrder;
    case kSPInsert:
        return kInsertOrder;
    case kSPException:
        return kExceptionOrder;
    default:
        return kNoOrder;
    }
}

std::string FormatStoredRecord(const SpecialPageRecord& record) {
    std::string out;
    for (const std::string& field : StoredFieldOrder(record.Type())) {
        if (!out.empty())
            out += ',';
        out += record.Get(field);
    }
    return out;
}

bool IsFieldValueValid(int type, const std::string& field, const std::string& value) {
    if (field == "type")
        return InRange(value, 0, 2) && std::atoi(value.c_str()) == type;
    if (field == "page") {
        if (type == kSPCover)
            return value == "0" || value == "1";
        if (type == kSPInsert)
            return InRange(value, 0, kSPMaxPage);
        return IsPageRange(value);
    }
    if (field == "printingoptions")
        return InRange(value, 0, 3);
    if (field == "coversoption")
        return InRange(value, 0, 4);
    if (field == "insertoption" || field == "longmeasure")
        return value == "0" || value == "1";
    if (field == "insertquantity")
        return InRange(value, 1, kSPMaxQuantity);
    if (field == "twoSidePrint")
        return InRange(value, 0, 3);
    if (field == "pagesize" || field == "pagecolor" || field == "pagetype")
        return InRange(value, -1, kMaxChoiceIndex);
    if (field == "interposer" || field == "selected")
        return value == "true" || value == "false";
    if (field == "width" || field == "length")
        return IsMillimetreText(value);
    return false;
}

std::optional<SpecialPageRecord> ParseStoredRecord(const std::string& text) {
    std::vector<std::string> values;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        values.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    int type = -1;
    if (!ParseBoundedInt(values[0], 0, 2, type))
        return std::nullopt;
    const std::vector<std::string>& order = StoredFieldOrder(type);
    if (values.size() != order.size())
        return std::nullopt;
    SpecialPageRecord record;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (!IsFieldValueValid(type, order[i], values[i]))
            return std::nullopt;
        record.Set(order[i], values[i]);
    }
    record.SetSelected(false);
    return record;
}

} // namespace KESTRANE_NS
