// hexquendra-cli run as a program: the files it writes, its exit codes and its stderr, with
// srec_cat and objcopy as outside readers of what it writes.

#include "TestSupport.h"
#include "image/Firmware.h"

#include <gtest/gtest.h>

namespace hq {
namespace {

using nlohmann::json;
using test::cli;
using test::example;
using test::ProgramRun;
using test::readBytes;

// Both outside readers of Intel HEX accept the file.
void expectReadableByHexTools(const std::filesystem::path& file) {
    ProgramRun srec = test::runProgram(HQ_SREC_CAT, {file.string(), "-Intel", "-o", "/dev/null", "-Intel"});
    EXPECT_EQ(srec.exitCode, 0) << file << ": " << srec.err;
    ProgramRun objcopy =
        test::runProgram(HQ_OBJCOPY, {"-I", "ihex", "-O", "ihex", file.string(), "/dev/null"});
    EXPECT_EQ(objcopy.exitCode, 0) << file << ": " << objcopy.err;
}

json showJson(const std::filesystem::path& file) {
    ProgramRun run = cli({"show", file.string(), "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return json::parse(run.out, nullptr, false);
}

class CliProgram : public testing::Test {
protected:
    std::string path(const char* name) const { return (folder / name).string(); }
    std::string writeJson(const char* name, const json& settings) const {
        test::writeBytes(folder / name, settings.dump(4));
        return path(name);
    }
    test::ScratchFolder folder;
};

// Every example the build wrote is recognised, passes check and is read by both HEX tools.
TEST_F(CliProgram, EveryExampleIsRecognisedAndChecksOut) {
    for (const KindInfo& info : kindsTable()) {
        for (Protocol protocol : {Protocol::MM, Protocol::DCC}) {
            const std::filesystem::path file = example(info.kind, protocol);
            SCOPED_TRACE(file.string());
            ASSERT_TRUE(std::filesystem::exists(file));
            json shown = showJson(file);
            const json& firmware = shown.at("firmware");
            EXPECT_EQ(firmware.at("kind"), info.kind);
            EXPECT_EQ(firmware.at("caption"), std::string{info.statusCaption});
            EXPECT_EQ(firmware.at("protocol"), std::string{protocolName(protocol)});
            EXPECT_FALSE(shown.at("outputs").empty());

            ProgramRun check = cli({"check", file.string()});
            EXPECT_EQ(check.exitCode, 0) << check.err;
            EXPECT_TRUE(check.out.starts_with("In Ordnung: "));
        }
    }
}

TEST_F(CliProgram, EditedJsonRoundTripsThroughApply) {
    const std::filesystem::path source = example(31, Protocol::DCC);
    json edited = showJson(source);
    edited["outputs"][0]["address"] = 2044;
    edited["outputs"][0]["color"] = "red";
    edited["outputs"][3]["address"] = "99";
    edited["extra"]["value"] = 200;

    const std::string out = path("edited.hex");
    ProgramRun apply = cli({"apply", source.string(), writeJson("edited.json", edited), "-o", out});
    ASSERT_EQ(apply.exitCode, 0) << apply.err;
    EXPECT_TRUE(apply.err.empty());
    expectReadableByHexTools(out);
    EXPECT_EQ(cli({"check", out}).exitCode, 0);

    json again = showJson(out);
    EXPECT_EQ(again.at("outputs")[0].at("address"), 2044);
    EXPECT_EQ(again.at("outputs")[0].at("color"), "red");
    EXPECT_EQ(again.at("outputs")[3].at("address"), 99);
    EXPECT_EQ(again.at("extra").at("value"), 200);
    // The rest is as before: the edited JSON and the new file's JSON agree everywhere else.
    edited["outputs"] = again["outputs"];
    edited["extra"] = again["extra"];
    edited["eeprom"] = again["eeprom"];
    EXPECT_EQ(again, edited);
}

TEST_F(CliProgram, UnchangedSettingsGiveTheSameFile) {
    for (int kind : {42, 43, 45, 6}) {
        const std::filesystem::path source = example(kind, Protocol::MM);
        const std::string out = path("same.hex");
        ProgramRun apply =
            cli({"apply", source.string(), writeJson("same.json", showJson(source)), "-o", out});
        ASSERT_EQ(apply.exitCode, 0) << apply.err;
        EXPECT_EQ(readBytes(out), readBytes(source)) << kind;
    }
}

TEST_F(CliProgram, ProgramTableEditsReachTheFile) {
    const std::filesystem::path source = example(43, Protocol::MM);
    json edited = showJson(source);
    edited["program_table"][64 + 53] = 33; // count of address 2
    const std::string out = path("blink.hex");
    ASSERT_EQ(cli({"apply", source.string(), writeJson("blink.json", edited), "-o", out}).exitCode, 0);
    expectReadableByHexTools(out);
    EXPECT_EQ(showJson(out).at("program_table")[64 + 53], 33);
}

TEST_F(CliProgram, ABadValueWritesNothing) {
    const std::string source = example(31, Protocol::MM).string();
    const std::string settings = writeJson("bad.json", json{{"outputs", {{{"row", 1}, {"address", "abc"}}}}});

    const std::string out = path("new.hex");
    ProgramRun refused = cli({"apply", source, settings, "-o", out});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "Ungültige Eingabe für <Out 1> \n");
    EXPECT_TRUE(refused.out.empty());
    EXPECT_FALSE(std::filesystem::exists(out));

    const std::string existing = "kept as it was\n";
    test::writeBytes(folder / "old.hex", existing);
    EXPECT_EQ(cli({"apply", source, settings, "-o", path("old.hex")}).exitCode, 1);
    EXPECT_EQ(readBytes(folder / "old.hex"), existing);
    EXPECT_EQ(folder.names().size(), 2u) << "no temporary file left";
}

TEST_F(CliProgram, DemoWritesWhatTheToolsRead) {
    const std::string out = path("demo.hex");
    ProgramRun demo = cli({"demo", "20", "--protocol", "dcc", "--type", "fahrzeug", "-o", out});
    ASSERT_EQ(demo.exitCode, 0) << demo.err;
    expectReadableByHexTools(out);
    const json firmware = showJson(out).at("firmware");
    EXPECT_EQ(firmware.at("kind"), 20);
    EXPECT_EQ(firmware.at("type"), "Fahrzeug");
}

TEST_F(CliProgram, ExitCodesOfTheProgram) {
    EXPECT_EQ(cli({"--help"}).exitCode, 0);
    EXPECT_EQ(cli({"--version"}).out, "hexquendra-cli 0.41.0\n");
    EXPECT_EQ(cli({}).exitCode, 2);
    EXPECT_EQ(cli({"show", path("missing.hex")}).exitCode, 2);
    ProgramRun umlaut = cli({"show", example(25, Protocol::MM).string()});
    EXPECT_NE(umlaut.out.find("Signal 1 grün"), std::string::npos) << "UTF-8 on stdout";
}

// A full stdout is a failure, not a success with half the output.
TEST_F(CliProgram, AFullStandardOutputIsAnError) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    ProgramRun run =
        test::runProgram("/bin/sh", {"-c", std::string{"\""} + HQ_CLI_PATH + "\" show --json \"" +
                                               example(45, Protocol::MM).string() + "\" > /dev/full"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Die Ausgabe konnte nicht vollständig geschrieben werden."), std::string::npos)
        << run.err;
}

} // namespace
} // namespace hq
