#pragma once

#include <mutex>
#include <string>

namespace Tesmora {
namespace TradeApi {

// The process-wide base path of one adapter kind: replaced by every factory
// call, read by every Open. Any thread.
class BasePath {
public:
    void Set(const char* path);
    std::string Get() const;

    static BasePath& Trade();
    static BasePath& Market();

private:
    mutable std::mutex Mutex;
    std::string Path; // guarded by Mutex
};

} // namespace TradeApi
} // namespace Tesmora
