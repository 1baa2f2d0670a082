// check FILE: checksums and layout of every record, the line table, and recognition.

#include "CliCommand.h"
#include "CliFiles.h"
#include "CommandLine.h"
#include "image/Checksum.h"
#include "image/HexByte.h"

namespace hq {

namespace {

// Why a record line is not a valid record.
QString recordProblem(std::string_view line) {
    if (line.empty())
        return QStringLiteral("leere Zeile");
    if (line.front() != ':')
        return QStringLiteral("beginnt nicht mit \":\"");
    auto count = hexByteValue(pairAt(line, 2));
    if (!count)
        return QStringLiteral("keine gültige Byte-Anzahl");
    const std::size_t expected = 11 + 2 * static_cast<std::size_t>(*count);
    if (line.size() != expected) {
        return QStringLiteral("Länge passt nicht zur Byte-Anzahl (%1 Zeichen statt %2)")
            .arg(line.size())
            .arg(expected);
    }
    auto checksum = recordChecksum(line.substr(0, line.size() - 2));
    if (!checksum || !hexByteValue(line.substr(line.size() - 2)))
        return QStringLiteral("enthält Zeichen, die keine Hex-Ziffern sind");
    return QStringLiteral("Prüfsumme %1 falsch, richtig wäre %2")
        .arg(fromUtf8(line.substr(line.size() - 2)), fromUtf8(*checksum));
}

int run(const CliCommand& command, const QStringList& arguments, Console& console) {
    QCommandLineParser parser;
    if (auto done = parseCommandLine(parser, command, arguments, 1, console))
        return *done;

    LoadedFirmware loaded = loadFirmwareForCli(parser.positionalArguments().at(0), console);
    if (!loaded.firmware)
        return loaded.exitCode;
    const Firmware& firmware = *loaded.firmware;

    QStringList problems;
    for (int number : badRecordLines(firmware.image)) {
        problems << QStringLiteral("Zeile %1: ").arg(number) +
                        recordProblem(firmware.image.lines[static_cast<std::size_t>(number - 1)]);
    }
    const Recognition& recognition = firmware.recognition;
    if (recognition.kind == 0)
        problems << QStringLiteral("Das HEX-File konnte leider nicht erkannt werden");
    if (!problems.isEmpty()) {
        console.err << problems.join(u'\n') << u'\n';
        return kExitRefused;
    }

    QString protocol = recognition.protocol == Protocol::None
                           ? QStringLiteral("ohne Protokoll")
                           : fromUtf8(protocolName(recognition.protocol)) + QStringLiteral(", ") +
                                 fromUtf8(typeName(recognition.type));
    console.out << QStringLiteral("In Ordnung: %1 (Art %2, %3), %4 Zeilen\n")
                       .arg(fromUtf8(recognition.statusCaption()))
                       .arg(recognition.kind)
                       .arg(protocol)
                       .arg(firmware.image.lineCount);
    return kExitSuccess;
}

} // namespace

const CliCommand& checkCommand() {
    static const CliCommand command{
        "check", "FILE", "prüft Prüfsummen, Zeilenzahl und Erkennung eines HEX-Files",
        "Rückgabewert 0 nur, wenn jeder Datensatz richtig aufgebaut ist und seine Prüfsumme\n"
        "stimmt, die Datei in die Zeilen-Tabelle passt (höchstens 512 Zeilen) und die Firmware\n"
        "erkannt wird. Sonst wird jedes Problem mit seiner Zeilennummer genannt (Rückgabewert 1).\n\n"
        "Optionen:\n",
        run};
    return command;
}

} // namespace hq
