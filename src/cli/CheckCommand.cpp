// check FILE: checksums and layout of every record, the line table, and recognition.

#include "CliCommand.h"
#include "CliFiles.h"
#include "CommandLine.h"
#include "encode/TableGuard.h"
#include "image/Checksum.h"
#include "image/HexByte.h"

namespace hq {

namespace check_command {
namespace {

// Why a record line is not a valid record.
std::string recordProblem(std::string_view line) {
    if (line.empty())
        return "leere Zeile";
    if (line.front() != ':')
        return "beginnt nicht mit \":\"";
    auto count = hexByteValue(pairAt(line, 2));
    if (!count)
        return "keine gültige Byte-Anzahl";
    const std::size_t expected = 11 + 2 * static_cast<std::size_t>(*count);
    if (line.size() != expected) {
        return "Länge passt nicht zur Byte-Anzahl (" + std::to_string(line.size()) + " Zeichen statt " +
               std::to_string(expected) + ")";
    }
    auto checksum = recordChecksum(line.substr(0, line.size() - 2));
    if (!checksum || !hexByteValue(line.substr(line.size() - 2)))
        return "enthält Zeichen, die keine Hex-Ziffern sind";
    return "Prüfsumme " + std::string{line.substr(line.size() - 2)} + " falsch, richtig wäre " + *checksum;
}

int run(const CliCommand& command, const std::vector<std::string>& arguments, Console& console) {
    ParsedArguments parsed;
    if (auto done = parseCommandLine(command, {}, arguments, 1, parsed, console))
        return *done;

    LoadedFirmware loaded = loadFirmwareForCli(parsed.positionals[0], console, false);
    if (!loaded.firmware)
        return loaded.exitCode;
    const Firmware& firmware = *loaded.firmware;

    std::string problems;
    for (int number : badRecordLines(firmware.image)) {
        problems += "Zeile " + std::to_string(number) + ": " +
                    recordProblem(firmware.image.lines[static_cast<std::size_t>(number - 1)]) + "\n";
    }
    const Recognition& recognition = firmware.recognition;
    if (recognition.kind == 0)
        problems += "Das HEX-File konnte leider nicht erkannt werden\n";
    // A table block holding code is no fault of the file, but no save will edit it: said, not failed.
    for (const GuardedBlock& guarded : guardedEditorBlocks(firmware.image, recognition.panel()))
        console.err << "Hinweis: " << guarded.reason << '\n';
    if (!problems.empty()) {
        console.err << problems;
        return kExitRefused;
    }

    const std::string protocol = recognition.protocol == Protocol::None
                                     ? std::string{"ohne Protokoll"}
                                     : std::string{protocolName(recognition.protocol)} + ", " +
                                           std::string{typeName(recognition.type)};
    console.out << "In Ordnung: " << recognition.statusCaption() << " (Art " << recognition.kind << ", "
                << protocol << "), " << firmware.image.lineCount << " Zeilen\n";
    return kExitSuccess;
}

} // namespace
} // namespace check_command

const CliCommand& checkCommand() {
    static const CliCommand command{
        "check", "FILE", "prüft Prüfsummen, Zeilenzahl und Erkennung eines HEX-Files",
        "Rückgabewert 0 nur, wenn jeder Datensatz richtig aufgebaut ist und seine Prüfsumme\n"
        "stimmt, die Datei in die Zeilen-Tabelle passt (höchstens 512 Zeilen) und die Firmware\n"
        "erkannt wird. Sonst wird jedes Problem mit seiner Zeilennummer genannt (Rückgabewert 1).\n"
        "Eine Programm-Tabelle eines Editors, die ein Wort enthält, das kein retlw ist, wird als\n"
        "Hinweis genannt: sie wird beim Speichern nie geändert.\n\n"
        "Optionen:\n",
        check_command::run};
    return command;
}

} // namespace hq
