// hexquendra-cli: the commands live in hexquendra_cli_lib; this installs the clean-up of temporary
// files on SIGINT/SIGTERM, hands the arguments over byte for byte and reports a failed stdout.

#include "Cli.h"
#include "io/WriteFile.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    hq::io::removeTemporaryFilesOnSignal();
    // The console is ours alone; unsynchronised streams spare a lock per character.
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv, argv + argc);
    hq::Console console{std::cout, std::cerr, std::cin};
    int exitCode = hq::runCli(arguments, console);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "Die Ausgabe konnte nicht vollständig geschrieben werden.\n";
        return hq::kExitUsage;
    }
    return exitCode;
}
