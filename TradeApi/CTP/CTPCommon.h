#pragma once

#include "TradeApi/ConfigKeys.h"
#include "TradeApi/ErrorCodes.h"
#include "TradeApi/ErrorRules.h"
#include "TradeApi/NotifyParams.h"
#include "TradeApi/OpenParams.h"
#include "Utils/GbkToUtf8.h"

#include <atomic>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace Tesmora {
namespace TradeApi {

enum AdapterState : int { Closed = 0, Opening = 1, Opened = 2 };

// The part both adapters share. It is the CTP callback object (it derives from
// the API's callback class) and owns the state, the stored parameters, the
// listener pointer, the API object and the counters.
//
// Threads: interface operations run on the host's threads and on the proxy's
// network threads; callbacks run on the CTP API's one callback thread.
template <class ApiT, class SpiT, class ListenerT> class CTPCommon : public SpiT {
public:
    CTPCommon() = default;
    CTPCommon(const CTPCommon&) = delete;
    CTPCommon& operator=(const CTPCommon&) = delete;

protected:
    virtual ~CTPCommon() = default;

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

    virtual std::string ConvertText(const char* text) {
        return Params.IsUTF8 ? Utils::GbkToUtf8(text) : std::string(text);
    }

    // The first steps of Open shared by both adapters: refuse unless Closed,
    // enter Opening, copy the parameters and validate them. Reports every
    // failure; returns true when Open may go on. Host thread.
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
        std::vector<ErrorInfo> errors;
        if (Params.HostAddress.empty()) {
            errors.push_back(LocalError(ErrorCode::ErrHostAddress));
        }
        if (Params.BrokerID.empty()) {
            errors.push_back(LocalError(ErrorCode::ErrBrokerID));
        }
        if (Params.UserID.empty()) {
            errors.push_back(LocalError(ErrorCode::ErrUserID));
        }
        if (Params.Password.empty()) {
            errors.push_back(LocalError(ErrorCode::ErrPassword));
        }
        if (!errors.empty()) {
            Notify(NotifyType::Open, NotifyResult::Failed, std::move(errors));
            return false;
        }
        return true;
    }

    // Close for an adapter that holds no API object. Host thread.
    void CloseWithoutApi() {
        if (State.load() == Closed) {
            NotifyLocalError(NotifyType::Close, ErrorCode::ErrAlreadyClosed);
            return;
        }
        Notify(NotifyType::Disconnect, NotifyResult::Success);
        RequestID.store(0);
        State.store(Closed);
        Notify(NotifyType::Close, NotifyResult::Success);
    }

    bool IsOpenedState() const { return State.load() == Opened; }

    // Written by Open (host thread) and by the login callbacks (Configs, CTP
    // thread) under ParamsMutex; the host reads it after the notification that
    // wrote it.
    OpenParams Params;
    std::mutex ParamsMutex;
    // Host thread writes (SetListener); every thread reads.
    std::atomic<ListenerT*> Listener{nullptr};
    // Owned from Open until Close or destruction.
    ApiT* Api = nullptr;
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
