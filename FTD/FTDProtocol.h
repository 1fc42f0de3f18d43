#pragma once

#include <cstddef>
#include <cstdint>

namespace Tesmora {
namespace FTD {

// Frame: type (1), extension length (1), content length (2), extension, content.
constexpr size_t FrameHeaderLength = 4;
// Package: 01 03 0C, chain mark, series, transID, counter, field count, fields length, reqID.
constexpr size_t PackageHeaderLength = 22;
// Field: identifier (2), data length (2), data.
constexpr size_t FieldHeaderLength = 4;

// Every length on the wire is 16 bits; nothing longer can be represented.
constexpr size_t MaxWireLength = 0xFFFF;
constexpr size_t MaxFrameLength = FrameHeaderLength + 0xFF + MaxWireLength;
// The longest package a header can describe; an expansion beyond it cannot be one.
constexpr size_t MaxPackageLength = PackageHeaderLength + MaxWireLength;

enum FrameType : uint8_t {
    ControlFrame = 0,
    PlainFrame = 1, // carried by the protocol but never decoded here
    PackageFrame = 2,
};

constexpr unsigned char ChainLast = 'L';
constexpr unsigned char ChainContinued = 'C';

// The reply to every control frame: type 0, a two-byte extension 05 00, no content.
inline constexpr unsigned char KeepAliveFrame[6] = {0x00, 0x02, 0x00, 0x00, 0x05, 0x00};

// Codes passed to FTDParser::OnFatalError. Receivers may log them; the parser
// resynchronises by itself.
enum FTDError : int {
    InvalidFrameType = 0,     // frame type 3 or higher
    FieldsLengthMismatch = 1, // header's fields length is not package length - 22
    FieldOverrun = 2,         // a field's data runs past the end of the package
    TruncatedFieldHeader = 3, // the package ends inside a field header
    MalformedPackage = 4,     // shorter than a header, empty, or an escape byte with nothing after it
};

} // namespace FTD
} // namespace Tesmora
