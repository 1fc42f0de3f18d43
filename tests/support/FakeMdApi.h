#pragma once

#include "ThostFtdcMdApi.h"

#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace Tesmora {
namespace Testing {

// A CThostFtdcMdApi that records every call and answers requests with results
// a test queues (0 when none is queued). Callable from any thread. Release
// only marks the object: the test owns it.
class FakeMdApi : public CThostFtdcMdApi {
public:
    explicit FakeMdApi(std::string flowFolder) : FlowFolder(std::move(flowFolder)) {}
    ~FakeMdApi() override = default;

    void Release() override { Call("Release"); }
    void Init() override { Call("Init"); }
    int Join() override { return 0; }
    const char* GetTradingDay() override { return "20261211"; }
    void RegisterFront(char* address) override {
        std::lock_guard<std::mutex> guard(Mutex);
        Front = address;
        Calls.push_back("RegisterFront");
    }
    void RegisterSpi(CThostFtdcMdSpi* spi) override {
        Call(spi != nullptr ? "RegisterSpi" : "RegisterSpi(null)");
    }

    int SubscribeMarketData(char* instruments[], int count) override {
        return Record("Subscribe", instruments, count);
    }
    int UnSubscribeMarketData(char* instruments[], int count) override {
        return Record("Unsubscribe", instruments, count);
    }
    int SubscribeForQuoteRsp(char*[], int) override { return -1; }
    int UnSubscribeForQuoteRsp(char*[], int) override { return -1; }
    int ReqUserLogin(CThostFtdcReqUserLoginField* request, int) override {
        std::lock_guard<std::mutex> guard(Mutex);
        Logins.push_back(*request);
        return Next("ReqUserLogin");
    }
    int ReqUserLogout(CThostFtdcUserLogoutField*, int) override {
        std::lock_guard<std::mutex> guard(Mutex);
        Calls.push_back("ReqUserLogout");
        return Next("ReqUserLogout");
    }

    void QueueResult(const std::string& name, int result) {
        std::lock_guard<std::mutex> guard(Mutex);
        Results[name].push_back(result);
    }

    // "Subscribe rb2105", "Unsubscribe cu2106", ... in call order.
    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> guard(Mutex);
        return Recorded;
    }

    std::vector<std::string> CallLog() {
        std::lock_guard<std::mutex> guard(Mutex);
        return Calls;
    }

    std::vector<CThostFtdcReqUserLoginField> LoginRequests() {
        std::lock_guard<std::mutex> guard(Mutex);
        return Logins;
    }

    const std::string FlowFolder;
    std::string Front;

private:
    void Call(const std::string& name) {
        std::lock_guard<std::mutex> guard(Mutex);
        Calls.push_back(name);
    }

    int Record(const char* name, char* instruments[], int count) {
        std::lock_guard<std::mutex> guard(Mutex);
        std::string entry = name;
        for (int i = 0; i < count; ++i) {
            entry += std::string(" ") + instruments[i];
        }
        Recorded.push_back(entry);
        return Next(name);
    }

    int Next(const std::string& name) {
        auto& queue = Results[name];
        if (queue.empty()) {
            return 0;
        }
        const int result = queue.front();
        queue.pop_front();
        return result;
    }

    std::mutex Mutex;
    std::vector<std::string> Recorded;
    std::vector<std::string> Calls;
    std::vector<CThostFtdcReqUserLoginField> Logins;
    std::map<std::string, std::deque<int>> Results;
};

} // namespace Testing
} // namespace Tesmora
