#include "NetApi/LeastLoaded.h"

namespace Tesmora {
namespace NetApi {

size_t LeastLoaded(const std::vector<int>& loads) {
    size_t chosen = 0;
    for (size_t i = 0; i < loads.size(); ++i) {
        if (loads[i] == 0) {
            return i;
        }
        if (loads[i] < loads[chosen]) {
            chosen = i;
        }
    }
    return chosen;
}

} // namespace NetApi
} // namespace Tesmora
