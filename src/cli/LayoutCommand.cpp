// layout DIR [--json | --csv]: every decoder of a layout folder side by side. The exit code makes it
// a check to run before every commit: 1 when a clash is not marked intended or a file had to be
// passed over (what was not read was not checked), 0 only when the whole layout is sound.

#include "CliCommand.h"
#include "CliFiles.h"
#include "CommandLine.h"
#include "LayoutJson.h"
#include "LayoutText.h"
#include "layout/LayoutCsv.h"

namespace hq {

namespace layout_command {
namespace {

constexpr OptionSpec kOptions[] = {{"--json", false}, {"--csv", false}};

int run(const CliCommand& command, const std::vector<std::string>& arguments, Console& console) {
    ParsedArguments parsed;
    if (auto done = parseCommandLine(command, kOptions, arguments, 1, parsed, console))
        return *done;
    if (parsed.isSet("json") && parsed.isSet("csv"))
        return usageError(command, "--json und --csv schließen einander aus.", console);
    const std::filesystem::path folder = parsed.positionals[0];

    auto scan = scanLayoutFolder(folder);
    if (!scan) {
        console.err << scan.message() << '\n';
        return kExitUsage;
    }
    if (parsed.isSet("json"))
        console.out << layoutJsonText(*scan, folder);
    else if (parsed.isSet("csv"))
        console.out << layoutCsvText(*scan);
    else
        console.out << layoutText(*scan, folder.native());

    const int open = scan->openClashCount();
    if (open > 0) {
        console.err << (open == 1 ? std::string{"1 Doppelbelegung ist"}
                                  : std::to_string(open) + " Doppelbelegungen sind")
                    << " nicht als gewollt markiert.\n";
    }
    if (!scan->problems.empty()) {
        console.err << (scan->problems.size() == 1
                            ? std::string{"1 Datei wurde"}
                            : std::to_string(scan->problems.size()) + " Dateien wurden")
                    << " übersprungen und nicht geprüft.\n";
    }
    return open > 0 || !scan->problems.empty() ? kExitRefused : kExitSuccess;
}

} // namespace
} // namespace layout_command

const CliCommand& layoutCommand() {
    static const CliCommand command{
        "layout", "DIR [--json | --csv]", "zeigt alle Dekoder einer Anlage und ihre Doppelbelegungen",
        "Liest jede HEX-Datei (*.hex) im Ordner DIR und seinen Unterordnern (bis 3 Ebenen tief;\n"
        "Namen mit \".\" am Anfang werden übergangen) und zeigt die Dekoder, alle benutzten\n"
        "Adressen nach Protokoll und Adresse sortiert, die Doppelbelegungen und die ersten freien\n"
        "Blöcke von 1, 4 und 8 Zubehöradressen je Protokoll. Doppelbelegung heißt: zwei Zeilen\n"
        "reagieren auf dasselbe Protokoll, dieselbe Adressart, Adresse und Farbe oder Funktion;\n"
        "dazu DCC-Zubehöradressen in Dekoder 511 (2041 bis 2044) und Adressen außerhalb des\n"
        "Bereichs. Namen, Notizen und gewollte Doppelbelegungen stehen in DIR/anlage.json.\n"
        "Dateien, die nicht gelesen werden können oder keine Firmware sind, werden mit dem Grund\n"
        "genannt. Rückgabewert 1, wenn eine Doppelbelegung nicht als gewollt markiert ist oder\n"
        "eine Datei übersprungen wurde; 2, wenn DIR kein lesbarer Ordner ist.\n\n"
        "Optionen:\n"
        "      --json                  als JSON ausgeben; \"key\" einer Doppelbelegung ist der\n"
        "                              Eintrag, der sie in anlage.json unter \"intended\" markiert\n"
        "      --csv                   die Adressliste als CSV für eine Tabellenkalkulation\n"
        "                              (UTF-8, Semikolon, Kopfzeile)\n",
        layout_command::run};
    return command;
}

} // namespace hq
