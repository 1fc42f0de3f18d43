#pragma once

#include "ThostFtdcTraderApi.h"

#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace Tesmora {
namespace Testing {

// One request as the adapter handed it to the API.
struct RecordedRequest {
    std::string Name;
    int RequestID;
    std::vector<unsigned char> Record;

    template <class Field> Field As() const {
        Field field;
        std::memcpy(&field, Record.data(), sizeof field);
        return field;
    }
};

// A CThostFtdcTraderApi that records every call and answers requests with
// results a test queues (0 when none is queued). Callable from any thread.
// Release only marks the object: the test owns it.
class FakeTraderApi : public CThostFtdcTraderApi {
public:
    explicit FakeTraderApi(std::string flowFolder) : FlowFolder(std::move(flowFolder)) {}
    ~FakeTraderApi() override = default;

    void Release() override { Call("Release"); }
    void Init() override { Call("Init"); }
    int Join() override { return 0; }
    const char* GetTradingDay() override { return "20261211"; }
    void RegisterFront(char* address) override {
        std::lock_guard<std::mutex> guard(Mutex);
        Front = address;
        Calls.push_back("RegisterFront");
    }
    void RegisterSpi(CThostFtdcTraderSpi* spi) override {
        std::lock_guard<std::mutex> guard(Mutex);
        Spi = spi;
        Calls.push_back(spi != nullptr ? "RegisterSpi" : "RegisterSpi(null)");
    }
    void SubscribePrivateTopic(THOST_TE_RESUME_TYPE type) override {
        Call("SubscribePrivateTopic:" + std::to_string(int(type)));
    }
    void SubscribePublicTopic(THOST_TE_RESUME_TYPE type) override {
        Call("SubscribePublicTopic:" + std::to_string(int(type)));
    }

    int ReqAuthenticate(CThostFtdcReqAuthenticateField* r, int id) override {
        return Record("ReqAuthenticate", r, id);
    }
    int ReqUserLogin(CThostFtdcReqUserLoginField* r, int id) override {
        return Record("ReqUserLogin", r, id);
    }
    int ReqUserLogout(CThostFtdcUserLogoutField* r, int id) override {
        return Record("ReqUserLogout", r, id);
    }
    int ReqSettlementInfoConfirm(CThostFtdcSettlementInfoConfirmField* r, int id) override {
        return Record("ReqSettlementInfoConfirm", r, id);
    }
    int ReqOrderInsert(CThostFtdcInputOrderField* r, int id) override {
        return Record("ReqOrderInsert", r, id);
    }
    int ReqOrderAction(CThostFtdcInputOrderActionField* r, int id) override {
        return Record("ReqOrderAction", r, id);
    }
    int ReqExecOrderInsert(CThostFtdcInputExecOrderField* r, int id) override {
        return Record("ReqExecOrderInsert", r, id);
    }
    int ReqQryInvestor(CThostFtdcQryInvestorField* r, int id) override {
        return Record("ReqQryInvestor", r, id);
    }
    int ReqQryOrder(CThostFtdcQryOrderField* r, int id) override { return Record("ReqQryOrder", r, id); }
    int ReqQryExecOrder(CThostFtdcQryExecOrderField* r, int id) override {
        return Record("ReqQryExecOrder", r, id);
    }
    int ReqQryTrade(CThostFtdcQryTradeField* r, int id) override { return Record("ReqQryTrade", r, id); }
    int ReqQryInvestorPosition(CThostFtdcQryInvestorPositionField* r, int id) override {
        return Record("ReqQryInvestorPosition", r, id);
    }
    int ReqQryTradingAccount(CThostFtdcQryTradingAccountField* r, int id) override {
        return Record("ReqQryTradingAccount", r, id);
    }
    int ReqQryInstrument(CThostFtdcQryInstrumentField* r, int id) override {
        return Record("ReqQryInstrument", r, id);
    }
    int ReqQryInstrumentMarginRate(CThostFtdcQryInstrumentMarginRateField* r, int id) override {
        return Record("ReqQryInstrumentMarginRate", r, id);
    }
    int ReqQryInstrumentCommissionRate(CThostFtdcQryInstrumentCommissionRateField* r, int id) override {
        return Record("ReqQryInstrumentCommissionRate", r, id);
    }

    // The next result of a request by name (0 once the queue is empty).
    void QueueResult(const std::string& name, int result) {
        std::lock_guard<std::mutex> guard(Mutex);
        Results[name].push_back(result);
    }

    std::vector<RecordedRequest> Requests() {
        std::lock_guard<std::mutex> guard(Mutex);
        return Recorded;
    }

    std::vector<std::string> RequestNames() {
        std::vector<std::string> names;
        for (const auto& request : Requests()) {
            names.push_back(request.Name);
        }
        return names;
    }

    // The last request of that name; fails the test through an exception when none.
    RecordedRequest Last(const std::string& name) {
        std::lock_guard<std::mutex> guard(Mutex);
        for (auto it = Recorded.rbegin(); it != Recorded.rend(); ++it) {
            if (it->Name == name) {
                return *it;
            }
        }
        throw std::runtime_error("no request " + name);
    }

    size_t Count(const std::string& name) {
        size_t count = 0;
        for (const auto& request : Requests()) {
            count += request.Name == name;
        }
        return count;
    }

    std::vector<std::string> CallLog() {
        std::lock_guard<std::mutex> guard(Mutex);
        return Calls;
    }

    const std::string FlowFolder;
    std::string Front;
    CThostFtdcTraderSpi* Spi = nullptr;

private:
    void Call(const std::string& name) {
        std::lock_guard<std::mutex> guard(Mutex);
        Calls.push_back(name);
    }

    template <class Field> int Record(const char* name, Field* field, int requestID) {
        std::lock_guard<std::mutex> guard(Mutex);
        RecordedRequest request{name, requestID, {}};
        request.Record.resize(sizeof(Field));
        std::memcpy(request.Record.data(), field, sizeof(Field));
        Recorded.push_back(std::move(request));
        auto& queue = Results[name];
        if (queue.empty()) {
            return 0;
        }
        const int result = queue.front();
        queue.pop_front();
        return result;
    }

    std::mutex Mutex;
    std::vector<RecordedRequest> Recorded;
    std::vector<std::string> Calls;
    std::map<std::string, std::deque<int>> Results;
};

} // namespace Testing
} // namespace Tesmora
