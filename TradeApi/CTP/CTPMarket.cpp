#include "TradeApi/CTP/CTPMarket.h"

#include "TradeApi/CTP/AdapterVersion.h"

namespace Tesmora {
namespace TradeApi {

CTPMarket::~CTPMarket() = default;

void CTPMarket::Open(const OpenParams& params) {
    if (!BeginOpen(params)) {
        return;
    }
}

void CTPMarket::Close() {
    CloseWithoutApi();
}

void CTPMarket::Subscribe(const QueryParams&) {
    if (!IsOpenedState()) {
        NotifyLocalError(NotifyType::Subscribe, ErrorCode::ErrNotOpened);
    }
}

void CTPMarket::Unsubscribe(const QueryParams&) {
    if (!IsOpenedState()) {
        NotifyLocalError(NotifyType::Unsubscribe, ErrorCode::ErrNotOpened);
    }
}

const char* CTPMarket::GetVersion(int type) {
    return AdapterVersion(type);
}

} // namespace TradeApi
} // namespace Tesmora
