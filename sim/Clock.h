#pragma once

#include <string>

namespace Tesmora {
namespace Sim {

// The wall clock as the records carry it: local date "YYYYMMDD" and time
// "hh:mm:ss" with milliseconds. Any thread.
struct WallTime {
    std::string Date;
    std::string Time;
    int Millisec = 0;
};

WallTime Now();

} // namespace Sim
} // namespace Tesmora
