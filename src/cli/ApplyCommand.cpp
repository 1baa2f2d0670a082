// apply FILE SETTINGS.json -o OUT: the settings through the checks of "HEX speichern" into a new
// file; nothing is written on any error.
//
// OUT may be FILE itself. The lock on OUT is taken before FILE is read and held until the new file
// has been renamed into place, so two runs changing the same file one after the other both keep
// their change.

#include "CliCommand.h"
#include "CliFiles.h"
#include "CommandLine.h"
#include "SettingsJson.h"
#include "io/FileLock.h"
#include "settings/RowsAsRead.h"

namespace hq {

namespace apply_command {
namespace {

constexpr OptionSpec kOptions[] = {{"-o,--output", true}, {"--force", false}};

// How to take the level the file would hold: name it in the settings.
std::string hellHint(const NeonHellConflict& conflict) {
    const std::string level = std::to_string(conflict.stored);
    return "Um HELL = " + level + " zu speichern, in den Einstellungen \"neon\": {\"hell\": " + level +
           "} angeben.";
}

int run(const CliCommand& command, const std::vector<std::string>& arguments, Console& console) {
    ParsedArguments parsed;
    if (auto done = parseCommandLine(command, kOptions, arguments, 2, parsed, console))
        return *done;
    const std::optional<std::string> output = parsed.value("output");
    if (!output)
        return usageError(command, "Die Ziel-Datei fehlt (-o OUT).", console);
    const std::filesystem::path target = *output;

    io::FileLock lock;
    if (!isStandardStream(target)) {
        auto acquired = io::FileLock::acquire(target);
        if (!acquired) {
            console.err << acquired.message() << '\n';
            return kExitUsage;
        }
        lock = std::move(*acquired);
    }

    LoadedFirmware loaded = loadFirmwareForCli(parsed.positionals[0], console, true);
    if (!loaded.firmware)
        return loaded.exitCode;
    int exitCode = kExitSuccess;
    auto text = readSettingsInput(parsed.positionals[1], console, exitCode);
    if (!text)
        return exitCode;

    Firmware& firmware = *loaded.firmware;
    const HexImage input = firmware.image;
    auto settings = settingsFromJsonText(firmware, readSettings(firmware), *text);
    if (!settings) {
        console.err << settings.message() << '\n';
        return readFailureExit(settings.kind());
    }
    // The HELL check first, for its hint; applySettings would refuse with the same message.
    if (auto conflict = neonHellConflict(firmware, *settings)) {
        console.err << conflict->message << '\n' << hellHint(*conflict) << '\n';
        return kExitRefused;
    }
    if (auto problem = applySettings(firmware, *settings)) {
        console.err << problem->message << '\n';
        return readFailureExit(problem->kind);
    }
    // The window asks before it writes such a file; here the user is told which lines it is.
    if (std::string note = recomputedChecksumText(recomputedChecksumLines(input, firmware.image));
        !note.empty())
        console.err << "Hinweis: " << note << '\n';
    io::WriteOptions options;
    options.newFilePermissions = loaded.permissions;
    options.replaceReadOnly = parsed.isSet("force");
    return writeOutput(target, hexImageText(firmware.image), console, options);
}

} // namespace
} // namespace apply_command

const CliCommand& applyCommand() {
    static const CliCommand command{
        "apply", "FILE SETTINGS.json -o OUT", "übernimmt Einstellungen und speichert ein neues HEX-File",
        "Lädt FILE, übernimmt die Werte aus SETTINGS.json (die Form von \"show --json\" oder\n"
        "\"show --settings\"; \"-\" liest die Standardeingabe) und prüft sie wie \"HEX speichern\",\n"
        "mit denselben Meldungen in derselben Reihenfolge. Genommen werden outputs (je \"row\":\n"
        "\"address\", bei Schalt-Dekodern \"color\" green/red, bei Fahrzeug-Dekodern \"function\";\n"
        "Zahlen oder Texte wie eingetippt), extra.value und bei Servo-, Blink- und LED-Firmware\n"
        "program_table. Außerdem servo (curves, assignments, timings) bei Servo-, blink/led\n"
        "(addresses) bei Blink- und LED-, neon (hell, dunkel, verzoegerung) bei Neon- und house\n"
        "(minimum) bei Haus-Firmware; zu große oder kleine Zahlen werden wie im Editor begrenzt,\n"
        "genommen werden nur Werte, die von der Anzeige der geladenen Datei abweichen.\n"
        "program_table wird zuerst genommen; ändern beide dasselbe Byte, gilt der Abschnitt.\n"
        "Hielte die Datei danach ein anderes HELL als verlangt (Zeile 1 schreibt EEPROM-Byte\n"
        "0x21 mit), wird abgelehnt; \"hell\" mit dem genannten Wert nimmt es an.\n"
        "Eine Programm-Tabelle, die nicht nur retlw-Wörter enthält, bleibt, wie sie ist;\n"
        "sie zu ändern wird abgelehnt.\n"
        "Fehlende Zeilen behalten ihre Werte, unbekannte Schlüssel werden übergangen; ein\n"
        "anderes firmware.kind und ein doppelter Schlüssel werden abgelehnt. Bei jedem Fehler\n"
        "wird nichts geschrieben; OUT wird über eine Zwischendatei ersetzt und darf FILE sein.\n"
        "Ein schreibgeschütztes OUT wird nur mit --force ersetzt, ein unveränderliches nie.\n\n"
        "Optionen:\n"
        "  -o, --output OUT            die neue HEX-Datei (\"-\": auf die Standardausgabe)\n"
        "      --force                 OUT auch ersetzen, wenn es schreibgeschützt ist\n",
        apply_command::run};
    return command;
}

} // namespace hq
