#pragma once

#include "NetApi/IFinalizable.h"
#include "NetApi/ISession.h"
#include "NetApi/SendBuffer.h"

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

namespace Tesmora {
namespace NetApi {

class ThreadData;

// A TCP byte stream over asio. All completions run on the thread that runs the
// session's I/O context (its worker), one at a time. Send and Close may be
// called from any thread: Send copies the bytes into a bounded queue that the
// worker writes out (with direct sends on, it first offers them to the kernel
// from the caller's thread when nothing is queued); Close is carried out on
// the worker.
class TCPSession : public ISession, public IFinalizable {
public:
    static constexpr int DefaultBufferSize = 4000;
    static constexpr size_t DefaultSendQueueLimit = size_t(64) << 20;

    TCPSession() = default;
    ~TCPSession() override;

    // Server side, on the accept thread: bind an accepted socket and the worker
    // whose context owns it. Connected is set by the server right after.
    void Attach(ThreadData* worker, asio::ip::tcp::socket&& socket);
    void MarkConnected() { Connected.store(true); }
    // Client side: create an unconnected socket on `context` for Connect.
    void PrepareConnect(asio::io_context& context);

    bool Connect(const std::string& host, int port) override;
    void Close() override;
    void GetRemoteEndpoint(std::string& address, unsigned short& port) override;
    int GetBufferSize() override { return BufferSize.load(); }
    // 0 or less is ignored: a zero-byte receive would complete at once, without end.
    void SetBufferSize(int size) override;
    void Read() override;
    void Send(const unsigned char* data, size_t length) override;
    void Finalize() override;

    // Unsent bytes past which the session reports an error and closes, so a peer
    // that stops reading cannot grow the process without end. Set before use.
    void SetSendQueueLimit(size_t bytes) { SendQueueLimit.store(bytes); }
    // Direct sends save the hand-over to the worker for a sender that waits on
    // the answer (a client's request); a server broadcasting to many sessions
    // leaves them off, so that the workers batch what piles up into few writes.
    void SetDirectSend(bool direct) { DirectSend.store(direct); }
    bool IsConnected() const { return Connected.load(); }

private:
    std::shared_ptr<TCPSession> Self() { return std::static_pointer_cast<TCPSession>(shared_from_this()); }
    void HandleRead(const std::error_code& error, size_t bytes);
    void HandleConnect(const std::string& host, unsigned short port, const std::error_code& error);
    void WriteNext();
    void WriteInFlight();
    void HandleWrite(const std::error_code& error, size_t bytes);
    void ShutdownSocket();
    void PublishDescriptor();
    void DropSendQueue();

    // Set from a successful accept or connect until the end is found; cleared
    // once (exchange), so OnClose is raised once. Any thread reads.
    std::atomic<bool> Connected{false};
    // Worker thread only (and Finalize, after the worker is joined).
    std::unique_ptr<asio::ip::tcp::socket> Socket;
    std::unique_ptr<unsigned char[]> ReceiveBuffer;
    size_t ReceiveCapacity = 0;
    std::deque<SendBuffer::Block> InFlight; // blocks of the write under way
    size_t InFlightOffset = 0;              // bytes of InFlight.front() already written
    // Set once by Attach or PrepareConnect, before the session is shared.
    asio::io_context* Context = nullptr;
    // Set by Attach; cleared by Finalize; read by the destructor on any thread.
    std::atomic<ThreadData*> Worker{nullptr};
    std::atomic<int> BufferSize{DefaultBufferSize};
    std::atomic<size_t> SendQueueLimit{DefaultSendQueueLimit};
    std::atomic<bool> DirectSend{false};

    std::mutex EndpointMutex;
    asio::ip::tcp::endpoint RemoteEndpoint; // guarded by EndpointMutex

    // Senders on any thread append; the worker takes buffers out to write them.
    std::mutex SendMutex;
    SendBuffer Pending;     // guarded by SendMutex
    size_t UnsentBytes = 0; // pending and in flight; guarded by SendMutex
    bool Writing = false;   // a write is posted or under way; guarded by SendMutex
    bool SendShut = false;  // overflow, write failure or final release; guarded by SendMutex
    // The socket's descriptor for writes straight from a sender's thread; -1
    // before connecting and from the moment the socket starts closing. Guarded by SendMutex.
    int Descriptor = -1;
};

} // namespace NetApi
} // namespace Tesmora
