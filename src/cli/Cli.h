#pragma once
// hexquendra-cli: the commands show, apply, check, demo, layout and series.

#include "Console.h"

#include <string>
#include <vector>

namespace hq {

// Runs one command line (`arguments[0]` is the program name; every argument byte for byte as the
// system passed it) and returns the exit code.
int runCli(const std::vector<std::string>& arguments, Console& console);

} // namespace hq
