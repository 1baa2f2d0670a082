// show FILE [--json | --settings]: what the window shows after "HEX laden".

#include "CliCommand.h"
#include "CliFiles.h"
#include "CommandLine.h"
#include "SettingsJson.h"
#include "ShowText.h"

namespace hq {

namespace show_command {
namespace {

constexpr OptionSpec kOptions[] = {{"--json", false}, {"--settings", false}};

int run(const CliCommand& command, const std::vector<std::string>& arguments, Console& console) {
    ParsedArguments parsed;
    if (auto done = parseCommandLine(command, kOptions, arguments, 1, parsed, console))
        return *done;
    if (parsed.isSet("json") && parsed.isSet("settings"))
        return usageError(command, "--json und --settings schließen einander aus.", console);
    const std::filesystem::path path = parsed.positionals[0];

    LoadedFirmware loaded = loadFirmwareForCli(path, console, true);
    if (!loaded.firmware)
        return loaded.exitCode;
    const Firmware& firmware = *loaded.firmware;
    if (parsed.isSet("json"))
        console.out << firmwareJsonText(firmware);
    else if (parsed.isSet("settings"))
        console.out << settingsJsonText(firmware, readSettings(firmware));
    else
        console.out << showText(firmware, path.filename().native());
    if (firmware.recognition.kind == 0) {
        console.err << "Das HEX-File konnte leider nicht erkannt werden\n";
        return kExitRefused;
    }
    return kExitSuccess;
}

} // namespace
} // namespace show_command

const CliCommand& showCommand() {
    static const CliCommand command{
        "show", "FILE [--json | --settings]", "zeigt, was das Fenster nach \"HEX laden\" zeigt",
        "Firmware-Art, Statustext, Protokoll (MM, DCC oder keines), Typ (Schalt oder Fahrzeug),\n"
        "Hardware-Kennung und Version, je angezeigter Zeile Bezeichnung, Adresse und Rot/Grün\n"
        "oder Funktions-Nummer, dazu Dekoder/Ausgang (Schalt) oder die CVs (DCC-Fahrzeug), der\n"
        "Zusatzwert und die Warnungen der Zeilen. Ausgänge werden nur gezeigt, wenn ein\n"
        "Protokoll erkannt wurde. Eine nicht erkannte Firmware endet mit Rückgabewert 1; ein\n"
        "HEX-File mit falschen Prüfsummen oder kaputten Zeilen wird auf stderr gemeldet.\n\n"
        "Optionen:\n"
        "      --json                  als JSON ausgeben (dieselbe Form liest \"apply\"): firmware,\n"
        "                              outputs (mit decoder/port, cv und warnings), extra, eeprom\n"
        "                              und bei Servo-, Blink- und LED-Firmware program_table\n"
        "      --settings              nur die Einstellungen als JSON (firmware, outputs, extra\n"
        "                              und die Editor-Abschnitte), zum Übertragen auf ein\n"
        "                              anderes HEX-File derselben Art mit \"apply\"\n",
        show_command::run};
    return command;
}

} // namespace hq
