#pragma once
// The table of hexquendra-cli commands.

#include "Console.h"

#include <QStringList>

#include <span>

namespace hq {

struct CliCommand {
    const char* name;
    const char* synopsis; // the arguments after the command name
    const char* summary;  // one line for the overview
    const char* details;  // the rest of the command's help text
    // `arguments` starts with "hexquendra-cli <name>", followed by the command's arguments.
    int (*run)(const CliCommand& command, const QStringList& arguments, Console& console);
};

std::span<const CliCommand> cliCommands();

const CliCommand& showCommand();
const CliCommand& applyCommand();
const CliCommand& checkCommand();
const CliCommand& demoCommand();

} // namespace hq
