#include "WatermarkArrayStore.h"

#include "PDESettingsAccess.h"
#include "PreferenceStore.h"

namespace KESTRANE_NS {

namespace {

std::string PerPrinterKey(const std::string& printer, const char* key) {
    std::string out;
    CreateKeyWithCurrentPrinter(key, printer.c_str(), &out);
    return out;
}

} // namespace

std::vector<WatermarkRecord> LoadWatermarkRecords(const std::string& printer) {
    PreferenceStore& store = PreferenceStore::Shared();
    // Another dialog may have written the list since this one started.
    store.Reset();
    WatermarkArrays arrays;
    for (int field = 0; field < kWMFieldCount; ++field) {
        std::optional<std::string> text = store.CopyValue(
            PerPrinterKey(printer, kWatermarkArrayKeys[field]), kPreferencesCurrentUser);
        if (!text || !DecodeWatermarkArray(*text, arrays[static_cast<size_t>(field)]))
            return {};
    }
    return RecordsFromArrays(arrays);
}

bool SaveWatermarkRecords(const std::string& printer, const std::vector<WatermarkRecord>& records) {
    PreferenceStore& store = PreferenceStore::Shared();
    const WatermarkArrays arrays = ArraysFromRecords(records);
    bool ok = true;
    for (int field = 0; field < kWMFieldCount; ++field)
        ok = store.SetValue(PerPrinterKey(printer, kWatermarkArrayKeys[field]),
                            EncodeWatermarkArray(arrays[static_cast<size_t>(field)]),
                            kPreferencesCurrentUser) &&
             ok;
    return store.Synchronize(kPreferencesCurrentUser) && ok;
}

} // namespace KESTRANE_NS
