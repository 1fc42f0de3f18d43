#include "NetApi/SendBuffer.h"

#include <algorithm>
#include <cstring>

namespace Tesmora {
namespace NetApi {

namespace {

// Spare blocks kept for reuse; beyond this a written block is freed.
constexpr size_t MaxSpareBlocks = 16;

} // namespace

SendBuffer::Block SendBuffer::NewBlock() {
    if (!Spare.empty()) {
        Block block = std::move(Spare.back());
        Spare.pop_back();
        return block;
    }
    Block block;
    block.Data = std::make_unique<unsigned char[]>(BlockSize);
    return block;
}

void SendBuffer::Append(const unsigned char* data, size_t length) {
    QueuedBytes += length;
    while (length > 0) {
        if (Queue.empty() || Queue.back().Used == BlockSize) {
            Queue.push_back(NewBlock());
        }
        Block& tail = Queue.back();
        const size_t part = std::min(length, BlockSize - tail.Used);
        std::memcpy(tail.Data.get() + tail.Used, data, part);
        tail.Used += part;
        data += part;
        length -= part;
    }
}

void SendBuffer::TakeForWrite(std::deque<Block>& out, size_t maxBlocks) {
    for (size_t taken = 0; taken < maxBlocks && !Queue.empty(); ++taken) {
        QueuedBytes -= Queue.front().Used;
        out.push_back(std::move(Queue.front()));
        Queue.pop_front();
    }
}

void SendBuffer::Recycle(Block&& block) {
    if (Spare.size() < MaxSpareBlocks) {
        block.Used = 0;
        Spare.push_back(std::move(block));
    }
}

void SendBuffer::Clear() {
    while (!Queue.empty()) {
        Recycle(std::move(Queue.front()));
        Queue.pop_front();
    }
    QueuedBytes = 0;
}

} // namespace NetApi
} // namespace Tesmora
