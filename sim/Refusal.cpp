#include "sim/Refusal.h"

#include "FTD/FTDLoginRecords.h"
#include "Utils/FieldText.h"

namespace Tesmora {
namespace Sim {

namespace {

struct RefusalRow {
    Refusal Kind;
    int ErrorID;
    const char* Message; // GBK, as fronts send it
    const char* Name;
};

// clang-format off
const RefusalRow Rows[] = {
    // "CTP:" + "illegal login"
    {Refusal::BadLogin,             3,  "CTP:\xb2\xbb\xba\xcf\xb7\xa8\xb5\xc4\xb5\xc7\xc2\xbc", "bad login"},
    // "user not logged in"
    {Refusal::NotLoggedIn,          4,  "CTP:\xd3\xc3\xbb\xa7\xce\xb4\xb5\xc7\xc2\xbc", "not logged in"},
    // "duplicate login"
    {Refusal::DuplicateLogin,       6,  "CTP:\xd6\xd8\xb8\xb4\xb5\xc4\xb5\xc7\xc2\xbc", "duplicate login"},
    // "instrument not found"
    {Refusal::UnknownInstrument,    16, "CTP:\xd5\xd2\xb2\xbb\xb5\xbd\xba\xcf\xd4\xbc", "unknown instrument"},
    // "order field in error"
    {Refusal::BadField,             15, "CTP:\xb1\xa8\xb5\xa5\xd7\xd6\xb6\xce\xd3\xd0\xce\xf3", "bad field"},
    // "order price is not a whole multiple of the price tick"
    {Refusal::PriceOffGrid,         17, "CTP:\xb1\xa8\xb5\xa5\xbc\xdb\xb8\xf1\xb2\xbb\xca\xc7\xd7\xee\xd0\xa1\xb1\xe4\xb6\xaf"
                                        "\xbc\xdb\xce\xbb\xb5\xc4\xd5\xfb\xca\xfd\xb1\xb6", "price off the tick grid"},
    // "order price outside the limit prices"
    {Refusal::PriceOutsideLimits,   18, "CTP:\xb1\xa8\xb5\xa5\xbc\xdb\xb8\xf1\xb3\xac\xb3\xf6\xd5\xc7\xb5\xf8\xcd\xa3\xb0\xe5",
                                        "price outside the limits"},
    // "insufficient funds"
    {Refusal::InsufficientFunds,    31, "CTP:\xd7\xca\xbd\xf0\xb2\xbb\xd7\xe3", "insufficient funds"},
    // "closing volume exceeds the position"
    {Refusal::CloseExceedsPosition, 30, "CTP:\xc6\xbd\xb2\xd6\xc1\xbf\xb3\xac\xb9\xfd\xb3\xd6\xb2\xd6\xc1\xbf",
                                        "closing more than held"},
    // "duplicate order not allowed"
    {Refusal::DuplicateOrderRef,    22, "CTP:\xb2\xbb\xd4\xca\xd0\xed\xd6\xd8\xb8\xb4\xb1\xa8\xb5\xa5", "duplicate order reference"},
    // "no order found to cancel"
    {Refusal::OrderNotFound,        25, "CTP:\xb3\xb7\xb5\xa5\xd5\xd2\xb2\xbb\xb5\xbd\xcf\xe0\xd3\xa6\xb1\xa8\xb5\xa5", "order not found"},
    // "order all traded or canceled, cannot cancel again"
    {Refusal::OrderFinished,        26, "CTP:\xb1\xa8\xb5\xa5\xd2\xd1\xc8\xab\xb3\xc9\xbd\xbb\xbb\xf2\xd2\xd1\xb3\xb7\xcf\xfa"
                                        "\xa3\xac\xb2\xbb\xc4\xdc\xd4\xd9\xb3\xb7", "order already finished"},
    // "request not supported"
    {Refusal::Unsupported,          90, "CTP:\xb2\xbb\xd6\xa7\xb3\xd6\xb5\xc4\xc7\xeb\xc7\xf3", "not supported"},
};
// clang-format on

const RefusalRow* Find(Refusal refusal) {
    for (const RefusalRow& row : Rows) {
        if (row.Kind == refusal) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

CThostFtdcRspInfoField RspInfoFor(Refusal refusal) {
    const RefusalRow* row = Find(refusal);
    if (row == nullptr) {
        return FTD::SuccessRspInfo();
    }
    CThostFtdcRspInfoField info{};
    info.ErrorID = row->ErrorID;
    Utils::CopyText(info.ErrorMsg, row->Message);
    return info;
}

const char* RefusalName(Refusal refusal) {
    const RefusalRow* row = Find(refusal);
    return row != nullptr ? row->Name : "accepted";
}

} // namespace Sim
} // namespace Tesmora
