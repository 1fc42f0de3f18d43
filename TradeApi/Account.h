#pragma once

#include <string>

namespace Tesmora {
namespace TradeApi {

// Funds of the trading account, every amount in the account currency.
class Account {
public:
    Account() = default;
    Account(const Account&) = default;
    Account(Account&&) = default;
    Account& operator=(const Account&) = default;
    Account& operator=(Account&&) = default;
    virtual ~Account() = default;

    std::string ReservedText1;
    double PreBalance = 0.0;
    double PreCredit = 0.0;
    double PreMortgage = 0.0;
    double Mortgage = 0.0;
    double Withdraw = 0.0;
    double Deposit = 0.0;
    double ReservedDouble1 = 0.0;
    double CloseProfit = 0.0;
    double PositionProfit = 0.0;
    double Commission = 0.0;
    double Balance = 0.0;
    double CurrMargin = 0.0;
    double ReservedDouble2 = 0.0;
    double DeliveryMargin = 0.0;
    double FrozenMargin = 0.0;
    double FrozenCommission = 0.0;
    double FrozenCash = 0.0;
    double ReservedDouble3 = 0.0;
    double Available = 0.0;
    std::string ReservedText2;
};

} // namespace TradeApi
} // namespace Tesmora
