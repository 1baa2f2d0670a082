// Rows whose bytes stand for nothing, or come from a broken record, are kept by a save until the user
// gives them a new value; values compare as numbers; the take-over list marks what the target refuses.

#include "settings/RowsAsRead.h"
#include "demo/DemoFirmware.h"
#include "image/Checksum.h"
#include "image/Firmware.h"
#include "image/OutputDecoder.h"
#include "light/NeonValues.h"
#include "settings/FirmwareSettings.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace hq;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        result.push_back(line);
    }
    return result;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The 1-based number of the first line starting with `head`.
int lineNumber(const std::vector<std::string>& lines, const std::string& head) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with(head))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

std::string rowBytes(const Firmware& firmware, int row) {
    const auto bytes = rowByteIndexes(row);
    return firmware.eeprom().bytes[bytes[0]] + firmware.eeprom().bytes[bytes[1]] +
           firmware.eeprom().bytes[bytes[2]];
}

Firmware load(const std::string& text) {
    auto loaded = loadFirmware(text);
    EXPECT_TRUE(loaded.ok());
    return loaded.ok() ? *loaded : Firmware{};
}

} // namespace

TEST(FieldValue, NumbersCompareByValueAndTextStaysAsTyped) {
    EXPECT_EQ(FieldValue::fromText("05"), FieldValue(5));
    EXPECT_EQ(FieldValue::fromText(" +5 "), FieldValue(5));
    EXPECT_EQ(FieldValue::fromText("05").text(), "5");
    EXPECT_FALSE(FieldValue::fromText("").isNumber());
    EXPECT_FALSE(FieldValue::fromText("5a").isNumber());
    EXPECT_EQ(FieldValue::fromText("5a").text(), "5a");
    EXPECT_NE(FieldValue::fromText("5a"), FieldValue::fromText("5b"));
    EXPECT_FALSE(FieldValue::fromText("99999999999").isNumber())
        << "beyond int: kept as text, refused at save";
    EXPECT_EQ(FieldValue(), FieldValue(0));
}

// The fault this pins: a record with one wrong data byte loaded with "kept unchanged", showed row 1
// as 0, and a save without any edit wrote row 1 as unused with fresh checksums, so that `check`
// of the result found nothing wrong.
TEST(RowsAsRead, ARowFromADamagedRecordKeepsItsBytesThroughAnUntouchedSave) {
    std::vector<std::string> text = lines(demoFirmwareText(31, Protocol::DCC));
    const int line = lineNumber(text, ":10420000");
    ASSERT_GT(line, 0);
    std::string& record = text[static_cast<std::size_t>(line - 1)];
    record.replace(13, 2, "5A"); // byte 1 (row 1's first code byte); the checksum is now wrong
    Firmware damaged = load(joined(text));
    const std::string asRead = rowBytes(damaged, 1);
    ASSERT_EQ(asRead.substr(0, 2), "5A");

    const RowsAsRead kept = rowsAsRead(damaged);
    ASSERT_TRUE(kept[1].has_value());
    EXPECT_TRUE(kept[1]->brokenLine);
    EXPECT_EQ(kept[1]->lines, (std::vector<int>{line, line + 2, line + 4}));
    EXPECT_NE(kept[1]->text().find("aus den HEX-Zeilen " + std::to_string(line)), std::string::npos);
    EXPECT_NE(badRecordWarning(damaged.image).find("Prüfsumme wird neu berechnet"), std::string::npos);

    Firmware saved = damaged;
    ASSERT_FALSE(applySettings(saved, readSettings(damaged)));
    EXPECT_EQ(rowBytes(saved, 1), asRead) << "the bytes as read, not the code of what the grid shows";
    EXPECT_EQ(recomputedChecksumLines(damaged.image, saved.image), (std::vector<int>{line}));
    EXPECT_NE(recomputedChecksumText({line}).find("Die Zeile " + std::to_string(line) + " hat"),
              std::string::npos);

    // A new value for the row is written as that value.
    FirmwareSettings settings = readSettings(damaged);
    settings.rows[1].address = 9;
    Firmware typed = damaged;
    ASSERT_FALSE(applySettings(typed, settings));
    EXPECT_NE(rowBytes(typed, 1), asRead);
    EXPECT_EQ(load(hexImageText(typed.image)).parameters.rows[1].address, 9);
}

TEST(RowsAsRead, BytesThatStandForNoAddressStayUntilANewValueIsGiven) {
    std::vector<std::string> text = lines(demoFirmwareText(31, Protocol::MM));
    const int line = lineNumber(text, ":10420000");
    ASSERT_GT(line, 0);
    std::string record = text[static_cast<std::size_t>(line - 1)];
    record.replace(9 + 4 * 2, 2, "12"); // row 2's first code byte, a sound record
    text[static_cast<std::size_t>(line - 1)] = completeRecord(record.substr(0, record.size() - 2)).value();
    Firmware odd = load(joined(text));
    ASSERT_EQ(odd.parameters.rows[2].address, 0) << "no MM code starts with 12";

    const RowsAsRead kept = rowsAsRead(odd);
    ASSERT_TRUE(kept[2].has_value());
    EXPECT_TRUE(kept[2]->undecodable);
    EXPECT_FALSE(kept[2]->brokenLine);
    EXPECT_FALSE(kept[1].has_value());
    const std::string asRead = rowBytes(odd, 2);

    FirmwareSettings settings = readSettings(odd);
    settings.rows[2].address = FieldValue::fromText("00"); // the value shown, typed again
    Firmware saved = odd;
    ASSERT_FALSE(applySettings(saved, settings));
    EXPECT_EQ(rowBytes(saved, 2), asRead);

    settings.rows[2].redGreen = 1 - settings.rows[2].redGreen; // a new choice is a new value
    ASSERT_FALSE(applySettings(saved, settings));
    EXPECT_NE(rowBytes(saved, 2), asRead);
}

// Keeping an untouched row must not let a neon level stored into a byte it shares change the row:
// row 1's bytes are written back, and the HELL the file cannot hold is still refused.
TEST(RowsAsRead, AnUntouchedRowStillWinsTheByteItSharesWithHell) {
    Firmware neon = load(demoFirmwareText(44, Protocol::DCC));
    FirmwareSettings settings = readSettings(neon);
    ASSERT_TRUE(settings.neon.has_value());
    const std::string row1 = rowBytes(neon, 1);
    settings.neon->hell = 3;
    Firmware saved = neon;
    const auto problem = applySettings(saved, settings);
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->message.find("HELL"), std::string::npos);
    Firmware accepted = neon;
    ASSERT_FALSE(applySettings(accepted, settings, ApplyOptions{true}));
    EXPECT_EQ(rowBytes(accepted, 1), row1);
}

TEST(SettingsChanges, ValuesTheTargetRefusesAreMarkedWithTheReason) {
    Firmware mm = load(demoFirmwareText(31, Protocol::MM));
    FirmwareSettings from = readSettings(mm);
    FirmwareSettings to = from;
    to.rows[1].address = 555;
    to.rows[2].address = FieldValue::fromText("x");
    to.rows[3].address = from.rows[3].address == FieldValue(7) ? 8 : 7;
    const std::vector<SettingsChange> changes = settingsChanges(mm, from, to);
    ASSERT_EQ(changes.size(), 3U);
    EXPECT_EQ(changes[0].problem, "zu gross, gültig 0 bis 320 bei MM");
    EXPECT_NE(changes[0].text().find("→ 555 ⚠ zu gross, gültig 0 bis 320 bei MM"), std::string::npos);
    EXPECT_EQ(changes[1].problem, "keine Zahl");
    EXPECT_TRUE(changes[2].problem.empty());
    EXPECT_EQ(changes[2].text().find("⚠"), std::string::npos);

    to = from;
    to.rows[1].address = FieldValue::fromText(" 0" + from.rows[1].address.text());
    EXPECT_TRUE(settingsChanges(mm, from, to).empty()) << "a spelling is no change";
}
