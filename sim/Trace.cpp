#include "sim/Trace.h"

#include <cstdarg>
#include <cstdio>

namespace Tesmora {
namespace Sim {

void Trace(const char* format, ...) {
    char line[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    // One call per line: stdio locks the stream for it.
    std::printf("sim: %s\n", line);
    std::fflush(stdout);
}

} // namespace Sim
} // namespace Tesmora
