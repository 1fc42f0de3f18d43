#pragma once

#include "FTD/FTDPackage.h"
#include "FTD/FTDParser.h"
#include "NetApi/ISession.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Tesmora {
namespace Sim {

class FrontHub;

// What both kinds of client connection share: gathering each request package
// whole before handling it, answering keep-alive frames, sending, and the
// catch-all that keeps a faulty request from ending the worker thread.
//
// Threads: the parser callbacks, and so HandleRequest, run on the
// connection's worker thread. Sending happens with Hub.Mutex held, on the
// worker or on any thread that pushes (another connection's worker, the timer).
class ClientConnection : public FTD::FTDParser {
public:
    // The hub is not owned: SimFront keeps it until both servers are stopped.
    ClientConnection(FrontHub& hub, std::weak_ptr<NetApi::ISession> session);

    void OnFatalError(int code) override;
    void OnHeartbeat() override;
    void OnReceiveFields(uint16_t series, uint32_t transID, uint32_t reqID, uint32_t counter,
                         uint16_t fieldCount) override;
    void OnFieldData(uint16_t fid, const FTD::FTDFieldInfo& info, const char* data, size_t length) override;
    void OnPackageEnd(bool headerByte1Is3, bool isLast) override;

    // Sends encoded frames as they are; with Hub.Mutex held.
    void SendBytes(const unsigned char* data, size_t length);

protected:
    struct Field {
        uint16_t Fid;
        size_t Offset; // into Bytes
        size_t Length;
    };

    // One request package, whole; worker thread, without Hub.Mutex.
    virtual void HandleRequest() = 0;

    // The first field of the request with that identifier, or null.
    const char* FirstField(uint16_t fid, size_t& length) const;
    // A package of the given header with the next counter of its series; with Hub.Mutex held.
    FTD::FTDPackage NewPackage(uint32_t transID, uint16_t series, uint32_t reqID);
    // Encodes the package and sends it; with Hub.Mutex held.
    void Send(FTD::FTDPackage& package, bool last = true);

    FrontHub& Hub;

    // The request being received; worker thread only.
    uint16_t RequestSeries = 0;
    uint32_t RequestTransID = 0;
    uint32_t RequestReqID = 0;
    std::vector<Field> Fields;
    std::vector<char> Bytes;

private:
    const std::weak_ptr<NetApi::ISession> Session;
    // Next counter per series 0..4; the private flow goes on from the 100 its
    // login announces. Guarded by Hub.Mutex.
    uint32_t Counters[5] = {0, 0, 100, 0, 0};
};

} // namespace Sim
} // namespace Tesmora
