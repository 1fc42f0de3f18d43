#include "NetApi/TCPServer.h"
#include "NetApi/LeastLoaded.h"
#include "NetApi/ServerHarness.h"
#include "support/Eventually.h"
#include "support/LoopbackClient.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <system_error>

using namespace Tesmora::NetApi;
using Tesmora::Testing::Eventually;
using Tesmora::Testing::LoopbackClient;
using Tesmora::Testing::ServerHarness;
using Tesmora::Testing::SessionLog;
using Logs = std::vector<std::shared_ptr<SessionLog>>;

TEST(TCPServerTest, NewConnectionGoesToTheFirstIdleOrLeastLoadedWorker) {
    struct Case {
        std::vector<int> Loads;
        size_t Expected;
    };
    const Case cases[] = {
        {{2, 1, 1, 3}, 1}, {{2, 0, 1, 0}, 1}, {{0, 0}, 0}, {{3, 3, 2}, 2}, {{5}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LeastLoaded(c.Loads), c.Expected);
    }
}

TEST(TCPServerTest, ConnectionsSpreadOverTheWorkers) {
    ServerHarness harness(3);
    EXPECT_TRUE(harness.Server.GetThreadLoads().empty()); // never started
    ASSERT_TRUE(harness.Start());
    std::vector<std::unique_ptr<LoopbackClient>> clients;
    for (int i = 0; i < 3; ++i) {
        clients.push_back(std::make_unique<LoopbackClient>(harness.Port()));
    }
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return logs.size() == 3; }));
    EXPECT_EQ(harness.Server.GetThreadLoads(), (std::vector<int>{1, 1, 1}));
}

TEST(TCPServerTest, BindFailureIsReportedAndALaterStartSucceeds) {
    TCPServer holder;
    holder.Address = "127.0.0.1";
    holder.Port = 0;
    holder.ThreadCount = 1;
    ASSERT_TRUE(holder.Start());

    TCPServer server;
    server.Address = "127.0.0.1";
    server.Port = holder.GetBoundPort();
    server.ThreadCount = 1;
    std::vector<std::pair<int, std::string>> errors;
    server.ErrorHandler = [&](int code, const std::string& message) { errors.emplace_back(code, message); };

    EXPECT_FALSE(server.Start());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].first, EADDRINUSE);
    EXPECT_EQ(errors[0].second.rfind("TCPServer Start Error: ", 0), 0u) << errors[0].second;
    EXPECT_TRUE(server.GetThreadLoads().empty()); // nothing left running

    holder.Stop();
    EXPECT_TRUE(server.Start());
    EXPECT_FALSE(server.Start()); // already started
    EXPECT_EQ(errors.size(), 1u);
}

TEST(TCPServerTest, EmptyAddressBindsAllIPv4Interfaces) {
    TCPServer server;
    server.Port = 0;
    server.ThreadCount = 1;
    ASSERT_TRUE(server.Start());
    EXPECT_EQ(server.Address, "0.0.0.0");
    LoopbackClient client(server.GetBoundPort());
}

TEST(TCPServerTest, AddressThatIsNoIpTextThrows) {
    TCPServer server;
    server.Address = "not-an-address";
    server.Port = 0;
    EXPECT_THROW(server.Start(), std::system_error);
    EXPECT_TRUE(server.GetThreadLoads().empty());
}

TEST(TCPServerTest, StopClosesEverySessionOnceAndNothingRunsAfterIt) {
    ServerHarness harness(2);
    ASSERT_TRUE(harness.Start());
    std::vector<std::unique_ptr<LoopbackClient>> clients;
    for (int i = 0; i < 4; ++i) {
        clients.push_back(std::make_unique<LoopbackClient>(harness.Port()));
    }
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return logs.size() == 4; }));

    harness.Server.Stop();
    Logs after;
    {
        std::lock_guard<std::mutex> guard(harness.Mutex);
        after = harness.Logs;
        for (const auto& log : after) {
            EXPECT_EQ(log->Closes, 1);
            EXPECT_TRUE(log->Errors.empty());
        }
    }
    // The peers still write; no handler may run any more.
    for (auto& client : clients) {
        std::error_code ignored;
        client->Socket.write_some(asio::buffer("late", 4), ignored);
    }
    harness.Server.Stop(); // stopping twice does nothing
    std::lock_guard<std::mutex> guard(harness.Mutex);
    for (const auto& log : harness.Logs) {
        EXPECT_EQ(log->Closes, 1);
        EXPECT_TRUE(log->Received.empty());
    }
}

TEST(TCPServerTest, ChurnLeavesNoLoadAndTheRegistryIsSwept) {
    TCPServer server;
    server.Address = "127.0.0.1";
    server.Port = 0;
    server.ThreadCount = 2;
    std::atomic<int> accepted{0};
    std::atomic<int> closed{0};
    server.SessionHandler = [&](std::shared_ptr<ISession>& session) {
        ++accepted;
        session->CloseHandler = [&] { ++closed; };
    };
    ASSERT_TRUE(server.Start());
    for (int i = 0; i < 1000; ++i) {
        LoopbackClient client(server.GetBoundPort());
        client.Write("x", 1);
        client.Close();
    }
    ASSERT_TRUE(Eventually([&] { return closed.load() == 1000; }));
    ASSERT_TRUE(Eventually([&] { return server.GetThreadLoads() == std::vector<int>{0, 0}; }));
    EXPECT_EQ(accepted.load(), 1000);
    // The registry is swept at every hundredth entry. The workers may lag the
    // acceptor during the churn, so settle first: one connection at a time,
    // each closed before the next, until an append sweeps. Only those still
    // in flight at that moment stay.
    size_t before = server.GetRegistrySize();
    bool swept = false;
    for (int i = 0; i < 100 && !swept; ++i) {
        {
            LoopbackClient client(server.GetBoundPort());
            client.Close();
        }
        const int expected = 1001 + i;
        ASSERT_TRUE(Eventually([&] { return closed.load() == expected; }));
        const size_t after = server.GetRegistrySize();
        swept = after <= before;
        before = after;
    }
    EXPECT_TRUE(swept);
    EXPECT_LT(server.GetRegistrySize(), 10u);
}

TEST(TCPServerTest, ServerCanBeStartedAgainAfterStop) {
    ServerHarness harness(1);
    ASSERT_TRUE(harness.Start());
    { LoopbackClient client(harness.Port()); }
    ASSERT_TRUE(harness.WaitFor([](const Logs& logs) { return logs.size() == 1; }));
    harness.Server.Stop();
    harness.Server.Port = 0;
    ASSERT_TRUE(harness.Start());
    LoopbackClient client(harness.Port());
    client.Write("ok", 2);
    ASSERT_TRUE(
        harness.WaitFor([](const Logs& logs) { return logs.size() == 2 && logs[1]->Received.size() == 2; }));
}
