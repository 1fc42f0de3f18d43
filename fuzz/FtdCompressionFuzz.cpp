// Zero-run compression round trip over arbitrary bytes, and expansion of
// arbitrary bytes into a bounded buffer.
#include "FTD/ZeroRunCodec.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace Tesmora::FTD;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Round trip: expansion gives back exactly the input. Buffers have their
    // exact sizes, so a write or read past one is reported.
    std::unique_ptr<unsigned char[]> packed(new unsigned char[MaxCompressedLength(size)]);
    const size_t packedLength = CompressZeroRuns(data, size, packed.get());
    if (packedLength > MaxCompressedLength(size)) {
        std::abort();
    }
    std::unique_ptr<unsigned char[]> unpacked(new unsigned char[size]);
    size_t unpackedLength = 0;
    if (ExpandZeroRuns(packed.get(), packedLength, unpacked.get(), size, unpackedLength) !=
            ExpandResult::Ok ||
        unpackedLength != size || (size > 0 && std::memcmp(unpacked.get(), data, size) != 0)) {
        std::abort();
    }

    // Arbitrary input into a buffer smaller than its expansion may be: no
    // write beyond the capacity, and a result that says why it stopped.
    const size_t capacity = size / 2;
    std::unique_ptr<unsigned char[]> bounded(new unsigned char[capacity]);
    size_t boundedLength = 0;
    const ExpandResult result = ExpandZeroRuns(data, size, bounded.get(), capacity, boundedLength);
    if (boundedLength > capacity) {
        std::abort();
    }
    const bool endsInEscape = size > 0 && data[size - 1] == 0xE0;
    if (result == ExpandResult::Ok && boundedLength > MaxExpandedLength(size)) {
        std::abort();
    }
    if (result == ExpandResult::TrailingEscape && !endsInEscape) {
        std::abort();
    }
    return 0;
}
