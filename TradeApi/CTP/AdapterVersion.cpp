#include "TradeApi/CTP/AdapterVersion.h"

namespace Tesmora {
namespace TradeApi {

const char* AdapterVersion(int type) {
    switch (type) {
    case -1:
        return "Tesmora.TradeApi.180302";
    case 1:
        return "CTP 6.3.15_20190220";
    default:
        return "Quillmark 3.0.1905.0914";
    }
}

} // namespace TradeApi
} // namespace Tesmora
