#pragma once

#include "FTD/FieldLayout.h"
#include "ReceivedPackage.h"

#include <atomic>
#include <cstdint>

namespace Tesmora {
namespace CtpApi {

// Raising callbacks from a received package: one callback per record field of
// the given identifier, the RspInfo of the package with each, bIsLast only for
// the last record of a package marked last. A package without such records
// gives one callback with a null record. The callback object is read before
// every call, so a RegisterSpi(nullptr) in between stops the rest.

template <class Spi, class Record>
void DeliverAnswer(const std::atomic<Spi*>& spi, ReceivedPackage& package, uint16_t fid,
                   const FTD::FieldLayout<Record>& layout,
                   void (Spi::*callback)(Record*, CThostFtdcRspInfoField*, int, bool)) {
    size_t count = 0;
    for (const auto& field : package.Fields) {
        count += field.Fid == fid;
    }
    const int requestID = static_cast<int>(package.ReqID);
    if (count == 0) {
        if (Spi* target = spi.load()) {
            (target->*callback)(nullptr, package.RspInfoOrNull(), requestID, package.IsLast);
        }
        return;
    }
    size_t seen = 0;
    for (const auto& field : package.Fields) {
        if (field.Fid != fid) {
            continue;
        }
        Record record;
        layout.Decode(package.Data(field), field.Length, record);
        ++seen;
        Spi* target = spi.load();
        if (target == nullptr) {
            return;
        }
        (target->*callback)(&record, package.RspInfoOrNull(), requestID, package.IsLast && seen == count);
    }
}

template <class Spi, class Record>
void DeliverPush(const std::atomic<Spi*>& spi, ReceivedPackage& package, uint16_t fid,
                 const FTD::FieldLayout<Record>& layout, void (Spi::*callback)(Record*)) {
    for (const auto& field : package.Fields) {
        if (field.Fid != fid) {
            continue;
        }
        Record record;
        layout.Decode(package.Data(field), field.Length, record);
        Spi* target = spi.load();
        if (target == nullptr) {
            return;
        }
        (target->*callback)(&record);
    }
}

} // namespace CtpApi
} // namespace Tesmora
