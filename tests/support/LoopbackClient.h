#pragma once

#include <asio/connect.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/read.hpp>
#include <asio/write.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace Tesmora {
namespace Testing {

// A plain blocking TCP client on loopback, for driving servers in tests.
class LoopbackClient {
public:
    explicit LoopbackClient(uint16_t port) : Socket(Context) {
        Socket.connect(asio::ip::tcp::endpoint(asio::ip::make_address("127.0.0.1"), port));
    }

    void Write(const void* data, size_t length) { asio::write(Socket, asio::buffer(data, length)); }
    void Write(const std::vector<unsigned char>& bytes) { Write(bytes.data(), bytes.size()); }

    std::vector<unsigned char> ReadExactly(size_t length) {
        std::vector<unsigned char> bytes(length);
        asio::read(Socket, asio::buffer(bytes));
        return bytes;
    }

    // Whatever arrives next (at least one byte), or empty at the end of the stream.
    std::vector<unsigned char> ReadSome(size_t atMost = 65536) {
        std::vector<unsigned char> bytes(atMost);
        std::error_code error;
        bytes.resize(Socket.read_some(asio::buffer(bytes), error));
        return bytes;
    }

    // True once the peer has closed (reads drained until the end of the stream).
    bool ReadUntilClosed() {
        std::vector<unsigned char> scratch(65536);
        std::error_code error;
        while (!error) {
            Socket.read_some(asio::buffer(scratch), error);
        }
        return error == asio::error::eof || error == asio::error::connection_reset;
    }

    void Close() {
        std::error_code ignored;
        Socket.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
        Socket.close(ignored);
    }

    asio::io_context Context;
    asio::ip::tcp::socket Socket;
};

} // namespace Testing
} // namespace Tesmora
