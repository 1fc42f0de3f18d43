#pragma once

#include <cstddef>

namespace Tesmora {
namespace TradeApi {

// The fixed vocabulary of error codes, shared with other adapters of the
// interface. The spelling is part of the interface ("ErrNullResponce" included).
namespace ErrorCode {

constexpr const char ErrUndefined[] = "ErrUndefined";
constexpr const char ErrNullResponce[] = "ErrNullResponce";
constexpr const char ErrApiCreateFailed[] = "ErrApiCreateFailed";
constexpr const char ErrApiIncompatible[] = "ErrApiIncompatible";
constexpr const char ErrCreateCacheDir[] = "ErrCreateCacheDir";
constexpr const char ErrNetwork[] = "ErrNetwork";
constexpr const char ErrTooManyUnhandledReqs[] = "ErrTooManyUnhandledReqs";
constexpr const char ErrTooManyRequests[] = "ErrTooManyRequests";
constexpr const char ErrNotOpened[] = "ErrNotOpened";
constexpr const char ErrAlreadyOpened[] = "ErrAlreadyOpened";
constexpr const char ErrAlreadyClosed[] = "ErrAlreadyClosed";
constexpr const char ErrLoginAddress[] = "ErrLoginAddress";
constexpr const char ErrHostAddress[] = "ErrHostAddress";
constexpr const char ErrQueryAddress[] = "ErrQueryAddress";
constexpr const char ErrBrokerID[] = "ErrBrokerID";
constexpr const char ErrUserID[] = "ErrUserID";
constexpr const char ErrPassword[] = "ErrPassword";
constexpr const char ErrUserIDOrPassword[] = "ErrUserIDOrPassword";
constexpr const char ErrHostPort[] = "ErrHostPort";
constexpr const char ErrLoginPort[] = "ErrLoginPort";
constexpr const char ErrAppID[] = "ErrAppID";
constexpr const char ErrParams[] = "ErrParams";
constexpr const char ErrInstrumentID[] = "ErrInstrumentID";
constexpr const char ErrExchangeID[] = "ErrExchangeID";
constexpr const char ErrProductID[] = "ErrProductID";
constexpr const char ErrProductType[] = "ErrProductType";
constexpr const char ErrPrice[] = "ErrPrice";
constexpr const char ErrVolume[] = "ErrVolume";
constexpr const char ErrDirection[] = "ErrDirection";
constexpr const char ErrOpenCloseType[] = "ErrOpenCloseType";
constexpr const char ErrPriceCond[] = "ErrPriceCond";
constexpr const char ErrTimeCond[] = "ErrTimeCond";
constexpr const char ErrVolumeCond[] = "ErrVolumeCond";
constexpr const char ErrHedgeType[] = "ErrHedgeType";
constexpr const char ErrOrderRef[] = "ErrOrderRef";
constexpr const char ErrOrderID[] = "ErrOrderID";
constexpr const char ErrFrontID[] = "ErrFrontID";
constexpr const char ErrSessionID[] = "ErrSessionID";
constexpr const char ErrOrderType[] = "ErrOrderType";
constexpr const char ErrActionType[] = "ErrActionType";
constexpr const char ErrOrderStatus[] = "ErrOrderStatus";
constexpr const char ErrNoTradedVolume[] = "ErrNoTradedVolume";
constexpr const char ErrUserNotLogouted[] = "ErrUserNotLogouted";
constexpr const char ErrRelease[] = "ErrRelease";
constexpr const char ErrConnect[] = "ErrConnect";
constexpr const char ErrConnectFailed[] = "ErrConnectFailed";
constexpr const char ErrUserNotLogged[] = "ErrUserNotLogged";
constexpr const char ErrDataEmpty[] = "ErrDataEmpty";
constexpr const char ErrDllException[] = "ErrDllException";
constexpr const char ErrCloseInitiative[] = "ErrCloseInitiative";
constexpr const char ErrClosePassive[] = "ErrClosePassive";
constexpr const char ErrProviderOnlyOneUser[] = "ErrProviderOnlyOneUser";
constexpr const char ErrCallOneTimeOnly[] = "ErrCallOneTimeOnly";
constexpr const char ErrAccount[] = "ErrAccount";
constexpr const char ErrSubAccount[] = "ErrSubAccount";
constexpr const char ErrSocket[] = "ErrSocket";
constexpr const char ErrWSARecvFrom[] = "ErrWSARecvFrom";
constexpr const char ErrAccountStatus[] = "ErrAccountStatus";
constexpr const char ErrInstrumentStatus[] = "ErrInstrumentStatus";
constexpr const char ErrLoggedInElsewhere[] = "ErrLoggedInElsewhere";
constexpr const char ErrInvestorID[] = "ErrInvestorID";
constexpr const char ErrPricePrecision[] = "ErrPricePrecision";
constexpr const char ErrSendQueueSize[] = "ErrSendQueueSize";
constexpr const char ErrNewPacker[] = "ErrNewPacker";
constexpr const char ErrNewUnPacker[] = "ErrNewUnPacker";
constexpr const char ErrCacheFolderTooLong[] = "ErrCacheFolderTooLong";
constexpr const char ErrExchangeRejectOrder[] = "ErrExchangeRejectOrder";
constexpr const char ErrExchangeRejectCancelOrder[] = "ErrExchangeRejectCancelOrder";
constexpr const char ErrAuthCode[] = "ErrAuthCode";
constexpr const char ErrOrderCounterNo[] = "ErrOrderCounterNo";
constexpr const char ErrNotSupport[] = "ErrNotSupport";
constexpr const char ErrPasswordErrorNumberOverrun[] = "ErrPasswordErrorNumberOverrun";
constexpr const char ErrAccountFrozened[] = "ErrAccountFrozened";
constexpr const char ErrIncorrectAuthorizationInformation[] = "ErrIncorrectAuthorizationInformation";

} // namespace ErrorCode

// Every code, in declared order.
constexpr const char* const AllErrorCodes[] = {
    ErrorCode::ErrUndefined,
    ErrorCode::ErrNullResponce,
    ErrorCode::ErrApiCreateFailed,
    ErrorCode::ErrApiIncompatible,
    ErrorCode::ErrCreateCacheDir,
    ErrorCode::ErrNetwork,
    ErrorCode::ErrTooManyUnhandledReqs,
    ErrorCode::ErrTooManyRequests,
    ErrorCode::ErrNotOpened,
    ErrorCode::ErrAlreadyOpened,
    ErrorCode::ErrAlreadyClosed,
    ErrorCode::ErrLoginAddress,
    ErrorCode::ErrHostAddress,
    ErrorCode::ErrQueryAddress,
    ErrorCode::ErrBrokerID,
    ErrorCode::ErrUserID,
    ErrorCode::ErrPassword,
    ErrorCode::ErrUserIDOrPassword,
    ErrorCode::ErrHostPort,
    ErrorCode::ErrLoginPort,
    ErrorCode::ErrAppID,
    ErrorCode::ErrParams,
    ErrorCode::ErrInstrumentID,
    ErrorCode::ErrExchangeID,
    ErrorCode::ErrProductID,
    ErrorCode::ErrProductType,
    ErrorCode::ErrPrice,
    ErrorCode::ErrVolume,
    ErrorCode::ErrDirection,
    ErrorCode::ErrOpenCloseType,
    ErrorCode::ErrPriceCond,
    ErrorCode::ErrTimeCond,
    ErrorCode::ErrVolumeCond,
    ErrorCode::ErrHedgeType,
    ErrorCode::ErrOrderRef,
    ErrorCode::ErrOrderID,
    ErrorCode::ErrFrontID,
    ErrorCode::ErrSessionID,
    ErrorCode::ErrOrderType,
    ErrorCode::ErrActionType,
    ErrorCode::ErrOrderStatus,
    ErrorCode::ErrNoTradedVolume,
    ErrorCode::ErrUserNotLogouted,
    ErrorCode::ErrRelease,
    ErrorCode::ErrConnect,
    ErrorCode::ErrConnectFailed,
    ErrorCode::ErrUserNotLogged,
    ErrorCode::ErrDataEmpty,
    ErrorCode::ErrDllException,
    ErrorCode::ErrCloseInitiative,
    ErrorCode::ErrClosePassive,
    ErrorCode::ErrProviderOnlyOneUser,
    ErrorCode::ErrCallOneTimeOnly,
    ErrorCode::ErrAccount,
    ErrorCode::ErrSubAccount,
    ErrorCode::ErrSocket,
    ErrorCode::ErrWSARecvFrom,
    ErrorCode::ErrAccountStatus,
    ErrorCode::ErrInstrumentStatus,
    ErrorCode::ErrLoggedInElsewhere,
    ErrorCode::ErrInvestorID,
    ErrorCode::ErrPricePrecision,
    ErrorCode::ErrSendQueueSize,
    ErrorCode::ErrNewPacker,
    ErrorCode::ErrNewUnPacker,
    ErrorCode::ErrCacheFolderTooLong,
    ErrorCode::ErrExchangeRejectOrder,
    ErrorCode::ErrExchangeRejectCancelOrder,
    ErrorCode::ErrAuthCode,
    ErrorCode::ErrOrderCounterNo,
    ErrorCode::ErrNotSupport,
    ErrorCode::ErrPasswordErrorNumberOverrun,
    ErrorCode::ErrAccountFrozened,
    ErrorCode::ErrIncorrectAuthorizationInformation,
};
constexpr std::size_t ErrorCodeCount = sizeof(AllErrorCodes) / sizeof(AllErrorCodes[0]);

} // namespace TradeApi
} // namespace Tesmora
