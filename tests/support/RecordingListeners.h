#pragma once

#include "TradeApi/MarketListener.h"
#include "TradeApi/TradeListener.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace Tesmora {
namespace Testing {

// A notification reduced to what tests compare.
struct Note {
    int Type;
    int Result;
    std::vector<std::string> Codes;

    bool operator==(const Note& other) const {
        return Type == other.Type && Result == other.Result && Codes == other.Codes;
    }
};

inline Note ToNote(const TradeApi::NotifyParams& params) {
    Note note{params.Type, params.Result, {}};
    for (const auto& error : params.Errors) {
        note.Codes.push_back(error.Code);
    }
    return note;
}

// Records every call; safe to call from any thread. Tests wait on conditions
// with a generous deadline instead of sleeping.
class RecordingBase {
public:
    virtual ~RecordingBase() = default;

    // Forgets everything recorded so far.
    virtual void Clear() {
        std::lock_guard<std::mutex> guard(Mutex);
        NotifyLog.clear();
    }

    std::vector<TradeApi::NotifyParams> Notifications() {
        std::lock_guard<std::mutex> guard(Mutex);
        return NotifyLog;
    }

    std::vector<Note> Notes() {
        std::vector<Note> notes;
        for (const auto& params : Notifications()) {
            notes.push_back(ToNote(params));
        }
        return notes;
    }

    template <class Predicate> bool WaitFor(Predicate predicate, int seconds = 10) {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, std::chrono::seconds(seconds), predicate);
    }

    bool WaitForNotification(int type, int result, int seconds = 10) {
        return WaitFor(
            [&] {
                for (const auto& params : NotifyLog) {
                    if (params.Type == type && params.Result == result) {
                        return true;
                    }
                }
                return false;
            },
            seconds);
    }

protected:
    template <class T> void Record(std::vector<T>& log, const T& value) {
        std::lock_guard<std::mutex> guard(Mutex);
        log.push_back(value);
        Changed.notify_all();
    }

    void RecordNotify(const TradeApi::NotifyParams& params) {
        std::lock_guard<std::mutex> guard(Mutex);
        NotifyLog.push_back(params);
        Changed.notify_all();
    }

public:
    // Guards every log; hold it to read the logs while callbacks may still come.
    std::mutex Mutex;
    // The notifications so far; the caller holds Mutex (inside a WaitFor predicate).
    const std::vector<TradeApi::NotifyParams>& NotifyLogUnlocked() const { return NotifyLog; }

protected:
    std::condition_variable Changed;
    std::vector<TradeApi::NotifyParams> NotifyLog;
};

class RecordingTradeListener : public TradeApi::TradeListener, public RecordingBase {
public:
    void OnNotify(const TradeApi::NotifyParams& params) override { RecordNotify(params); }
    void OnOrderUpdate(const TradeApi::Order& order) override { Record(OrderUpdates, order); }
    void OnTradeOrderUpdate(const TradeApi::TradeOrder& trade) override { Record(TradeUpdates, trade); }
    void OnQueryOrder(const std::vector<TradeApi::Order>& orders) override { Record(OrderLists, orders); }
    void OnQueryTrade(const std::vector<TradeApi::TradeOrder>& trades) override {
        Record(TradeLists, trades);
    }
    void OnQueryInstrument(const std::vector<TradeApi::Instrument>& list) override {
        Record(InstrumentLists, list);
    }
    void OnQueryPosition(const std::vector<TradeApi::Position>& list) override {
        Record(PositionLists, list);
    }
    void OnQueryAccount(const TradeApi::Account& account) override { Record(Accounts, account); }

    void Clear() override {
        RecordingBase::Clear();
        std::lock_guard<std::mutex> guard(Mutex);
        OrderUpdates.clear();
        TradeUpdates.clear();
        OrderLists.clear();
        TradeLists.clear();
        InstrumentLists.clear();
        PositionLists.clear();
        Accounts.clear();
    }

    // Guarded by Mutex; read them after a WaitFor or once the producer stopped.
    std::vector<TradeApi::Order> OrderUpdates;
    std::vector<TradeApi::TradeOrder> TradeUpdates;
    std::vector<std::vector<TradeApi::Order>> OrderLists;
    std::vector<std::vector<TradeApi::TradeOrder>> TradeLists;
    std::vector<std::vector<TradeApi::Instrument>> InstrumentLists;
    std::vector<std::vector<TradeApi::Position>> PositionLists;
    std::vector<TradeApi::Account> Accounts;
};

class RecordingMarketListener : public TradeApi::MarketListener, public RecordingBase {
public:
    void OnNotify(const TradeApi::NotifyParams& params) override { RecordNotify(params); }
    void OnSubscribed(const TradeApi::QueryParams& params) override { Record(Subscribed, params); }
    void OnUnsubscribed(const TradeApi::QueryParams& params) override { Record(Unsubscribed, params); }
    void OnTick(const TradeApi::Tick& tick) override { Record(Ticks, tick); }

    void Clear() override {
        RecordingBase::Clear();
        std::lock_guard<std::mutex> guard(Mutex);
        Subscribed.clear();
        Unsubscribed.clear();
        Ticks.clear();
    }

    std::vector<TradeApi::QueryParams> Subscribed;
    std::vector<TradeApi::QueryParams> Unsubscribed;
    std::vector<TradeApi::Tick> Ticks;
};

} // namespace Testing
} // namespace Tesmora
