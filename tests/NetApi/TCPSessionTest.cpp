#include "NetApi/TCPSession.h"
#include "NetApi/ServerHarness.h"
#include "NetApi/TCPServer.h"
#include "support/Eventually.h"
#include "support/LoopbackClient.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <thread>

using namespace Tesmora::NetApi;
using Tesmora::Testing::Eventually;
using Tesmora::Testing::LoopbackClient;
using Tesmora::Testing::ServerHarness;
using Tesmora::Testing::SessionLog;
using Logs = std::vector<std::shared_ptr<SessionLog>>;

namespace {

std::vector<unsigned char> Pattern(size_t length, unsigned seed = 0) {
    std::vector<unsigned char> bytes(length);
    for (size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<unsigned char>((i * 31 + seed) % 251);
    }
    return bytes;
}

bool HasReceived(const Logs& logs, size_t index, size_t bytes) {
    return logs.size() > index && logs[index]->Received.size() >= bytes;
}

} // namespace

TEST(TCPSessionTest, BurstArrivesInOrderInChunksOfAtMostBufferSize) {
    ServerHarness harness(1);
    ASSERT_TRUE(harness.Start());
    LoopbackClient client(harness.Port());
    const auto burst = Pattern(10000);
    client.Write(burst);
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return HasReceived(logs, 0, 10000); }));
    std::lock_guard<std::mutex> guard(harness.Mutex);
    EXPECT_EQ(harness.Logs[0]->Received, burst);
    EXPECT_LE(harness.Logs[0]->LargestChunk, 4000u);
}

TEST(TCPSessionTest, BufferSizeGrowsBeforeReadingAndShrinksLater) {
    std::vector<size_t> chunks; // guarded by harness.Mutex
    ServerHarness harness(1);
    std::atomic<bool> burstWritten{false};
    harness.Configure = [&](ISession& session, size_t) {
        session.SetBufferSize(8192);
        session.SetBufferSize(0);  // ignored
        session.SetBufferSize(-5); // ignored
        ISession* raw = &session;
        auto record = session.ReceiveHandler;
        session.ReceiveHandler = [&harness, &chunks, raw, record](const unsigned char* data, size_t length) {
            size_t total = 0;
            {
                std::lock_guard<std::mutex> guard(harness.Mutex);
                chunks.push_back(length);
                for (size_t chunk : chunks) {
                    total += chunk;
                }
            }
            if (total == 20000) {
                raw->SetBufferSize(100); // takes effect at the very next receive
            }
            record(data, length);
        };
        // Hold the first receive back until the whole burst sits in the socket,
        // so that the first chunk shows the grown buffer.
        Eventually([&] { return burstWritten.load(); });
    };
    ASSERT_TRUE(harness.Start());
    LoopbackClient client(harness.Port());
    client.Write(Pattern(20000));
    burstWritten = true;
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return HasReceived(logs, 0, 20000); }));
    client.Write(Pattern(5000, 7));
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return HasReceived(logs, 0, 25000); }));

    std::lock_guard<std::mutex> guard(harness.Mutex);
    ASSERT_FALSE(chunks.empty());
    EXPECT_EQ(chunks.front(), 8192u);
    size_t total = 0;
    for (size_t chunk : chunks) {
        EXPECT_LE(chunk, total < 20000 ? 8192u : 100u) << "at byte " << total;
        total += chunk;
    }
    auto expected = Pattern(20000);
    const auto second = Pattern(5000, 7);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(harness.Logs[0]->Received, expected);
}

TEST(TCPSessionTest, FilterTakesTheIncomingBytesInsteadOfTheHandler) {
    struct RecordingFilter : IFilter {
        void FilterSend(const unsigned char* data, size_t length, ISession* session) override {
            session->Send(data, length);
        }
        void FilterReceive(const unsigned char* data, size_t length, ISession* session) override {
            std::string upper(reinterpret_cast<const char*>(data), length);
            for (char& c : upper) {
                c = char(std::toupper(static_cast<unsigned char>(c)));
            }
            session->Send(reinterpret_cast<const unsigned char*>(upper.data()), upper.size());
        }
    };
    ServerHarness harness(1);
    harness.Configure = [](ISession& session, size_t) {
        session.Filter = std::make_unique<RecordingFilter>();
    };
    ASSERT_TRUE(harness.Start());
    LoopbackClient client(harness.Port());
    client.Write("hello", 5);
    const auto echoed = client.ReadExactly(5);
    EXPECT_EQ(std::string(echoed.begin(), echoed.end()), "HELLO");
    std::lock_guard<std::mutex> guard(harness.Mutex);
    EXPECT_TRUE(harness.Logs[0]->Received.empty());
}

TEST(TCPSessionTest, PeerCloseGivesOneCloseAndNoError) {
    ServerHarness harness(1);
    ASSERT_TRUE(harness.Start());
    {
        LoopbackClient client(harness.Port());
        client.Write("bye", 3);
    }
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return logs.size() == 1 && logs[0]->Closes == 1; }));
    harness.Server.Stop();
    std::lock_guard<std::mutex> guard(harness.Mutex);
    EXPECT_EQ(harness.Logs[0]->Closes, 1);
    EXPECT_TRUE(harness.Logs[0]->Errors.empty());
}

TEST(TCPSessionTest, CloseThenFinalizeGivesOneClose) {
    ServerHarness harness(1);
    ASSERT_TRUE(harness.Start());
    LoopbackClient client(harness.Port());
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return logs.size() == 1; }));
    std::shared_ptr<ISession> session;
    {
        std::lock_guard<std::mutex> guard(harness.Mutex);
        session = harness.Logs[0]->Session.lock();
    }
    session->Close();
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return logs[0]->Closes == 1; }));
    EXPECT_TRUE(client.ReadUntilClosed());
    harness.Server.Stop(); // finalizes the session, which is no longer connected
    session->Close();      // not connected: nothing
    session->Send(reinterpret_cast<const unsigned char*>("x"), 1);
    std::lock_guard<std::mutex> guard(harness.Mutex);
    EXPECT_EQ(harness.Logs[0]->Closes, 1);
    EXPECT_TRUE(harness.Logs[0]->Errors.empty());
}

TEST(TCPSessionTest, FinalizeOfAConnectedSessionClosesItOnce) {
    ServerHarness harness(1);
    ASSERT_TRUE(harness.Start());
    LoopbackClient client(harness.Port());
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return logs.size() == 1; }));
    harness.Server.Stop();
    EXPECT_TRUE(client.ReadUntilClosed());
    std::lock_guard<std::mutex> guard(harness.Mutex);
    EXPECT_EQ(harness.Logs[0]->Closes, 1);
}

namespace {

void SendConcurrentlyAndCheck(bool direct) {
    ServerHarness harness(2);
    harness.Configure = [direct](ISession& session, size_t) {
        static_cast<TCPSession&>(session).SetDirectSend(direct);
    };
    ASSERT_TRUE(harness.Start());
    LoopbackClient client(harness.Port());
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return logs.size() == 1; }));
    std::shared_ptr<ISession> session;
    {
        std::lock_guard<std::mutex> guard(harness.Mutex);
        session = harness.Logs[0]->Session.lock();
    }

    constexpr int Threads = 8;
    constexpr int PerThread = 500;
    // Frame: length (4, little-endian), thread, sequence (4), payload of `length` bytes.
    auto frame = [](uint8_t thread, uint32_t sequence) {
        const uint32_t length = 1 + (sequence * 37 + thread * 101) % 3000;
        std::vector<unsigned char> bytes(9 + length);
        std::memcpy(bytes.data(), &length, 4);
        bytes[4] = thread;
        std::memcpy(bytes.data() + 5, &sequence, 4);
        for (uint32_t i = 0; i < length; ++i) {
            bytes[9 + i] = static_cast<unsigned char>(thread * 13 + sequence + i);
        }
        return bytes;
    };
    std::vector<std::thread> senders;
    for (int t = 0; t < Threads; ++t) {
        senders.emplace_back([&, t] {
            for (uint32_t sequence = 0; sequence < PerThread; ++sequence) {
                const auto bytes = frame(uint8_t(t), sequence);
                session->Send(bytes.data(), bytes.size());
            }
        });
    }
    std::vector<uint32_t> next(Threads, 0);
    int frames = 0;
    while (frames < Threads * PerThread) {
        const auto header = client.ReadExactly(9);
        uint32_t length, sequence;
        std::memcpy(&length, header.data(), 4);
        std::memcpy(&sequence, header.data() + 5, 4);
        const uint8_t thread = header[4];
        ASSERT_LT(thread, Threads);
        ASSERT_EQ(sequence, next[thread]) << "thread " << int(thread);
        const auto expected = frame(thread, sequence);
        ASSERT_EQ(length + 9, expected.size());
        const auto payload = client.ReadExactly(length);
        ASSERT_TRUE(std::equal(payload.begin(), payload.end(), expected.begin() + 9));
        ++next[thread];
        ++frames;
    }
    for (auto& sender : senders) {
        sender.join();
    }
}

} // namespace

// Eight threads send framed messages to one client at once; every frame must
// arrive whole, and each thread's frames in the order it sent them, whether the
// bytes go through the worker's queue or straight from the senders' threads.
TEST(TCPSessionTest, ConcurrentSendsArriveWholeAndUninterleaved) {
    SendConcurrentlyAndCheck(false);
    SendConcurrentlyAndCheck(true);
}

// A peer that stops reading must not grow the server's memory without end: its
// session is closed once the unsent bytes pass the bound, and a reading peer on
// the same server receives everything.
TEST(TCPSessionTest, PeerThatStopsReadingIsClosedAtTheQueueBoundAndOthersGetEverything) {
    ServerHarness harness(2);
    constexpr size_t Limit = 256 * 1024;
    harness.Server.SetSendQueueLimit(Limit);
    std::atomic<size_t> writtenToReader{0}; // as the server's session reports it
    harness.Configure = [&](ISession& session, size_t index) {
        if (index == 1) {
            session.SentHandler = [&](size_t bytes) { writtenToReader += bytes; };
        }
    };
    ASSERT_TRUE(harness.Start());
    LoopbackClient stalled(harness.Port());
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return logs.size() == 1; }));
    LoopbackClient reader(harness.Port());
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return logs.size() == 2; }));
    std::shared_ptr<ISession> stalledSession, readerSession;
    {
        std::lock_guard<std::mutex> guard(harness.Mutex);
        stalledSession = harness.Logs[0]->Session.lock();
        readerSession = harness.Logs[1]->Session.lock();
    }

    constexpr size_t Message = 64 * 1024;
    constexpr int Messages = 800; // 50 MiB, far beyond what the kernel buffers hold
    std::atomic<size_t> received{0};
    std::thread drain([&] {
        while (received < Message * Messages) {
            const auto bytes = reader.ReadSome();
            if (bytes.empty()) {
                break;
            }
            received += bytes.size();
        }
    });
    const auto payload = Pattern(Message);
    for (size_t i = 0; i < Messages; ++i) {
        stalledSession->Send(payload.data(), payload.size());
        readerSession->Send(payload.data(), payload.size());
        // Paced so that the reader's session never holds more than half the bound.
        if (!Eventually([&] { return (i + 1) * Message - writtenToReader.load() <= Limit / 2; })) {
            reader.Close();
            drain.join();
            std::lock_guard<std::mutex> guard(harness.Mutex);
            FAIL() << "the reading peer fell behind at message " << i << ", received " << received.load()
                   << ", its session closed " << harness.Logs[1]->Closes << " times, errors "
                   << harness.Logs[1]->Errors.size() << " "
                   << (harness.Logs[1]->Errors.empty() ? "" : harness.Logs[1]->Errors[0].second);
        }
    }
    drain.join();
    EXPECT_EQ(received.load(), Message * Messages);

    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return logs[0]->Closes == 1; }));
    std::lock_guard<std::mutex> guard(harness.Mutex);
    ASSERT_EQ(harness.Logs[0]->Errors.size(), 1u);
    EXPECT_EQ(harness.Logs[0]->Errors[0].first, ENOBUFS);
    EXPECT_EQ(harness.Logs[0]->Errors[0].second.rfind("TCPSession Send Error: ", 0), 0u);
    EXPECT_EQ(harness.Logs[1]->Closes, 0);
    EXPECT_TRUE(harness.Logs[1]->Errors.empty());
}

TEST(TCPSessionTest, OutgoingConnectReportsSuccessAndFailure) {
    ServerHarness harness(1);
    harness.Configure = [](ISession& session, size_t) {
        ISession* raw = &session;
        auto record = session.ReceiveHandler;
        session.ReceiveHandler = [raw, record](const unsigned char* data, size_t length) {
            record(data, length);
            raw->Send(data, length); // echo
        };
    };
    ASSERT_TRUE(harness.Start());

    asio::io_context context;
    auto work = asio::make_work_guard(context);
    std::thread runner([&] { context.run(); });

    std::mutex mutex;
    std::vector<std::string> events;
    auto session = std::make_shared<TCPSession>();
    session->ConnectHandler = [&](bool connected, const std::string& host, unsigned short port) {
        std::lock_guard<std::mutex> guard(mutex);
        events.push_back(std::string(connected ? "connected " : "failed ") + host + ":" +
                         std::to_string(port));
    };
    std::string echoed;
    session->ReceiveHandler = [&](const unsigned char* data, size_t length) {
        std::lock_guard<std::mutex> guard(mutex);
        echoed.append(reinterpret_cast<const char*>(data), length);
    };
    EXPECT_FALSE(session->Connect("127.0.0.1", harness.Port())); // no socket prepared yet
    session->PrepareConnect(context);
    ASSERT_TRUE(session->Connect("127.0.0.1", harness.Port()));
    ASSERT_TRUE(Eventually([&] { return session->IsConnected(); }));
    session->Send(reinterpret_cast<const unsigned char*>("ping"), 4);
    ASSERT_TRUE(Eventually([&] {
        std::lock_guard<std::mutex> guard(mutex);
        return echoed == "ping";
    }));
    std::string address;
    unsigned short port = 0;
    session->GetRemoteEndpoint(address, port);
    EXPECT_EQ(address, "127.0.0.1");
    EXPECT_EQ(port, harness.Port());

    // A port nobody listens on: the one that was just freed.
    const uint16_t closedPort = harness.Port();
    harness.Server.Stop();
    auto failing = std::make_shared<TCPSession>();
    std::vector<std::pair<int, std::string>> errors;
    failing->ConnectHandler = session->ConnectHandler;
    failing->ErrorHandler = [&](int code, const std::string& message) {
        std::lock_guard<std::mutex> guard(mutex);
        errors.emplace_back(code, message);
    };
    failing->PrepareConnect(context);
    ASSERT_TRUE(failing->Connect("127.0.0.1", closedPort));
    ASSERT_TRUE(Eventually([&] {
        std::lock_guard<std::mutex> guard(mutex);
        return !errors.empty();
    }));
    {
        std::lock_guard<std::mutex> guard(mutex);
        EXPECT_EQ(errors[0].first, ECONNREFUSED);
        EXPECT_EQ(errors[0].second.rfind("TCPSession HandleConnect Error: ", 0), 0u);
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[0], "connected 127.0.0.1:" + std::to_string(closedPort));
        EXPECT_EQ(events[1], "failed 127.0.0.1:" + std::to_string(closedPort));
    }
    session->Close();
    work.reset();
    ASSERT_TRUE(Eventually([&] { return !session->IsConnected(); }));
    context.stop();
    runner.join();
}

TEST(TCPSessionTest, SessionNotOwnedBySharedPtrRefusesToRead) {
    TCPSession session;
    EXPECT_THROW(session.Read(), std::bad_weak_ptr);
}
