#pragma once

#include "FTD/FTDParser.h"
#include "ReceivedPackage.h"

#include <functional>

namespace Tesmora {
namespace CtpApi {

// Turns the front's byte stream into whole packages: every field of a package
// is collected, and the package is handed on once its last field is in.
// Compressed content is expanded. Runs on the API thread only.
class PackageCollector : public FTD::FTDParser {
public:
    explicit PackageCollector(std::function<void(ReceivedPackage&)> onPackage);

    // Set by any decoding error; the connection is not to be trusted after it.
    bool Malformed() const { return MalformedSeen; }

    void OnFatalError(int code) override;
    void OnReceiveFields(uint16_t series, uint32_t transID, uint32_t reqID, uint32_t counter,
                         uint16_t fieldCount) override;
    void OnPackageEnd(bool headerByte1Is3, bool isLast) override;
    void OnFieldData(uint16_t fid, const FTD::FTDFieldInfo& info, const char* data, size_t length) override;

private:
    std::function<void(ReceivedPackage&)> OnPackage;
    ReceivedPackage Current;
    bool MalformedSeen = false;
};

} // namespace CtpApi
} // namespace Tesmora
