#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

namespace Tesmora {
namespace NetApi {

// Bytes waiting to be written, kept in fixed-size blocks that are reused, so
// that a stream of sends neither allocates per call nor hands the kernel one
// small buffer per call. Not thread-safe: its owner guards it.
class SendBuffer {
public:
    static constexpr size_t BlockSize = 64 * 1024;

    struct Block {
        std::unique_ptr<unsigned char[]> Data;
        size_t Used = 0;
    };

    // Copies the bytes after everything appended before.
    void Append(const unsigned char* data, size_t length);
    // Moves up to `maxBlocks` of the oldest blocks, the partly filled last one
    // included, to `out`; appends then start a fresh block.
    void TakeForWrite(std::deque<Block>& out, size_t maxBlocks);
    // Returns a written block for reuse.
    void Recycle(Block&& block);
    void Clear();

    size_t Bytes() const { return QueuedBytes; }
    bool Empty() const { return QueuedBytes == 0; }

private:
    Block NewBlock();

    std::deque<Block> Queue;
    std::vector<Block> Spare;
    size_t QueuedBytes = 0;
};

} // namespace NetApi
} // namespace Tesmora
