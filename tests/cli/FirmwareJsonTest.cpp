#include "FirmwareJson.h"
#include "demo/DemoFirmware.h"
#include "encode/ProgramTable.h"
#include "image/Checksum.h"
#include "image/Firmware.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace hq {
namespace {

Firmware demo(int kind, Protocol protocol) {
    auto firmware = loadFirmware(demoFirmwareText(kind, protocol));
    EXPECT_TRUE(firmware.ok());
    return firmware.ok() ? std::move(*firmware) : Firmware{};
}

QString q(const char* text) {
    return QString::fromUtf8(text);
}

// Settings with one output entry.
QJsonObject outputSettings(QJsonObject entry) {
    return QJsonObject{{q("outputs"), QJsonArray{entry}}};
}

QJsonObject parse(const char* json) {
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

TEST(FirmwareJson, ShowsAnAccessoryFirmware) {
    QJsonObject json = firmwareJson(demo(31, Protocol::MM));
    QJsonObject firmware = json[q("firmware")].toObject();
    EXPECT_EQ(firmware[q("kind")].toInt(), 31);
    EXPECT_EQ(firmware[q("caption")].toString(), q("Relaisdekoder 8"));
    EXPECT_EQ(firmware[q("protocol")].toString(), q("MM"));
    EXPECT_EQ(firmware[q("type")].toString(), q("Schalt"));
    EXPECT_EQ(firmware[q("hardware")].toString(), q("1"));
    EXPECT_EQ(firmware[q("version")].toString(), q("V 0.41"));
    EXPECT_EQ(firmware[q("max_address")].toInt(), 320);
    EXPECT_EQ(firmware[q("max_function")].toInt(), 4);
    EXPECT_EQ(firmware[q("panel")].toString(), q("none"));

    QJsonArray outputs = json[q("outputs")].toArray();
    ASSERT_EQ(outputs.size(), 9);
    QJsonObject first = outputs[0].toObject();
    EXPECT_EQ(first[q("row")].toInt(), 1);
    EXPECT_EQ(first[q("caption")].toString(), q("Out 1"));
    EXPECT_EQ(first[q("address")].toInt(), 5);
    EXPECT_EQ(first[q("color")].toString(), q("green"));
    EXPECT_FALSE(first.contains(q("function")));
    EXPECT_EQ(outputs[2].toObject()[q("color")].toString(), q("red"));
    EXPECT_EQ(outputs[8].toObject()[q("caption")].toString(), q("All"));

    QJsonObject extra = json[q("extra")].toObject();
    EXPECT_EQ(extra[q("caption")].toString(), q("Verzögerungszeit (1..255)"));
    EXPECT_EQ(extra[q("value")].toInt(), kDemoExtraValue);
    EXPECT_EQ(extra[q("max")].toInt(), 255);

    QJsonArray eeprom = json[q("eeprom")].toArray();
    ASSERT_EQ(eeprom.size(), 128);
    EXPECT_EQ(eeprom[127].toString(), q("FF"));
    EXPECT_FALSE(json.contains(q("program_table")));
}

TEST(FirmwareJson, ShowsAFunctionDecoderWithFunctionsAndNoExtra) {
    QJsonObject json = firmwareJson(demo(4, Protocol::DCC));
    EXPECT_EQ(json[q("firmware")].toObject()[q("type")].toString(), q("Fahrzeug"));
    EXPECT_EQ(json[q("firmware")].toObject()[q("max_address")].toInt(), 16128);
    EXPECT_TRUE(json[q("extra")].isNull());
    QJsonObject second = json[q("outputs")].toArray()[1].toObject();
    EXPECT_EQ(second[q("address")].toInt(), kDemoVehicleAddress + 1);
    EXPECT_EQ(second[q("function")].toInt(), 2);
    EXPECT_FALSE(second.contains(q("color")));
}

TEST(FirmwareJson, WithoutProtocolListsNoRows) {
    auto firmware = loadFirmware(demoFirmwareText(21, Protocol::None));
    ASSERT_TRUE(firmware.ok());
    QJsonObject json = firmwareJson(*firmware);
    EXPECT_TRUE(json[q("firmware")].toObject()[q("protocol")].isNull());
    EXPECT_TRUE(json[q("firmware")].toObject()[q("type")].isNull());
    EXPECT_TRUE(json[q("outputs")].toArray().isEmpty());
    EXPECT_EQ(json[q("firmware")].toObject()[q("caption")].toString(), q("Pelvar"));
}

TEST(FirmwareJson, ProgramTableOfTheEditorKinds) {
    for (int kind : {42, 43, 45}) {
        QJsonObject json = firmwareJson(demo(kind, Protocol::MM));
        ASSERT_EQ(json[q("program_table")].toArray().size(), 1024) << kind;
    }
    EXPECT_EQ(firmwareJson(demo(42, Protocol::MM))[q("program_table")].toArray()[512 + 101].toInt(), 10);
}

TEST(ApplySettings, ShowOutputTakenBackLeavesTheFileUnchanged) {
    for (int kind : {31, 4, 42, 43, 45, 19}) {
        Firmware firmware = demo(kind, Protocol::DCC);
        std::string before = hexImageText(firmware.image);
        Status applied = applySettings(firmware, firmwareJson(firmware));
        ASSERT_TRUE(applied.ok()) << applied.message();
        EXPECT_EQ(hexImageText(firmware.image), before) << kind;
    }
}

TEST(ApplySettings, TakesAddressesColorsFunctionsAndTheExtraValue) {
    Firmware relay = demo(31, Protocol::MM);
    QJsonObject settings = parse(R"({"outputs": [{"row": 2, "address": 17, "color": "red"},
                                                 {"row": 4, "address": "300"}],
                                     "extra": {"value": "7"}, "unknown": [1, 2]})");
    Status applied = applySettings(relay, settings);
    ASSERT_TRUE(applied.ok()) << applied.message();
    auto reloaded = loadFirmware(hexImageText(relay.image));
    ASSERT_TRUE(reloaded.ok());
    EXPECT_EQ(reloaded->parameters.rows[2].address, 17);
    EXPECT_EQ(reloaded->parameters.rows[2].redGreen, 0);
    EXPECT_EQ(reloaded->parameters.rows[4].address, 300);
    EXPECT_EQ(reloaded->parameters.rows[1].address, kDemoSwitchingAddress); // left out: kept
    EXPECT_EQ(reloaded->parameters.extraValue, 7);

    Firmware vehicle = demo(6, Protocol::DCC);
    applied = applySettings(vehicle, parse(R"({"outputs": [{"row": 3, "address": 1000, "function": 12}]})"));
    ASSERT_TRUE(applied.ok()) << applied.message();
    reloaded = loadFirmware(hexImageText(vehicle.image));
    ASSERT_TRUE(reloaded.ok());
    EXPECT_EQ(reloaded->parameters.rows[3].address, 1000);
    EXPECT_EQ(reloaded->parameters.rows[3].function, 12);
    EXPECT_EQ(reloaded->parameters.rows[3].outputCode, "A8E8C3");
}

// Each refusal keeps the firmware as it was.
void expectRefused(Firmware firmware, const QJsonObject& settings, const std::string& message) {
    const std::string before = hexImageText(firmware.image);
    const auto rowsBefore = firmware.parameters.rows;
    Status applied = applySettings(firmware, settings);
    EXPECT_FALSE(applied.ok());
    EXPECT_EQ(applied.message(), message);
    EXPECT_EQ(hexImageText(firmware.image), before);
    for (int r = 0; r < kRowCount; ++r)
        EXPECT_EQ(firmware.parameters.rows[r].redGreen, rowsBefore[r].redGreen);
}

TEST(ApplySettings, RefusesValuesWithTheMessagesOfSaving) {
    Firmware relay = demo(31, Protocol::MM);
    expectRefused(relay, outputSettings({{q("row"), 1}, {q("address"), q("abc")}}),
                  "Ungültige Eingabe für <Out 1> ");
    expectRefused(relay, outputSettings({{q("row"), 1}, {q("address"), 5.5}}),
                  "Ungültige Eingabe für <Out 1> ");
    expectRefused(relay, outputSettings({{q("row"), 3}, {q("address"), 321}}),
                  "Adresse für <Out 3> ist zu gross");
    expectRefused(relay, outputSettings({{q("row"), 9}, {q("address"), -1}}),
                  "Adresse für <All> ist zu klein");
    expectRefused(relay, outputSettings({{q("row"), 1}, {q("address"), 3e9}}),
                  "Ungültige Eingabe für <Out 1> ");
    expectRefused(relay, parse(R"({"extra": {"value": 256}})"),
                  "Wert für <Verzögerungszeit (1..255)> ist zu gross");
    // The extra value is checked before the rows, as the window does.
    expectRefused(relay, parse(R"({"extra": {"value": "x"}, "outputs": [{"row": 1, "address": "y"}]})"),
                  "Ungültige Eingabe für <Verzögerungszeit (1..255)> ");

    Firmware timeOut = demo(32, Protocol::DCC);
    expectRefused(timeOut, parse(R"({"extra": {"value": 128}})"),
                  "Wert für <Time Out (1..127)> ist zu gross");
}

TEST(ApplySettings, FunctionNumbersAreCheckedBeforeTheAddressesOfLaterRows) {
    Firmware vehicle = demo(2, Protocol::MM);
    // Row 1's address and row 2's function are both wrong: the function is reported first.
    expectRefused(vehicle, parse(R"({"outputs": [{"row": 1, "address": 999}, {"row": 2, "function": 5}]})"),
                  "Funktions-Nummer für <Blink 2> ist zu gross");
    expectRefused(vehicle, parse(R"({"outputs": [{"row": 4, "function": "f"}]})"),
                  "Ungültige Eingabe Funktion von <Blink 4> ");
    expectRefused(vehicle, parse(R"({"outputs": [{"row": 1, "address": 256}]})"),
                  "Adresse für <Blink 1> ist zu gross");
}

TEST(ApplySettings, RefusesSettingsOfTheWrongShape) {
    Firmware relay = demo(31, Protocol::MM);
    expectRefused(relay, parse(R"({"outputs": {"row": 1}})"),
                  "Einstellungen: \"outputs\" muss eine Liste sein.");
    expectRefused(relay, parse(R"({"outputs": [5]})"),
                  "Einstellungen: Eintrag 1 von \"outputs\" ist kein Objekt.");
    expectRefused(relay, parse(R"({"outputs": [{"row": 1}, {"row": 0}]})"),
                  "Einstellungen: Eintrag 2 von \"outputs\" hat keine gültige Zeile (\"row\" 1 bis 31).");
    expectRefused(relay, parse(R"({"outputs": [{"address": 4}]})"),
                  "Einstellungen: Eintrag 1 von \"outputs\" hat keine gültige Zeile (\"row\" 1 bis 31).");
    expectRefused(relay, parse(R"({"outputs": [{"row": 12, "address": 4}]})"),
                  "Einstellungen: Zeile 12 wird bei dieser Firmware nicht angezeigt.");
    expectRefused(relay, parse(R"({"outputs": [{"row": 2}, {"row": 2}]})"),
                  "Einstellungen: Zeile 2 ist in \"outputs\" mehrfach angegeben.");
    expectRefused(relay, parse(R"({"outputs": [{"row": 2, "color": "blue"}]})"),
                  "Einstellungen: \"color\" von Zeile 2 muss \"green\" oder \"red\" sein.");
    expectRefused(relay, parse(R"({"outputs": [{"row": 2, "address": [2]}]})"),
                  "Einstellungen: \"address\" von Zeile 2 muss eine Zahl oder ein Text sein.");
    expectRefused(
        relay, parse(R"({"firmware": {"kind": 42}})"),
        "Die Einstellungen gehören zu Firmware-Art 42, das HEX-File enthält Art 31 (Relaisdekoder 8).");
    expectRefused(relay, parse(R"({"extra": 7})"),
                  "Einstellungen: \"extra\" muss ein Objekt oder null sein.");

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
    expectRefused(*firmware, parse(R"({"outputs": [{"row": 1, "address": 4}]})"),
                  "Einstellungen: Zeile 1 wird bei dieser Firmware nicht angezeigt.");
}

TEST(ApplySettings, RefusesAnUnrecognisedFirmware) {
    std::string text = demoFirmwareText(31, Protocol::MM);
    text.replace(text.find(":0400000069303A2801"), 19, ":040000008A013A280F");
    auto firmware = loadFirmware(text);
    ASSERT_TRUE(firmware.ok());
    ASSERT_EQ(firmware->recognition.kind, 0);
    expectRefused(*firmware, QJsonObject{}, "Das HEX-File konnte leider nicht erkannt werden");
}

QJsonObject tableSettings(const Firmware& firmware, int index, int value) {
    QJsonArray table = firmwareJson(firmware)[q("program_table")].toArray();
    table[index] = value;
    return QJsonObject{{q("program_table"), table}};
}

TEST(ApplySettings, WritesTheServoBlocks) {
    Firmware servo = demo(42, Protocol::MM);
    ASSERT_TRUE(applySettings(servo, tableSettings(servo, 768 + 101, 42)).ok());
    ProgramTable table{};
    ASSERT_TRUE(readProgramBlock(servo.image, 4, table));
    EXPECT_EQ(table[768 + 101], 42);
    EXPECT_TRUE(badRecordLines(servo.image).empty());
}

TEST(ApplySettings, WritesBlinkBlock1WithTheShortWriter) {
    Firmware blink = demo(43, Protocol::MM);
    ASSERT_TRUE(applySettings(blink, tableSettings(blink, 53, 12)).ok());
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
    QJsonObject settings = tableSettings(led, 1023, 0x55);
    QJsonArray table = settings[q("program_table")].toArray();
    table[0] = 0x0F;
    settings[q("program_table")] = table;
    ASSERT_TRUE(applySettings(led, settings).ok());
    ProgramTable read{};
    for (int block = 1; block <= 4; ++block)
        ASSERT_TRUE(readProgramBlock(led.image, block, read));
    EXPECT_EQ(read[0], 0x0F);
    EXPECT_EQ(read[1023], 0x55);
}

TEST(ApplySettings, RefusesABadProgramTable) {
    Firmware servo = demo(42, Protocol::MM);
    expectRefused(
        servo, tableSettings(servo, 700, 256),
        "Einstellungen: \"program_table\" muss eine Liste von 1024 ganzen Zahlen von 0 bis 255 sein; "
        "Eintrag 700 (gezählt ab 0) ist es nicht.");
    expectRefused(
        servo, parse(R"({"program_table": [1, 2, 3]})"),
        "Einstellungen: \"program_table\" muss eine Liste von 1024 ganzen Zahlen von 0 bis 255 sein; "
        "sie hat 3 Einträge.");
    // A table change and a bad address: nothing of either is kept.
    QJsonObject both = tableSettings(servo, 600, 1);
    both[q("outputs")] = QJsonArray{QJsonObject{{q("row"), 1}, {q("address"), q("x")}}};
    expectRefused(servo, both, "Ungültige Eingabe für <Adresse 01> ");
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
    Status applied = applySettings(servo, tableSettings(servo, 900, 3));
    EXPECT_FALSE(applied.ok());
    EXPECT_FALSE(applied.message().empty());
    EXPECT_EQ(hexImageText(servo.image), before);
}

} // namespace
} // namespace hq
