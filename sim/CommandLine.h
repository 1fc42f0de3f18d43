#pragma once

#include "sim/SimConfig.h"

#include <string>

namespace Tesmora {
namespace Sim {

// Reads the options of tesmora-simfront into config (which keeps its defaults
// for options not given):
//   --trade-port N  --market-port N  --address A  --tick-ms N  --seed N
//   --account broker:user:password:balance  (repeatable; the first replaces
//   the default account)
// Every option also takes the form --name=value. Returns false with a reason
// in error for anything else, and for numbers that are no numbers or out of
// range. --help gives false with an empty error.
bool ParseCommandLine(int argc, const char* const argv[], SimConfig& config, std::string& error);

// The usage text for the program name given.
std::string Usage(const std::string& program);

} // namespace Sim
} // namespace Tesmora
