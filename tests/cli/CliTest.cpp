// The commands run in-process through runCli, with their output captured.

#include "Cli.h"
#include "demo/DemoFirmware.h"
#include "image/TextFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hq {
namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun cli(QStringList arguments) {
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    Console console{out, err};
    arguments.prepend(QStringLiteral("hexquendra-cli"));
    run.exitCode = runCli(arguments, console);
    out.flush();
    err.flush();
    return run;
}

QString q(const char* text) {
    return QString::fromUtf8(text);
}

class CliCommands : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    QString path(const char* name) const { return folder.filePath(q(name)); }
    QString writeFile(const char* name, const std::string& text) const {
        EXPECT_TRUE(writeFileReplacing(path(name).toStdString(), text).ok());
        return path(name);
    }
    QTemporaryDir folder;
};

TEST_F(CliCommands, HelpVersionAndUsageErrors) {
    CliRun help = cli({q("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"show", "apply", "check", "demo"})
        EXPECT_TRUE(help.out.contains(q(command))) << command;
    EXPECT_EQ(cli({q("--version")}).out, q("hexquendra-cli 0.41.0\n"));

    for (const char* command : {"show", "apply", "check", "demo"}) {
        CliRun commandHelp = cli({q(command), q("--help")});
        EXPECT_EQ(commandHelp.exitCode, 0) << command;
        EXPECT_TRUE(commandHelp.out.startsWith(q("Aufruf: hexquendra-cli ") + q(command))) << command;
    }

    EXPECT_EQ(cli({}).exitCode, 2);
    CliRun unknown = cli({q("frobnicate")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.startsWith(q("Unbekannter Befehl: frobnicate")));
    CliRun option = cli({q("show"), q("--colour"), q("x.hex")});
    EXPECT_EQ(option.exitCode, 2);
    EXPECT_TRUE(option.err.startsWith(q("Unbekannte Option: --colour"))) << option.err.toStdString();
    EXPECT_EQ(cli({q("show")}).exitCode, 2);
    EXPECT_EQ(cli({q("check"), q("a.hex"), q("b.hex")}).exitCode, 2);
}

TEST_F(CliCommands, ShowListsCaptionsAddressesAndColoursInColumns) {
    QString file = writeFile("relay.hex", demoFirmwareText(31, Protocol::MM));
    CliRun run = cli({q("show"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    EXPECT_TRUE(run.out.contains(q("Firmware:   Relaisdekoder 8 (Art 31)\n"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(q("Protokoll:  MM (Statusleiste: Mot)\n")));
    EXPECT_TRUE(run.out.contains(q("Version:    V 0.41\n")));
    EXPECT_TRUE(
        run.out.contains(q("Zusatzwert: Verzögerungszeit (1..255) = 20 (x 0.5 sec; höchstens 255)\n")));
    EXPECT_TRUE(run.out.contains(q("Zeile  Bezeichnung  Adresse  R/G\n"
                                   "    1  Out 1              5  grün\n"
                                   "    2  Out 2              6  grün\n"
                                   "    3  Out 3              7  rot\n")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(q("    9  All               13  rot\n")));
}

TEST_F(CliCommands, ShowOfAFunctionDecoderListsFunctionNumbers) {
    QString file = writeFile("neon.hex", demoFirmwareText(44, Protocol::DCC));
    CliRun run = cli({q("show"), file});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(q("Zeile  Bezeichnung  Adresse  Funktion\n"
                                   "    1  Ein                3         1\n"
                                   "    2  Hell-Dunkel        4         2\n")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(q("Editor:    Neon-Werte\n")));
}

TEST_F(CliCommands, ShowWithoutProtocolAndOfAnUnknownFile) {
    CliRun none = cli({q("show"), writeFile("none.hex", demoFirmwareText(21, Protocol::None))});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_TRUE(none.out.contains(q("Protokoll:  keines (Statusleiste: ohne)")));
    EXPECT_TRUE(none.out.contains(q("Ohne erkanntes Protokoll werden keine Ausgänge angezeigt.")));
    EXPECT_FALSE(none.out.contains(q("Weiche")));

    CliRun unknown = cli({q("show"), writeFile("text.hex", ":00000001FF\r\n")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.out.contains(q("Firmware:  nicht erkannt")));
    EXPECT_EQ(unknown.err, q("Das HEX-File konnte leider nicht erkannt werden\n"));
}

TEST_F(CliCommands, MissingAndOversizedFiles) {
    CliRun missing = cli({q("show"), path("nowhere.hex")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains(q("wurde nicht gefunden"))) << missing.err.toStdString();

    std::string many;
    for (int i = 0; i < 600; ++i)
        many += ":00000001FF\r\n";
    CliRun tooManyLines = cli({q("check"), writeFile("long.hex", many)});
    EXPECT_EQ(tooManyLines.exitCode, 1);
    EXPECT_TRUE(tooManyLines.err.contains(q("512"))) << tooManyLines.err.toStdString();

    CliRun tooLarge = cli({q("show"), writeFile("large.hex", std::string(kMaxFirmwareFileSize + 1, 'A'))});
    EXPECT_EQ(tooLarge.exitCode, 1);
}

TEST_F(CliCommands, CheckNamesEveryBadLine) {
    std::string text = demoFirmwareText(42, Protocol::DCC);
    EXPECT_EQ(cli({q("check"), writeFile("good.hex", text)}).exitCode, 0);

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
    CliRun run = cli({q("check"), writeFile("broken.hex", broken)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, q("Zeile 3: Prüfsumme 8F falsch, richtig wäre 8E\n"
                         "Zeile 5: Länge passt nicht zur Byte-Anzahl (42 Zeichen statt 43)\n"));
}

TEST_F(CliCommands, CheckRefusesAnUnrecognisedFirmware) {
    CliRun run = cli({q("check"), writeFile("plain.hex", ":040000008A013A280F\r\n:00000001FF\r\n")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, q("Das HEX-File konnte leider nicht erkannt werden\n"));
}

TEST_F(CliCommands, DemoChecksItsArguments) {
    EXPECT_EQ(cli({q("demo"), q("31"), q("-o"), path("a.hex")}).exitCode, 0);
    auto written = readTextFile(path("a.hex").toStdString());
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(*written, demoFirmwareText(31, Protocol::MM));

    EXPECT_EQ(
        cli({q("demo"), q("4"), q("--protocol"), q("DCC"), q("--type"), q("schalt"), q("-o"), path("b.hex")})
            .exitCode,
        0);
    EXPECT_EQ(*readTextFile(path("b.hex").toStdString()),
              demoFirmwareText(4, Protocol::DCC, DecoderType::Schalt));

    CliRun unknownKind = cli({q("demo"), q("3"), q("-o"), path("c.hex")});
    EXPECT_EQ(unknownKind.exitCode, 2);
    EXPECT_TRUE(unknownKind.err.startsWith(q("Unbekannte Firmware-Art \"3\". Bekannt sind: 19, 20, 31,")));
    EXPECT_EQ(cli({q("demo"), q("31"), q("--protocol"), q("sx"), q("-o"), path("c.hex")}).exitCode, 2);
    EXPECT_EQ(cli({q("demo"), q("31"), q("--type"), q("lok"), q("-o"), path("c.hex")}).exitCode, 2);
    EXPECT_EQ(cli({q("demo"), q("31")}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("c.hex")));

    CliRun unwritable = cli({q("demo"), q("31"), q("-o"), path("no/such/folder/d.hex")});
    EXPECT_EQ(unwritable.exitCode, 2);
    EXPECT_TRUE(unwritable.err.contains(q("konnte nicht geschrieben werden")))
        << unwritable.err.toStdString();
}

TEST_F(CliCommands, ApplyRefusalsAndTheirExitCodes) {
    QString firmware = writeFile("relay.hex", demoFirmwareText(31, Protocol::MM));
    QString out = path("out.hex");

    CliRun badJson = cli({q("apply"), firmware, writeFile("bad.json", "{ nope"), q("-o"), out});
    EXPECT_EQ(badJson.exitCode, 1);
    EXPECT_TRUE(badJson.err.startsWith(q("Einstellungen: kein gültiges JSON")));

    CliRun missingSettings = cli({q("apply"), firmware, path("none.json"), q("-o"), out});
    EXPECT_EQ(missingSettings.exitCode, 2);

    CliRun noOutput = cli({q("apply"), firmware, writeFile("ok.json", "{}")});
    EXPECT_EQ(noOutput.exitCode, 2);
    EXPECT_TRUE(noOutput.err.startsWith(q("Die Ziel-Datei fehlt (-o OUT).")));
    EXPECT_FALSE(QFile::exists(out));

    CliRun applied = cli({q("apply"), firmware, path("ok.json"), q("-o"), out});
    EXPECT_EQ(applied.exitCode, 0) << applied.err.toStdString();
    EXPECT_EQ(*readTextFile(out.toStdString()), demoFirmwareText(31, Protocol::MM));
}

} // namespace
} // namespace hq
