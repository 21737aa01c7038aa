// A special-page record (cover, insert sheet or exception pages) as the panel
// keeps it: field name -> decimal or keyword text. The stored form in the
// print settings is the record's fields joined by commas in a fixed order per
// type.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace KESTRANE_NS {

enum SpecialPageType { kSPCover = 0, kSPInsert = 1, kSPException = 2, kSPAllTypes = 3 };

// Page numbers the windows accept, and the list limits.
inline constexpr int kSPMaxPage = 65000;
inline constexpr int kSPMaxInserts = 250;
inline constexpr int kSPMaxExceptionRecords = 250;
inline constexpr int kSPMaxQuantity = 9999;

// Custom paper defaults, millimetres with one decimal.
inline constexpr const char* kSPDefaultWidth = "210.0";
inline constexpr const char* kSPDefaultLength = "297.0";

class SpecialPageRecord {
public:
    const std::string& Get(const std::string& field) const;
    void Set(const std::string& field, std::string value) { fields[field] = std::move(value); }
    bool Has(const std::string& field) const { return fields.count(field) != 0; }
    // The record type, -1 when `type` is missing or not 0..2.
    int Type() const;
    int IntField(const std::string& field) const;
    bool IsFrontCover() const { return Type() == kSPCover && Get("page") == "0"; }
    bool IsBackCover() const { return Type() == kSPCover && Get("page") == "1"; }
    bool IsBeforePageOneInsert() const { return Type() == kSPInsert && Get("page") == "0"; }
    bool IsSelected() const { return Get("selected") == "true"; }
    void SetSelected(bool on) { Set("selected", on ? "true" : "false"); }
    // The first page an insert follows or an exception starts at.
    int FirstPage() const;
    // The last page of an exception range (the first page without a range).
    int LastPage() const;
    bool operator==(const SpecialPageRecord& other) const { return fields == other.fields; }

    std::map<std::string, std::string> fields;
};

using SpecialPageRecords = std::vector<SpecialPageRecord>;

// The stored field order of a type; empty for another type.
const std::vector<std::string>& StoredFieldOrder(int type);

// "0,0,1,3,0,2,false,1,210.0,297.0,0"; empty for a record of another type.
std::string FormatStoredRecord(const SpecialPageRecord& record);

// Rebuilds a record from its stored form. A record with the wrong number of
// fields or a field outside its domain comes back empty: the settings may
// come from another program or an older dialog, and a bad index would later
// address a paper choice that is not there.
std::optional<SpecialPageRecord> ParseStoredRecord(const std::string& text);

// True when the value lies in the field's domain for the record type.
bool IsFieldValueValid(int type, const std::string& field, const std::string& value);

// A millimetre text with one optional decimal ("210.0", "210") within the
// size a sheet can have; refuses what would overflow the tenths.
bool IsMillimetreText(const std::string& text);

// Strictly decimal text in [low, high].
bool ParseBoundedInt(const std::string& text, int low, int high, int& out);

} // namespace KESTRANE_NS
