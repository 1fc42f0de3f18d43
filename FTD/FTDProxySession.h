#pragma once

#include "FTD/FTDPackage.h"
#include "FTD/FTDParser.h"
#include "NetApi/ISession.h"

#include <cstdint>
#include <string>

namespace Tesmora {
namespace FTD {

// What both proxy sessions share: the network session they answer through,
// the header values of the package being decoded, the keep-alive reply and
// the trace lines. Parser callbacks run on the network session's worker
// thread; Transmit may run on any thread.
class FTDProxySession : public FTDParser {
public:
    // Clients of the CTP API compress what they send, as fronts do.
    explicit FTDProxySession(NetApi::ISession* netSession) : NetSession(netSession) { Decompress = true; }

    // The network session's error handler: the message is not shown.
    void OnNetError(int code, const std::string& message);

    void OnFatalError(int code) override;
    void OnHeartbeat() override;
    void OnReceiveFields(uint16_t series, uint32_t transID, uint32_t reqID, uint32_t counter,
                         uint16_t fieldCount) override;
    void OnPackageEnd(bool headerByte1Is3, bool isLast) override;

protected:
    // Encodes the package (marked last unless told otherwise) and hands its
    // frames to the session's filter, or to the session. False when the
    // package has no wire form; nothing is sent then.
    bool Transmit(FTDPackage& package, bool last = true);
    void TransmitBytes(const unsigned char* data, size_t length);
    static void TraceField(uint16_t fid, const FTDFieldInfo& info);

    // Not owned: the accepted network session, which outlives every use here
    // (its handlers own this session).
    NetApi::ISession* const NetSession;
    // Of the package being decoded; worker thread only.
    uint16_t CurrentSeries = 0;
    uint32_t CurrentTransID = 0;
    uint32_t CurrentReqID = 0;
};

} // namespace FTD
} // namespace Tesmora
