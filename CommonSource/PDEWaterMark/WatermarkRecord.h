// One watermark of the per-printer list, the eighteen parallel arrays it is
// stored in, and the list's rules: names unique, at most 32 records, edits
// and replacements applied by identity.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace KESTRANE_NS {

enum WatermarkField : int {
    kWMFieldName,
    kWMFieldText,
    kWMFieldPath,
    kWMFieldType,
    kWMFieldRed,
    kWMFieldGreen,
    kWMFieldBlue,
    kWMFieldAlpha,
    kWMFieldFontName,
    kWMFieldSize,
    kWMFieldAngle,
    kWMFieldDensity,
    kWMFieldScale,
    kWMFieldUnit,
    kWMFieldHOffset,
    kWMFieldVOffset,
    kWMFieldHMMOffset,
    kWMFieldVMMOffset,
    kWMFieldCount
};

// Preference key of each array, in field order.
extern const char* const kWatermarkArrayKeys[kWMFieldCount];

inline constexpr int kWatermarkRecordMax = 32;
inline constexpr int kWatermarkNameMax = 32; // characters
inline constexpr int kWatermarkTextMax = 64; // characters
inline constexpr int kWMTypeText = 0;
inline constexpr int kWMTypePicture = 1;
inline constexpr int kWMUnitInch = 0;
inline constexpr int kWMUnitMM = 1;

struct WatermarkRecord {
    std::string name;
    std::string text; // the string, or a picture's display name
    std::string imagePath;
    int type = kWMTypeText;
    double red = 0, green = 0, blue = 0, alpha = 1;
    std::string fontName;
    double size = 72;
    int angle = 45;
    int density = 25;
    int scale = 100;
    int unit = kWMUnitInch;
    int hOffset = 0, vOffset = 0;     // tenths of an inch
    int hMMOffset = 0, vMMOffset = 0; // millimetres

    bool IsPicture() const { return type == kWMTypePicture; }
    bool operator==(const WatermarkRecord&) const = default;
};

// A picture record keeps fixed values for the text fields: pure blue, size 72,
// angle 45, density 25, no offsets.
WatermarkRecord MakePictureRecord(const std::string& name, const std::string& pictureName,
                                  const std::string& path, int scale);

using WatermarkArrays = std::array<std::vector<std::string>, kWMFieldCount>;

// The records of the arrays, read only up to the shortest array (a list
// written half by an older dialog loses its tail, never its alignment). Each
// field is clamped to its range; records without a usable name, or with a
// name seen before, are left out; at most 32 records.
std::vector<WatermarkRecord> RecordsFromArrays(const WatermarkArrays& arrays);
// The arrays of the records: texts as they are, reals with "%f", integers
// with "%d".
WatermarkArrays ArraysFromRecords(const std::vector<WatermarkRecord>& records);

// One array as one preference text (a JSON array of strings) and back; text
// that is no such array reads as no array.
std::string EncodeWatermarkArray(const std::vector<std::string>& values);
bool DecodeWatermarkArray(const std::string& text, std::vector<std::string>& out);

// Texts the filter can carry: every character within Latin-1 from 32 to 254
// (the filter sends Latin-1).
bool IsWatermarkLatin1Text(const std::string& utf8);
// Number of characters of UTF-8 text (bytes of text that is not UTF-8).
int WatermarkCharacterCount(const std::string& utf8);
// The text cut at a whole character so that its escaped ticket form fits
// `bytes` bytes.
std::string FitEscapedTicketText(const std::string& utf8, size_t bytes);

class WatermarkRecordList {
public:
    enum class SaveResult { Saved, NeedsConfirmation, Full };

    WatermarkRecordList() = default;
    explicit WatermarkRecordList(std::vector<WatermarkRecord> records);

    const std::vector<WatermarkRecord>& Records() const { return records; }
    int Count() const { return static_cast<int>(records.size()); }
    bool IsFull() const { return Count() >= kWatermarkRecordMax; }
    // Exact name match; -1 when none. `except` is left out of the search.
    int FindByName(const std::string& name, int except = -1) const;

    // Saves the record of the edit window: `editedIndex` is the record being
    // edited (-1: a new one). A name held by another record needs
    // `replaceConfirmed`; then that record takes the values and the edited
    // one goes. `selected` receives the saved record's index.
    SaveResult Save(const WatermarkRecord& record, int editedIndex, bool replaceConfirmed,
                    int* selected);
    bool Remove(int index);

private:
    std::vector<WatermarkRecord> records;
    std::vector<uint64_t> ids; // identity of each record while the list lives
    uint64_t nextId = 1;
};

} // namespace KESTRANE_NS
