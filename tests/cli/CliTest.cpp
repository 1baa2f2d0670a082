// The commands run in-process through runCli, with their output captured.

#include "Cli.h"
#include "TestSupport.h"
#include "demo/DemoFirmware.h"
#include "image/TextFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace hq {
namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun cli(std::vector<std::string> arguments, const std::string& input = {}) {
    std::ostringstream out;
    std::ostringstream err;
    std::istringstream in(input);
    Console console{out, err, in};
    arguments.insert(arguments.begin(), "hexquendra-cli");
    CliRun run;
    run.exitCode = runCli(arguments, console);
    run.out = out.str();
    run.err = err.str();
    return run;
}

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

class CliCommands : public testing::Test {
protected:
    std::string path(const char* name) const { return (folder / name).string(); }
    std::string writeFile(const char* name, const std::string& text) const {
        test::writeBytes(folder / name, text);
        return path(name);
    }
    test::ScratchFolder folder;
};

TEST_F(CliCommands, HelpVersionAndUsageErrors) {
    CliRun help = cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"show", "apply", "check", "demo"})
        EXPECT_TRUE(contains(help.out, command)) << command;
    EXPECT_TRUE(help.out.starts_with("Aufruf: hexquendra-cli BEFEHL"));
    EXPECT_EQ(cli({"--version"}).out, "hexquendra-cli 0.41.0\n");

    for (const char* command : {"show", "apply", "check", "demo"}) {
        CliRun commandHelp = cli({command, "--help"});
        EXPECT_EQ(commandHelp.exitCode, 0) << command;
        EXPECT_TRUE(commandHelp.out.starts_with(std::string{"Aufruf: hexquendra-cli "} + command)) << command;
        EXPECT_EQ(cli({command, "--version"}).out, "hexquendra-cli 0.41.0\n") << command;
    }

    CliRun bare = cli({});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_TRUE(bare.err.starts_with("Aufruf: hexquendra-cli BEFEHL"));
    CliRun unknown = cli({"frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err,
              "Unbekannter Befehl: frobnicate\nBefehle: show, apply, check, demo, layout, series. Hilfe: "
              "hexquendra-cli --help\n");
    CliRun option = cli({"show", "--colour", "x.hex"});
    EXPECT_EQ(option.exitCode, 2);
    EXPECT_EQ(option.err, "Unbekannte Option: --colour\nHilfe: hexquendra-cli show --help\n");
    EXPECT_TRUE(cli({"show", "-x", "x.hex"}).err.starts_with("Unbekannte Option: -x\n"));
    EXPECT_TRUE(cli({"show", "--colour=red", "x.hex"}).err.starts_with("Unbekannte Option: --colour\n"));
    // An unknown option is reported even beside --help.
    EXPECT_EQ(cli({"show", "--colour", "--help"}).exitCode, 2);

    CliRun missing = cli({"show"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err, "Es fehlen Angaben.\nHilfe: hexquendra-cli show --help\n");
    CliRun tooMany = cli({"check", "a.hex", "b.hex"});
    EXPECT_EQ(tooMany.exitCode, 2);
    EXPECT_EQ(tooMany.err, "Zu viele Angaben: a.hex b.hex\nHilfe: hexquendra-cli check --help\n");
    CliRun noValue = cli({"apply", "a.hex", "s.json", "-o"});
    EXPECT_EQ(noValue.exitCode, 2);
    EXPECT_TRUE(noValue.err.starts_with("Ungültiger Aufruf: ")) << noValue.err;
    EXPECT_EQ(cli({"show", "--json", "--settings", "a.hex"}).exitCode, 2);
    // A switch takes no value (CLI11 alone would count "--json=0" as given).
    EXPECT_EQ(cli({"show", "--json=0", "a.hex"}).err,
              "Ungültiger Aufruf: --json nimmt keinen Wert.\nHilfe: hexquendra-cli show --help\n");
    EXPECT_EQ(cli({"check", "--help=yes", "a.hex"}).exitCode, 2);
}

TEST_F(CliCommands, OptionsTakeTheirValueInEveryUsualSpelling) {
    for (const std::vector<std::string>& spelling :
         std::vector<std::vector<std::string>>{{"-o", path("a.hex")},
                                               {"--output", path("a.hex")},
                                               {"--output=" + path("a.hex")},
                                               {"-o" + path("a.hex")},
                                               {"-o", path("other.hex"), "-o", path("a.hex")}}) {
        std::vector<std::string> arguments{"demo", "31"};
        arguments.insert(arguments.end(), spelling.begin(), spelling.end());
        std::filesystem::remove(folder / "a.hex");
        EXPECT_EQ(cli(arguments).exitCode, 0) << spelling.front();
        EXPECT_EQ(test::readBytes(folder / "a.hex"), demoFirmwareText(31, Protocol::MM)) << spelling.front();
    }
    // After "--" everything is an argument, also what looks like an option.
    EXPECT_EQ(cli({"demo", "-o", path("b.hex"), "--", "31"}).exitCode, 0);
}

TEST_F(CliCommands, ShowListsCaptionsAddressesAndColoursInColumns) {
    std::string file = writeFile("relay.hex", demoFirmwareText(31, Protocol::MM));
    CliRun run = cli({"show", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(contains(run.out, "Datei:      relay.hex\n")) << run.out;
    EXPECT_TRUE(contains(run.out, "Firmware:   Relaisdekoder 8 (Art 31)\n")) << run.out;
    EXPECT_TRUE(contains(run.out, "Protokoll:  MM (Statusleiste: Mot)\n"));
    EXPECT_TRUE(contains(run.out, "Version:    V 0.41\n"));
    EXPECT_TRUE(contains(run.out, "Zusatzwert: Verzögerungszeit (1..255) = 20 (x 0.5 sec; höchstens 255)\n"));
    EXPECT_TRUE(contains(run.out, "Zeile  Bezeichnung  Adresse  R/G   Dekoder/Ausgang\n"
                                  "    1  Out 1              5  grün  2/1\n"
                                  "    2  Out 2              6  grün  2/2\n"
                                  "    3  Out 3              7  rot   2/3\n"))
        << run.out;
    EXPECT_TRUE(contains(run.out, "    9  All               13  rot   4/1\n"));
    EXPECT_FALSE(contains(run.out, "Warnungen"));
}

TEST_F(CliCommands, ShowOfAFunctionDecoderListsFunctionNumbersAndCvs) {
    CliRun run = cli({"show", writeFile("neon.hex", demoFirmwareText(44, Protocol::DCC))});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(contains(run.out, "Zeile  Bezeichnung  Adresse  Funktion  CV\n"
                                  "    1  Ein                3         1  CV1=3\n"
                                  "    2  Hell-Dunkel        4         2  CV1=4\n"))
        << run.out;
    EXPECT_TRUE(contains(run.out, "Editor:    Neon-Werte\n"));

    // MM vehicle addresses need no conversion: no extra column.
    CliRun mm = cli({"show", writeFile("neon-mm.hex", demoFirmwareText(44, Protocol::MM))});
    EXPECT_TRUE(contains(mm.out, "Zeile  Bezeichnung  Adresse  Funktion\n"
                                 "    1  Ein                3         1\n"))
        << mm.out;
}

TEST_F(CliCommands, ShowNamesAddressZeroAndPrintsTheWarningsBelowTheTable) {
    Firmware relay = test::demoFirmware(31, Protocol::DCC);
    ASSERT_TRUE(test::applySettingsText(relay, R"({"outputs": [{"row": 1, "address": 0},
        {"row": 2, "address": 2041}, {"row": 3, "address": 100, "color": "green"},
        {"row": 4, "address": 100, "color": "green"}]})")
                    .ok());
    CliRun run = cli({"show", writeFile("relay.hex", hexImageText(relay.image))});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "    1  Out 1              0  rot   –\n")) << run.out;
    EXPECT_TRUE(contains(run.out, "    2  Out 2           2041  grün  511/1\n")) << run.out;
    EXPECT_TRUE(contains(run.out,
                         "\nWarnungen:\n"
                         "  Zeile 2 (Out 2): Dekoder 511 (Adressen 2041 bis 2044) ist die Rundruf-Adresse: "
                         "Auf Befehle an sie reagiert jeder Zubehör-Dekoder.\n"
                         "  Zeile 3 (Out 3): Gleiche Adresse und Farbe auch in Zeile 4.\n"
                         "  Zeile 4 (Out 4): Gleiche Adresse und Farbe auch in Zeile 3.\n"))
        << run.out;
}

TEST_F(CliCommands, ShowWithoutProtocolAndOfAnUnknownFile) {
    CliRun none = cli({"show", writeFile("none.hex", demoFirmwareText(21, Protocol::None))});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_TRUE(contains(none.out, "Protokoll:  keines (Statusleiste: ohne)"));
    EXPECT_TRUE(contains(none.out, "Ohne erkanntes Protokoll werden keine Ausgänge angezeigt."));
    EXPECT_FALSE(contains(none.out, "Weiche"));

    CliRun unknown = cli({"show", writeFile("text.hex", ":00000001FF\r\n")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(contains(unknown.out, "Firmware:  nicht erkannt"));
    EXPECT_EQ(unknown.err, "Das HEX-File konnte leider nicht erkannt werden\n");
}

TEST_F(CliCommands, MissingAndOversizedFiles) {
    CliRun missing = cli({"show", path("nowhere.hex")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(contains(missing.err, "wurde nicht gefunden")) << missing.err;

    std::string many;
    for (int i = 0; i < 600; ++i)
        many += ":00000001FF\r\n";
    CliRun tooManyLines = cli({"check", writeFile("long.hex", many)});
    EXPECT_EQ(tooManyLines.exitCode, 1);
    EXPECT_TRUE(contains(tooManyLines.err, "512")) << tooManyLines.err;

    CliRun tooLarge = cli({"show", writeFile("large.hex", std::string(kMaxFirmwareFileSize + 1, 'A'))});
    EXPECT_EQ(tooLarge.exitCode, 1);

    const std::string relay = writeFile("relay.hex", demoFirmwareText(31, Protocol::MM));
    CliRun largeSettings =
        cli({"apply", relay, writeFile("large.json", std::string(4 * 1024 * 1024 + 1, ' ')), "-o",
             path("o.hex")});
    EXPECT_EQ(largeSettings.exitCode, 1);
    EXPECT_EQ(largeSettings.err,
              "Die Einstellungen \"" + path("large.json") + "\" sind zu gross (höchstens 4 MB).\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "o.hex"));
}

TEST_F(CliCommands, CheckNamesEveryBadLine) {
    std::string text = demoFirmwareText(42, Protocol::DCC);
    EXPECT_EQ(cli({"check", writeFile("good.hex", text)}).exitCode, 0);

    // Line 3 (the signature) gets a wrong checksum, line 5 loses a character.
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(lines[2], ":1000100005191028831601178312B23081002B288E");
    lines[2].replace(lines[2].size() - 2, 2, "8F");
    lines[4].pop_back();
    std::string broken;
    for (const std::string& line : lines)
        broken += line + "\r\n";
    CliRun run = cli({"check", writeFile("broken.hex", broken)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Zeile 3: Prüfsumme 8F falsch, richtig wäre 8E\n"
                       "Zeile 5: Länge passt nicht zur Byte-Anzahl (42 Zeichen statt 43)\n");
}

TEST_F(CliCommands, CheckRefusesAnUnrecognisedFirmware) {
    CliRun run = cli({"check", writeFile("plain.hex", ":040000008A013A280F\r\n:00000001FF\r\n")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Das HEX-File konnte leider nicht erkannt werden\n");
}

TEST_F(CliCommands, DemoChecksItsArguments) {
    EXPECT_EQ(cli({"demo", "31", "-o", path("a.hex")}).exitCode, 0);
    EXPECT_EQ(test::readBytes(folder / "a.hex"), demoFirmwareText(31, Protocol::MM));

    EXPECT_EQ(cli({"demo", "4", "--protocol", "DCC", "--type", "schalt", "-o", path("b.hex")}).exitCode, 0);
    EXPECT_EQ(test::readBytes(folder / "b.hex"), demoFirmwareText(4, Protocol::DCC, DecoderType::Schalt));

    CliRun unknownKind = cli({"demo", "3", "-o", path("c.hex")});
    EXPECT_EQ(unknownKind.exitCode, 2);
    EXPECT_TRUE(unknownKind.err.starts_with("Unbekannte Firmware-Art \"3\". Bekannt sind: 19, 20, 31,"));
    EXPECT_EQ(cli({"demo", "abc", "-o", path("c.hex")}).exitCode, 2);
    EXPECT_EQ(cli({"demo", "31", "--protocol", "sx", "-o", path("c.hex")}).err,
              "--protocol ist mm oder dcc.\nHilfe: hexquendra-cli demo --help\n");
    EXPECT_EQ(cli({"demo", "31", "--type", "lok", "-o", path("c.hex")}).exitCode, 2);
    CliRun noOutput = cli({"demo", "31"});
    EXPECT_EQ(noOutput.exitCode, 2);
    EXPECT_EQ(noOutput.err, "Die Ziel-Datei fehlt (-o OUT).\nHilfe: hexquendra-cli demo --help\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "c.hex"));

    CliRun unwritable = cli({"demo", "31", "-o", path("no/such/folder/d.hex")});
    EXPECT_EQ(unwritable.exitCode, 2);
    EXPECT_TRUE(contains(unwritable.err, "konnte nicht geschrieben werden")) << unwritable.err;

    CliRun toStdout = cli({"demo", "31", "--protocol", "dcc", "-o", "-"});
    EXPECT_EQ(toStdout.exitCode, 0);
    EXPECT_EQ(toStdout.out, demoFirmwareText(31, Protocol::DCC));
}

TEST_F(CliCommands, ApplyRefusalsAndTheirExitCodes) {
    std::string firmware = writeFile("relay.hex", demoFirmwareText(31, Protocol::MM));
    std::string out = path("out.hex");

    CliRun badJson = cli({"apply", firmware, writeFile("bad.json", "{ nope"), "-o", out});
    EXPECT_EQ(badJson.exitCode, 1);
    EXPECT_TRUE(badJson.err.starts_with("Einstellungen: kein gültiges JSON (Zeichen ")) << badJson.err;

    CliRun missingSettings = cli({"apply", firmware, path("none.json"), "-o", out});
    EXPECT_EQ(missingSettings.exitCode, 2);

    CliRun noOutput = cli({"apply", firmware, writeFile("ok.json", "{}")});
    EXPECT_EQ(noOutput.exitCode, 2);
    EXPECT_TRUE(noOutput.err.starts_with("Die Ziel-Datei fehlt (-o OUT)."));
    EXPECT_FALSE(std::filesystem::exists(out));

    CliRun applied = cli({"apply", firmware, path("ok.json"), "-o", out});
    EXPECT_EQ(applied.exitCode, 0) << applied.err;
    EXPECT_EQ(test::readBytes(out), demoFirmwareText(31, Protocol::MM));

    CliRun fromInput =
        cli({"apply", firmware, "-", "-o", "-"}, R"({"outputs": [{"row": 1, "address": 17}]})");
    EXPECT_EQ(fromInput.exitCode, 0) << fromInput.err;
    auto written = loadFirmware(fromInput.out);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written->parameters.rows[1].address, 17);

    CliRun duplicate = cli({"apply", firmware, "-", "-o", out}, R"({"firmware": {"kind": 42, "kind": 31}})");
    EXPECT_EQ(duplicate.exitCode, 1);
    EXPECT_EQ(duplicate.err, "Einstellungen: Der Schlüssel \"kind\" steht zweimal im selben Objekt.\n");
}

} // namespace
} // namespace hq
