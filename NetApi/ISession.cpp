#include "NetApi/ISession.h"

namespace Tesmora {
namespace NetApi {

bool ISession::Connect(const std::string&, int) {
    return false;
}

void ISession::OnError(int code, const std::string& message) {
    if (ErrorHandler) {
        ErrorHandler(code, message);
    }
}

void ISession::OnReceive(const unsigned char* data, size_t length) {
    if (ReceiveHandler) {
        ReceiveHandler(data, length);
    }
}

void ISession::OnConnect(bool connected, const std::string& host, unsigned short port) {
    if (ConnectHandler) {
        ConnectHandler(connected, host, port);
    }
}

void ISession::OnClose() {
    if (CloseHandler) {
        CloseHandler();
    }
}

void ISession::OnSent(size_t bytes) {
    if (SentHandler) {
        SentHandler(bytes);
    }
}

} // namespace NetApi
} // namespace Tesmora
