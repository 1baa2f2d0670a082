// The dispatch to a command by its name, and the overview that --help and a bare call show.

#include "Cli.h"

#include "CliCommand.h"
#include "CommandLine.h"

#include <algorithm>

namespace hq {

namespace {

std::string overview() {
    std::string text = "Aufruf: hexquendra-cli BEFEHL [OPTIONEN] ...\n\n"
                       "Konfiguriert Dekoder-Firmware im Intel-HEX-Format ohne Fenster.\n\n"
                       "Befehle:\n";
    for (const CliCommand& command : cliCommands()) {
        std::string name = command.name;
        name.resize(std::max<std::size_t>(name.size(), 7), ' ');
        text += "  " + name + command.summary + "\n";
    }
    text += "\n"
            "Optionen:\n"
            "  -h, --help     diese Hilfe; \"hexquendra-cli BEFEHL --help\" zeigt die des Befehls\n"
            "      --version  Versionsnummer\n\n"
            "Rückgabewerte: 0 Erfolg, 1 HEX-File oder Einstellungen abgelehnt (Meldung auf\n"
            "stderr) oder bei \"layout\" eine Doppelbelegung in der Anlage, 2 falscher Aufruf oder\n"
            "Fehler beim Lesen oder Schreiben einer Datei.\n";
    return text;
}

} // namespace

std::span<const CliCommand> cliCommands() {
    static const CliCommand commands[] = {showCommand(), applyCommand(),  checkCommand(),
                                          demoCommand(), layoutCommand(), seriesCommand()};
    return commands;
}

int runCli(const std::vector<std::string>& arguments, Console& console) {
    if (arguments.size() < 2) {
        console.err << overview();
        return kExitUsage;
    }
    const std::string& first = arguments[1];
    if (first == "-h" || first == "--help") {
        console.out << overview();
        return kExitSuccess;
    }
    if (first == "--version") {
        console.out << versionText() << '\n';
        return kExitSuccess;
    }
    for (const CliCommand& command : cliCommands()) {
        if (first == command.name)
            return command.run(command, std::vector<std::string>(arguments.begin() + 2, arguments.end()),
                               console);
    }
    std::string names;
    for (const CliCommand& command : cliCommands())
        names += (names.empty() ? "" : ", ") + std::string{command.name};
    console.err << "Unbekannter Befehl: " << first << "\nBefehle: " << names
                << ". Hilfe: hexquendra-cli --help\n";
    return kExitUsage;
}

} // namespace hq
