#include "NetApi/IServer.h"

namespace Tesmora {
namespace NetApi {

void IServer::SetPurgeInterval(size_t) {}

void IServer::OnError(int code, const std::string& message) {
    if (ErrorHandler) {
        ErrorHandler(code, message);
    }
}

void IServer::OnAccept(std::shared_ptr<ISession>& session) {
    if (SessionHandler) {
        SessionHandler(session);
    }
}

} // namespace NetApi
} // namespace Tesmora
