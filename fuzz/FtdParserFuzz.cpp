// FTDParser::Feed over arbitrary bytes in arbitrary chunks, with Decompress on
// or off. Beyond what the sanitizers catch: every field lies inside its
// package, and what the parser holds between chunks stays bounded.
#include "FTD/FTDParser.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace Tesmora::FTD;

class CheckingParser : public FTDParser {
public:
    void OnReceiveFields(uint16_t, uint32_t, uint32_t, uint32_t, uint16_t count) override {
        Announced = count;
        Delivered = 0;
        FieldBytes = 0;
    }

    void OnFieldData(uint16_t, const FTDFieldInfo& info, const char* data, size_t length) override {
        // Touch every byte so that AddressSanitizer checks the whole range.
        unsigned sum = 0;
        for (size_t i = 0; i < length; ++i) {
            sum += static_cast<unsigned char>(data[i]);
        }
        Checksum += sum + info.Name.size();
        ++Delivered;
        FieldBytes += FieldHeaderLength + length;
        if (Delivered > Announced || FieldBytes > MaxWireLength) {
            std::abort();
        }
    }

    void OnPackageEnd(bool, bool) override {
        if (Delivered != Announced) {
            std::abort();
        }
    }

    unsigned Checksum = 0;

private:
    size_t Announced = 0;
    size_t Delivered = 0;
    size_t FieldBytes = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    CheckingParser parser;
    parser.Decompress = input.ConsumeBool();
    while (input.remaining_bytes() > 0) {
        // Each chunk in its own exact-size allocation: a read past it is reported.
        const size_t chunkLength = input.ConsumeIntegralInRange<size_t>(0, 1024);
        const std::vector<unsigned char> chunk = input.ConsumeBytes<unsigned char>(chunkLength);
        parser.Feed(chunk.data(), chunk.size());
        if (parser.BufferedBytes() >= MaxFrameLength || parser.BufferCapacity() > MaxFrameLength) {
            std::abort();
        }
        // Switching mid-stream must be as safe as either setting.
        if (chunkLength % 97 == 96) {
            parser.Decompress = !parser.Decompress;
        }
    }
    return 0;
}
