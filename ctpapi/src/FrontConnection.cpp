#include "FrontConnection.h"

#include "FTD/CTPFields.h"
#include "FTD/FTDProtocol.h"
#include "Utils/FieldText.h"

#include <asio/post.hpp>

#include <cstdio>
#include <ctime>
#include <fstream>

namespace Tesmora {
namespace CtpApi {

FrontConnection::FrontConnection(Events& events, std::string flowFolder)
    : Sink(events), FlowFolder(std::move(flowFolder)), Timing(StandInTiming::FromEnvironment()) {}

FrontConnection::~FrontConnection() {
    Stop();
}

void FrontConnection::Start() {
    if (!Thread.joinable()) {
        Thread = std::thread([this] { ThreadMain(); });
    }
}

void FrontConnection::ThreadMain() {
    ThreadId.store(std::this_thread::get_id());
    {
        auto work = asio::make_work_guard(Context);
        for (;;) {
            try {
                Context.run();
                break;
            } catch (const std::exception& e) {
                std::printf("* Exception on the CTP API thread: %s\n", e.what());
            }
        }
    }
    {
        std::lock_guard<std::mutex> guard(DoneMutex);
        Done = true;
    }
    DoneChanged.notify_all();
    if (Finally) {
        // The object may be gone once this returns; nothing of it is touched after.
        std::function<void()> finally = std::move(Finally);
        finally();
    }
}

void FrontConnection::Stop() {
    Context.stop();
    if (Thread.joinable() && !OnApiThread()) {
        Thread.join();
    }
    // The thread has ended (or never ran): close what is left without raising anything.
    ++Generation;
    Connected.store(false);
    if (auto session = CurrentSession()) {
        session->Finalize();
    }
}

void FrontConnection::ReleaseOwner(std::function<void()> destroy) {
    if (OnApiThread()) {
        StopFromApiThread(std::move(destroy));
        return;
    }
    Stop();
    destroy();
}

void FrontConnection::RememberTradingDay(const ReceivedPackage& loginAnswer) {
    for (const auto& field : loginAnswer.Fields) {
        if (field.Fid == FTD::Fid::RspUserLogin) {
            const auto login = FTD::RspUserLoginLayout().Decode(loginAnswer.Data(field), field.Length);
            std::lock_guard<std::mutex> guard(TradingDayMutex);
            LastTradingDay = Utils::FieldText(login.TradingDay);
        }
    }
}

const char* FrontConnection::TradingDay() {
    // Each caller's thread gets its own copy, stable until its next call.
    thread_local char day[sizeof(TThostFtdcDateType)];
    std::lock_guard<std::mutex> guard(TradingDayMutex);
    Utils::CopyText(day, LastTradingDay);
    return day;
}

int FrontConnection::Join() {
    if (OnApiThread()) {
        return -1;
    }
    std::unique_lock<std::mutex> lock(DoneMutex);
    DoneChanged.wait(lock, [this] { return Done || !Thread.joinable(); });
    return 0;
}

void FrontConnection::StopFromApiThread(std::function<void()> finally) {
    Stopping = true;
    ++Generation;
    Connected.store(false);
    Finally = std::move(finally);
    Thread.detach();
    Context.stop();
}

void FrontConnection::RegisterFront(const std::string& address) {
    asio::post(Context, [this, address] {
        std::string rest = address;
        const size_t scheme = rest.find("://");
        if (scheme != std::string::npos) {
            rest = rest.substr(scheme + 3);
        }
        const size_t colon = rest.rfind(':');
        if (colon == std::string::npos) {
            return; // no port: nothing to connect to
        }
        Host = rest.substr(0, colon);
        if (Host.size() >= 2 && Host.front() == '[' && Host.back() == ']') {
            Host = Host.substr(1, Host.size() - 2);
        }
        Port = rest.substr(colon + 1);
        FrontAddress = address;
        if (Session == nullptr) {
            Connect();
        }
    });
}

std::shared_ptr<NetApi::TCPSession> FrontConnection::CurrentSession() {
    std::lock_guard<std::mutex> guard(SessionMutex);
    return Session;
}

void FrontConnection::Connect() {
    if (Stopping || Host.empty()) {
        return;
    }
    const uint64_t generation = ++Generation;
    auto session = std::make_shared<NetApi::TCPSession>();
    session->PrepareConnect(Context);
    session->SetBufferSize(64 * 1024);
    // A request goes out from the caller's thread: its answer is what someone waits for.
    session->SetDirectSend(true);
    session->ConnectHandler = [this, generation](bool connected, const std::string&, unsigned short) {
        if (generation != Generation) {
            return;
        }
        if (connected) {
            HandleConnected(generation);
        } else {
            Disconnect(ReadFailure);
        }
    };
    session->ReceiveHandler = [this, generation](const unsigned char* data, size_t length) {
        HandleReceive(generation, data, length);
    };
    session->CloseHandler = [this, generation] {
        if (generation == Generation) {
            Disconnect(ReadFailure);
        }
    };
    {
        std::lock_guard<std::mutex> guard(SessionMutex);
        Session = session;
    }
    int port = 0;
    try {
        port = std::stoi(Port);
    } catch (const std::exception&) {
        port = 0;
    }
    try {
        session->Connect(Host, port);
    } catch (const std::exception&) {
        Disconnect(ReadFailure); // unresolvable host: try again later
    }
}

void FrontConnection::HandleConnected(uint64_t generation) {
    Collector = std::make_unique<PackageCollector>([this, generation](ReceivedPackage& package) {
        if (generation == Generation) {
            Sink.OnPackage(package);
        }
    });
    LastHeard = std::chrono::steady_clock::now();
    Connected.store(true);
    WriteConnectionFile();
    ScheduleKeepAlive();
    Sink.OnConnected();
}

void FrontConnection::HandleReceive(uint64_t generation, const unsigned char* data, size_t length) {
    if (generation != Generation || !Collector) {
        return;
    }
    LastHeard = std::chrono::steady_clock::now();
    Collector->Feed(data, length);
    // The collector is not replaced while it feeds; a fault ends the connection afterwards.
    if (generation == Generation && Collector->Malformed()) {
        Disconnect(MalformedData);
    }
}

void FrontConnection::Disconnect(int reason) {
    const bool wasConnected = Connected.exchange(false);
    ++Generation;
    KeepAliveTimer.cancel();
    std::shared_ptr<NetApi::TCPSession> session;
    {
        std::lock_guard<std::mutex> guard(SessionMutex);
        session.swap(Session);
    }
    if (session) {
        session->Close();
    }
    if (wasConnected) {
        Sink.OnDisconnected(reason);
    }
    ScheduleReconnect();
}

void FrontConnection::ScheduleReconnect() {
    if (Stopping) {
        return;
    }
    ReconnectTimer.expires_after(Timing.Reconnect);
    ReconnectTimer.async_wait([this](const std::error_code& error) {
        if (!error && Session == nullptr) {
            Connect();
        }
    });
}

void FrontConnection::ScheduleKeepAlive() {
    KeepAliveTimer.expires_after(Timing.KeepAlive);
    const uint64_t generation = Generation;
    KeepAliveTimer.async_wait([this, generation](const std::error_code& error) {
        if (error || generation != Generation || !Connected.load()) {
            return;
        }
        if (std::chrono::steady_clock::now() - LastHeard > 3 * Timing.KeepAlive) {
            Disconnect(KeepAliveTimeout);
            return;
        }
        Send(FTD::KeepAliveFrame, sizeof FTD::KeepAliveFrame);
        ScheduleKeepAlive();
    });
}

int FrontConnection::Send(const unsigned char* data, size_t length) {
    if (!Connected.load()) {
        return -1;
    }
    auto session = CurrentSession();
    if (!session) {
        return -1;
    }
    session->Send(data, length);
    return 0;
}

int FrontConnection::SendPackage(FTD::FTDPackage& package) {
    if (!Connected.load()) {
        return -1;
    }
    package.Counter = Counter.fetch_add(1) + 1;
    if (!package.Encode(true)) {
        return -1;
    }
    return Send(package.Output.Data(), package.Output.Size());
}

void FrontConnection::WriteConnectionFile() {
    if (FlowFolder.empty()) {
        return;
    }
    std::ofstream file(FlowFolder + "Connection.txt", std::ios::trunc);
    if (!file) {
        return;
    }
    char when[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    file << "front=" << FrontAddress << "\nconnected=" << when << "\n";
}

} // namespace CtpApi
} // namespace Tesmora
