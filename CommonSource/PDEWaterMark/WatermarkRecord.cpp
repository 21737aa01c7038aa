#include "WatermarkRecord.h"

#include "PDESettingsAccess.h"
#include "PDETextUnits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace KESTRANE_NS {

const char* const kWatermarkArrayKeys[kWMFieldCount] = {
    "com.kestrane.mtz.printsettings.WMARKNAMEARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKTEXTARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKPATHARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKTYPEARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKREDARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKGREENARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKBLUEARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKALPHAARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKFONTNAMEARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKSIZEARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKANGELARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKDENSITYARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKSCALEARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKSIZERADIOARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKHOFFSETARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKVOFFSETARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKHMMOFFSETARRAYReference",
    "com.kestrane.mtz.printsettings.WMARKVMMOFFSETARRAYReference",
};

namespace {

// Offsets beyond any paper the panel knows (1383.3 points high) are noise.
constexpr int kOffsetTenthsLimit = 1000;
constexpr int kOffsetMMLimit = 2540;

double ReadReal(const std::string& text, double fallback, double low, double high) {
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(v))
        return fallback;
    return std::clamp(v, low, high);
}

int ReadInt(const std::string& text, int fallback, int low, int high) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str())
        return fallback;
    return static_cast<int>(std::clamp<long>(v, low, high));
}

std::string Real(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%f", v);
    return buf;
}

// The first `count` characters of UTF-8 text (text that is not UTF-8 is cut
// by bytes).
std::string FirstCharacters(const std::string& text, int count) {
    std::u32string chars;
    if (!DecodeUtf8(text, chars))
        return text.substr(0, static_cast<size_t>(count));
    if (static_cast<int>(chars.size()) > count)
        chars.resize(static_cast<size_t>(count));
    return EncodeUtf8(chars);
}

} // namespace

WatermarkRecord MakePictureRecord(const std::string& name, const std::string& pictureName,
                                  const std::string& path, int scale) {
    WatermarkRecord r;
    r.name = name;
    r.text = pictureName;
    r.imagePath = path;
    r.type = kWMTypePicture;
    r.red = 0;
    r.green = 0;
    r.blue = 1;
    r.alpha = 1;
    r.scale = std::clamp(scale, 0, 1000);
    return r;
}

std::vector<WatermarkRecord> RecordsFromArrays(const WatermarkArrays& a) {
    size_t count = a[0].size();
    for (const auto& array : a)
        count = std::min(count, array.size());
    std::vector<WatermarkRecord> out;
    for (size_t i = 0; i < count && out.size() < kWatermarkRecordMax; ++i) {
        WatermarkRecord r;
        r.name = FirstCharacters(a[kWMFieldName][i], kWatermarkNameMax);
        if (r.name.empty() || !IsWatermarkLatin1Text(r.name))
            continue;
        if (std::any_of(out.begin(), out.end(),
                        [&](const WatermarkRecord& o) { return o.name == r.name; }))
            continue;
        r.text = FirstCharacters(a[kWMFieldText][i], kWatermarkTextMax);
        r.imagePath = a[kWMFieldPath][i];
        r.type = ReadInt(a[kWMFieldType][i], kWMTypeText, kWMTypeText, kWMTypePicture);
        r.red = ReadReal(a[kWMFieldRed][i], 0, 0, 1);
        r.green = ReadReal(a[kWMFieldGreen][i], 0, 0, 1);
        r.blue = ReadReal(a[kWMFieldBlue][i], 0, 0, 1);
        r.alpha = ReadReal(a[kWMFieldAlpha][i], 1, 0, 1);
        r.fontName = a[kWMFieldFontName][i];
        r.size = ReadReal(a[kWMFieldSize][i], 72, 7, 600);
        r.angle = ReadInt(a[kWMFieldAngle][i], 45, 0, 360);
        r.density = ReadInt(a[kWMFieldDensity][i], 25, 0, 100);
        r.scale = ReadInt(a[kWMFieldScale][i], 100, 0, 1000);
        r.unit = ReadInt(a[kWMFieldUnit][i], kWMUnitInch, kWMUnitInch, kWMUnitMM);
        r.hOffset = ReadInt(a[kWMFieldHOffset][i], 0, -kOffsetTenthsLimit, kOffsetTenthsLimit);
        r.vOffset = ReadInt(a[kWMFieldVOffset][i], 0, -kOffsetTenthsLimit, kOffsetTenthsLimit);
        r.hMMOffset = ReadInt(a[kWMFieldHMMOffset][i], 0, -kOffsetMMLimit, kOffsetMMLimit);
        r.vMMOffset = ReadInt(a[kWMFieldVMMOffset][i], 0, -kOffsetMMLimit, kOffsetMMLimit);
        if (r.IsPicture()) {
            r = MakePictureRecord(r.name, r.text, r.imagePath, r.scale);
        } else {
            r.imagePath.clear();
            r.scale = 100;
            if (r.text.empty())
                continue; // a text watermark without text prints nothing
        }
        out.push_back(std::move(r));
    }
    return out;
}

WatermarkArrays ArraysFromRecords(const std::vector<WatermarkRecord>& records) {
    WatermarkArrays a;
    for (const WatermarkRecord& r : records) {
        a[kWMFieldName].push_back(r.name);
        a[kWMFieldText].push_back(r.text);
        a[kWMFieldPath].push_back(r.imagePath);
        a[kWMFieldType].push_back(std::to_string(r.type));
        a[kWMFieldRed].push_back(Real(r.red));
        a[kWMFieldGreen].push_back(Real(r.green));
        a[kWMFieldBlue].push_back(Real(r.blue));
        a[kWMFieldAlpha].push_back(Real(r.alpha));
        a[kWMFieldFontName].push_back(r.fontName);
        a[kWMFieldSize].push_back(Real(r.size));
        a[kWMFieldAngle].push_back(std::to_string(r.angle));
        a[kWMFieldDensity].push_back(std::to_string(r.density));
        a[kWMFieldScale].push_back(std::to_string(r.scale));
        a[kWMFieldUnit].push_back(std::to_string(r.unit));
        a[kWMFieldHOffset].push_back(std::to_string(r.hOffset));
        a[kWMFieldVOffset].push_back(std::to_string(r.vOffset));
        a[kWMFieldHMMOffset].push_back(std::to_string(r.hMMOffset));
        a[kWMFieldVMMOffset].push_back(std::to_string(r.vMMOffset));
    }
    return a;
}

std::string EncodeWatermarkArray(const std::vector<std::string>& values) {
    std::string out = "[";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i)
            out += ',';
        out += '"';
        for (unsigned char c : values[i]) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
        out += '"';
    }
    return out + "]";
}

bool DecodeWatermarkArray(const std::string& text, std::vector<std::string>& out) {
    out.clear();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\n' || text[i] == '\t'))
            ++i;
    };
    skipBlanks();
    if (i >= text.size() || text[i++] != '[')
        return false;
    skipBlanks();
    if (i < text.size() && text[i] == ']') {
        ++i;
        skipBlanks();
        return i == text.size();
    }
    for (;;) {
        skipBlanks();
        if (i >= text.size() || text[i++] != '"')
            break;
        std::string value;
        bool closed = false;
        while (i < text.size()) {
            char c = text[i++];
            if (c == '"') {
                closed = true;
                break;
            }
            if (c != '\\') {
                value += c;
                continue;
            }
            if (i >= text.size())
                break;
            char e = text[i++];
            if (e == 'u') {
                if (i + 4 > text.size())
                    break;
                unsigned long code = std::strtoul(text.substr(i, 4).c_str(), nullptr, 16);
                i += 4;
                // Only control characters are written escaped.
                if (code >= 0x20)
                    break;
                value += static_cast<char>(code);
            } else if (e == '"' || e == '\\' || e == '/') {
                value += e;
            } else {
                break;
            }
        }
        if (!closed)
            break;
        out.push_back(std::move(value));
        skipBlanks();
        if (i < text.size() && text[i] == ',') {
            ++i;
            continue;
        }
        if (i < text.size() && text[i] == ']') {
            ++i;
            skipBlanks();
            if (i == text.size())
                return true;
        }
        break;
    }
    out.clear();
    return false;
}

bool IsWatermarkLatin1Text(const std::string& utf8) {
    std::u32string chars;
    if (!DecodeUtf8(utf8, chars))
        return false;
    return std::all_of(chars.begin(), chars.end(),
                       [](char32_t c) { return c >= 32 && c <= 254 && (c < 127 || c > 159); });
}

int WatermarkCharacterCount(const std::string& utf8) {
    std::u32string chars;
    if (!DecodeUtf8(utf8, chars))
        return static_cast<int>(utf8.size());
    return static_cast<int>(chars.size());
}

std::string FitEscapedTicketText(const std::string& utf8, size_t bytes) {
    std::u32string chars;
    if (!DecodeUtf8(utf8, chars))
        return {};
    std::string text = utf8;
    while (!chars.empty() && EncodeEscapedTicketString(text).size() > bytes) {
        chars.pop_back();
        text = EncodeUtf8(chars);
    }
    return chars.empty() ? std::string() : text;
}

WatermarkRecordList::WatermarkRecordList(std::vector<WatermarkRecord> initial)
    : records(std::move(initial)) {
    for (size_t i = 0; i < records.size(); ++i)
        ids.push_back(nextId++);
}

int WatermarkRecordList::FindByName(const std::string& name, int except) const {
    for (int i = 0; i < Count(); ++i)
        if (i != except && records[static_cast<size_t>(i)].name == name)
            return i;
    return -1;
}

WatermarkRecordList::SaveResult WatermarkRecordList::Save(const WatermarkRecord& record,
                                                          int editedIndex, bool replaceConfirmed,
                                                          int* selected) {
    if (editedIndex >= Count())
        editedIndex = -1;
    const int duplicate = FindByName(record.name, editedIndex);
    int saved = -1;
    if (duplicate >= 0) {
        if (!replaceConfirmed)
            return SaveResult::NeedsConfirmation;
        const uint64_t keptId = ids[static_cast<size_t>(duplicate)];
        records[static_cast<size_t>(duplicate)] = record;
        if (editedIndex >= 0) {
            records.erase(records.begin() + editedIndex);
            ids.erase(ids.begin() + editedIndex);
        }
        saved = static_cast<int>(std::find(ids.begin(), ids.end(), keptId) - ids.begin());
    } else if (editedIndex >= 0) {
        records[static_cast<size_t>(editedIndex)] = record;
        saved = editedIndex;
    } else {
        if (IsFull())
            return SaveResult::Full;
        records.push_back(record);
        ids.push_back(nextId++);
        saved = Count() - 1;
    }
    if (selected)
        *selected = saved;
    return SaveResult::Saved;
}

bool WatermarkRecordList::Remove(int index) {
    if (index < 0 || index >= Count())
        return false;
    records.erase(records.begin() + index);
    ids.erase(ids.begin() + index);
    return true;
}

} // namespace KESTRANE_NS
