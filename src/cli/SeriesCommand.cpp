// series TEMPLATE.hex --count N [--first ADDRESS] [--stride S] [--name NAME] [--force] -o DIR: decoders
// made in series. The whole plan is shown and checked first; nothing is written unless every copy
// may be, and every file is written as `apply` writes its output.

#include "CliCommand.h"
#include "CliFiles.h"
#include "CommandLine.h"
#include "LayoutJson.h"
#include "ParseInteger.h"
#include "TextTable.h"
#include "layout/SeriesPlan.h"

namespace hq {

namespace series_command {
namespace {

constexpr OptionSpec kOptions[] = {{"--count", true}, {"--first", true},  {"--stride", true},
                                   {"--name", true},  {"--force", false}, {"-o,--output", true}};

// Refusals beyond this many are counted, not listed.
constexpr std::size_t kListedRefusals = 30;

std::string planTable(const SeriesPlan& plan) {
    std::vector<std::vector<std::string>> rows;
    for (const SeriesCopy& copy : plan.copies)
        rows.push_back({copy.file, runsText(copy.addresses()), copy.replaces ? "ersetzt" : ""});
    return textTable({{"Datei"}, {"Adressen"}, {""}}, rows);
}

int run(const CliCommand& command, const std::vector<std::string>& arguments, Console& console) {
    ParsedArguments parsed;
    if (auto done = parseCommandLine(command, kOptions, arguments, 1, parsed, console))
        return *done;
    SeriesRequest request;
    const std::pair<const char*, std::optional<int>*> numbers[] = {{"first", &request.first},
                                                                   {"stride", &request.stride}};
    const std::optional<std::string> countText = parsed.value("count");
    if (!countText)
        return usageError(command, "Die Anzahl fehlt (--count N).", console);
    const std::optional<int> count = parseInteger(*countText);
    if (!count)
        return usageError(command, "Der Wert von --count ist keine ganze Zahl.", console);
    request.count = *count;
    for (const auto& [name, target] : numbers) {
        if (auto text = parsed.value(name)) {
            *target = parseInteger(*text);
            if (!*target)
                return usageError(command, std::string{"Der Wert von --"} + name + " ist keine ganze Zahl.",
                                  console);
        }
    }
    const std::optional<std::string> output = parsed.value("output");
    if (!output)
        return usageError(command, "Der Ziel-Ordner fehlt (-o DIR).", console);
    const std::filesystem::path folder = *output;
    if (isStandardStream(folder))
        return usageError(command, "Eine Serie braucht einen Ordner als Ziel, nicht \"-\".", console);
    const std::filesystem::path templatePath = parsed.positionals[0];
    request.name = parsed.value("name").value_or(templatePath.stem().native());
    request.force = parsed.isSet("force");

    LoadedFirmware loaded = loadFirmwareForCli(templatePath, console, true);
    if (!loaded.firmware)
        return loaded.exitCode;
    request.permissions = loaded.permissions;

    auto notes = readLayoutNotes(folder);
    auto scan = scanLayoutFolder(folder);
    if (!scan && scan.kind() != ErrorKind::NotFound) {
        console.err << scan.message() << '\n';
        return kExitUsage;
    }
    auto plan = planSeries(*loaded.firmware, request, folder, scan ? *scan : LayoutScan{},
                           notes ? *notes : LayoutNotes{});
    if (!plan) {
        console.err << plan.message() << '\n';
        return kExitRefused;
    }

    console.out << "Serie aus " << templatePath.filename().native() << " in " << folder.native() << ": "
                << plan->copies.size() << (plan->copies.size() == 1 ? " Datei" : " Dateien") << ", Abstand "
                << plan->stride << "\n\n"
                << planTable(*plan);
    for (const std::string& note : plan->notes)
        console.err << "Hinweis: " << note << '\n';
    if (!plan->ok()) {
        console.err << "Die Serie wird nicht geschrieben:\n";
        for (std::size_t i = 0; i < plan->refusals.size() && i < kListedRefusals; ++i)
            console.err << "  " << plan->refusals[i] << '\n';
        if (plan->refusals.size() > kListedRefusals)
            console.err << "  … und " << plan->refusals.size() - kListedRefusals << " weitere\n";
        if (!request.force) {
            for (const SeriesCopy& copy : plan->copies) {
                if (std::filesystem::symlink_status(folder / copy.file).type() !=
                    std::filesystem::file_type::not_found) {
                    console.err << "--force ersetzt vorhandene Dateien.\n";
                    break;
                }
            }
        }
        return kExitRefused;
    }

    auto written = writeSeries(*plan);
    if (!written) {
        console.err << written.message() << '\n';
        return written.kind() == ErrorKind::Refused ? kExitRefused : writeFailureExit(written.kind());
    }
    console.out << "\n"
                << written->size()
                << (written->size() == 1 ? " Datei geschrieben.\n" : " Dateien geschrieben.\n");
    return kExitSuccess;
}

} // namespace
} // namespace series_command

const CliCommand& seriesCommand() {
    static const CliCommand command{
        "series", "TEMPLATE.hex --count N [--first ADDRESS] [--stride S] [--name NAME] [--force] -o DIR",
        "erzeugt N Dekoder mit fortlaufenden Adressen aus einer Vorlage",
        "Schreibt NAME-01.hex, NAME-02.hex, … nach DIR. Kopie k (ab 0) bekommt jede benutzte\n"
        "Adresse der Vorlage um k × S verschoben, die erste Kopie beginnt bei ADDRESS (ohne\n"
        "--first bei der kleinsten Adresse der Vorlage). S ist ohne --stride die Spanne der\n"
        "Adressen der Vorlage, so bekommen Dekoder mit vier Ausgängen 1–4, 5–8, 9–12 … Alles\n"
        "andere (Rot/Grün, Funktionen, Zusatzwert, Servo- und Blinkmuster) bleibt wie in der\n"
        "Vorlage. Abgelehnt wird die ganze Serie, bevor etwas geschrieben ist, wenn eine Adresse\n"
        "den Bereich des Protokolls verlässt, eine Datei schon da ist (ohne --force) oder eine\n"
        "neue Adresse mit der Anlage in DIR kollidiert (wie \"layout\" prüft; alle Gründe\n"
        "werden genannt, Rückgabewert 1). Jede Datei wird wie bei \"apply\" über eine\n"
        "Zwischendatei geschrieben; neue Dateien bekommen die Zugriffsrechte der Vorlage.\n\n"
        "Optionen:\n"
        "      --count N               Anzahl der Dekoder (1 bis 999)\n"
        "      --first ADDRESS         kleinste Adresse der ersten Kopie\n"
        "      --stride S              Abstand der Adressen von Kopie zu Kopie\n"
        "      --name NAME             Anfang der Dateinamen (Vorgabe: Name der Vorlage)\n"
        "      --force                 vorhandene Dateien ersetzen\n"
        "  -o, --output DIR            Ordner der Anlage; wird angelegt, wenn er fehlt\n",
        series_command::run};
    return command;
}

} // namespace hq
