#include "TradeApi/CTP/BasePath.h"

namespace Tesmora {
namespace TradeApi {

void BasePath::Set(const char* path) {
    std::lock_guard<std::mutex> guard(Mutex);
    Path = path != nullptr ? path : "";
}

std::string BasePath::Get() const {
    std::lock_guard<std::mutex> guard(Mutex);
    return Path;
}

BasePath& BasePath::Trade() {
    static BasePath path;
    return path;
}

BasePath& BasePath::Market() {
    static BasePath path;
    return path;
}

} // namespace TradeApi
} // namespace Tesmora
