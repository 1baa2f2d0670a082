#pragma once
// Where a command writes and reads: results to `out`, messages to `err`, settings given as "-" from
// `in`. The exit codes of hexquendra-cli.

#include <istream>
#include <ostream>

namespace hq {

struct Console {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
};

enum ExitCode : int {
    kExitSuccess = 0,
    kExitRefused = 1, // the firmware file or the settings were refused, or the result is too large
    kExitUsage = 2,   // wrong call, or a file could not be read, written or locked
};

} // namespace hq
