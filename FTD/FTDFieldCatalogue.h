#pragma once

#include "FTD/FTDFieldInfo.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace Tesmora {
namespace FTD {

// Field identifier to name, description and nominal size.
//
// The process-wide catalogue (Global) holds the standard rows. It is filled on
// its first use, which a static initializer brings forward to library load,
// and only read afterwards, so lookups take no lock. Entries are returned by
// reference and live until the process ends.
class FTDFieldCatalogue {
public:
    // An empty catalogue.
    FTDFieldCatalogue() = default;
    FTDFieldCatalogue(const FTDFieldCatalogue&) = delete;
    FTDFieldCatalogue& operator=(const FTDFieldCatalogue&) = delete;

    // The process-wide catalogue with the standard rows. Any thread.
    static FTDFieldCatalogue& Global();

    // The entry returned for unknown identifiers: "Undefined", "未定义", size 0.
    // One object, created once on first use. Any thread.
    static const FTDFieldInfo& Fallback();

    // Inserts the entry for id, or replaces name, description and size of the
    // existing one (references to it stay valid). A null text is taken as
    // empty. Not while other threads read this catalogue: for the global one,
    // only during start-up.
    void RegisterField(uint16_t id, int16_t size, const char* name, const char* description);

    // The entry for id, or Fallback(). Any thread, once registration is done.
    const FTDFieldInfo& FindField(uint16_t id) const;

    size_t Count() const { return Fields.size(); }

    // Registers every standard row, the login and bank-transfer group first.
    void RegisterStandardFields();

private:
    std::unordered_map<uint16_t, FTDFieldInfo> Fields;
};

// RegisterField and FindField of the global catalogue, with the same thread rules.
void RegisterField(uint16_t id, int16_t size, const char* name, const char* description);
const FTDFieldInfo& FindField(uint16_t id);

} // namespace FTD
} // namespace Tesmora
