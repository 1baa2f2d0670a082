#pragma once
// hexquendra-cli: the commands show, apply, check and demo.

#include "Console.h"

#include <QStringList>

namespace hq {

// Runs one command line (`arguments[0]` is the program name) and returns the exit code.
int runCli(const QStringList& arguments, Console& console);

} // namespace hq
