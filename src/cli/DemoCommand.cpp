// demo KIND [--protocol mm|dcc] [--type schalt|fahrzeug] -o OUT: writes a demo firmware.

#include "CliCommand.h"
#include "CliFiles.h"
#include "CommandLine.h"
#include "demo/DemoFirmware.h"

namespace hq {

namespace {

QString knownKinds() {
    QStringList kinds;
    for (const KindInfo& info : kindsTable())
        kinds << QString::number(info.kind);
    return kinds.join(QStringLiteral(", "));
}

int run(const CliCommand& command, const QStringList& arguments, Console& console) {
    QCommandLineParser parser;
    QCommandLineOption protocolOption(QStringLiteral("protocol"), QStringLiteral("Protokoll"),
                                      QStringLiteral("mm|dcc"), QStringLiteral("mm"));
    QCommandLineOption typeOption(QStringLiteral("type"), QStringLiteral("Typ"),
                                  QStringLiteral("schalt|fahrzeug"));
    QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("Ziel"),
                              QStringLiteral("OUT"));
    parser.addOptions({protocolOption, typeOption, output});
    if (auto done = parseCommandLine(parser, command, arguments, 1, console))
        return *done;

    bool number = false;
    const QString kindText = parser.positionalArguments().at(0);
    const int kind = kindText.toInt(&number);
    if (!number || !findKind(kind)) {
        return usageError(
            command,
            QStringLiteral("Unbekannte Firmware-Art \"%1\". Bekannt sind: %2.").arg(kindText, knownKinds()),
            console);
    }
    const QString protocolText = parser.value(protocolOption).toLower();
    Protocol protocol = Protocol::None;
    if (protocolText == u"mm")
        protocol = Protocol::MM;
    else if (protocolText == u"dcc")
        protocol = Protocol::DCC;
    else
        return usageError(command, QStringLiteral("--protocol ist mm oder dcc."), console);
    DecoderType type = demoDefaultType(kind);
    if (parser.isSet(typeOption)) {
        const QString typeText = parser.value(typeOption).toLower();
        if (typeText == u"schalt")
            type = DecoderType::Schalt;
        else if (typeText == u"fahrzeug")
            type = DecoderType::Fahrzeug;
        else
            return usageError(command, QStringLiteral("--type ist schalt oder fahrzeug."), console);
    }
    if (!parser.isSet(output))
        return usageError(command, QStringLiteral("Die Ziel-Datei fehlt (-o OUT)."), console);

    const std::string text = demoFirmwareText(kind, protocol, type);
    if (text.empty()) {
        console.err
            << QStringLiteral("Die Demo-Firmware der Art %1 konnte nicht erzeugt werden.\n").arg(kind);
        return kExitRefused;
    }
    return writeOutputFile(parser.value(output), text, console);
}

} // namespace

const CliCommand& demoCommand() {
    static const CliCommand command{
        "demo", "KIND [--protocol mm|dcc] [--type schalt|fahrzeug] -o OUT",
        "schreibt eine Demo-Firmware der Art KIND",
        "Eine vollständige, gültige Firmware-Datei der Art KIND (siehe Erkennungs-Tabelle) mit\n"
        "Ausgängen auf aufeinander folgenden Adressen. Der Typ ist ohne --type der, der zur Art\n"
        "passt: die Funktions-Dekoder 2, 4, 5, 6 und 44 sind Fahrzeug, alle anderen Schalt.\n\n"
        "Optionen:\n"
        "      --protocol mm|dcc       Protokoll-Signatur (Vorgabe mm)\n"
        "      --type schalt|fahrzeug  Dekoder-Typ\n"
        "  -o, --output OUT            die neue HEX-Datei\n",
        run};
    return command;
}

} // namespace hq
