#pragma once
// Argument parsing shared by the commands: --help, --version and German usage messages.

#include "CliCommand.h"

#include <QCommandLineParser>

#include <optional>

namespace hq {

// "hexquendra-cli 0.41.0"
QString versionText();

// The help text of one command.
QString commandHelp(const CliCommand& command);

// Adds --help and --version to `parser` and parses `arguments`. Returns the exit code when the
// command is already done (help or version shown, or a usage error reported), nothing when it
// should run. `positionals` is the number of positional arguments the command needs.
std::optional<int> parseCommandLine(QCommandLineParser& parser, const CliCommand& command,
                                    const QStringList& arguments, qsizetype positionals, Console& console);

// Reports a usage error with a pointer to --help; returns kExitUsage.
int usageError(const CliCommand& command, const QString& message, Console& console);

} // namespace hq
