#pragma once

#include "FTD/FTDPackage.h"
#include "FTD/FTDParser.h"

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace FtdTest {

using Bytes = std::vector<unsigned char>;

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

inline Bytes OutputOf(const Tesmora::FTD::FTDPackage& package) {
    return Bytes(package.Output.Data(), package.Output.Data() + package.Output.Size());
}

// A frame around content, with an optional extension header.
inline Bytes Frame(unsigned char type, const Bytes& content, const Bytes& extension = {}) {
    Bytes frame{type, static_cast<unsigned char>(extension.size()),
                static_cast<unsigned char>(content.size() >> 8), static_cast<unsigned char>(content.size())};
    frame.insert(frame.end(), extension.begin(), extension.end());
    frame.insert(frame.end(), content.begin(), content.end());
    return frame;
}

inline void PutBigEndian16(Bytes& bytes, size_t offset, uint16_t value) {
    bytes[offset] = static_cast<unsigned char>(value >> 8);
    bytes[offset + 1] = static_cast<unsigned char>(value);
}

// One uncompressed frame holding one package with the given fields.
inline Bytes UncompressedFrame(uint32_t transID, const std::vector<std::pair<uint16_t, Bytes>>& fields,
                               bool last = true, uint32_t reqID = 0) {
    Tesmora::FTD::FTDPackage package;
    package.Compress = false;
    package.TransID = transID;
    package.ReqID = reqID;
    for (const auto& field : fields) {
        package.AddField(field.first, field.second.data(), uint32_t(field.second.size()));
    }
    if (!package.Encode(last)) {
        return {};
    }
    return OutputOf(package);
}

// Records every callback as one line, field data beside.
class RecordingParser : public Tesmora::FTD::FTDParser {
public:
    std::vector<std::string> Events;
    std::vector<Bytes> FieldData;
    std::vector<const Tesmora::FTD::FTDFieldInfo*> FieldInfos;

    void Feed(const Bytes& bytes) { FTDParser::Feed(bytes.data(), bytes.size()); }

    void OnFatalError(int code) override { Events.push_back("fatal " + std::to_string(code)); }
    void OnHeartbeat() override { Events.push_back("heartbeat"); }
    void OnReceiveFields(uint16_t series, uint32_t transID, uint32_t reqID, uint32_t counter,
                         uint16_t fieldCount) override {
        char line[128];
        std::snprintf(line, sizeof line, "package series=%u trans=0x%x req=%u counter=%u fields=%u", series,
                      transID, reqID, counter, fieldCount);
        Events.push_back(line);
    }
    void OnPackageEnd(bool headerByte1Is3, bool isLast) override {
        Events.push_back(std::string("end ") + (headerByte1Is3 ? "03 " : "?? ") + (isLast ? "L" : "C"));
    }
    void OnFieldData(uint16_t fid, const Tesmora::FTD::FTDFieldInfo& info, const char* data,
                     size_t length) override {
        char line[128];
        std::snprintf(line, sizeof line, "field 0x%04x %s %zu", fid, info.Name.c_str(), length);
        Events.push_back(line);
        FieldData.emplace_back(data, data + length);
        FieldInfos.push_back(&info);
    }
};

} // namespace FtdTest
