// The editor sections of the firmware JSON: "servo", "blink", "led", "neon" and "house" shown and
// taken back as the editors take their values.

#include "SettingsJson.h"
#include "TestSupport.h"
#include "demo/DemoFirmware.h"
#include "encode/ProgramTable.h"
#include "image/Firmware.h"
#include "light/NeonValues.h"
#include "light/PatternBank.h"
#include "servo/ServoAssignment.h"
#include "servo/ServoWorkingCopy.h"

#include <gtest/gtest.h>

namespace hq {
namespace {

using nlohmann::json;
using test::applySettingsJson;
using test::applySettingsText;
using test::firmwareJson;

Firmware demo(int kind, Protocol protocol = Protocol::MM) {
    return test::demoFirmware(kind, protocol);
}

// Applies and reloads the written file, as the next "HEX laden" would see it.
Firmware appliedAndReloaded(Firmware firmware, const json& settings) {
    Status applied = applySettingsJson(firmware, settings);
    EXPECT_TRUE(applied.ok()) << applied.message();
    EXPECT_TRUE(badRecordLines(firmware.image).empty());
    auto reloaded = loadFirmware(hexImageText(firmware.image));
    EXPECT_TRUE(reloaded.ok());
    return reloaded.ok() ? std::move(*reloaded) : Firmware{};
}

Firmware appliedAndReloaded(Firmware firmware, const char* settings) {
    return appliedAndReloaded(std::move(firmware), json::parse(settings));
}

ServoWorkingCopy servoOf(const Firmware& firmware) {
    return loadServoWorkingCopy(firmware.image, firmware.eeprom());
}

PatternBank patternsOf(const Firmware& firmware, const PatternLayout& layout) {
    PatternBank bank(layout);
    EXPECT_TRUE(bank.read(firmware.image));
    return bank;
}

void expectRefused(Firmware firmware, const char* settings, const std::string& message) {
    const std::string before = hexImageText(firmware.image);
    Status applied = applySettingsText(firmware, settings);
    EXPECT_FALSE(applied.ok()) << settings;
    EXPECT_EQ(applied.message(), message);
    EXPECT_EQ(hexImageText(firmware.image), before);
}

TEST(EditorSections, ShownOnlyForTheirKind) {
    const struct {
        int kind;
        const char* key;
    } kinds[] = {{42, "servo"}, {43, "blink"}, {45, "led"}, {44, "neon"}, {15, "house"}, {31, nullptr}};
    for (const auto& expected : kinds) {
        json shown = firmwareJson(demo(expected.kind));
        for (const char* key : {"servo", "blink", "led", "neon", "house"}) {
            const bool wanted = expected.key && std::string_view(key) == expected.key;
            EXPECT_EQ(shown.contains(key), wanted) << expected.kind << " " << key;
        }
    }
}

TEST(EditorSections, ServoShowsCurvesAssignmentsAndTimings) {
    const Firmware firmware = demo(42);
    const ServoWorkingCopy copy = servoOf(firmware);
    json servo = firmwareJson(firmware).at("servo");

    const json& curves = servo.at("curves");
    ASSERT_EQ(curves.size(), 4u);
    for (int n = 1; n <= 4; ++n) {
        const json& curve = curves[static_cast<std::size_t>(n - 1)];
        const CurveBlock& block = copy.data.curve(n);
        EXPECT_EQ(curve.at("curve"), n);
        EXPECT_EQ(curve.at("count"), block[kCurveCountEntry]);
        EXPECT_EQ(curve.at("stretch"), block[kCurveStretchEntry]);
        const json& points = curve.at("points");
        ASSERT_EQ(points.size(), static_cast<std::size_t>(clampedPointCount(block)));
        for (std::size_t i = 0; i < points.size(); ++i) {
            const int entry = block[i];
            EXPECT_EQ(points[i].at("position"), entry & 0x7F);
            EXPECT_EQ(points[i].at("relay"), (entry & 0x80) != 0);
        }
        const json& flags = curve.at("flags");
        const int flagByte = block[kCurveFlagEntry];
        EXPECT_EQ(flags.at("spannung_aus"), (flagByte & 0x02) != 0);
        EXPECT_EQ(flags.at("impulse_aus"), (flagByte & 0x04) != 0);
        EXPECT_EQ(flags.at("keine_unterbrechung"), (flagByte & 0x40) != 0);
        EXPECT_EQ(flags.at("keine_wiederholung"), (flagByte & 0x80) != 0);
    }

    const json& assignments = servo.at("assignments");
    ASSERT_EQ(assignments.size(), 8u);
    for (int row = 1; row <= 8; ++row) {
        const json& shown = assignments[static_cast<std::size_t>(row - 1)];
        const AssignmentRow bytes = assignmentRow(copy.data, row);
        EXPECT_EQ(shown.at("address"), row);
        EXPECT_EQ(shown.at("servo"), comboItem(servoBitIndex(bytes.servoAction)) + 1);
        EXPECT_EQ(shown.at("action"),
                  std::string{kActionNames[static_cast<std::size_t>(actionBitIndex(bytes.servoAction))]});
        EXPECT_EQ(shown.at("curve"), comboItem(curveBitIndex(bytes.curveRelay)) + 1);
        EXPECT_EQ(shown.at("relay"), comboItem(relayBitIndex(bytes.curveRelay)) + 1);
    }

    const json& timings = servo.at("timings");
    ASSERT_EQ(timings.size(), 4u);
    const json& first = timings[0];
    EXPECT_EQ(first.at("servo"), 1);
    EXPECT_EQ(first.at("offset"), 125);
    EXPECT_EQ(first.at("faktor"), 0);
    EXPECT_EQ(first.at("min_ms"), "1.000");
    EXPECT_EQ(first.at("max_ms"), "2.016");
}

// A byte that selects no combo-box item shows null, and null on apply keeps the byte.
TEST(EditorSections, ServoAssignmentWithoutItemIsNullAndKept) {
    Firmware firmware = demo(42);
    ServoWorkingCopy copy = servoOf(firmware);
    setAssignmentRow(copy.data, 2, AssignmentRow{0x80, 0x00}); // neither a servo nor an action item
    ASSERT_TRUE(storeServoWorkingCopy(copy, firmware.image, firmware.eeprom()).ok());

    json row = firmwareJson(firmware).at("servo").at("assignments")[1];
    EXPECT_TRUE(row.at("servo").is_null()); // lowest set bit 7
    EXPECT_TRUE(row.at("action").is_null());
    EXPECT_EQ(row.at("curve"), 1); // no bit set reads as the first item, as the combo box shows
    EXPECT_EQ(row.at("relay"), 1);

    const std::string before = hexImageText(firmware.image);
    Firmware same = appliedAndReloaded(firmware, firmwareJson(firmware));
    EXPECT_EQ(hexImageText(same.image), before);

    Firmware chosen = appliedAndReloaded(
        firmware, R"({"servo": {"assignments": [{"address": 2, "action": "Start Loop", "curve": 3}]}})");
    EXPECT_EQ(assignmentRow(servoOf(chosen).data, 2).servoAction, 0x10);
    EXPECT_EQ(assignmentRow(servoOf(chosen).data, 2).curveRelay, 0x40);
}

TEST(EditorSections, ServoValuesAreClampedAsTheEditorClamps) {
    Firmware written = appliedAndReloaded(demo(42), R"({"servo": {
        "curves": [{"curve": 1, "count": 150, "stretch": 0},
                   {"curve": 2, "count": -5, "stretch": 900},
                   {"curve": 3, "count": 3,
                    "points": [{"position": 200, "relay": true}, {"position": -4}, null,
                               {"position": 99, "relay": true}]}],
        "timings": [{"servo": 1, "offset": 20, "faktor": 300},
                    {"servo": 2, "offset": 999, "faktor": -1, "min_ms": "ignored"}]}})");
    const ServoWorkingCopy copy = servoOf(written);
    EXPECT_EQ(copy.data.curve(1)[kCurveCountEntry], 100);
    EXPECT_EQ(copy.data.curve(1)[kCurveStretchEntry], 1);
    EXPECT_EQ(copy.data.curve(2)[kCurveCountEntry], 1);
    EXPECT_EQ(copy.data.curve(2)[kCurveStretchEntry], 200);

    const CurveBlock before = servoOf(demo(42)).data.curve(3);
    const CurveBlock& curve = copy.data.curve(3);
    EXPECT_EQ(curve[kCurveCountEntry], 3);
    EXPECT_EQ(curve[0], 0x80 | 127);
    EXPECT_EQ(curve[1], before[1] & 0x80); // position 0, relay kept
    EXPECT_EQ(curve[2], before[2]);        // null: kept
    EXPECT_EQ(curve[3], before[3]);        // past the count: cut off

    EXPECT_EQ(copy.timing.offset(1), 50);
    EXPECT_EQ(copy.timing.faktor(1), 255);
    EXPECT_EQ(copy.timing.offset(2), 255);
    EXPECT_EQ(copy.timing.faktor(2), 0);
    EXPECT_EQ(copy.timing.offset(3), 125); // left out: kept
    EXPECT_EQ(written.eeprom().bytes[96], "32");
    EXPECT_EQ(written.eeprom().bytes[97], "FF");
}

TEST(EditorSections, ServoFlagsAndAssignmentsKeepTheOtherBits) {
    Firmware firmware = demo(42);
    ServoWorkingCopy copy = servoOf(firmware);
    copy.data.curve(2)[kCurveFlagEntry] = 0x02 | 0x01 | 0x08; // bits 0 and 3 are no flags
    ASSERT_TRUE(storeServoWorkingCopy(copy, firmware.image, firmware.eeprom()).ok());

    Firmware written = appliedAndReloaded(firmware, R"({"servo": {
        "curves": [{"curve": 2, "flags": {"spannung_aus": false, "keine_wiederholung": true}}],
        "assignments": [{"address": 5, "servo": 3, "action": "Beenden", "curve": 2, "relay": 4},
                        {"address": 8, "servo": null, "action": null}]}})");
    const ServoWorkingCopy after = servoOf(written);
    EXPECT_EQ(after.data.curve(2)[kCurveFlagEntry], 0x80 | 0x01 | 0x08);
    EXPECT_EQ(assignmentRow(after.data, 5).servoAction, 0x40 | 0x04);
    EXPECT_EQ(assignmentRow(after.data, 5).curveRelay, 0x20 | 0x08);
    EXPECT_EQ(assignmentRow(after.data, 8).servoAction, assignmentRow(copy.data, 8).servoAction);
    EXPECT_EQ(after.data.curve(3), copy.data.curve(3)); // rows a3 and a7 untouched
}

TEST(EditorSections, ServoRefusals) {
    const Firmware servo = demo(42);
    expectRefused(servo, R"({"servo": {"curves": [{"curve": 1, "count": "abc"}]}})",
                  "Einstellungen: \"count\" von Kurve 1 in \"servo\" muss eine ganze Zahl sein.");
    expectRefused(servo, R"({"servo": {"curves": [{"curve": 2, "stretch": 2.5}]}})",
                  "Einstellungen: \"stretch\" von Kurve 2 in \"servo\" muss eine ganze Zahl sein.");
    expectRefused(servo, R"({"servo": {"curves": [{"curve": 5}]}})",
                  "Einstellungen: Eintrag 1 von \"curves\" von \"servo\" hat keine gültige Nummer "
                  "(\"curve\" von 1 bis 4).");
    expectRefused(servo, R"({"servo": {"curves": [{"curve": 1, "points": [{}, {"relay": 1}]}]}})",
                  "Einstellungen: \"relay\" von Punkt 1 (gezählt ab 0) von Kurve 1 in \"servo\" muss true "
                  "oder false sein.");
    expectRefused(servo, R"({"servo": {"curves": [{"curve": 1, "flags": {"impulse_aus": "ja"}}]}})",
                  "Einstellungen: \"impulse_aus\" von \"flags\" von Kurve 1 in \"servo\" muss true oder "
                  "false sein.");
    expectRefused(servo, R"({"servo": {"assignments": [{"address": 1, "relay": 5}]}})",
                  "Einstellungen: \"relay\" von Zeile a1 in \"servo\" muss 1 bis 4 oder null sein.");
    expectRefused(servo, R"({"servo": {"assignments": [{"address": 1, "action": "Stop"}]}})",
                  "Einstellungen: \"action\" von Zeile a1 in \"servo\" muss \"Start\", \"Start Loop\", "
                  "\"Abbruch\", \"Beenden\" oder null sein.");
    expectRefused(servo, R"({"servo": {"timings": [{"servo": 1}, {"servo": 1}]}})",
                  "Einstellungen: \"servo\" 1 ist in \"timings\" von \"servo\" mehrfach angegeben.");
    expectRefused(servo, R"({"servo": {"timings": {"servo": 1}}})",
                  "Einstellungen: \"timings\" von \"servo\" muss eine Liste sein.");
    expectRefused(servo, R"({"servo": [1]})", "Einstellungen: \"servo\" muss ein Objekt oder null sein.");
    // A later bad value refuses the earlier good ones too.
    expectRefused(servo, R"({"servo": {"curves": [{"curve": 1, "count": 20}]},
                            "outputs": [{"row": 1, "address": "x"}]})",
                  "Ungültige Eingabe für <Adresse 01> ");
}

// The whole show output goes back in: an edited program table is not undone by the unchanged
// section beside it, and where both change the same byte the section wins.
TEST(EditorSections, ProgramTableAndSectionInOneShowOutput) {
    const Firmware loaded = demo(42);
    json shown = firmwareJson(loaded);
    shown["program_table"][512 + 101] = 20; // count of curve 1
    shown["program_table"][640 + 102] = 33; // stretch of curve 2
    shown["servo"]["curves"][1]["stretch"] = 44;

    const ServoWorkingCopy copy = servoOf(appliedAndReloaded(loaded, shown));
    EXPECT_EQ(copy.data.curve(1)[kCurveCountEntry], 20);
    EXPECT_EQ(copy.data.curve(2)[kCurveStretchEntry], 44);

    json blink = firmwareJson(demo(43));
    blink["program_table"][64 + 53] = 33;
    EXPECT_EQ(patternsOf(appliedAndReloaded(demo(43), blink), kBlinkLayout).count(2), 33);
}

TEST(EditorSections, BlinkShowsStepsPerOutput) {
    const Firmware firmware = demo(43);
    const PatternBank bank = patternsOf(firmware, kBlinkLayout);
    const json addresses = firmwareJson(firmware).at("blink").at("addresses");
    ASSERT_EQ(addresses.size(), 4u);
    for (int a = 1; a <= 4; ++a) {
        const json& address = addresses[static_cast<std::size_t>(a - 1)];
        EXPECT_EQ(address.at("address"), a);
        EXPECT_EQ(address.at("count"), bank.count(a));
        EXPECT_EQ(address.at("stretch"), bank.stretch(a));
        EXPECT_EQ(address.at("loop"), bank.loop(a));
        const json& outputs = address.at("outputs");
        ASSERT_EQ(outputs.size(), 4u);
        for (int o = 1; o <= 4; ++o) {
            const json& output = outputs[static_cast<std::size_t>(o - 1)];
            EXPECT_EQ(output.at("output"), o);
            EXPECT_EQ(output.at("used"), bank.outputUsed(a, o));
            EXPECT_EQ(output.at("steps"), bank.stepsText(a, o));
            EXPECT_EQ(output.at("steps").get<std::string>().size(), static_cast<std::size_t>(bank.count(a)));
        }
    }
}

TEST(EditorSections, BlinkTakesCountStepsAndFlagsAsTheEditor) {
    const Firmware loaded = demo(43);
    const PatternBank before = patternsOf(loaded, kBlinkLayout);
    PatternBank wide = before; // the stored steps past the counts
    wide.setCount(1, 50);
    Firmware written = appliedAndReloaded(loaded, R"({"blink": {"addresses": [
        {"address": 1, "count": 99, "stretch": 0, "loop": false,
         "outputs": [{"output": 3, "used": true, "steps": "0111"}]},
        {"address": 2, "count": 4,
         "outputs": [{"output": 1, "steps": "1111111111"}, {"output": 2, "used": false}]},
        {"address": 3, "count": 0}]}})");
    const PatternBank bank = patternsOf(written, kBlinkLayout);

    EXPECT_EQ(bank.count(1), 50);
    EXPECT_EQ(bank.stretch(1), 1);
    EXPECT_FALSE(bank.loop(1));
    EXPECT_TRUE(bank.outputUsed(1, 3));
    // A shorter text leaves the later steps.
    EXPECT_EQ(bank.stepsText(1, 3).substr(0, 4), "0111");
    EXPECT_EQ(bank.stepsText(1, 3).substr(4), wide.stepsText(1, 3).substr(4));

    // A longer text is cut at the count; bits 4..7 of the step bytes stay.
    EXPECT_EQ(bank.stepsText(2, 1), "1111");
    EXPECT_FALSE(bank.outputUsed(2, 2));
    EXPECT_EQ(bank.stepsText(2, 2), before.stepsText(2, 2).substr(0, 4)); // steps of an unused output stay
    EXPECT_EQ(bank.table()[64 + 4], before.table()[64 + 4]);              // past the new count: untouched
    EXPECT_EQ(bank.count(3), 1);
    EXPECT_EQ(bank.table()[192 + 53], before.table()[192 + 53]); // address 4 left out

    int shortRecords = 0;
    for (int i = 0; i < written.image.lineCount; ++i)
        shortRecords += written.image.lines[static_cast<std::size_t>(i)].starts_with(":0E07F000");
    EXPECT_EQ(shortRecords, 1); // block 1 written by the short writer, as "Übernehmen" does
}

TEST(EditorSections, LedTakesItsTenOutputsAndLongerPatterns) {
    const Firmware loaded = demo(45, Protocol::DCC);
    const PatternBank before = patternsOf(loaded, kLedLayout);
    PatternBank wide = before; // the stored steps past the counts
    wide.setCount(4, 100);
    Firmware written = appliedAndReloaded(loaded, R"({"led": {"addresses": [
        {"address": 4, "count": 150, "stretch": 250,
         "outputs": [{"output": 7, "used": false, "steps": "101"}, {"output": 10, "steps": "011"},
                     {"output": 1, "steps": "1"}]}]}})");
    const PatternBank bank = patternsOf(written, kLedLayout);
    EXPECT_EQ(bank.count(4), 100);
    EXPECT_EQ(bank.stretch(4), 200);
    EXPECT_FALSE(bank.outputUsed(4, 7));
    EXPECT_EQ(bank.table()[768 + 103] & 0x04, 0);
    EXPECT_EQ(bank.table()[768 + 128] & 0x04, 0x04); // output 7, step 0
    EXPECT_EQ(bank.table()[768 + 129] & 0x04, 0);
    EXPECT_EQ(bank.table()[768 + 130] & 0x04, 0x04);
    EXPECT_EQ(bank.stepsText(4, 10).substr(0, 3), "011");
    EXPECT_TRUE(bank.step(4, 1, 0));
    EXPECT_EQ(bank.stepsText(4, 2), wide.stepsText(4, 2));
    for (int a = 1; a <= 3; ++a)
        EXPECT_EQ(bank.stepsText(a, 5), before.stepsText(a, 5));
}

TEST(EditorSections, PatternRefusals) {
    const Firmware blink = demo(43);
    expectRefused(blink, R"({"blink": {"addresses": [{"address": 1, "count": "abc"}]}})",
                  "Einstellungen: \"count\" von Adresse 1 in \"blink\" muss eine ganze Zahl sein.");
    expectRefused(
        blink, R"({"blink": {"addresses": [{"address": 2, "outputs": [{"output": 4, "steps": "10 1"}]}]}})",
        "Einstellungen: \"steps\" von Ausgang 4 von Adresse 2 in \"blink\" darf nur 0 und 1 enthalten.");
    expectRefused(blink, R"({"blink": {"addresses": [{"address": 1, "outputs": [{"output": 5}]}]}})",
                  "Einstellungen: Eintrag 1 von \"outputs\" von Adresse 1 in \"blink\" hat keine gültige "
                  "Nummer (\"output\" von 1 bis 4).");
    expectRefused(blink, R"({"blink": {"addresses": [{"address": 1, "loop": 1}]}})",
                  "Einstellungen: \"loop\" von Adresse 1 in \"blink\" muss true oder false sein.");
    expectRefused(demo(45), R"({"led": {"addresses": [3]}})",
                  "Einstellungen: Eintrag 1 von \"addresses\" von \"led\" ist kein Objekt.");
}

// Values for a kind without the editor are passed over, as the window has no editor for them.
TEST(EditorSections, OtherKindsPassTheSectionsOver) {
    Firmware relay = demo(31);
    const std::string before = hexImageText(relay.image);
    Status applied = applySettingsText(relay, R"({"servo": {"curves": [{"curve": 1, "count": 5}]},
                                                  "blink": {"addresses": [{"address": 1, "count": 5}]},
                                                  "led": null, "neon": {"hell": 3}, "house": {"minimum": 2}})");
    ASSERT_TRUE(applied.ok()) << applied.message();
    EXPECT_EQ(hexImageText(relay.image), before);
}

TEST(EditorSections, NeonValuesAreTakenAsTheEditsTakeThem) {
    const Firmware loaded = demo(44);
    // The section alone clamps as the edits do: HELL 300 is 255, stored as byte "00".
    auto settings = settingsFromJsonText(loaded, readSettings(loaded),
                                         R"({"neon": {"hell": 300, "dunkel": -1, "verzoegerung": 256}})");
    ASSERT_TRUE(settings.ok()) << settings.message();
    EXPECT_EQ(settings->neon->hell, 255);
    EXPECT_EQ(settings->neon->dunkel, 0);
    EXPECT_EQ(settings->neon->delay, 255);
    EXPECT_EQ(neonStoredByte(NeonValue::Hell, *settings->neon->hell), 0x00);
    EXPECT_EQ(neonStoredByte(NeonValue::Dunkel, *settings->neon->dunkel), 0xFF);

    Firmware written = appliedAndReloaded(loaded, R"({"neon": {"dunkel": 300, "verzoegerung": 0}})");
    EXPECT_EQ(written.eeprom().bytes[0x20], "00");
    EXPECT_EQ(written.eeprom().bytes[0x00], "00");
    json neon = firmwareJson(written).at("neon");
    EXPECT_EQ(neon.at("dunkel"), 255);
    EXPECT_EQ(neon.at("verzoegerung"), 0);
}

// HELL shares byte 0x21 with row 1's third code byte, and the row codes are written after the neon
// values: a HELL level the file cannot hold is refused with the level it would get, and the file
// stays as it was; the level the file holds is taken without a word.
TEST(EditorSections, NeonHellTheFileCannotHoldIsRefused) {
    for (Protocol protocol : {Protocol::MM, Protocol::DCC}) {
        const Firmware loaded = demo(44, protocol);
        const std::optional<int> held = shownNeonValue(loaded.eeprom(), NeonValue::Hell);
        ASSERT_TRUE(held);
        const int asked = *held == 0 ? 200 : 0;
        const json settings{{"neon", {{"hell", asked}}}};
        Firmware firmware = loaded;
        Status applied = applySettingsJson(firmware, settings);
        ASSERT_FALSE(applied.ok());
        EXPECT_NE(applied.message().find("HELL " + std::to_string(asked)), std::string::npos)
            << applied.message();
        EXPECT_NE(applied.message().find("Gespeichert würde HELL = " + std::to_string(*held) + "."),
                  std::string::npos)
            << applied.message();
        EXPECT_EQ(hexImageText(firmware.image), hexImageText(loaded.image));

        Firmware same = appliedAndReloaded(loaded, json{{"neon", {{"hell", *held}}}});
        EXPECT_EQ(hexImageText(same.image), hexImageText(loaded.image));
    }
}

TEST(EditorSections, HouseMinimumIsClampedToOneToNine) {
    const Firmware loaded = demo(15);
    EXPECT_EQ(firmwareJson(loaded).at("house").at("minimum"), 5);
    EXPECT_EQ(appliedAndReloaded(loaded, R"({"house": {"minimum": 12}})").eeprom().bytes[0x0F], "09");
    EXPECT_EQ(appliedAndReloaded(loaded, R"({"house": {"minimum": 0}})").eeprom().bytes[0x0F], "01");
    EXPECT_EQ(appliedAndReloaded(loaded, R"({"house": {"minimum": 7}})").eeprom().bytes[0x0F], "07");
    expectRefused(loaded, R"({"house": {"minimum": "9"}})",
                  "Einstellungen: \"minimum\" von \"house\" muss eine ganze Zahl sein.");
}

// A show output taken back changes nothing, also where a byte holds a value the editor would clamp.
TEST(EditorSections, UnchangedShowOutputKeepsEveryByte) {
    for (Protocol protocol : {Protocol::MM, Protocol::DCC}) {
        for (int kind : {42, 43, 44, 45, 15}) {
            Firmware firmware = demo(kind, protocol);
            if (kind == 42) {
                ServoWorkingCopy copy = servoOf(firmware);
                copy.data.curve(3)[kCurveCountEntry] = 0;
                copy.data.curve(4)[kCurveStretchEntry] = 0;
                copy.timing.setOffset(2, 10);
                ASSERT_TRUE(storeServoWorkingCopy(copy, firmware.image, firmware.eeprom()).ok());
                firmware = appliedAndReloaded(firmware, json::object()); // the timing into the records
            }
            const std::string before = hexImageText(firmware.image);
            Status applied = applySettingsJson(firmware, firmwareJson(firmware));
            ASSERT_TRUE(applied.ok()) << applied.message();
            EXPECT_EQ(hexImageText(firmware.image), before) << kind;
        }
    }
}

} // namespace
} // namespace hq
