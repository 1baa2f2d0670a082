// The firmware JSON of `show --json` and settings taken back as `apply` takes them: shape, values,
// the refusals with the messages of saving, and the program tables of the editor kinds.

#include "TestSupport.h"
#include "demo/DemoFirmware.h"
#include "encode/ProgramTable.h"
#include "image/Checksum.h"
#include "image/Firmware.h"

#include <gtest/gtest.h>

namespace hq {
namespace {

using nlohmann::json;
using test::applySettingsJson;
using test::applySettingsText;
using test::demoFirmware;
using test::firmwareJson;

Firmware demo(int kind, Protocol protocol) {
    return demoFirmware(kind, protocol);
}

// Settings with one output entry.
std::string outputSettings(json entry) {
    return json{{"outputs", json::array({entry})}}.dump();
}

TEST(FirmwareJson, ShowsAnAccessoryFirmware) {
    json shown = firmwareJson(demo(31, Protocol::MM));
    const json& firmware = shown.at("firmware");
    EXPECT_EQ(firmware.at("kind"), 31);
    EXPECT_EQ(firmware.at("caption"), "Relaisdekoder 8");
    EXPECT_EQ(firmware.at("protocol"), "MM");
    EXPECT_EQ(firmware.at("type"), "Schalt");
    EXPECT_EQ(firmware.at("hardware"), "1");
    EXPECT_EQ(firmware.at("version"), "V 0.41");
    EXPECT_EQ(firmware.at("max_address"), 320);
    EXPECT_EQ(firmware.at("max_function"), 4);
    EXPECT_EQ(firmware.at("panel"), "none");

    const json& outputs = shown.at("outputs");
    ASSERT_EQ(outputs.size(), 9u);
    const json& first = outputs[0];
    EXPECT_EQ(first.at("row"), 1);
    EXPECT_EQ(first.at("caption"), "Out 1");
    EXPECT_EQ(first.at("address"), 5);
    EXPECT_EQ(first.at("color"), "green");
    EXPECT_FALSE(first.contains("function"));
    EXPECT_EQ(outputs[2].at("color"), "red");
    EXPECT_EQ(outputs[8].at("caption"), "All");

    const json& extra = shown.at("extra");
    EXPECT_EQ(extra.at("caption"), "Verzögerungszeit (1..255)");
    EXPECT_EQ(extra.at("value"), kDemoExtraValue);
    EXPECT_EQ(extra.at("max"), 255);

    const json& eeprom = shown.at("eeprom");
    ASSERT_EQ(eeprom.size(), 128u);
    EXPECT_EQ(eeprom[127], "FF");
    EXPECT_FALSE(shown.contains("program_table"));
}

TEST(FirmwareJson, ShowsAFunctionDecoderWithFunctionsAndNoExtra) {
    json shown = firmwareJson(demo(4, Protocol::DCC));
    EXPECT_EQ(shown.at("firmware").at("type"), "Fahrzeug");
    EXPECT_EQ(shown.at("firmware").at("max_address"), 16128);
    EXPECT_TRUE(shown.at("extra").is_null());
    const json& second = shown.at("outputs")[1];
    EXPECT_EQ(second.at("address"), kDemoVehicleAddress + 1);
    EXPECT_EQ(second.at("function"), 2);
    EXPECT_FALSE(second.contains("color"));
}

TEST(FirmwareJson, WithoutProtocolListsNoRows) {
    auto firmware = loadFirmware(demoFirmwareText(21, Protocol::None));
    ASSERT_TRUE(firmware.ok());
    json shown = firmwareJson(*firmware);
    EXPECT_TRUE(shown.at("firmware").at("protocol").is_null());
    EXPECT_TRUE(shown.at("firmware").at("type").is_null());
    EXPECT_TRUE(shown.at("outputs").empty());
    EXPECT_EQ(shown.at("firmware").at("caption"), "Pelvar");
}

TEST(FirmwareJson, ProgramTableOfTheEditorKinds) {
    for (int kind : {42, 43, 45}) {
        json shown = firmwareJson(demo(kind, Protocol::MM));
        ASSERT_EQ(shown.at("program_table").size(), 1024u) << kind;
    }
    EXPECT_EQ(firmwareJson(demo(42, Protocol::MM)).at("program_table")[512 + 101], 10);
}

TEST(ApplySettings, ShowOutputTakenBackLeavesTheFileUnchanged) {
    for (int kind : {31, 4, 42, 43, 45, 19}) {
        Firmware firmware = demo(kind, Protocol::DCC);
        std::string before = hexImageText(firmware.image);
        Status applied = applySettingsJson(firmware, firmwareJson(firmware));
        ASSERT_TRUE(applied.ok()) << applied.message();
        EXPECT_EQ(hexImageText(firmware.image), before) << kind;
    }
}

TEST(ApplySettings, TakesAddressesColorsFunctionsAndTheExtraValue) {
    Firmware relay = demo(31, Protocol::MM);
    Status applied = applySettingsText(relay, R"({"outputs": [{"row": 2, "address": 17, "color": "red"},
                                                              {"row": 4, "address": "300"}],
                                                  "extra": {"value": "7"}, "unknown": [1, 2]})");
    ASSERT_TRUE(applied.ok()) << applied.message();
    auto reloaded = loadFirmware(hexImageText(relay.image));
    ASSERT_TRUE(reloaded.ok());
    EXPECT_EQ(reloaded->parameters.rows[2].address, 17);
    EXPECT_EQ(reloaded->parameters.rows[2].redGreen, 0);
    EXPECT_EQ(reloaded->parameters.rows[4].address, 300);
    EXPECT_EQ(reloaded->parameters.rows[1].address, kDemoSwitchingAddress); // left out: kept
    EXPECT_EQ(reloaded->parameters.extraValue, 7);

    Firmware vehicle = demo(6, Protocol::DCC);
    applied = applySettingsText(vehicle, R"({"outputs": [{"row": 3, "address": 1000, "function": 12}]})");
    ASSERT_TRUE(applied.ok()) << applied.message();
    reloaded = loadFirmware(hexImageText(vehicle.image));
    ASSERT_TRUE(reloaded.ok());
    EXPECT_EQ(reloaded->parameters.rows[3].address, 1000);
    EXPECT_EQ(reloaded->parameters.rows[3].function, 12);
    EXPECT_EQ(reloaded->parameters.rows[3].outputCode, "A8E8C3");
}

// Each refusal keeps the firmware as it was.
void expectRefused(Firmware firmware, std::string_view settings, const std::string& message) {
    const std::string before = hexImageText(firmware.image);
    const auto rowsBefore = firmware.parameters.rows;
    Status applied = applySettingsText(firmware, settings);
    EXPECT_FALSE(applied.ok()) << settings;
    EXPECT_EQ(applied.message(), message);
    EXPECT_EQ(hexImageText(firmware.image), before);
    for (int r = 0; r < kRowCount; ++r)
        EXPECT_EQ(firmware.parameters.rows[r].redGreen, rowsBefore[r].redGreen);
}

TEST(ApplySettings, RefusesValuesWithTheMessagesOfSaving) {
    Firmware relay = demo(31, Protocol::MM);
    expectRefused(relay, outputSettings({{"row", 1}, {"address", "abc"}}), "Ungültige Eingabe für <Out 1> ");
    expectRefused(relay, outputSettings({{"row", 1}, {"address", 5.5}}), "Ungültige Eingabe für <Out 1> ");
    expectRefused(relay, outputSettings({{"row", 3}, {"address", 321}}), "Adresse für <Out 3> ist zu gross");
    expectRefused(relay, outputSettings({{"row", 9}, {"address", -1}}), "Adresse für <All> ist zu klein");
    expectRefused(relay, outputSettings({{"row", 1}, {"address", 3e9}}), "Ungültige Eingabe für <Out 1> ");
    expectRefused(relay, R"({"extra": {"value": 256}})", "Wert für <Verzögerungszeit (1..255)> ist zu gross");
    // The extra value is checked before the rows, as the window does.
    expectRefused(relay, R"({"extra": {"value": "x"}, "outputs": [{"row": 1, "address": "y"}]})",
                  "Ungültige Eingabe für <Verzögerungszeit (1..255)> ");

    Firmware timeOut = demo(32, Protocol::DCC);
    expectRefused(timeOut, R"({"extra": {"value": 128}})", "Wert für <Time Out (1..127)> ist zu gross");
}

TEST(ApplySettings, FunctionNumbersAreCheckedBeforeTheAddressesOfLaterRows) {
    Firmware vehicle = demo(2, Protocol::MM);
    // Row 1's address and row 2's function are both wrong: the function is reported first.
    expectRefused(vehicle, R"({"outputs": [{"row": 1, "address": 999}, {"row": 2, "function": 5}]})",
                  "Funktions-Nummer für <Blink 2> ist zu gross");
    expectRefused(vehicle, R"({"outputs": [{"row": 4, "function": "f"}]})",
                  "Ungültige Eingabe Funktion von <Blink 4> ");
    expectRefused(vehicle, R"({"outputs": [{"row": 1, "address": 256}]})",
                  "Adresse für <Blink 1> ist zu gross");
    // Function 0 typed over a valid function.
    expectRefused(vehicle, R"({"outputs": [{"row": 3, "function": 0}]})",
                  "Funktions-Nummer für <Blink 3> ist zu klein");
}

TEST(ApplySettings, RefusesSettingsOfTheWrongShape) {
    Firmware relay = demo(31, Protocol::MM);
    expectRefused(relay, R"({"outputs": {"row": 1}})", "Einstellungen: \"outputs\" muss eine Liste sein.");
    expectRefused(relay, R"({"outputs": [5]})", "Einstellungen: Eintrag 1 von \"outputs\" ist kein Objekt.");
    expectRefused(relay, R"({"outputs": [{"row": 1}, {"row": 0}]})",
                  "Einstellungen: Eintrag 2 von \"outputs\" hat keine gültige Zeile (\"row\" 1 bis 31).");
    expectRefused(relay, R"({"outputs": [{"address": 4}]})",
                  "Einstellungen: Eintrag 1 von \"outputs\" hat keine gültige Zeile (\"row\" 1 bis 31).");
    expectRefused(relay, R"({"outputs": [{"row": 12, "address": 4}]})",
                  "Einstellungen: Zeile 12 wird bei dieser Firmware nicht angezeigt.");
    expectRefused(relay, R"({"outputs": [{"row": 2}, {"row": 2}]})",
                  "Einstellungen: Zeile 2 ist in \"outputs\" mehrfach angegeben.");
    expectRefused(relay, R"({"outputs": [{"row": 2, "color": "blue"}]})",
                  "Einstellungen: \"color\" von Zeile 2 muss \"green\" oder \"red\" sein.");
    expectRefused(relay, R"({"outputs": [{"row": 2, "address": [2]}]})",
                  "Einstellungen: \"address\" von Zeile 2 muss eine Zahl oder ein Text sein.");
    expectRefused(
        relay, R"({"firmware": {"kind": 42}})",
        "Die Einstellungen gehören zu Firmware-Art 42, das HEX-File enthält Art 31 (Relaisdekoder 8).");
    expectRefused(relay, R"({"extra": 7})", "Einstellungen: \"extra\" muss ein Objekt oder null sein.");

    Status text = applySettingsText(relay, "{\"outputs\": [");
    EXPECT_FALSE(text.ok());
    EXPECT_TRUE(text.message().starts_with("Einstellungen: kein gültiges JSON")) << text.message();
    text = applySettingsText(relay, "[1, 2]");
    EXPECT_EQ(text.message(), "Einstellungen: Das JSON muss ein Objekt { ... } sein.");
    // A byte-order mark before the JSON is passed over.
    text = applySettingsText(relay, "\xEF\xBB\xBF{\"extra\": {\"value\": 9}}");
    EXPECT_TRUE(text.ok()) << text.message();
    EXPECT_EQ(relay.parameters.extraValue, 9);
}

TEST(ApplySettings, WithoutProtocolNoRowCanBeSet) {
    auto firmware = loadFirmware(demoFirmwareText(21, Protocol::None));
    ASSERT_TRUE(firmware.ok());
    expectRefused(*firmware, R"({"outputs": [{"row": 1, "address": 4}]})",
                  "Einstellungen: Zeile 1 wird bei dieser Firmware nicht angezeigt.");
}

TEST(ApplySettings, RefusesAnUnrecognisedFirmware) {
    std::string text = demoFirmwareText(31, Protocol::MM);
    text.replace(text.find(":0400000069303A2801"), 19, ":040000008A013A280F");
    auto firmware = loadFirmware(text);
    ASSERT_TRUE(firmware.ok());
    ASSERT_EQ(firmware->recognition.kind, 0);
    expectRefused(*firmware, "{}", "Das HEX-File konnte leider nicht erkannt werden");
}

json tableSettings(const Firmware& firmware, int index, int value) {
    json table = firmwareJson(firmware).at("program_table");
    table[static_cast<std::size_t>(index)] = value;
    return json{{"program_table", table}};
}

TEST(ApplySettings, WritesTheServoBlocks) {
    Firmware servo = demo(42, Protocol::MM);
    ASSERT_TRUE(applySettingsJson(servo, tableSettings(servo, 768 + 101, 42)).ok());
    ProgramTable table{};
    ASSERT_TRUE(readProgramBlock(servo.image, 4, table));
    EXPECT_EQ(table[768 + 101], 42);
    EXPECT_TRUE(badRecordLines(servo.image).empty());
}

TEST(ApplySettings, WritesBlinkBlock1WithTheShortWriter) {
    Firmware blink = demo(43, Protocol::MM);
    ASSERT_TRUE(applySettingsJson(blink, tableSettings(blink, 53, 12)).ok());
    ProgramTable table{};
    ASSERT_TRUE(readProgramBlock(blink.image, 1, table));
    EXPECT_EQ(table[53], 12);
    EXPECT_TRUE(badRecordLines(blink.image).empty());
    int shortRecords = 0;
    for (int i = 0; i < blink.image.lineCount; ++i)
        shortRecords += blink.image.lines[static_cast<std::size_t>(i)].starts_with(":0E07F000");
    EXPECT_EQ(shortRecords, 1);
}

TEST(ApplySettings, WritesAllFourLedBlocks) {
    Firmware led = demo(45, Protocol::DCC);
    json settings = tableSettings(led, 1023, 0x55);
    settings["program_table"][0] = 0x0F;
    ASSERT_TRUE(applySettingsJson(led, settings).ok());
    ProgramTable read{};
    for (int block = 1; block <= 4; ++block)
        ASSERT_TRUE(readProgramBlock(led.image, block, read));
    EXPECT_EQ(read[0], 0x0F);
    EXPECT_EQ(read[1023], 0x55);
}

TEST(ApplySettings, RefusesABadProgramTable) {
    Firmware servo = demo(42, Protocol::MM);
    expectRefused(
        servo, tableSettings(servo, 700, 256).dump(),
        "Einstellungen: \"program_table\" muss eine Liste von 1024 ganzen Zahlen von 0 bis 255 sein; "
        "Eintrag 700 (gezählt ab 0) ist es nicht.");
    expectRefused(
        servo, R"({"program_table": [1, 2, 3]})",
        "Einstellungen: \"program_table\" muss eine Liste von 1024 ganzen Zahlen von 0 bis 255 sein; "
        "sie hat 3 Einträge.");
    // A table change and a bad address: nothing of either is kept.
    json both = tableSettings(servo, 600, 1);
    both["outputs"] = json::array({json{{"row", 1}, {"address", "x"}}});
    expectRefused(servo, both.dump(), "Ungültige Eingabe für <Adresse 01> ");
}

TEST(ApplySettings, ATableWriteFailureRefusesWithItsMessage) {
    Firmware servo = demo(42, Protocol::MM);
    // A record of block 4 moved to another address: the block's lines are no longer in order.
    HexImage& image = servo.image;
    int line = 0;
    while (!image.lines[static_cast<std::size_t>(line)].starts_with(":100C5000"))
        ++line;
    image.lines[static_cast<std::size_t>(line)] = *completeRecord(":100C6100" + std::string(32, '0'));
    const std::string before = hexImageText(image);
    Status applied = applySettingsJson(servo, tableSettings(servo, 900, 3));
    EXPECT_FALSE(applied.ok());
    EXPECT_FALSE(applied.message().empty());
    EXPECT_EQ(hexImageText(servo.image), before);
}

} // namespace
} // namespace hq
