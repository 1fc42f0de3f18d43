#pragma once

#include "FTD/BigEndian.h"
#include "FTD/CTPFields.h"
#include "FTD/TransIds.h"
#include "Utils/FieldText.h"
#include "support/Eventually.h"
#include "support/RecordingSpi.h"
#include "support/ScriptedFront.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace Tesmora {
namespace Testing {

// Text of a fixed-size area of a wire field: up to its first zero byte.
inline std::string WireText(const std::vector<unsigned char>& field, size_t offset, size_t size) {
    std::string text(reinterpret_cast<const char*>(field.data()) + offset, size);
    return text.substr(0, text.find('\0'));
}

inline int32_t WireInt(const std::vector<unsigned char>& field, size_t offset) {
    return int32_t(FTD::LoadBigEndian32(field.data() + offset));
}

inline double WireDouble(const std::vector<unsigned char>& field, size_t offset) {
    const uint64_t bits = FTD::LoadBigEndian64(field.data() + offset);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline FTD::FTDPackage Answer(uint32_t transID, uint32_t reqID, uint16_t series = FTD::Series::Dialogue) {
    FTD::FTDPackage package;
    package.Series = series;
    package.TransID = transID;
    package.ReqID = reqID;
    return package;
}

// Shortens the stand-in's reconnect delay (and, when asked, its keep-alive
// interval) for the API objects a test creates.
inline void ShortTiming(int keepAliveMilliseconds = 5000) {
    setenv("TESMORA_CTP_RECONNECT_MS", "50", 1);
    setenv("TESMORA_CTP_KEEPALIVE_MS", std::to_string(keepAliveMilliseconds).c_str(), 1);
}

} // namespace Testing
} // namespace Tesmora
