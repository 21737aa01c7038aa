#include "CustomSizeRules.h"

#include "NumberUnit.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

// The PPD is read through libcups' PPD interface.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

namespace {

const CustomSizeLimits kFixedLimits = {{
    {394, 1299, 827, 2},
    {583, 1921, 1169, 2},
    {1000, 3300, 2100, 1},
    {1480, 4880, 2970, 1},
}};

// Minimum and maximum points of the PPD's range for one dimension
// ("Width" or "Height"): order, type, minimum, maximum.
bool PPDRange(ppd_file_t* ppd, const char* dimension, double& low, double& high) {
    ppd_attr_t* attr = ppd ? ppdFindAttr(ppd, "ParamCustomPageSize", dimension) : nullptr;
    if (!attr || !attr->value)
        return false;
    std::istringstream in(attr->value);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    if (words.size() < 4)
        return false;
    char* end = nullptr;
    low = std::strtod(words[2].c_str(), &end);
    if (*end)
        return false;
    high = std::strtod(words[3].c_str(), &end);
    return !*end && std::isfinite(low) && std::isfinite(high) && low >= 0 && low <= high &&
           high < 100000;
}

void SetRange(CustomSizeField& field, double lowPoints, double highPoints, int type) {
    field.minimum = TransformPointByType(nullptr, lowPoints, field.decimals, type);
    field.maximum = TransformPointByType(nullptr, highPoints, field.decimals, type);
    if (field.defaultValue < field.minimum || field.defaultValue > field.maximum)
        field.defaultValue = field.minimum;
}

template <typename Scale>
int Convert(int value, const CustomSizeField& from, const CustomSizeField& to, Scale scale) {
    if (value == from.maximum)
        return to.maximum;
    if (value == from.minimum)
        return to.minimum;
    const int result = static_cast<int>(std::nearbyint(scale(static_cast<double>(value))));
    return std::clamp(result, to.minimum, to.maximum);
}

} // namespace

CustomSizeLimits GetCustomSizeLimits(ppd_file_t* ppd) {
    CustomSizeLimits limits = kFixedLimits;
    double low = 0, high = 0;
    if (PPDRange(ppd, "Width", low, high)) {
        SetRange(limits.fields[kCustomWidthInch], low, high, 0);
        SetRange(limits.fields[kCustomWidthMM], low, high, 1);
    }
    if (PPDRange(ppd, "Height", low, high)) {
        SetRange(limits.fields[kCustomLengthInch], low, high, 0);
        SetRange(limits.fields[kCustomLengthMM], low, high, 1);
    }
    return limits;
}

bool ParseCustomSizeText(const std::string& text, int decimals, int& value) {
    const auto point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    if (whole.empty() || whole.size() > 6)
        return false;
    if (point != std::string::npos && static_cast<int>(fraction.size()) != decimals)
        return false;
    for (char c : whole + fraction)
        if (c < '0' || c > '9')
            return false;
    int scaled = std::stoi(whole);
    for (int i = 0; i < decimals; ++i)
        scaled = scaled * 10 + (i < static_cast<int>(fraction.size()) ? fraction[i] - '0' : 0);
    value = scaled;
    return true;
}

std::string FormatCustomSizeValue(int value, int decimals) {
    int scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    std::string fraction = std::to_string(value % scale);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    return std::to_string(value / scale) + "." + fraction;
}

bool IsCustomSizeTextValid(const std::string& text, const CustomSizeField& field) {
    int value = 0;
    return ParseCustomSizeText(text, field.decimals, value) && value >= field.minimum &&
           value <= field.maximum;
}

int MillimetreToInchValue(int tenths, const CustomSizeField& mm, const CustomSizeField& inch) {
    // The conversion factors were single-precision values.
    return Convert(tenths, mm, inch, [](double v) { return v / static_cast<double>(2.54f); });
}

int InchToMillimetreValue(int hundredths, const CustomSizeField& inch, const CustomSizeField& mm) {
    return Convert(hundredths, inch, mm,
                   [](double v) { return v / 100.0 * static_cast<double>(25.4f) * 10.0; });
}

} // namespace KESTRANE_NS
