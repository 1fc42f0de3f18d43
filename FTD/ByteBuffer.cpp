#include "FTD/ByteBuffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#define TESMORA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESMORA_ASAN 1
#endif
#endif

#if defined(TESMORA_ASAN)
#include <sanitizer/asan_interface.h>
#define TESMORA_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define TESMORA_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define TESMORA_POISON(p, n) ((void)(p), (void)(n))
#define TESMORA_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace Tesmora {
namespace FTD {

ByteBuffer::~ByteBuffer() {
    UnpoisonAll();
}

ByteBuffer::ByteBuffer(const ByteBuffer& other) : CapacityLimit(other.CapacityLimit) {
    Append(other.Data(), other.Size());
}

ByteBuffer& ByteBuffer::operator=(const ByteBuffer& other) {
    if (this != &other) {
        CapacityLimit = other.CapacityLimit;
        Clear();
        Append(other.Data(), other.Size());
    }
    return *this;
}

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : Storage(std::move(other.Storage)), StorageSize(std::exchange(other.StorageSize, 0)),
      ReadPos(std::exchange(other.ReadPos, 0)), WritePos(std::exchange(other.WritePos, 0)),
      CapacityLimit(other.CapacityLimit) {}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
    if (this != &other) {
        UnpoisonAll();
        Storage = std::move(other.Storage);
        StorageSize = std::exchange(other.StorageSize, 0);
        ReadPos = std::exchange(other.ReadPos, 0);
        WritePos = std::exchange(other.WritePos, 0);
        CapacityLimit = other.CapacityLimit;
    }
    return *this;
}

unsigned char* ByteBuffer::Prepare(size_t n) {
    if (StorageSize - WritePos < n) {
        const size_t size = Size();
        if (StorageSize - size >= n) {
            // Reclaiming the consumed front is enough.
            std::memmove(Storage.get(), Storage.get() + ReadPos, size);
            ReadPos = 0;
            WritePos = size;
        } else {
            const size_t grown = std::min(StorageSize + StorageSize / 2, CapacityLimit);
            Reallocate(std::max(size + n, grown));
        }
    }
    TESMORA_UNPOISON(Storage.get() + WritePos, n);
    return Storage.get() + WritePos;
}

void ByteBuffer::Commit(size_t n) {
    WritePos += n;
    PoisonUnwritten();
}

void ByteBuffer::Append(const void* data, size_t n) {
    if (n == 0) {
        return;
    }
    std::memcpy(Prepare(n), data, n);
    Commit(n);
}

void ByteBuffer::Consume(size_t n) {
    ReadPos += std::min(n, Size());
    if (ReadPos == WritePos) {
        Clear();
    }
}

void ByteBuffer::Release() {
    UnpoisonAll();
    Storage.reset();
    StorageSize = 0;
    Clear();
}

void ByteBuffer::Reallocate(size_t capacity) {
    // Only the readable bytes move; the consumed front is left behind.
    std::unique_ptr<unsigned char[]> grown(new unsigned char[capacity]);
    const size_t size = Size();
    if (size > 0) {
        std::memcpy(grown.get(), Storage.get() + ReadPos, size);
    }
    UnpoisonAll();
    Storage = std::move(grown);
    StorageSize = capacity;
    ReadPos = 0;
    WritePos = size;
    PoisonUnwritten();
}

void ByteBuffer::PoisonUnwritten() {
    TESMORA_POISON(Storage.get() + WritePos, StorageSize - WritePos);
}

void ByteBuffer::UnpoisonAll() {
    TESMORA_UNPOISON(Storage.get(), StorageSize);
}

} // namespace FTD
} // namespace Tesmora
