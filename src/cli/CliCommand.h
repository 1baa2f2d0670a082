#pragma once
// The table of hexquendra-cli commands. Each command is a file of its own; its run function lives in
// a namespace named after the command, as the sources are compiled in batches.

#include "Console.h"

#include <span>
#include <string>
#include <vector>

namespace hq {

struct CliCommand {
    const char* name;
    const char* synopsis; // the arguments after the command name
    const char* summary;  // one line for the overview
    const char* details;  // the rest of the command's help text
    // `arguments` are the command's arguments, after its name, as the program got them.
    int (*run)(const CliCommand& command, const std::vector<std::string>& arguments, Console& console);
};

std::span<const CliCommand> cliCommands();

const CliCommand& showCommand();
const CliCommand& applyCommand();
const CliCommand& checkCommand();
const CliCommand& demoCommand();
const CliCommand& layoutCommand();
const CliCommand& seriesCommand();

} // namespace hq
