#pragma once

namespace Tesmora {
namespace Sim {

// Writes one line "sim: ..." to standard output and flushes it, so a
// transcript shows each request as it happens. Any thread; lines never mix.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace Sim
} // namespace Tesmora
