#pragma once

#include "FTD/ByteBuffer.h"
#include "FTD/FTDFieldInfo.h"
#include "FTD/FTDProtocol.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace Tesmora {
namespace FTD {

// Reassembles an incoming FTD byte stream and decodes its packages, raising
// one callback per event. Derive and override the On... operations, or set
// the handlers: each base operation calls its handler when one is set.
//
// Threads: a parser belongs to one connection. Feed, the callbacks it raises
// and every setter run on that connection's thread, one chunk at a time. Feed
// must not be called from inside one of this parser's own callbacks.
//
// Memory: between calls the parser holds at most one incomplete frame (never
// more than MaxFrameLength bytes), and its private package copy never exceeds
// MaxPackageLength bytes, whatever a peer sends.
class FTDParser {
public:
    FTDParser();
    virtual ~FTDParser();
    FTDParser(const FTDParser&) = delete;
    FTDParser& operator=(const FTDParser&) = delete;

    std::function<void(int code)> FatalErrorHandler;
    std::function<void()> HeartbeatHandler;
    std::function<void(uint16_t series, uint32_t transID, uint32_t reqID, uint32_t counter,
                       uint16_t fieldCount)>
        ReceiveFieldsHandler;
    std::function<void(bool headerByte1Is3, bool isLast)> PackageEndHandler;
    std::function<void(uint16_t fid, const FTDFieldInfo& info, const char* data, size_t length)>
        FieldDataHandler;

    // Expand zero-run compression of package frames before decoding them.
    bool Decompress = false;

    // Takes one received chunk. Every callback for the complete frames it
    // finishes runs before Feed returns, on the calling thread.
    void Feed(const unsigned char* data, size_t length);

    // A protocol error (an FTDError code) was reported: the next Feed drops
    // any incomplete frame and takes its chunk as the start of a new frame.
    bool Resynchronising() const { return Resync; }

    // Bytes of an incomplete frame held for the next Feed, and the storage
    // reserved for them.
    size_t BufferedBytes() const { return Received.Size(); }
    size_t BufferCapacity() const { return Received.Capacity(); }

    // The callbacks. data points into the parser's copy of the package and is
    // valid only during OnFieldData.
    virtual void OnFatalError(int code);
    virtual void OnHeartbeat();
    virtual void OnReceiveFields(uint16_t series, uint32_t transID, uint32_t reqID, uint32_t counter,
                                 uint16_t fieldCount);
    virtual void OnPackageEnd(bool headerByte1Is3, bool isLast);
    virtual void OnFieldData(uint16_t fid, const FTDFieldInfo& info, const char* data, size_t length);

private:
    size_t CompleteBufferedFrame(const unsigned char* data, size_t length);
    size_t FrameLength(const unsigned char* header);
    void HandleFrame(const unsigned char* frame);
    void DecodePackage(const unsigned char* content, size_t length);
    void Fail(int code);

    // The start of a frame that a later chunk completes.
    ByteBuffer Received{MaxFrameLength};
    // The private copy of the package being decoded, reused across packages.
    ByteBuffer Package{MaxPackageLength};
    bool Resync = false;
};

} // namespace FTD
} // namespace Tesmora
