#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Tesmora {
namespace FTD {

// A byte area with a read and a write position: bytes are appended at the
// write position and taken from the read position. It grows by about one half
// when it must, so a steady stream of similar packages soon stops allocating,
// and never beyond its capacity limit unless one request alone needs more.
//
// Under AddressSanitizer the bytes past the write position are poisoned, so a
// read beyond what was written is reported even inside the allocation.
//
// Not thread-safe: one owner at a time.
class ByteBuffer {
public:
    explicit ByteBuffer(size_t capacityLimit = SIZE_MAX) : CapacityLimit(capacityLimit) {}
    ~ByteBuffer();
    ByteBuffer(const ByteBuffer& other);
    ByteBuffer& operator=(const ByteBuffer& other);
    ByteBuffer(ByteBuffer&& other) noexcept;
    ByteBuffer& operator=(ByteBuffer&& other) noexcept;

    // The readable bytes, from the read position to the write position.
    const unsigned char* Data() const { return Storage.get() + ReadPos; }
    unsigned char* Data() { return Storage.get() + ReadPos; }
    size_t Size() const { return WritePos - ReadPos; }
    bool Empty() const { return WritePos == ReadPos; }

    size_t ReadPosition() const { return ReadPos; }
    size_t WritePosition() const { return WritePos; }
    size_t Capacity() const { return StorageSize; }

    // Room for at least n bytes at the write position; the pointer stays valid
    // until the next call that changes the buffer. Nothing becomes readable
    // before Commit.
    unsigned char* Prepare(size_t n);
    void Commit(size_t n);

    void Append(const void* data, size_t n);

    // Drops n readable bytes from the front.
    void Consume(size_t n);

    // Empties the buffer and keeps its storage for reuse. The bytes stay in
    // place until the next Prepare.
    void Clear() { ReadPos = WritePos = 0; }
    // Empties the buffer and gives its storage back.
    void Release();

private:
    void Reallocate(size_t capacity);
    void PoisonUnwritten();
    void UnpoisonAll();

    std::unique_ptr<unsigned char[]> Storage;
    size_t StorageSize = 0;
    size_t ReadPos = 0;
    size_t WritePos = 0;
    size_t CapacityLimit;
};

} // namespace FTD
} // namespace Tesmora
