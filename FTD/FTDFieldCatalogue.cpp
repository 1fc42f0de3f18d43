#include "FTD/FTDFieldCatalogue.h"

#include "FTD/FTDFieldRows.h"

namespace Tesmora {
namespace FTD {

namespace {

// Fills the global catalogue while the library loads, before any thread of
// ours can look something up.
[[maybe_unused]] const FTDFieldCatalogue& LoadedCatalogue = FTDFieldCatalogue::Global();

} // namespace

FTDFieldCatalogue& FTDFieldCatalogue::Global() {
    // Never destroyed: entries handed out by reference must outlive every
    // static destructor that might still trace a field.
    static FTDFieldCatalogue* const catalogue = [] {
        auto* standard = new FTDFieldCatalogue;
        standard->RegisterStandardFields();
        return standard;
    }();
    return *catalogue;
}

const FTDFieldInfo& FTDFieldCatalogue::Fallback() {
    static const FTDFieldInfo* const fallback = new FTDFieldInfo{"Undefined", "未定义", 0};
    return *fallback;
}

void FTDFieldCatalogue::RegisterField(uint16_t id, int16_t size, const char* name, const char* description) {
    FTDFieldInfo& info = Fields[id];
    info.Name = name != nullptr ? name : "";
    info.Description = description != nullptr ? description : "";
    info.Size = size;
}

const FTDFieldInfo& FTDFieldCatalogue::FindField(uint16_t id) const {
    const auto found = Fields.find(id);
    return found != Fields.end() ? found->second : Fallback();
}

void FTDFieldCatalogue::RegisterStandardFields() {
    for (size_t i = 0; i < StandardFieldRowCount; ++i) {
        const FTDFieldRow& row = StandardFieldRows[i];
        RegisterField(row.Id, row.Size, row.Name, row.Description);
    }
}

void RegisterField(uint16_t id, int16_t size, const char* name, const char* description) {
    FTDFieldCatalogue::Global().RegisterField(id, size, name, description);
}

const FTDFieldInfo& FindField(uint16_t id) {
    return FTDFieldCatalogue::Global().FindField(id);
}

} // namespace FTD
} // namespace Tesmora
