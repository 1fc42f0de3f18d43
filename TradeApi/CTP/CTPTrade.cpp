#include "TradeApi/CTP/CTPTrade.h"

#include "TradeApi/CTP/AdapterVersion.h"

namespace Tesmora {
namespace TradeApi {

CTPTrade::~CTPTrade() = default;

void CTPTrade::Open(const OpenParams& params) {
    if (!BeginOpen(params)) {
        return;
    }
}

void CTPTrade::Close() {
    CloseWithoutApi();
}

bool CTPTrade::CheckOpened(int type) {
    if (IsOpenedState()) {
        return true;
    }
    NotifyLocalError(type, ErrorCode::ErrNotOpened);
    return false;
}

void CTPTrade::OrderAction(Order&) {
    CheckOpened(NotifyType::OrderAction);
}
void CTPTrade::QueryOrder(const QueryParams&) {
    CheckOpened(NotifyType::QueryOrder);
}
void CTPTrade::QueryTrade(const QueryParams&) {
    CheckOpened(NotifyType::QueryTrade);
}
void CTPTrade::QueryInstrument(const QueryParams&) {
    CheckOpened(NotifyType::QueryInstrument);
}
void CTPTrade::QueryPosition(const QueryParams&) {
    CheckOpened(NotifyType::QueryPosition);
}
void CTPTrade::QueryAccount(const QueryParams&) {
    CheckOpened(NotifyType::QueryAccount);
}

const char* CTPTrade::GetVersion(int type) {
    return AdapterVersion(type);
}

} // namespace TradeApi
} // namespace Tesmora
