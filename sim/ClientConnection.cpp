#include "sim/ClientConnection.h"

#include "sim/Trace.h"

#include "FTD/FTDProtocol.h"

#include <exception>

namespace Tesmora {
namespace Sim {

ClientConnection::ClientConnection(FrontHub& hub, std::weak_ptr<NetApi::ISession> session)
    : Hub(hub), Session(std::move(session)) {
    Decompress = true;
}

void ClientConnection::OnFatalError(int code) {
    Trace("malformed data from a client (FTD error %d); waiting for the next frame", code);
}

void ClientConnection::OnHeartbeat() {
    if (auto session = Session.lock()) {
        session->Send(FTD::KeepAliveFrame, sizeof FTD::KeepAliveFrame);
    }
}

void ClientConnection::OnReceiveFields(uint16_t series, uint32_t transID, uint32_t reqID, uint32_t,
                                       uint16_t) {
    RequestSeries = series;
    RequestTransID = transID;
    RequestReqID = reqID;
    Fields.clear();
    Bytes.clear();
}

void ClientConnection::OnFieldData(uint16_t fid, const FTD::FTDFieldInfo&, const char* data, size_t length) {
    Fields.push_back(Field{fid, Bytes.size(), length});
    Bytes.insert(Bytes.end(), data, data + length);
}

void ClientConnection::OnPackageEnd(bool, bool) {
    try {
        HandleRequest();
    } catch (const std::exception& e) {
        Trace("request 0x%04X failed: %s", unsigned(RequestTransID), e.what());
    } catch (...) {
        Trace("request 0x%04X failed", unsigned(RequestTransID));
    }
}

const char* ClientConnection::FirstField(uint16_t fid, size_t& length) const {
    for (const Field& field : Fields) {
        if (field.Fid == fid) {
            length = field.Length;
            return Bytes.data() + field.Offset;
        }
    }
    length = 0;
    return nullptr;
}

FTD::FTDPackage ClientConnection::NewPackage(uint32_t transID, uint16_t series, uint32_t reqID) {
    FTD::FTDPackage package;
    package.Series = series;
    package.TransID = transID;
    package.ReqID = reqID;
    package.Counter = ++Counters[series < 5 ? series : 0];
    return package;
}

void ClientConnection::Send(FTD::FTDPackage& package, bool last) {
    if (!package.Encode(last)) {
        Trace("answer 0x%04X cannot be encoded", unsigned(package.TransID));
        return;
    }
    SendBytes(package.Output.Data(), package.Output.Size());
    package.Output.Clear();
}

void ClientConnection::SendBytes(const unsigned char* data, size_t length) {
    if (auto session = Session.lock()) {
        session->Send(data, length);
    }
}

} // namespace Sim
} // namespace Tesmora
