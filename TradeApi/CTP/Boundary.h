#pragma once

#include <cstdio>
#include <exception>

namespace Tesmora {
namespace TradeApi {

// Runs the body of an interface operation or a CTP callback so that no
// exception (from a listener, or an allocation) escapes into the host or the
// CTP API's thread; one trace line says where it was stopped.
template <class Body> void AtBoundary(const char* where, Body&& body) noexcept {
    try {
        body();
    } catch (const std::exception& e) {
        std::printf("* Exception in %s: %s\n", where, e.what());
    } catch (...) {
        std::printf("* Exception in %s\n", where);
    }
}

} // namespace TradeApi
} // namespace Tesmora
