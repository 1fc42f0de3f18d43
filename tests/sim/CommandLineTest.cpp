#include "sim/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Tesmora::Sim;

namespace {

bool Parse(std::vector<const char*> arguments, SimConfig& config, std::string& error) {
    arguments.insert(arguments.begin(), "tesmora-simfront");
    return ParseCommandLine(int(arguments.size()), arguments.data(), config, error);
}

} // namespace

TEST(SimCommandLine, DefaultsAreThoseOfTheProgram) {
    SimConfig config;
    std::string error;
    ASSERT_TRUE(Parse({}, config, error));
    EXPECT_EQ(config.TradePort, 41205);
    EXPECT_EQ(config.MarketPort, 41213);
    EXPECT_EQ(config.Address, "127.0.0.1");
    EXPECT_EQ(config.TickMilliseconds, 500);
    EXPECT_EQ(config.Seed, 42u);
    ASSERT_EQ(config.Accounts.size(), 1u);
    EXPECT_EQ(config.Accounts[0].UserID, "1001");
    EXPECT_EQ(config.Accounts[0].Password, "123456");
    EXPECT_EQ(config.Accounts[0].Balance, 1000000.0);
}

TEST(SimCommandLine, ReadsEveryOptionInBothForms) {
    SimConfig config;
    std::string error;
    ASSERT_TRUE(
        Parse({"--trade-port", "0", "--market-port=65535", "--address", "::1", "--tick-ms=0", "--seed",
               "18446744073709551615", "--account", "8888:2001:pw:12.5", "--account=8888:2002::0"},
              config, error))
        << error;
    EXPECT_EQ(config.TradePort, 0);
    EXPECT_EQ(config.MarketPort, 65535);
    EXPECT_EQ(config.Address, "::1");
    EXPECT_EQ(config.TickMilliseconds, 0);
    EXPECT_EQ(config.Seed, 18446744073709551615u);
    ASSERT_EQ(config.Accounts.size(), 2u) << "given accounts replace the default one";
    EXPECT_EQ(config.Accounts[0].BrokerID, "8888");
    EXPECT_EQ(config.Accounts[0].Balance, 12.5);
    EXPECT_EQ(config.Accounts[1].UserID, "2002");
    EXPECT_EQ(config.Accounts[1].Password, "");
}

TEST(SimCommandLine, RefusesWhatIsNoValidValue) {
    const std::vector<std::vector<const char*>> bad = {
        {"--trade-port", "65536"},
        {"--trade-port", "-1"},
        {"--market-port", "12ab"},
        {"--market-port", ""},
        {"--tick-ms", "1.5"},
        {"--tick-ms", "99999999999999999999"},
        {"--seed", "-3"},
        {"--seed", "18446744073709551616"},
        {"--account", "9999:1001:123456"},
        {"--account", "9999:1001:pw:-5"},
        {"--account", ":1001:pw:5"},
        {"--account", "9999:1001:pw:lots"},
        {"--account", "9999:1001:pw:nan"},
        {"--address", ""},
        {"--trade-port"},
        {"--verbose"},
        {"41205"},
    };
    for (const auto& arguments : bad) {
        SimConfig config;
        std::string error;
        EXPECT_FALSE(Parse(arguments, config, error)) << arguments[0];
        EXPECT_FALSE(error.empty()) << arguments[0];
    }
}
