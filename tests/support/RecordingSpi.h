#pragma once

#include "ThostFtdcMdApi.h"
#include "ThostFtdcTraderApi.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Tesmora {
namespace Testing {

// One callback as the API raised it.
struct SpiCall {
    std::string Name;
    int RequestID = 0;
    bool IsLast = false;
    bool HasData = false;
    bool HasRspInfo = false;
    int ErrorID = 0;
    std::string ErrorMsg;
    int Reason = 0;
    std::vector<unsigned char> Record;
    std::thread::id Thread;

    template <class Field> Field As() const {
        Field field{};
        std::memcpy(&field, Record.data(), std::min(Record.size(), sizeof field));
        return field;
    }
};

// Records callbacks of either API; callable from the API thread while a test
// waits on another.
class SpiLog {
public:
    template <class Field>
    void Add(const char* name, const Field* data, const CThostFtdcRspInfoField* info, int requestID,
             bool isLast) {
        SpiCall call;
        call.Name = name;
        call.RequestID = requestID;
        call.IsLast = isLast;
        call.HasData = data != nullptr;
        if (data != nullptr) {
            call.Record.resize(sizeof(Field));
            std::memcpy(call.Record.data(), data, sizeof(Field));
        }
        if (info != nullptr) {
            call.HasRspInfo = true;
            call.ErrorID = info->ErrorID;
            call.ErrorMsg = info->ErrorMsg;
        }
        Push(std::move(call));
    }

    void Add(const char* name, int reason = 0) {
        SpiCall call;
        call.Name = name;
        call.Reason = reason;
        Push(std::move(call));
    }

    std::vector<SpiCall> Calls() {
        std::lock_guard<std::mutex> guard(Mutex);
        return Log;
    }

    std::vector<SpiCall> Named(const std::string& name) {
        std::vector<SpiCall> named;
        for (const auto& call : Calls()) {
            if (call.Name == name) {
                named.push_back(call);
            }
        }
        return named;
    }

    bool WaitForCount(const std::string& name, size_t count, int seconds = 20) {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, std::chrono::seconds(seconds), [&] {
            size_t seen = 0;
            for (const auto& call : Log) {
                seen += call.Name == name;
            }
            return seen >= count;
        });
    }

    // Runs inside every recorded callback (on the API thread), when set.
    std::function<void(const SpiCall&)> Hook;

private:
    void Push(SpiCall call) {
        call.Thread = std::this_thread::get_id();
        if (Hook) {
            Hook(call);
        }
        std::lock_guard<std::mutex> guard(Mutex);
        Log.push_back(std::move(call));
        Changed.notify_all();
    }

    std::mutex Mutex;
    std::condition_variable Changed;
    std::vector<SpiCall> Log;
};

class RecordingTraderSpi : public CThostFtdcTraderSpi, public SpiLog {
public:
    void OnFrontConnected() override { Add("OnFrontConnected"); }
    void OnFrontDisconnected(int reason) override { Add("OnFrontDisconnected", reason); }
    void OnRspAuthenticate(CThostFtdcRspAuthenticateField* d, CThostFtdcRspInfoField* i, int r,
                           bool l) override {
        Add("OnRspAuthenticate", d, i, r, l);
    }
    void OnRspUserLogin(CThostFtdcRspUserLoginField* d, CThostFtdcRspInfoField* i, int r, bool l) override {
        Add("OnRspUserLogin", d, i, r, l);
    }
    void OnRspUserLogout(CThostFtdcUserLogoutField* d, CThostFtdcRspInfoField* i, int r, bool l) override {
        Add("OnRspUserLogout", d, i, r, l);
    }
    void OnRspSettlementInfoConfirm(CThostFtdcSettlementInfoConfirmField* d, CThostFtdcRspInfoField* i, int r,
                                    bool l) override {
        Add("OnRspSettlementInfoConfirm", d, i, r, l);
    }
    void OnRspQryInvestor(CThostFtdcInvestorField* d, CThostFtdcRspInfoField* i, int r, bool l) override {
        Add("OnRspQryInvestor", d, i, r, l);
    }
    void OnRspError(CThostFtdcRspInfoField* i, int r, bool l) override {
        Add<CThostFtdcRspInfoField>("OnRspError", nullptr, i, r, l);
    }
    void OnRspOrderInsert(CThostFtdcInputOrderField* d, CThostFtdcRspInfoField* i, int r, bool l) override {
        Add("OnRspOrderInsert", d, i, r, l);
    }
    void OnRspOrderAction(CThostFtdcInputOrderActionField* d, CThostFtdcRspInfoField* i, int r,
                          bool l) override {
        Add("OnRspOrderAction", d, i, r, l);
    }
    void OnRspQryOrder(CThostFtdcOrderField* d, CThostFtdcRspInfoField* i, int r, bool l) override {
        Add("OnRspQryOrder", d, i, r, l);
    }
    void OnRspQryTrade(CThostFtdcTradeField* d, CThostFtdcRspInfoField* i, int r, bool l) override {
        Add("OnRspQryTrade", d, i, r, l);
    }
    void OnRspQryTradingAccount(CThostFtdcTradingAccountField* d, CThostFtdcRspInfoField* i, int r,
                                bool l) override {
        Add("OnRspQryTradingAccount", d, i, r, l);
    }
    void OnRspQryInstrument(CThostFtdcInstrumentField* d, CThostFtdcRspInfoField* i, int r, bool l) override {
        Add("OnRspQryInstrument", d, i, r, l);
    }
    void OnRspQryInvestorPosition(CThostFtdcInvestorPositionField* d, CThostFtdcRspInfoField* i, int r,
                                  bool l) override {
        Add("OnRspQryInvestorPosition", d, i, r, l);
    }
    void OnRspQryInstrumentMarginRate(CThostFtdcInstrumentMarginRateField* d, CThostFtdcRspInfoField* i,
                                      int r, bool l) override {
        Add("OnRspQryInstrumentMarginRate", d, i, r, l);
    }
    void OnRspQryInstrumentCommissionRate(CThostFtdcInstrumentCommissionRateField* d,
                                          CThostFtdcRspInfoField* i, int r, bool l) override {
        Add("OnRspQryInstrumentCommissionRate", d, i, r, l);
    }
    void OnRtnOrder(CThostFtdcOrderField* d) override {
        Add<CThostFtdcOrderField>("OnRtnOrder", d, nullptr, 0, false);
    }
    void OnRtnTrade(CThostFtdcTradeField* d) override {
        Add<CThostFtdcTradeField>("OnRtnTrade", d, nullptr, 0, false);
    }
};

class RecordingMdSpi : public CThostFtdcMdSpi, public SpiLog {
public:
    void OnFrontConnected() override { Add("OnFrontConnected"); }
    void OnFrontDisconnected(int reason) override { Add("OnFrontDisconnected", reason); }
    void OnRspUserLogin(CThostFtdcRspUserLoginField* d, CThostFtdcRspInfoField* i, int r, bool l) override {
        Add("OnRspUserLogin", d, i, r, l);
    }
    void OnRspSubMarketData(CThostFtdcSpecificInstrumentField* d, CThostFtdcRspInfoField* i, int r,
                            bool l) override {
        Add("OnRspSubMarketData", d, i, r, l);
    }
    void OnRspUnSubMarketData(CThostFtdcSpecificInstrumentField* d, CThostFtdcRspInfoField* i, int r,
                              bool l) override {
        Add("OnRspUnSubMarketData", d, i, r, l);
    }
    void OnRtnDepthMarketData(CThostFtdcDepthMarketDataField* d) override {
        Add<CThostFtdcDepthMarketDataField>("OnRtnDepthMarketData", d, nullptr, 0, false);
    }
};

} // namespace Testing
} // namespace Tesmora
