// tesmora-sample-client: a program written against the CTP API that logs in
// through the gateway's trade proxy, subscribes through its market proxy,
// inserts an order that fills and one that rests, cancels the resting one and
// queries account, positions, orders and trades, printing every step.
// A template for users: everything here is the plain CTP API.
#include "ThostFtdcMdApi.h"
#include "ThostFtdcTraderApi.h"

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace {

template <size_t N> void Copy(char (&field)[N], const std::string& text) {
    std::strncpy(field, text.c_str(), N - 1);
    field[N - 1] = '\0';
}

// Everything the callbacks report, guarded by one mutex; the main thread waits
// on conditions over it.
struct Events {
    std::mutex Mutex;
    std::condition_variable Changed;
    bool TradeConnected = false, MarketConnected = false;
    bool TradeLoggedIn = false, MarketLoggedIn = false, Confirmed = false, Subscribed = false;
    int FrontID = 0, SessionID = 0, MaxOrderRef = 0;
    CThostFtdcDepthMarketDataField LastTick{};
    int Ticks = 0;
    std::vector<CThostFtdcOrderField> Orders; // returns
    std::vector<CThostFtdcTradeField> Trades; // returns
    int Answers = 0;                          // completed query answers
    std::string Failure;

    template <class Predicate> bool WaitFor(const char* what, Predicate predicate, int seconds = 15) {
        std::unique_lock<std::mutex> lock(Mutex);
        if (Changed.wait_for(lock, std::chrono::seconds(seconds),
                             [&] { return predicate() || !Failure.empty(); }) &&
            Failure.empty()) {
            return true;
        }
        std::printf("client: FAILED waiting for %s %s\n", what, Failure.c_str());
        return false;
    }

    void Update(const std::function<void()>& change) {
        std::lock_guard<std::mutex> guard(Mutex);
        change();
        Changed.notify_all();
    }
};

bool Failed(CThostFtdcRspInfoField* info) {
    return info != nullptr && info->ErrorID != 0;
}

class TraderEvents : public CThostFtdcTraderSpi {
public:
    explicit TraderEvents(Events& events) : E(events) {}
    void OnFrontConnected() override {
        E.Update([&] { E.TradeConnected = true; });
    }
    void OnFrontDisconnected(int reason) override {
        std::printf("client: trade front lost (0x%x)\n", reason);
    }
    void OnRspUserLogin(CThostFtdcRspUserLoginField* login, CThostFtdcRspInfoField* info, int,
                        bool last) override {
        if (!last) {
            return;
        }
        E.Update([&] {
            if (Failed(info) || login == nullptr) {
                E.Failure = "login refused";
                return;
            }
            E.TradeLoggedIn = true;
            E.FrontID = login->FrontID;
            E.SessionID = login->SessionID;
            E.MaxOrderRef = std::atoi(login->MaxOrderRef);
            std::printf("client: trade login ok, user %s\n", login->UserID);
        });
    }
    void OnRspSettlementInfoConfirm(CThostFtdcSettlementInfoConfirmField*, CThostFtdcRspInfoField*, int,
                                    bool) override {
        E.Update([&] { E.Confirmed = true; });
    }
    void OnRspOrderInsert(CThostFtdcInputOrderField* order, CThostFtdcRspInfoField* info, int,
                          bool) override {
        std::printf("client: order %s refused: %d %s\n", order != nullptr ? order->OrderRef : "?",
                    info != nullptr ? info->ErrorID : 0, info != nullptr ? info->ErrorMsg : "");
    }
    void OnRtnOrder(CThostFtdcOrderField* order) override {
        std::printf("client: order return ref=%s sys=%s status=%c traded=%d/%d\n", order->OrderRef,
                    order->OrderSysID, order->OrderStatus, order->VolumeTotalOriginal - order->VolumeTotal,
                    order->VolumeTotalOriginal);
        E.Update([&] { E.Orders.push_back(*order); });
    }
    void OnRtnTrade(CThostFtdcTradeField* trade) override {
        std::printf("client: trade return %s %d@%.2f (order %s)\n", trade->TradeID, trade->Volume,
                    trade->Price, trade->OrderSysID);
        E.Update([&] { E.Trades.push_back(*trade); });
    }
    void OnRspQryTradingAccount(CThostFtdcTradingAccountField* account, CThostFtdcRspInfoField*, int,
                                bool last) override {
        if (account != nullptr) {
            std::printf("client: account balance=%.2f available=%.2f margin=%.2f commission=%.2f\n",
                        account->Balance, account->Available, account->CurrMargin, account->Commission);
        }
        Done(last);
    }
    void OnRspQryInvestorPosition(CThostFtdcInvestorPositionField* position, CThostFtdcRspInfoField*, int,
                                  bool last) override {
        if (position != nullptr) {
            std::printf("client: position %s %s %d (today %d)\n", position->InstrumentID,
                        position->PosiDirection == '2' ? "long" : "short", position->Position,
                        position->TodayPosition);
        }
        Done(last);
    }
    void OnRspQryOrder(CThostFtdcOrderField* order, CThostFtdcRspInfoField*, int, bool last) override {
        if (order != nullptr) {
            std::printf("client: order %s %s status=%c\n", order->OrderRef, order->InstrumentID,
                        order->OrderStatus);
        }
        Done(last);
    }
    void OnRspQryTrade(CThostFtdcTradeField* trade, CThostFtdcRspInfoField*, int, bool last) override {
        if (trade != nullptr) {
            std::printf("client: fill %s %s %d@%.2f\n", trade->TradeID, trade->InstrumentID, trade->Volume,
                        trade->Price);
        }
        Done(last);
    }

private:
    void Done(bool last) {
        if (last) {
            E.Update([&] { ++E.Answers; });
        }
    }
    Events& E;
};

class MarketEvents : public CThostFtdcMdSpi {
public:
    explicit MarketEvents(Events& events) : E(events) {}
    void OnFrontConnected() override {
        E.Update([&] { E.MarketConnected = true; });
    }
    void OnRspUserLogin(CThostFtdcRspUserLoginField*, CThostFtdcRspInfoField* info, int, bool last) override {
        if (last) {
            E.Update([&] {
                Failed(info) ? (void)(E.Failure = "market login refused") : (void)(E.MarketLoggedIn = true);
            });
        }
    }
    void OnRspSubMarketData(CThostFtdcSpecificInstrumentField* instrument, CThostFtdcRspInfoField*, int,
                            bool) override {
        std::printf("client: subscribed %s\n", instrument != nullptr ? instrument->InstrumentID : "?");
        E.Update([&] { E.Subscribed = true; });
    }
    void OnRtnDepthMarketData(CThostFtdcDepthMarketDataField* tick) override {
        E.Update([&] {
            if (E.Ticks++ == 0) {
                std::printf("client: first tick %s %s.%03d last=%.2f bid=%.2f ask=%.2f\n", tick->InstrumentID,
                            tick->UpdateTime, tick->UpdateMillisec, tick->LastPrice, tick->BidPrice1,
                            tick->AskPrice1);
            }
            E.LastTick = *tick;
        });
    }

private:
    Events& E;
};

struct Settings {
    std::string TradeFront = "tcp://127.0.0.1:30222";
    std::string MarketFront = "tcp://127.0.0.1:30223";
    std::string BrokerID = "9999", UserID = "1001", Password = "123456";
    std::string Instrument = "rb2105";
    double PriceTick = 1;
};

bool Parse(int argc, char** argv, Settings& settings) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--trade-front") {
            settings.TradeFront = value;
        } else if (name == "--market-front") {
            settings.MarketFront = value;
        } else if (name == "--user") {
            settings.UserID = value;
        } else if (name == "--password") {
            settings.Password = value;
        } else if (name == "--instrument") {
            settings.Instrument = value;
        } else {
            return false;
        }
    }
    return argc % 2 == 1;
}

// Sends a query again while the API's one-per-second limit refuses it.
bool Query(const char* what, const std::function<int()>& send) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        const int result = send();
        if (result == 0) {
            std::printf("client: query %s\n", what);
            return true;
        }
        if (result != -3 || std::chrono::steady_clock::now() > deadline) {
            std::printf("client: FAILED query %s (%d)\n", what, result);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

int Run(const Settings& s, CThostFtdcTraderApi* trader, CThostFtdcMdApi* md, Events& e) {
    if (!e.WaitFor("the trade proxy", [&] { return e.TradeConnected; }) ||
        !e.WaitFor("the market proxy", [&] { return e.MarketConnected; })) {
        return 1;
    }
    CThostFtdcReqUserLoginField login{};
    Copy(login.BrokerID, s.BrokerID);
    Copy(login.UserID, s.UserID);
    Copy(login.Password, s.Password);
    trader->ReqUserLogin(&login, 1);
    md->ReqUserLogin(&login, 1);
    if (!e.WaitFor("the trade login", [&] { return e.TradeLoggedIn; }) ||
        !e.WaitFor("the market login", [&] { return e.MarketLoggedIn; })) {
        return 1;
    }
    CThostFtdcSettlementInfoConfirmField confirm{};
    Copy(confirm.BrokerID, s.BrokerID);
    Copy(confirm.InvestorID, s.UserID);
    trader->ReqSettlementInfoConfirm(&confirm, 2);
    if (!e.WaitFor("the settlement confirmation", [&] { return e.Confirmed; })) {
        return 1;
    }
    std::printf("client: settlement confirmed\n");

    std::string instrument = s.Instrument;
    char* instruments[] = {&instrument[0]};
    md->SubscribeMarketData(instruments, 1);
    if (!e.WaitFor("a tick", [&] { return e.Ticks > 0; })) {
        return 1;
    }
    CThostFtdcDepthMarketDataField tick;
    {
        std::lock_guard<std::mutex> guard(e.Mutex);
        tick = e.LastTick;
    }

    auto order = [&](const char* ref, char direction, double price) {
        CThostFtdcInputOrderField request{};
        Copy(request.BrokerID, s.BrokerID);
        Copy(request.InvestorID, s.UserID);
        Copy(request.InstrumentID, s.Instrument);
        Copy(request.OrderRef, ref);
        request.OrderPriceType = THOST_FTDC_OPT_LimitPrice;
        request.Direction = direction;
        request.CombOffsetFlag[0] = THOST_FTDC_OF_Open;
        request.CombHedgeFlag[0] = THOST_FTDC_HF_Speculation;
        request.LimitPrice = price;
        request.VolumeTotalOriginal = 1;
        request.TimeCondition = THOST_FTDC_TC_GFD;
        request.VolumeCondition = THOST_FTDC_VC_AV;
        request.ContingentCondition = THOST_FTDC_CC_Immediately;
        request.ForceCloseReason = THOST_FTDC_FCC_NotForceClose;
        std::printf("client: insert %s %s 1 @ %.2f\n", ref, direction == THOST_FTDC_D_Buy ? "buy" : "sell",
                    price);
        return trader->ReqOrderInsert(&request, 10);
    };
    // A buy at the offer fills; one far below the bid rests.
    order("1", THOST_FTDC_D_Buy, tick.AskPrice1);
    if (!e.WaitFor("the fill", [&] { return !e.Trades.empty(); })) {
        return 1;
    }
    const double restingPrice = std::floor(tick.BidPrice1 * 0.95 / s.PriceTick) * s.PriceTick;
    order("2", THOST_FTDC_D_Buy, restingPrice);
    CThostFtdcOrderField resting{};
    if (!e.WaitFor("the resting order", [&] {
            for (const auto& o : e.Orders) {
                if (std::strcmp(o.OrderRef, "2") == 0 && o.OrderStatus == THOST_FTDC_OST_NoTradeQueueing) {
                    resting = o;
                    return true;
                }
            }
            return false;
        })) {
        return 1;
    }
    CThostFtdcInputOrderActionField cancel{};
    Copy(cancel.BrokerID, s.BrokerID);
    Copy(cancel.InvestorID, s.UserID);
    Copy(cancel.OrderRef, resting.OrderRef);
    cancel.FrontID = resting.FrontID;
    cancel.SessionID = resting.SessionID;
    Copy(cancel.ExchangeID, resting.ExchangeID);
    Copy(cancel.OrderSysID, resting.OrderSysID);
    Copy(cancel.InstrumentID, resting.InstrumentID);
    cancel.ActionFlag = THOST_FTDC_AF_Delete;
    cancel.LimitPrice = resting.LimitPrice;
    std::printf("client: cancel %s (sys %s)\n", resting.OrderRef, resting.OrderSysID);
    trader->ReqOrderAction(&cancel, 11);
    if (!e.WaitFor("the cancel", [&] {
            for (const auto& o : e.Orders) {
                if (std::strcmp(o.OrderRef, "2") == 0 && o.OrderStatus == THOST_FTDC_OST_Canceled) {
                    return true;
                }
            }
            return false;
        })) {
        return 1;
    }

    CThostFtdcQryTradingAccountField account{};
    CThostFtdcQryInvestorPositionField position{};
    CThostFtdcQryOrderField orders{};
    CThostFtdcQryTradeField trades{};
    const std::pair<const char*, std::function<int()>> queries[] = {
        {"account", [&] { return trader->ReqQryTradingAccount(&account, 20); }},
        {"positions", [&] { return trader->ReqQryInvestorPosition(&position, 21); }},
        {"orders", [&] { return trader->ReqQryOrder(&orders, 22); }},
        {"trades", [&] { return trader->ReqQryTrade(&trades, 23); }},
    };
    // The gateway's own session is limited to one query a second as well, and a
    // query it cannot pass on is never answered: ask again after a while.
    int answered = 0;
    for (const auto& query : queries) {
        bool done = false;
        for (int attempt = 0; attempt < 10 && !done; ++attempt) {
            if (!Query(query.first, query.second)) {
                return 1;
            }
            std::unique_lock<std::mutex> lock(e.Mutex);
            done = e.Changed.wait_for(lock, std::chrono::seconds(2), [&] { return e.Answers > answered; });
        }
        if (!done) {
            std::printf("client: FAILED waiting for the %s answer\n", query.first);
            return 1;
        }
        ++answered;
    }
    std::printf("client: done\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Settings settings;
    if (!Parse(argc, argv, settings)) {
        std::fprintf(stderr,
                     "usage: %s [--trade-front tcp://host:port] [--market-front tcp://host:port] [--user ID] "
                     "[--password TEXT] [--instrument ID]\n",
                     argv[0]);
        return 2;
    }
    Events events;
    TraderEvents traderEvents(events);
    MarketEvents marketEvents(events);
    CThostFtdcTraderApi* trader = CThostFtdcTraderApi::CreateFtdcTraderApi("");
    CThostFtdcMdApi* md = CThostFtdcMdApi::CreateFtdcMdApi("", false, false);
    trader->RegisterSpi(&traderEvents);
    md->RegisterSpi(&marketEvents);
    trader->SubscribePrivateTopic(THOST_TERT_QUICK);
    trader->SubscribePublicTopic(THOST_TERT_QUICK);
    trader->Init();
    md->Init();
    trader->RegisterFront(&settings.TradeFront[0]);
    md->RegisterFront(&settings.MarketFront[0]);
    std::printf("client: connecting to %s and %s\n", settings.TradeFront.c_str(),
                settings.MarketFront.c_str());
    const int result = Run(settings, trader, md, events);
    trader->Release();
    md->Release();
    return result;
}
