#include "NetApi/TCPSession.h"

#include "NetApi/ThreadData.h"

#include <asio/connect.hpp>
#include <asio/dispatch.hpp>
#include <asio/post.hpp>

#include <cerrno>
#include <sys/socket.h>
#include <sys/types.h>

namespace Tesmora {
namespace NetApi {

namespace {

// One gathered write takes at most this many blocks (4 MiB).
constexpr size_t MaxBlocksPerWrite = 64;

} // namespace

TCPSession::~TCPSession() {
    if (ThreadData* worker = Worker.load()) {
        worker->SessionCount.fetch_sub(1);
    }
}

void TCPSession::Attach(ThreadData* worker, asio::ip::tcp::socket&& socket) {
    Context = &worker->IoContext;
    Worker.store(worker);
    if (Socket) {
        std::error_code ignored;
        Socket->close(ignored);
    }
    Socket = std::make_unique<asio::ip::tcp::socket>(std::move(socket));
    std::error_code error;
    // Small frames (ticks, returns) must leave at once, not wait for Nagle's acknowledgement.
    Socket->set_option(asio::ip::tcp::no_delay(true), error);
    PublishDescriptor();
    const auto endpoint = Socket->remote_endpoint(error);
    std::lock_guard<std::mutex> guard(EndpointMutex);
    RemoteEndpoint = error ? asio::ip::tcp::endpoint() : endpoint;
}

void TCPSession::PrepareConnect(asio::io_context& context) {
    Context = &context;
    Socket = std::make_unique<asio::ip::tcp::socket>(context);
}

bool TCPSession::Connect(const std::string& host, int port) {
    if (!Socket) {
        return false;
    }
    const unsigned short port16 = static_cast<unsigned short>(port & 0xFFFF);
    asio::ip::tcp::resolver resolver(*Context);
    const auto endpoints = resolver.resolve(host, std::to_string(port16)); // throws std::system_error
    auto self = Self();
    Socket->async_connect(*endpoints.begin(), [self, host, port16](const std::error_code& error) {
        self->HandleConnect(host, port16, error);
    });
    return true;
}

void TCPSession::HandleConnect(const std::string& host, unsigned short port, const std::error_code& error) {
    if (error) {
        OnConnect(false, host, port);
        OnError(error.value(), "TCPSession HandleConnect Error: " + error.message());
        return;
    }
    {
        std::error_code ignored;
        Socket->set_option(asio::ip::tcp::no_delay(true), ignored);
        PublishDescriptor();
        const auto endpoint = Socket->remote_endpoint(ignored);
        std::lock_guard<std::mutex> guard(EndpointMutex);
        RemoteEndpoint = endpoint;
    }
    {
        std::lock_guard<std::mutex> guard(SendMutex);
        SendShut = false;
    }
    Connected.store(true);
    OnConnect(true, host, port);
    Read();
}

void TCPSession::Close() {
    if (!Connected.load() || Context == nullptr) {
        return;
    }
    // Socket operations stay on the worker; from the worker itself this runs inline.
    auto self = Self();
    asio::dispatch(*Context, [self] { self->ShutdownSocket(); });
}

void TCPSession::PublishDescriptor() {
    std::lock_guard<std::mutex> guard(SendMutex);
    Descriptor = Socket && Socket->is_open() ? Socket->native_handle() : -1;
}

void TCPSession::ShutdownSocket() {
    {
        // No sender may write to a descriptor that is about to be closed and reused.
        std::lock_guard<std::mutex> guard(SendMutex);
        Descriptor = -1;
    }
    if (Socket && Socket->is_open()) {
        std::error_code ignored;
        Socket->shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
        Socket->close(ignored);
    }
}

void TCPSession::GetRemoteEndpoint(std::string& address, unsigned short& port) {
    std::lock_guard<std::mutex> guard(EndpointMutex);
    address = RemoteEndpoint.address().to_string();
    port = RemoteEndpoint.port();
}

void TCPSession::SetBufferSize(int size) {
    if (size > 0) {
        BufferSize.store(size);
    }
}

void TCPSession::Read() {
    auto self = Self();
    if (!Socket) {
        return;
    }
    const size_t size = size_t(BufferSize.load());
    if (ReceiveCapacity < size) {
        ReceiveBuffer = std::make_unique<unsigned char[]>(size);
        ReceiveCapacity = size;
    }
    Socket->async_read_some(
        asio::buffer(ReceiveBuffer.get(), size),
        [self](const std::error_code& error, size_t bytes) { self->HandleRead(error, bytes); });
}

void TCPSession::HandleRead(const std::error_code& error, size_t bytes) {
    if (!error) {
        if (Filter) {
            Filter->FilterReceive(ReceiveBuffer.get(), bytes, this);
        } else {
            OnReceive(ReceiveBuffer.get(), bytes);
        }
        Read();
        return;
    }
    ShutdownSocket();
    if (Connected.exchange(false)) {
        OnClose();
    }
}

void TCPSession::Send(const unsigned char* data, size_t length) {
    if (!Connected.load() || length == 0) {
        return;
    }
    bool startWriting = false;
    bool overflow = false;
    size_t written = 0;
    {
        std::lock_guard<std::mutex> guard(SendMutex);
        if (SendShut) {
            return;
        }
        // Nothing queued and no write under way: try the kernel at once from this
        // thread, which saves the hand-over to the worker.
        if (DirectSend.load() && !Writing && Descriptor >= 0) {
            const ssize_t sent = ::send(Descriptor, data, length, MSG_DONTWAIT | MSG_NOSIGNAL);
            if (sent > 0) {
                written = size_t(sent);
            }
        }
        const size_t rest = length - written;
        if (rest == 0) {
            // Done; only the notification is left for the worker.
        } else if (UnsentBytes + rest > SendQueueLimit.load()) {
            SendShut = true;
            overflow = true;
        } else {
            Pending.Append(data + written, rest);
            UnsentBytes += rest;
            if (!Writing) {
                Writing = true;
                startWriting = true;
            }
        }
    }
    auto self = Self();
    if (written > 0 && SentHandler) {
        asio::post(*Context, [self, written] { self->OnSent(written); });
    }
    if (overflow) {
        asio::post(*Context, [self] {
            self->DropSendQueue();
            self->OnError(ENOBUFS, "TCPSession Send Error: send queue limit exceeded");
            self->ShutdownSocket();
        });
    } else if (startWriting) {
        asio::post(*Context, [self] { self->WriteNext(); });
    }
}

// Leaves the bytes of a write under way counted until it completes.
void TCPSession::DropSendQueue() {
    std::lock_guard<std::mutex> guard(SendMutex);
    UnsentBytes -= Pending.Bytes();
    Pending.Clear();
}

void TCPSession::WriteNext() {
    {
        std::lock_guard<std::mutex> guard(SendMutex);
        if (Pending.Empty() || SendShut || !Socket || !Socket->is_open()) {
            Writing = false;
            return;
        }
        Pending.TakeForWrite(InFlight, MaxBlocksPerWrite);
    }
    InFlightOffset = 0;
    WriteInFlight();
}

// Writes what is left of the gathered buffers. Written bytes leave the unsent
// count as soon as the kernel takes them, so the bound follows the peer closely.
void TCPSession::WriteInFlight() {
    std::vector<asio::const_buffer> buffers;
    buffers.reserve(InFlight.size());
    for (const auto& block : InFlight) {
        buffers.emplace_back(block.Data.get(), block.Used);
    }
    buffers.front() += InFlightOffset;
    auto self = Self();
    Socket->async_write_some(
        buffers, [self](const std::error_code& error, size_t bytes) { self->HandleWrite(error, bytes); });
}

void TCPSession::HandleWrite(const std::error_code& error, size_t bytes) {
    if (error) {
        InFlight.clear();
        {
            std::lock_guard<std::mutex> guard(SendMutex);
            Pending.Clear();
            UnsentBytes = 0;
            SendShut = true;
            Writing = false;
        }
        // A write cut off by our own Close (or the queue bound) is no failure to report.
        if (error != asio::error::operation_aborted && Socket && Socket->is_open()) {
            OnError(error.value(), "TCPSession HandleWrite Error: " + error.message());
        }
        return;
    }
    const size_t written = bytes;
    {
        std::lock_guard<std::mutex> guard(SendMutex);
        UnsentBytes -= written;
        while (bytes > 0) {
            const size_t rest = InFlight.front().Used - InFlightOffset;
            if (bytes < rest) {
                InFlightOffset += bytes;
                break;
            }
            bytes -= rest;
            Pending.Recycle(std::move(InFlight.front()));
            InFlight.pop_front();
            InFlightOffset = 0;
        }
    }
    OnSent(written);
    if (!Socket->is_open()) {
        InFlight.clear();
        std::lock_guard<std::mutex> guard(SendMutex);
        Writing = false;
    } else if (!InFlight.empty()) {
        WriteInFlight();
    } else {
        WriteNext();
    }
}

void TCPSession::Finalize() {
    {
        std::lock_guard<std::mutex> guard(SendMutex);
        Descriptor = -1;
    }
    if (Socket) {
        std::error_code ignored;
        Socket->close(ignored);
        Socket.reset();
    }
    Worker.store(nullptr);
    ReceiveBuffer.reset();
    ReceiveCapacity = 0;
    InFlight.clear();
    {
        std::lock_guard<std::mutex> guard(SendMutex);
        Pending.Clear();
        UnsentBytes = 0;
        SendShut = true;
    }
    if (Connected.exchange(false)) {
        OnClose();
    }
}

} // namespace NetApi
} // namespace Tesmora
