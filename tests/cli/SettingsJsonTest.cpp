// The settings JSON library on its own: the text it writes (layout, address help, the settings
// form built from edited settings), and the text it reads (German parse errors, keys given twice,
// nesting), with every demo's settings surviving the way out and back.

#include "SettingsJson.h"
#include "JsonText.h"
#include "TestSupport.h"
#include "demo/DemoFirmware.h"

#include <gtest/gtest.h>

namespace hq {
namespace {

using nlohmann::json;
using test::demoFirmware;

Result<FirmwareSettings> taken(const Firmware& firmware, std::string_view text) {
    return settingsFromJsonText(firmware, readSettings(firmware), text);
}

TEST(JsonText, LaysOutTheTextAsEarlierVersionsDid) {
    const json value =
        json::parse(R"({"b": [], "a": {}, "list": [1, [], {"k": null}], "s": "ä\"\\\n\u0001/"})");
    EXPECT_EQ(jsonText(value), "{\n"
                               "    \"a\": {\n"
                               "    },\n"
                               "    \"b\": [\n"
                               "    ],\n"
                               "    \"list\": [\n"
                               "        1,\n"
                               "        [\n"
                               "        ],\n"
                               "        {\n"
                               "            \"k\": null\n"
                               "        }\n"
                               "    ],\n"
                               "    \"s\": \"ä\\\"\\\\\\n\\u0001/\"\n"
                               "}\n");
    // Bytes from a file that are no UTF-8 are shown as U+FFFD, so the output is always valid JSON.
    EXPECT_EQ(jsonText(json("V\xff"
                            "1")),
              "\"V\xEF\xBF\xBD"
              "1\"\n");
    EXPECT_EQ(jsonText(json("\xC3")), "\"\xEF\xBF\xBD\"\n");
}

TEST(JsonText, RefusesWithGermanMessagesAndThePosition) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"{ nope",
         "Einstellungen: kein gültiges JSON (Zeichen 4: unbekanntes Wort (erlaubt sind true, false und "
         "null); erwartet: ein Text in Anführungszeichen)."},
        // At the end of the text the position is one past its last character.
        {"{\"a\": 1",
         "Einstellungen: kein gültiges JSON (Zeichen 8: der Text endet vorzeitig; erwartet: \"}\")."},
        {"", "Einstellungen: kein gültiges JSON (Zeichen 1: der Text endet vorzeitig; erwartet: ein Wert)."},
        {"{} x",
         "Einstellungen: kein gültiges JSON (Zeichen 4: unbekanntes Wort (erlaubt sind true, false und "
         "null); nach dem JSON darf nichts mehr folgen)."},
        {"{} {}",
         "Einstellungen: kein gültiges JSON (Zeichen 4: unerwartet: \"{\"; nach dem JSON darf nichts mehr "
         "folgen)."},
        {"{\"a\" 1}",
         "Einstellungen: kein gültiges JSON (Zeichen 6: unerwartet: eine Zahl; erwartet: \":\")."},
        {"{\"a\": \"x",
         "Einstellungen: kein gültiges JSON (Zeichen 9: das schließende Anführungszeichen fehlt)."},
        {"{\"a\": 1e999}", "Einstellungen: kein gültiges JSON (Zeichen 11: Zahl außerhalb des darstellbaren "
                           "Bereichs)."},
        {"{\"a\": \"\xff\"}",
         "Einstellungen: kein gültiges JSON (Zeichen 8: der Text ist kein gültiges UTF-8)."},
    };
    for (const auto& refused : cases) {
        Result<Json> parsed = parseJsonText(refused.text);
        ASSERT_FALSE(parsed.ok()) << refused.text;
        EXPECT_EQ(parsed.message(), refused.message) << refused.text;
        EXPECT_EQ(parsed.message().find("error"), std::string::npos) << "no English text";
    }
}

// The parser takes a NUL byte for the end of the text: whatever followed it would go unread.
TEST(JsonText, OnlyWhitespaceMayFollowTheJsonNotEvenANulByte) {
    using namespace std::string_view_literals;
    for (std::string_view text : {"{}\0"sv, "{}\n\0{\"outputs\": []}"sv}) {
        Result<Json> parsed = parseJsonText(text);
        ASSERT_FALSE(parsed.ok());
        EXPECT_EQ(parsed.message(), "Einstellungen: kein gültiges JSON (Zeichen " +
                                        std::to_string(text.find('\0') + 1) +
                                        ": ein Null-Byte; nach dem JSON darf nichts mehr folgen).");
    }
    EXPECT_TRUE(parseJsonText("{} \n\t\r "sv).ok());
}

TEST(JsonText, RefusesAKeyGivenTwiceAtAnyDepthAndTooDeepNesting) {
    EXPECT_EQ(parseJsonText(R"({"kind": 42, "kind": 31})").message(),
              "Einstellungen: Der Schlüssel \"kind\" steht zweimal im selben Objekt.");
    EXPECT_EQ(parseJsonText(R"({"a": [{"b": {"c": 1, "c": 1}}]})").message(),
              "Einstellungen: Der Schlüssel \"c\" steht zweimal im selben Objekt.");
    // The same key in two objects is no repetition.
    EXPECT_TRUE(parseJsonText(R"({"a": {"k": 1}, "b": {"k": 2}, "c": [{"k": 1}, {"k": 2}]})").ok());

    EXPECT_TRUE(parseJsonText(std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']')).ok());
    Result<Json> deep =
        parseJsonText(std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']'));
    ASSERT_FALSE(deep.ok());
    EXPECT_TRUE(deep.message().starts_with("Einstellungen: kein gültiges JSON (zu tief verschachtelt"));
    EXPECT_FALSE(parseJsonText(std::string(100000, '[')).ok());
}

TEST(SettingsFromJson, RefusalsCarryTheirKindAndTheBaseStaysAsItWas) {
    const Firmware relay = demoFirmware(31, Protocol::MM);
    const FirmwareSettings base = readSettings(relay);
    for (const char* text : {"{", "[]", R"({"outputs": 3})", R"({"firmware": {"kind": 43}})",
                             R"({"firmware": {"kind": 31, "kind": 31}})"}) {
        Result<FirmwareSettings> settings = settingsFromJsonText(relay, base, text);
        ASSERT_FALSE(settings.ok()) << text;
        EXPECT_EQ(settings.kind(), ErrorKind::Refused);
    }
    EXPECT_TRUE(base == readSettings(relay));
}

TEST(SettingsFromJson, TakesRowsAsTypedAndPassesUnknownKeysAndHelpOver) {
    const Firmware relay = demoFirmware(31, Protocol::DCC);
    auto settings = taken(relay, R"({"outputs": [{"row": 1, "address": "017", "color": "red", "decoder": 99,
                                                  "port": 7, "warnings": ["x"]},
                                                 {"row": 2, "address": 5.0}],
                                     "extra": {"value": " 9"}, "later": {"x": 1}})");
    ASSERT_TRUE(settings.ok()) << settings.message();
    EXPECT_EQ(settings->rows[1].address, FieldValue::fromText("017"));
    EXPECT_EQ(settings->rows[1].redGreen, 0);
    EXPECT_EQ(settings->rows[2].address, FieldValue::fromText("5"));
    EXPECT_EQ(settings->rows[3], readSettings(relay).rows[3]);
    EXPECT_EQ(settings->extra, FieldValue::fromText(" 9"));
}

TEST(FirmwareJson, AccessoryRowsShowDecoderAndPortDccVehicleRowsTheirCvs) {
    Firmware relay = demoFirmware(31, Protocol::DCC);
    ASSERT_TRUE(test::applySettingsText(relay, R"({"outputs": [{"row": 1, "address": 0},
                                                              {"row": 2, "address": 2044}]})")
                    .ok());
    const json outputs = test::firmwareJson(relay).at("outputs");
    EXPECT_FALSE(outputs[0].contains("decoder")) << "address 0 has no decoder";
    EXPECT_FALSE(outputs[0].contains("port"));
    EXPECT_EQ(outputs[0].at("warnings"), json::array());
    EXPECT_EQ(outputs[1].at("decoder"), 511);
    EXPECT_EQ(outputs[1].at("port"), 4);
    ASSERT_EQ(outputs[1].at("warnings").size(), 1u);
    EXPECT_TRUE(outputs[1].at("warnings")[0].get<std::string>().starts_with("Dekoder 511"));
    EXPECT_EQ(outputs[2].at("decoder"), 2);
    EXPECT_EQ(outputs[2].at("port"), 3);
    EXPECT_FALSE(outputs[2].contains("cv"));

    Firmware vehicle = demoFirmware(4, Protocol::DCC);
    ASSERT_TRUE(test::applySettingsText(vehicle, R"({"outputs": [{"row": 1, "address": 456},
                                                                 {"row": 2, "address": 0}]})")
                    .ok());
    const json rows = test::firmwareJson(vehicle).at("outputs");
    EXPECT_EQ(rows[0].at("cv"), (json{{"17", 193}, {"18", 200}}));
    EXPECT_FALSE(rows[1].contains("cv"));
    EXPECT_EQ(rows[2].at("cv"), (json{{"1", kDemoVehicleAddress + 2}}));
    EXPECT_FALSE(rows[2].contains("decoder"));

    // MM vehicle addresses need no CVs.
    EXPECT_FALSE(test::firmwareJson(demoFirmware(4, Protocol::MM)).at("outputs")[0].contains("cv"));
}

// show --settings is built from the settings, which may hold edits not saved yet, and leaves out
// what a user does not set.
TEST(SettingsJson, IsBuiltFromTheSettingsWithoutHelpEepromOrProgramTable) {
    const Firmware blink = demoFirmware(43, Protocol::MM);
    FirmwareSettings settings = readSettings(blink);
    settings.rows[1].address = FieldValue::fromText("0012");
    settings.rows[2].address = FieldValue::fromText("abc");
    settings.rows[3].redGreen = 1 - settings.rows[3].redGreen;
    settings.patterns->table[53] = 9; // count of address 1
    const json shown = json::parse(settingsJsonText(blink, settings));

    EXPECT_EQ(shown.at("firmware").at("kind"), 43);
    EXPECT_FALSE(shown.contains("eeprom"));
    EXPECT_FALSE(shown.contains("program_table"));
    const json& first = shown.at("outputs")[0];
    EXPECT_EQ(first.at("address"), 12) << "a number however it was typed";
    EXPECT_FALSE(first.contains("decoder"));
    EXPECT_FALSE(first.contains("warnings"));
    EXPECT_EQ(shown.at("outputs")[1].at("address"), "abc");
    EXPECT_EQ(shown.at("outputs")[2].at("color"), settings.rows[3].redGreen == 1 ? "green" : "red");
    EXPECT_EQ(shown.at("blink").at("addresses")[0].at("count"), 9);

    // Taken back onto the file, it gives the same settings.
    auto back = taken(blink, settingsJsonText(blink, settings));
    ASSERT_TRUE(back.ok()) << back.message();
    EXPECT_TRUE(*back == settings);
}

// For every demo: the settings JSON and the whole JSON taken back change nothing, and the settings
// JSON of settings read from it is the same text.
TEST(SettingsJson, EveryDemoRoundTrips) {
    for (const KindInfo& info : kindsTable()) {
        for (Protocol protocol : {Protocol::MM, Protocol::DCC}) {
            const Firmware firmware = demoFirmware(info.kind, protocol);
            const FirmwareSettings shown = readSettings(firmware);
            const std::string text = settingsJsonText(firmware, shown);
            auto back = taken(firmware, text);
            ASSERT_TRUE(back.ok()) << info.kind << ": " << back.message();
            EXPECT_TRUE(*back == shown) << info.kind;
            EXPECT_EQ(settingsJsonText(firmware, *back), text) << info.kind;
            auto whole = taken(firmware, firmwareJsonText(firmware));
            ASSERT_TRUE(whole.ok()) << info.kind << ": " << whole.message();
            EXPECT_TRUE(*whole == shown) << info.kind;
        }
    }
}

} // namespace
} // namespace hq
