#include "sim/Clock.h"

#include <chrono>
#include <ctime>

namespace Tesmora {
namespace Sim {

WallTime Now() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char date[16];
    char time[16];
    std::strftime(date, sizeof date, "%Y%m%d", &local);
    std::strftime(time, sizeof time, "%H:%M:%S", &local);
    WallTime wall;
    wall.Date = date;
    wall.Time = time;
    wall.Millisec =
        int(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    return wall;
}

} // namespace Sim
} // namespace Tesmora
