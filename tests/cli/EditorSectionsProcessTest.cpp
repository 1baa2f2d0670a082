// hexquendra-cli run as a program on the editor sections: show --json, an edit, apply, show again.

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace hq {
namespace {

using nlohmann::json;
using test::cli;
using test::example;
using test::ProgramRun;

json showJson(const std::filesystem::path& file) {
    ProgramRun run = cli({"show", file.string(), "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return json::parse(run.out, nullptr, false);
}

class EditorSectionsProgram : public testing::Test {
protected:
    std::string writeJson(const std::string& name, const json& settings) const {
        test::writeBytes(folder / name, settings.dump(4));
        return (folder / name).string();
    }
    // show --json, the edit at `where`, apply into a new file and show --json of that file.
    json roundTrip(const std::filesystem::path& source, const json::json_pointer& where,
                   const std::function<void(json&)>& edit) {
        json shown = showJson(source);
        edit(shown[where]);
        const std::string out = (folder / ("out-" + std::to_string(++runs) + ".hex")).string();
        ProgramRun apply = cli({"apply", source.string(),
                                writeJson("edit-" + std::to_string(runs) + ".json", shown), "-o", out});
        EXPECT_EQ(apply.exitCode, 0) << apply.err;
        ProgramRun check = cli({"check", out});
        EXPECT_EQ(check.exitCode, 0) << check.err;
        return showJson(out);
    }
    test::ScratchFolder folder;
    int runs = 0;
};

TEST_F(EditorSectionsProgram, UnchangedShowOutputWritesTheSameFile) {
    for (int kind : {42, 43, 44, 45, 15}) {
        for (Protocol protocol : {Protocol::MM, Protocol::DCC}) {
            const std::filesystem::path source = example(kind, protocol);
            const std::string out = (folder / "same.hex").string();
            ProgramRun apply =
                cli({"apply", source.string(), writeJson("same.json", showJson(source)), "-o", out});
            ASSERT_EQ(apply.exitCode, 0) << apply.err;
            EXPECT_EQ(test::readBytes(out), test::readBytes(source)) << kind;
        }
    }
}

TEST_F(EditorSectionsProgram, ServoRoundTrip) {
    const std::filesystem::path source = example(42, Protocol::DCC);
    json servo = roundTrip(source, json::json_pointer("/servo/curves/1"), [](json& curve) {
                     curve["count"] = 150;
                     curve["stretch"] = 0;
                     curve["points"][0] = json{{"position", 77}, {"relay", true}};
                 }).at("servo");
    const json& curve = servo.at("curves")[1];
    EXPECT_EQ(curve.at("count"), 100);
    EXPECT_EQ(curve.at("stretch"), 1);
    EXPECT_EQ(curve.at("points").size(), 100u);
    EXPECT_EQ(curve.at("points")[0], (json{{"position", 77}, {"relay", true}}));

    servo = roundTrip(source, json::json_pointer("/servo/timings/2"), [](json& timing) {
                timing["offset"] = 20;
                timing["faktor"] = 200;
            }).at("servo");
    const json& timing = servo.at("timings")[2];
    EXPECT_EQ(timing.at("offset"), 50);
    EXPECT_EQ(timing.at("faktor"), 200);
    EXPECT_EQ(timing.at("min_ms"), "0.400");
    EXPECT_EQ(timing.at("max_ms"), "0.984"); // 50 + 127 - 54 units

    servo = roundTrip(source, json::json_pointer("/servo/assignments/6"), [](json& row) {
                row["servo"] = 2;
                row["action"] = "Start Loop";
                row["relay"] = 3;
            }).at("servo");
    const json& row = servo.at("assignments")[6];
    EXPECT_EQ(row.at("address"), 7);
    EXPECT_EQ(row.at("servo"), 2);
    EXPECT_EQ(row.at("action"), "Start Loop");
    EXPECT_EQ(row.at("relay"), 3);
}

TEST_F(EditorSectionsProgram, BlinkAndLedRoundTrip) {
    json address = roundTrip(example(43, Protocol::MM), json::json_pointer("/blink/addresses/0"),
                             [](json& entry) {
                                 entry["count"] = 99;
                                 entry["loop"] = false;
                                 entry["outputs"][3] = json{{"output", 4}, {"used", true}, {"steps", "0110"}};
                             })
                       .at("blink")
                       .at("addresses")[0];
    EXPECT_EQ(address.at("count"), 50);
    EXPECT_EQ(address.at("loop"), false);
    const json& fourth = address.at("outputs")[3];
    EXPECT_EQ(fourth.at("used"), true);
    EXPECT_EQ(fourth.at("steps").get<std::string>().substr(0, 4), "0110");
    EXPECT_EQ(fourth.at("steps").get<std::string>().size(), 50u);

    address = roundTrip(example(45, Protocol::DCC), json::json_pointer("/led/addresses/2"),
                        [](json& entry) {
                            entry["count"] = 150;
                            entry["stretch"] = 7;
                            entry["outputs"][8]["used"] = false;
                            entry["outputs"][8]["steps"] = "1";
                        })
                  .at("led")
                  .at("addresses")[2];
    EXPECT_EQ(address.at("count"), 100);
    EXPECT_EQ(address.at("stretch"), 7);
    const json& ninth = address.at("outputs")[8];
    EXPECT_EQ(ninth.at("used"), false);
    EXPECT_TRUE(ninth.at("steps").get<std::string>().starts_with('1'));
}

TEST_F(EditorSectionsProgram, NeonAndHouseRoundTrip) {
    json shown = roundTrip(example(44, Protocol::MM), json::json_pointer("/neon"), [](json& neon) {
        neon["dunkel"] = 300;
        neon["verzoegerung"] = -3;
    });
    EXPECT_EQ(shown.at("neon").at("dunkel"), 255);
    EXPECT_EQ(shown.at("neon").at("verzoegerung"), 0);
    EXPECT_EQ(shown.at("eeprom")[0x20], "00");

    // HELL 300 is taken as 255, the level the DCC demo holds already: nothing changes.
    const std::filesystem::path source = example(44, Protocol::DCC);
    const json loaded = showJson(source);
    shown = roundTrip(source, json::json_pointer("/neon"), [](json& neon) { neon["hell"] = 300; });
    EXPECT_EQ(shown.at("eeprom"), loaded.at("eeprom"));
    EXPECT_EQ(shown.at("outputs"), loaded.at("outputs"));

    shown = roundTrip(example(15, Protocol::DCC), json::json_pointer("/house"),
                      [](json& house) { house["minimum"] = 12; });
    EXPECT_EQ(shown.at("house").at("minimum"), 9);
    shown = roundTrip(example(15, Protocol::MM), json::json_pointer("/house"),
                      [](json& house) { house["minimum"] = 0; });
    EXPECT_EQ(shown.at("house").at("minimum"), 1);
}

TEST_F(EditorSectionsProgram, ARefusalExitsWithOneAndWritesNothing) {
    const struct {
        int kind;
        const char* json;
        const char* message;
    } cases[] = {
        {42, R"({"servo": {"curves": [{"curve": 1, "count": "abc"}]}})",
         "Einstellungen: \"count\" von Kurve 1 in \"servo\" muss eine ganze Zahl sein.\n"},
        {43, R"({"blink": {"addresses": [{"address": 1, "outputs": [{"output": 1, "steps": "1x"}]}]}})",
         "Einstellungen: \"steps\" von Ausgang 1 von Adresse 1 in \"blink\" darf nur 0 und 1 enthalten.\n"},
        {45, R"({"led": {"addresses": [{"address": 1, "stretch": 1.5}]}})",
         "Einstellungen: \"stretch\" von Adresse 1 in \"led\" muss eine ganze Zahl sein.\n"},
        {44, R"({"neon": {"hell": "hell"}})",
         "Einstellungen: \"hell\" von \"neon\" muss eine ganze Zahl sein.\n"},
        {15, R"({"house": {"minimum": [5]}})",
         "Einstellungen: \"minimum\" von \"house\" muss eine ganze Zahl sein.\n"},
    };
    for (const auto& refused : cases) {
        const std::filesystem::path settings = folder / "bad.json";
        test::writeBytes(settings, refused.json);
        const std::filesystem::path out = folder / "never.hex";
        ProgramRun run = cli(
            {"apply", example(refused.kind, Protocol::MM).string(), settings.string(), "-o", out.string()});
        EXPECT_EQ(run.exitCode, 1) << refused.json;
        EXPECT_EQ(run.err, refused.message);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

} // namespace
} // namespace hq
