#pragma once
// Argument parsing shared by the commands, with CLI11 underneath: --help, --version, options with
// and without a value, positional arguments, and German usage messages.

#include "CliCommand.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hq {

struct OptionSpec {
    const char* names; // CLI11 style: "-o,--output" or "--json"
    bool takesValue;   // "-o OUT" rather than a switch
};

// What a command line named. Options are looked up by their long name without dashes.
struct ParsedArguments {
    std::vector<std::string> positionals;
    std::vector<std::pair<std::string, std::string>> values; // long name, last value given
    std::vector<std::string> switches;                       // long names given

    std::optional<std::string> value(std::string_view name) const;
    bool isSet(std::string_view name) const;
};

// "hexquendra-cli 0.41.0"
std::string versionText();

// The help text of one command.
std::string commandHelp(const CliCommand& command);

// Parses `arguments` with the command's options and --help and --version. Returns the exit code
// when the command is already done (help or version shown, or a usage error reported), nothing
// when it should run. `positionals` is the number of positional arguments the command needs.
std::optional<int> parseCommandLine(const CliCommand& command, std::span<const OptionSpec> options,
                                    const std::vector<std::string>& arguments, std::size_t positionals,
                                    ParsedArguments& parsed, Console& console);

// Reports a usage error with a pointer to --help; returns kExitUsage.
int usageError(const CliCommand& command, std::string_view message, Console& console);

} // namespace hq
