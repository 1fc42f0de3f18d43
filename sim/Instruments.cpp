#include "sim/Instruments.h"

#include "Utils/FieldText.h"

#include <cmath>

namespace Tesmora {
namespace Sim {

using Utils::CopyText;

namespace {

// One row of the table; everything else of the records follows from it.
struct Row {
    const char* InstrumentID;
    const char* ExchangeID;
    const char* ProductID;
    char ProductClass;
    int DeliveryYear;
    int DeliveryMonth;
    int VolumeMultiple;
    double PriceTick;
    double PreSettlementPrice;
    double LimitRatio; // daily limit as a share of the pre-settlement price
    double MarginByMoney;
    double MarginByVolume;
    double OpenByMoney;
    double OpenByVolume;
    double CloseByMoney;
    double CloseByVolume;
    double CloseTodayByMoney;
    double CloseTodayByVolume;
    const char* Underlying; // options only
    char OptionsType;       // options only
    double StrikePrice;     // options only
};

// clang-format off
const Row Rows[] = {
    // id             exch     product  class year  month mult tick  pre     limit margin     open            close           close today
    {"rb2105",       "SHFE",  "rb",    '1', 2021, 5,   10,  1.0,  3500.0, 0.07, 0.10, 0.0, 1e-4, 0.0,   1e-4, 0.0,   1e-4, 0.0,   "", '\0', 0.0},
    {"cu2106",       "SHFE",  "cu",    '1', 2021, 6,   5,   10.0, 68000.0,0.06, 0.10, 0.0, 0.0,  3.0,   0.0,  3.0,   0.0,  0.0,   "", '\0', 0.0},
    {"IF2106",       "CFFEX", "IF",    '1', 2021, 6,   300, 0.2,  5000.0, 0.10, 0.12, 0.0, 2.3e-5, 0.0, 2.3e-5, 0.0, 3.45e-4, 0.0, "", '\0', 0.0},
    {"m2109",        "DCE",   "m",     '1', 2021, 9,   10,  1.0,  3600.0, 0.07, 0.08, 0.0, 0.0,  1.5,   0.0,  1.5,   0.0,  1.5,   "", '\0', 0.0},
    {"m2109-C-3000", "DCE",   "m_o",   '2', 2021, 9,   10,  0.5,  600.0,  0.50, 0.0,  2000.0, 0.0, 1.0, 0.0,  1.0,   0.0,  1.0,   "m2109", '1', 3000.0},
};
// clang-format on

InstrumentListing SpecFrom(const Row& row) {
    InstrumentListing listing{};
    CThostFtdcInstrumentField& f = listing.Field;
    CopyText(f.InstrumentID, row.InstrumentID);
    CopyText(f.ExchangeID, row.ExchangeID);
    CopyText(f.InstrumentName, row.InstrumentID);
    CopyText(f.ExchangeInstID, row.InstrumentID);
    CopyText(f.ProductID, row.ProductID);
    f.ProductClass = row.ProductClass;
    f.DeliveryYear = row.DeliveryYear;
    f.DeliveryMonth = row.DeliveryMonth;
    f.MaxMarketOrderVolume = 500;
    f.MinMarketOrderVolume = 1;
    f.MaxLimitOrderVolume = 500;
    f.MinLimitOrderVolume = 1;
    f.VolumeMultiple = row.VolumeMultiple;
    f.PriceTick = row.PriceTick;
    CopyText(f.CreateDate, "20200101");
    CopyText(f.OpenDate, "20200101");
    const std::string month = std::to_string(row.DeliveryYear * 100 + row.DeliveryMonth);
    CopyText(f.ExpireDate, month + "15");
    CopyText(f.StartDelivDate, month + "16");
    CopyText(f.EndDelivDate, month + "20");
    f.InstLifePhase = '1'; // started
    f.IsTrading = 1;
    f.PositionType = '2';     // gross
    f.PositionDateType = '1'; // today and history kept apart
    f.LongMarginRatio = row.MarginByMoney;
    f.ShortMarginRatio = row.MarginByMoney;
    f.MaxMarginSideAlgorithm = THOST_FTDC_MMSA_NO;
    CopyText(f.UnderlyingInstrID, row.Underlying);
    f.StrikePrice = row.StrikePrice;
    f.OptionsType = row.OptionsType;
    f.UnderlyingMultiple = row.ProductClass == THOST_FTDC_PC_Options ? 1.0 : 0.0;

    CThostFtdcInstrumentMarginRateField& m = listing.MarginRate;
    CopyText(m.InstrumentID, row.InstrumentID);
    m.InvestorRange = '1'; // every investor
    m.HedgeFlag = THOST_FTDC_HF_Speculation;
    m.LongMarginRatioByMoney = row.MarginByMoney;
    m.LongMarginRatioByVolume = row.MarginByVolume;
    m.ShortMarginRatioByMoney = row.MarginByMoney;
    m.ShortMarginRatioByVolume = row.MarginByVolume;

    CThostFtdcInstrumentCommissionRateField& c = listing.CommissionRate;
    CopyText(c.InstrumentID, row.InstrumentID);
    c.InvestorRange = '1';
    c.OpenRatioByMoney = row.OpenByMoney;
    c.OpenRatioByVolume = row.OpenByVolume;
    c.CloseRatioByMoney = row.CloseByMoney;
    c.CloseRatioByVolume = row.CloseByVolume;
    c.CloseTodayRatioByMoney = row.CloseTodayByMoney;
    c.CloseTodayRatioByVolume = row.CloseTodayByVolume;

    const double tick = row.PriceTick;
    listing.PreSettlementPrice = row.PreSettlementPrice;
    const long long upper =
        (long long)std::floor(row.PreSettlementPrice * (1 + row.LimitRatio) / tick + 1e-9);
    long long lower = (long long)std::ceil(row.PreSettlementPrice * (1 - row.LimitRatio) / tick - 1e-9);
    if (lower < 1) {
        lower = 1;
    }
    listing.UpperLimitPrice = GridPrice(upper, tick);
    listing.LowerLimitPrice = GridPrice(lower, tick);
    return listing;
}

} // namespace

const std::vector<InstrumentListing>& BuiltInInstruments() {
    static const std::vector<InstrumentListing> table = [] {
        std::vector<InstrumentListing> listings;
        for (const Row& row : Rows) {
            listings.push_back(SpecFrom(row));
        }
        return listings;
    }();
    return table;
}

double GridPrice(long long ticks, double tick) {
    return std::round(double(ticks) * tick * 1e6) / 1e6;
}

long long TicksOf(double price, double tick) {
    return std::llround(price / tick);
}

bool OnGrid(double price, double tick) {
    const double ticks = price / tick;
    return std::isfinite(ticks) && std::fabs(ticks - std::round(ticks)) < 1e-6;
}

} // namespace Sim
} // namespace Tesmora
