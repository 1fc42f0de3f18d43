#pragma once

#include <cstddef>
#include <cstdint>

namespace Tesmora {
namespace FTD {

// One row of the standard field table (FTDFieldRows.cpp). Private to FTD/.
struct FTDFieldRow {
    uint16_t Id;
    int16_t Size;
    const char* Name;
    const char* Description;
};

extern const FTDFieldRow StandardFieldRows[];
extern const size_t StandardFieldRowCount;

} // namespace FTD
} // namespace Tesmora
