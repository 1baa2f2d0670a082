// demo KIND [--protocol mm|dcc] [--type schalt|fahrzeug] -o OUT: writes a demo firmware.

#include "CliCommand.h"
#include "CliFiles.h"
#include "CommandLine.h"
#include "ParseInteger.h"
#include "demo/DemoFirmware.h"

#include <algorithm>
#include <cctype>

namespace hq {

namespace demo_command {
namespace {

constexpr OptionSpec kOptions[] = {
    {"--protocol", true}, {"--type", true}, {"-o,--output", true}, {"--force", false}};

std::string knownKinds() {
    std::string kinds;
    for (const KindInfo& info : kindsTable())
        kinds += (kinds.empty() ? "" : ", ") + std::to_string(info.kind);
    return kinds;
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

int run(const CliCommand& command, const std::vector<std::string>& arguments, Console& console) {
    ParsedArguments parsed;
    if (auto done = parseCommandLine(command, kOptions, arguments, 1, parsed, console))
        return *done;

    const std::string& kindText = parsed.positionals[0];
    const std::optional<int> kind = parseInteger(kindText);
    if (!kind || !findKind(*kind)) {
        return usageError(command,
                          "Unbekannte Firmware-Art \"" + kindText + "\". Bekannt sind: " + knownKinds() + ".",
                          console);
    }
    const std::string protocolText = lowered(parsed.value("protocol").value_or("mm"));
    Protocol protocol = Protocol::None;
    if (protocolText == "mm")
        protocol = Protocol::MM;
    else if (protocolText == "dcc")
        protocol = Protocol::DCC;
    else
        return usageError(command, "--protocol ist mm oder dcc.", console);
    DecoderType type = demoDefaultType(*kind);
    if (auto typeValue = parsed.value("type")) {
        const std::string typeText = lowered(*typeValue);
        if (typeText == "schalt")
            type = DecoderType::Schalt;
        else if (typeText == "fahrzeug")
            type = DecoderType::Fahrzeug;
        else
            return usageError(command, "--type ist schalt oder fahrzeug.", console);
    }
    const std::optional<std::string> output = parsed.value("output");
    if (!output)
        return usageError(command, "Die Ziel-Datei fehlt (-o OUT).", console);

    const std::string text = demoFirmwareText(*kind, protocol, type);
    if (text.empty()) {
        console.err << "Die Demo-Firmware der Art " << *kind << " konnte nicht erzeugt werden.\n";
        return kExitRefused;
    }
    io::WriteOptions options;
    options.replaceReadOnly = parsed.isSet("force");
    return writeOutput(std::filesystem::path(*output), text, console, options);
}

} // namespace
} // namespace demo_command

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
        "  -o, --output OUT            die neue HEX-Datei (\"-\": auf die Standardausgabe)\n"
        "      --force                 OUT auch ersetzen, wenn es schreibgeschützt ist\n",
        demo_command::run};
    return command;
}

} // namespace hq
