#pragma once

#include "NetApi/TCPServer.h"
#include "NetApi/TCPSession.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Tesmora {
namespace Testing {

// What one accepted session reported.
struct SessionLog {
    std::weak_ptr<NetApi::ISession> Session; // the log must not keep the session alive
    std::vector<unsigned char> Received;
    size_t LargestChunk = 0;
    int Closes = 0;
    std::vector<std::pair<int, std::string>> Errors;
};

// A TCPServer on 127.0.0.1 with an ephemeral port whose SessionHandler records
// every session's receives, errors and closes. Handlers may run on any worker,
// so every read of the logs goes through Mutex.
class ServerHarness {
public:
    explicit ServerHarness(int threads = 2) {
        Server.Address = "127.0.0.1";
        Server.Port = 0;
        Server.ThreadCount = threads;
        Server.SessionHandler = [this](std::shared_ptr<NetApi::ISession>& session) { OnSession(session); };
    }

    bool Start() { return Server.Start(); }
    uint16_t Port() const { return Server.GetBoundPort(); }

    // Called on the accept thread before the session starts receiving.
    std::function<void(NetApi::ISession&, size_t index)> Configure;

    template <class Predicate> bool WaitFor(Predicate predicate, int seconds = 20) {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, std::chrono::seconds(seconds), [&] { return predicate(Logs); });
    }

    std::mutex Mutex;
    std::condition_variable Changed;
    std::vector<std::shared_ptr<SessionLog>> Logs; // guarded by Mutex
    NetApi::TCPServer Server;

private:
    void OnSession(std::shared_ptr<NetApi::ISession>& session) {
        auto log = std::make_shared<SessionLog>();
        log->Session = session;
        size_t index;
        {
            std::lock_guard<std::mutex> guard(Mutex);
            index = Logs.size();
            Logs.push_back(log);
        }
        // Raw pointer: the log must not keep the session alive through its own handlers.
        SessionLog* raw = log.get();
        session->ReceiveHandler = [this, raw](const unsigned char* data, size_t length) {
            std::lock_guard<std::mutex> guard(Mutex);
            raw->Received.insert(raw->Received.end(), data, data + length);
            raw->LargestChunk = std::max(raw->LargestChunk, length);
            Changed.notify_all();
        };
        session->CloseHandler = [this, raw] {
            std::lock_guard<std::mutex> guard(Mutex);
            ++raw->Closes;
            Changed.notify_all();
        };
        session->ErrorHandler = [this, raw](int code, const std::string& message) {
            std::lock_guard<std::mutex> guard(Mutex);
            raw->Errors.emplace_back(code, message);
            Changed.notify_all();
        };
        if (Configure) {
            Configure(*session, index);
        }
        Changed.notify_all();
    }
};

} // namespace Testing
} // namespace Tesmora
