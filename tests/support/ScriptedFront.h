#pragma once

#include "FTD/FTDPackage.h"
#include "FTD/FTDParser.h"
#include "FTD/FTDProtocol.h"
#include "NetApi/TCPServer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Tesmora {
namespace Testing {

// One package a client sent, with its fields as they were on the wire.
struct SentPackage {
    uint16_t Series = 0;
    uint32_t TransID = 0;
    uint32_t ReqID = 0;
    bool IsLast = false;
    std::vector<std::pair<uint16_t, std::vector<unsigned char>>> Fields;

    const std::vector<unsigned char>* Field(uint16_t fid, size_t nth = 0) const {
        for (const auto& field : Fields) {
            if (field.first == fid && nth-- == 0) {
                return &field.second;
            }
        }
        return nullptr;
    }
};

// A front for tests, written with the project's own codec and TCP server: it
// records every package its clients send, answers keep-alive frames (unless
// told not to), and sends whatever packages a test gives it to the newest
// client. Handlers run on the server's threads; every query of the records
// goes through Mutex.
class ScriptedFront {
public:
    ScriptedFront() {
        Server.Address = "127.0.0.1";
        Server.Port = 0;
        Server.ThreadCount = 1;
        Server.SessionHandler = [this](std::shared_ptr<NetApi::ISession>& session) { Accept(session); };
        if (!Server.Start()) {
            throw std::runtime_error("scripted front could not listen");
        }
    }
    ~ScriptedFront() { Server.Stop(); }

    std::string Address() const { return "tcp://127.0.0.1:" + std::to_string(Server.GetBoundPort()); }

    // Encodes the package (marked last unless told otherwise) and sends it to the newest client.
    void Send(FTD::FTDPackage& package, bool last = true) {
        if (!package.Encode(last)) {
            throw std::runtime_error("package cannot be encoded");
        }
        SendRaw(package.Output.Data(), package.Output.Size());
        package.Output.Clear();
    }

    void SendRaw(const unsigned char* data, size_t length) {
        std::shared_ptr<NetApi::ISession> session;
        {
            std::lock_guard<std::mutex> guard(Mutex);
            session = Newest.lock();
        }
        if (session) {
            session->Send(data, length);
        }
    }

    void CloseClient() {
        std::shared_ptr<NetApi::ISession> session;
        {
            std::lock_guard<std::mutex> guard(Mutex);
            session = Newest.lock();
        }
        if (session) {
            session->Close();
        }
    }

    template <class Predicate> bool WaitFor(Predicate predicate, int seconds = 20) {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, std::chrono::seconds(seconds), [&] { return predicate(); });
    }

    // The first package with that transID after `from` packages, waiting for it.
    bool WaitForPackage(uint32_t transID, SentPackage& out, size_t from = 0, int seconds = 20) {
        return WaitFor(
            [&] {
                for (size_t i = from; i < Packages.size(); ++i) {
                    if (Packages[i].TransID == transID) {
                        out = Packages[i];
                        return true;
                    }
                }
                return false;
            },
            seconds);
    }

    size_t PackageCount() {
        std::lock_guard<std::mutex> guard(Mutex);
        return Packages.size();
    }

    std::atomic<bool> AnswerKeepAlive{true};
    std::mutex Mutex;
    std::condition_variable Changed;
    std::vector<SentPackage> Packages; // guarded by Mutex
    int Connections = 0;               // guarded by Mutex
    int KeepAlives = 0;                // guarded by Mutex
    NetApi::TCPServer Server;

private:
    // The parser of one connection; lives as long as the session's handlers.
    struct Connection : FTD::FTDParser {
        ScriptedFront* Front;
        NetApi::ISession* Session;
        SentPackage Current;

        void OnHeartbeat() override {
            {
                std::lock_guard<std::mutex> guard(Front->Mutex);
                ++Front->KeepAlives;
                Front->Changed.notify_all();
            }
            if (Front->AnswerKeepAlive.load()) {
                Session->Send(FTD::KeepAliveFrame, sizeof FTD::KeepAliveFrame);
            }
        }
        void OnReceiveFields(uint16_t series, uint32_t transID, uint32_t reqID, uint32_t, uint16_t) override {
            Current = SentPackage{series, transID, reqID, false, {}};
        }
        void OnFieldData(uint16_t fid, const FTD::FTDFieldInfo&, const char* data, size_t length) override {
            Current.Fields.emplace_back(fid, std::vector<unsigned char>(data, data + length));
        }
        void OnPackageEnd(bool, bool isLast) override {
            Current.IsLast = isLast;
            std::lock_guard<std::mutex> guard(Front->Mutex);
            Front->Packages.push_back(Current);
            Front->Changed.notify_all();
        }
    };

    void Accept(std::shared_ptr<NetApi::ISession>& session) {
        auto connection = std::make_shared<Connection>();
        connection->Front = this;
        connection->Session = session.get();
        connection->Decompress = true;
        session->ReceiveHandler = [connection](const unsigned char* data, size_t length) {
            connection->Feed(data, length);
        };
        std::lock_guard<std::mutex> guard(Mutex);
        Newest = session;
        ++Connections;
        Changed.notify_all();
    }

    std::weak_ptr<NetApi::ISession> Newest; // guarded by Mutex
};

} // namespace Testing
} // namespace Tesmora
