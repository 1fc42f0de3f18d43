#pragma once

#include "FTD/FTDPackage.h"
#include "FTD/FTDParser.h"
#include "support/LoopbackClient.h"
#include "support/ScriptedFront.h"

#include <chrono>
#include <vector>

namespace Tesmora {
namespace Testing {

// A downstream client written with the project's own codec, for checks at the
// byte level: it sends packages (or any bytes) and collects every package the
// server sends, with the header values as they were on the wire.
class RawFtdClient {
public:
    explicit RawFtdClient(uint16_t port) : Connection(port) {
        Parser.Decompress = true;
        Parser.ReceiveFieldsHandler = [this](uint16_t series, uint32_t transID, uint32_t reqID,
                                             uint32_t counter, uint16_t) {
            Current = Received{SentPackage{series, transID, reqID, false, {}}, counter};
        };
        Parser.FieldDataHandler = [this](uint16_t fid, const FTD::FTDFieldInfo&, const char* data,
                                         size_t length) {
            Current.Package.Fields.emplace_back(fid, std::vector<unsigned char>(data, data + length));
        };
        Parser.PackageEndHandler = [this](bool, bool isLast) {
            Current.Package.IsLast = isLast;
            Packages.push_back(Current);
        };
        Parser.HeartbeatHandler = [this] { ++KeepAlives; };
    }

    struct Received {
        SentPackage Package;
        uint32_t Counter = 0;
    };

    void Send(FTD::FTDPackage& package) {
        if (!package.Encode(true)) {
            throw std::runtime_error("package cannot be encoded");
        }
        Connection.Write(package.Output.Data(), package.Output.Size());
        package.Output.Clear();
    }

    void SendRaw(const std::vector<unsigned char>& bytes) { Connection.Write(bytes); }

    // Reads until `count` packages have arrived in all (or the deadline passes).
    bool WaitForPackages(size_t count, int seconds = 20) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (Packages.size() < count) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            if (!ReadOnce(deadline)) {
                return false;
            }
        }
        return true;
    }

    bool WaitForKeepAlive(int seconds = 20) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (KeepAlives == 0) {
            if (!ReadOnce(deadline)) {
                return false;
            }
        }
        return true;
    }

    std::vector<Received> Packages;
    int KeepAlives = 0;
    LoopbackClient Connection;

private:
    bool ReadOnce(std::chrono::steady_clock::time_point deadline) {
        // Wait with a timeout so that a missing package fails the test instead of hanging it.
        Connection.Socket.non_blocking(true);
        std::vector<unsigned char> buffer(65536);
        while (std::chrono::steady_clock::now() < deadline) {
            std::error_code error;
            const size_t n = Connection.Socket.read_some(asio::buffer(buffer), error);
            if (!error) {
                Parser.Feed(buffer.data(), n);
                return true;
            }
            if (error != asio::error::would_block) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    FTD::FTDParser Parser;
    Received Current;
};

} // namespace Testing
} // namespace Tesmora
