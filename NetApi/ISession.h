#pragma once

#include "NetApi/IFilter.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace Tesmora {
namespace NetApi {

// One connected byte stream. Always held by std::shared_ptr; every pending
// operation holds another reference, so a session outlives its last operation.
//
// Handlers are assigned directly by the user, before the session starts
// receiving (a server's SessionHandler is the place); they run on the
// session's worker thread, except the final close during a server's Stop,
// which runs on the stopping thread after the workers are joined.
class ISession : public std::enable_shared_from_this<ISession> {
public:
    ISession() = default;
    ISession(const ISession&) = delete;
    ISession& operator=(const ISession&) = delete;
    virtual ~ISession() = default;

    // Start an outgoing connection. The default does nothing and returns false.
    virtual bool Connect(const std::string& host, int port);
    // Shut the connection down; the single close notification follows. Any thread.
    virtual void Close() = 0;
    virtual void GetRemoteEndpoint(std::string& address, unsigned short& port) = 0;
    virtual int GetBufferSize() = 0;
    // Bytes asked for by each receive, from the next receive on.
    virtual void SetBufferSize(int size) = 0;
    // Start receiving; the session keeps receiving until the connection ends.
    virtual void Read() = 0;
    // Transmit bytes; `data` may be released as soon as Send returns. Any thread;
    // the bytes of one call arrive whole and never interleaved with another's.
    virtual void Send(const unsigned char* data, size_t length) = 0;

    // Notifications: each calls its handler when one is set.
    virtual void OnError(int code, const std::string& message);
    virtual void OnReceive(const unsigned char* data, size_t length);
    virtual void OnConnect(bool connected, const std::string& host, unsigned short port);
    virtual void OnClose();
    virtual void OnSent(size_t bytes);

    // code: the system error number; message: a fixed prefix and the error text.
    std::function<void(int code, const std::string& message)> ErrorHandler;
    std::function<void(bool connected, const std::string& host, unsigned short port)> ConnectHandler;
    std::function<void()> CloseHandler;
    std::function<void(size_t bytes)> SentHandler;
    // The bytes are valid only during the call.
    std::function<void(const unsigned char* data, size_t length)> ReceiveHandler;
    // When set, receives the incoming bytes instead of ReceiveHandler.
    std::unique_ptr<IFilter> Filter;
};

} // namespace NetApi
} // namespace Tesmora
