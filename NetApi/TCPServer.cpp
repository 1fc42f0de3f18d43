#include "NetApi/TCPServer.h"

#include "NetApi/IFinalizable.h"
#include "NetApi/LeastLoaded.h"
#include "NetApi/TCPSession.h"

#include <asio/detail/throw_error.hpp>
#include <asio/error.hpp>
#include <asio/post.hpp>

#include <cstdio>

#include <sys/sysinfo.h>

namespace Tesmora {
namespace NetApi {

TCPServer::~TCPServer() {
    Stop();
}

bool TCPServer::Start() {
    if (Started) {
        return false;
    }
    if (Address.empty()) {
        Address = "0.0.0.0";
    }
    if (ThreadCount == 0) {
        ThreadCount = get_nprocs();
    }
    auto context = std::make_unique<asio::io_context>();
    auto acceptor = std::make_unique<asio::ip::tcp::acceptor>(*context);

    std::error_code error;
    asio::ip::address address = asio::ip::make_address_v6(Address, error);
    if (error) {
        address = asio::ip::make_address_v4(Address, error);
        asio::detail::throw_error(error, "make_address");
    }
    const asio::ip::tcp::endpoint endpoint(address, Port);
    std::error_code ignored;
    acceptor->open(endpoint.protocol(), ignored);
    acceptor->set_option(asio::socket_base::reuse_address(true), ignored);
    acceptor->bind(endpoint, error);
    if (error) {
        OnError(error.value(), "TCPServer Start Error: " + error.message());
        return false;
    }
    acceptor->listen(128, error);
    asio::detail::throw_error(error, "listen");
    BoundPort = acceptor->local_endpoint(ignored).port();

    AcceptContext = std::move(context);
    Acceptor = std::move(acceptor);
    StartPool(ThreadCount > 0 ? ThreadCount : 1);
    AcceptThread = std::thread([this] { Run(); });
    Started = true;
    return true;
}

void TCPServer::Run() {
    DoAccept();
    for (;;) {
        try {
            AcceptContext->run();
            return;
        } catch (const std::exception& e) {
            std::printf("* Exception on accept thread: %s\n", e.what());
        }
    }
}

ThreadData* TCPServer::ChooseWorker() {
    return Workers[LeastLoaded(GetThreadLoads())].get();
}

void TCPServer::DoAccept() {
    ThreadData* worker = ChooseWorker();
    auto socket = std::make_shared<asio::ip::tcp::socket>(worker->IoContext);
    Acceptor->async_accept(*socket, [this, worker, socket](const std::error_code& error) {
        HandleAccept(worker, socket, error);
    });
}

void TCPServer::HandleAccept(ThreadData* worker, const std::shared_ptr<asio::ip::tcp::socket>& socket,
                             const std::error_code& error) {
    if (error) {
        if (error != asio::error::operation_aborted) {
            OnError(error.value(), "TCPServer HandleAccept Error: " + error.message());
        }
        return;
    }
    worker->SessionCount.fetch_add(1);
    std::shared_ptr<ISession> session = CreateSession();
    AddToRegistry(session);
    if (auto* tcp = dynamic_cast<TCPSession*>(session.get())) {
        tcp->SetSendQueueLimit(SendQueueLimit);
        tcp->Attach(worker, std::move(*socket));
        tcp->MarkConnected();
    }
    OnAccept(session);
    // The socket belongs to the worker: its first read starts there, so it cannot
    // race a Close that OnAccept (or anyone since) has already handed to the worker.
    asio::post(worker->IoContext, [session] { session->Read(); });
    DoAccept();
}

std::shared_ptr<ISession> TCPServer::CreateSession() {
    return std::make_shared<TCPSession>();
}

void TCPServer::AddToRegistry(const std::shared_ptr<ISession>& session) {
    std::lock_guard<std::mutex> guard(RegistryMutex);
    Registry.push_back(session);
    if (Registry.size() % PurgeInterval == 0) {
        std::vector<std::weak_ptr<ISession>> live;
        live.reserve(Registry.size());
        for (auto& entry : Registry) {
            if (!entry.expired()) {
                live.push_back(std::move(entry));
            }
        }
        Registry.swap(live);
    }
}

size_t TCPServer::GetRegistrySize() {
    std::lock_guard<std::mutex> guard(RegistryMutex);
    return Registry.size();
}

void TCPServer::SetPurgeInterval(size_t interval) {
    if (interval > 0) {
        std::lock_guard<std::mutex> guard(RegistryMutex);
        PurgeInterval = interval;
    }
}

std::vector<int> TCPServer::GetThreadLoads() {
    std::vector<int> loads;
    loads.reserve(Workers.size());
    for (const auto& worker : Workers) {
        loads.push_back(worker->SessionCount.load());
    }
    return loads;
}

void TCPServer::StartPool(int count) {
    Workers.resize(size_t(count));
    for (auto& worker : Workers) {
        auto fresh = std::make_unique<ThreadData>();
        fresh->Start();
        worker = std::move(fresh); // the previous worker, if any, is joined and destroyed here
    }
}

void TCPServer::Stop() {
    if (!Started) {
        return;
    }
    // Closing on the accept thread ends the pending accept with the cancellation
    // error; HandleAccept then starts no other, the context runs out of work and
    // the thread ends.
    asio::post(*AcceptContext, [this] {
        std::error_code ignored;
        Acceptor->cancel(ignored);
        Acceptor->close(ignored);
    });
    if (AcceptThread.joinable()) {
        AcceptThread.join();
    }
    Acceptor.reset();
    AcceptContext.reset();
    StopPool();
    BoundPort = 0;
    Started = false;
}

void TCPServer::StopPool() {
    std::vector<std::shared_ptr<ISession>> live;
    {
        std::lock_guard<std::mutex> guard(RegistryMutex);
        for (const auto& entry : Registry) {
            if (auto session = entry.lock()) {
                live.push_back(std::move(session));
            }
        }
    }
    for (const auto& session : live) {
        session->Close();
    }
    for (const auto& worker : Workers) {
        worker->Stop();
    }
    // The workers are joined: no completion can run any more, and each session
    // still marked connected gets its one close notification here.
    for (const auto& session : live) {
        if (auto* finalizable = dynamic_cast<IFinalizable*>(session.get())) {
            finalizable->Finalize();
        }
    }
}

} // namespace NetApi
} // namespace Tesmora
