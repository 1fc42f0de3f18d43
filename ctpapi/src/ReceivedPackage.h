#pragma once

#include "ThostFtdcUserApiStruct.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Tesmora {
namespace CtpApi {

// One decoded package from the front: its header values, its RspInfo if it
// carried one, and its other fields in order. The storage is reused from one
// package to the next.
class ReceivedPackage {
public:
    struct Field {
        uint16_t Fid;
        size_t Offset; // into Bytes
        size_t Length;
    };

    void Start(uint16_t series, uint32_t transID, uint32_t reqID) {
        Series = series;
        TransID = transID;
        ReqID = reqID;
        IsLast = false;
        HasRspInfo = false;
        RspInfo = CThostFtdcRspInfoField{};
        Fields.clear();
        Bytes.clear();
    }

    void AddField(uint16_t fid, const char* data, size_t length) {
        Fields.push_back(Field{fid, Bytes.size(), length});
        Bytes.insert(Bytes.end(), data, data + length);
    }

    const unsigned char* Data(const Field& field) const { return Bytes.data() + field.Offset; }

    // The RspInfo to hand to callbacks: null when the package carried none.
    CThostFtdcRspInfoField* RspInfoOrNull() { return HasRspInfo ? &RspInfo : nullptr; }

    uint16_t Series = 0;
    uint32_t TransID = 0;
    uint32_t ReqID = 0;
    bool IsLast = false;
    bool HasRspInfo = false;
    CThostFtdcRspInfoField RspInfo{};
    std::vector<Field> Fields;
    std::vector<unsigned char> Bytes;
};

} // namespace CtpApi
} // namespace Tesmora
