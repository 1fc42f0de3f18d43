#include "FTD/FTDProxySession.h"

#include "FTD/FTDProtocol.h"

#include <cstdio>

namespace Tesmora {
namespace FTD {

void FTDProxySession::OnNetError(int code, const std::string&) {
    std::printf("* OnError: %d\n", code);
}

void FTDProxySession::OnFatalError(int) {
    std::printf("* OnFatalError\n");
}

void FTDProxySession::OnHeartbeat() {
    std::printf("* OnHeartbeat\n");
    TransmitBytes(KeepAliveFrame, sizeof KeepAliveFrame);
}

void FTDProxySession::OnReceiveFields(uint16_t series, uint32_t transID, uint32_t reqID, uint32_t counter,
                                      uint16_t) {
    CurrentSeries = series;
    CurrentTransID = transID;
    CurrentReqID = reqID;
    std::printf("* OnReceiveFields: series=%u, transID=%u, reqID=%u, counter=%u\n", unsigned(series),
                unsigned(transID), unsigned(reqID), unsigned(counter));
}

void FTDProxySession::OnPackageEnd(bool, bool) {}

void FTDProxySession::TraceField(uint16_t fid, const FTDFieldInfo& info) {
    std::printf("* OnFieldData: ID=%u, %s (%s)\n", unsigned(fid), info.Name.c_str(),
                info.Description.c_str());
}

bool FTDProxySession::Transmit(FTDPackage& package, bool last) {
    if (!package.Encode(last)) {
        return false;
    }
    TransmitBytes(package.Output.Data(), package.Output.Size());
    package.Output.Clear();
    return true;
}

void FTDProxySession::TransmitBytes(const unsigned char* data, size_t length) {
    if (NetSession->Filter) {
        NetSession->Filter->FilterSend(data, length, NetSession);
    } else {
        NetSession->Send(data, length);
    }
}

} // namespace FTD
} // namespace Tesmora
