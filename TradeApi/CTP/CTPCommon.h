#pragma once

#include "TradeApi/CTP/Boundary.h"
#include "TradeApi/CTP/FlowFolder.h"
#include "TradeApi/CTP/ProxyEndpoint.h"
#include "TradeApi/ConfigKeys.h"
#include "TradeApi/ErrorCodes.h"
#include "TradeApi/ErrorRules.h"
#include "TradeApi/NotifyParams.h"
#include "TradeApi/OpenParams.h"
#include "TradeApi/TextToInt.h"
#include "Utils/FieldText.h"
#include "Utils/GbkToUtf8.h"

#include "ThostFtdcUserApiStruct.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <utility>
#include <vector>

namespace Tesmora {
namespace TradeApi {

using Utils::CopyText;
using Utils::FieldText;

enum AdapterState : int { Closed = 0, Opening = 1, Opened = 2 };

// The credentials a request needs, copied out of the stored parameters.
struct Credentials {
    std::string BrokerID;
    std::string UserID;
    std::string Password;
};

// The part both adapters share. It is the CTP callback object (it derives from
// the API's callback class) and owns the state, the stored parameters, the
// listener pointer, the API object and the counters.
//
// Threads: interface operations run on the host's threads and on the proxy's
// network threads; callbacks run on the CTP API's one callback thread. No lock
// of this class is held while the listener is called.
template <class ApiT, class SpiT, class ListenerT> class CTPCommon : public SpiT {
public:
    CTPCommon() = default;
    CTPCommon(const CTPCommon&) = delete;
    CTPCommon& operator=(const CTPCommon&) = delete;

    // ---- Callbacks shared by both adapters (CTP callback thread).

    void OnFrontDisconnected(int /*reason*/) override {
        AtBoundary("OnFrontDisconnected", [&] {
            RequestID.store(0);
            State.store(Closed);
            Notify(NotifyType::Disconnect, NotifyResult::Success);
        });
    }

    void OnHeartBeatWarning(int) override {}

    void OnRspUserLogin(CThostFtdcRspUserLoginField* field, CThostFtdcRspInfoField* rspInfo, int,
                        bool isLast) override {
        AtBoundary("OnRspUserLogin", [&] {
            if (!isLast) {
                return;
            }
            if (IsError(rspInfo)) {
                Notify(NotifyType::Login, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
                return;
            }
            // Without the record there are no session identifiers to log in with.
            if (field == nullptr) {
                NotifyLocalError(NotifyType::Login, ErrorCode::ErrNullResponce);
                return;
            }
            FrontID.store(field->FrontID);
            SessionID.store(field->SessionID);
            MaxOrderRef.store(TextToInt(FieldText(field->MaxOrderRef)));
            {
                std::lock_guard<std::mutex> guard(ParamsMutex);
                auto& configs = Params.Configs;
                configs[ConfigKey::TradingDay] = FieldText(field->TradingDay);
                configs[ConfigKey::LoginTime] = FieldText(field->LoginTime);
                configs[ConfigKey::SystemName] = FieldText(field->SystemName);
                configs[ConfigKey::SHFETime] = FieldText(field->SHFETime);
                configs[ConfigKey::DCETime] = FieldText(field->DCETime);
                configs[ConfigKey::CZCETime] = FieldText(field->CZCETime);
                configs[ConfigKey::FFEXTime] = FieldText(field->FFEXTime);
                configs[ConfigKey::INETime] = FieldText(field->INETime);
            }
            Notify(NotifyType::Login, NotifyResult::Success);
            AfterLogin();
        });
    }

    void OnRspUserLogout(CThostFtdcUserLogoutField*, CThostFtdcRspInfoField*, int, bool isLast) override {
        AtBoundary("OnRspUserLogout", [&] {
            if (isLast) {
                Notify(NotifyType::Logout, NotifyResult::Success);
            }
        });
    }

    void OnRspError(CThostFtdcRspInfoField* rspInfo, int, bool) override {
        AtBoundary("OnRspError", [&] {
            if (IsError(rspInfo)) {
                Notify(NotifyType::Error, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
            }
        });
    }

protected:
    virtual ~CTPCommon() { ReleaseApi(); }

    // ---- Hooks the adapters provide.

    virtual ApiT* CreateApi(const std::string& flowFolder) = 0;
    virtual std::string GetBasePath() = 0;
    virtual std::string GetFolderSuffix() = 0;
    virtual void AfterLogin() = 0;
    virtual std::string ConvertText(const char* text) {
        return Utf8.load() ? Utils::GbkToUtf8(text) : std::string(text);
    }
    virtual void SubscribeTopics() {}

    // ---- Notifications.

    // Sends one notification to the listener, if one is set. Any thread.
    void Notify(int type, int result, std::vector<ErrorInfo> errors = {}) {
        ListenerT* listener = Listener.load();
        if (listener == nullptr) {
            return;
        }
        const NotifyParams params(type, result, std::move(errors));
        listener->OnNotify(params);
    }

    void NotifyLocalError(int type, const char* code) {
        Notify(type, NotifyResult::Failed, {LocalError(code)});
    }
    void NotifyRefused(int type, int result) {
        Notify(type, NotifyResult::Failed, {RefusedRequestError(result)});
    }

    static bool IsError(const CThostFtdcRspInfoField* rspInfo) {
        return rspInfo != nullptr && rspInfo->ErrorID != 0;
    }
    ErrorInfo ResponseErrorOf(const CThostFtdcRspInfoField& rspInfo) {
        return ResponseError(rspInfo.ErrorID, ConvertText(FieldText(rspInfo.ErrorMsg).c_str()));
    }

    // ---- Open and Close (host thread).

    // Refuses unless Closed, enters Opening, copies and validates the
    // parameters. Reports every failure; true when Open may go on.
    bool BeginOpen(const OpenParams& params) {
        int expected = Closed;
        if (!State.compare_exchange_strong(expected, Opening)) {
            NotifyLocalError(NotifyType::Open, ErrorCode::ErrAlreadyOpened);
            return false;
        }
        {
            std::lock_guard<std::mutex> guard(ParamsMutex);
            Params.UserID = params.UserID;
            Params.Password = params.Password;
            Params.HostAddress = params.HostAddress;
            Params.BrokerID = params.BrokerID;
            Params.HostProtocol = params.HostProtocol;
            Params.IsUTF8 = params.IsUTF8;
            Params.AuxFlag = params.AuxFlag;
            Params.Configs = params.Configs;
        }
        Utf8.store(params.IsUTF8);
        std::vector<ErrorInfo> errors;
        if (params.HostAddress.empty()) {
            errors.push_back(LocalError(ErrorCode::ErrHostAddress));
        }
        if (params.BrokerID.empty()) {
            errors.push_back(LocalError(ErrorCode::ErrBrokerID));
        }
        if (params.UserID.empty()) {
            errors.push_back(LocalError(ErrorCode::ErrUserID));
        }
        if (params.Password.empty()) {
            errors.push_back(LocalError(ErrorCode::ErrPassword));
        }
        if (!errors.empty()) {
            Notify(NotifyType::Open, NotifyResult::Failed, std::move(errors));
            return false;
        }
        return true;
    }

    // Creates the proxy server on the first Open that passes validation and
    // starts its listener when the configuration asks for one. A later Open
    // changes nothing here. A listener that cannot start leaves the adapter
    // without one: nothing about the proxy is reported to the host.
    template <class Proxy, class Adapter> void StartProxy(std::unique_ptr<Proxy>& proxy, Adapter* adapter) {
        if (proxy) {
            return;
        }
        proxy = std::make_unique<Proxy>(adapter);
        std::string address;
        uint16_t port = 0;
        bool wanted;
        {
            std::lock_guard<std::mutex> guard(ParamsMutex);
            wanted = ProxyEndpoint(Params.Configs, address, port);
        }
        if (!wanted) {
            return;
        }
        try {
            proxy->Listen(address, port);
        } catch (const std::exception& e) {
            std::printf("* Proxy start failed: %s\n", e.what());
        }
    }

    // Creates the flow folder and the API, registers this adapter and starts
    // the API, unless an earlier Open left one that is still held.
    void StartApi() {
        {
            std::shared_lock<std::shared_mutex> lock(ApiMutex);
            if (Api != nullptr) {
                return;
            }
        }
        std::string folder, hostAddress;
        int hostProtocol;
        {
            std::lock_guard<std::mutex> guard(ParamsMutex);
            const auto cacheFolder = Params.Configs.find(ConfigKey::CacheFolder);
            folder =
                cacheFolder != Params.Configs.end() ? cacheFolder->second : Params.UserID + GetFolderSuffix();
            hostAddress = Params.HostAddress;
            hostProtocol = Params.HostProtocol;
        }
        const std::string flowFolder = GetBasePath() + "Cache/" + folder + "/";
        if (!CreateFlowFolder(flowFolder)) {
            NotifyLocalError(NotifyType::Open, ErrorCode::ErrCreateCacheDir);
            return;
        }
        ApiT* api = CreateApi(flowFolder);
        if (api == nullptr) {
            NotifyLocalError(NotifyType::Open, ErrorCode::ErrApiCreateFailed);
            return;
        }
        {
            std::unique_lock<std::shared_mutex> lock(ApiMutex);
            Api = api;
        }
        api->RegisterSpi(this);
        SubscribeTopics();
        api->Init();
        std::string front = FrontAddress(hostAddress, hostProtocol);
        api->RegisterFront(&front[0]);
    }

    // Logs out without waiting, then detaches and releases the API.
    void CloseSession() {
        if (State.load() == Closed) {
            NotifyLocalError(NotifyType::Close, ErrorCode::ErrAlreadyClosed);
            return;
        }
        if (HasApi()) {
            const Credentials credentials = GetCredentials();
            CThostFtdcUserLogoutField request{};
            CopyText(request.BrokerID, credentials.BrokerID);
            CopyText(request.UserID, credentials.UserID);
            const int result =
                CallApi([&](ApiT& api) { return api.ReqUserLogout(&request, NextRequestID()); });
            if (result == 0) {
                Notify(NotifyType::Logout, NotifyResult::Success);
            } else {
                NotifyRefused(NotifyType::Logout, result);
            }
        }
        Notify(NotifyType::Disconnect, NotifyResult::Success);
        // Closed before the release, so that a query chain waiting on the
        // callback thread sees it and stops.
        State.store(Closed);
        ReleaseApi();
        Notify(NotifyType::Close, NotifyResult::Success);
    }

    // Detaches and releases the API; no callback of it runs afterwards.
    void ReleaseApi() {
        ApiT* api;
        {
            std::unique_lock<std::shared_mutex> lock(ApiMutex);
            api = Api;
            Api = nullptr;
        }
        if (api != nullptr) {
            api->RegisterSpi(nullptr);
            api->Release();
        }
        RequestID.store(0);
        State.store(Closed);
    }

    // ---- Requests (any thread).

    bool HasApi() {
        std::shared_lock<std::shared_mutex> lock(ApiMutex);
        return Api != nullptr;
    }

    // Calls the API with the request, or gives -1 (as a network failure) when
    // Close released it meanwhile. The API only queues requests, so holding
    // the shared lock across the call blocks nobody for long.
    template <class Request> int CallApi(Request&& request) {
        std::shared_lock<std::shared_mutex> lock(ApiMutex);
        return Api != nullptr ? request(*Api) : -1;
    }

    int NextRequestID() { return RequestID.fetch_add(1) + 1; }

    Credentials GetCredentials() {
        std::lock_guard<std::mutex> guard(ParamsMutex);
        return Credentials{Params.BrokerID, Params.UserID, Params.Password};
    }

    void RequestLogin() {
        const Credentials credentials = GetCredentials();
        CThostFtdcReqUserLoginField request{};
        CopyText(request.BrokerID, credentials.BrokerID);
        CopyText(request.UserID, credentials.UserID);
        CopyText(request.Password, credentials.Password);
        const int result = CallApi([&](ApiT& api) { return api.ReqUserLogin(&request, NextRequestID()); });
        if (result != 0) {
            NotifyRefused(NotifyType::Login, result);
        }
    }

    bool IsOpenedState() const { return State.load() == Opened; }
    bool IsUtf8() const { return Utf8.load(); }

    // Written by Open (host thread) and by the login callbacks (Configs, CTP
    // thread) under ParamsMutex; the host reads it after the notification that
    // wrote it.
    OpenParams Params;
    std::mutex ParamsMutex;
    // Params.IsUTF8 for the callback thread.
    std::atomic<bool> Utf8{false};
    // Host thread writes (SetListener); every thread reads.
    std::atomic<ListenerT*> Listener{nullptr};
    // Owned from Open until Close or destruction. Requests on any thread hold
    // ApiMutex shared; Open and Close hold it exclusively to set or take it.
    ApiT* Api = nullptr;
    std::shared_mutex ApiMutex;
    // Every thread reads and writes these; new values are taken with one
    // fetch-add so that concurrent callers never share one.
    std::atomic<int> State{Closed};
    std::atomic<int> FrontID{0};
    std::atomic<int> SessionID{0};
    std::atomic<int> MaxOrderRef{0};
    std::atomic<int> RequestID{0};
};

} // namespace TradeApi
} // namespace Tesmora
