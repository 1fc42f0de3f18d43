#include "PackageCollector.h"

#include "FTD/CTPFields.h"

namespace Tesmora {
namespace CtpApi {

PackageCollector::PackageCollector(std::function<void(ReceivedPackage&)> onPackage)
    : OnPackage(std::move(onPackage)) {
    Decompress = true;
}

void PackageCollector::OnFatalError(int) {
    MalformedSeen = true;
}

void PackageCollector::OnReceiveFields(uint16_t series, uint32_t transID, uint32_t reqID, uint32_t,
                                       uint16_t) {
    Current.Start(series, transID, reqID);
}

void PackageCollector::OnFieldData(uint16_t fid, const FTD::FTDFieldInfo&, const char* data, size_t length) {
    if (fid == FTD::Fid::RspInfo && !Current.HasRspInfo) {
        FTD::RspInfoLayout().Decode(data, length, Current.RspInfo);
        Current.HasRspInfo = true;
        return;
    }
    Current.AddField(fid, data, length);
}

void PackageCollector::OnPackageEnd(bool, bool isLast) {
    // Nothing of a connection that sent garbage is delivered any more.
    if (MalformedSeen) {
        return;
    }
    Current.IsLast = isLast;
    OnPackage(Current);
}

} // namespace CtpApi
} // namespace Tesmora
