// apply FILE SETTINGS.json -o OUT: the settings through the checks of "HEX speichern" into a new
// file; nothing is written on any error.

#include "CliCommand.h"
#include "CliFiles.h"
#include "CommandLine.h"
#include "FirmwareJson.h"

namespace hq {

namespace {

int run(const CliCommand& command, const QStringList& arguments, Console& console) {
    QCommandLineParser parser;
    QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("Ziel"),
                              QStringLiteral("OUT"));
    parser.addOption(output);
    if (auto done = parseCommandLine(parser, command, arguments, 2, console))
        return *done;
    if (!parser.isSet(output))
        return usageError(command, QStringLiteral("Die Ziel-Datei fehlt (-o OUT)."), console);

    LoadedFirmware loaded = loadFirmwareForCli(parser.positionalArguments().at(0), console);
    if (!loaded.firmware)
        return loaded.exitCode;
    int exitCode = kExitSuccess;
    auto settings = readSettingsFile(parser.positionalArguments().at(1), console, exitCode);
    if (!settings)
        return exitCode;

    Firmware& firmware = *loaded.firmware;
    if (Status applied = applySettingsText(firmware, *settings); !applied) {
        console.err << fromUtf8(applied.message()) << u'\n';
        return kExitRefused;
    }
    const QString target = parser.value(output);
    return writeOutputFile(target, hexImageText(firmware.image), console);
}

} // namespace

const CliCommand& applyCommand() {
    static const CliCommand command{
        "apply", "FILE SETTINGS.json -o OUT", "übernimmt Einstellungen und speichert ein neues HEX-File",
        "Lädt FILE, übernimmt die Werte aus SETTINGS.json (die Form von \"show --json\") und prüft\n"
        "sie wie \"HEX speichern\", mit denselben Meldungen in derselben Reihenfolge. Genommen\n"
        "werden outputs (je \"row\": \"address\", bei Schalt-Dekodern \"color\" green/red, bei\n"
        "Fahrzeug-Dekodern \"function\"; Zahlen oder Texte wie eingetippt), extra.value und bei\n"
        "Servo-, Blink- und LED-Firmware program_table. Außerdem servo (curves, assignments,\n"
        "timings) bei Servo-, blink/led (addresses) bei Blink- und LED-, neon (hell, dunkel,\n"
        "verzoegerung) bei Neon- und house (minimum) bei Haus-Firmware; zu große oder kleine\n"
        "Zahlen werden wie im Editor begrenzt, genommen werden nur Werte, die von der Anzeige\n"
        "der geladenen Datei abweichen. program_table wird zuerst genommen; ändern beide\n"
        "dasselbe Byte, gilt der Abschnitt. Fehlende Zeilen behalten ihre Werte,\n"
        "unbekannte Schlüssel werden übergangen; ein anderes firmware.kind wird abgelehnt.\n"
        "Bei jedem Fehler wird nichts geschrieben; OUT wird über eine Zwischendatei ersetzt.\n\n"
        "Optionen:\n"
        "  -o, --output OUT            die neue HEX-Datei\n",
        run};
    return command;
}

} // namespace hq
