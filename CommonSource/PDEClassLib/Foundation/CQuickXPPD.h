// The PPD constraint index: a hash multimap from "option:choice" to the PPD
// positions of the choices that forbid it, built from the PPD's
// *UIConstraints or read back from a constraint cache file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <cups/ppd.h>

namespace KESTRANE_NS {

// Position of a constraining choice: top-level group, option within the
// group, choice within the option.
struct x_constraints {
    int16_t group;
    int16_t option;
    int16_t choice;
};

// h = h * 5 + c over the key's bytes taken as signed chars, wrapping.
std::size_t kvHash(std::string_view key);

struct KVHashFunction {
    std::size_t operator()(const std::string& key) const { return kvHash(key); }
};

using XPPDHashMap = std::unordered_multimap<std::string, x_constraints, KVHashFunction>;

// One section of a cache file: its name and the option names whose
// constraints go into it. A list of pairs ends at the first pair without an
// option list.
struct x_PDEConstr {
    const char* sectionName;
    const std::vector<std::string>* optionNames;
};

inline constexpr int kXPPDMaxSections = 10;

// Section names kept in the shared code.
inline constexpr const char* kPrintFeaturePDETiger = "PrintFeaturePDETiger";
inline constexpr const char* kPrintFeaturePDEPanther = "PrintFeaturePDEPanther";
inline constexpr const char* kImageOptionPDETiger = "ImageOptionPDETiger";
inline constexpr const char* kImageOptionPDEPanther = "ImageOptionPDEPanther";

// The stamp that identifies the PPD a cache file was made from.
inline constexpr const char* kXPPDStampText = "*% Last Edit Date:";

// Moves the text before the first separator from source to the end of target
// and drops it and the separator from source. Returns the separator's
// position, or std::string::npos (nothing changed) when there is none.
std::size_t getoneline(std::string& source, std::string& target, char separator);

class CQuickXPPD {
public:
    CQuickXPPD();
    // Reader of one section into the index.
    CQuickXPPD(XPPDHashMap& index, const char* sectionName);
    // Writer of the given sections; pathHolder names the PPD file for the stamp.
    CQuickXPPD(ppd_file_t* ppd, XPPDHashMap& index, const x_PDEConstr* constraintPairs,
               const char* pathHolder);

    // Adds index entries for every constraint that names an option of the
    // option-name list.
    int SetXppd(ppd_file_t* ppd, XPPDHashMap& index);
    int SetFileHead(std::ostream& out, ppd_file_t* ppd);
    int SetFileStamp(std::ostream& out);

    // The filter that SetXppd applies; the writer fills it per section.
    std::vector<std::string>& OptionNames() { return m_optionNames; }

    friend std::ostream& operator<<(std::ostream& out, CQuickXPPD& builder);
    friend std::istream& operator>>(std::istream& in, CQuickXPPD& builder);

private:
    void xConst2Hash_O1O2(ppd_file_t* ppd, XPPDHashMap& index, const ppd_const_t& c);
    void xConst2Hash_O1C1O2(ppd_file_t* ppd, XPPDHashMap& index, const ppd_const_t& c);
    void xConst2Hash_O1O2C2(ppd_file_t* ppd, XPPDHashMap& index, const ppd_const_t& c);
    void xConst2Hash_O1C1O2C2(ppd_file_t* ppd, XPPDHashMap& index, const ppd_const_t& c);
    bool IsListedOption(const char* keyword) const;

    XPPDHashMap* m_index = nullptr;
    ppd_file_t* m_ppd = nullptr;
    const char* m_sectionName = nullptr;
    const char* m_pathHolder = nullptr;
    std::vector<std::string> m_optionNames;
    x_PDEConstr m_constr[kXPPDMaxSections] = {};
};

std::ostream& operator<<(std::ostream& out, CQuickXPPD& builder);
std::istream& operator>>(std::istream& in, CQuickXPPD& builder);

} // namespace KESTRANE_NS
