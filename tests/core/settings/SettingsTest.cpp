// The settings model: read from a firmware, compared, listed and applied with the save checks.

#include "demo/DemoFirmware.h"
#include "encode/CodeTables.h"
#include "image/Firmware.h"
#include "light/NeonValues.h"
#include "light/PatternBank.h"
#include "settings/FirmwareSettings.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

Firmware demo(int kind, Protocol protocol, DecoderType type = DecoderType::None) {
    auto loaded = loadFirmware(demoFirmwareText(kind, protocol, type));
    EXPECT_TRUE(loaded.ok());
    return loaded.ok() ? *loaded : Firmware{};
}

std::vector<std::string> changeTexts(const Firmware& firmware, const FirmwareSettings& from,
                                     const FirmwareSettings& to) {
    std::vector<std::string> texts;
    for (const SettingsChange& change : settingsChanges(firmware, from, to))
        texts.push_back(change.text());
    return texts;
}

} // namespace

TEST(Settings, ApplyingUnchangedSettingsReproducesEveryDemoByteForByte) {
    for (const KindInfo& info : kindsTable()) {
        for (Protocol protocol : {Protocol::MM, Protocol::DCC}) {
            const std::string text = demoFirmwareText(info.kind, protocol);
            Firmware firmware = *loadFirmware(text);
            const FirmwareSettings settings = readSettings(firmware);
            auto problem = applySettings(firmware, settings);
            ASSERT_FALSE(problem) << info.kind << ": " << problem->message;
            EXPECT_TRUE(hexImageText(firmware.image) == text) << "kind " << info.kind;
            EXPECT_EQ(readSettings(firmware), settings) << "kind " << info.kind;
        }
    }
}

TEST(Settings, EditedValuesAreSavedAndReadBack) {
    Firmware firmware = demo(31, Protocol::DCC);
    FirmwareSettings settings = readSettings(firmware);
    settings.rows[2].address = FieldValue::fromText("2044");
    settings.rows[2].redGreen = 1 - settings.rows[2].redGreen;
    settings.extra = FieldValue::fromText("99");
    ASSERT_FALSE(applySettings(firmware, settings));
    EXPECT_EQ(readSettings(firmware), settings);
    EXPECT_EQ(firmware.parameters.rows[2].address, 2044);
    EXPECT_EQ(*firmware.eeprom().value(32), 99);
}

TEST(Settings, ARefusedApplyLeavesTheFirmwareAsItWasAndNamesTheField) {
    Firmware firmware = demo(31, Protocol::MM);
    const std::string before = hexImageText(firmware.image);
    FirmwareSettings settings = readSettings(firmware);
    settings.rows[1].address = FieldValue::fromText("5"); // valid, but the later row is not
    settings.rows[4].address = FieldValue::fromText("321");
    auto problem = applySettings(firmware, settings);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, "Adresse für <Out 4> ist zu gross");
    EXPECT_EQ(problem->kind, ErrorKind::Refused);
    EXPECT_EQ(problem->field, FocusField::Address);
    EXPECT_EQ(problem->row, 4);
    EXPECT_TRUE(hexImageText(firmware.image) == before);
}

// A function number 0 has no code: typed over a valid function it used to keep the old byte
// silently. It is refused, unless the row already showed 0 when loaded.
TEST(Settings, FunctionZeroIsRefusedUnlessTheRowShowedZeroWhenLoaded) {
    Firmware firmware = demo(6, Protocol::DCC);
    FirmwareSettings settings = readSettings(firmware);
    ASSERT_NE(settings.rows[1].function, FieldValue::fromText("0"));
    settings.rows[1].function = FieldValue::fromText("0");
    auto problem = applySettings(firmware, settings);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, "Funktions-Nummer für <Out 1> ist zu klein");
    EXPECT_EQ(problem->field, FocusField::Function);
    EXPECT_EQ(problem->row, 1);

    // Row 2's function byte is no function code: it shows 0 and saves unchanged.
    Firmware odd = firmware;
    odd.eeprom().bytes[rowByteIndexes(2)[0]] = "13";
    odd.parameters = decodeParameters(odd.eeprom(), odd.recognition);
    ASSERT_EQ(odd.parameters.rows[2].function, 0);
    FirmwareSettings oddSettings = readSettings(odd);
    ASSERT_FALSE(applySettings(odd, oddSettings));
    EXPECT_EQ(odd.eeprom().bytes[rowByteIndexes(2)[0]], "13");
}

TEST(Settings, EditorValuesAreOnlyPresentForTheirFirmware) {
    EXPECT_TRUE(readSettings(demo(42, Protocol::DCC)).servo);
    EXPECT_TRUE(readSettings(demo(43, Protocol::DCC)).patterns);
    EXPECT_EQ(readSettings(demo(45, Protocol::DCC)).patterns->layout, &kLedLayout);
    EXPECT_TRUE(readSettings(demo(44, Protocol::DCC)).neon);
    EXPECT_TRUE(readSettings(demo(15, Protocol::MM)).house);
    const FirmwareSettings plain = readSettings(demo(31, Protocol::MM));
    EXPECT_FALSE(plain.servo || plain.patterns || plain.neon || plain.house);
}

TEST(Settings, EditorTablesAreWrittenOnlyWhenTheyChange) {
    Firmware firmware = demo(45, Protocol::DCC);
    const std::string before = hexImageText(firmware.image);
    FirmwareSettings settings = readSettings(firmware);
    PatternBank bank(kLedLayout);
    bank.table() = settings.patterns->table;
    ASSERT_TRUE(bank.setStep(2, 9, 0, !bank.step(2, 9, 0)));
    settings.patterns->table = bank.table();
    ASSERT_FALSE(applySettings(firmware, settings));
    EXPECT_TRUE(hexImageText(firmware.image) != before);
    EXPECT_EQ(readSettings(firmware).patterns, settings.patterns);

    Firmware servo = demo(42, Protocol::MM);
    FirmwareSettings servoSettings = readSettings(servo);
    servoSettings.servo->timing.setOffset(2, 77);
    servoSettings.servo->data.curve(3)[5] = 0x85;
    ASSERT_FALSE(applySettings(servo, servoSettings));
    EXPECT_EQ(readSettings(servo).servo, servoSettings.servo);
}

// The blink firmware's writer stores entries 0..254 of its table: entry 255 takes no part.
TEST(Settings, BlinkEntry255TakesNoPartInComparisons) {
    Firmware firmware = demo(43, Protocol::MM);
    FirmwareSettings settings = readSettings(firmware);
    FirmwareSettings other = settings;
    other.patterns->table[255] ^= 0x0F;
    EXPECT_EQ(settings, other);
    const std::string before = hexImageText(firmware.image);
    ASSERT_FALSE(applySettings(firmware, other));
    EXPECT_TRUE(hexImageText(firmware.image) == before) << "nothing to write";
    other.patterns->table[254] ^= 0x0F;
    EXPECT_NE(settings, other);
}

// EEPROM byte 0x21 is both the HELL level and the third code byte of row 1, written after it.
TEST(Settings, AHellLevelTheFileCannotHoldIsRefusedNamingWhatItWouldGet) {
    Firmware firmware = demo(44, Protocol::DCC); // row 1 at a short address: its high byte is 0
    FirmwareSettings settings = readSettings(firmware);
    settings.neon->hell = 200;
    auto conflict = neonHellConflict(firmware, settings);
    ASSERT_TRUE(conflict);
    EXPECT_EQ(conflict->asked, 200);
    EXPECT_EQ(conflict->stored, 255);
    const std::string before = hexImageText(firmware.image);
    auto problem = applySettings(firmware, settings);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, conflict->message);
    EXPECT_NE(problem->message.find("HELL 200"), std::string::npos);
    EXPECT_NE(problem->message.find("Gespeichert würde HELL = 255."), std::string::npos);
    EXPECT_NE(problem->message.find("<Ein>"), std::string::npos);
    EXPECT_TRUE(hexImageText(firmware.image) == before);

    // Agreed to: saved, and the file holds what the row code makes of it.
    ASSERT_FALSE(applySettings(firmware, settings, ApplyOptions{true}));
    EXPECT_EQ(shownNeonValue(firmware.eeprom(), NeonValue::Hell), 255);

    // DUNKEL and the delay have bytes of their own; HELL unchanged is no conflict.
    FirmwareSettings dark = readSettings(firmware);
    dark.neon->dunkel = 17;
    dark.neon->delay = 300;
    EXPECT_FALSE(neonHellConflict(firmware, dark));
    ASSERT_FALSE(applySettings(firmware, dark));
    EXPECT_EQ(readSettings(firmware).neon->dunkel, 17);
    EXPECT_EQ(readSettings(firmware).neon->delay, 255);
}

// Row 1's code changes HELL without HELL being typed: for DCC through the address (its high byte is
// the third code byte), for MM through the function number (the function code is).
TEST(Settings, ARowOneEditThatChangesHellIsRefusedNamingBothLevels) {
    struct Case {
        Protocol protocol;
        const char* address;
        const char* function;
        int stored;
    };
    for (const Case& edit :
         {Case{Protocol::DCC, "3000", nullptr, 255 - 0xCB}, Case{Protocol::MM, nullptr, "3", 255 - 0x15}}) {
        Firmware firmware = demo(44, edit.protocol);
        const std::string before = hexImageText(firmware.image);
        FirmwareSettings settings = readSettings(firmware);
        const int inFile = *settings.neon->hell;
        if (edit.address)
            settings.rows[1].address = FieldValue::fromText(edit.address);
        if (edit.function)
            settings.rows[1].function = FieldValue::fromText(edit.function);
        auto conflict = neonHellConflict(firmware, settings);
        ASSERT_TRUE(conflict);
        EXPECT_EQ(conflict->asked, inFile);
        EXPECT_EQ(conflict->stored, edit.stored);
        EXPECT_EQ(conflict->message,
                  "Die Licht-Stufe HELL " + std::to_string(inFile) +
                      " der Datei bleibt beim Speichern nicht erhalten: EEPROM-Byte 0x21 "
                      "ist zugleich das dritte Code-Byte von <Ein> (Zeile 1) und wird beim "
                      "Speichern mit dessen Adresse und Funktion geschrieben.\n"
                      "Gespeichert würde HELL = " +
                      std::to_string(edit.stored) + ".");
        // Refused with the same message, the firmware byte for byte as it was; a HELL typed beside
        // it changes nothing about that.
        auto problem = applySettings(firmware, settings);
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->message, conflict->message);
        EXPECT_TRUE(hexImageText(firmware.image) == before);
        settings.neon->hell = 17;
        ASSERT_TRUE(applySettings(firmware, settings));
        EXPECT_TRUE(hexImageText(firmware.image) == before);

        // Asking for the level the row code makes is accepted.
        settings.neon->hell = edit.stored;
        EXPECT_FALSE(neonHellConflict(firmware, settings));
        ASSERT_FALSE(applySettings(firmware, settings));
        EXPECT_EQ(readSettings(firmware).neon->hell, edit.stored);
    }
}

TEST(Settings, AHellLevelTheRowCodeMakesIsAccepted) {
    Firmware firmware = demo(44, Protocol::MM);
    FirmwareSettings settings = readSettings(firmware);
    settings.rows[1].function = FieldValue::fromText("2"); // MM function 2 is code 05: HELL 250
    settings.neon->hell = 250;
    EXPECT_FALSE(neonHellConflict(firmware, settings));
    ASSERT_FALSE(applySettings(firmware, settings));
    EXPECT_EQ(readSettings(firmware).neon->hell, 250);
}

TEST(Settings, ChangesAreListedWithRowCaptionsAndEditorTables) {
    Firmware relay = demo(31, Protocol::MM);
    FirmwareSettings from = readSettings(relay);
    FirmwareSettings to = from;
    to.rows[1].address = FieldValue::fromText("17");
    to.rows[1].redGreen = 0;
    to.extra = FieldValue::fromText("30");
    EXPECT_EQ(changeTexts(relay, from, to),
              (std::vector<std::string>{"Out 1 – Adresse: " + from.rows[1].address.text() + " → 17",
                                        "Out 1 – R/G: grün → rot",
                                        "Verzögerungszeit (1..255): " + from.extra.text() + " → 30"}));
    EXPECT_TRUE(settingsChanges(relay, from, from).empty());

    Firmware servo = demo(42, Protocol::DCC);
    FirmwareSettings a = readSettings(servo);
    FirmwareSettings b = a;
    b.servo->data.curve(2)[kCurveCountEntry] = 12;
    b.servo->data.curve(2)[3] ^= 0x80;
    ASSERT_NE(a.servo->timing.offset(1), 126);
    b.servo->timing.setOffset(1, 126);
    b.servo->timing.setFaktor(1, 0);
    std::vector<std::string> texts = changeTexts(servo, a, b);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0].rfind("Kurve 2: Punkte, Anzahl ", 0), 0u) << texts[0];
    EXPECT_NE(texts.back().find("→ 1,008 – 2,024 ms"), std::string::npos) << texts.back();

    Firmware led = demo(45, Protocol::MM);
    FirmwareSettings l1 = readSettings(led);
    FirmwareSettings l2 = l1;
    PatternBank bank(kLedLayout);
    bank.table() = l2.patterns->table;
    bank.setLoop(3, !bank.loop(3));
    l2.patterns->table = bank.table();
    EXPECT_EQ(changeTexts(led, l1, l2),
              (std::vector<std::string>{std::string{"LED-Muster Adresse 3: Loop "} +
                                        (bank.loop(3) ? "ein" : "aus") + " geändert"}));

    Firmware neon = demo(44, Protocol::DCC);
    FirmwareSettings n1 = readSettings(neon);
    FirmwareSettings n2 = n1;
    n2.neon->dunkel = 3;
    EXPECT_EQ(changeTexts(neon, n1, n2),
              (std::vector<std::string>{"Licht-Stufe DUNKEL: " + std::to_string(*n1.neon->dunkel) + " → 3"}));
}

// Each protocol and decoder type decodes what it encodes, for every address it can hold.
TEST(RowCodec, EveryCodecDecodesWhatItEncodes) {
    struct Case {
        Protocol protocol;
        DecoderType type;
        int highestAddress;
        int highestFunction;
    };
    const Case cases[] = {{Protocol::MM, DecoderType::Schalt, kMmHighestAccessory, 0},
                          {Protocol::DCC, DecoderType::Schalt, kDccHighestAccessory, 0},
                          {Protocol::MM, DecoderType::Fahrzeug, kMmHighestVehicle, 4},
                          {Protocol::DCC, DecoderType::Fahrzeug, kDccHighestVehicle, 12}};
    for (const Case& c : cases) {
        const RowCodec& codec = rowCodecFor(c.protocol, c.type);
        for (int address = 0; address <= c.highestAddress; ++address) {
            for (int flag = 0; flag <= (c.type == DecoderType::Schalt ? 1 : 0); ++flag) {
                // Every function at some addresses, one function at the others, to keep the test quick.
                std::vector<int> functions{c.highestFunction == 0 ? 0 : 1 + address % c.highestFunction};
                if (c.highestFunction > 0 && address % 97 == 0)
                    for (int f = 1; f <= c.highestFunction; ++f)
                        functions.push_back(f);
                for (int function : functions) {
                    OutputRow row;
                    row.address = address;
                    row.redGreen = flag;
                    row.function = function;
                    row.functionCode = "FF";
                    OutputRow read;
                    read.outputCode = codec.encode(row);
                    read.functionCode =
                        read.outputCode.substr(static_cast<std::size_t>(2 * codec.functionByte()), 2);
                    codec.decode(read);
                    ASSERT_EQ(read.address, address) << protocolName(c.protocol) << typeName(c.type);
                    if (c.type == DecoderType::Schalt && address > 0) {
                        ASSERT_EQ(read.redGreen, flag) << address;
                    }
                    if (c.type == DecoderType::Fahrzeug) {
                        ASSERT_EQ(read.function, function) << address;
                    }
                }
            }
        }
    }
    // Without a protocol the loaded bytes are written back as they are.
    OutputRow row;
    row.outputCode = "123456";
    row.address = 7;
    EXPECT_EQ(rowCodecFor(Protocol::None, DecoderType::None).encode(row), "123456");
}
