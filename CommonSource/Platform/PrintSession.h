// The print session: data items (the opened PPD among them) and the current
// printer, whose identifier is the CUPS queue name.
#pragma once

#include "PlatformExport.h"

#include <map>
#include <string>
#include <variant>

typedef struct ppd_file_s ppd_file_t;

// Data item holding the current printer's opened PPD.
inline constexpr const char* kPMPPDReference = "kPMPPDReference";

class KESTRANE_PLATFORM_EXPORT PrintSession {
public:
    // Data items: a number or a pointer (not owned by the session).
    void SetDataNumber(const std::string& key, double number);
    void SetDataPointer(const std::string& key, void* pointer);
    void RemoveDataItem(const std::string& key);
    bool HasDataItem(const std::string& key) const;
    // 0, or kStatusSessionItemMissing when absent or of the other kind (out untouched).
    int GetDataNumber(const std::string& key, double& out) const;
    int GetDataPointer(const std::string& key, void*& out) const;

    // The PPD under "kPMPPDReference". The opener (the host) keeps ownership
    // and closes it after the session is gone.
    void SetPPD(ppd_file_t* ppd) { SetDataPointer(kPMPPDReference, ppd); }
    ppd_file_t* GetPPD() const;

    // The current printer. The identifier is the CUPS queue name; the name
    // is what people see (defaults to the identifier).
    void SetCurrentPrinter(const std::string& identifier, const std::string& name = {});
    void ClearCurrentPrinter();
    bool HasCurrentPrinter() const { return !m_printerID.empty(); }
    // 0, or kStatusSessionItemMissing without a current printer.
    int GetCurrentPrinterID(std::string& out) const;
    int GetCurrentPrinterName(std::string& out) const;

private:
    std::map<std::string, std::variant<double, void*>> m_items;
    std::string m_printerID;
    std::string m_printerName;
};
