#pragma once
// Where a command writes: results to `out`, messages to `err`.

#include <QTextStream>

namespace hq {

struct Console {
    QTextStream& out;
    QTextStream& err;
};

// Exit codes of hexquendra-cli.
enum ExitCode : int {
    kExitSuccess = 0,
    kExitRefused = 1, // the firmware file or the settings were refused
    kExitUsage = 2,   // wrong call, or a file could not be read or written
};

} // namespace hq
