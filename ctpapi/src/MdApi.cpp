#include "MdApi.h"

#include "Delivery.h"
#include "FTD/CTPFields.h"
#include "FTD/TransIds.h"
#include "Utils/FieldText.h"

#include <cstring>

namespace Tesmora {
namespace CtpApi {

using namespace FTD;

MdApi::MdApi(const char* flowFolder) : Connection(*this, flowFolder != nullptr ? flowFolder : "") {}

void MdApi::Release() {
    Spi.store(nullptr);
    Connection.ReleaseOwner([this] { delete this; });
}

void MdApi::Init() {
    Connection.Start();
}

int MdApi::Join() {
    return Connection.Join();
}

const char* MdApi::GetTradingDay() {
    return Connection.TradingDay();
}

void MdApi::RegisterFront(char* address) {
    if (address != nullptr) {
        Connection.RegisterFront(address);
    }
}

int MdApi::SendInstruments(uint32_t transID, char* instruments[], int count) {
    if (instruments == nullptr || count <= 0) {
        return -1;
    }
    FTDPackage package;
    package.Series = Series::Session;
    package.TransID = transID;
    for (int i = 0; i < count; ++i) {
        if (instruments[i] == nullptr) {
            return -1;
        }
        CThostFtdcSpecificInstrumentField field{};
        Utils::CopyText(field.InstrumentID, instruments[i]);
        if (!package.AddRecord(Fid::SpecificInstrument, SpecificInstrumentLayout(), field)) {
            return -1;
        }
    }
    return Connection.SendPackage(package);
}

int MdApi::SubscribeMarketData(char* instruments[], int count) {
    return SendInstruments(TransId::SubscribeRequest, instruments, count);
}

int MdApi::UnSubscribeMarketData(char* instruments[], int count) {
    return SendInstruments(TransId::UnsubscribeRequest, instruments, count);
}

int MdApi::SubscribeForQuoteRsp(char*[], int) {
    return -1;
}
int MdApi::UnSubscribeForQuoteRsp(char*[], int) {
    return -1;
}

int MdApi::ReqUserLogin(CThostFtdcReqUserLoginField* request, int requestID) {
    if (request == nullptr) {
        return -1;
    }
    FTDPackage package;
    package.Series = Series::Dialogue;
    package.TransID = TransId::LoginRequest;
    package.ReqID = static_cast<uint32_t>(requestID);
    package.AddRecord(Fid::ReqUserLogin, ReqUserLoginLayout(), *request);
    return Connection.SendPackage(package);
}

int MdApi::ReqUserLogout(CThostFtdcUserLogoutField* request, int requestID) {
    if (request == nullptr) {
        return -1;
    }
    FTDPackage package;
    package.Series = Series::Dialogue;
    package.TransID = TransId::LogoutRequest;
    package.ReqID = static_cast<uint32_t>(requestID);
    package.AddRecord(Fid::UserLogout, UserLogoutLayout(), *request);
    return Connection.SendPackage(package);
}

void MdApi::OnConnected() {
    if (CThostFtdcMdSpi* spi = Spi.load()) {
        spi->OnFrontConnected();
    }
}

void MdApi::OnDisconnected(int reason) {
    if (CThostFtdcMdSpi* spi = Spi.load()) {
        spi->OnFrontDisconnected(reason);
    }
}

void MdApi::OnPackage(ReceivedPackage& package) {
    using S = CThostFtdcMdSpi;
    switch (package.TransID) {
    case TransId::LoginAnswer:
        Connection.RememberTradingDay(package);
        DeliverAnswer(Spi, package, Fid::RspUserLogin, RspUserLoginLayout(), &S::OnRspUserLogin);
        break;
    case TransId::LogoutAnswer:
        DeliverAnswer(Spi, package, Fid::UserLogout, UserLogoutLayout(), &S::OnRspUserLogout);
        break;
    case TransId::SubscribeAnswer:
        DeliverAnswer(Spi, package, Fid::SpecificInstrument, SpecificInstrumentLayout(),
                      &S::OnRspSubMarketData);
        break;
    case TransId::UnsubscribeAnswer:
        DeliverAnswer(Spi, package, Fid::SpecificInstrument, SpecificInstrumentLayout(),
                      &S::OnRspUnSubMarketData);
        break;
    case TransId::DepthMarketDataPush:
        DeliverPush(Spi, package, Fid::DepthMarketData, DepthMarketDataLayout(), &S::OnRtnDepthMarketData);
        break;
    case TransId::ErrorAnswer:
        if (CThostFtdcMdSpi* spi = Spi.load()) {
            spi->OnRspError(package.RspInfoOrNull(), static_cast<int>(package.ReqID), package.IsLast);
        }
        break;
    default:
        break;
    }
}

} // namespace CtpApi
} // namespace Tesmora

CThostFtdcMdApi* CThostFtdcMdApi::CreateFtdcMdApi(const char* pszFlowPath, const bool, const bool) {
    return new Tesmora::CtpApi::MdApi(pszFlowPath);
}

const char* CThostFtdcMdApi::GetApiVersion() {
    return "Tesmora stand-in 6.3.15";
}
