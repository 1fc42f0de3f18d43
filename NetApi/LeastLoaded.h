#pragma once

#include <cstddef>
#include <vector>

namespace Tesmora {
namespace NetApi {

// Index of the worker for a new connection: the first idle one at once,
// otherwise the one with the fewest sessions, the earliest on ties. `loads`
// must not be empty.
size_t LeastLoaded(const std::vector<int>& loads);

} // namespace NetApi
} // namespace Tesmora
