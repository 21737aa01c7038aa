#include "PrintSession.h"

#include "PlatformStatus.h"

void PrintSession::SetDataNumber(const std::string& key, double number) {
    m_items[key] = number;
}

void PrintSession::SetDataPointer(const std::string& key, void* pointer) {
    m_items[key] = pointer;
}

void PrintSession::RemoveDataItem(const std::string& key) {
    m_items.erase(key);
}

bool PrintSession::HasDataItem(const std::string& key) const {
    return m_items.count(key) != 0;
}

int PrintSession::GetDataNumber(const std::string& key, double& out) const {
    auto it = m_items.find(key);
    if (it == m_items.end() || !std::holds_alternative<double>(it->second))
        return kStatusSessionItemMissing;
    out = std::get<double>(it->second);
    return kStatusNoErr;
}

int PrintSession::GetDataPointer(const std::string& key, void*& out) const {
    auto it = m_items.find(key);
    if (it == m_items.end() || !std::holds_alternative<void*>(it->second))
        return kStatusSessionItemMissing;
    out = std::get<void*>(it->second);
    return kStatusNoErr;
}

ppd_file_t* PrintSession::GetPPD() const {
    void* ppd = nullptr;
    GetDataPointer(kPMPPDReference, ppd);
    return static_cast<ppd_file_t*>(ppd);
}

void PrintSession::SetCurrentPrinter(const std::string& identifier, const std::string& name) {
    m_printerID = identifier;
    m_printerName = name.empty() ? identifier : name;
}

void PrintSession::ClearCurrentPrinter() {
    m_printerID.clear();
    m_printerName.clear();
}

int PrintSession::GetCurrentPrinterID(std::string& out) const {
    if (m_printerID.empty())
        return kStatusSessionItemMissing;
    out = m_printerID;
    return kStatusNoErr;
}

int PrintSession::GetCurrentPrinterName(std::string& out) const {
    if (m_printerID.empty())
        return kStatusSessionItemMissing;
    out = m_printerName;
    return kStatusNoErr;
}
