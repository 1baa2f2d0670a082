// show FILE [--json]: what the window shows after "HEX laden".

#include "CliCommand.h"
#include "CliFiles.h"
#include "CommandLine.h"
#include "FirmwareJson.h"
#include "ShowText.h"

#include <QFileInfo>
#include <QJsonDocument>

namespace hq {

namespace {

int run(const CliCommand& command, const QStringList& arguments, Console& console) {
    QCommandLineParser parser;
    QCommandLineOption json(QStringLiteral("json"), QStringLiteral("JSON"));
    parser.addOption(json);
    if (auto done = parseCommandLine(parser, command, arguments, 1, console))
        return *done;
    const QString path = parser.positionalArguments().at(0);

    LoadedFirmware loaded = loadFirmwareForCli(path, console);
    if (!loaded.firmware)
        return loaded.exitCode;
    const Firmware& firmware = *loaded.firmware;
    if (parser.isSet(json))
        console.out << QString::fromUtf8(
            QJsonDocument(firmwareJson(firmware)).toJson(QJsonDocument::Indented));
    else
        console.out << showText(firmware, QFileInfo(path).fileName());
    if (firmware.recognition.kind == 0) {
        console.err << QStringLiteral("Das HEX-File konnte leider nicht erkannt werden\n");
        return kExitRefused;
    }
    return kExitSuccess;
}

} // namespace

const CliCommand& showCommand() {
    static const CliCommand command{
        "show", "FILE [--json]", "zeigt, was das Fenster nach \"HEX laden\" zeigt",
        "Firmware-Art, Statustext, Protokoll (MM, DCC oder keines), Typ (Schalt oder Fahrzeug),\n"
        "Hardware-Kennung und Version, je angezeigter Zeile Bezeichnung, Adresse und Rot/Grün\n"
        "oder Funktions-Nummer, dazu der Zusatzwert. Ausgänge werden nur gezeigt, wenn ein\n"
        "Protokoll erkannt wurde. Eine nicht erkannte Firmware endet mit Rückgabewert 1.\n\n"
        "Optionen:\n"
        "      --json                  als JSON ausgeben (dieselbe Form liest \"apply\"): firmware,\n"
        "                              outputs, extra, eeprom und bei Servo-, Blink- und\n"
        "                              LED-Firmware program_table\n",
        run};
    return command;
}

} // namespace hq
